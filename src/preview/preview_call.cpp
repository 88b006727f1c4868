#include "preview/preview_call.h"

#include "output/generator.h"

QString ScriptStringLiteral(const QString& text) {
  QString out;
  out.reserve(text.size() + text.size() / 8 + 2);
  out += QLatin1Char('"');
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    switch (u) {
      case u'"': out += QLatin1String("\\\""); break;
      case u'\\': out += QLatin1String("\\\\"); break;
      case u'\n': out += QLatin1String("\\n"); break;
      case u'\r': out += QLatin1String("\\r"); break;
      case u'<': out += QLatin1String("\\x3c"); break;
      default:
        if (u < 0x20 || u == 0x2028 || u == 0x2029)
          out += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
          out += c;
    }
  }
  out += QLatin1Char('"');
  return out;
}

TPreviewCall BuildPreviewCall(const TPreviewSnapshot& snapshot) {
  const TGeneratedCode code = GenerateCode(snapshot.applet, snapshot.items, snapshot.scriptFiles);
  TPreviewCall call;
  call.ok = code.ok;
  // The generator writes bytes in the system's 8-bit code page; the view
  // wants text.
  if (code.ok) {
    const QString config = QString::fromLocal8Bit(code.script);
    if (config.size() <= kPreviewPartChars) {
      call.script = QStringLiteral("lumerollPreview.show(%1)").arg(ScriptStringLiteral(config));
      return call;
    }
    for (qsizetype at = 0; at < config.size();) {
      qsizetype length = qMin<qsizetype>(kPreviewPartChars, config.size() - at);
      // A surrogate pair stays whole, or each half would reach the page as
      // a replacement character.
      if (at + length < config.size() && config.at(at + length - 1).isHighSurrogate()) --length;
      call.parts << QStringLiteral("lumerollPreview.part(%1)").arg(ScriptStringLiteral(config.mid(at, length)));
      at += length;
    }
    call.script = QStringLiteral("lumerollPreview.show(lumerollPreview.takeParts())");
  } else {
    call.script = QStringLiteral("lumerollPreview.fail(%1)")
                      .arg(ScriptStringLiteral(QString::fromLocal8Bit(code.message)));
  }
  return call;
}
