#pragma once
// Addresses the pages build: a file path as a link, and the help topic of
// each group's help button.

#include <QString>

// A Windows path keeps its traditional form (every "\" to "/", every ":" to
// "|", "file:///" in front: C:\site\news.html gives file:///C|/site/news.html).
// An absolute POSIX path, which that rule would turn into "file:////...",
// becomes a proper file URL instead (file:///usr/share/...).
QString FileNameToUrl(const QString& path);

// Help page file of the help button with the given tag.
QString HelpTopicFile(int tag);

// Address of that page in the resource folder's "help" folder.
QString HelpTopicUrl(const QString& resourceFolder, int tag);
