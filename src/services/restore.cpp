#include "services/restore.h"

#include "services/changes.h"
#include "services/load_save.h"
#include "state/round.h"

#include <algorithm>
#include <ctime>

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
            clock.m_pauseRoundTotal.Add(t - pauseStart);
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

std::string restoreQuestionText(std::size_t count, std::int64_t lastChangeTime) {
    const std::time_t t = static_cast<std::time_t>(lastChangeTime);
    std::tm local{};
    localtime_r(&t, &local);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    return "Changes to this tournament were found that its file does not hold.\r\n" +
           std::to_string(count) + (count == 1 ? " change" : " changes") +
           ", the last one made at " + when +
           ".\r\n"
           "Press Yes to restore them\r\n"
           "Press No to discard them";
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
        clock.RTimer.Reset();
        clock.RTimer.Add(round);
        if (trail.paused)
            clock.m_pauseRoundTotal.Add(nowLocal - trail.pauseStart);
        clock.TourneyTick(WallTime{nowLocal});
    }
    return applied;
}

std::size_t openJournalAfterLoad(Session& session) {
    if (session.journalMode() == JournalMode::Off)
        return 0;
    const std::string path = journalFileName(session);
    FileFingerprint file;
    try {
        file = fingerprintOf(session.loadedFile());
    } catch (const RhError&) {
        return 0; // the file read a moment ago is gone: nothing to compare a journal with
    }
    const JournalContents contents = readJournal(path);
    const bool offered = contents.hasHeader && contents.file == file && !contents.changes.empty();
    std::size_t restored = 0;
    if (offered && ask(session.prompt(), kRestoreTitle,
                       restoreQuestionText(contents.changes.size(), contents.changes.back().time),
                       MsgButtons::YesNo, MsgIcon::Exclamation) == MsgAnswer::Yes)
        restored = replayChanges(session, contents.changes, localWallSeconds());
    if (session.journalMode() != JournalMode::Keep)
        return restored;
    try {
        // After a restore the journal goes on where it stopped; otherwise its changes were
        // declined (or belong to another file) and it starts again.
        session.setJournal(restored > 0 ? Journal::resume(path, contents)
                                        : Journal::create(path, file));
    } catch (const RhError& e) {
        session.ShowErrorMsg(kJournalTitle, e);
    }
    return restored;
}

void journalAfterSave(Session& session, const std::string& path) {
    Journal* journal = session.journal();
    if (!journal)
        return;
    try {
        journal->restart(fingerprintOf(path));
    } catch (const RhError& e) {
        session.setJournal(nullptr);
        session.ShowErrorMsg(kJournalTitle, e);
    }
}

void journalAfterRecoveryCopy(Session& session, const std::string& rcvPath) {
    if (session.journal() && session.journal()->file().path == absolutePath(rcvPath))
        journalAfterSave(session, rcvPath);
}

} // namespace rh
