#pragma once
// Registers project files (*.jslr) with the desktop at every start. On Linux:
// a shared-mime-info package and a desktop entry under $XDG_DATA_HOME, written
// only when their content differs, then the desktop's caches refreshed. On
// Windows: the document class under the classes root.
// Failures are never shown; the status says what happened.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

inline constexpr char kProjectMimeType[] = "application/x-javascript-lumeroll";

struct TAssociationStatus {
  bool ok = true;
  bool mimeWritten = false;
  bool desktopEntryWritten = false;
  QString error;
};

// Runs one helper program (update-mime-database, ...) with its arguments.
using TCommandRunner = std::function<void(const QString& program, const QStringList& arguments)>;

// The runner of the real program: starts the tool detached when it is installed.
TCommandRunner InstalledToolRunner();

// programPath is the full path of the editor's executable; dataHome is
// $XDG_DATA_HOME (empty: ~/.local/share). The runner is called only after a
// file was written.
TAssociationStatus EnsureFileAssociation(const QString& programPath, const QString& dataHome,
                                         const TCommandRunner& runner);

// One value of the Windows association: a key under the classes root
// (QSettings' "Default" is the key's unnamed value).
struct TRegistryValue {
  QString key;
  QString value;
};

// The association's values in the order they are written. The program path
// and "%1" are both quoted, so a path with blanks, of the program or of the
// project, reaches the program as one argument.
QList<TRegistryValue> WindowsAssociationValues(const QString& programPath);

// The Exec= value starting programPath with a file: the path quoted and
// escaped as desktop entries require, then %f.
QString DesktopExecValue(const QString& programPath);
