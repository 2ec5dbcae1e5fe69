// The files the program writes and reads, against what a shared temporary folder or a careless
// path can hold: links, FIFOs, devices, huge files, left-over temporaries, codes that would make
// two tournaments share a file, and amounts no tournament has.
#include "core/scripted_prompt.h"
#include "persistence/atomic_file.h"
#include "persistence/tournament_reader.h"
#include "persistence/xml_document.h"
#include "services/load_save.h"
#include "services/standings_page.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/stat.h>

using namespace rh;
namespace fs = std::filesystem;

namespace {

int errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RhError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(FileNames, CodesKeepTheirNameUnlessChangedOrLong) {
    const std::string longCode(70, 'A');
    struct Case {
        std::string code;
        std::string prefix; // of the name
        bool hashed;
    };
    const Case cases[] = {
        {"DEMO16", "DEMO16", false},
        {"", "", false},
        {std::string(64, 'B'), std::string(64, 'B'), false},
        {"a/b", "a_b-", true},
        {"a:b", "a_b-", true},
        {"..", "__-", true},
        {longCode, std::string(64, 'A') + "-", true},
    };
    for (const Case& c : cases) {
        const std::string name = fileNameOfCode(c.code);
        EXPECT_EQ(name.rfind(c.prefix, 0), 0u) << c.code;
        EXPECT_EQ(name.size(), c.prefix.size() + (c.hashed ? 8 : 0)) << c.code;
    }
    // Codes made alike by the safe form still name files of their own.
    EXPECT_NE(fileNameOfCode("a/b"), fileNameOfCode("a:b"));
    EXPECT_NE(fileNameOfCode(longCode), fileNameOfCode(longCode + "x"));
    EXPECT_EQ(fileNameOfCode("a/b"), fileNameOfCode("a/b"));
}

TEST(SafeFiles, RecoveryCopiesAndThePageUseTheCodesFileName) {
    test::TempDir tmp;
    ScriptedPrompt prompt;
    Session session(prompt);
    session.tourney().setTourneyCode("x/y");
    EXPECT_EQ(fs::path(GetRcvFileName(session)).filename(),
              "Rankhall_" + fileNameOfCode("x/y") + ".RCV");
    EXPECT_EQ(session.htmlFileName(), "Quillmark" + fileNameOfCode("x/y") + ".html");
    // A recovery copy is for its owner only, even where it replaces a readable one.
    test::writeFile(GetRcvFileName(session), "old");
    fs::permissions(GetRcvFileName(session), fs::perms(0644));
    ASSERT_TRUE(SaveData(session));
    struct stat st {};
    ASSERT_EQ(::stat(GetRcvFileName(session).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(SafeFiles, ThePageNeverFollowsAPlantedTemporaryName) {
    test::TempDir tmp;
    ScriptedPrompt prompt;
    Session session(prompt);
    const fs::path page = tmp / "Quillmark.html";
    test::writeFile(tmp / "victim", "keep");
    fs::create_symlink(tmp / "victim", page.string() + ".tmp");
    ASSERT_TRUE(writeStandingsPage(session, page.string(), "<HTML>"));
    EXPECT_EQ(test::readFile(tmp / "victim"), "keep");
    EXPECT_EQ(test::readFile(page), "<HTML>");
}

TEST(SafeFiles, WritingKeepsLinksRefusesOddTargetsAndClearsLeftovers) {
    test::TempDir tmp;
    // Over a symbolic link (relative, and a link to a link): the file it points to is written.
    test::writeFile(tmp / "real.qmc", "old");
    fs::create_symlink("real.qmc", tmp / "link.qmc");
    fs::create_symlink(tmp / "link.qmc", tmp / "link2.qmc");
    writeFileAtomic((tmp / "link2.qmc").string(), "new");
    EXPECT_TRUE(fs::is_symlink(tmp / "link.qmc"));
    EXPECT_TRUE(fs::is_symlink(tmp / "link2.qmc"));
    EXPECT_EQ(test::readFile(tmp / "real.qmc"), "new");

    // A FIFO or a device is refused, with a reason naming it, and nothing blocks.
    ASSERT_EQ(::mkfifo((tmp / "pipe.qmc").c_str(), 0600), 0);
    for (const std::string& odd : {(tmp / "pipe.qmc").string(), std::string("/dev/null")}) {
        try {
            writeFileAtomic(odd, "x");
            ADD_FAILURE() << odd;
        } catch (const RhError& e) {
            EXPECT_EQ(e.number(), err::PathFileAccess);
            EXPECT_NE(e.description().find(odd), std::string::npos);
        }
    }
    EXPECT_TRUE(fs::is_fifo(tmp / "pipe.qmc"));

    // A temporary file a killed save left behind goes with the next save into the folder; one
    // being written right now by another save stays.
    const fs::path left = tmp / ".real.qmc.Ab12Cd";
    const fs::path fresh = tmp / ".real.qmc.Zz99Yy";
    test::writeFile(left, "half");
    test::writeFile(fresh, "busy");
    fs::last_write_time(left, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    writeFileAtomic((tmp / "real.qmc").string(), "again");
    EXPECT_FALSE(fs::exists(left));
    EXPECT_TRUE(fs::exists(fresh));
}

TEST(SafeFiles, ReadingRefusesFifosDevicesAndHugeFiles) {
    test::TempDir tmp;
    ASSERT_EQ(::mkfifo((tmp / "pipe.qmc").c_str(), 0600), 0);
    test::writeFile(tmp / "huge.qmc", "");
    fs::resize_file(tmp / "huge.qmc", kMaxReadBytes + 1); // sparse: costs no disk
    test::writeFile(tmp / "limit.qmc", "");
    fs::resize_file(tmp / "limit.qmc", 1024);
    for (const std::string& refused :
         {(tmp / "pipe.qmc").string(), std::string("/dev/zero"), (tmp / "huge.qmc").string()})
        EXPECT_EQ(errorNumberOf([&] { readWholeFile(refused); }), err::PathFileAccess) << refused;
    EXPECT_EQ(readWholeFile((tmp / "limit.qmc").string()).size(), 1024u);
}

TEST(SafeFiles, AmountsMustBeFiniteAndAtMostABillion) {
    struct Case {
        const char* text;
        bool read;
    };
    const Case cases[] = {{"12.5", true},  {"1000000000", true},     {"-1000000000", true},
                          {"1e10", false}, {"1000000000.01", false}, {"inf", false},
                          {"nan", false},  {"1e400", false}};
    for (const Case& c : cases) {
        XmlDocument doc;
        const std::string amount = c.text;
        ASSERT_TRUE(doc.parse(
            "<Tournament><TournamentInfo><EntryFee>" + amount + "</EntryFee><Expenses>" + amount +
            "</Expenses></TournamentInfo><FeesPayout><Payout><Custom><Value>1"
            "</Value></Custom><CustomValues Count='1'><Value>" +
            amount + "</Value></CustomValues></Payout></FeesPayout></Tournament>"));
        TournamentSettings settings;
        ProcessTournamentInfo(doc, settings);
        EXPECT_EQ(settings.EntryFee() != 0, c.read) << c.text;
        EXPECT_EQ(settings.Expenses() != 0, c.read) << c.text;
        ReadFindings findings;
        PayoutSettings payout;
        ProcessFeesPayout(doc, payout, findings);
        EXPECT_EQ(findings.size(), c.read ? 0u : 1u) << c.text;
    }
}
