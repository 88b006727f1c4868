#pragma once
// Every modal question, message box, file dialog and colour dialog of the
// editor goes through Prompts, so tests script the answers and nothing ever
// opens a window a test cannot close.

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

enum class TMessageKind { Warning, Error, Information, Confirm };

enum class TAnswer { Yes, No, Cancel, Ok, Recover, Discard };

// Buttons of a message box, in the order they are shown. RecoverDiscard has
// no cautious way out: closing the box chooses neither (TAnswer::Cancel).
enum class TButtons { Ok, Yes, YesNo, YesNoCancel, RecoverDiscard };

struct TFileDialogRequest {
  // Filter in the "Description|pattern|Description|pattern" form.
  QString filter;
  QString initialFolder;
  QString fileName;
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  // Title is the kind's word ("Warning", "Error", ...) unless given.
  virtual TAnswer Ask(QWidget* parent, TMessageKind kind, const QString& text, TButtons buttons,
                      const QString& title = QString()) = 0;
  virtual void Tell(QWidget* parent, TMessageKind kind, const QString& text, const QString& title = QString()) = 0;
  virtual std::optional<QString> OpenFileName(QWidget* parent, const TFileDialogRequest& request) = 0;
  virtual std::optional<QString> SaveFileName(QWidget* parent, const TFileDialogRequest& request) = 0;
  virtual std::optional<QColor> PickColor(QWidget* parent, const QColor& initial) = 0;
};
