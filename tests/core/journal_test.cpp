// The journal file (records, checksums, a torn last record) and the journal around loads and
// saves: changes offered only for the file they belong to, restored as they were made, emptied by
// a save.
#include "core/scripted_prompt.h"
#include "engine_fixture.h"
#include "persistence/journal.h"
#include "services/changes.h"
#include "services/load_save.h"
#include "services/restore.h"
#include "services/substitute.h"
#include "services/views.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using rh::Change;
using rh::ChangeKind;
using rh::test::TempDir;

std::vector<Change> everyKind() {
    Change custom;
    custom.kind = ChangeKind::CustomPayouts;
    custom.amounts = {50.5, 30, 19.25};
    Change advance = Change::clock(ChangeKind::RoundAdvance, 86400 * 3 + 5);
    advance.round = 5;
    advance.value = "912";
    return {Change::score(4, "07", "12"),
            Change::score(4, "08", ""),
            Change::count(ChangeKind::Lone, "07", "02"),
            Change::count(ChangeKind::Bump, "03", "01"),
            Change::count(ChangeKind::Wood, "03", "04"),
            Change::count(ChangeKind::Paid, "03", "1"),
            Change::count(ChangeKind::EntryFeePaid, "11", "0"),
            Change::count(ChangeKind::Alias, "05", "Tab\there, new\r\nline \\ too"),
            Change::count(ChangeKind::EntryFeeAll, "", "1"),
            Change::count(ChangeKind::PayoutOption, "", "1"),
            custom,
            Change::money(ChangeKind::BumpFee, 0.35),
            Change::count(ChangeKind::Rename, "07", "Sub ~ stitute?"),
            Change::money(ChangeKind::Expenses, 12.5),
            Change::clock(ChangeKind::ClockStart, 86400 * 3),
            Change::clock(ChangeKind::ClockPause, 86400 * 3 + 1),
            advance};
}

class JournalFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = (dir / "t.JNL").string();
    rh::FileFingerprint file{"/somewhere/t.qmc", 1234, 0xfeedbeefcafe1234ull};

    void writeAll(const std::vector<Change>& changes) {
        auto journal = rh::Journal::create(path, file);
        for (const Change& c : changes)
            journal->append(c);
    }
};

TEST_F(JournalFileTest, RecordsEveryKindOfChangeOwnerOnly) {
    writeAll(everyKind());
    const rh::JournalContents read = rh::readJournal(path);
    ASSERT_TRUE(read.hasHeader);
    EXPECT_EQ(read.file, file);
    ASSERT_EQ(read.changes.size(), everyKind().size());
    for (std::size_t i = 0; i < read.changes.size(); ++i) {
        EXPECT_EQ(read.changes[i].change, everyKind()[i]) << i;
        EXPECT_EQ(read.changes[i].sequence, i + 1);
    }
    EXPECT_FALSE(read.tornTail || !read.damaged.empty());
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(JournalFileTest, DamagedRecordsAreCountedAndNothingWholeIsCut) {
    // Damages line `n` (record 0 first) by flipping a byte of its checksum.
    auto damageLine = [](std::string& b, int n) {
        std::size_t at = 0;
        for (int line = 0; line < n; ++line)
            at = b.find('\n', at) + 1;
        b[b.find('\n', at) - 3] ^= 1;
    };
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        std::size_t changesLeft;
        std::vector<std::uint64_t> damaged;
        bool torn, header;
    };
    const std::vector<Case> cases = {
        {"last record cut short",
         [](std::string& b) { b.resize(b.size() - 5); },
         3,
         {},
         true,
         true},
        {"last line end missing", [](std::string& b) { b.pop_back(); }, 3, {}, true, true},
        {"half a record after the last",
         [](std::string& b) { b += "5\t17\tscore\t1"; },
         4,
         {},
         true,
         true},
        {"last record's checksum wrong",
         [&](std::string& b) { damageLine(b, 4); },
         3,
         {4},
         false,
         true},
        {"second and third records damaged",
         [&](std::string& b) {
             damageLine(b, 2);
             damageLine(b, 3);
         },
         2,
         {2, 3},
         false,
         true},
        {"header damaged", [&](std::string& b) { damageLine(b, 0); }, 4, {0}, false, false},
        {"CR LF line ends",
         [](std::string& b) {
             for (std::size_t at = 0; (at = b.find('\n', at)) != std::string::npos; at += 2)
                 b.insert(at, 1, '\r');
         },
         4,
         {},
         false,
         true},
    };
    const std::vector<Change> all = everyKind();
    const std::vector<Change> four(all.begin(), all.begin() + 4);
    for (const Case& c : cases) {
        writeAll(four);
        std::string bytes = rh::test::readFile(path);
        c.damage(bytes);
        rh::test::writeFile(path, bytes);
        const rh::JournalContents read = rh::readJournal(path);
        EXPECT_EQ(read.changes.size(), c.changesLeft) << c.what;
        EXPECT_EQ(read.damaged, c.damaged) << c.what;
        EXPECT_EQ(read.tornTail, c.torn) << c.what;
        EXPECT_EQ(read.hasHeader, c.header) << c.what;
        if (!read.hasHeader)
            continue;
        // Appending after a resume keeps every whole line and follows them.
        auto journal = rh::Journal::resume(path, read);
        journal->append(four[0]);
        const rh::JournalContents after = rh::readJournal(path);
        EXPECT_EQ(after.changes.size(), c.changesLeft + 1) << c.what;
        EXPECT_EQ(after.damaged, c.damaged) << c.what;
        EXPECT_EQ(rh::test::readFile(path).substr(0, read.validBytes),
                  bytes.substr(0, read.validBytes))
            << c.what;
    }
}

// The journal through the load and save services, on a copy of the demo tournament.
class JournalSessionTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string file = (dir / "night.qmc").string();
    rh::ScriptedPrompt prompt;

    void SetUp() override {
        fs::copy_file(std::string(RANKHALL_SOURCE_DIR) + "/examples/demo.qmc", file);
    }

    std::unique_ptr<rh::Session> load(rh::MsgAnswer restore = rh::MsgAnswer::Yes) {
        prompt = rh::ScriptedPrompt();
        prompt.defaultYesNo = restore;
        auto s = std::make_unique<rh::Session>(prompt);
        s->setJournalMode(rh::JournalMode::Keep);
        EXPECT_TRUE(rh::ResetAndLoad(*s, file));
        return s;
    }

    int restoreQuestions() const { return prompt.countTitled(rh::kRestoreTitle); }
    static std::string score(const rh::Session& s, int id) {
        return rh::test::savedValue(s, "Score", id, 4);
    }
};

TEST_F(JournalSessionTest, RestoresTheChangesTheFileLacks) {
    {
        auto s = load();
        ASSERT_NE(s->journal(), nullptr);
        rh::storeChange(*s, Change::score(4, "01", "07"));
        rh::storeChange(*s, Change::count(ChangeKind::Lone, "01", "1"));
        rh::storeChange(*s, Change::count(ChangeKind::Lone, "01", "01")); // no change: unrecorded
        rh::storeChange(*s, Change::count(ChangeKind::EntryFeePaid, "05", "1"));
        rh::storeChange(*s, Change::clock(ChangeKind::ClockStart, rh::localWallSeconds() - 600));
        EXPECT_EQ(rh::renameEntrant(*s, "02", "Zed Substitute"), "");
        EXPECT_EQ(s->journal()->changeCount(), 5u);
    } // the program dies here: nothing saved
    auto s = load();
    ASSERT_EQ(restoreQuestions(), 1);
    EXPECT_NE(prompt.messages().back().text.find("5 changes"), std::string::npos);
    // The score of 01 and its partner, the lone, the fee mark and the new name are back.
    const std::string x = rh::buildTournamentXml(s->state());
    EXPECT_EQ(score(*s, 1), "07");
    std::vector<std::string> round4; // 01 and its partner, nobody else
    for (auto at = x.find("<Round>04</Round>"); at != std::string::npos;
         at = x.find("<Round>04</Round>", at + 1))
        round4.push_back(x.substr(x.find("<Score>", at) + 7, 2));
    EXPECT_EQ(round4, (std::vector<std::string>{"07", "07"}));
    EXPECT_EQ(rh::test::savedValue(*s, "Lone", 1), "01");
    EXPECT_TRUE(rh::entryFeeRows(*s, true).size() == 16);
    for (const rh::EntryFeeRow& r : rh::entryFeeRows(*s, true))
        EXPECT_EQ(r.paid, r.tag == "05") << r.tag;
    for (const rh::GameDetailRow& r : rh::gameDetailRows(*s)) // the name list follows the name
        EXPECT_EQ(r.tag == "02", r.cells.front() == "Zed Substitute");
    // The tournament clock runs on from its start ten minutes ago.
    EXPECT_TRUE(s->clock().m_tournamentStarted);
    EXPECT_NEAR(static_cast<double>(s->clock().RTimer.totalSeconds()), 600.0, 5.0);
    // The journal goes on: a later change joins the restored ones.
    rh::storeChange(*s, Change::score(4, "03", "05"));
    EXPECT_EQ(rh::readJournal(rh::journalFileName(*s)).changes.size(), 6u);
}

TEST_F(JournalSessionTest, EveryChangeComesBackWhicheverFileTheRestartLoads) {
    // Round-2 recovery copy, then more changes, then the crash; the restart answers the recovery
    // question either way and takes the changes.
    for (const rh::MsgAnswer recovery : {rh::MsgAnswer::Yes, rh::MsgAnswer::No}) {
        const TempDir night; // a temporary folder of its own for each restart
        file = (night / "night.qmc").string();
        fs::copy_file(std::string(RANKHALL_SOURCE_DIR) + "/examples/demo.qmc", file);
        std::string before, journal;
        std::vector<std::int64_t> roundTimes;
        {
            auto s = load();
            journal = rh::journalFileName(*s);
            rh::storeChange(*s,
                            Change::clock(ChangeKind::ClockStart, rh::localWallSeconds() - 900));
            rh::storeChange(*s, Change::score(4, "01", "07"));
            rh::storeChange(*s, Change::count(ChangeKind::Lone, "01", "1"));
            // The round advance writes the recovery copy.
            rh::RoundAdvanceHooks hooks = rh::clockHooks(*s);
            hooks.SaveData = [&] { EXPECT_TRUE(rh::SaveData(*s)); };
            ASSERT_TRUE(rh::AdvanceRound(*s, hooks));
            rh::storeChange(*s, Change::score(5, "03", "05"));
            rh::storeChange(*s, Change::count(ChangeKind::Lone, "03", "2"));
            before = rh::buildTournamentXml(s->state());
            roundTimes = s->clock().m_roundTimes;
        }
        ASSERT_TRUE(fs::exists(journal.substr(0, journal.size() - 4) + ".RCV"));
        prompt = rh::ScriptedPrompt();
        prompt.answers = {recovery, rh::MsgAnswer::Yes};
        rh::Session s(prompt);
        s.setJournalMode(rh::JournalMode::Keep);
        ASSERT_TRUE(rh::ResetAndLoad(s, file));
        ASSERT_EQ(restoreQuestions(), 1);
        // The copy holds the first two changes: only the two after it are offered.
        const char* count = recovery == rh::MsgAnswer::Yes ? "2 changes" : "6 changes";
        EXPECT_NE(prompt.messages().back().text.find(count), std::string::npos);
        EXPECT_EQ(rh::buildTournamentXml(s.state()), before);
        // The file keeps no clock: it runs on from its start, with the round time recorded.
        EXPECT_TRUE(s.clock().m_tournamentStarted);
        EXPECT_EQ(s.clock().m_roundTimes, roundTimes);
        // Nothing was emptied: the journal still holds every change of the file.
        EXPECT_GE(rh::readJournal(rh::journalFileName(s)).changes.size(), 6u);
    }
}

TEST_F(JournalSessionTest, AJournalOfAnotherFileIsKeptAsideAndOfferedWithItsFile) {
    const std::string copy = (dir / "copy.qmc").string();
    std::string journal;
    struct Case {
        const char* what;
        std::function<std::string()> other; // makes the file loaded instead; answers its path
        bool offeredAgain;                  // the original, loaded again, offers the changes
    };
    const std::vector<Case> cases = {
        {"a copy opened",
         [&] {
             fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
             return copy;
         },
         true},
        {"another file with the same code",
         [&] {
             rh::test::writeFile(copy, rh::test::readFile(file) + " ");
             return copy;
         },
         true},
        {"the file changed since",
         [&] {
             rh::test::writeFile(file, rh::test::readFile(file) + " ");
             return file;
         },
         false},
        {"the journal's start damaged",
         [&] {
             std::string bytes = rh::test::readFile(journal);
             bytes[bytes.find('\n') - 3] ^= 1;
             rh::test::writeFile(journal, bytes);
             return file;
         },
         false},
    };
    for (const Case& c : cases) {
        fs::copy_file(std::string(RANKHALL_SOURCE_DIR) + "/examples/demo.qmc", file,
                      fs::copy_options::overwrite_existing);
        if (const fs::path folder = rh::test::privateFolder(dir); fs::exists(folder))
            for (const auto& e : fs::directory_iterator(folder))
                if (e.path().extension() == ".JNL")
                    fs::remove(e.path());
        {
            auto s = load();
            journal = rh::journalFileName(*s);
            for (const char* id : {"01", "03", "05"})
                rh::storeChange(*s, Change::count(ChangeKind::Lone, id, "1"));
        }
        {
            prompt = rh::ScriptedPrompt();
            rh::Session s(prompt);
            s.setJournalMode(rh::JournalMode::Keep);
            ASSERT_TRUE(rh::ResetAndLoad(s, c.other())) << c.what;
            EXPECT_EQ(restoreQuestions(), 1) << c.what; // the notice, no question
            const rh::Message notice = prompt.messages().back();
            EXPECT_EQ(notice.buttons, rh::MsgButtons::Ok) << c.what;
            EXPECT_NE(notice.text.find("3 changes"), std::string::npos) << notice.text;
            const std::vector<std::string> aside = rh::journalsKeptAside(rh::journalFileName(s));
            ASSERT_EQ(aside.size(), 1u) << c.what;
            EXPECT_NE(notice.text.find(aside.front()), std::string::npos) << notice.text;
            EXPECT_EQ(rh::readJournal(aside.front()).changes.size(), 3u) << c.what;
            EXPECT_EQ(rh::test::savedValue(s, "Lone", 1), "") << c.what;
        }
        if (!c.offeredAgain)
            continue;
        auto s = load();
        EXPECT_EQ(restoreQuestions(), 1) << c.what;
        EXPECT_EQ(rh::test::savedValue(*s, "Lone", 5), "01") << c.what;
        // It is the tournament's journal again: a crash now loses nothing either.
        EXPECT_EQ(rh::readJournal(rh::journalFileName(*s)).changes.size(), 3u) << c.what;
    }
}

TEST_F(JournalSessionTest, AnEmptyJournalOfAnotherFileStartsAgainForTheFileLoaded) {
    std::string copy = (dir / "copy.qmc").string();
    fs::copy_file(file, copy);
    std::swap(file, copy);
    load(); // the copy's journal, with nothing in it
    std::swap(file, copy);
    {
        auto s = load();
        rh::storeChange(*s, Change::score(4, "01", "07"));
    }
    auto s = load();
    EXPECT_EQ(restoreQuestions(), 1);
    EXPECT_EQ(score(*s, 1), "07");
}

TEST_F(JournalSessionTest, AFileReachedThroughALinkedFolderOffersItsChanges) {
    {
        auto s = load();
        rh::storeChange(*s, Change::score(4, "01", "07"));
    }
    fs::create_directory_symlink(dir.path(), dir / "linked");
    file = (dir / "linked" / "night.qmc").string();
    auto s = load();
    EXPECT_EQ(restoreQuestions(), 1);
    EXPECT_EQ(score(*s, 1), "07");
}

TEST_F(JournalSessionTest, ADamagedRecordIsNamedAndTheRecordsAfterItAreRestored) {
    std::string journal;
    {
        auto s = load();
        journal = rh::journalFileName(*s);
        for (const char* id : {"01", "03", "05", "07"})
            rh::storeChange(*s, Change::count(ChangeKind::Lone, id, "1"));
    }
    std::string bytes = rh::test::readFile(journal);
    std::size_t at = 0;
    for (int line = 0; line < 2; ++line)
        at = bytes.find('\n', at) + 1;
    bytes[bytes.find('\n', at) - 3] ^= 1; // the checksum of record 2 (entrant 03)
    rh::test::writeFile(journal, bytes);
    auto s = load();
    ASSERT_EQ(restoreQuestions(), 1);
    const std::string text = prompt.messages().back().text;
    EXPECT_NE(text.find("3 changes"), std::string::npos) << text;
    EXPECT_NE(text.find("Record 2 of the journal is damaged"), std::string::npos) << text;
    for (int id : {1, 5, 7})
        EXPECT_EQ(rh::test::savedValue(*s, "Lone", id), "01") << id;
    // Nothing was cut, and a copy as it was is kept.
    EXPECT_EQ(rh::test::readFile(journal).substr(0, bytes.size()), bytes);
    bool copyKept = false;
    for (const auto& e : fs::directory_iterator(rh::test::privateFolder(dir)))
        copyKept |= e.path().filename().string().ends_with("-damaged.JNL") &&
                    rh::test::readFile(e.path()) == bytes;
    EXPECT_TRUE(copyKept);
}

TEST_F(JournalSessionTest, OffersNothingAfterASave) {
    auto other = load();
    rh::storeChange(*other, Change::score(4, "01", "09"));
    ASSERT_TRUE(rh::SaveTournament(*other, file));
    const rh::JournalContents after = rh::readJournal(rh::journalFileName(*other));
    EXPECT_TRUE(after.changes.empty());
    EXPECT_EQ(after.file, rh::fingerprintOf(file));
    other.reset();
    auto again = load();
    EXPECT_EQ(restoreQuestions(), 0);
    EXPECT_EQ(score(*again, 1), "09");
}

TEST_F(JournalSessionTest, DeclinedChangesAreKeptButNotOfferedAgain) {
    {
        auto s = load();
        rh::storeChange(*s, Change::score(4, "01", "07"));
    }
    auto declined = load(rh::MsgAnswer::No);
    EXPECT_EQ(restoreQuestions(), 1);
    EXPECT_EQ(score(*declined, 1), "");
    declined.reset();
    load();
    EXPECT_EQ(restoreQuestions(), 0);
    std::size_t keptChanges = 0;
    for (const auto& e : fs::directory_iterator(rh::test::privateFolder(dir)))
        if (e.path().filename().string().ends_with("-declined.JNL"))
            keptChanges += rh::readJournal(e.path().string()).changes.size();
    EXPECT_EQ(keptChanges, 1u);
}

TEST_F(JournalSessionTest, OneProgramAtATimeHoldsATournament) {
    auto first = load();
    rh::storeChange(*first, Change::score(4, "01", "07"));
    const std::string journal = rh::journalFileName(*first);
    const std::string before = rh::test::readFile(journal);

    // A second program is told who holds it; No leaves it closed.
    rh::ScriptedPrompt second;
    rh::Session refused(second);
    refused.setJournalMode(rh::JournalMode::Keep);
    EXPECT_FALSE(rh::ResetAndLoad(refused, file));
    ASSERT_EQ(second.countTitled(rh::kInUseTitle), 1);
    EXPECT_NE(second.messages().front().text.find("(process " + std::to_string(::getpid()) + ")"),
              std::string::npos);
    EXPECT_NE(refused.lockRefusal().find("open in"), std::string::npos);
    EXPECT_FALSE(refused.isLoaded());

    // Yes views it with the changes so far, and writes nothing.
    second = rh::ScriptedPrompt();
    second.answers = {rh::MsgAnswer::Yes, rh::MsgAnswer::Yes};
    rh::Session viewer(second);
    viewer.setJournalMode(rh::JournalMode::Keep);
    ASSERT_TRUE(rh::ResetAndLoad(viewer, file));
    EXPECT_TRUE(viewer.viewOnly());
    EXPECT_EQ(score(viewer, 1), "07");
    EXPECT_EQ(viewer.journal(), nullptr);
    EXPECT_THROW(rh::storeChange(viewer, Change::score(4, "03", "05")), rh::RhError);
    EXPECT_EQ(score(viewer, 3), "");
    EXPECT_FALSE(rh::SaveData(viewer));
    second.saveFiles = {file};
    EXPECT_FALSE(rh::cmdSave(viewer)); // the question first; No
    EXPECT_EQ(rh::test::readFile(journal), before);

    // Loading it again where it is held keeps the lock; it goes with the program that held it.
    ASSERT_TRUE(rh::ResetAndLoad(*first, file));
    EXPECT_EQ(prompt.countTitled(rh::kInUseTitle), 0);
    EXPECT_NE(first->lock(), nullptr);
    first.reset();
    auto third = load();
    EXPECT_EQ(prompt.countTitled(rh::kInUseTitle), 0);
    EXPECT_NE(third->journal(), nullptr);
}

} // namespace
