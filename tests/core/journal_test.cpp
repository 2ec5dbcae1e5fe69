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
    EXPECT_FALSE(read.tornTail || read.brokenMiddle);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(JournalFileTest, TornOrDamagedRecordsEndTheReading) {
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        std::size_t changesLeft;
        bool torn, broken;
    };
    const std::vector<Case> cases = {
        {"last record cut short", [](std::string& b) { b.resize(b.size() - 5); }, 3, true, false},
        {"last line end missing", [](std::string& b) { b.pop_back(); }, 3, true, false},
        {"last record's checksum wrong", [](std::string& b) { b[b.size() - 12] ^= 1; }, 3, true,
         false},
        {"half a record after the last", [](std::string& b) { b += "5\t17\tscore\t1"; }, 4, true,
         false},
        {"second record damaged",
         [](std::string& b) {
             std::size_t at = 0;
             for (int line = 0; line < 2; ++line)
                 at = b.find('\n', at) + 1;
             b[at + 4] ^= 1;
         },
         1, false, true},
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
        EXPECT_EQ(read.tornTail, c.torn) << c.what;
        EXPECT_EQ(read.brokenMiddle, c.broken) << c.what;
        // Appending after a resume follows the last good record, so it is read back.
        auto journal = rh::Journal::resume(path, read);
        journal->append(four[0]);
        EXPECT_EQ(rh::readJournal(path).changes.size(), c.changesLeft + 1) << c.what;
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

TEST_F(JournalSessionTest, OffersNothingForAnotherFileOrAfterASave) {
    {
        auto s = load();
        rh::storeChange(*s, Change::score(4, "01", "07"));
    }
    // The file changed since the journal began: its changes are not offered.
    rh::test::writeFile(file, rh::test::readFile(file) + " ");
    auto other = load();
    EXPECT_EQ(restoreQuestions(), 0);
    EXPECT_EQ(score(*other, 1), "");

    rh::storeChange(*other, Change::score(4, "01", "09"));
    ASSERT_TRUE(rh::SaveTournament(*other, file));
    const rh::JournalContents after = rh::readJournal(rh::journalFileName(*other));
    EXPECT_TRUE(after.changes.empty());
    EXPECT_EQ(after.file, rh::fingerprintOf(file));
    auto again = load();
    EXPECT_EQ(restoreQuestions(), 0);
    EXPECT_EQ(score(*again, 1), "09");
}

TEST_F(JournalSessionTest, DeclinedChangesAreDiscarded) {
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
}

} // namespace
