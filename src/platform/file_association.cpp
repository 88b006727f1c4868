#include "platform/file_association.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>

namespace {

#ifndef Q_OS_WIN
QString MimePackage() {
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"%1\">\n"
             "    <comment>JavaScript Lumeroll project</comment>\n"
             "    <glob pattern=\"*.jslr\"/>\n"
             "  </mime-type>\n"
             "</mime-info>\n")
      .arg(QLatin1String(kProjectMimeType));
}

QString DesktopEntry(const QString& programPath) {
  return QStringLiteral(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=JavaScript Lumeroll\n"
             "Comment=Editor for fading news boxes on web pages\n"
             "Exec=%1\n"
             "Icon=javascript-lumeroll\n"
             "Terminal=false\n"
             "Categories=Development;WebDevelopment;\n"
             "MimeType=%2;\n")
      .arg(DesktopExecValue(programPath), QLatin1String(kProjectMimeType));
}

// Writes content to path unless the file already holds exactly that.
// Returns true when it wrote; a failure goes into status.
bool WriteIfDifferent(const QString& path, const QByteArray& content, TAssociationStatus& status) {
  QFile current(path);
  if (current.open(QIODevice::ReadOnly) && current.readAll() == content) return false;
  current.close();
  if (!QDir().mkpath(QFileInfo(path).path())) {
    status.ok = false;
    status.error = QStringLiteral("Cannot create the folder of %1").arg(path);
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
    status.ok = false;
    status.error = file.errorString();
    return false;
  }
  return true;
}

#else
TAssociationStatus WriteRegistryClasses(const QString& programPath) {
  TAssociationStatus status;
  // The merged classes root: Windows writes a key that the current user
  // already has there into the user's part, any other into the machine's
  // part, which needs administrator rights; without them the keys the
  // installer wrote stay as they are.
  QSettings classes(QStringLiteral("HKEY_CLASSES_ROOT"), QSettings::NativeFormat);
  for (const TRegistryValue& v : WindowsAssociationValues(programPath)) classes.setValue(v.key, v.value);
  classes.sync();
  status.ok = classes.status() == QSettings::NoError;
  return status;
}
#endif

}  // namespace

QString DesktopExecValue(const QString& programPath) {
  // Inside a quoted argument ", `, $ and \ take a backslash; the string
  // escaping of the entry file then doubles every backslash, and % is doubled
  // so it is not taken for a field code.
  QString quoted;
  for (const QChar c : programPath) {
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
    quoted += c;
  }
  quoted.replace(u'\\', QStringLiteral("\\\\"));
  quoted.replace(u'%', QStringLiteral("%%"));
  return u'"' + quoted + QStringLiteral("\" %f");
}

QList<TRegistryValue> WindowsAssociationValues(const QString& programPath) {
  const QString program = QDir::toNativeSeparators(programPath);
  const QString document = QStringLiteral("JavaScript Lumeroll.Document");
  return {{QStringLiteral(".jslr/Default"), document},
          {document + QStringLiteral("/Default"), document},
          {document + QStringLiteral("/DefaultIcon/Default"), program + QStringLiteral(",0")},
          {document + QStringLiteral("/shell/open/command/Default"), u'"' + program + QStringLiteral("\" \"%1\"")}};
}

TCommandRunner InstalledToolRunner() {
  return [](const QString& program, const QStringList& arguments) {
    const QString found = QStandardPaths::findExecutable(program);
    if (!found.isEmpty()) QProcess::startDetached(found, arguments);
  };
}

TAssociationStatus EnsureFileAssociation(const QString& programPath, const QString& dataHome,
                                         const TCommandRunner& runner) {
#ifdef Q_OS_WIN
  Q_UNUSED(dataHome);
  Q_UNUSED(runner);
  return WriteRegistryClasses(programPath);
#else
  TAssociationStatus status;
  // A line break (or any control character) in the path would end the Exec=
  // line and add keys of its own to the entry.
  for (const QChar c : programPath) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
      status.ok = false;
      status.error = QStringLiteral("the program's path holds a control character; *.jslr files were not "
                                    "associated with it");
      std::fprintf(stderr, "lumeroll: %s\n", qPrintable(status.error));
      return status;
    }
  }
  const QString home = dataHome.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : dataHome;
  const QString mimeFolder = home + QStringLiteral("/mime");
  const QString applications = home + QStringLiteral("/applications");
  status.mimeWritten = WriteIfDifferent(mimeFolder + QStringLiteral("/packages/javascript-lumeroll.xml"),
                                        MimePackage().toUtf8(), status);
  status.desktopEntryWritten = WriteIfDifferent(applications + QStringLiteral("/javascript-lumeroll.desktop"),
                                                DesktopEntry(programPath).toUtf8(), status);
  if (runner && status.mimeWritten) runner(QStringLiteral("update-mime-database"), {mimeFolder});
  if (runner && status.desktopEntryWritten) runner(QStringLiteral("update-desktop-database"), {applications});
  return status;
#endif
}
