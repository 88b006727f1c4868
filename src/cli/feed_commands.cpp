// feed: fills a project's items from an RSS, Atom or JSON feed, so a box run
// from cron or a site's build stays current.

#include <cstdio>
#include <iostream>

#include "cli/cli_commands.h"
#include "feed/feed_import.h"
#include "model/applet_agent.h"
#include "model/file_io.h"
#include "model/vocabulary.h"

namespace {

int FeedUsage() {
  std::cerr << "Usage: lumeroll-cli feed SOURCE PROJECT.jslr [--max N]\n";
  return kExitUsage;
}

int RunFeed(const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  size_t max = kDefaultFeedItems;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--max") {
      if (i + 1 == args.size()) return FeedUsage();
      const std::optional<int32_t> n = ParseWholeNumber(args[++i]);
      if (!n || *n < 1) {
        std::cerr << "lumeroll-cli feed: --max wants a whole number of at "
                     "least 1, not '"
                  << args[i] << "'\n";
        return kExitUsage;
      }
      max = static_cast<size_t>(*n);
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) return FeedUsage();
  const std::string& source = positional[0];
  const std::string& projectPath = positional[1];

  // The project is read before the feed is fetched, so that a project that
  // cannot be read costs no download; it is written only when both are sound.
  TkvdAppletAgent agent;
  agent.SetDefaults();
  if (FileExists(projectPath)) {
    std::vector<int> parents;
    if (TResult r = agent.LoadProject(projectPath, parents); !r) return FailIn(projectPath, r);
  }
  TItemArray items;
  if (TResult r = ReadFeedItems(source, max, TFetchLimits{}, items); !r) return Fail(r.message);
  const size_t count = items.size();
  // Read again under the folder's lock: a publish or another feed may have
  // rewritten the project during the download, and its result must not be
  // undone by the copy read before.
  TFolderLock lock;
  if (TResult r = lock.Acquire(FolderPart(projectPath)); !r) return Fail(r.message);
  agent.SetDefaults();
  if (FileExists(projectPath)) {
    std::vector<int> parents;
    if (TResult r = agent.LoadProject(projectPath, parents); !r) return FailIn(projectPath, r);
  }
  agent.ReplaceProject(agent.AppletData(), std::move(items), agent.FileVersion);
  if (TResult r = agent.SaveProject(projectPath); !r) return FailIn(projectPath, r);
  std::cerr << "Read " << count << " items from " << EscapeControlCharacters(HideAddressCredentials(source)) << "\n";
  return 0;
}

}  // namespace

void RegisterFeedCommands(TCliCommandTable& table) {
  table.push_back({"feed",
                   "SOURCE PROJECT.jslr [--max N]",
                   "replace a project's items with a feed's newest entries (a "
                   "file or an http(s) address)",
                   RunFeed,
                   {"--max N"}});
}
