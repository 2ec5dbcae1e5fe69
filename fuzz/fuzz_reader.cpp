// Fuzz target of the tournament file reader: any bytes at all go through the load path (unmask,
// decode, parse, the section readers and the checks after them, with their reports). Whatever the
// reader makes of them must be what the load's own road (the text parsed in place) makes of them,
// and must survive the writer: written, read back and written again, it gives the same bytes. A
// crash, a hang, a sanitizer report or a broken round trip is a finding.
#include "core/scripted_prompt.h"
#include "persistence/code_page.h"
#include "persistence/tournament_reader.h"
#include "persistence/tournament_writer.h"
#include "persistence/xml_document.h"
#include "services/tournament_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string text = rh::fileBytesToText(std::string(bytes));
    rh::XmlDocument doc;
    rh::ParseError error;
    if (!doc.parse(text, &error)) {
        std::string report = rh::parseReportText(error);
        if (report.empty())
            std::abort();
        return 0;
    }
    rh::ScriptedPrompt prompt;
    rh::TournamentState state;
    rh::showFindings(prompt, readTournament(doc, state));

    std::string written = rh::buildTournamentXml(state);

    // The load parses the text in place, finds the sections from their tags in the text and
    // reads seating and scores of the writer's plain shape from the text itself: the same
    // tournament and the same reports as the tree alone. (A text the parser
    // refuses in place, such as one holding a NUL, the load parses again as above.)
    rh::XmlDocument inPlace;
    rh::PlainSections plain;
    if (inPlace.parseInPlace(text, [&](std::string_view t, std::size_t section, std::size_t at) {
            return rh::readPlainSection(plain, t, section, at);
        })) {
        rh::ScriptedPrompt inPlacePrompt;
        rh::TournamentState inPlaceState;
        rh::showFindings(inPlacePrompt, readTournament(inPlace, inPlaceState, &plain));
        bool sameReports = inPlacePrompt.shown.size() == prompt.shown.size();
        for (std::size_t i = 0; sameReports && i < prompt.shown.size(); ++i)
            sameReports = inPlacePrompt.shown[i].message.text == prompt.shown[i].message.text &&
                          inPlacePrompt.shown[i].message.title == prompt.shown[i].message.title;
        if (!sameReports || rh::buildTournamentXml(inPlaceState) != written) {
            std::fprintf(stderr, "the document parsed in place reads otherwise\n");
            std::abort();
        }
    }

    rh::XmlDocument again;
    if (!again.parse(rh::fileBytesToText(rh::MaskText(written)), &error)) {
        std::fprintf(stderr, "written file does not parse:\n%s\n",
                     rh::parseReportText(error).c_str());
        std::abort();
    }
    rh::ScriptedPrompt quiet;
    rh::TournamentState back;
    rh::showFindings(quiet, readTournament(again, back));
    // The written file reports nothing the first reading did not: what the load could not settle
    // and kept as it was (partners' differing scores) is reported again, and nothing else.
    for (const auto& shown : quiet.shown) {
        bool reportedBefore = false;
        for (const auto& first : prompt.shown)
            reportedBefore = reportedBefore || (first.message.text == shown.message.text &&
                                                first.message.title == shown.message.title);
        if (!reportedBefore) {
            std::fprintf(stderr, "written file reads with a report: %s\n%s\n",
                         shown.message.title.c_str(), shown.message.text.c_str());
            std::abort();
        }
    }
    if (rh::buildTournamentXml(back) != written) {
        std::fprintf(stderr, "written file reads back to another tournament\n");
        std::abort();
    }
    return 0;
}
