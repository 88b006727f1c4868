#pragma once
// Uniform access to the text of the pages' text controls (one-line fields,
// editable and fixed lists, the content field), and the memory that lets a
// text nobody edited go back into the model byte for byte.

#include <QHash>
#include <QString>
#include <string>

class QObject;

// The control's text; the content field's lines are joined with LF.
QString ControlText(const QObject* control);
// Sets the text of a one-line field or editable list.
void SetControlText(QObject* control, const QString& text);

// Blanks and control characters removed from both ends.
QString TrimmedText(const QString& text);

// Decoding a value for display can lose bytes (a file written in another
// code page); remembering the bytes behind each shown text gives them back
// as long as the control still shows that text.
class TShownText {
 public:
  // Shows `bytes` in the control and remembers them.
  void Show(QObject* control, const std::string& bytes);
  // The control's text as bytes.
  std::string BytesOf(const QObject* control) const;

 private:
  struct TShown {
    QString text;
    std::string bytes;
  };
  QHash<const QObject*, TShown> shown_;
};
