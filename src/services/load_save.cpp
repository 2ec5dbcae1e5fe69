#include "services/load_save.h"

#include "core/text.h"
#include "persistence/atomic_file.h"
#include "persistence/code_page.h"
#include "persistence/private_folder.h"
#include "persistence/tournament_format.h"
#include "persistence/tournament_lock.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "persistence/xml_document.h"
#include "services/changes.h"
#include "services/restore.h"

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace rh {

namespace {

// Reads and parses a file; a parse failure shows the parse report, a run-time error the "Load
// Document" message.
bool readDocument(Session& s, const std::string& path, ParsedFile& file) {
    TournamentFormat format;
    if (format.read(path, file))
        return true;
    if (format.parseError())
        showParseReport(s.prompt(), *format.parseError());
    else
        s.ShowErrorMsg(kLoadDocumentTitle, format.failure()->error);
    return false;
}

bool loadParsed(Session& s, const ParsedFile& file, TournamentState& target) {
    try {
        const ReadFindings findings = readTournament(file.doc, target, &file.plain);
        s.recordLoad(s.loadedFile(), !findings.empty());
        showFindings(s.prompt(), findings);
    } catch (const std::bad_alloc&) {
        s.ShowErrorMsg(kLoadDocumentTitle, RhError(err::OutOfMemory));
        return false;
    }
    showMessage(s.prompt(), kFileLoadTitle, kLoadedText, MsgIcon::Information);
    return true;
}

bool precheck(Session& s, const std::string& path, ParsedFile& file, TournamentState& target) {
    if (!readDocument(s, path, file))
        return false;
    ProcessTournamentInfo(file.doc, target.settings);
    return true;
}

bool askRecovery(Session& s) {
    return ask(s.prompt(), kRecoveryTitle, recoveryQuestionText(), MsgButtons::YesNo,
               MsgIcon::Exclamation) == MsgAnswer::Yes;
}

// Undoes the escapes the writer puts into element text.
std::string unescapeXml(std::string_view text) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool done = false;
        if (text[i] == '&') {
            for (const auto& [entity, c] : kEntities) {
                if (text.substr(i, entity.size()) == entity) {
                    out += c;
                    i += entity.size() - 1;
                    done = true;
                    break;
                }
            }
        }
        if (!done)
            out += text[i];
    }
    return out;
}

// The tournament code a file names, for finding its recovery copy when the file cannot be read
// whole: the "TourneyCode" element of what can be read of it, else the file name without its
// extension.
std::vector<std::string> codesOfUnreadable(const std::string& path) {
    std::vector<std::string> codes;
    try {
        const std::string text = ReadDataFile(path);
        const std::string open = "<TourneyCode>", close = "</TourneyCode>";
        std::size_t from = text.find(open);
        if (from != std::string::npos) {
            from += open.size();
            std::size_t to = text.find(close, from);
            if (to != std::string::npos)
                codes.push_back(trim(unescapeXml(std::string_view(text).substr(from, to - from))));
        }
    } catch (const RhError&) {
        // Nothing of it can be read: the file name is all there is.
    } catch (const std::bad_alloc&) {
    }
    std::string stem = std::filesystem::path(path).stem().string();
    if (!stem.empty() && (codes.empty() || codes.front() != stem))
        codes.push_back(stem);
    return codes;
}

// The recovery copy of the tournament with that code.
std::string recoveryFileOf(const std::string& code) {
    return GetTempDir() + "/Rankhall_" + fileNameOfCode(code) + ".RCV";
}

// The lock a load takes on its tournament, and whether the tournament is only viewed.
struct PendingLock {
    std::unique_ptr<TournamentLock> lock;
    bool viewOnly = false;
    bool fromOpenTournament = false; // the open tournament held it: a failed load gives it back
};

std::string holderText(const LockHolder& holder) {
    if (holder.pid == 0)
        return "another program";
    return (holder.program.empty() ? std::string("a program") : holder.program) + " (process " +
           std::to_string(holder.pid) + ")";
}

// Takes the lock on the tournament with that code, when this session keeps a journal. When
// another program holds it, asks whether to open the tournament for viewing only; No refuses
// the load (false) and says why in lockRefusal.
bool lockTournament(Session& s, const std::string& code, PendingLock& pending) {
    if (s.journalMode() != JournalMode::Keep)
        return true;
    const std::string path = GetTempDir() + "/Rankhall_" + fileNameOfCode(code) + ".LCK";
    if (s.lock() && s.lock()->path() == path) {
        pending.lock = s.takeLock(); // this program holds it already: a reload keeps it
        pending.fromOpenTournament = true;
        return true;
    }
    LockHolder holder;
    try {
        pending.lock = TournamentLock::acquire(path, holder);
    } catch (const RhError&) {
        return true; // no lock can be kept where no journal can be either: that is said then
    }
    if (pending.lock)
        return true;
    const std::string who = holderText(holder);
    if (ask(s.prompt(), kInUseTitle, inUseQuestionText(who), MsgButtons::YesNo,
            MsgIcon::Exclamation) == MsgAnswer::Yes) {
        pending.viewOnly = true;
        return true;
    }
    s.setLockRefusal("The tournament " + code + " is open in " + who +
                     "; only one program at a time can record its changes.");
    return false;
}

// Pre-check, the lock, the recovery question when the tournament's recovery copy exists, then
// the load, all into target. A file that cannot be read or parsed offers the recovery copy of
// its code (taken from what can be read of it, else from the file name) when one exists.
bool LoadDocument(Session& s, const std::string& path, TournamentState& target,
                  PendingLock& pending) {
    ParsedFile file;
    if (!precheck(s, path, file, target)) {
        // The file cannot be read: its tournament's recovery copy may still be whole.
        for (const std::string& code : codesOfUnreadable(path)) {
            std::string rcv = recoveryFileOf(code);
            if (!privateFileExists(rcv))
                continue;
            return lockTournament(s, code, pending) && askRecovery(s) &&
                   LoadXMLDocument(s, rcv, target);
        }
        return false;
    }
    if (!lockTournament(s, target.settings.TourneyCode(), pending))
        return false;
    std::string rcv = recoveryFileOf(target.settings.TourneyCode());
    if (privateFileExists(rcv) && askRecovery(s))
        return LoadXMLDocument(s, rcv, target);
    // The chosen file was parsed a moment ago; its tree is read as it stands.
    s.recordLoad(path, s.loadReportedError());
    return loadParsed(s, file, target);
}

} // namespace

std::string exitQuestionText() {
    return "A tournament is in progress.\r\n"
           "If you press Ok, you will lose your data\r\n"
           "Press Cancel to resume with your existing data\r\n"
           "You can SAVE your existing tournament with the Save button of the Load / Money tab";
}

std::string closeQuestionText() {
    return "A tournament is in progress.\r\n"
           "If you press Discard, you will lose your data\r\n"
           "Press Cancel to resume with your existing data\r\n"
           "You can SAVE your existing tournament by pressing Save";
}

std::string inUseQuestionText(const std::string& holder) {
    return "This tournament is open in " + holder +
           ".\r\n"
           "Only one program at a time can record its changes.\r\n"
           "Press Yes to look at it here (changes are made only where it is open)\r\n"
           "Press No to leave it closed";
}

std::string recoveryQuestionText() {
    return "A Recovery File Exists\r\n"
           "Would you like to load from the Recovery file?\r\n"
           "Press Yes to load from Recovery File\r\n"
           "Press No to load from Original File";
}

namespace {
bool askExit(Session& s) {
    return ask(s.prompt(), kExitTitle, exitQuestionText(), MsgButtons::OkCancel,
               MsgIcon::Exclamation) == MsgAnswer::Ok;
}
} // namespace

bool confirmDiscard(Session& s) {
    return !s.isLoaded() || !s.isModified() || askExit(s);
}

bool confirmExit(Session& s) {
    if (!s.isLoaded() || !s.isModified())
        return true;
    switch (ask(s.prompt(), kExitTitle, closeQuestionText(), MsgButtons::SaveDiscardCancel,
                MsgIcon::Exclamation)) {
    case MsgAnswer::Save:
        return cmdSave(s);
    case MsgAnswer::Discard:
        return true;
    default:
        return false;
    }
}

namespace {

// Ends a load's bracket however the load ends.
class LoadBracket {
public:
    explicit LoadBracket(Session& s) : m_session(s) { m_session.beginLoad(); }
    ~LoadBracket() { m_session.endLoad(); }
    LoadBracket(const LoadBracket&) = delete;
    LoadBracket& operator=(const LoadBracket&) = delete;

private:
    Session& m_session;
};

void fillViews(Session& s, const std::function<void()>& refreshViews) {
    s.markViewsFilled();
    PayoutTable& payout = s.payout();
    payout.setPayoutsEnabled(true);
    payout.InitPayoutControls(true);
    s.refresh().requestPayoutRebuild();
    // A loaded tournament's expenses are a number: the net payout subtracts them.
    payout.UpdateNetPayout(s, true);
    s.markChangedSinceSave();
    if (refreshViews)
        refreshViews();
}

} // namespace

bool loadTournament(Session& s, const std::string& path,
                    const std::function<void()>& refreshViews) {
    const LoadBracket bracket(s);
    if (!ResetAndLoad(s, path))
        return false;
    fillViews(s, refreshViews);
    return true;
}

void finishLoad(Session& s, const std::function<void()>& refreshViews) {
    const LoadBracket bracket(s);
    s.markRead();
    fillViews(s, refreshViews);
}

void openBuiltTournament(Session& s, std::shared_ptr<TournamentState> state,
                         const std::function<void()>& refreshViews) {
    const LoadBracket bracket(s);
    s.openTournament(std::move(state));
    fillViews(s, refreshViews);
}

bool ResetAndLoad(Session& s, const std::string& path) {
    // Read into a tournament of its own: the open one stays whole until the new one is in.
    auto fresh = std::make_shared<TournamentState>();
    const bool errorsBefore = s.loadReportedError();
    const std::string fileBefore = s.loadedFile();
    std::string chosen = path;
    bool loaded = false;
    PendingLock pending;
    s.setLockRefusal({});
    if (chosen.empty()) {
        FileDialogSpec dialogSpec;
        dialogSpec.filter = kOpenFilter;
        dialogSpec.initialPath = s.dialogFiles().openFile();
        chosen = s.prompt().chooseOpenFile(dialogSpec);
        loaded = !chosen.empty() && LoadDocument(s, chosen, *fresh, pending);
    } else {
        loaded = LoadDocument(s, chosen, *fresh, pending);
    }
    if (!loaded) {
        s.recordLoad(fileBefore, errorsBefore);
        if (pending.fromOpenTournament)
            s.holdTournament(std::move(pending.lock), false); // the open one keeps it
        return false;
    }
    s.openTournament(std::move(fresh));
    s.holdTournament(std::move(pending.lock), pending.viewOnly);
    // The clock goes back to idle with the tournament: no round is being timed any more.
    s.clock().resetForLoad(WallTime{localWallSeconds()});
    s.markChangedSinceSave();
    // Saving offers the tournament just loaded, not the file the previous one was saved to.
    s.dialogFiles().rememberLoaded(chosen);
    s.markUnmodified();
    // Changes the journal gives back are not in the file: they count as changed.
    openJournalAfterLoad(s);
    return true;
}

bool LoadXMLDocument(Session& s, const std::string& path, TournamentState& target) {
    ParsedFile file;
    if (!readDocument(s, path, file))
        return false;
    s.recordLoad(path, s.loadReportedError());
    return loadParsed(s, file, target);
}

bool LoadXMLDocument(Session& s, const std::string& path) {
    return LoadXMLDocument(s, path, s.state());
}

FileDialogSpec saveDialogSpec(const Session& s) {
    FileDialogSpec dialogSpec;
    dialogSpec.title = kSaveTitle;
    dialogSpec.filter = kSaveFilter;
    dialogSpec.defaultExtension = "QMC";
    dialogSpec.confirmOverwrite = true;
    dialogSpec.pathMustExist = true;
    dialogSpec.initialPath = s.dialogFiles().saveFile();
    return dialogSpec;
}

std::string viewOnlySaveQuestionText() {
    return "This tournament is open in another program, which records its changes.\r\n"
           "A save here would not hold the changes made there, and a save over its file would "
           "replace them.\r\n"
           "Press Yes to save anyway\r\n"
           "Press No to leave the files as they are";
}

std::string saveFailedText(const std::string& path, const RhError& error) {
    return "The tournament could not be saved to " + path + "\r\n" + error.description() +
           " (error " + std::to_string(error.number()) + ")\r\nSave it somewhere else?";
}

bool cmdSave(Session& s) {
    if (!s.isLoaded())
        return false; // nothing to save: the empty tournament is never written
    if (s.viewOnly() && ask(s.prompt(), kSaveTitle, viewOnlySaveQuestionText(), MsgButtons::YesNo,
                            MsgIcon::Exclamation) != MsgAnswer::Yes)
        return false;
    std::string path = s.prompt().chooseSaveFile(saveDialogSpec(s));
    if (path.empty())
        return false;
    s.dialogFiles().rememberSaved(path);
    return SaveTournament(s, path);
}

bool isReadOnlyFile(const std::string& path) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::is_regular_file(status))
        return false;
    // No write bit at all is read-only even for the superuser, whom access() lets write.
    using std::filesystem::perms;
    if ((status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) ==
        perms::none)
        return true;
    return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

namespace {
// The question before a read-only file is replaced, naming it.
std::string replaceReadOnlyText(const std::string& path) {
    return "The file " + path + " is read-only.\r\nReplace it with this tournament all the same?";
}
} // namespace

bool SaveTournament(Session& s, const std::string& path) {
    if (!s.isLoaded())
        return false;
    std::string text;
    try {
        text = buildTournamentXml(s.state());
    } catch (const RhError& e) {
        s.ShowErrorMsg("CreateSaveDoc", e);
        return false;
    } catch (const std::bad_alloc&) {
        s.ShowErrorMsg("CreateSaveDoc", RhError(err::OutOfMemory));
        return false;
    }
    std::string target = path;
    while (true) {
        try {
            // The atomic write renames over a read-only file as over any other: the director
            // says first whether it may be replaced (No offers the save dialog again).
            if (!isReadOnlyFile(target) ||
                ask(s.prompt(), kSaveTitle, replaceReadOnlyText(target), MsgButtons::YesNo,
                    MsgIcon::Exclamation) == MsgAnswer::Yes) {
                writeFileAtomic(target, MaskText(text));
                break;
            }
        } catch (const RhError& e) {
            // Say where and why, and let the director choose another place.
            if (ask(s.prompt(), kSaveTitle, saveFailedText(target, e), MsgButtons::YesNo,
                    MsgIcon::Exclamation) != MsgAnswer::Yes)
                return false;
        } catch (const std::bad_alloc&) {
            s.ShowErrorMsg("SaveFile", RhError(err::OutOfMemory));
            return false;
        }
        FileDialogSpec dialogSpec = saveDialogSpec(s);
        dialogSpec.initialPath = target;
        target = s.prompt().chooseSaveFile(dialogSpec);
        if (target.empty())
            return false;
        s.dialogFiles().rememberSaved(target);
    }
    showMessage(s.prompt(), kFileLoadTitle, kSavedText, MsgIcon::Information);
    s.markSaved();
    s.markUnmodified();
    journalAfterSave(s, target);
    if (s.viewOnly())
        return true; // the recovery copy is the other program's, which holds the tournament
    std::string rcv = GetRcvFileName(s);
    try {
        if (PathExists(rcv))
            removeFile(rcv);
    } catch (const RhError& e) {
        s.ShowErrorMsg("cmdSave", e);
    }
    return true;
}

bool SaveData(Session& s, bool showMessage) {
    if (s.viewOnly())
        return false; // the recovery copy is the other program's, which holds the tournament
    std::string tmp = GetTmpFileName(s);
    std::string rcv = GetRcvFileName(s);
    // A recovery copy holds the whole tournament: for its owner's eyes only.
    if (!CreateSaveDoc(s.state(), s.prompt(), tmp, showMessage, true, FileAccess::OwnerOnly))
        return false;
    try {
        // The journal says first that the copy holds every change so far: a crash before the
        // rename leaves a checkpoint of a copy that never was, which matches nothing.
        journalBeforeRecoveryCopy(s, tmp, rcv);
        // The rename replaces the old recovery copy in one step: there is never a moment
        // without one.
        renameFile(tmp, rcv);
        return true;
    } catch (const RhError& e) {
        s.ShowErrorMsg("SaveData", e);
    }
    try {
        removeFile(tmp);
    } catch (const RhError&) {
        // Nothing more to tell: the next recovery save overwrites it.
    }
    return false;
}

std::string GetSaveBaseName(const Session& s) {
    return GetTempDir() + "/Rankhall_" + fileNameOfCode(s.tourney().TourneyCode());
}

std::string GetTmpFileName(const Session& s) {
    return GetSaveBaseName(s) + ".TMP";
}

std::string GetRcvFileName(const Session& s) {
    return GetSaveBaseName(s) + ".RCV";
}

} // namespace rh
