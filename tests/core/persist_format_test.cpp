// The bytes of a tournament file: masking, the code page, escaping, and the atomic write that
// never leaves a half-written file.
#include "core/scripted_prompt.h"
#include "engine_fixture.h"
#include "persistence/atomic_file.h"
#include "persistence/code_page.h"
#include "persistence/tournament_format.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "persistence/xml_document.h"
#include "services/tournament_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace rh;
namespace fs = std::filesystem;

// ---- Masking and the code page --------------------------------------------------------------

TEST(Mask, IsItsOwnInverseAndPrintable) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(MaskText(MaskText(all)), all);
    EXPECT_GE(kMaskByte, 0x20);
    EXPECT_LT(kMaskByte, 0x7F);
}

TEST(Mask, AWrittenFileNeverLooksPlain) {
    TournamentState st;
    std::string plain = buildTournamentXml(st);
    std::string masked = MaskText(plain);
    // Whatever the tournament, a written file starts with the same declaration; masked, its
    // first 32 bytes hold no "XML" in any letter case.
    std::string head = masked.substr(0, 32);
    for (char& c : head)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(head.find("XML"), std::string::npos);
    EXPECT_FALSE(looksPlain(masked));
    EXPECT_TRUE(looksPlain(plain));
    EXPECT_EQ(fileBytesToText(masked), fileBytesToText(plain));
}

TEST(Mask, PlainTextIsRecognisedInAnyLetterCase) {
    EXPECT_TRUE(looksPlain("<?XmL version='1.0'?><a/>"));
    EXPECT_TRUE(looksPlain("<!-- a comment --><xml/>"));
    EXPECT_FALSE(looksPlain(std::string(32, ' ') + "<?xml?>")); // only the first 32 count
    // Such a file loads without unmasking.
    XmlDocument doc;
    EXPECT_TRUE(doc.parse(fileBytesToText("<?XmL version='1.0'?><Tournament/>")));
}

TEST(CodePage, DecodeTakesUtf8OrWindows1252) {
    // Valid UTF-8 beyond ASCII is taken as it is (a file made by another tool).
    EXPECT_EQ(fileBytesToText("<?xml?><a>Zo\xC3\xAB \xE2\x82\xAC</a>"), "<?xml?><a>Zoë €</a>");
    // Anything else is Windows-1252.
    EXPECT_EQ(fileBytesToText("<?xml?><a>Zo\xEB \x80 \x93q\x94</a>"), "<?xml?><a>Zoë € “q”</a>");
    // A byte-order mark is dropped.
    EXPECT_EQ(fileBytesToText("\xEF\xBB\xBF<?xml?><a/>"), "<?xml?><a/>");
    EXPECT_EQ(fileBytesToText("<?xml?><a/>"), "<?xml?><a/>");
}

TEST(CodePage, EveryByteSurvivesDecodeAndEncode) {
    for (int b = 0x80; b < 0x100; ++b) {
        std::string one(1, static_cast<char>(b));
        std::string utf8 = cp1252ToUtf8(one);
        EXPECT_TRUE(isValidUtf8(utf8));
        std::size_t pos = 0;
        EXPECT_EQ(cp1252ByteOf(nextCodePoint(utf8, pos)), b) << b;
    }
    EXPECT_EQ(cp1252ByteOf(U'€'), 0x80);
    EXPECT_EQ(cp1252ByteOf(U'Ω'), -1);
    EXPECT_EQ(cp1252ByteOf(0x80), -1); // the C1 control, not the euro sign
}

TEST(CodePage, Utf8Validation) {
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x83\x8F"));  // a playing card
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));         // cut short
    EXPECT_FALSE(isValidUtf8("\xF5\x80\x80\x80")); // beyond U+10FFFF
}

TEST(Escaping, MarkupCodePageAndReferences) {
    auto esc = [](std::string_view s) {
        std::string out;
        appendEscaped(out, s);
        return out;
    };
    EXPECT_EQ(esc("Tom & Jerry <3>"), "Tom &amp; Jerry &lt;3&gt;");
    EXPECT_EQ(esc("Zoë €"), "Zo\xEB \x80");
    EXPECT_EQ(esc("Ω"), "&#937;");
    EXPECT_EQ(esc("\xF0\x9F\x83\x8F"), "&#127183;");
    EXPECT_EQ(esc("a\r\nb\tc"), "a&#13;\nb\tc");
    EXPECT_EQ(esc(std::string("x\0y", 3)), "xy");
    EXPECT_EQ(esc("  "), "&#32;&#32;"); // blanks only: kept through the parser
    EXPECT_EQ(esc(" a "), " a ");
    EXPECT_EQ(esc("bad \xC3 byte"), "bad &#65533; byte");
}

// ---- Writer rules ---------------------------------------------------------------------------
// The layout and the writer's rules are checked byte for byte by the saved files of the golden
// folders (golden_test) and the reading rules' files (persist_reader_test).

// A payout count beyond the table of eight is a build error, a missing folder a write error;
// either way nothing is written. The file format answers why and shows nothing itself; the save
// says it.
TEST(Writer, FailuresAreAnsweredWithTheirStepAndShownOnlyByTheSave) {
    test::TempDir dir;
    ScriptedPrompt prompt;
    Session s(prompt);
    ASSERT_TRUE(loadTournament(s, test::examplePath("sitout10.qmc")));
    TournamentState broken = s.state();
    broken.payout.CustomPayoutCount = 9;
    const std::string noFolder = (dir / "missing" / "t.qmc").string();
    struct Case {
        const TournamentState& state;
        std::string path;
        const char* step;
        int error;
    } cases[] = {{broken, (dir / "t.qmc").string(), kBuildStep, err::BadIndex},
                 {s.state(), noFolder, kWriteStep, 76}};
    for (const Case& c : cases) {
        const std::size_t shownBefore = prompt.messages().size();
        TournamentFormat format;
        ASSERT_FALSE(format.write(c.state, c.path)) << c.path;
        const auto& failure = format.failure();
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(format.errorString(), commonErrorText(failure->error));
        EXPECT_EQ(failure->step, c.step);
        EXPECT_EQ(failure->error.number(), c.error);
        EXPECT_EQ(prompt.messages().size(), shownBefore);
        EXPECT_FALSE(fs::exists(c.path));
        EXPECT_FALSE(CreateSaveDoc(c.state, prompt, c.path, true));
        ASSERT_EQ(prompt.messages().size(), shownBefore + 1); // the error, no success message
        EXPECT_EQ(prompt.messages().back().title, c.step);
        EXPECT_EQ(prompt.messages().back().text, commonErrorText(failure->error));
    }
    prompt.clear();
    TournamentFormat format;
    EXPECT_TRUE(format.write(s.state(), (dir / "t.qmc").string()));
    EXPECT_EQ(format.errorString(), "");
    EXPECT_TRUE(prompt.messages().empty());
}

// ---- Atomic writes --------------------------------------------------------------------------

namespace {
bool onlyFile(const fs::path& dir, const std::string& name) {
    int count = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        ++count;
        if (e.path().filename() != name)
            return false;
    }
    return count == 1;
}
int errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RhError& e) {
        return e.number();
    }
    return 0;
}
} // namespace

TEST(AtomicWrite, ReplacesWholeAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    std::string path = (dir / "t.qmc").string();
    writeFileAtomic(path, "first version");
    ::chmod(path.c_str(), 0640);
    writeFileAtomic(path, "second");
    EXPECT_EQ(test::readFile(path), "second");
    EXPECT_TRUE(onlyFile(dir.path(), "t.qmc"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u); // the replaced file's permissions are kept
    std::string big(3 * 1024 * 1024, 'x');
    writeFileAtomic(path, big);
    EXPECT_EQ(test::readFile(path), big);
}

TEST(AtomicWrite, FailuresAreTypedAndLeaveTheOldFileWhole) {
    test::TempDir dir;
    fs::create_directory(dir / "folder.qmc");
    EXPECT_EQ(errorOf([&] { writeFileAtomic((dir / "folder.qmc").string(), "x"); }),
              err::PathFileAccess);
    EXPECT_TRUE(fs::is_directory(dir / "folder.qmc"));
    EXPECT_EQ(errorOf([&] { writeFileAtomic((dir / "no" / "such.qmc").string(), "x"); }),
              err::PathNotFound);
    EXPECT_TRUE(onlyFile(dir.path(), "folder.qmc"));
    // The error map, for what a test cannot easily make happen.
    EXPECT_EQ(fileError(ENOSPC).number(), err::DiskFull);
    EXPECT_EQ(fileError(EACCES).number(), err::PermissionDenied);
    EXPECT_EQ(fileError(EROFS).number(), err::PermissionDenied);
    EXPECT_EQ(fileError(ENOENT).number(), err::PathNotFound);
    EXPECT_EQ(fileError(EISDIR).number(), err::PathFileAccess);
}

// A disk filling up mid-write and a folder turned read-only: the saves of
// fault_injection_slow_test.

TEST(ReadFile, MissingFolderAndContent) {
    test::TempDir dir;
    EXPECT_EQ(errorOf([&] { ReadDataFile((dir / "missing.qmc").string()); }), err::FileNotFound);
    EXPECT_EQ(errorOf([&] { ReadDataFile(dir.str()); }), err::PathFileAccess);
    EXPECT_FALSE(PathExists(dir.str()));
    EXPECT_FALSE(PathExists(""));
    test::writeFile(dir / "a.qmc", MaskText("<?xml version='1.0'?><Tournament/>"));
    EXPECT_TRUE(PathExists((dir / "a.qmc").string()));
    EXPECT_EQ(ReadDataFile((dir / "a.qmc").string()), "<?xml version='1.0'?><Tournament/>");
}

// The format's read answers whether the file parsed, the parser's details when it is not
// well-formed, and the step and error when it cannot be read at all.
TEST(ReadFile, TheFormatAnswersParsedNotParsedOrFailed) {
    test::TempDir dir;
    test::writeFile(dir / "a.qmc", MaskText("<?xml version='1.0'?><Tournament/>"));
    test::writeFile(dir / "broken.qmc", "<?xml version='1.0'?><Tournament><Title>");
    struct Case {
        std::string file;
        bool parsed, parseError;
        int error; // 0: none
    } cases[] = {{"a.qmc", true, false, 0},
                 {"broken.qmc", false, true, 0},
                 {"missing.qmc", false, false, err::FileNotFound}};
    for (const Case& c : cases) {
        TournamentFormat format;
        ParsedFile file;
        EXPECT_EQ(format.read((dir / c.file).string(), file), c.parsed) << c.file;
        EXPECT_EQ(format.parseError().has_value(), c.parseError) << c.file;
        EXPECT_EQ(format.failure().has_value(), c.error != 0) << c.file;
        if (format.parseError()) {
            EXPECT_EQ(format.errorString(), parseReportText(*format.parseError()));
        }
        if (format.failure()) {
            EXPECT_EQ(format.failure()->step, kReadStep);
            EXPECT_EQ(format.failure()->error.number(), c.error);
            EXPECT_EQ(format.errorString(), commonErrorText(format.failure()->error));
        }
        EXPECT_EQ(format.errorString().empty(), c.parsed) << c.file;
    }
}
