#pragma once
// The real Prompts: message boxes, file dialogs and the colour dialog of Qt,
// with the editor's titles and button captions.

#include "platform/prompts.h"

class TQtPrompts : public Prompts {
 public:
  TAnswer Ask(QWidget* parent, TMessageKind kind, const QString& text, TButtons buttons,
              const QString& title = QString()) override;
  void Tell(QWidget* parent, TMessageKind kind, const QString& text, const QString& title = QString()) override;
  std::optional<QString> OpenFileName(QWidget* parent, const TFileDialogRequest& request) override;
  std::optional<QString> SaveFileName(QWidget* parent, const TFileDialogRequest& request) override;
  std::optional<QColor> PickColor(QWidget* parent, const QColor& initial) override;

  // "Desc|*.a;*.b|Desc2|*.c" becomes "Desc (*.a *.b);;Desc2 (*.c)"; a
  // description that already names its patterns in brackets is kept as it is.
  static QString QtFilter(const QString& filter);
  static QString KindTitle(TMessageKind kind);
};
