#include "services/entrant_import.h"

#include "core/text.h"
#include "persistence/atomic_file.h"
#include "persistence/code_page.h"

#include <unordered_map>

namespace rh {

namespace {

// Appends a code point as UTF-8.
void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](std::size_t i) -> char32_t {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return out;
}

// Splits text into lines at LF, CR LF or a lone CR; a final line break starts no extra line.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        out.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        out.push_back(text.substr(start));
    return out;
}

// One source row: its first column and the line it starts on.
struct Row {
    std::string first;
    int line;
};

std::vector<Row> plainRows(std::string_view text) {
    std::vector<Row> rows;
    int line = 0;
    for (std::string_view l : splitLines(text)) {
        ++line;
        rows.push_back({std::string(l.substr(0, l.find('\t'))), line});
    }
    return rows;
}

// RFC 4180 records, first field only; quoted fields may hold separators, doubled quotes and line
// breaks. A quote inside an unquoted field is taken literally.
std::vector<Row> csvRows(std::string_view text) {
    std::string_view firstLine = text.substr(0, text.find_first_of("\r\n"));
    const char sep = firstLine.find(';') != std::string_view::npos &&
                             firstLine.find(',') == std::string_view::npos
                         ? ';'
                         : ',';
    std::vector<Row> rows;
    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        Row row{{}, line};
        bool inFirst = true;
        bool quoted = false;
        bool fieldStart = true;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (quoted) {
                if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                    if (inFirst)
                        row.first += '"';
                    ++i;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    if (c == '\n' || (c == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n')))
                        ++line;
                    if (inFirst)
                        row.first += c;
                }
                continue;
            }
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                    ++i;
                ++i;
                ++line;
                break;
            }
            if (c == sep) {
                inFirst = false;
                fieldStart = true;
                continue;
            }
            if (c == '"' && fieldStart) {
                quoted = true;
                fieldStart = false;
                if (inFirst)
                    row.first = trim(row.first); // blanks before the opening quote
                continue;
            }
            if (c != ' ' && c != '\t')
                fieldStart = false;
            if (inFirst)
                row.first += c;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string lineWord(int line) {
    return "Line " + std::to_string(line);
}

EntrantImport collect(const std::vector<Row>& rows) {
    EntrantImport out;
    std::unordered_map<std::string, int> firstLine;
    bool first = true;
    for (const Row& row : rows) {
        std::string name = trim(row.first);
        if (name.empty()) {
            ++out.blankLines;
            out.findings.push_back(lineWord(row.line) + " holds no name and was skipped.");
            continue;
        }
        if (first && isHeaderCell(name)) {
            first = false;
            out.headerSkipped = true;
            out.findings.push_back(lineWord(row.line) + " (\"" + name +
                                   "\") was taken as a header and skipped.");
            continue;
        }
        first = false;
        auto [at, added] = firstLine.emplace(nameKey(name), row.line);
        if (!added) {
            ++out.duplicates;
            out.findings.push_back(lineWord(row.line) + " repeats \"" + name + "\" of line " +
                                   std::to_string(at->second) + ".");
        }
        out.entrants.push_back({std::move(name), row.line});
    }
    return out;
}

} // namespace

std::vector<std::string> EntrantImport::names() const {
    std::vector<std::string> out;
    out.reserve(entrants.size());
    for (const EntrantLine& e : entrants)
        out.push_back(e.name);
    return out;
}

std::vector<int> EntrantImport::lines() const {
    std::vector<int> out;
    out.reserve(entrants.size());
    for (const EntrantLine& e : entrants)
        out.push_back(e.line);
    return out;
}

std::string nameKey(std::string_view name) {
    // Letter case of ASCII and of the Latin-1 letters ignored, runs of blanks count as one.
    std::string out;
    std::string t = trim(name);
    bool blank = false;
    for (std::size_t pos = 0; pos < t.size();) {
        char32_t c = nextCodePoint(t, pos);
        if (c == ' ' || c == '\t') {
            blank = true;
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
            c -= 0x20;
        appendUtf8(out, c);
    }
    return out;
}

bool isHeaderCell(std::string_view cell) {
    static const char* const kHeaders[] = {
        "NAME",         "NAMES",      "PLAYER",       "PLAYERS",     "PLAYER NAME",
        "PLAYER NAMES", "TEAM",       "TEAMS",        "TEAM NAME",   "TEAM NAMES",
        "ENTRANT",      "ENTRANTS",   "ENTRANT NAME", "PARTICIPANT", "PARTICIPANTS",
        "FULL NAME",    "PLAYERNAME", "TEAMNAME",     "PLAYER_NAME", "TEAM_NAME"};
    std::string key = nameKey(cell);
    while (!key.empty() && (key.back() == ':' || key.back() == '#'))
        key.pop_back();
    key = trim(key);
    for (const char* h : kHeaders)
        if (key == h)
            return true;
    return false;
}

std::string entrantBytesToUtf8(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return std::string(bytes.substr(3));
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return utf16ToUtf8(bytes.substr(2), false);
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return utf16ToUtf8(bytes.substr(2), true);
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return cp1252ToUtf8(bytes);
}

EntrantImport importEntrantText(std::string_view text) {
    return collect(plainRows(text));
}

EntrantImport importEntrantBytes(std::string_view bytes, bool csv) {
    const std::string text = entrantBytesToUtf8(bytes);
    return collect(csv ? csvRows(text) : plainRows(text));
}

EntrantImport importEntrantFile(const std::string& path) {
    const bool csv = path.size() >= 4 && toUpper(path.substr(path.size() - 4)) == ".CSV";
    return importEntrantBytes(readWholeFile(path), csv);
}

} // namespace rh
