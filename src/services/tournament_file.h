#pragma once
// What reading and writing the tournament file come to, as the director is told it. The file
// format (persistence/tournament_format.h, tournament_reader.h) answers values: a read's
// findings, a parse error, the step and error of a failed read or write. These turn them into the
// messages, titles and icons of the load, the save and the recovery copy, through the session's
// prompt.

#include "core/prompt.h"
#include "persistence/atomic_file.h"
#include "persistence/tournament_reader.h"
#include "persistence/xml_document.h"
#include "state/tournament_state.h"

#include <string>
#include <vector>

namespace rh {

inline constexpr const char* kSavedText = "Data file saved successfully";
inline constexpr const char* kLoadedText = "Data file loaded successfully";
inline constexpr const char* kFileLoadTitle = "File Load";

/// A read's findings as messages, in their order: a note is a plain message (OK, no icon) under
/// its title, the application's when it has none; an error the common error message titled with
/// its section.
std::vector<Message> findingMessages(const ReadFindings& findings);
/// Shows each finding's message in turn.
void showFindings(IPrompt& prompt, const ReadFindings& findings);

/// Shows the parse report: exclamation icon, OK, the application's title.
void showParseReport(IPrompt& prompt, const ParseError& error);

/// Builds the document and writes it (TournamentFormat::write). A failure shows the common error
/// message titled with the step that failed ("CreateSaveDoc" building, "SaveFile" writing); with
/// `showMessage` and the file written, shows "Data file saved successfully" (information, titled
/// "File Load"). Answers whether the file was written.
bool CreateSaveDoc(const TournamentState& state, IPrompt& prompt, const std::string& path,
                   bool showMessage, bool masked = true, FileAccess access = FileAccess::Usual);

} // namespace rh
