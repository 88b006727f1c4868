#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/app_folders_qt.h"

namespace {

void Touch(const QString& path, const QByteArray& bytes = "x") {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

std::string Folder(const QString& path) { return QDir::cleanPath(path).toStdString() + "/"; }

class AppFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    prefix = dir.filePath("prefix");
    bin = prefix + "/bin";
    share = prefix + "/share/javascript-lumeroll";
    user = dir.filePath("user/data");
    QDir().mkpath(bin);
  }
  QTemporaryDir dir;
  QString prefix, bin, share, user;
};

TEST_F(AppFoldersTest, PortableWhenTheRuntimeScriptIsBesideTheProgram) {
  Touch(bin + "/orvantalumeroll.js");
  const AppFolders f = ResolveAppFolders(bin, user);
  EXPECT_EQ(f.resource, Folder(bin));
  EXPECT_EQ(f.working, Folder(bin));
  EXPECT_FALSE(QFileInfo::exists(user));
}

TEST_F(AppFoldersTest, InstalledSeedsTheTemplatesOnce) {
  Touch(share + "/orvantalumeroll.js");
  Touch(share + "/templates/news.jslr", "seed");
  Touch(share + "/templates/dark/ticker.jslr", "dark");
  AppFolders f = ResolveAppFolders(bin, user);
  EXPECT_EQ(f.resource, Folder(share));
  EXPECT_EQ(f.working, Folder(user));
  {
    // Closed again before the removal below: Windows keeps an open file.
    QFile seeded(user + "/templates/news.jslr");
    ASSERT_TRUE(seeded.open(QIODevice::ReadOnly));
    EXPECT_EQ(seeded.readAll(), "seed");
  }
  EXPECT_TRUE(QFileInfo::exists(user + "/templates/dark/ticker.jslr"));

  // The user's own templates folder is left alone afterwards.
  ASSERT_TRUE(QFile::remove(user + "/templates/news.jslr"));
  f = ResolveAppFolders(bin, user);
  EXPECT_FALSE(QFileInfo::exists(user + "/templates/news.jslr"));
}

TEST_F(AppFoldersTest, InstalledWhenTheProgramFolderIsReadOnly) {
  Touch(bin + "/orvantalumeroll.js");
  QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner);
  const bool readOnly = !QFileInfo(bin).isWritable();
  const AppFolders f = ResolveAppFolders(bin, user);
  QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  if (!readOnly) GTEST_SKIP() << "running with rights that ignore folder permissions";
  EXPECT_EQ(f.working, Folder(user));
  EXPECT_TRUE(QFileInfo(user).isDir());
}

}  // namespace
