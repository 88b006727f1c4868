#pragma once
// From a copy of the project to the one script call that puts its box into
// the preview page. Runs on a worker thread: it reads only its argument.

#include <QString>

#include "model/applet_data.h"

// What the pane needs of the project: a copy, so generation may run while
// the editor goes on changing the original.
struct TPreviewSnapshot {
  TAppletData applet;
  TItemArray items;
  TStringArray scriptFiles;
};

struct TPreviewCall {
  bool ok = true;      // false: the generator refused (the call shows its message)
  QString script;      // for QWebEnginePage::runJavaScript
};

// The generator's configuration script handed to lumerollPreview.show, or on
// a conversion error the error text handed to lumerollPreview.fail. The
// selected item is not part of it: the pane sends the hold on its own, so a
// selection change needs no generation.
TPreviewCall BuildPreviewCall(const TPreviewSnapshot& snapshot);

// text as a script string literal, double-quoted, safe for any content
// (line separators and "</script>" included).
QString ScriptStringLiteral(const QString& text);
