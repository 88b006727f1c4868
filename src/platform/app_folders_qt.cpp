#include "platform/app_folders_qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/local_text.h"

namespace {

std::string FolderText(const QString& folder) {
  return AppFolders::WithSeparator(CorePath(QDir::cleanPath(folder)));
}

// Copies every file below from into to, keeping the sub-folders; failures
// leave that file out and go on, the editor works without templates.
void CopyTree(const QString& from, const QString& to) {
  QDir source(from);
  QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    const QString target = QDir(to).filePath(source.relativeFilePath(file));
    QDir().mkpath(QFileInfo(target).path());
    QFile::copy(file, target);
  }
}

}  // namespace

AppFolders ResolveAppFolders(const QString& executableFolder, const QString& perUserFolder) {
  const QFileInfo exeFolder(executableFolder);
  if (QFileInfo::exists(QDir(executableFolder).filePath(QString::fromLatin1(kRuntimeScriptName))) && exeFolder.isWritable())
    return {FolderText(executableFolder), FolderText(executableFolder)};

  const QString resource = QDir(executableFolder).filePath(QStringLiteral("../share/javascript-lumeroll"));
  QDir().mkpath(perUserFolder);
  const QString seed = QDir(resource).filePath(QStringLiteral("templates"));
  const QString templates = QDir(perUserFolder).filePath(QStringLiteral("templates"));
  if (!QFileInfo::exists(templates) && QFileInfo(seed).isDir()) {
    QDir().mkpath(templates);
    CopyTree(seed, templates);
  }
  return {FolderText(resource), FolderText(perUserFolder)};
}

AppFolders AppFoldersOfThisProgram() {
  AppFolders folders = ResolveAppFolders(QCoreApplication::applicationDirPath(),
                                         QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
  // Editors started side by side share the working folder; each previews
  // in a folder of its own so that one's Clear Preview leaves the other's
  // page alone.
  folders.preview = "preview/" + std::to_string(QCoreApplication::applicationPid()) + "/";
  return folders;
}
