// Saves that go wrong half-way: the process killed in the middle of a save, the folder filling up,
// the folder turning read-only. Each time the tournament file already on the disk must stay whole
// and load as the tournament it was (or, after a kill, as the one being saved, complete). And the
// recovery copy written when a round ends gives back every score entered until then.
//
// The failures are real ones, made in a forked child so the test process itself is untouched:
//  - a kill: SIGKILL at a random moment while the child saves in a loop;
//  - a full disk: RLIMIT_FSIZE in the child (SIGXFSZ ignored), so write() fails with EFBIG once
//    the temporary file reaches the limit, exactly as it fails with ENOSPC on a full disk;
//  - a read-only folder: the child drops to an unprivileged user when it runs as root (root
//    ignores permission bits), saves once, takes the write permission off the folder and saves
//    again, so creating the temporary file fails with EACCES.
#include "core/errors.h"
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "engine_fixture.h"
#include "persistence/tournament_writer.h"
#include "services/load_save.h"
#include "services/round_advance.h"
#include "services/session.h"
#include "state/round.h"
#include "support/generator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace rh;
namespace fs = std::filesystem;

namespace {

test::GeneratorOptions shape(int entrants, int rounds, int scored, std::uint64_t seed) {
    test::GeneratorOptions o;
    o.entrants = entrants;
    o.rounds = rounds;
    o.scoredRounds = scored;
    o.seed = seed;
    o.code = "FAULT";
    return o;
}

// Loads a file through the window's load path (a recovery copy lying in the temporary folder is
// declined); the dump of what it holds, or "" when it does not load or loads with a report.
std::string loadedDump(const std::string& path) {
    ScriptedPrompt prompt;
    prompt.defaultYesNo = MsgAnswer::No;
    Session session(prompt);
    if (!ResetAndLoad(session, path))
        return {};
    for (const Message& m : prompt.messages())
        if (m.text != kLoadedText && m.title != kRecoveryTitle)
            return {};
    return buildTournamentXml(session.state());
}

// "" when the two dumps are equal, else the first line where they differ (a dump is long).
std::string firstDifference(const std::string& a, const std::string& b) {
    if (a == b)
        return {};
    std::size_t line = 1, i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        if (a[i++] == '\n')
            ++line;
    auto lineAt = [&](const std::string& s) {
        std::size_t from = s.rfind('\n', i == 0 ? 0 : i - 1);
        from = from == std::string::npos || i == 0 ? 0 : from + 1;
        return s.substr(from, s.find('\n', from) - from);
    };
    return "line " + std::to_string(line) + ": [" + lineAt(a) + "] against [" + lineAt(b) + "]";
}

// Files in the folder other than the ones named.
std::vector<std::string> strayFiles(const fs::path& folder, const std::vector<std::string>& known) {
    std::vector<std::string> out;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (std::find(known.begin(), known.end(), name) == known.end())
            out.push_back(name);
    }
    return out;
}

// Exit codes of the children.
constexpr int kChildFailedAsExpected = 0;
constexpr int kChildSaved = 10;
constexpr int kChildWrongMessage = 11;
constexpr int kChildSetupFailed = 12;

class FaultInjection : public ::testing::Test {
protected:
    void SetUp() override {
        test::generateTournament(oldState, shape(48, 8, 4, 1));
        test::generateTournament(newState, shape(600, 24, 12, 2));
        target = (dir / "club.qmc").string();
        ASSERT_TRUE(CreateSaveDoc(oldState, prompt, target, false));
        oldDump = loadedDump(target);
        ASSERT_FALSE(oldDump.empty());

        std::string scratch = (dir / "new-reference.qmc").string();
        ASSERT_TRUE(CreateSaveDoc(newState, prompt, scratch, false));
        newDump = loadedDump(scratch);
        ASSERT_FALSE(newDump.empty());
        ASSERT_NE(oldDump, newDump);
        fs::remove(scratch);
    }

    // The target holds the old tournament, whole, and nothing else was left in its folder.
    void expectOldTournamentAndNoLeftovers(const fs::path& folder) {
        EXPECT_EQ(firstDifference(loadedDump(target), oldDump), "")
            << "the previous tournament file was damaged";
        const std::string privateName = test::privateFolder(dir).filename().string();
        EXPECT_EQ(strayFiles(folder, {"club.qmc", privateName}), std::vector<std::string>{})
            << "a failed save left a temporary file behind";
    }

    test::TempDir dir;
    ScriptedPrompt prompt;
    TournamentState oldState, newState;
    std::string target, oldDump, newDump;
};

// ---------------------------------------------------------------------------------------------
// Killed in the middle of a save.

TEST_F(FaultInjection, KilledAtRandomMomentsTheFileIsAlwaysOneWholeTournament) {
    // How long one save of the new tournament takes here, to spread the kills over a few saves.
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(CreateSaveDoc(newState, prompt, (dir / "timing.qmc").string(), false));
    auto oneSave = std::chrono::steady_clock::now() - start;
    fs::remove(dir / "timing.qmc");
    auto spread = std::chrono::duration_cast<std::chrono::microseconds>(oneSave * 3).count() + 1;

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("kill delays drawn with seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<long long> delay(0, spread);

    int kills = 0, midWrite = 0, sawOld = 0, sawNew = 0;
    // Enough kills to have caught several saves half-written (a temporary file left behind).
    while (kills < 400 && (kills < 25 || midWrite < 5)) {
        // The child says when it starts saving, so a busy machine's slow start of a process never
        // swallows the delay; and while no kill lands inside a write, the delays grow.
        if (kills > 0 && kills % 40 == 0 && midWrite == 0)
            delay = std::uniform_int_distribution<long long>(0, delay.max() * 2);
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            ScriptedPrompt quiet;
            const char go = 1;
            [[maybe_unused]] ssize_t said = ::write(ready[1], &go, 1);
            for (bool newer = true;; newer = !newer)
                CreateSaveDoc(newer ? newState : oldState, quiet, target, false);
        }
        ::close(ready[1]);
        char go = 0;
        [[maybe_unused]] ssize_t heard = ::read(ready[0], &go, 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        ++kills;

        std::string dump = loadedDump(target);
        ASSERT_TRUE(dump == oldDump || dump == newDump)
            << "after kill " << kills << " the file is neither tournament, whole";
        (dump == oldDump ? sawOld : sawNew)++;

        // A kill between creating the temporary file and the rename leaves that file behind; it
        // is never the tournament file and never read. Clear it for the next round.
        auto strays = strayFiles(dir.path(), {"club.qmc"});
        if (!strays.empty())
            ++midWrite;
        for (const auto& name : strays)
            fs::remove(dir / name);
    }
    RecordProperty("kills", kills);
    RecordProperty("killedMidWrite", midWrite);
    EXPECT_GE(midWrite, 1) << "no kill landed inside a write in " << kills << " tries";
    std::printf("%d kills, %d in the middle of a write; the file held the old tournament %d "
                "times, the new one %d times\n",
                kills, midWrite, sawOld, sawNew);
}

// ---------------------------------------------------------------------------------------------
// The disk fills up half-way; the folder turns read-only between two saves.

// Runs `save` in a child and answers its exit code: kChildFailedAsExpected when the save failed
// with the message of `expected`, kChildSaved when it claimed success.
int saveInChild(const std::function<bool(ScriptedPrompt&)>& save, int expected) {
    const pid_t child = ::fork();
    if (child == 0) {
        ScriptedPrompt quiet;
        if (save(quiet))
            ::_exit(kChildSaved);
        const auto messages = quiet.messages();
        ::_exit(messages.size() == 1 && messages[0].text == commonErrorText(RhError(expected))
                    ? kChildFailedAsExpected
                    : kChildWrongMessage);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "the child died of signal " << WTERMSIG(status);
    return WEXITSTATUS(status);
}

TEST_F(FaultInjection, DiskFullHalfWayKeepsThePreviousFileWhole) {
    // A file-size limit (SIGXFSZ ignored) makes write() fail with EFBIG as a full disk does.
    const std::string probe = (dir / "size-probe.qmc").string();
    ASSERT_TRUE(CreateSaveDoc(newState, prompt, probe, false));
    const rlim_t size = fs::file_size(probe);
    fs::remove(probe);
    ASSERT_GT(size, 4096u);
    // Full before the first byte, after one byte, half-way, one byte short of the end; then room.
    for (rlim_t limit : {rlim_t(0), rlim_t(1), size / 2, size - 1, size}) {
        SCOPED_TRACE("room for " + std::to_string(limit) + " of " + std::to_string(size));
        const int code = saveInChild(
            [&](ScriptedPrompt& quiet) {
                std::signal(SIGXFSZ, SIG_IGN);
                struct rlimit rl {
                    limit, limit
                };
                if (::setrlimit(RLIMIT_FSIZE, &rl) != 0)
                    ::_exit(kChildSetupFailed);
                return CreateSaveDoc(newState, quiet, target, false);
            },
            err::DiskFull);
        if (limit == size) {
            EXPECT_EQ(code, kChildSaved);
            EXPECT_EQ(firstDifference(loadedDump(target), newDump), "");
        } else {
            EXPECT_EQ(code, kChildFailedAsExpected)
                << "10: the save claimed success, 11: not the disk-full message, 12: no limit";
            expectOldTournamentAndNoLeftovers(dir.path());
        }
    }
}

TEST_F(FaultInjection, FolderTurnedReadOnlyKeepsThePreviousFileWhole) {
    const fs::path folder = dir / "club";
    fs::create_directory(folder);
    target = (folder / "club.qmc").string();
    // Root writes into any folder whatever its bits say, so the saving child runs as an ordinary
    // user that owns the folder (and can reach it whatever the umask made of its parent).
    const bool root = ::geteuid() == 0;
    constexpr uid_t kNobody = 65534;
    if (root) {
        ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
        fs::permissions(dir.path(), fs::perms::others_exec, fs::perm_options::add);
    }
    const int code = saveInChild(
        [&](ScriptedPrompt& quiet) {
            if ((root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ||
                !CreateSaveDoc(oldState, quiet, target, false) ||
                ::chmod(folder.c_str(), 0555) != 0)
                ::_exit(kChildSetupFailed);
            return CreateSaveDoc(newState, quiet, target, false);
        },
        err::PermissionDenied);
    if (code == kChildSetupFailed)
        GTEST_SKIP() << "could not save as an unprivileged user or change the folder's mode here";
    EXPECT_EQ(code, kChildFailedAsExpected)
        << "10: the save into a read-only folder claimed success, 11: not the permission message";
    expectOldTournamentAndNoLeftovers(folder);
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
}

// ---------------------------------------------------------------------------------------------
// The recovery copy written when a round ends.

TEST(RecoveryCopy, AfterRoundKHoldsEveryScoreOfRoundsOneToK) {
    test::TempDir dir;
    const std::string file = (dir / "evening.qmc").string();
    TournamentState fresh;
    test::generateTournament(fresh, shape(40, 6, 0, 5));
    ScriptedPrompt setup;
    ASSERT_TRUE(CreateSaveDoc(fresh, setup, file, false));

    ScriptedPrompt prompt;
    prompt.defaultYesNo = MsgAnswer::No;
    Session session(prompt);
    ASSERT_TRUE(ResetAndLoad(session, file));
    RoundAdvanceHooks hooks;
    int recoverySaves = 0;
    hooks.SaveData = [&] {
        ++recoverySaves;
        SaveData(session);
    };
    std::mt19937 rng(11);
    auto count = [](const std::string& x, const std::string& what) {
        int n = 0;
        for (auto p = x.find(what); p != std::string::npos; p = x.find(what, p + 1))
            ++n;
        return n;
    };
    int seatedSoFar = 0;
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE("round " + std::to_string(k));
        ASSERT_EQ(session.tourney().CurrentRound(), k);
        const std::vector<EntrantRef> seated = waitingEntrants(session.state(), roundAt(k));
        for (std::vector<EntrantRef> waiting = seated; !waiting.empty();
             waiting = waitingEntrants(session.state(), roundAt(k)))
            applyChange(session, Change::score(k, idText(waiting.front().id),
                                               fmt00(static_cast<int>(rng() % 14))));
        // A fine and a lone along the way, as the director enters them.
        applyChange(session, Change::count(ChangeKind::Bump, fmt00(k), "01"));
        // (as many as the entrant's scores allow, at most one)
        const int lones = std::min(1, session.state().maxLones(entrantAt(k + 10)));
        applyChange(session, Change::count(ChangeKind::Lone, fmt00(k + 10), fmt00(lones)));

        ASSERT_TRUE(CheckAdvanceRound(session, hooks));
        ASSERT_EQ(recoverySaves, k);
        ASSERT_EQ(session.tourney().CurrentRound(), k + 1);

        // The recovery copy, loaded on its own, holds what a save of the tournament as it stands
        // holds: every score of rounds 1 to k, the fines and lones, the round.
        const std::string rcv = GetRcvFileName(session);
        ASSERT_TRUE(fs::exists(rcv));
        EXPECT_FALSE(fs::exists(GetTmpFileName(session))) << "the temporary copy was left";
        ScriptedPrompt quiet;
        Session recovered(quiet);
        ASSERT_TRUE(LoadXMLDocument(recovered, rcv));
        const std::string kept = buildTournamentXml(recovered.state());
        EXPECT_EQ(firstDifference(kept, buildTournamentXml(session.state())), "");
        seatedSoFar += static_cast<int>(seated.size());
        EXPECT_EQ(count(kept, "<Score>"), seatedSoFar)
            << "every seated entrant of rounds 1 to " << k << " has its score in the copy";
        EXPECT_EQ(test::savedValue(recovered, "Lone", k + 10), fmt00(lones));
    }
}

} // namespace
