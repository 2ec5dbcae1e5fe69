#include "publishing/html.h"

#include "core/currency.h"
#include "core/errors.h"
#include "money/jackpot.h"
#include "standings/leaders.h"
#include "state/tournament_state.h"

#include <array>

namespace rh {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kTitleCell =
    " style=\"font-size:large;padding:3px;color:white;background-color:#333366;\">";
constexpr const char* kHeadingCell = "<th style=\"font-size:medium;padding:3px;"
                                     "background-color: #CCCC99;\">";
constexpr std::string_view kMoneyGreen = "#66FF66;";
constexpr std::string_view kGrey = "#C0C0C0;";
constexpr std::string_view kDebtRed = "#FF3366;";

/// Decodes one UTF-8 character at `i`; a byte that starts no valid sequence stands for itself.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = byte(i);
    int extra = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : 0;
    if (c >= 0x80 && extra > 0 && i + static_cast<std::size_t>(extra) < s.size()) {
        char32_t cp = c & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = byte(i + static_cast<std::size_t>(k));
            if ((cc & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
        if (ok && !overlong && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF)) {
            i += static_cast<std::size_t>(extra) + 1;
            return cp;
        }
    }
    ++i;
    return c;
}

void appendEscaped(std::string& out, std::string_view text);

// Characters that set or change the writing direction: the strong right-to-left scripts (Hebrew,
// Arabic, Syriac, Thaana, N'Ko and their neighbours, their presentation forms, the historic
// ones beyond the first plane) and the directional marks, embeddings, overrides and isolates.
bool isBidiCharacter(char32_t c) {
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) ||
           (c >= 0xFE70 && c <= 0xFEFC) || (c >= 0x10800 && c <= 0x10FFF) ||
           (c >= 0x1E800 && c <= 0x1EFFF) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// The opening of each row cell, from "<td" to the cell's text, by column and colour: the same
// few dozen texts begin every cell of the page, so they are put together once.
constexpr std::array<std::string_view, 10> kCellWidths = {"18%", "5%", "11%", "8%", "10%",
                                                          "8%",  "8%", "11%", "8%", "8%"};
constexpr std::array<std::string_view, 3> kCellColours = {kMoneyGreen, kGrey, kDebtRed};

struct CellOpenings {
    std::array<std::array<std::string, kCellColours.size()>, kCellWidths.size()> text;

    CellOpenings() {
        for (std::size_t c = 0; c < kCellWidths.size(); ++c)
            for (std::size_t k = 0; k < kCellColours.size(); ++k) {
                std::string& t = text[c][k];
                if (c == 0)
                    t += "<tr>";
                t += "<td style=\"WIDTH:";
                t += kCellWidths[c];
                t += ";font-size:small;padding:1px;background-color:";
                t += kCellColours[k];
                if (c != 0)
                    t += "text-align: center;";
                t += "\">";
            }
    }
};

void cell(std::string& page, const std::string& opening, const std::string& value, bool isName,
          bool last) {
    using namespace std::string_view_literals;
    page += opening;
    if (isName)
        page += htmlName(value);
    else
        appendEscaped(page, value);
    page += last ? "</td></tr>\r\n"sv : "</td>\r\n"sv;
}

void WriteHTMLHeader(std::string& page, const TournamentSettings& t, const std::string& round,
                     const std::string& jackpot, bool tickOn) {
    page += "<HTML><HEAD><TITLE>Rankhall</TITLE><META HTTP-EQUIV=\"refresh\" CONTENT=\"";
    page += tickOn ? "1" : "15";
    page += "\"></HEAD><BODY>";
    page += kCrLf;
    page += "<table border=2 style=\"background-color: #333366;border:2;width:100%;"
            "border-collapse:collapse;\">";
    page += kCrLf;
    page += std::string("<tr><th COLSPAN=2") + kTitleCell + "Round: " + round + "</th>" + kCrLf;
    page +=
        std::string("<th COLSPAN=6") + kTitleCell + htmlEscape(t.TourneyTitle()) + "</th>" + kCrLf;
    page += std::string("<th COLSPAN=2") + kTitleCell + htmlEscape(t.TourneyCode()) + "</th></tr>" +
            kCrLf;
    page += "<tr><th COLSPAN=6 style=\"font-size:x-large;padding:3px;color:white;"
            "background-color:#666600;\">RANKHALL</th>";
    page += kCrLf;
    page += "<th COLSPAN=4 style=\"font-size:large;padding:3px;color:white;"
            "background-color:#666600;\">" +
            htmlEscape(t.JackpotTitle()) + ": " + htmlEscape(jackpot) + "</th></tr>" + kCrLf;
    page += "<tr>";
    page += kCrLf;
    for (const char* caption : {"Player Name", "Place", "Payout", "Score", "Average", "Lones",
                                "Paid", "Total Due", "Bumps", "Wood"})
        page += std::string(kHeadingCell) + caption + "</th>" + kCrLf;
    page += "</tr>";
    page += kCrLf;
}

void WriteHTMLRow(std::string& page, const LeaderEntry& e, const CellOpenings& openings) {
    enum Colour : std::size_t { Green, Grey, Red };
    const Colour a = e[kLeaderInMoney] == "Y" ? Green : Grey;
    Colour b = Grey;
    if (e[kLeaderOwes] == "True")
        b = e[kLeaderPaid] == "N" ? Red : Green;
    constexpr std::array<std::size_t, 10> kFields = {
        kLeaderName,  kLeaderPlace, kLeaderPayout,   kLeaderScore, kLeaderAverage,
        kLeaderLones, kLeaderPaid,  kLeaderTotalDue, kLeaderBumps, kLeaderWoods};
    for (std::size_t c = 0; c < kFields.size(); ++c)
        cell(page, openings.text[c][c < 6 ? a : b], e[kFields[c]], c == 0, c + 1 == kFields.size());
}

void WriteHTMLFooter(std::string& page) {
    std::string site = htmlEscape(kMakerSite);
    page += "<tr><th COLSPAN=10 style=\"font-size:large;padding:3px;color:black;"
            "background-color:#66CCFF;\">Shuffle Up and Deal Again: <a href=\"" +
            site + "\">" + site + "</a></th></tr>" + kCrLf;
    page += "</table></body></html>";
    page += kCrLf;
}

void appendEscaped(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        // Plain characters go over in runs.
        std::size_t run = i;
        while (run < text.size() && static_cast<unsigned char>(text[run]) < 0x80 &&
               text[run] != '&' && text[run] != '<' && text[run] != '>' && text[run] != '"' &&
               text[run] != '\'')
            ++run;
        if (run > i) {
            out.append(text.data() + i, run - i);
            i = run;
            continue;
        }
        const char c = text[i];
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            if (static_cast<unsigned char>(c) >= 0x80) {
                char32_t cp = nextCodePoint(text, i);
                out += "&#";
                out += std::to_string(static_cast<unsigned long>(cp));
                out += ';';
                continue;
            }
            out += c;
            break;
        }
        ++i;
    }
}

} // namespace

std::string htmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

bool hasBidiCharacters(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        if (isBidiCharacter(nextCodePoint(text, i)))
            return true;
    }
    return false;
}

std::string htmlName(std::string_view text) {
    if (!hasBidiCharacters(text))
        return htmlEscape(text);
    return "<bdi>" + htmlEscape(text) + "</bdi>";
}

std::string standingsPage(const TournamentState& state, const CurrencyFormat& currency, bool tickOn,
                          std::size_t count,
                          const std::function<const LeaderEntry&(std::size_t)>& entryAt) {
    std::string page;
    page.reserve(2048 + count * 1200);
    const std::string round = std::to_string(state.settings.CurrentRound());
    const std::string jackpot = formatMoney(JackpotAmount(state), currency, kMoney2);
    WriteHTMLHeader(page, state.settings, round, jackpot, tickOn);
    const CellOpenings openings;
    for (std::size_t i = 0; i < count; ++i)
        WriteHTMLRow(page, entryAt(i), openings);
    WriteHTMLFooter(page);
    return page;
}

std::string standingsPage(const TournamentState& state, const CurrencyFormat& currency, bool tickOn,
                          const std::vector<LeaderEntry>& entries) {
    return standingsPage(state, currency, tickOn, entries.size(),
                         [&](std::size_t i) -> const LeaderEntry& { return entries[i]; });
}

} // namespace rh
