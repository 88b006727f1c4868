#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "model/file_io.h"
#include "platform/local_text.h"

namespace {

// Names the 8-bit code page of a Windows system cannot all hold: the core
// must get them in a form it can open.
const char16_t* const kNames[] = {u"Café News", u"新闻", u"📰 News", u"a&b (1)", u"Ünïcødé ✓"};

TEST(CorePathTest, NamesSurviveTheRoundTrip) {
  for (const char16_t* name : kNames) {
    const QString path = QStringLiteral("folder/") + QString::fromUtf16(name) + QStringLiteral(".jslr");
    EXPECT_EQ(FromCorePath(CorePath(path)), path) << path.toStdString();
    EXPECT_EQ(FromCoreMessage("Cannot open " + CorePath(path)), QStringLiteral("Cannot open ") + path);
  }
}

// The core opens what the GUI names: a file written through the core under
// each name is the file Qt finds there.
TEST(CorePathTest, TheCoreWritesTheFileTheGuiNamed) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  for (const char16_t* name : kNames) {
    const QString folder = temp.filePath(QString::fromUtf16(name));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/") + QString::fromUtf16(name) + QStringLiteral(".txt");
    const TResult wrote = WriteFileAtomically(CorePath(file), "bytes\r\n");
    ASSERT_TRUE(wrote) << wrote.message;
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << file.toStdString();
    EXPECT_EQ(written.readAll(), QByteArray("bytes\r\n"));
  }
}

#ifdef Q_OS_WIN
// Older lists of recent files hold paths in the ANSI code page; they are read
// as such rather than shown as replacement characters.
TEST(CorePathTest, BytesThatAreNotUtf8AreReadInTheAnsiCodePage) {
  const QString name = QStringLiteral("Caf") + QChar(0xE9);
  const std::string ansi = name.toLocal8Bit().toStdString();
  ASSERT_NE(ansi, name.toUtf8().toStdString());
  EXPECT_EQ(FromCorePath(ansi), name);
}
#endif

}  // namespace
