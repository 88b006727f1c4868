#include "editor/pages/page_links.h"

#include <QUrl>
#include <array>

QString FileNameToUrl(const QString& path) {
  if (path.startsWith(u'/') && !path.startsWith(QStringLiteral("//")))
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
  QString url = path;
  url.replace(u'\\', u'/');
  url.replace(u':', u'|');
  return QStringLiteral("file:///") + url;
}

QString HelpTopicFile(int tag) {
  static const std::array<const char*, 9> kTopics = {
      "customizing_js_script_script_general.htm", "customizing_js_script_script_border.htm",
      "customizing_js_script_script_misc.htm",    "customizing_js_script_text_title.htm",
      "customizing_js_script_text_content.htm",   "customizing_js_menu_path_path.htm",
      "customizing_js_item_item_title.htm",       "customizing_js_item_item_link.htm",
      "customizing_js_item_item_content.htm",
  };
  if (tag < 1 || tag > static_cast<int>(kTopics.size())) return QStringLiteral("getting_started.htm");
  return QString::fromLatin1(kTopics[static_cast<size_t>(tag - 1)]);
}

QString HelpTopicUrl(const QString& resourceFolder, int tag) {
  QString folder = resourceFolder;
  if (!folder.isEmpty() && !folder.endsWith(u'/') && !folder.endsWith(u'\\')) folder += u'/';
  return FileNameToUrl(folder + QStringLiteral("help/") + HelpTopicFile(tag));
}
