#include "platform/browser_detection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTextStream>
#include <QtGlobal>

namespace {

struct TDesktopEntry {
  QString name;
  QString exec;
  QStringList categories;
  bool noDisplay = false;
  bool hidden = false;
};

// Reads the keys of the [Desktop Entry] group that detection needs; the
// unlocalised Name is the one shown.
TDesktopEntry ReadDesktopEntry(const QString& file) {
  TDesktopEntry entry;
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return entry;
  QTextStream in(&f);
  bool inMainGroup = false;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    if (line.startsWith(u'[')) {
      inMainGroup = line == QLatin1String("[Desktop Entry]");
      continue;
    }
    if (!inMainGroup) continue;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) continue;
    const QString key = line.left(eq).trimmed();
    const QString value = line.mid(eq + 1).trimmed();
    if (key == QLatin1String("Name")) entry.name = value;
    else if (key == QLatin1String("Exec")) entry.exec = value;
    else if (key == QLatin1String("Categories")) entry.categories = value.split(u';', Qt::SkipEmptyParts);
    else if (key == QLatin1String("NoDisplay")) entry.noDisplay = value == QLatin1String("true");
    else if (key == QLatin1String("Hidden")) entry.hidden = value == QLatin1String("true");
  }
  return entry;
}

// The program of an Exec line: its first word, quotes removed, past an
// "env VAR=value" prefix.
QString ExecProgram(const QString& exec) {
  QStringList words;
  QString word;
  bool quoted = false;
  for (qsizetype i = 0; i < exec.size(); ++i) {
    const QChar c = exec[i];
    if (quoted && c == u'\\' && i + 1 < exec.size()) {
      word += exec[++i];
    } else if (c == u'"') {
      quoted = !quoted;
    } else if (c.isSpace() && !quoted) {
      if (!word.isEmpty()) words << word;
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.isEmpty()) words << word;
  qsizetype first = 0;
  if (!words.isEmpty() && words[0] == QLatin1String("env")) {
    first = 1;
    while (first < words.size() && words[first].contains(u'=')) ++first;
  }
  return first < words.size() ? words[first] : QString();
}

QStringList DataFolders(const TDetectionEnvironment& env) {
  QStringList folders;
  folders << (env.xdgDataHome.isEmpty() ? env.home + QStringLiteral("/.local/share") : env.xdgDataHome);
  const QString dirs = env.xdgDataDirs.isEmpty() ? QStringLiteral("/usr/local/share:/usr/share") : env.xdgDataDirs;
  folders << dirs.split(u':', Qt::SkipEmptyParts);
  return folders;
}

class TBrowserList {
 public:
  bool Add(const QString& name, const QString& path) {
    if (path.isEmpty() || Contains(path)) return false;
    browsers_.append({name, path});
    return true;
  }
  QList<TWebBrowserNamePath> Take() { return std::move(browsers_); }

 private:
  bool Contains(const QString& path) const {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const TWebBrowserNamePath& b : browsers_)
      if (b.Path == path || QFileInfo(b.Path).canonicalFilePath() == canonical) return true;
    return false;
  }
  QList<TWebBrowserNamePath> browsers_;
};

void AddFirstFound(TBrowserList& list, const QString& name, const QStringList& programs, const QString& pathVar) {
  for (const QString& program : programs)
    if (list.Add(name, ResolveProgram(program, pathVar))) return;
}

// Step 4: the other web browsers of the desktop entries. An entry id found in
// an earlier data folder hides the same id in later ones, as on the desktop.
void AddDesktopBrowsers(TBrowserList& list, const TDetectionEnvironment& env) {
  QSet<QString> seenIds;
  for (const QString& dataFolder : DataFolders(env)) {
    const QDir applications(QDir(dataFolder).filePath(QStringLiteral("applications")));
    const QStringList files =
        applications.entryList({QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& file : files) {
      if (seenIds.contains(file)) continue;
      seenIds.insert(file);
      const TDesktopEntry entry = ReadDesktopEntry(applications.filePath(file));
      if (entry.noDisplay || entry.hidden || entry.name.isEmpty()) continue;
      if (!entry.categories.contains(QStringLiteral("WebBrowser"))) continue;
      list.Add(entry.name, ResolveProgram(ExecProgram(entry.exec), env.path));
    }
  }
}

}  // namespace

TDetectionEnvironment TDetectionEnvironment::FromProcess() {
  return {qEnvironmentVariable("PATH"), QDir::homePath(), qEnvironmentVariable("XDG_DATA_HOME"),
          qEnvironmentVariable("XDG_DATA_DIRS"), SystemRegistryReader()};
}

TRegistryReader SystemRegistryReader() {
  return [](const QString& root, const QString& key, const QString& name) -> std::optional<QString> {
#ifdef Q_OS_WIN
    const QSettings settings(root + u'\\' + key, QSettings::NativeFormat);
    const QString valueName = name.isEmpty() ? QStringLiteral("Default") : name;
    if (settings.status() != QSettings::NoError || !settings.contains(valueName)) return std::nullopt;
    return settings.value(valueName).toString();
#else
    Q_UNUSED(root);
    Q_UNUSED(key);
    Q_UNUSED(name);
    return std::nullopt;
#endif
  };
}

QList<TWebBrowserNamePath> DetectRegistryBrowsers(const TRegistryReader& registry,
                                                  const std::function<bool(const QString&)>& fileExists) {
  const QString machine = QStringLiteral("HKEY_LOCAL_MACHINE");
  const QString user = QStringLiteral("HKEY_CURRENT_USER");
  const QString appPaths = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\");
  QList<TWebBrowserNamePath> found;
  const auto read = [&registry](const QString& root, const QString& key, const QString& name) {
    return registry ? registry(root, key, name).value_or(QString()) : QString();
  };
  const auto add = [&found, &fileExists](const QString& name, const QString& path) {
    if (path.isEmpty() || !fileExists(path)) return false;
    for (const TWebBrowserNamePath& b : found)
      if (b.Path.compare(path, Qt::CaseInsensitive) == 0) return false;
    found.append({name, path});
    return true;
  };
  // An App Paths value may carry quotes around the program's path.
  const auto unquoted = [](QString path) {
    path = path.trimmed();
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"')) path = path.mid(1, path.size() - 2);
    return path;
  };
  const auto inFolder = [](const QString& folder, const QString& program) {
    return folder.isEmpty() ? QString() : folder + program;
  };

  add(QStringLiteral("Internet Explorer"), unquoted(read(machine, appPaths + QStringLiteral("IEXPLORE.EXE"), {})));
  add(QStringLiteral("Netscape Navigator 3"),
      inFolder(read(user, QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator\\Main"),
                    QStringLiteral("Install Directory")),
               QStringLiteral("\\Program\\Netscape.exe")));
  struct TVersioned {
    QString key;
    QString namePrefix;
    QString program;
  };
  for (const TVersioned& step :
       {TVersioned{QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator"), QStringLiteral("Netscape Communicator "),
                   QStringLiteral("\\Program\\Netscape.exe")},
        TVersioned{QStringLiteral("SOFTWARE\\Netscape\\Netscape 6"), QStringLiteral("Netscape "),
                   QStringLiteral("\\netscp6.exe")}}) {
    const QString version = read(machine, step.key, QStringLiteral("CurrentVersion"));
    if (version.isEmpty()) continue;
    const QString folder =
        read(machine, step.key + u'\\' + version + QStringLiteral("\\Main"), QStringLiteral("Install Directory"));
    add(step.namePrefix + version, inFolder(folder, step.program));
  }
  const std::pair<const char*, const char*> current[] = {
      {"Firefox", "firefox.exe"}, {"Google Chrome", "chrome.exe"}, {"Microsoft Edge", "msedge.exe"}};
  for (const auto& [name, program] : current) {
    for (const QString& root : {machine, user})
      if (add(QString::fromLatin1(name), unquoted(read(root, appPaths + QString::fromLatin1(program), {})))) break;
  }
  return found;
}

QString ResolveProgram(const QString& program, const QString& pathVariable) {
  if (program.isEmpty()) return {};
  if (program.contains(u'/')) {
    const QFileInfo info(program);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
  }
  const QStringList folders = pathVariable.split(QDir::listSeparator(), Qt::SkipEmptyParts);
  if (folders.isEmpty()) return {};
  return QStandardPaths::findExecutable(program, folders);
}

QList<TWebBrowserNamePath> DetectWebBrowsers(const TDetectionEnvironment& environment) {
#ifdef Q_OS_WIN
  return DetectRegistryBrowsers(environment.registry, [](const QString& path) { return QFileInfo(path).isFile(); });
#else
  TBrowserList list;
  AddFirstFound(list, QStringLiteral("Firefox"), {QStringLiteral("firefox"), QStringLiteral("firefox-esr")},
                environment.path);
  AddFirstFound(list, QStringLiteral("Chromium"), {QStringLiteral("chromium"), QStringLiteral("chromium-browser")},
                environment.path);
  AddFirstFound(list, QStringLiteral("Google Chrome"),
                {QStringLiteral("google-chrome"), QStringLiteral("google-chrome-stable")}, environment.path);
  AddDesktopBrowsers(list, environment);
  return list.Take();
#endif
}
