// Loading, saving and the recovery copy as the director meets them: the questions asked, the
// messages shown, the files left in the temporary folder, and the flags of the open tournament.
#include "core/scripted_prompt.h"
#include "persistence/atomic_file.h"
#include "persistence/code_page.h"
#include "persistence/tournament_writer.h"
#include "services/changes.h"
#include "services/load_save.h"
#include "support/generator.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace rh;
namespace fs = std::filesystem;

namespace {

// A temporary folder of the test's own (TMPDIR) with a tournament file in it.
class LoadSave : public ::testing::Test {
protected:
    void SetUp() override {
        test::GeneratorOptions o;
        o.entrants = 8;
        o.rounds = 3;
        o.scoredRounds = 1;
        o.code = "CLUB1";
        o.title = "Original";
        test::generateTournament(original, o);
        file = (tmp / "club.qmc").string();
        ScriptedPrompt quiet;
        ASSERT_TRUE(CreateSaveDoc(original, quiet, file, false));
    }

    // Writes a recovery copy of the same code with another title and a later current round.
    void writeRecoveryCopy() {
        TournamentState later = original;
        later.settings.setTourneyTitle("Recovered");
        later.settings.setCurrentRound(3);
        ScriptedPrompt quiet;
        ASSERT_TRUE(CreateSaveDoc(later, quiet, privateFolder(tmp).string() + "/Rankhall_CLUB1.RCV",
                                  false));
    }

    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const auto& m : prompt.messages())
            out.push_back(m.title);
        return out;
    }

    test::TempDir tmp;
    TournamentState original;
    std::string file;
    ScriptedPrompt prompt;
    Session session{prompt};
};

} // namespace

TEST_F(LoadSave, ALoadThatFailsChangesNothing) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    applyChange(session, Change::score(2, "01", "09")); // work in hand
    session.markSaved();
    const std::string before = buildTournamentXml(session.state());
    const auto stateBefore = session.sharedState();
    test::writeFile(tmp / "broken.qmc", "<?xml version='1.0'?><Tournament><TournamentInfo>");
    fs::create_directory(tmp / "folder.qmc");
    struct Case {
        const char* what;
        std::string path;   // "" = the open dialog, cancelled
        const char* report; // the title of what is shown, "" = nothing
    };
    const Case cases[] = {
        {"cancelled dialog", "", ""},
        {"missing file", (tmp / "gone.qmc").string(), "Load Document"},
        {"a folder", (tmp / "folder.qmc").string(), "Load Document"},
        {"not XML", (tmp / "broken.qmc").string(), kAppTitle},
    };
    for (const Case& c : cases) {
        prompt.clear();
        prompt.openFiles = {""};
        EXPECT_FALSE(ResetAndLoad(session, c.path)) << c.what;
        EXPECT_EQ(prompt.messages().size(), *c.report ? 1u : 0u) << c.what;
        if (*c.report) {
            EXPECT_EQ(prompt.messages()[0].title, c.report) << c.what;
        }
        if (c.path == (tmp / "gone.qmc").string()) {
            EXPECT_EQ(prompt.messages()[0].icon, MsgIcon::Critical);
            EXPECT_EQ(prompt.messages()[0].text,
                      "The following error occured: \r\nError # 53\r\nFile not found");
        }
        EXPECT_EQ(session.sharedState(), stateBefore) << c.what;
        EXPECT_EQ(buildTournamentXml(session.state()), before) << c.what;
        EXPECT_TRUE(session.isLoaded()) << c.what;
        EXPECT_TRUE(session.isSaved()) << c.what;
        EXPECT_EQ(session.dialogFiles().openFile(), file) << c.what;
        EXPECT_EQ(session.htmlFileName(), "QuillmarkCLUB1.html") << c.what;
    }
}

TEST_F(LoadSave, AFileThatCannotBeReadOffersItsRecoveryCopy) {
    writeRecoveryCopy();
    std::string broken = test::readFile(file);
    broken = MaskText(MaskText(broken).substr(0, 500)); // cut off mid-way, still masked
    const fs::path damaged = tmp / "club.qmc";
    test::writeFile(damaged, broken);
    const fs::path unreadable = tmp / "CLUB1.qmc"; // nothing of it can be read: its name tells
    fs::create_directory(unreadable);
    for (const fs::path& path : {damaged, unreadable}) {
        for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
            prompt.clear();
            prompt.answers = {answer};
            EXPECT_EQ(ResetAndLoad(session, path.string()), answer == MsgAnswer::Yes) << path;
            auto m = prompt.messages();
            ASSERT_GE(m.size(), 2u) << path;
            // First what is wrong with the file, then the question.
            EXPECT_EQ(m[0].icon, path == damaged ? MsgIcon::Exclamation : MsgIcon::Critical);
            EXPECT_EQ(m[1].title, "Recovery File Detected");
            if (answer == MsgAnswer::Yes) {
                EXPECT_EQ(session.tourney().TourneyTitle(), "Recovered");
                EXPECT_EQ(session.tourney().CurrentRound(), 3);
                session.markEmpty();
            }
        }
    }
    // Without a recovery copy the damaged file only shows what is wrong with it.
    fs::remove(privateFolder(tmp) / "Rankhall_CLUB1.RCV");
    prompt.clear();
    EXPECT_FALSE(ResetAndLoad(session, damaged.string()));
    EXPECT_EQ(prompt.messages().size(), 1u);
}

TEST_F(LoadSave, RecoveryCopyIsOfferedAndYesLoadsIt) {
    ASSERT_TRUE(ResetAndLoad(session, file)); // no recovery copy, no question
    EXPECT_EQ(titles(), (std::vector<std::string>{"File Load"}));
    writeRecoveryCopy();
    prompt.clear();
    prompt.answers = {MsgAnswer::No};
    ASSERT_TRUE(ResetAndLoad(session, file));
    EXPECT_EQ(prompt.countTitled("Recovery File Detected"), 1);
    EXPECT_EQ(session.tourney().TourneyTitle(), "Original");
    EXPECT_EQ(session.tourney().CurrentRound(), 2); // the original's own current round

    prompt.clear();
    prompt.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(ResetAndLoad(session, file));
    auto m = prompt.messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].title, "Recovery File Detected");
    EXPECT_EQ(m[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(m[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m[0].text, "A Recovery File Exists\r\nWould you like to load from the Recovery "
                         "file?\r\nPress Yes to load from Recovery File\r\nPress No to load from "
                         "Original File");
    EXPECT_EQ(m[1].text, "Data file loaded successfully");
    EXPECT_EQ(session.tourney().TourneyTitle(), "Recovered");
    EXPECT_EQ(session.tourney().CurrentRound(), 3);
    // Loading never touches the recovery copy, and saving offers the original file.
    EXPECT_TRUE(PathExists(privateFolder(tmp).string() + "/Rankhall_CLUB1.RCV"));
    EXPECT_EQ(session.dialogFiles().openFile(), file);
}

TEST_F(LoadSave, RecoveryCopyGetsUnreadValuesFromTheChosenFile) {
    // A recovery copy lacking some settings takes them from the file the director chose.
    test::writeFile(privateFolder(tmp) / "Rankhall_CLUB1.RCV",
                    MaskText("<?xml version='1.0'?><Tournament><TournamentInfo><Title>Short"
                             "</Title></TournamentInfo></Tournament>"));
    prompt.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(ResetAndLoad(session, file));
    EXPECT_EQ(session.tourney().TourneyTitle(), "Short");
    EXPECT_EQ(session.tourney().TourneyCode(), "CLUB1");
    EXPECT_EQ(session.tourney().TotalPlort(), 8);
    EXPECT_EQ(session.tourney().TotalTables(), 2);
}

TEST_F(LoadSave, OpenDialogChoosesOrCancelsAndALoadSetsTheFlagsAndSaysSo) {
    prompt.openFiles = {""};
    EXPECT_FALSE(ResetAndLoad(session, ""));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].kind, "open");
    EXPECT_EQ(prompt.shown[0].file.filter, "Quillmark Files (*.QMC) |*.qmc");
    EXPECT_EQ(prompt.shown[0].file.title, "");
    EXPECT_FALSE(session.isLoaded());

    prompt.clear();
    prompt.openFiles = {file};
    session.markSaved();
    EXPECT_TRUE(ResetAndLoad(session, ""));
    EXPECT_TRUE(session.isLoaded());
    EXPECT_FALSE(session.isSaved());
    EXPECT_EQ(session.htmlFileName(), "QuillmarkCLUB1.html");
    EXPECT_EQ(buildTournamentXml(session.state()), buildTournamentXml(original));
    auto m = prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, "File Load");
    EXPECT_EQ(m[0].text, "Data file loaded successfully");
    EXPECT_EQ(m[0].icon, MsgIcon::Information);
    EXPECT_EQ(m[0].buttons, MsgButtons::Ok);
    // The dialog opens on the last file chosen.
    prompt.clear();
    ResetAndLoad(session, "");
    EXPECT_EQ(prompt.shown.at(0).file.initialPath, file);
}

TEST_F(LoadSave, ExitAndLoadAskWheneverAnythingChanged) {
    auto count = [](ChangeKind k, const char* v) { return Change::count(k, "01", v); };
    Change custom = Change::money(ChangeKind::Expenses, 0);
    custom.kind = ChangeKind::CustomPayouts;
    custom.amounts = {40, 0, 0};
    Change advance = Change::score(3, "", "");
    advance.kind = ChangeKind::RoundAdvance;
    Change payout = count(ChangeKind::PayoutOption, "");
    payout.value = "1";
    const Change changes[] = {
        Change::score(2, "01", "09"),
        count(ChangeKind::Lone, "00"),
        count(ChangeKind::Bump, "01"),
        count(ChangeKind::Wood, "01"),
        count(ChangeKind::Paid, "1"),
        count(ChangeKind::EntryFeePaid, "1"),
        count(ChangeKind::Alias, "Ace"),
        Change::money(ChangeKind::EntryFee, 7),
        Change::money(ChangeKind::BumpFee, 0.35),
        Change::money(ChangeKind::WoodFee, 0.7),
        Change::money(ChangeKind::Expenses, 12.5),
        payout,
        custom,
        Change::clock(ChangeKind::ClockStart, WallTime::fromHms(19, 0, 0).localSeconds),
        advance,
    };
    for (const Change& change : changes) {
        const std::string what = describeChange(change);
        ASSERT_TRUE(ResetAndLoad(session, file));
        prompt.clear();
        EXPECT_TRUE(confirmExit(session)) << what; // nothing changed: nothing asked
        EXPECT_TRUE(confirmDiscard(session)) << what;
        EXPECT_TRUE(prompt.shown.empty()) << what;
        if (change.kind == ChangeKind::CustomPayouts) { // amounts count once they are chosen
            applyChange(session, payout);
            session.markUnmodified();
        }
        applyChange(session, change);
        prompt.answers = {MsgAnswer::Cancel, MsgAnswer::Cancel};
        EXPECT_FALSE(confirmExit(session)) << what;
        EXPECT_FALSE(confirmDiscard(session)) << what;
        EXPECT_EQ(prompt.countTitled("Exit"), 2) << what;
        // Once saved, nothing is asked until the next change.
        ASSERT_TRUE(SaveTournament(session, (tmp / "saved.qmc").string())) << what;
        prompt.clear();
        EXPECT_TRUE(confirmExit(session)) << what;
        EXPECT_TRUE(prompt.shown.empty()) << what;
    }
    // A change taken back is no change.
    ASSERT_TRUE(ResetAndLoad(session, file));
    const std::string title = session.tourney().TourneyTitle();
    session.tourney().setTourneyTitle("Other");
    session.tourney().setTourneyTitle(title);
    prompt.clear();
    EXPECT_TRUE(confirmExit(session));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LoadSave, ExitOffersSaveDiscardAndCancel) {
    const std::string saved = (tmp / "exit.qmc").string();
    struct Case {
        std::vector<MsgAnswer> answers;
        std::vector<std::string> saveFiles;
        bool closes;
        bool written;
    };
    const Case cases[] = {
        {{MsgAnswer::Cancel}, {}, false, false},
        {{MsgAnswer::Discard}, {}, true, false},
        {{MsgAnswer::Save}, {""}, false, false}, // the save dialog cancelled
        {{MsgAnswer::Save}, {saved}, true, true},
    };
    for (const Case& c : cases) {
        fs::remove(saved);
        ASSERT_TRUE(ResetAndLoad(session, file));
        applyChange(session, Change::score(2, "01", "09"));
        prompt.clear();
        prompt.answers.assign(c.answers.begin(), c.answers.end());
        prompt.saveFiles.assign(c.saveFiles.begin(), c.saveFiles.end());
        EXPECT_EQ(confirmExit(session), c.closes);
        EXPECT_EQ(fs::exists(saved), c.written);
        const Message question = prompt.messages().at(0);
        EXPECT_EQ(question.title, "Exit");
        EXPECT_EQ(question.buttons, MsgButtons::SaveDiscardCancel);
        EXPECT_EQ(question.text, closeQuestionText());
    }
}

TEST_F(LoadSave, DiscardingAnOpenTournamentAsksFirst) {
    EXPECT_TRUE(confirmDiscard(session)); // nothing loaded: nothing asked
    EXPECT_TRUE(prompt.shown.empty());
    ASSERT_TRUE(ResetAndLoad(session, file));
    applyChange(session, Change::score(2, "01", "09"));
    prompt.clear();
    prompt.answers = {MsgAnswer::Cancel, MsgAnswer::Ok};
    EXPECT_FALSE(confirmDiscard(session));
    EXPECT_TRUE(session.isLoaded()); // Cancel leaves everything as it was
    EXPECT_TRUE(confirmDiscard(session));
    auto m = prompt.messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].title, "Exit");
    EXPECT_EQ(m[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(m[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m[0].text, "A tournament is in progress.\r\nIf you press Ok, you will lose your "
                         "data\r\nPress Cancel to resume with your existing data\r\nYou can SAVE "
                         "your existing tournament with the Save button of the Load / Money tab");
}

TEST_F(LoadSave, SaveOffersTheLoadedFileAndDeletesTheRecoveryCopy) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    writeRecoveryCopy();
    applyChange(session, Change::score(2, "01", "10"));
    std::string saved = (tmp / "saved.qmc").string();
    // A cancelled save dialog does nothing.
    prompt.clear();
    prompt.saveFiles = {""};
    EXPECT_FALSE(cmdSave(session));
    EXPECT_EQ(prompt.messages().size(), 0u);
    EXPECT_FALSE(session.isSaved());
    EXPECT_TRUE(PathExists(privateFolder(tmp).string() + "/Rankhall_CLUB1.RCV"));
    prompt.clear();
    prompt.saveFiles = {saved};
    ASSERT_TRUE(cmdSave(session));
    ASSERT_EQ(prompt.shown.at(0).kind, "save");
    const FileDialogSpec& dialogSpec = prompt.shown[0].file;
    EXPECT_EQ(dialogSpec.title, "Save Tournament");
    EXPECT_EQ(dialogSpec.filter, "Files (*.QMC)|*.QMC");
    EXPECT_EQ(dialogSpec.defaultExtension, "QMC");
    EXPECT_TRUE(dialogSpec.confirmOverwrite);
    EXPECT_TRUE(dialogSpec.pathMustExist);
    EXPECT_EQ(dialogSpec.initialPath, file);
    auto m = prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, "File Load");
    EXPECT_EQ(m[0].text, "Data file saved successfully");
    EXPECT_EQ(m[0].icon, MsgIcon::Information);
    EXPECT_TRUE(session.isSaved());
    EXPECT_FALSE(PathExists(privateFolder(tmp).string() + "/Rankhall_CLUB1.RCV"));
    // The saved file holds the new score, and loading it asks no recovery question.
    ScriptedPrompt again;
    Session other(again);
    ASSERT_TRUE(ResetAndLoad(other, saved));
    EXPECT_EQ(buildTournamentXml(other.state()), buildTournamentXml(session.state()));
    EXPECT_EQ(again.countTitled("Recovery File Detected"), 0);
    // The next save offers the file saved to.
    prompt.clear();
    cmdSave(session);
    EXPECT_EQ(prompt.shown.at(0).file.initialPath, saved);
}

TEST_F(LoadSave, FailedSaveNamesThePathAndOffersToSaveElsewhere) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    writeRecoveryCopy();
    fs::create_directory(tmp / "taken.qmc"); // a folder where the file should go
    const std::string taken = (tmp / "taken.qmc").string();
    const std::string elsewhere = (tmp / "elsewhere.qmc").string();
    applyChange(session, Change::score(2, "03", "07"));
    struct Case {
        MsgAnswer answer;       // to "Save it somewhere else?"
        std::string secondPath; // chosen in the save dialog shown again; "" = cancel
        bool saved;
    };
    const Case cases[] = {
        {MsgAnswer::No, "", false},
        {MsgAnswer::Yes, "", false},
        {MsgAnswer::Yes, elsewhere, true},
    };
    for (const Case& c : cases) {
        prompt.clear();
        prompt.answers = {c.answer};
        prompt.saveFiles = {taken, c.secondPath};
        EXPECT_EQ(cmdSave(session), c.saved);
        const Message failed = prompt.messages().at(0);
        EXPECT_EQ(failed.title, "Save Tournament");
        EXPECT_EQ(failed.buttons, MsgButtons::YesNo);
        EXPECT_NE(failed.text.find(taken), std::string::npos);
        EXPECT_NE(failed.text.find(RhError(err::PathFileAccess).description()), std::string::npos);
        EXPECT_EQ(prompt.shown.size(), c.answer == MsgAnswer::Yes ? 4u - !c.saved : 2u);
        if (c.answer == MsgAnswer::Yes) {
            EXPECT_EQ(prompt.shown.at(2).kind, "save"); // the dialog again, on the failed path
            EXPECT_EQ(prompt.shown.at(2).file.initialPath, taken);
        }
        EXPECT_EQ(session.isSaved(), c.saved);
        EXPECT_EQ(PathExists(privateFolder(tmp).string() + "/Rankhall_CLUB1.RCV"), !c.saved);
        EXPECT_TRUE(fs::is_directory(tmp / "taken.qmc"));
    }
    EXPECT_EQ(session.dialogFiles().saveFile(), elsewhere);
    EXPECT_NE(test::readFile(elsewhere).find(MaskText("<Score>07</Score>")), std::string::npos);
}

TEST_F(LoadSave, RecoveryCopyIsWrittenWholeAndNoTemporaryCopyRemains) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    prompt.clear();
    EXPECT_EQ(GetTmpFileName(session), privateFolder(tmp).string() + "/Rankhall_CLUB1.TMP");
    EXPECT_EQ(GetRcvFileName(session), privateFolder(tmp).string() + "/Rankhall_CLUB1.RCV");
    ASSERT_TRUE(SaveData(session));
    EXPECT_TRUE(prompt.shown.empty()); // the round advance saves silently
    EXPECT_TRUE(PathExists(GetRcvFileName(session)));
    EXPECT_FALSE(fs::exists(GetTmpFileName(session)));
    // A second copy replaces the first.
    session.tourney().setCurrentRound(3);
    ASSERT_TRUE(SaveData(session));
    ScriptedPrompt p2;
    Session other(p2);
    p2.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(ResetAndLoad(other, file));
    EXPECT_EQ(other.tourney().CurrentRound(), 3);
    int files = 0;
    for (const auto& e : fs::directory_iterator(tmp.path()))
        files += e.path().extension() == ".TMP" ? 100 : 1;
    EXPECT_EQ(files, 2); // the tournament file and the recovery copy
}

TEST_F(LoadSave, FailedRecoverySavesKeepThePreviousCopyOrReportTheRename) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    ASSERT_TRUE(SaveData(session));
    std::string before = test::readFile(GetRcvFileName(session));
    // A folder in the place of the temporary copy makes the write fail.
    fs::create_directory(GetTmpFileName(session));
    session.tourney().setCurrentRound(3);
    prompt.clear();
    EXPECT_FALSE(SaveData(session));
    EXPECT_EQ(prompt.countTitled("SaveFile"), 1);
    EXPECT_EQ(test::readFile(GetRcvFileName(session)), before);

    // A non-empty folder in the place of the recovery copy cannot be renamed over.
    fs::remove(GetTmpFileName(session));
    fs::remove(GetRcvFileName(session));
    fs::create_directories(fs::path(GetRcvFileName(session)) / "inside");
    prompt.clear();
    EXPECT_FALSE(SaveData(session));
    EXPECT_EQ(titles(), (std::vector<std::string>{"SaveData"}));
    EXPECT_FALSE(fs::exists(GetTmpFileName(session)));
}

TEST_F(LoadSave, SavingOverAReadOnlyFileAsksFirst) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    applyChange(session, Change::score(2, "01", "10"));
    const std::string elsewhere = (tmp / "elsewhere.qmc").string();
    const std::string before = test::readFile(file);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    struct Case {
        MsgAnswer answer;       // to the read-only question
        std::string secondPath; // chosen in the save dialog offered after No; "" = cancel
        bool replaced;          // the read-only file holds the tournament afterwards
    };
    const Case cases[] = {
        {MsgAnswer::No, "", false},
        {MsgAnswer::No, elsewhere, false},
        {MsgAnswer::Yes, "", true},
    };
    for (const Case& c : cases) {
        prompt.clear();
        prompt.answers = {c.answer};
        prompt.saveFiles = {c.secondPath};
        EXPECT_EQ(SaveTournament(session, file), c.replaced || !c.secondPath.empty());
        ASSERT_FALSE(prompt.shown.empty());
        const Message& asked = prompt.shown[0].message;
        EXPECT_EQ(asked.title, "Save Tournament");
        EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
        EXPECT_EQ(asked.text,
                  "The file " + file +
                      " is read-only.\r\nReplace it with this tournament all the same?");
        if (c.answer == MsgAnswer::No) {
            EXPECT_EQ(prompt.shown.at(1).kind, "save"); // the dialog again, on the same path
            EXPECT_EQ(prompt.shown.at(1).file.initialPath, file);
        }
        EXPECT_EQ(test::readFile(file) == before, !c.replaced);
    }
    EXPECT_NE(test::readFile(elsewhere).find(MaskText("<Score>10</Score>")), std::string::npos);
    // A writable file is replaced without a question.
    prompt.clear();
    EXPECT_TRUE(SaveTournament(session, elsewhere));
    EXPECT_EQ(prompt.messages().size(), 1u); // "Data file saved successfully" only
}
