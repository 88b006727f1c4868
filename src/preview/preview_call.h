#pragma once
// From a copy of the project to the one script call that puts its box into
// the preview page. Runs on a worker thread: it reads only its argument.

#include <QString>
#include <QStringList>

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
  // Scripts for QWebEnginePage::runJavaScript, in order: the parts of a large
  // configuration (each is one short stop of the window's event loop on its
  // way to the page, where one call with all of it would be one long one),
  // then the script that shows the box.
  QStringList parts;
  QString script;
};

// Longest text, in characters, of one part of a configuration.
inline constexpr int kPreviewPartChars = 1 << 18;

// The generator's configuration script handed to lumerollPreview.show (in
// parts when it is large), or on a conversion error the error text handed to
// lumerollPreview.fail. The
// selected item is not part of it: the pane sends the hold on its own, so a
// selection change needs no generation.
TPreviewCall BuildPreviewCall(const TPreviewSnapshot& snapshot);

// text as a script string literal, double-quoted, safe for any content
// (line separators and "</script>" included).
QString ScriptStringLiteral(const QString& text);
