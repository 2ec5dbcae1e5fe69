#pragma once
// The HTML standings page of the open tournament: built from the same leader entries as the
// standings grid and published in the temporary folder, where the second screen's browser reloads
// it. Errors are shown through the session's prompt.

#include "publishing/html.h"
#include "services/session.h"
#include "standings/leader_rows.h"

#include <string>
#include <vector>

namespace rh {

/// The whole page. Rebuilds the leader list and the payouts. An error while the rows are built
/// shows "Create HTML Table Row: " + description (OK, the application's title); the page then
/// holds the rows made until then.
std::string buildHtmlPage(Session& session, bool tickOn);
/// The page with the given leader entries as its rows (entries the standings grid was just built
/// from, so one refresh need not build them twice).
std::string buildHtmlPage(const Session& session, bool tickOn,
                          const std::vector<LeaderEntry>& entries);
/// The page with the entries of the standings grid's rows just built.
std::string buildHtmlPage(const Session& session, bool tickOn, const std::vector<LeaderRow>& rows);
/// tempDir + "/" + "Quillmark" + code + ".html".
std::string standingsPagePath(const Session& session);
/// Writes the text as the file's whole content, atomically (a temporary file in the same folder
/// renamed over the old page, so a failed write keeps the previous page). A failure shows the
/// common error message titled "SaveHTMLFile" and returns false.
bool writeStandingsPage(Session& session, const std::string& path, const std::string& text);
/// Builds and writes the page. Does nothing (false) before a tournament is loaded and while a
/// page is being built (a nested request is dropped). True when the page was written.
bool publishStandingsPage(Session& session, bool tickOn);
/// Whether a page is being built right now.
bool htmlBusy();

} // namespace rh
