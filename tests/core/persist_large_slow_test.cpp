// Files of a size no club reaches: 2000 entrants over 40 rounds load and save back to the same
// bytes, and a million players load in a defined state (IDs are 16-bit).
#include "engine_fixture.h"
#include "persistence/code_page.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "persistence/xml_document.h"
#include "services/tournament_file.h"
#include "support/generator.h"

#include <gtest/gtest.h>

using namespace rh;

TEST(LargeFiles, TwoThousandEntrantsGoRoundUnchanged) {
    test::TempDir dir;
    for (test::Kind kind : {test::Kind::Progressive, test::Kind::Team}) {
        TournamentState st;
        test::generateTournament(st, {kind, 2000, 40, 40, 2026});
        const std::string xml = buildTournamentXml(st);
        test::writeFile(dir / "big.qmc", MaskText(xml));
        ScriptedPrompt prompt;
        Session s(prompt);
        ASSERT_TRUE(loadTournament(s, (dir / "big.qmc").string()));
        EXPECT_EQ(prompt.messages().size(), 1u) << prompt.messages().back().text;
        EXPECT_TRUE(buildTournamentXml(s.state()) == xml);
    }
}

TEST(LargeFiles, AMillionPlayersLoadInADefinedState) {
    std::string keys = "<?xml version='1.0'?><Tournament><PlayerKeys>";
    keys.reserve(60u * 1000000u);
    for (int i = 1; i <= 1000000; ++i)
        keys += "<PlayerKey><PlayerName>P</PlayerName><PlayerID>" + std::to_string(i) +
                "</PlayerID></PlayerKey>";
    XmlDocument doc;
    ASSERT_TRUE(doc.parse(keys + "</PlayerKeys></Tournament>"));
    TournamentState st;
    ScriptedPrompt prompt;
    showFindings(prompt, readTournament(doc, st));
    // IDs are 16-bit: the first one beyond is an overflow that ends the section.
    EXPECT_EQ(prompt.messages().at(0).text, "Error processing players: 6");
    const std::string written = buildTournamentXml(st);
    int listed = 0;
    for (auto p = written.find("<PlayerKey>"); p != std::string::npos;
         p = written.find("<PlayerKey>", p + 1))
        ++listed;
    EXPECT_EQ(listed, 32767);
}
