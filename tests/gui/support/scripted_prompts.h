#pragma once
// Test doubles for the editor's Prompts and Launcher: answers come from a
// script queued by the test, and every question and launch is recorded.

#include <QList>
#include <QString>
#include <QTimer>
#include <deque>
#include <optional>

#include "platform/launcher.h"
#include "platform/prompts.h"

class TScriptedPrompts : public Prompts {
 public:
  struct TAsked {
    TMessageKind kind;
    QString text;
    TButtons buttons;
    QString title;
    bool question;  // Ask (true) or Tell (false)
  };
  struct TFileAsked {
    bool save;
    TFileDialogRequest request;
  };

  // Queued answers; a question without one is a test failure and answers Cancel.
  std::deque<TAnswer> answers;
  std::deque<std::optional<QString>> fileNames;  // nullopt = dialog cancelled
  std::deque<std::optional<QColor>> colors;

  QList<TAsked> asked;
  QList<TFileAsked> fileDialogs;
  int colorDialogs = 0;

  TAnswer Ask(QWidget* parent, TMessageKind kind, const QString& text, TButtons buttons,
              const QString& title = QString()) override;
  void Tell(QWidget* parent, TMessageKind kind, const QString& text, const QString& title = QString()) override;
  std::optional<QString> OpenFileName(QWidget* parent, const TFileDialogRequest& request) override;
  std::optional<QString> SaveFileName(QWidget* parent, const TFileDialogRequest& request) override;
  std::optional<QColor> PickColor(QWidget* parent, const QColor& initial) override;

  // Texts of everything shown, in order.
  QStringList Texts() const;

 private:
  std::optional<QString> NextFileName();
};

class TCapturingLauncher : public Launcher {
 public:
  struct TLaunch {
    bool program;  // StartProgram (true) or OpenUrl (false)
    QString target;  // program path or URL text
    QStringList arguments;
  };
  QList<TLaunch> launches;
  // What StartProgram answers: false stands for a program that cannot start.
  bool programsStart = true;

  void OpenUrl(const QUrl& url) override { launches.append({false, url.toString(), {}}); }
  // When set, a program that starts ends at once saying this, reported from
  // the event loop as the real launcher does.
  std::optional<QString> earlyFailure;

  bool StartProgram(const QString& program, const QStringList& arguments, TEarlyFailure failed) override {
    launches.append({true, program, arguments});
    if (programsStart && earlyFailure && failed) QTimer::singleShot(0, [failed, detail = *earlyFailure] { failed(detail); });
    return programsStart;
  }
};
