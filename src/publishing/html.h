#pragma once
// The HTML standings page for a second screen: the standings grid's rows, drawn from the very
// same leader entries in the same order, as one self-refreshing page in the temporary folder.
// The page is ASCII: every text that comes from the tournament is escaped (& < > " ' and every
// character beyond ASCII as a character reference), so it reads the same in any browser encoding.

#include "standings/leaders.h"

#include <string>
#include <string_view>
#include <vector>

namespace rh {

class Session;

/// The maker's web site, linked from the page's banner row.
inline constexpr const char* kMakerSite = "https://www.rankhall.example/";

/// Text for an HTML page: & < > " ' escaped, characters beyond ASCII as "&#N;".
std::string htmlEscape(std::string_view text);

/// The whole page, lines ended by CR LF. The browser is asked to reload every second while the
/// HTML tick runs (`tickOn`), else every 15 seconds. Rebuilds the leader list and the payouts.
/// An error while the rows are built shows "Create HTML Table Row: " + description (OK, the
/// application's title); the page then holds the rows made until then.
std::string buildHtmlPage(Session& session, bool tickOn);
/// The page with the given leader entries as its rows (entries the standings grid was just built
/// from, so one refresh need not build them twice).
std::string buildHtmlPage(const Session& session, bool tickOn,
                          const std::vector<LeaderEntry>& entries);

/// tempDir + "/" + "Quillmark" + code + ".html".
std::string GetHTMLpath(const Session& session);

/// Writes the text as the file's whole content, atomically (a temporary file in the same folder
/// renamed over the old page, so a failed write keeps the previous page). A failure shows the
/// common error message titled "SaveHTMLFile" and returns false.
bool SaveHTMLFile(Session& session, const std::string& path, const std::string& text);

/// Builds and writes the page. Does nothing (false) before a tournament is loaded and while a
/// page is being built (a nested request is dropped). True when the page was written.
bool PublishHTML(Session& session, bool tickOn);

/// Whether a page is being built right now.
bool htmlBusy();

} // namespace rh
