// The private folder against a second local user: what that user plants in the shared temporary
// folder (links at every name the program uses, a FIFO or a forged journal in a folder of the
// private folder's name, a link in its place) is never followed, read or changed, on the roads a
// director takes (load, a score, the recovery copy, the pages, a save, and rankhall-cli play).
// The planting runs as the user nobody in a child process where this test may change its user
// (as root); elsewhere those cases are skipped with a message.
#include "core/scripted_prompt.h"
#include "engine_fixture.h"
#include "persistence/atomic_file.h"
#include "persistence/journal.h"
#include "persistence/private_folder.h"
#include "services/changes.h"
#include "services/load_save.h"
#include "services/restore.h"
#include "services/standings_page.h"
#include "services/wall_input.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace rh;
namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;
const std::string kCode = "DEMO16";

// Runs plant as the user nobody in a child process. False when this process cannot change its
// user; a planting that fails fails the test.
bool asAnotherUser(const std::function<bool()>& plant) {
    if (::geteuid() != 0)
        return false;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool planted = ::setgroups(0, nullptr) == 0 &&
                             ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                             ::setresuid(kNobody, kNobody, kNobody) == 0 && plant();
        ::_exit(planted ? 0 : 1);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the planting failed";
    return true;
}

bool writeBytes(const fs::path& path, const std::string& bytes, mode_t mode = 0644) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, mode);
    const bool written =
        fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    return ::close(fd) == 0 && written;
}

// Every name the program gives the tournament's files in a temporary folder.
std::vector<std::string> predictableNames() {
    const std::string base = "Rankhall_" + fileNameOfCode(kCode);
    return {base + ".TMP",
            base + ".RCV",
            base + ".JNL",
            "Quillmark" + kCode + ".html",
            "Quillmark" + kCode + "-wall.html",
            "." + base + ".TMP.tmp"};
}

// The director's own folder with the tournament and a file for every name to point at.
struct DirectorsFiles {
    fs::path home;
    fs::path tournament;
    std::map<fs::path, std::string> victims; // each file and what it must still hold

    explicit DirectorsFiles(const fs::path& at) : home(at), tournament(at / "night.qmc") {
        fs::create_directory(home);
        fs::copy_file(std::string(RANKHALL_SOURCE_DIR) + "/examples/demo.qmc", tournament);
        for (const std::string& name : predictableNames()) {
            victims[home / ("victim of " + name)] = "the director's own " + name;
            test::writeFile(home / ("victim of " + name), victims[home / ("victim of " + name)]);
        }
    }
    // Links at every name in the folder, each to its victim.
    bool plantLinks(const fs::path& folder) const {
        for (const std::string& name : predictableNames())
            if (::symlink((home / ("victim of " + name)).c_str(), (folder / name).c_str()) != 0)
                return false;
        return true;
    }
    void expectUntouched(const std::string& road) const {
        for (const auto& [path, bytes] : victims)
            EXPECT_EQ(test::readFile(path), bytes) << road << ": " << path;
    }
};

// A journal for the tournament as it is on disk, its CRCs and fingerprint right, giving entrant
// 01 a score of 13 in round 4.
std::string forgedJournal(const std::string& tournament) {
    test::TempDir scratch;
    const std::string path = (scratch / "forged.JNL").string();
    Journal::create(path, fingerprintOf(tournament))->append(Change::score(4, "01", "13"));
    return test::readFile(path);
}

// The roads of a night: load (answering Yes to every question), a score, the recovery copy, both
// pages and a save. Answers the score of entrant 01 in round 4 after the load.
std::string playANight(const DirectorsFiles& files, ScriptedPrompt& prompt) {
    prompt.defaultYesNo = MsgAnswer::Yes;
    Session session(prompt);
    session.setJournalMode(JournalMode::Keep);
    EXPECT_TRUE(ResetAndLoad(session, files.tournament.string()));
    const std::string loaded = test::savedValue(session, "Score", 1, 4);
    storeChange(session, Change::score(4, "03", "05"));
    EXPECT_TRUE(SaveData(session));
    EXPECT_TRUE(publishStandingsPage(session, false));
    EXPECT_TRUE(writeStandingsPage(session, wallPagePath(session), "<html>wall</html>"));
    // Every file went into a folder of the director's alone.
    struct stat st {};
    const std::string folder = fs::path(GetRcvFileName(session)).parent_path().string();
    EXPECT_EQ(::lstat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 0777) == 0700)
        << folder;
    for (const std::string& written : {GetRcvFileName(session), standingsPagePath(session)})
        EXPECT_TRUE(privateFileExists(written)) << written;
    EXPECT_TRUE(SaveTournament(session, files.tournament.string()));
    return loaded;
}

// rankhall-cli play on the tournament with a score and a save; answers its exit code. A play
// still running after a minute (a FIFO it waits on) is killed and answers -1.
int playOnTheCommandLine(const fs::path& tournament, const fs::path& tmpDir) {
    int input[2];
    if (::pipe(input) != 0)
        return -2;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(input[0], 0);
        ::close(input[1]);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::setenv("TMPDIR", tmpDir.c_str(), 1);
        ::execl(RANKHALL_CLI, RANKHALL_CLI, "play", tournament.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(input[0]);
    const std::string lines = "score 4 05 07\nsave\n";
    const bool sent =
        ::write(input[1], lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
    ::close(input[1]);
    int status = 0;
    for (int tenths = 0; tenths < 600; ++tenths) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return sent && WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        ::usleep(100000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

} // namespace

TEST(PrivateFolder, MadeForTheUserAloneAndNeverOneThatIsNot) {
    struct Case {
        const char* what;
        std::function<void(const fs::path& usual)> before;
        bool usual; // the usual folder is used
    };
    const Case cases[] = {
        {"nothing there: made", [](const fs::path&) {}, true},
        {"the user's own, 0700", [](const fs::path& p) { ::mkdir(p.c_str(), 0700); }, true},
        {"the user's own, open to others",
         [](const fs::path& p) {
             ::mkdir(p.c_str(), 0700);
             ::chmod(p.c_str(), 0755);
         },
         false},
        {"a link to a folder of the user's own",
         [](const fs::path& p) {
             ::mkdir((p.string() + ".real").c_str(), 0700);
             fs::create_directory_symlink(p.string() + ".real", p);
         },
         false},
        {"a file", [](const fs::path& p) { test::writeFile(p, "x"); }, false},
    };
    for (const Case& c : cases) {
        test::TempDir base;
        const fs::path usual = privateFolderIn(base.str());
        EXPECT_EQ(usual, base / ("rankhall-" + std::to_string(::geteuid()))) << c.what;
        c.before(usual);
        const PrivateFolder folder = ensurePrivateFolder(base.str());
        EXPECT_EQ(folder.path == usual.string(), c.usual) << c.what;
        EXPECT_EQ(folder.problem.empty(), c.usual) << c.what;
        EXPECT_EQ(GetTempDir(), folder.path) << c.what; // TMPDIR is the base
        struct stat st {};
        ASSERT_EQ(::lstat(folder.path.c_str(), &st), 0) << c.what;
        EXPECT_TRUE(S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()) << c.what;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << c.what;
        if (!c.usual) { // the message names the folder refused
            EXPECT_NE(folder.problem.find(usual.string()), std::string::npos) << c.what;
        }
    }
}

TEST(PrivateFolder, FilesInItAreNeverLinksFifosOrAnotherUsers) {
    ::alarm(120); // a FIFO that blocked the journal would end the test here, not hang the suite
    test::TempDir tmp;
    DirectorsFiles files(tmp / "home");
    const fs::path folder = GetTempDir();
    ASSERT_TRUE(files.plantLinks(folder));
    ScriptedPrompt prompt;
    playANight(files, prompt);
    files.expectUntouched("links in the private folder");

    // A FIFO as the journal is refused with a message, and the night goes on without blocking.
    const std::string journal = folder / ("Rankhall_" + kCode + ".JNL");
    fs::remove(journal);
    ASSERT_EQ(::mkfifo(journal.c_str(), 0600), 0);
    EXPECT_EQ(readJournal(journal).changes.size(), 0u);
    try {
        Journal::create(journal, fingerprintOf(files.tournament.string()));
        ADD_FAILURE() << "a FIFO taken for the journal";
    } catch (const RhError& e) {
        EXPECT_NE(e.description().find(journal), std::string::npos) << e.description();
    }
    EXPECT_TRUE(fs::is_fifo(journal));
    ScriptedPrompt withFifo;
    playANight(files, withFifo);
    const std::vector<Message> told = withFifo.messages();
    EXPECT_TRUE(std::any_of(told.begin(), told.end(), [&](const Message& m) {
        return m.text.find(journal) != std::string::npos;
    })) << "the FIFO refused without a word";
    EXPECT_NE(playOnTheCommandLine(files.tournament, tmp.path()), -1) << "play hung on the FIFO";
    EXPECT_TRUE(fs::is_fifo(journal));
    files.expectUntouched("a FIFO as the journal");

    // A second name of a file of the director's is not taken for the journal either.
    fs::remove(journal);
    fs::create_hard_link(files.victims.begin()->first, journal);
    EXPECT_EQ(readJournal(journal).changes.size(), 0u);
    ScriptedPrompt withLink;
    playANight(files, withLink);
    files.expectUntouched("a hard link as the journal");

    // A journal of another user's is neither read nor emptied.
    if (::geteuid() == 0) {
        fs::remove(journal);
        const std::string forged = forgedJournal(files.tournament.string());
        test::writeFile(journal, forged);
        ASSERT_EQ(::chown(journal.c_str(), kNobody, kNobody), 0);
        EXPECT_EQ(readJournal(journal).changes.size(), 0u);
        ScriptedPrompt again;
        EXPECT_EQ(playANight(files, again), "") << "the forged score was restored";
        EXPECT_EQ(test::readFile(journal), forged);
        EXPECT_EQ(readPrivateFile(files.tournament.string()), test::readFile(files.tournament));
    }
    ::alarm(0);
}

TEST(SecondUser, PlantedNamesFeedAndHarmNothingOfTheDirectors) {
    ::alarm(300);
    struct Case {
        const char* what;
        // What the other user plants at the private folder's name (usual) in the shared folder.
        std::function<bool(const DirectorsFiles&, const fs::path& usual, const std::string&)> plant;
    };
    const auto journalName = "Rankhall_" + kCode + ".JNL";
    const Case cases[] = {
        {"a folder open to all with links at every name",
         [](const DirectorsFiles& f, const fs::path& usual, const std::string&) {
             return ::mkdir(usual.c_str(), 0777) == 0 && ::chmod(usual.c_str(), 0777) == 0 &&
                    f.plantLinks(usual);
         }},
        {"a FIFO as the journal, there and in a folder of its own",
         [journalName](const DirectorsFiles&, const fs::path& usual, const std::string&) {
             const fs::path shared = usual.parent_path() / journalName;
             return ::unlink(shared.c_str()) == 0 && ::mkfifo(shared.c_str(), 0666) == 0 &&
                    ::mkdir(usual.c_str(), 0700) == 0 &&
                    ::mkfifo((usual / journalName).c_str(), 0666) == 0;
         }},
        {"a forged journal, there and in a folder of its own a link leads to",
         [journalName](const DirectorsFiles&, const fs::path& usual, const std::string& forged) {
             const fs::path shared = usual.parent_path() / journalName;
             const fs::path real = usual.string() + ".planted";
             return ::unlink(shared.c_str()) == 0 && writeBytes(shared, forged) &&
                    ::mkdir(real.c_str(), 0755) == 0 && writeBytes(real / journalName, forged) &&
                    ::symlink(real.c_str(), usual.c_str()) == 0;
         }},
    };
    for (const Case& c : cases) {
        test::TempDir tmp; // the shared temporary folder, as /tmp is
        fs::permissions(tmp.path(), fs::perms(01777));
        DirectorsFiles files(tmp / "home");
        const std::string forged = forgedJournal(files.tournament.string());
        const fs::path usual = privateFolderIn(tmp.str());
        // The names in the shared folder itself, where the program kept its files before.
        if (!asAnotherUser(
                [&] { return files.plantLinks(tmp.path()) && c.plant(files, usual, forged); }))
            GTEST_SKIP() << "the other user's files can be planted only by root (uid "
                         << ::geteuid() << " cannot change its user)";
        std::map<fs::path, std::string> planted; // every planted file and what it holds
        for (const auto& e : fs::recursive_directory_iterator(tmp.path()))
            if (e.is_regular_file() && !e.is_symlink() && e.path().parent_path() != files.home)
                planted[e.path()] = test::readFile(e.path());

        ScriptedPrompt prompt;
        EXPECT_EQ(playANight(files, prompt), "") << c.what << ": the forged score was restored";
        files.expectUntouched(c.what);
        EXPECT_EQ(playOnTheCommandLine(files.tournament, tmp.path()), 0) << c.what;
        files.expectUntouched(std::string(c.what) + ", play");
        for (const auto& [path, bytes] : planted)
            EXPECT_EQ(test::readFile(path), bytes) << c.what << ": " << path;
        ScriptedPrompt quiet;
        Session saved(quiet);
        ASSERT_TRUE(ResetAndLoad(saved, files.tournament.string())) << c.what;
        EXPECT_EQ(test::savedValue(saved, "Score", 5, 4), "07") << c.what << ": play's save";
        EXPECT_EQ(test::savedValue(saved, "Score", 1, 4), "") << c.what << ": play restored it";
        EXPECT_FALSE(privateFolderNotice().empty()) << c.what;
    }
    ::alarm(0);
}
