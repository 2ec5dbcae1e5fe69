// The example tournaments under examples/: what they hold, that they are exactly what the
// generator makes (so they can always be made again), and that each masked file and its plain
// copy under examples/plain/ load to the same tournament.
//
// To make them again after a change of the generator or the file layout:
//   RANKHALL_UPDATE_EXAMPLES=1 build/release/tests/examples_persist_test
// (examples/regenerate.sh does this).
#include "core/scripted_prompt.h"
#include "persistence/code_page.h"
#include "persistence/tournament_writer.h"
#include "roster/keys.h"
#include "services/load_save.h"
#include "support/generator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

using namespace rh;
using rh::test::GeneratorOptions;
using rh::test::Kind;

namespace {

struct Example {
    std::string file;
    GeneratorOptions options;
    PayoutSettings payout;
};

std::vector<Example> examples() {
    std::vector<Example> list;

    GeneratorOptions demo;
    demo.kind = Kind::Progressive;
    demo.entrants = 16;
    demo.rounds = 8;
    demo.scoredRounds = 3;
    demo.seed = 16;
    demo.title = "Friday Night Euchre";
    demo.code = "DEMO16";
    demo.entryFee = 10;
    demo.names = {"Ann Abbott", "Bob Baker", "Carla Chen",       "Dev Diaz",
                  "Edna Evans", "Fay Fox",   "Gus Gray",         "Hana Hart",
                  "Ian Ivers",  "Jo Jones",  "Kit <Lucky> King", "Lou Lopez",
                  "Mia Moore",  "Ned Nuñez", "Oli O'Hara",       "Zoë Brandt"};
    list.push_back({"demo.qmc", demo, {}});

    GeneratorOptions sitOut;
    sitOut.kind = Kind::Progressive;
    sitOut.entrants = 10;
    sitOut.rounds = 6;
    sitOut.scoredRounds = 2;
    sitOut.seed = 10;
    sitOut.title = "Tuesday Ten & Two Sit Out";
    sitOut.code = "SIT10";
    sitOut.entryFee = 10;
    sitOut.expenses = 10;
    PayoutSettings custom;
    custom.PayoutOption = 1;
    custom.CustomPayoutCount = 3;
    custom.CustomPayouts = {45, 30, 15, 0, 0, 0, 0, 0};
    list.push_back({"sitout10.qmc", sitOut, custom});

    GeneratorOptions teams;
    teams.kind = Kind::Team;
    teams.entrants = 7;
    teams.rounds = 7;
    teams.scoredRounds = 3;
    teams.seed = 7;
    teams.title = "Club Team Night";
    teams.code = "TEAM7";
    teams.entryFee = 5;
    teams.aliasEvery = 3;
    list.push_back({"teams7.qmc", teams, {}});
    return list;
}

TournamentState build(const Example& e) {
    TournamentState st;
    test::generateTournament(st, e.options);
    st.payout = e.payout;
    return st;
}

std::filesystem::path examplesDir() {
    return std::filesystem::path(RANKHALL_SOURCE_DIR) / "examples";
}

std::string bytesOf(const TournamentState& st, bool masked) {
    std::string plain = buildTournamentXml(st);
    return masked ? MaskText(plain) : plain;
}

// Loads a file as the window does and answers the state it leaves.
std::shared_ptr<TournamentState> loadLikeTheWindow(const std::filesystem::path& file,
                                                   std::vector<Message>& messages) {
    ScriptedPrompt prompt;
    Session session(prompt);
    EXPECT_TRUE(ResetAndLoad(session, file.string()));
    messages = prompt.messages();
    return session.sharedState();
}

} // namespace

TEST(Examples, AreExactlyWhatTheGeneratorMakes) {
    const bool update = std::getenv("RANKHALL_UPDATE_EXAMPLES") != nullptr;
    for (const Example& e : examples()) {
        SCOPED_TRACE(e.file);
        TournamentState st = build(e);
        auto masked = examplesDir() / e.file;
        auto plain = examplesDir() / "plain" / e.file;
        if (update) {
            std::filesystem::create_directories(plain.parent_path());
            ScriptedPrompt prompt;
            ASSERT_TRUE(CreateSaveDoc(st, prompt, masked.string(), false, true));
            ASSERT_TRUE(CreateSaveDoc(st, prompt, plain.string(), false, false));
        }
        EXPECT_EQ(test::readFile(masked), bytesOf(st, true))
            << "regenerate with RANKHALL_UPDATE_EXAMPLES=1";
        EXPECT_EQ(test::readFile(plain), bytesOf(st, false));
    }
}

TEST(Examples, MaskedAndPlainCopiesLoadToTheSameTournament) {
    test::TempDir tmp; // no recovery copy of another run can interfere
    for (const Example& e : examples()) {
        SCOPED_TRACE(e.file);
        std::vector<Message> maskedMessages, plainMessages;
        auto fromMasked = loadLikeTheWindow(examplesDir() / e.file, maskedMessages);
        auto fromPlain = loadLikeTheWindow(examplesDir() / "plain" / e.file, plainMessages);
        EXPECT_EQ(test::dumpTournament(*fromMasked), test::dumpTournament(*fromPlain));
        EXPECT_EQ(test::dumpTournament(*fromMasked), test::dumpTournament(build(e)));
        ASSERT_EQ(maskedMessages.size(), 1u);
        EXPECT_EQ(maskedMessages[0].text, "Data file loaded successfully");
        EXPECT_EQ(plainMessages.size(), 1u);
        // The plain copy is readable by eye; the masked one is not.
        std::string plainBytes = test::readFile(examplesDir() / "plain" / e.file);
        EXPECT_NE(plainBytes.find("<Tournament>"), std::string::npos);
        EXPECT_EQ(test::readFile(examplesDir() / e.file).find("Tournament"), std::string::npos);
    }
}

TEST(Examples, LoadSaveLoadGivesBackEverything) {
    test::TempDir tmp;
    for (const Example& e : examples()) {
        SCOPED_TRACE(e.file);
        ScriptedPrompt prompt;
        Session session(prompt);
        ASSERT_TRUE(ResetAndLoad(session, (examplesDir() / e.file).string()));
        std::string saved = (tmp / e.file).string();
        prompt.saveFiles = {saved};
        ASSERT_TRUE(cmdSave(session));
        std::vector<Message> messages;
        auto again = loadLikeTheWindow(saved, messages);
        EXPECT_EQ(test::dumpTournament(*again), test::dumpTournament(session.state()));
        EXPECT_EQ(test::readFile(saved), test::readFile(examplesDir() / e.file));
    }
}

namespace {

// Every table of every round, as seat lists.
std::vector<std::vector<std::vector<std::string>>> tablesOf(const TournamentState& st) {
    std::vector<std::vector<std::vector<std::string>>> rounds;
    for (int r = 1; r <= st.settings.TotalRounds(); ++r) {
        std::vector<std::vector<std::string>> tables;
        for (int t = 1; t <= st.settings.TotalTables(); ++t) {
            std::vector<std::string> seats;
            if (st.isProgressive()) {
                for (int side = 1; side <= 2; ++side)
                    for (int pos = 1; pos <= 2; ++pos)
                        seats.push_back(st.tableSeats.value(SeatKey(r, t, side, pos)));
            } else {
                for (int pos = 1; pos <= 2; ++pos)
                    seats.push_back(st.tableSeats.value(TeamSeatKey(r, t, pos)));
            }
            tables.push_back(seats);
        }
        rounds.push_back(tables);
    }
    return rounds;
}

} // namespace

TEST(Examples, HoldWhatTheyPromise) {
    test::TempDir tmp;
    std::vector<Message> messages;
    std::set<std::string> codes;
    for (const Example& e : examples()) {
        SCOPED_TRACE(e.file);
        auto st = loadLikeTheWindow(examplesDir() / e.file, messages);
        const TournamentSettings& t = st->settings;
        EXPECT_FALSE(t.TourneyTitle().empty());
        EXPECT_TRUE(codes.insert(t.TourneyCode()).second) << "codes must differ";
        EXPECT_DOUBLE_EQ(t.BumpFee(), 0.25);
        EXPECT_DOUBLE_EQ(t.WoodFee(), 0.50);
        EXPECT_TRUE(t.EntryFee() == 10 || t.EntryFee() == 5);
        EXPECT_GT(t.CurrentRound(), 1);
        EXPECT_GT(st->lones.Count(), 0u);
        EXPECT_GT(st->fines.Count(), 0u);
        int aliases = 0;
        for (const auto& a : st->aliases.values())
            aliases += a.empty() ? 0 : 1;
        EXPECT_GE(aliases, 2);
        bool escaped = false;
        for (const auto& n : st->names.values())
            escaped = escaped || n.find_first_of("&<") != std::string::npos;
        escaped = escaped || t.TourneyTitle().find_first_of("&<") != std::string::npos;
        EXPECT_TRUE(escaped) << "a name or title with & or < exercises the escaping";

        auto rounds = tablesOf(*st);
        std::set<std::pair<std::string, std::string>> partners;
        for (int r = 1; r <= t.TotalRounds(); ++r) {
            std::set<std::string> seated;
            for (const auto& seats : rounds[static_cast<std::size_t>(r - 1)])
                for (const auto& id : seats) {
                    ASSERT_FALSE(id.empty());
                    EXPECT_TRUE(seated.insert(id).second) << "seated twice in round " << r;
                }
            EXPECT_EQ(static_cast<int>(seated.size()),
                      t.TotalTables() * (st->isProgressive() ? 4 : 2));
            for (const auto& seats : rounds[static_cast<std::size_t>(r - 1)]) {
                if (st->isProgressive())
                    for (std::size_t s = 0; s < 4; s += 2) {
                        auto pair = std::minmax(seats[s], seats[s + 1]);
                        EXPECT_TRUE(partners.insert(pair).second)
                            << seats[s] << " partners " << seats[s + 1] << " twice";
                    }
                if (r >= t.CurrentRound())
                    continue;
                // Partners carry the same score; a game to 10 has one winner.
                auto score = [&](const std::string& id) {
                    return std::stoi(st->scores.Item(makekey(std::to_string(r), id)));
                };
                int a = score(seats[0]);
                int b = score(seats[st->isProgressive() ? 2 : 1]);
                if (st->isProgressive()) {
                    EXPECT_EQ(score(seats[1]), a);
                    EXPECT_EQ(score(seats[3]), b);
                }
                EXPECT_TRUE((a >= 10) != (b >= 10)) << a << " against " << b;
            }
        }
        for (const auto& entrant : st->entrantsByName())
            EXPECT_TRUE(st->isValid(std::stoi(entrant.id))) << entrant.name;
    }
}

TEST(Examples, SizesOfTheThreeKinds) {
    test::TempDir tmp;
    std::vector<Message> messages;
    auto demo = loadLikeTheWindow(examplesDir() / "demo.qmc", messages);
    EXPECT_EQ(demo->settings.TotalPlort(), 16);
    EXPECT_EQ(demo->settings.TotalRounds(), 8);
    EXPECT_EQ(demo->settings.TotalTables(), 4);
    auto sitOut = loadLikeTheWindow(examplesDir() / "sitout10.qmc", messages);
    EXPECT_EQ(sitOut->settings.TotalPlort(), 10);
    EXPECT_EQ(sitOut->settings.TotalTables(), 2); // two players sit out every round
    EXPECT_EQ(sitOut->payout.PayoutOption, 1);
    auto teams = loadLikeTheWindow(examplesDir() / "teams7.qmc", messages);
    EXPECT_TRUE(teams->settings.isTeam());
    EXPECT_EQ(teams->settings.TotalPlort(), 7);
    EXPECT_EQ(teams->settings.TotalTables(), 3); // one team sits out every round
}
