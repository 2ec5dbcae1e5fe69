#include "services/standings_page.h"

#include "core/errors.h"
#include "core/prompt.h"
#include "persistence/atomic_file.h"
#include "services/views.h"

#include <filesystem>
#include <new>

namespace rh {

namespace {

bool s_htmlBusy = false;

struct BusyGuard {
    BusyGuard() { s_htmlBusy = true; }
    ~BusyGuard() { s_htmlBusy = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
};

} // namespace

std::string buildHtmlPage(const Session& session, bool tickOn,
                          const std::vector<LeaderEntry>& entries) {
    return standingsPage(session.state(), session.currency(), tickOn, entries);
}

std::string buildHtmlPage(const Session& session, bool tickOn, const std::vector<LeaderRow>& rows) {
    return standingsPage(session.state(), session.currency(), tickOn, rows.size(),
                         [&](std::size_t i) -> const LeaderEntry& { return rows[i].entry; });
}

std::string buildHtmlPage(Session& session, bool tickOn) {
    std::vector<LeaderEntry> entries;
    bool failed = false;
    std::string description;
    try {
        entries = leaderEntries(session);
    } catch (const RhError& e) {
        failed = true;
        description = e.description();
    }
    std::string page = buildHtmlPage(session, tickOn, entries);
    if (failed)
        showMessage(session.prompt(), kAppTitle, "Create HTML Table Row: " + description);
    return page;
}

std::string standingsPagePath(const Session& session) {
    return session.tempDir() + "/" + session.htmlFileName();
}

bool writeStandingsPage(Session& session, const std::string& path, const std::string& text) {
    // Through the one atomic writer: a temporary file of a unique name in the same folder,
    // renamed over the old page, never a fixed name a planted link could redirect. A page of the
    // temporary folder is a file of the private folder; one written where the director asked
    // (-o) is the director's own.
    const bool published =
        std::filesystem::path(path).parent_path() == std::filesystem::path(session.tempDir());
    try {
        writeFileAtomic(path, text, published ? FileAccess::OwnerOnly : FileAccess::Usual);
        return true;
    } catch (const RhError& e) {
        session.ShowErrorMsg("SaveHTMLFile", e);
    } catch (const std::bad_alloc&) {
        session.ShowErrorMsg("SaveHTMLFile", RhError(err::OutOfMemory));
    }
    return false;
}

bool publishStandingsPage(Session& session, bool tickOn) {
    if (!session.isLoaded() || s_htmlBusy)
        return false;
    BusyGuard busy;
    std::string page = buildHtmlPage(session, tickOn);
    return writeStandingsPage(session, standingsPagePath(session), page);
}

bool htmlBusy() {
    return s_htmlBusy;
}

} // namespace rh
