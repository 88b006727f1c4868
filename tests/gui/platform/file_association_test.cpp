#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/file_association.h"

namespace {

// Both the program and the project path are quoted in the open command: a
// program under "Program Files" or a project in "My Sites" stays one argument.
TEST(WindowsAssociation, ValuesInTheirOrderWithTheCommandQuoted) {
  const QString program = QStringLiteral("C:\\Program Files\\Lumeroll\\lumeroll.exe");
  const QList<TRegistryValue> values = WindowsAssociationValues(program);
  const QStringList expected[] = {
      {".jslr/Default", "JavaScript Lumeroll.Document"},
      {"JavaScript Lumeroll.Document/Default", "JavaScript Lumeroll.Document"},
      {"JavaScript Lumeroll.Document/DefaultIcon/Default", "C:\\Program Files\\Lumeroll\\lumeroll.exe,0"},
      {"JavaScript Lumeroll.Document/shell/open/command/Default",
       "\"C:\\Program Files\\Lumeroll\\lumeroll.exe\" \"%1\""}};
  ASSERT_EQ(values.size(), 4);
  for (int i = 0; i < values.size(); ++i) {
    EXPECT_EQ(values[i].key, expected[i][0]) << i;
    EXPECT_EQ(values[i].value, expected[i][1]) << i;
  }
}

// The desktop files of Linux; Windows writes the registry instead (read back
// by the Windows smoke test, since tests never write the real registry).
#ifndef Q_OS_WIN
QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FileAssociationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    data = dir.filePath("data");
    mime = data + "/mime/packages/javascript-lumeroll.xml";
    desktop = data + "/applications/javascript-lumeroll.desktop";
    runner = [this](const QString& program, const QStringList& args) { ran << program + " " + args.join(' '); };
  }
  QTemporaryDir dir;
  QString data, mime, desktop;
  QStringList ran;
  TCommandRunner runner;
};

TEST_F(FileAssociationTest, WritesBothFilesThenOnlyWhatDiffers) {
  TAssociationStatus s = EnsureFileAssociation("/opt/lumeroll/bin/lumeroll", data, runner);
  EXPECT_TRUE(s.ok);
  EXPECT_TRUE(s.mimeWritten);
  EXPECT_TRUE(s.desktopEntryWritten);
  EXPECT_EQ(ran, (QStringList{"update-mime-database " + data + "/mime",
                              "update-desktop-database " + data + "/applications"}));
  EXPECT_TRUE(Read(mime).contains("<glob pattern=\"*.jslr\"/>"));
  EXPECT_TRUE(Read(mime).contains("type=\"application/x-javascript-lumeroll\""));
  EXPECT_TRUE(Read(mime).contains("JavaScript Lumeroll project"));
  const QByteArray entry = Read(desktop);
  EXPECT_TRUE(entry.contains("\nExec=\"/opt/lumeroll/bin/lumeroll\" %f\n"));
  EXPECT_TRUE(entry.contains("\nMimeType=application/x-javascript-lumeroll;\n"));

  ran.clear();
  const QDateTime stamp = QFileInfo(mime).lastModified();
  s = EnsureFileAssociation("/opt/lumeroll/bin/lumeroll", data, runner);
  EXPECT_TRUE(s.ok);
  EXPECT_FALSE(s.mimeWritten);
  EXPECT_FALSE(s.desktopEntryWritten);
  EXPECT_TRUE(ran.isEmpty());
  EXPECT_EQ(QFileInfo(mime).lastModified(), stamp);

  // Another program moved in: the entry is pointed back at this one.
  s = EnsureFileAssociation("/usr/bin/lumeroll", data, runner);
  EXPECT_FALSE(s.mimeWritten);
  EXPECT_TRUE(s.desktopEntryWritten);
  EXPECT_EQ(ran, QStringList{"update-desktop-database " + data + "/applications"});
  EXPECT_TRUE(Read(desktop).contains("\nExec=\"/usr/bin/lumeroll\" %f\n"));
}

// A line break in the path would give the entry a second Exec= line.
TEST_F(FileAssociationTest, APathWithAControlCharacterIsNotWritten) {
  for (const char* path : {"/opt/a\nExec=/tmp/evil", "/opt/a\rb", "/opt/\x1b[31m"}) {
    const TAssociationStatus s = EnsureFileAssociation(QString::fromLatin1(path), data, runner);
    EXPECT_FALSE(s.ok) << path;
    EXPECT_FALSE(s.desktopEntryWritten) << path;
    EXPECT_FALSE(QFileInfo::exists(desktop)) << path;
    EXPECT_TRUE(ran.isEmpty()) << path;
  }
}

TEST_F(FileAssociationTest, ExecQuotesAndEscapesThePath) {
  struct Case {
    const char* path;
    const char* exec;
  };
  const Case cases[] = {
      {"/home/a b/My Apps/lumeroll", "\"/home/a b/My Apps/lumeroll\" %f"},
      {"/opt/100%/lumeroll", "\"/opt/100%%/lumeroll\" %f"},
      {"/opt/$x/\"q\"/lumeroll", "\"/opt/\\\\$x/\\\\\"q\\\\\"/lumeroll\" %f"},
  };
  for (const Case& c : cases) EXPECT_EQ(DesktopExecValue(c.path), c.exec) << c.path;
}

TEST_F(FileAssociationTest, UnwritableDataFolderFailsQuietly) {
  QFile blocker(data);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
  blocker.close();
  const TAssociationStatus s = EnsureFileAssociation("/usr/bin/lumeroll", data, runner);
  EXPECT_FALSE(s.ok);
  EXPECT_FALSE(s.mimeWritten);
  EXPECT_FALSE(s.desktopEntryWritten);
  EXPECT_TRUE(ran.isEmpty());
}
#endif

}  // namespace
