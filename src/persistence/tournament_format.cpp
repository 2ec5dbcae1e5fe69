#include "persistence/tournament_format.h"

#include "persistence/code_page.h"
#include "persistence/tournament_writer.h"

#include <new>
#include <string_view>

namespace rh {

bool TournamentFormat::fail(const char* step, const RhError& error) {
    m_failure = FileFailure{step, error};
    return false;
}

bool TournamentFormat::read(const std::string& path, ParsedFile& file) {
    m_failure.reset();
    m_parseError.reset();
    try {
        file.plain = PlainSections();
        auto readPlain = [&file](std::string_view text, std::size_t section, std::size_t at) {
            return readPlainSection(file.plain, text, section, at);
        };
        if (file.doc.parseInPlace(ReadDataFile(path), readPlain))
            return true;
        // The report reads the text as it was: read once more (a broken file is rare).
        file.plain = PlainSections();
        ParseError error;
        if (file.doc.parse(ReadDataFile(path), &error))
            return true;
        m_parseError = std::move(error);
        return false;
    } catch (const RhError& e) {
        return fail(kReadStep, e);
    } catch (const std::bad_alloc&) {
        return fail(kReadStep, RhError(err::OutOfMemory));
    }
}

bool TournamentFormat::write(const TournamentState& state, const std::string& path) {
    m_failure.reset();
    m_parseError.reset();
    std::string text;
    try {
        text = buildTournamentXml(state);
    } catch (const RhError& e) {
        return fail(kBuildStep, e);
    } catch (const std::bad_alloc&) {
        return fail(kBuildStep, RhError(err::OutOfMemory));
    }
    try {
        if (m_masked)
            writeFileAtomic(path, MaskText(text), m_access);
        else
            writeFileAtomic(path, text, m_access);
        return true;
    } catch (const RhError& e) {
        return fail(kWriteStep, e);
    } catch (const std::bad_alloc&) {
        return fail(kWriteStep, RhError(err::OutOfMemory));
    }
}

std::string TournamentFormat::errorString() const {
    if (m_parseError)
        return parseReportText(*m_parseError);
    if (m_failure)
        return commonErrorText(m_failure->error);
    return {};
}

} // namespace rh
