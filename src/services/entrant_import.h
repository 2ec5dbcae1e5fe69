#pragma once
// Entrant lists for a new tournament: names typed or pasted one a line, or read from a text or
// CSV file. Nothing is dropped in silence: every blank line, header row and repeated name comes
// back as a finding with its line number, beside the names themselves.
//
// Typed text is taken a line at a time (a line pasted from a spreadsheet keeps its first,
// tab-separated column). A file is decoded first (UTF-8 with or without a byte-order mark,
// UTF-16 with one, otherwise Windows-1252); a ".csv" file is read as CSV, its first column being
// the name (quoted fields, doubled quotes and line breaks inside quotes handled; a semicolon
// separates when the first line holds semicolons and no commas). A first row whose first column
// reads "Name", "Player", "Team" or the like is taken as a header and skipped.

#include <string>
#include <string_view>
#include <vector>

namespace rh {

struct EntrantLine {
    std::string name; // trimmed
    int line = 0;     // 1-based line of the source where the entrant starts
};

struct EntrantImport {
    /// The entrants in source order; repeated names stay in, blank lines and a header do not.
    std::vector<EntrantLine> entrants;
    /// What the reader noticed, one sentence each, in line order.
    std::vector<std::string> findings;
    bool headerSkipped = false;
    /// Lines that held nothing but blanks.
    int blankLines = 0;
    /// Names that repeat an earlier one (letter case and outer blanks ignored).
    int duplicates = 0;

    std::vector<std::string> names() const;
    std::vector<int> lines() const;
};

/// The text typed or pasted into the entrant box (UTF-8).
EntrantImport importEntrantText(std::string_view text);
/// A file's bytes; `csv` chooses CSV reading (see above), else one entrant a line.
EntrantImport importEntrantBytes(std::string_view bytes, bool csv);
/// Reads the file and imports it, as CSV when its name ends in ".csv" in any letter case.
/// Throws RhError when the file cannot be read.
EntrantImport importEntrantFile(const std::string& path);

/// The file's bytes as UTF-8: a UTF-8 or UTF-16 byte-order mark decides, else valid UTF-8 is
/// taken as it is and anything else decoded from Windows-1252.
std::string entrantBytesToUtf8(std::string_view bytes);
/// Whether the first column of a first row names the column rather than an entrant.
bool isHeaderCell(std::string_view cell);
/// The key under which two names count as the same: trimmed, upper-cased.
std::string nameKey(std::string_view name);

} // namespace rh
