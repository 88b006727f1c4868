#pragma once
// The whole program for the output commands: a working folder whose path
// holds a blank, a current directory of the test's own, fake browser
// programs on the test's own PATH, the saved browser choice in the test's
// settings file, and a way to look into a modal window while it is shown.

#include <QApplication>
#include <QDialog>
#include <QDirIterator>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTimer>
#include <functional>
#include <ostream>

#include "output_gui/code_view_window.h"
#include "support/app_fixture.h"

// Texts in test failures as text, not as bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

class OutputAppTest : public AppTest {
 protected:
  OutputAppTest() { workingName = QStringLiteral("working folder"); }

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    QDir root(temp.path());
    ASSERT_TRUE(root.mkpath("cwd"));
    ASSERT_TRUE(root.mkpath("bin"));
    previousCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(CurrentFolder()));
  }

  void TearDown() override {
    AppTest::TearDown();
    QDir::setCurrent(previousCurrent);
  }

  QString CurrentFolder() const { return temp.filePath("cwd") + "/"; }
  QString BinFolder() const { return temp.filePath("bin") + "/"; }
  QString PreviewPage() const { return PreviewFolder() + "~preview.html"; }

  // Every file and folder below `folder` with its size, relative and sorted,
  // so a file written or rewritten with other content shows.
  static QStringList Listing(const QString& folder) {
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      const QFileInfo info(path);
      out << QDir(folder).relativeFilePath(path) + (info.isDir() ? QString("/") : " " + QString::number(info.size()));
    }
    out.sort();
    return out;
  }

  static QStringList Names(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
  }

  // A shell script standing in for a browser program.
  static QString FakeProgram(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
  }

  // Firefox and Chromium on the test's PATH: the list lines 0 and 1.
  void InstallBrowsers() {
    FakeProgram(BinFolder() + "firefox");
    FakeProgram(BinFolder() + "chromium");
  }

  struct TChoice {
    int useDefault = 1;
    int useKnown = 0;
    int useSpecified = 0;
    int selected = -1;
    QString program;
  };

  void SaveChoice(const TChoice& c) {
    QSettings s(settingsPath, QSettings::IniFormat);
    s.beginGroup("Web Browsers");
    s.setValue("UseDefaultBrowser", c.useDefault);
    s.setValue("UseKnownBrowser", c.useKnown);
    s.setValue("UseSpecifiedBrowser", c.useSpecified);
    s.setValue("SelectedBrowserNumber", c.selected);
    s.setValue("SpecifiedBrowserExePath", c.program);
  }

  TChoice SavedChoice() const {
    QSettings s(settingsPath, QSettings::IniFormat);
    s.beginGroup("Web Browsers");
    return {s.value("UseDefaultBrowser").toInt(), s.value("UseKnownBrowser").toInt(),
            s.value("UseSpecifiedBrowser").toInt(), s.value("SelectedBrowserNumber").toInt(),
            s.value("SpecifiedBrowserExePath").toString()};
  }

  // Runs `command`; while the modal window it opens is shown, `inspect` sees
  // it, then the window is rejected unless `inspect` closed it. Returns the
  // modal window's objectName, empty when none came up.
  QString WithModal(const std::function<void()>& command, const std::function<void(QDialog&)>& inspect = {}) {
    QString seen;
    QObject guard;  // cancels the timer when no window came up
    QTimer::singleShot(0, &guard, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      seen = dialog->objectName();
      if (inspect) inspect(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    command();
    return seen;
  }

  QStringList PreviewFiles() {
    QStringList out;
    for (const std::string& name : Form().Document().PreviewFiles().names) out << QString::fromStdString(name);
    return out;
  }

  // A text box's lines; the line ending after the last line adds none.
  static QStringList Lines(const QString& text) {
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
  }

  static QString Memo(QWidget& window, const char* name) {
    auto* memo = window.findChild<QPlainTextEdit*>(name);
    return memo ? memo->toPlainText() : QStringLiteral("<no %1>").arg(name);
  }

  QString previousCurrent;
};
