#pragma once
// Path replacement at publishing: the Path page's two root folders let one
// project hold links that work on the designer's computer and on the web
// server. Only the generated output changes; the stored link stays as typed.

#include <string>

#include "model/applet_data.h"

// The link as the generated script writes it. When both roots are set and
// the link begins with the root being converted from (the local root for
// "Upload to Web Server", pInternalUse_RootDir_Local_Checked other than "1";
// the web root for "Test on Local Computer", "1"), that root is replaced by
// the other. In file: addresses and drive paths letter case does not count
// and a drive written "C|" is the same as "C:". Any other link comes back
// byte for byte.
std::string PublishedLink(const std::string& link, const TAppletData& applet);
