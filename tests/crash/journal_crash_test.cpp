// A night of changes played through rankhall-cli play and killed with SIGKILL at random moments,
// again and again: after every kill, rankhall-cli restore must give back every change that play
// acknowledged ("ok N"), and nothing but whole changes; so must the window's load when a
// recovery copy is there, whether the director takes it or the original file. The reference
// states come from the same changes applied in this process through the same services, without
// a journal. Each night a second play on the same tournament is refused while the first runs,
// and a record damaged in the middle of the journal costs nothing but itself: play, started on
// the damaged journal, cuts nothing, and once the record is whole again everything comes back.
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "persistence/tournament_writer.h"
#include "services/load_save.h"
#include "services/play.h"
#include "services/restore.h"
#include "state/round.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using rh::test::TempDir;

constexpr int kKillsWanted = 200;

struct Night {
    std::vector<std::string> lines;
    std::vector<std::string> stateAfter; // stateAfter[i]: the file text after lines 0..i-1
};

// Picks changes that the tournament accepts most of the time (and a few it refuses), applying
// each to a reference session as it goes. Bump and wood counts stay above 0, so no change ever
// clears a paid mark as a second record.
Night makeNight(const std::string& file, const fs::path& scratch, unsigned seed) {
    rh::ScriptedPrompt prompt;
    rh::Session session(prompt);
    EXPECT_TRUE(rh::ResetAndLoad(session, file));
    rh::ChangePlayer player(session, (scratch / "reference.qmc").string());
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const rh::TournamentState& s = session.state();
    const int entrants = s.settings.TotalPlort();

    Night night;
    night.stateAfter.push_back(rh::buildTournamentXml(s));
    bool over = false;
    while (night.lines.size() < 220 && !over) {
        const int id = 1 + pick(entrants);
        const int what = pick(100);
        std::string line;
        if (what < 55) {
            // A waiting entrant of the current round, else anyone seated in an earlier round.
            const int round = s.currentRound();
            std::vector<int> waiting;
            for (int e = 1; e <= entrants; ++e)
                if (s.isSeated(s.currentRoundNo(), *rh::entrantIdOf(e)) &&
                    !s.hasScore(s.currentRoundNo(), *rh::entrantIdOf(e)))
                    waiting.push_back(e);
            const int who = waiting.empty() ? id : waiting[std::size_t(pick(int(waiting.size())))];
            line = "score " + std::to_string(waiting.empty() ? 1 + pick(round) : round) + " " +
                   std::to_string(who) + " " + std::to_string(pick(33));
        } else if (what < 65) {
            line = "lone " + std::to_string(id) + " " +
                   std::to_string(pick(s.maxLones(*rh::entrantIdOf(id)) + 1));
        } else if (what < 80) {
            line = (what < 73 ? "bump " : "wood ") + std::to_string(id) + " " +
                   std::to_string(1 + pick(4));
        } else if (what < 88) {
            line = "paid " + std::to_string(id) + " " + std::to_string(pick(2));
        } else if (what < 93) {
            line = "fee " + std::to_string(id) + " " + std::to_string(pick(2));
        } else if (what < 97) {
            line = "save";
        } else {
            line = "score 99 " + std::to_string(id) + " 5"; // refused: no such round
        }
        player.apply(line);
        night.lines.push_back(line);
        night.stateAfter.push_back(rh::buildTournamentXml(s));
        over = s.currentRound() == s.settings.TotalRounds() &&
               rh::isRoundComplete(s, s.currentRoundNo());
    }
    return night;
}

struct Child {
    pid_t pid = -1;
    int in = -1;  // its standard input
    int out = -1; // its standard output
};

Child spawn(const std::vector<std::string>& args, const std::string& tmpDir) {
    int toChild[2], fromChild[2];
    EXPECT_EQ(::pipe(toChild), 0);
    EXPECT_EQ(::pipe(fromChild), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromChild[1], 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::close(toChild[1]);
        ::close(fromChild[0]);
        ::setenv("TMPDIR", tmpDir.c_str(), 1);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    return Child{pid, toChild[1], fromChild[0]};
}

// The files under `folder` (the temporary folder, or a folder of the program's own in it) whose
// names end in `suffix`, tagged journals kept aside left out.
std::vector<fs::path> filesEndingIn(const fs::path& folder, const std::string& suffix) {
    std::vector<fs::path> found;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (e.is_regular_file() && name.ends_with(suffix) && name.find("-20") == std::string::npos)
            found.push_back(e.path());
    }
    return found;
}

// The tournament as the window's load service gives it back, with TMPDIR at `tmpDir`:
// `recovery` answers the recovery question, the changes are taken.
std::string loadLikeTheWindow(const std::string& file, const std::string& tmpDir,
                              rh::MsgAnswer recovery) {
    const std::string before = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    ::setenv("TMPDIR", tmpDir.c_str(), 1);
    std::string xml;
    {
        rh::ScriptedPrompt prompt;
        prompt.answers = {recovery, rh::MsgAnswer::Yes};
        rh::Session session(prompt);
        session.setJournalMode(rh::JournalMode::Keep);
        EXPECT_TRUE(rh::loadTournament(session, file));
        EXPECT_EQ(prompt.countTitled(rh::kRecoveryTitle), 1);
        xml = rh::buildTournamentXml(session.state());
    }
    ::setenv("TMPDIR", before.c_str(), 1);
    return xml;
}

int waitFor(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

// Reads whole lines of the child's output until `wanted` lines came or the output ended.
void readLines(int fd, std::string& buffer, std::vector<std::string>& lines, std::size_t wanted) {
    char chunk[4096];
    while (lines.size() < wanted) {
        const std::size_t nl = buffer.find('\n');
        if (nl != std::string::npos) {
            lines.push_back(buffer.substr(0, nl));
            buffer.erase(0, nl + 1);
            continue;
        }
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0)
            return;
        buffer.append(chunk, static_cast<std::size_t>(n));
    }
}

TEST(JournalCrash, EveryAcknowledgedChangeSurvivesAKill) {
    signal(SIGPIPE, SIG_IGN);
    TempDir dir;
    const fs::path childTmp = dir / "child";
    fs::create_directories(childTmp);
    const std::string file = (dir / "night.qmc").string();
    const std::string out = (dir / "restored.qmc").string();
    const std::string example = std::string(RANKHALL_SOURCE_DIR) + "/examples/demo.qmc";

    std::mt19937 rng(20240611);
    int kills = 0;
    int nights = 0;
    int windowLoads = 0; // restarts through the window's load with a recovery copy there
    int refusals = 0;    // second programs refused
    bool damagedOnce = false;
    std::size_t linesPlayed = 0;
    while (kills < kKillsWanted) {
        // A new night: the file as it came, no journal, no recovery copy.
        fs::remove_all(childTmp);
        fs::create_directories(childTmp);
        fs::copy_file(example, file, fs::copy_options::overwrite_existing);
        const Night night = makeNight(file, dir.path(), 1000u + static_cast<unsigned>(nights++));
        ASSERT_GT(night.lines.size(), 20u);

        {
            // A second program on the tournament while the first holds it: refused, with a
            // sentence and a non-zero exit, and nothing answered.
            Child first = spawn({RANKHALL_CLI, "play", file}, childTmp.string());
            const std::string refusedLine = "score 99 1 5\n"; // changes nothing: once loaded
            ASSERT_EQ(::write(first.in, refusedLine.data(), refusedLine.size()),
                      ssize_t(refusedLine.size()));
            std::string buffer;
            std::vector<std::string> said;
            readLines(first.out, buffer, said, 1);
            ASSERT_EQ(said.size(), 1u);
            Child second = spawn({RANKHALL_CLI, "play", file}, childTmp.string());
            ::close(second.in);
            std::vector<std::string> secondSaid;
            readLines(second.out, buffer = {}, secondSaid, 1);
            ::close(second.out);
            const int status = waitFor(second.pid);
            ::close(first.in);
            ::close(first.out);
            ASSERT_EQ(waitFor(first.pid), 0);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << status;
            ASSERT_TRUE(secondSaid.empty()) << secondSaid.front();
            ++refusals;
        }
        std::size_t next = 0; // the first line whose change the restored state may lack
        while (next < night.lines.size() && kills < kKillsWanted) {
            Child play = spawn({RANKHALL_CLI, "play", file}, childTmp.string());
            std::string sent;
            for (std::size_t i = next; i < night.lines.size(); ++i)
                sent += night.lines[i] + "\n";
            // Everything at once: play reads as it goes, and the kill falls wherever it falls.
            std::thread writer([fd = play.in, sent] {
                std::size_t done = 0;
                while (done < sent.size()) {
                    const ssize_t n = ::write(fd, sent.data() + done, sent.size() - done);
                    if (n <= 0)
                        break;
                    done += static_cast<std::size_t>(n);
                }
                ::close(fd);
            });
            std::string buffer;
            std::vector<std::string> answers;
            readLines(play.out, buffer, answers, 1 + std::size_t(rng() % 12));
            std::this_thread::sleep_for(std::chrono::microseconds(rng() % 4000));
            ::kill(play.pid, SIGKILL);
            readLines(play.out, buffer, answers, night.lines.size());
            waitFor(play.pid);
            writer.join();
            ::close(play.out);
            ++kills;

            for (const std::string& a : answers)
                ASSERT_TRUE(a.rfind("ok ", 0) == 0 || a.rfind("error ", 0) == 0) << a;
            const std::size_t acknowledged = next + answers.size();
            linesPlayed += answers.size();

            Child restore =
                spawn({RANKHALL_CLI, "restore", file, "-o", out, "--plain"}, childTmp.string());
            ::close(restore.in);
            ::close(restore.out);
            ASSERT_EQ(waitFor(restore.pid), 0);
            const std::string restored = rh::test::readFile(out);
            // Every acknowledged line is there; the line in flight may be there too, whole.
            if (restored == night.stateAfter[acknowledged]) {
                next = acknowledged;
            } else {
                ASSERT_LT(acknowledged + 1, night.stateAfter.size())
                    << "kill " << kills << ": the restored tournament lacks acknowledged changes";
                ASSERT_EQ(restored, night.stateAfter[acknowledged + 1])
                    << "kill " << kills << " after line " << acknowledged
                    << ": the restored tournament is not the acknowledged one";
                next = acknowledged + 1;
            }
            if (!filesEndingIn(childTmp, ".RCV").empty()) {
                // The restart through the window, with the recovery copy there: either answer.
                const rh::MsgAnswer recovery =
                    windowLoads % 2 ? rh::MsgAnswer::No : rh::MsgAnswer::Yes;
                ASSERT_EQ(loadLikeTheWindow(file, childTmp.string(), recovery),
                          night.stateAfter[next])
                    << "kill " << kills << ": the window's load with the recovery question "
                    << (recovery == rh::MsgAnswer::Yes ? "Yes" : "No") << " lost changes";
                ++windowLoads;
            }
            const std::vector<fs::path> journals = filesEndingIn(childTmp, ".JNL");
            if (!damagedOnce && journals.size() == 1 &&
                rh::readJournal(journals.front().string()).changes.size() >= 4 &&
                rh::readJournal(journals.front().string()).changesAfter(rh::fingerprintOf(file))) {
                // A record in the middle damaged: play cuts nothing, so mended, all is back.
                const std::string whole = rh::test::readFile(journals.front());
                std::size_t at = 0;
                for (int line = 0; line < 2; ++line)
                    at = whole.find('\n', at) + 1;
                const std::size_t flip = whole.find('\n', at) - 3;
                std::string damaged = whole;
                damaged[flip] ^= 1;
                rh::test::writeFile(journals.front(), damaged);
                Child again = spawn({RANKHALL_CLI, "play", file}, childTmp.string());
                ::close(again.in);
                ::close(again.out);
                ASSERT_EQ(waitFor(again.pid), 0);
                std::string after = rh::test::readFile(journals.front());
                ASSERT_EQ(after.substr(0, damaged.size()), damaged) << "play cut the journal";
                after[flip] ^= 1;
                rh::test::writeFile(journals.front(), after);
                Child mended =
                    spawn({RANKHALL_CLI, "restore", file, "-o", out, "--plain"}, childTmp.string());
                ::close(mended.in);
                ::close(mended.out);
                ASSERT_EQ(waitFor(mended.pid), 0);
                ASSERT_EQ(rh::test::readFile(out), night.stateAfter[next])
                    << "the records after the damaged one were lost";
                damagedOnce = true;
            }
        }
    }
    std::printf("%d kills over %d nights, %zu lines acknowledged, %d window loads, %d second "
                "programs refused\n",
                kills, nights, linesPlayed, windowLoads, refusals);
    EXPECT_GE(windowLoads, 2);
    EXPECT_GT(refusals, 0);
    EXPECT_TRUE(damagedOnce);
}

} // namespace
