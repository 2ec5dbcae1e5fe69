// Replay as strict as entry, and no success without the disk: journal records that do not fit
// the tournament are left out of a restore (and named), and a journal whose writes fail stops
// rankhall-cli play's changes and has the window offer a save.

#include "core/scripted_prompt.h"
#include "engine_fixture.h"
#include "persistence/journal.h"
#include "services/changes.h"
#include "services/load_save.h"
#include "services/play.h"
#include "services/restore.h"
#include "services/round_advance.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <limits>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;
using rh::Change;
using rh::ChangeKind;

Change payouts(std::vector<double> amounts) {
    Change c;
    c.kind = ChangeKind::CustomPayouts;
    c.amounts = std::move(amounts);
    return c;
}

Change advanceTo(long long round) {
    Change c = Change::clock(ChangeKind::RoundAdvance, rh::localWallSeconds());
    c.round = round;
    c.value = "60";
    return c;
}

// sitout10: 10 players, 6 rounds, current round 3 without scores, two players sitting out.
class ReplayTest : public ::testing::Test {
protected:
    rh::test::TempDir dir;
    std::string file = (dir / "night.qmc").string();
    rh::ScriptedPrompt prompt;
    std::string seated, other, out; // two players of round 3 at different tables, one sitting out

    void SetUp() override {
        fs::copy_file(rh::test::examplePath("sitout10.qmc"), file);
        auto s = load(rh::JournalMode::Off);
        const rh::TournamentState& st = s->state();
        for (int id = 1; id <= 10; ++id) {
            const rh::EntrantId e = *rh::entrantIdOf(id);
            if (!st.isSeated(rh::roundAt(3), e))
                out = rh::idText(e);
            else if (seated.empty())
                seated = rh::idText(e);
            else if (other.empty() && st.partnerOf(rh::roundAt(3), *rh::entrantIdOf(seated)) != e)
                other = rh::idText(e);
        }
        ASSERT_FALSE(out.empty());
    }

    std::unique_ptr<rh::Session> load(rh::JournalMode mode,
                                      rh::MsgAnswer yesNo = rh::MsgAnswer::Yes) {
        prompt = rh::ScriptedPrompt();
        prompt.defaultYesNo = yesNo;
        auto s = std::make_unique<rh::Session>(prompt);
        s->setJournalMode(mode);
        EXPECT_TRUE(rh::ResetAndLoad(*s, file));
        return s;
    }
};

TEST_F(ReplayTest, RecordsThatDoNotFitAreLeftOutAndNamed) {
    // Changes the screens could have made, between hostile records that entry never makes.
    struct Record {
        bool fits;
        Change change;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Record> records{
        {true, Change::score(3, seated, "07")},
        {false, Change::score(3, out, "07")},      // sits out round 3
        {false, Change::score(3, other, "99999")}, // beyond 32
        {false, Change::score(3, other, "1e9")},
        {false, Change::score(3, other, "-5")},
        {false, Change::score(4, other, "05")}, // round 4 is not open
        {false, Change::score(3, "77", "05")},  // no such entrant
        {true, Change::count(ChangeKind::Lone, seated, "01")},
        {false, Change::count(ChangeKind::Lone, seated, "9999")},
        {false, Change::count(ChangeKind::Lone, other, "40")}, // more than 4 points a lone
        {false, Change::count(ChangeKind::Bump, seated, "-50")},
        {false, Change::count(ChangeKind::Wood, seated, "100")},
        {true, Change::count(ChangeKind::Bump, seated, "03")},
        {false, Change::count(ChangeKind::Paid, seated, "7")},
        {false, Change::count(ChangeKind::EntryFeePaid, "00", "1")},
        {false, payouts({})},
        {false, payouts({100, nan, 5})},
        {false, payouts({100, -1, 5})},
        {true, payouts({30, 20, 10})},
        {false, Change::money(ChangeKind::EntryFee, nan)},
        {false, Change::money(ChangeKind::BumpFee, 1e308)},
        {false, Change::money(ChangeKind::WoodFee, -0.5)},
        {false, Change::money(ChangeKind::Expenses, nan)},
        {false, Change::money(ChangeKind::Expenses, -5)},
        {true, Change::money(ChangeKind::Expenses, 12.5)},
        {true, Change::money(ChangeKind::BumpFee, 0.5)},
        {false, advanceTo(999)},
        {false, advanceTo(5)}, // a round skipped
        {false, Change::count(ChangeKind::Rename, seated, "  ")},
        {true, Change::score(3, other, "05")},
    };

    // What the window would have made of the changes that fit.
    auto reference = load(rh::JournalMode::Off);
    std::vector<rh::JournalEntry> journal;
    std::string expectedList;
    std::size_t fitting = 0;
    for (const Record& r : records) {
        rh::JournalEntry e;
        e.sequence = journal.size() + 1;
        e.time = 1'700'000'000 + static_cast<std::int64_t>(journal.size());
        e.change = r.change;
        journal.push_back(e);
        if (r.fits) {
            rh::storeChange(*reference, r.change);
            ++fitting;
        } else {
            EXPECT_THROW(rh::storeChange(*reference, r.change), rh::RhError)
                << rh::describeChange(r.change);
            expectedList += "\r\nChange " + std::to_string(e.sequence) + ": ";
        }
    }
    const std::string wanted = rh::buildTournamentXml(reference->state());

    auto s = load(rh::JournalMode::Off);
    EXPECT_EQ(rh::replayChanges(*s, journal, rh::localWallSeconds()), fitting);
    EXPECT_EQ(rh::buildTournamentXml(s->state()), wanted);
    // One message names every record left out, each with its reason.
    ASSERT_EQ(prompt.countTitled(rh::kRestoreTitle), 1);
    const std::string text = prompt.messages().back().text;
    std::size_t at = 0;
    for (const Record& r : records)
        if (!r.fits) {
            at = text.find("\r\nChange ", at);
            ASSERT_NE(at, std::string::npos);
            EXPECT_NE(text.find(": ", at), std::string::npos);
            ++at;
        }
    EXPECT_EQ(text.find("\r\nChange ", at), std::string::npos);
    EXPECT_NE(text.find("Change 2: Entrant " + out + " does not play in round 3."),
              std::string::npos);
    EXPECT_NE(text.find("Change 3: A score must be 0 to 32"), std::string::npos);
}

TEST_F(ReplayTest, AJournalOnDiskWithHostileRecordsRestoresTheRest) {
    {
        auto s = load(rh::JournalMode::Keep);
        ASSERT_NE(s->journal(), nullptr);
        // Written straight into the journal, as a damaged or forged file would hold them.
        s->journal()->append(Change::score(3, seated, "99999"));
        s->journal()->append(advanceTo(999));
        s->journal()->append(Change::score(3, seated, "06"));
    }
    auto s = load(rh::JournalMode::Keep);
    EXPECT_EQ(rh::test::savedValue(*s, "Score", std::stoi(seated), 3), "06");
    EXPECT_EQ(s->state().currentRound(), 3);
    const std::vector<rh::Message> shown = prompt.messages();
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(shown.back().text.find("Change 1: "), std::string::npos);
    EXPECT_NE(shown.back().text.find("Change 2: "), std::string::npos);
    EXPECT_EQ(shown.back().text.find("Change 3: "), std::string::npos);
}

// A full disk, injected: files of this process may grow no more (root is not stopped by a
// read-only folder, but is by the file size limit).
class DiskFull {
public:
    DiskFull() {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~DiskFull() {
        lift();
        std::signal(SIGXFSZ, m_oldHandler);
    }
    void fillAt(const std::string& path) {
        rlimit full = m_old;
        full.rlim_cur = static_cast<rlim_t>(fs::file_size(path));
        setrlimit(RLIMIT_FSIZE, &full);
    }
    void lift() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(ReplayTest, PlayStopsChangingOnceTheJournalFails) {
    DiskFull disk;
    auto s = load(rh::JournalMode::Keep);
    ASSERT_NE(s->journal(), nullptr);
    rh::ChangePlayer player(*s, file, true);
    EXPECT_TRUE(player.apply("bump " + seated + " 1").ok);
    disk.fillAt(s->journal()->path());
    EXPECT_FALSE(player.apply("bump " + seated + " 2").ok);
    EXPECT_TRUE(player.journalLost());
    // Every later change is refused and not made, even once the disk has room again.
    disk.lift();
    const rh::PlayOutcome later = player.apply("score 3 " + seated + " 07");
    EXPECT_FALSE(later.ok);
    EXPECT_NE(later.message.find("no longer protected"), std::string::npos);
    EXPECT_EQ(rh::test::savedValue(*s, "Score", std::stoi(seated), 3), "");
    EXPECT_FALSE(player.apply("wood " + seated + " 1").ok);
    EXPECT_EQ(player.applied(), 1u);
    // A save still writes the tournament, the change whose record failed with it.
    EXPECT_TRUE(player.apply("save").ok);
    auto saved = load(rh::JournalMode::Off);
    EXPECT_EQ(rh::test::savedValue(*saved, "Bump", std::stoi(seated)), "02");

    // Without a journal from the start, nothing is changed at all.
    rh::ChangePlayer unjournalled(*saved, file, true);
    EXPECT_TRUE(unjournalled.journalLost());
    EXPECT_FALSE(unjournalled.apply("bump " + seated + " 3").ok);
    EXPECT_TRUE(unjournalled.apply("").ok);
}

// The director who is told at once and saves: the disk has room again by the time Yes is pressed.
class FreeingPrompt : public rh::ScriptedPrompt {
public:
    DiskFull* disk = nullptr;
    rh::MsgAnswer show(const rh::Message& message) override {
        if (message.title == rh::kUnprotectedTitle)
            disk->lift();
        return ScriptedPrompt::show(message);
    }
};

TEST_F(ReplayTest, TheWindowOffersASaveWhenTheJournalFails) {
    // Each road that records a change, and what the tournament file holds once it is made.
    struct Road {
        const char* what;
        std::function<void(rh::Session&)> make;
        std::function<std::string(const rh::Session&)> saved;
        std::string made;
    };
    const std::vector<Road> roads{
        {"a score", [&](rh::Session& s) { rh::storeChange(s, Change::score(3, seated, "07")); },
         [&](const rh::Session& s) {
             return rh::test::savedValue(s, "Score", std::stoi(seated), 3);
         },
         "07"},
        {"the payout option", [](rh::Session& s) { s.payout().OptPayoutClick(s, 0); },
         [](const rh::Session& s) { return std::to_string(s.state().payout.PayoutOption); }, "0"},
        {"a round advance", [](rh::Session& s) { rh::AdvanceRound(s, rh::clockHooks(s)); },
         [](const rh::Session& s) { return std::to_string(s.state().currentRound()); }, "4"},
    };
    DiskFull disk;
    for (const Road& road : roads)
        for (const rh::MsgAnswer answer : {rh::MsgAnswer::No, rh::MsgAnswer::Yes}) {
            SCOPED_TRACE(std::string(road.what) +
                         (answer == rh::MsgAnswer::Yes ? ", Yes" : ", No"));
            fs::copy_file(rh::test::examplePath("sitout10.qmc"), file,
                          fs::copy_options::overwrite_existing);
            FreeingPrompt director;
            director.disk = &disk;
            director.answers = {answer};
            director.saveFiles = {file};
            rh::Session s(director);
            s.setJournalMode(rh::JournalMode::Keep);
            ASSERT_TRUE(rh::loadTournament(s, file));
            ASSERT_NE(s.journal(), nullptr);
            const std::string before = road.saved(s);
            ASSERT_NE(before, road.made);
            director.clear();
            disk.fillAt(s.journal()->path());
            road.make(s);
            disk.lift();
            // The failure, then at once the question; the change stands on the screen.
            std::vector<std::string> titles;
            for (const rh::Message& m : director.messages())
                titles.push_back(m.title);
            ASSERT_GE(titles.size(), 2u);
            EXPECT_EQ(titles[0], "Write Journal");
            EXPECT_EQ(titles[1], rh::kUnprotectedTitle);
            EXPECT_EQ(road.saved(s), road.made);
            // Yes saved the tournament with the change; No left the file as it was.
            auto reread = load(rh::JournalMode::Off);
            EXPECT_EQ(road.saved(*reread), answer == rh::MsgAnswer::Yes ? road.made : before);
        }
}

} // namespace
