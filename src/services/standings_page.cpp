#include "services/standings_page.h"

#include "core/errors.h"
#include "core/prompt.h"
#include "services/views.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace rh {

namespace {

bool s_htmlBusy = false;

struct BusyGuard {
    BusyGuard() { s_htmlBusy = true; }
    ~BusyGuard() { s_htmlBusy = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
};

int errorNumberOf(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
        return err::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return err::PermissionDenied;
    case ENOSPC:
        return err::DiskFull;
    default:
        return err::PathFileAccess;
    }
}

} // namespace

std::string buildHtmlPage(const Session& session, bool tickOn,
                          const std::vector<LeaderEntry>& entries) {
    return standingsPage(session.state(), session.currency, tickOn, entries);
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
    return session.tempDir + "/" + session.htmlFileName();
}

bool writeStandingsPage(Session& session, const std::string& path, const std::string& text) {
    namespace fs = std::filesystem;
    const std::string temp = path + ".tmp";
    int number = 0;
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            number = errorNumberOf(errno);
        } else {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            out.flush();
            if (!out)
                number = errorNumberOf(errno);
            out.close();
            if (!number && out.fail())
                number = errorNumberOf(errno);
        }
    }
    if (!number) {
        std::error_code ec;
        fs::rename(temp, path, ec);
        if (ec)
            number = errorNumberOf(ec.value());
    }
    if (number) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        session.ShowErrorMsg("SaveHTMLFile", RhError(number));
        return false;
    }
    return true;
}

bool publishStandingsPage(Session& session, bool tickOn) {
    if (!session.dataFileLoaded || s_htmlBusy)
        return false;
    BusyGuard busy;
    std::string page = buildHtmlPage(session, tickOn);
    return writeStandingsPage(session, standingsPagePath(session), page);
}

bool htmlBusy() {
    return s_htmlBusy;
}

} // namespace rh
