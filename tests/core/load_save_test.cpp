// Loading, saving and the recovery copy as the director meets them: the questions asked, the
// messages shown, the files left in the temporary folder, and the flags of the open tournament.
#include "core/scripted_prompt.h"
#include "persistence/atomic_file.h"
#include "persistence/code_page.h"
#include "persistence/tournament_writer.h"
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
        ASSERT_TRUE(CreateSaveDoc(later, quiet, tmp.str() + "/Rankhall_CLUB1.RCV", false));
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

TEST_F(LoadSave, LoadingAFileSetsTheFlagsAndSaysSo) {
    session.dataFileSaved = true;
    ASSERT_TRUE(ResetAndLoad(session, file));
    EXPECT_TRUE(session.dataFileLoaded);
    EXPECT_FALSE(session.dataFileSaved);
    EXPECT_EQ(session.htmlExportFile, "QuillmarkCLUB1.html");
    EXPECT_EQ(test::dumpTournament(session.state()), test::dumpTournament(original));
    auto m = prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, "File Load");
    EXPECT_EQ(m[0].text, "Data file loaded successfully");
    EXPECT_EQ(m[0].icon, MsgIcon::Information);
    EXPECT_EQ(m[0].buttons, MsgButtons::Ok);
}

TEST_F(LoadSave, AMissingFileIsOneLoadDocumentError) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    prompt.clear();
    EXPECT_FALSE(ResetAndLoad(session, (tmp / "nowhere.qmc").string()));
    auto m = prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, "Load Document");
    EXPECT_EQ(m[0].icon, MsgIcon::Critical);
    EXPECT_EQ(m[0].text, "The following error occured: \r\nError # 53\r\nFile not found");
    // The reset happened: the previous tournament is gone, nothing is in progress.
    EXPECT_FALSE(session.dataFileLoaded);
    EXPECT_EQ(session.state().names.Count(), 0u);
    EXPECT_EQ(session.tourney().TourneyTitle(), TournamentSettings::kDefaultTitle);
}

TEST_F(LoadSave, AFileThatIsNotXmlShowsTheParseReportOnceAndLoadsNothing) {
    writeRecoveryCopy(); // even with a recovery copy around, nothing is asked
    std::string broken = test::readFile(file);
    broken = MaskText(MaskText(broken).substr(0, 500)); // cut off mid-way, still masked
    test::writeFile(file, broken);
    EXPECT_FALSE(ResetAndLoad(session, file));
    auto m = prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, kAppTitle);
    EXPECT_EQ(m[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m[0].text.rfind("Your XML Document failed to load due to the following error.\r\n"
                              "Error #: ",
                              0),
              0u);
    EXPECT_FALSE(session.dataFileLoaded);
    // Not even the settings the file began with are kept: the tournament is the empty one.
    EXPECT_EQ(session.tourney().TourneyCode(), "");
}

TEST_F(LoadSave, RecoveryCopyIsOfferedAndYesLoadsIt) {
    writeRecoveryCopy();
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
    EXPECT_TRUE(PathExists(tmp.str() + "/Rankhall_CLUB1.RCV"));
    EXPECT_EQ(session.openDialogFile, file);
}

TEST_F(LoadSave, RecoveryCopyRefusedLoadsTheChosenFile) {
    writeRecoveryCopy();
    prompt.answers = {MsgAnswer::No};
    ASSERT_TRUE(ResetAndLoad(session, file));
    EXPECT_EQ(prompt.countTitled("Recovery File Detected"), 1);
    EXPECT_EQ(session.tourney().TourneyTitle(), "Original");
    EXPECT_EQ(session.tourney().CurrentRound(), 2); // the original's own current round
}

TEST_F(LoadSave, RecoveryCopyGetsUnreadValuesFromTheChosenFile) {
    // A recovery copy lacking some settings takes them from the file the director chose.
    test::writeFile(tmp / "Rankhall_CLUB1.RCV",
                    MaskText("<?xml version='1.0'?><Tournament><TournamentInfo><Title>Short"
                             "</Title></TournamentInfo></Tournament>"));
    prompt.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(ResetAndLoad(session, file));
    EXPECT_EQ(session.tourney().TourneyTitle(), "Short");
    EXPECT_EQ(session.tourney().TourneyCode(), "CLUB1");
    EXPECT_EQ(session.tourney().TotalPlort(), 8);
    EXPECT_EQ(session.tourney().TotalTables(), 2);
}

TEST_F(LoadSave, NoRecoveryCopyNoQuestion) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    EXPECT_EQ(titles(), (std::vector<std::string>{"File Load"}));
}

TEST_F(LoadSave, OpenDialogChoosesOrCancels) {
    prompt.openFiles = {""};
    EXPECT_FALSE(ResetAndLoad(session, ""));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].kind, "open");
    EXPECT_EQ(prompt.shown[0].file.filter, "Quillmark Files (*.QMC) |*.qmc");
    EXPECT_EQ(prompt.shown[0].file.title, "");
    EXPECT_FALSE(session.dataFileLoaded);

    prompt.clear();
    prompt.openFiles = {file};
    EXPECT_TRUE(ResetAndLoad(session, ""));
    EXPECT_TRUE(session.dataFileLoaded);
    EXPECT_EQ(session.tourney().TourneyCode(), "CLUB1");
    // The dialog opens on the last file chosen.
    prompt.clear();
    ResetAndLoad(session, "");
    EXPECT_EQ(prompt.shown.at(0).file.initialPath, file);
}

TEST_F(LoadSave, DiscardingAnOpenTournamentAsksFirst) {
    EXPECT_TRUE(confirmDiscard(session)); // nothing loaded: nothing asked
    EXPECT_TRUE(prompt.shown.empty());
    ASSERT_TRUE(ResetAndLoad(session, file));
    prompt.clear();
    prompt.answers = {MsgAnswer::Cancel, MsgAnswer::Ok};
    EXPECT_FALSE(confirmDiscard(session));
    EXPECT_TRUE(session.dataFileLoaded); // Cancel leaves everything as it was
    EXPECT_TRUE(confirmDiscard(session));
    auto m = prompt.messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].title, "Exit");
    EXPECT_EQ(m[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(m[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m[0].text, "A tournament is in progress.\r\nIf you press Ok, you will lose your "
                         "data\r\nPress Cancel to resume with your existing data\r\nYou can SAVE "
                         "your existing tournament by going to ADMIN | SETUP");
}

TEST_F(LoadSave, ExitAsksOnlyWhileUnsaved) {
    EXPECT_TRUE(confirmExit(session));
    ASSERT_TRUE(ResetAndLoad(session, file));
    prompt.clear();
    prompt.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(confirmExit(session));
    session.dataFileSaved = true;
    EXPECT_TRUE(confirmExit(session));
    EXPECT_EQ(prompt.countTitled("Exit"), 1);
}

TEST_F(LoadSave, SaveOffersTheLoadedFileAndDeletesTheRecoveryCopy) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    writeRecoveryCopy();
    session.state().scores.setScore("2", "1", "10");
    std::string saved = (tmp / "saved.qmc").string();
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
    EXPECT_TRUE(session.dataFileSaved);
    EXPECT_FALSE(PathExists(tmp.str() + "/Rankhall_CLUB1.RCV"));
    // The saved file holds the new score, and loading it asks no recovery question.
    ScriptedPrompt again;
    Session other(again);
    ASSERT_TRUE(ResetAndLoad(other, saved));
    EXPECT_EQ(other.state().scores.Item("0201"), "10");
    EXPECT_EQ(again.countTitled("Recovery File Detected"), 0);
    // The next save offers the file saved to.
    prompt.clear();
    cmdSave(session);
    EXPECT_EQ(prompt.shown.at(0).file.initialPath, saved);
}

TEST_F(LoadSave, CancelledSaveDoesNothing) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    writeRecoveryCopy();
    prompt.clear();
    prompt.saveFiles = {""};
    EXPECT_FALSE(cmdSave(session));
    EXPECT_EQ(prompt.messages().size(), 0u);
    EXPECT_FALSE(session.dataFileSaved);
    EXPECT_TRUE(PathExists(tmp.str() + "/Rankhall_CLUB1.RCV"));
}

TEST_F(LoadSave, FailedSaveKeepsTheOldFileTheFlagAndTheRecoveryCopy) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    writeRecoveryCopy();
    fs::create_directory(tmp / "taken.qmc"); // a folder where the file should go
    prompt.clear();
    prompt.saveFiles = {(tmp / "taken.qmc").string()};
    EXPECT_FALSE(cmdSave(session));
    auto m = prompt.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, "SaveFile");
    EXPECT_EQ(m[0].text, commonErrorText(RhError(err::PathFileAccess)));
    EXPECT_FALSE(session.dataFileSaved);
    EXPECT_TRUE(PathExists(tmp.str() + "/Rankhall_CLUB1.RCV"));
    EXPECT_TRUE(fs::is_directory(tmp / "taken.qmc"));
    // Saving over the loaded file itself replaces it whole.
    std::string before = test::readFile(file);
    session.state().scores.setScore("2", "3", "07");
    prompt.saveFiles = {file};
    ASSERT_TRUE(cmdSave(session));
    EXPECT_NE(test::readFile(file), before);
}

TEST_F(LoadSave, RecoveryCopyIsWrittenWholeAndNoTemporaryCopyRemains) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    prompt.clear();
    EXPECT_EQ(GetTmpFileName(session), tmp.str() + "/Rankhall_CLUB1.TMP");
    EXPECT_EQ(GetRcvFileName(session), tmp.str() + "/Rankhall_CLUB1.RCV");
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

TEST_F(LoadSave, FailedRecoverySaveKeepsThePreviousCopy) {
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
}

TEST_F(LoadSave, RenameFailureIsASaveDataError) {
    ASSERT_TRUE(ResetAndLoad(session, file));
    // A non-empty folder in the place of the recovery copy cannot be renamed over.
    fs::create_directories(fs::path(GetRcvFileName(session)) / "inside");
    prompt.clear();
    EXPECT_FALSE(SaveData(session));
    EXPECT_EQ(titles(), (std::vector<std::string>{"SaveData"}));
    EXPECT_FALSE(fs::exists(GetTmpFileName(session)));
}

TEST_F(LoadSave, RecoveryNamesStayInTheTemporaryFolder) {
    for (const char* code : {"../../etc/evil", "..", "a/b\\c", ""}) {
        session.tourney().setTourneyCode(code);
        fs::path rcv = GetRcvFileName(session);
        EXPECT_EQ(rcv.parent_path(), tmp.path()) << code;
        EXPECT_EQ(rcv.filename().string().rfind("Rankhall_", 0), 0u);
        ASSERT_TRUE(SaveData(session));
        EXPECT_TRUE(PathExists(rcv.string()));
    }
    session.tourney().setTourneyCode("");
    EXPECT_EQ(fs::path(GetRcvFileName(session)).filename(), "Rankhall_.RCV");
}
