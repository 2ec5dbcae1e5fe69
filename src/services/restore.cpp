#include "services/restore.h"

#include "persistence/atomic_file.h"
#include "services/changes.h"
#include "services/load_save.h"
#include "state/round.h"

#include <algorithm>
#include <ctime>
#include <optional>

namespace rh {

namespace {

constexpr const char* kJournalTitle = "Write Journal";

std::int64_t localOffset() {
    return localWallSeconds() - static_cast<std::int64_t>(std::time(nullptr));
}

// Follows the clock through the replay, so that at its end the round clock and the pause clock
// can be set from the wall clock.
struct ClockTrail {
    bool roundStarted = false;
    std::int64_t roundStart = 0; // local seconds the round in progress started
    bool paused = false;
    std::int64_t pauseStart = 0; // local seconds the pause in progress started

    void startRound(std::int64_t t) {
        roundStarted = true;
        roundStart = t;
    }

    // Counts the pause that ends at `t` into the round's pause clock.
    void endPause(TournamentClock& clock, std::int64_t t) {
        if (paused && clock.ticks().pause)
            clock.m_pauseRoundTotal.add(t - pauseStart);
        paused = false;
    }

    // The round clock's seconds at `t`: the wall time since the round began, less its pauses.
    std::int64_t roundSeconds(const TournamentClock& clock, std::int64_t t) const {
        if (!roundStarted)
            return clock.RTimer.totalSeconds();
        const std::int64_t pausedSeconds =
            clock.m_pauseRoundTotal.totalSeconds() + (paused ? t - pauseStart : 0);
        return std::max<std::int64_t>(0, t - roundStart - pausedSeconds);
    }
};

// The advance the window made right after a score: the round is complete and not the last.
bool advanceDue(const Session& session) {
    const TournamentState& s = session.state();
    return s.currentRound() < s.settings.TotalRounds() && isRoundComplete(s, s.currentRoundNo());
}

} // namespace

std::string journalFileName(const Session& session) {
    return GetSaveBaseName(session) + ".JNL";
}

std::string localTimeText(std::int64_t utcSeconds) {
    const std::time_t t = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
    localtime_r(&t, &local);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    return when;
}

std::string changesText(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " change" : " changes");
}

std::string restoreQuestionText(std::size_t count, std::int64_t lastChangeTime,
                                const std::string& notes) {
    return "Changes to this tournament were found that its file does not hold.\r\n" +
           changesText(count) + ", the last one made at " + localTimeText(lastChangeTime) +
           ".\r\n" + notes +
           "Press Yes to restore them\r\n"
           "Press No to leave them out (the journal that holds them is kept, not deleted)";
}

std::string damagedRecordsText(const std::vector<std::uint64_t>& records) {
    if (records.empty())
        return {};
    std::string numbers;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i > 0)
            numbers += i + 1 == records.size() ? " and " : ", ";
        numbers += std::to_string(records[i]);
    }
    return (records.size() == 1 ? "Record " + numbers + " of the journal is damaged"
                                : "Records " + numbers + " of the journal are damaged") +
           " and cannot be read; what it held cannot be restored.\r\n";
}

std::size_t replayChanges(Session& session, const std::vector<JournalEntry>& changes,
                          std::int64_t nowLocal) {
    TournamentClock& clock = session.clock();
    ClockTrail trail;
    std::size_t applied = 0;
    std::vector<SkippedChange> skipped;
    const std::int64_t offset = localOffset();
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const Change& c = changes[i].change;
        try {
            switch (c.kind) {
            case ChangeKind::ClockStart:
                applyChange(session, c);
                trail = ClockTrail{};
                trail.startRound(c.clockTime);
                break;
            case ChangeKind::ClockPause:
                applyChange(session, c);
                if (clock.ticks().pause && !trail.paused) {
                    trail.paused = true;
                    trail.pauseStart = c.clockTime;
                }
                break;
            case ChangeKind::ClockResume:
            case ChangeKind::ClockStop:
                trail.endPause(clock, c.clockTime);
                applyChange(session, c);
                break;
            case ChangeKind::RoundAdvance:
                trail.endPause(clock, c.clockTime);
                applyChange(session, c);
                trail.startRound(c.clockTime);
                break;
            default:
                applyChange(session, c);
            }
            ++applied;
            const bool advanceFollows =
                i + 1 < changes.size() && changes[i + 1].change.kind == ChangeKind::RoundAdvance;
            if (c.kind == ChangeKind::Score && !advanceFollows && advanceDue(session)) {
                // The crash came between the score and the advance it brought.
                const std::int64_t t = changes[i].time + offset;
                Change advance = Change::clock(ChangeKind::RoundAdvance, t);
                advance.round = session.tourney().CurrentRound() + 1;
                advance.value = std::to_string(trail.roundSeconds(clock, t));
                trail.endPause(clock, t);
                applyChange(session, advance);
                trail.startRound(t);
            }
        } catch (const RhError& e) {
            // A record that does not fit the tournament is left out; the rest are restored.
            skipped.push_back({changes[i].sequence, e.description()});
        }
    }
    if (!skipped.empty())
        showMessage(session.prompt(), kRestoreTitle, skippedChangesText(skipped),
                    MsgIcon::Exclamation);
    // The clocks as they stand now: the round time and a pause in progress counted to now.
    if (clock.m_tournamentStarted && trail.roundStarted) {
        const std::int64_t round =
            trail.roundSeconds(clock, trail.paused ? trail.pauseStart : nowLocal);
        clock.RTimer.reset();
        clock.RTimer.add(round);
        if (trail.paused)
            clock.m_pauseRoundTotal.add(nowLocal - trail.pauseStart);
        clock.tourneyTick(WallTime{nowLocal});
    }
    return applied;
}

namespace {

// Why a journal that holds changes cannot be used for the file just loaded.
std::string unusableReason(const JournalContents& journal, const FileFingerprint& loaded) {
    if (!journal.hasHeader)
        return "it is damaged at its start, so it does not say which file its changes belong to";
    if (sameFileOnDisk(journal.file.path, loaded.path))
        return "it belongs to this file as it was before the file changed";
    return "it belongs to " + journal.file.path +
           ", not to the file just loaded (a copy, or another file with the same tournament code)";
}

std::string heldText(const JournalContents& journal) {
    if (journal.changes.empty())
        return "no change that can be read";
    return changesText(journal.changes.size()) + ", the last one made at " +
           localTimeText(journal.changes.back().time);
}

// The changes of one journal that the loaded file lacks.
struct Offer {
    std::string path;
    JournalContents journal;
    std::size_t from = 0;
    std::string notes; // said in the question, before its buttons
};

bool isClockChange(ChangeKind kind) {
    return kind == ChangeKind::ClockStart || kind == ChangeKind::ClockPause ||
           kind == ChangeKind::ClockResume || kind == ChangeKind::ClockStop ||
           kind == ChangeKind::RoundAdvance;
}

// The changes to replay on a file that holds changes[0 .. from): those after it, and before
// them the clock's changes before it, since a file keeps no clock. The round goes back to where
// the first of those advances found it, so that each advance records its round's time again;
// when the advances do not lead one to the next up to the file's round, the round stays and the
// advances only mark when each round began.
std::vector<JournalEntry> replayFrom(Session& session, const std::vector<JournalEntry>& changes,
                                     std::size_t from) {
    std::vector<JournalEntry> out;
    long long firstRound = 0, expected = 0;
    bool consecutive = true;
    for (std::size_t i = 0; i < from; ++i) {
        const Change& c = changes[i].change;
        if (!isClockChange(c.kind))
            continue;
        out.push_back(changes[i]);
        if (c.kind != ChangeKind::RoundAdvance)
            continue;
        if (firstRound == 0)
            firstRound = expected = c.round;
        consecutive = consecutive && c.round == expected++;
    }
    TournamentSettings& t = session.tourney();
    if (firstRound > 0 && consecutive && expected - 1 == t.CurrentRound())
        t.setCurrentRound(static_cast<std::int16_t>(firstRound - 1));
    out.insert(out.end(), changes.begin() + static_cast<long>(from), changes.end());
    return out;
}

// Keeps the journal aside and says so; a journal that cannot be copied is left where it is (and
// said to be): it is never emptied.
std::string setAside(Session& session, const std::string& path, const std::string& tag,
                     bool& keptAside) {
    try {
        keptAside = true;
        return keepJournalAside(path, tag);
    } catch (const RhError& e) {
        keptAside = false;
        session.ShowErrorMsg(kJournalTitle, e);
        return {};
    }
}

} // namespace

std::size_t openJournalAfterLoad(Session& session) {
    const JournalMode mode = session.tournamentJournalMode();
    if (mode == JournalMode::Off)
        return 0;
    const bool writes = mode == JournalMode::Keep;
    const std::string path = journalFileName(session);
    FileFingerprint file;
    try {
        file = fingerprintOf(session.loadedFile());
    } catch (const RhError&) {
        return 0; // the file read a moment ago is gone: nothing to compare a journal with
    }
    const JournalContents live = readJournal(path);
    std::optional<Offer> offer;
    const std::optional<std::size_t> from = live.changesAfter(file);
    if (from) {
        if (*from < live.changes.size())
            offer = Offer{path, live, *from, {}};
        if (writes && !live.damaged.empty()) {
            // The journal goes on with its damaged records in it; a copy keeps them for good.
            bool kept = false;
            const std::string copy = setAside(session, path, "damaged", kept);
            const std::string said =
                damagedRecordsText(live.damaged) +
                (kept ? "A copy of the journal as it is was kept as " + copy + ".\r\n"
                      : std::string());
            if (offer)
                offer->notes = said;
            else
                showMessage(session.prompt(), kRestoreTitle, said, MsgIcon::Exclamation);
        } else if (offer) {
            offer->notes = damagedRecordsText(live.damaged);
        }
    } else if (live.holdsAnything()) {
        if (writes) {
            bool kept = false;
            const std::string aside = setAside(session, path, {}, kept);
            if (!kept)
                return 0; // no journal is kept rather than one that would lose these changes
            showMessage(
                session.prompt(), kRestoreTitle,
                "The journal of this tournament could not be used: " + unusableReason(live, file) +
                    ".\r\nIt holds " + heldText(live) + ".\r\nIt was kept as " + aside +
                    ", and is offered again when the file it belongs to is loaded.",
                MsgIcon::Exclamation);
        }
    }
    if (!offer && (!from || live.changes.empty())) {
        // A journal kept aside earlier may belong to this very file (and takes the place of
        // the tournament's journal only where that holds nothing, or was kept aside).
        for (const std::string& aside : journalsKeptAside(path)) {
            JournalContents kept = readJournal(aside);
            const std::optional<std::size_t> keptFrom = kept.changesAfter(file);
            if (keptFrom && *keptFrom < kept.changes.size()) {
                offer = Offer{aside, std::move(kept), *keptFrom,
                              "They are in the journal kept aside as " + aside + ".\r\n" +
                                  damagedRecordsText(kept.damaged)};
                break;
            }
        }
    }
    std::size_t restored = 0;
    bool taken = false;
    if (offer) {
        const std::vector<JournalEntry>& all = offer->journal.changes;
        const std::size_t lacking = all.size() - offer->from;
        taken = ask(session.prompt(), kRestoreTitle,
                    restoreQuestionText(lacking, all.back().time, offer->notes), MsgButtons::YesNo,
                    MsgIcon::Exclamation) == MsgAnswer::Yes;
        if (taken)
            restored =
                replayChanges(session, replayFrom(session, all, offer->from), localWallSeconds());
    }
    if (!writes)
        return restored;
    try {
        if (offer && !taken) {
            // Declined: kept under a name that is not offered again, and a new journal begins.
            bool kept = false;
            setAside(session, offer->path, "declined", kept);
            if (!kept)
                return restored;
            if (offer->path != path) {
                removeFile(offer->path); // its copy is kept
                session.setJournal(from ? Journal::resume(path, live)
                                        : Journal::create(path, file));
                return restored;
            }
            session.setJournal(Journal::create(path, file));
        } else if (offer && offer->path != path) {
            // A journal kept aside earlier goes on as the tournament's journal (the one in its
            // place was kept aside above, or held nothing).
            renameFile(offer->path, path);
            session.setJournal(Journal::resume(path, offer->journal));
        } else if (from) {
            session.setJournal(Journal::resume(path, live));
        } else {
            session.setJournal(Journal::create(path, file));
        }
    } catch (const RhError& e) {
        session.ShowErrorMsg(kJournalTitle, e);
    }
    return restored;
}

void journalAfterSave(Session& session, const std::string& path) {
    Journal* journal = session.journal();
    if (!journal)
        return;
    // The recovery copy goes before the journal starts again: a crash in between must not leave
    // a copy older than the saved file with a journal that no longer knows it.
    try {
        const std::string rcv = GetRcvFileName(session);
        if (PathExists(rcv))
            removeFile(rcv);
    } catch (const RhError&) {
        // The save removes it once more, and says so when it cannot.
    }
    try {
        journal->restart(fingerprintOf(path));
    } catch (const RhError& e) {
        session.setJournal(nullptr);
        session.ShowErrorMsg(kJournalTitle, e);
    }
}

void journalBeforeRecoveryCopy(Session& session, const std::string& tmpPath,
                               const std::string& rcvPath) {
    Journal* journal = session.journal();
    if (!journal)
        return;
    try {
        FileFingerprint copy = fingerprintOf(tmpPath);
        copy.path = absolutePath(rcvPath);
        journal->checkpoint(copy);
    } catch (const RhError& e) {
        session.setJournal(nullptr);
        session.ShowErrorMsg(kJournalTitle, e);
    }
}

} // namespace rh
