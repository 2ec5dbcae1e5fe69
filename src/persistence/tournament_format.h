#pragma once
// The tournament file format as one interface: `read` takes a file into a parsed document (the
// section readers of tournament_reader.h then read it into a state), `write` writes a tournament
// whole (tournament_writer.h builds the text), masked unless told otherwise and atomically. Each
// call answers whether it succeeded; after a failure `errorString` says why and `failure` or
// `parseError` give the parts. Nothing here shows anything: the services tell the director.
//
// A TournamentFormat holds nothing but the last call's outcome; make one per file.

#include "core/errors.h"
#include "persistence/atomic_file.h"
#include "persistence/tournament_reader.h"
#include "persistence/xml_document.h"
#include "state/tournament_state.h"

#include <optional>
#include <string>

namespace rh {

/// The step of a file operation that failed, named as the common error message is titled.
inline constexpr const char* kReadStep = "ReadDataFile";
inline constexpr const char* kBuildStep = "CreateSaveDoc";
inline constexpr const char* kWriteStep = "SaveFile";

/// Why a file was not read or written: the step that failed and its error.
struct FileFailure {
    std::string step;
    RhError error;
};

class TournamentFormat {
public:
    explicit TournamentFormat(bool masked = true, FileAccess access = FileAccess::Usual)
        : m_masked(masked), m_access(access) {}

    /// Reads the file (ReadDataFile) and parses it into `file`, in place where it can. A text
    /// that is not well-formed XML is read once more and parsed with a copy, so that parseError
    /// describes the text as it was; a file that cannot be read is a failure of kReadStep.
    bool read(const std::string& path, ParsedFile& file);
    /// Builds the document and writes it; the old file stays whole when anything fails (a
    /// failure of kBuildStep or kWriteStep).
    bool write(const TournamentState& state, const std::string& path);

    /// Why the last call failed: the parse report's text or the common error text; "" after a
    /// success.
    std::string errorString() const;
    const std::optional<FileFailure>& failure() const { return m_failure; }
    const std::optional<ParseError>& parseError() const { return m_parseError; }

private:
    bool fail(const char* step, const RhError& error);

    bool m_masked;
    FileAccess m_access;
    std::optional<FileFailure> m_failure;
    std::optional<ParseError> m_parseError;
};

} // namespace rh
