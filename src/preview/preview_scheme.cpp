#include "preview/preview_scheme.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {

constexpr char kHost[] = "box";

QByteArray JsString(const QString& text) {
  // A one-element JSON array is the easiest way to a correctly escaped
  // string literal.
  QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return array.mid(1, array.size() - 2);
}

// The pane's half of the page. show() runs the generated configuration
// script with the constructor bound to the stage, so the box is built where
// the pane wants it and the old one is destroyed first: no reload, no flash.
// A large configuration arrives first in parts, which takeParts() joins.
// patch() changes the box in place for an edit that keeps the list as it
// is: items are made again by the runtime's own item maker and put where
// the old ones stood, a new box line is run on a one-item scratch box whose
// style the live box takes. Anything it cannot do answers 'rebuild', and
// the pane then builds the box anew, so a patch is never worse than a build.
constexpr char kGlue[] = R"JS(
var lumerollPreview = (function () {
  'use strict';
  var box = null, parts = [], builds = 0;
  function part(text) { parts.push(text); }
  function takeParts() { var text = parts.join(''); parts = []; return text; }
  function stage() { return document.getElementById('stage'); }
  function message() { return document.getElementById('message'); }
  function clear() {
    if (box && typeof box.destroy === 'function') {
      try { box.destroy(); } catch (e) { }
    }
    box = null;
    stage().textContent = '';
    message().textContent = '';
    message().hidden = true;
  }
  function fail(text) {
    clear();
    message().textContent = text;
    message().hidden = false;
    return 'error';
  }
  function hold(index) {
    if (box && typeof box.hold === 'function') box.hold(index);
    return box ? 'held' : 'none';
  }
  function show(config) {
    if (typeof window.awkmanbSPM !== 'function') { fail(__MISSING_RUNTIME__); return 'missing'; }
    clear();
    builds++;
    var Runtime = window.awkmanbSPM, where = stage();
    function InStage() { return new Runtime({ container: where }); }
    try {
      box = (new Function('awkmanbSPM', 'var jslumeroll1;\n' + config + '\nreturn jslumeroll1;'))(InStage);
    } catch (e) {
      fail('The configuration script stopped with an error: ' + e);
      return 'error';
    }
    return 'ok';
  }
  function run(line, target) {
    (new Function('jslumeroll1', line))(target);
  }
  function restyle(line) {
    var scratch = new window.awkmanbSPM({ container: document.createElement('div') });
    scratch.awkmaNBSPm('');
    run(line, scratch);
    box.box.style.cssText = scratch.box.style.cssText;
    box.delay = scratch.delay;
    scratch.destroy();
  }
  function replace(index, line) {
    var html, old = box.items[index];
    run(line, { awkmaNBSPm: function (h) { html = String(h); } });
    if (!old || html === undefined) throw new Error('no item ' + index);
    var made = box.makeItem(html, index + 1 + ' of ' + box.items.length);
    box.list.replaceChild(made, old);
    box.items[index] = made;
    if (box.shown === index) box.show(index, false);
  }
  // boxLine: the new box line or null; items: [index, item line] pairs.
  function patch(boxLine, items) {
    if (!box || !box.box || box.destroyed) return 'rebuild';
    try {
      if (boxLine !== null) restyle(boxLine);
      items.forEach(function (entry) { replace(entry[0], entry[1]); });
    } catch (e) {
      return 'rebuild';
    }
    return 'ok';
  }
  function frame(width, dark) {
    var page = document.getElementById('page');
    page.style.width = width > 0 ? width + 'px' : '';
    page.className = width > 0 ? 'fixed' : '';
    document.body.className = dark ? 'dark' : '';
  }
  return { show: show, fail: fail, hold: hold, frame: frame, part: part, takeParts: takeParts, patch: patch,
           current: function () { return box; }, builds: function () { return builds; } };
})();
)JS";

constexpr char kStyle[] =
    "html,body{margin:0;padding:0}"
    "body{background:#ffffff;color:#202124;font:13px sans-serif}"
    "body.dark{background:#202124;color:#e8eaed}"
    "#page{box-sizing:border-box;padding:12px;min-height:100vh}"
    "#page.fixed{margin:0 auto;border-left:1px dashed #9aa0a6;border-right:1px dashed #9aa0a6}"
    "#message{white-space:pre-wrap;color:#b3261e}"
    "body.dark #message{color:#f2b8b5}";

}  // namespace

void RegisterPreviewScheme() {
  QWebEngineUrlScheme scheme(kPreviewScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  // Secure, so the box's items may load https images without mixed-content
  // trouble; not local, so they may load remote ones at all.
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
  QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl PreviewPageUrl() {
  QUrl url;
  url.setScheme(QString::fromLatin1(kPreviewScheme));
  url.setHost(QString::fromLatin1(kHost));
  url.setPath(QStringLiteral("/preview.html"));
  return url;
}

bool IsPreviewUrl(const QUrl& url) { return url.scheme() == QLatin1String(kPreviewScheme); }

QByteArray PreviewPageHtml(const QString& runtimeName, const QString& missingRuntimeText) {
  QByteArray glue(kGlue);
  glue.replace("__MISSING_RUNTIME__", JsString(missingRuntimeText));
  QByteArray html;
  html += "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Live preview</title>\n";
  html += "<style>";
  html += kStyle;
  html += "</style>\n<script src=\"";
  html += QUrl::toPercentEncoding(runtimeName);
  html += "\"></script>\n</head><body><div id=\"page\"><div id=\"stage\"></div>"
          "<div id=\"message\" hidden></div></div>\n<script>";
  html += glue;
  html += "</script>\n</body></html>\n";
  return html;
}

TPreviewSchemeHandler::TPreviewSchemeHandler(QString runtimePath, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent),
      runtimePath_(std::move(runtimePath)),
      runtimeName_(QFileInfo(runtimePath_).fileName()) {}

void TPreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  ++requests_;
  const QString path = job->requestUrl().path();
  QByteArray body;
  QByteArray type;
  if (path == PreviewPageUrl().path()) {
    type = "text/html";
    body = PreviewPageHtml(runtimeName_, QStringLiteral("The runtime script %1 is missing from the resource folder "
                                                        "(%2), so the box cannot be shown.")
                                             .arg(runtimeName_, QFileInfo(runtimePath_).absolutePath()));
  } else if (path == QLatin1Char('/') + runtimeName_) {
    QFile file(runtimePath_);
    if (!file.open(QIODevice::ReadOnly)) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    type = "text/javascript";
    body = file.readAll();
  } else {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  auto* buffer = new QBuffer(job);
  buffer->setData(body);
  buffer->open(QIODevice::ReadOnly);
  job->reply(type, buffer);
}
