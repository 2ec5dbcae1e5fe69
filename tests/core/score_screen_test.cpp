// The score-entry screen driven as the director drives it, one script a file: each file of
// tests/data/scores describes a tournament file ("file ..." lines), opens the screen and makes
// the director's choices; beside it (.expected) what every choice changed on the screen, in the
// tournament and in what the director was shown. A conflict dialog also tells whether anything
// was stored before it opened.
//
// Setup, before "open": file tourney ENTRANTS ROUNDS progressive|team [NAMES...], file seat ROUND
// ID ID ID ID, file pair ROUND ID ID (Team), file current ROUND, file score ROUND ID VALUE, file
// lones|bumps|woods ID N, file paid ID MARK, file fees BUMP WOOD. Then: show (every control),
// update, round I, all 0|1, bytable 0|1, setbytable 0|1, choose LISTED-TEXT, entrant I, score
// N|blank, lones|bumps|woods I, paid 0|1, table TEXT, answer player|partner (for the next
// conflict), standings ID, change RECORD, close, fail (the next score's aftermath throws),
// advance (a complete round advances; the clocks, recovery copy and views it calls are noted).
//
// To write the expected files again after a deliberate change:
//   RANKHALL_UPDATE_GOLDEN=1 build/release/tests/score_screen_test
#include "core/scripted_prompt.h"
#include "engine_fixture.h"
#include "scoring/table_order.h"
#include "services/round_advance.h"
#include "services/score_entry.h"
#include "support/generator.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

using namespace rh;
namespace fs = std::filesystem;

namespace {

const fs::path kScripts = fs::path(RANKHALL_TEST_DATA_DIR) / "scores";

std::string escaped(const std::string& s) {
    std::string out;
    for (char c : s)
        out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return out;
}

std::string flags(bool enabled, bool visible) {
    return std::string(enabled ? "" : " disabled") + (visible ? "" : " hidden");
}

std::string caption(const CaptionView& c) {
    std::string out = "\"" + c.text + "\"";
    if (c.background)
        out += " {" + std::to_string(c.background->r) + "," + std::to_string(c.background->g) +
               "," + std::to_string(c.background->b) + "}";
    return out + flags(c.enabled, c.visible);
}

/// Every control of the screen by name, as text.
std::map<std::string, std::string> controls(const EnterScoresView& v) {
    std::map<std::string, std::string> out;
    for (const auto& [name, l] : v.lists()) {
        std::string items;
        auto item = [](const ListItem& i) {
            return "\"" + i.text + "\"" + (i.data.empty() ? "" : "=" + i.data);
        };
        if (l->items.size() > 12)
            items = std::to_string(l->items.size()) + " items " + item(l->items.front()) + " to " +
                    item(l->items.back());
        else
            for (const ListItem& i : l->items)
                items += (items.empty() ? "" : " ") + item(i);
        out[name] = "[" + items + "] at " + std::to_string(l->index) +
                    (l->hasSelection() ? " \"" + l->selectedText() + "\"" : "") +
                    flags(l->enabled, l->visible);
    }
    for (const auto& [name, c] : v.captions())
        out[name] = caption(*c);
    out["txtTableScores"] = caption(v.txtTableScores);
    for (const auto& [name, c] : v.checks())
        out[name] = "\"" + c->caption + "\"" + (c->checked ? " checked" : "") +
                    flags(c->enabled, c->visible);
    for (const auto& [name, f] : v.frames())
        out[name] = "\"" + f->caption + "\"" + flags(true, f->visible);
    out["focus"] = v.focus;
    return out;
}

/// The stored tournament, a line a record (see dumpTournament).
std::map<std::string, int> storeLines(const Session& s) {
    std::map<std::string, int> out;
    std::istringstream in(test::dumpTournament(s.state()));
    for (std::string line; std::getline(in, line);)
        ++out[line];
    return out;
}

std::string storeChanges(const std::map<std::string, int>& before,
                         const std::map<std::string, int>& after) {
    std::string out;
    for (const auto& [line, n] : before)
        if (!after.count(line))
            out += "- " + line + "\n";
    for (const auto& [line, n] : after)
        if (!before.count(line))
            out += "+ " + line + "\n";
    return out;
}

// Notes whether the tournament changed between the choice and the conflict dialog.
class Prompt : public ScriptedPrompt {
public:
    const Session* session = nullptr;
    std::map<std::string, int> before;
    std::vector<std::string> storedAtConflict;

    std::string resolveConflict(const ConflictRequest& request) override {
        const std::string changes = storeChanges(before, storeLines(*session));
        storedAtConflict.push_back(changes.empty() ? "nothing stored yet"
                                                   : "stored first:\n" + changes);
        return ScriptedPrompt::resolveConflict(request);
    }
};

class ScoreScript : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(ScoreScript, WhatEveryChoiceChanges) {
    Prompt prompt;
    Session session(prompt);
    prompt.session = &session;
    std::unique_ptr<test::Tourney> t;
    std::unique_ptr<ScoreEntry> screen;
    std::map<std::string, std::string> shown;
    std::map<std::string, int> stored;
    std::string out;
    RoundAdvanceHooks hooks; // each call noted in the output
    auto note = [&out](const std::string& what) {
        return [&out, what] { out += "  " + what + "\n"; };
    };
    hooks.refreshViews = note("refreshViews");
    hooks.StopRoundTimer = note("StopRoundTimer");
    hooks.RecordRoundTime = note("RecordRoundTime");
    hooks.ResetRoundTimer = note("ResetRoundTimer");
    hooks.ResetPauseTimer = note("ResetPauseTimer");
    hooks.SaveData = [&] {
        out += "  SaveData in round " + std::to_string(session.tourney().CurrentRound()) + "\n";
    };
    hooks.StartRoundTimer = note("StartRoundTimer");
    hooks.ChangeRound = note("ChangeRound");
    hooks.UpdateProgressBars = [&out](bool done) {
        out += std::string("  UpdateProgressBars(") + (done ? "true" : "false") + ")\n";
    };
    hooks.ShowResultsTab = note("ShowResultsTab");

    std::istringstream script(test::readFile(kScripts / (GetParam() + ".txt")));
    for (std::string line; std::getline(script, line);) {
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        if (verb.empty() || verb[0] == '#')
            continue;
        std::vector<std::string> rest;
        for (std::string w; words >> w;)
            rest.push_back(w);
        auto num = [&](std::size_t i) { return std::stoi(rest.at(i)); };
        if (verb == "file") {
            const std::string& k = rest.at(0);
            if (k == "tourney")
                t = std::make_unique<test::Tourney>(
                    num(1), num(2), rest.at(3) == "progressive",
                    std::vector<std::string>(rest.begin() + 4, rest.end()));
            else if (k == "seat")
                t->seat(num(1), {num(2), num(3), num(4), num(5)});
            else if (k == "pair")
                t->seat(num(1), {num(2), num(3)});
            else if (k == "current")
                t->round(num(1));
            else if (k == "score")
                t->score(num(1), num(2), num(3));
            else if (k == "lones")
                t->lones(num(1), num(2));
            else if (k == "bumps")
                t->bumps(num(1), num(2));
            else if (k == "woods")
                t->woods(num(1), num(2));
            else if (k == "paid")
                t->paidMark(num(1), rest.at(2));
            else if (k == "fees")
                t->fees(std::stod(rest.at(1)), std::stod(rest.at(2)));
            else
                FAIL() << line;
            continue;
        }
        if (verb != "open")
            out += "> " + line + "\n";
        prompt.before = stored;
        if (verb == "open") {
            if (t) {
                ASSERT_TRUE(loadTournament(session, t->writeFile()));
            }
            prompt.clear();
            screen = std::make_unique<ScoreEntry>(session);
            shown = controls(screen->view());
            stored = storeLines(session);
            continue;
        } else if (verb == "show") { // every control, not only what changed
            shown.clear();
        } else if (verb == "update") {
            screen->UpdateEnterScores();
        } else if (verb == "round") {
            screen->chooseRound(num(0));
        } else if (verb == "all") {
            screen->chooseShowAll(num(0) != 0);
        } else if (verb == "bytable") {
            screen->chooseByTable(num(0) != 0);
        } else if (verb == "setbytable") {
            screen->setByTable(num(0) != 0);
        } else if (verb == "choose") {
            const std::string listed = line.substr(line.find(' ') + 1);
            int at = -1;
            const auto& items = screen->view().comboPlayerName.items;
            for (std::size_t i = 0; i < items.size(); ++i)
                if (items[i].text == listed)
                    at = static_cast<int>(i);
            ASSERT_GE(at, 0) << line;
            screen->chooseEntrant(at);
        } else if (verb == "entrant") {
            screen->chooseEntrant(num(0));
        } else if (verb == "score") {
            screen->chooseScore(rest.at(0) == "blank" ? 0 : num(0) + 1); // item 0 is the blank
        } else if (verb == "lones") {
            screen->chooseLones(num(0));
        } else if (verb == "bumps") {
            screen->chooseBumps(num(0));
        } else if (verb == "woods") {
            screen->chooseWoods(num(0));
        } else if (verb == "paid") {
            screen->choosePaid(num(0) != 0);
        } else if (verb == "table") {
            screen->enterTableScores(line.substr(line.find(' ') + 1));
        } else if (verb == "answer") {
            prompt.conflictTakesPlayer.push_back(rest.at(0) == "player");
        } else if (verb == "standings") {
            session.chooseInStandings(rest.at(0));
        } else if (verb == "change") {
            const auto change = decodeChange(rest);
            ASSERT_TRUE(change) << line;
            applyChange(session, *change);
        } else if (verb == "close") {
            session.closeTournament();
        } else if (verb == "advance") {
            bindRoundAdvance(*screen, session, hooks);
        } else if (verb == "fail") {
            screen->afterScore = [] { throw RhError(err::Overflow); };
        } else {
            FAIL() << line;
        }
        if (!screen)
            continue;
        for (const auto& [name, text] : controls(screen->view()))
            if (shown[name] != text)
                out += "  " + name + ": " + (shown[name] = text) + "\n";
        const auto now = storeLines(session);
        out += storeChanges(stored, now);
        stored = now;
        std::size_t conflict = 0;
        for (const ScriptedPrompt::Shown& s : prompt.shown) {
            if (s.kind == "message")
                out += "! " + s.message.title + " | " + escaped(s.message.text) + " (icon " +
                       std::to_string(static_cast<int>(s.message.icon)) + ", buttons " +
                       std::to_string(static_cast<int>(s.message.buttons)) + ")\n";
            else if (s.kind == "conflict")
                out += "? conflict: " + s.conflict.playerName + " " + s.conflict.playerScore +
                       ", partner " + s.conflict.partnerName + " " + s.conflict.partnerScore +
                       "; " + prompt.storedAtConflict.at(conflict++) + "\n";
            else
                out += "? " + s.kind + (s.tournamentOver ? " (over)" : "") +
                       (s.message.text.empty() ? "" : ": " + escaped(s.message.text)) + "\n";
        }
        prompt.clear();
        prompt.storedAtConflict.clear();
    }
    const fs::path expected = kScripts / (GetParam() + ".expected");
    if (std::getenv("RANKHALL_UPDATE_GOLDEN"))
        test::writeFile(expected, out);
    EXPECT_TRUE(out == test::readFile(expected)) << expected << " now gives:\n" << out;
}

INSTANTIATE_TEST_SUITE_P(Files, ScoreScript, testing::ValuesIn([] {
                             std::vector<std::string> names;
                             for (const auto& e : fs::directory_iterator(kScripts))
                                 if (e.path().extension() == ".txt")
                                     names.push_back(e.path().stem().string());
                             std::sort(names.begin(), names.end());
                             return names;
                         }()),
                         [](const auto& info) {
                             std::string n = info.param;
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

TEST(TableScores, TypedTextAndCaption) {
    const std::vector<std::pair<std::string, std::optional<std::vector<int>>>> cases = {
        {"10 6", std::vector<int>{10, 6}},
        {" 7,5 ", std::vector<int>{7, 5}},
        {"09", std::vector<int>{9}},
        {"0 32", std::vector<int>{0, 32}},
        {"33 1", std::nullopt},
        {"1 2 3", std::nullopt},
        {"", std::nullopt},
        {"7a 5", std::nullopt},
        {"-1 5", std::nullopt}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseTableScores(text), expected) << '"' << text << '"';
    EXPECT_EQ(tableCaption(7), "Table 7");
    EXPECT_EQ(tableCaption(std::nullopt), "");
}
