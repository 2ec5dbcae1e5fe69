#include "publishing/html.h"

#include "core/currency.h"
#include "core/errors.h"
#include "money/jackpot.h"
#include "standings/leaders.h"
#include "state/tournament_state.h"

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

void cell(std::string& page, std::string_view width, std::string_view colour, bool first,
          const std::string& value, bool last = false) {
    using namespace std::string_view_literals;
    if (first)
        page += "<tr>"sv;
    page += "<td style=\"WIDTH:"sv;
    page += width;
    page += ";font-size:small;padding:1px;background-color:"sv;
    page += colour;
    if (!first)
        page += "text-align: center;"sv;
    page += "\">"sv;
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

void WriteHTMLRow(std::string& page, const LeaderEntry& e) {
    std::string_view a = e[kLeaderInMoney] == "Y" ? kMoneyGreen : kGrey;
    std::string_view b = kGrey;
    if (e[kLeaderOwes] == "True")
        b = e[kLeaderPaid] == "N" ? kDebtRed : kMoneyGreen;
    cell(page, "18%", a, true, e[kLeaderName]);
    cell(page, "5%", a, false, e[kLeaderPlace]);
    cell(page, "11%", a, false, e[kLeaderPayout]);
    cell(page, "8%", a, false, e[kLeaderScore]);
    cell(page, "10%", a, false, e[kLeaderAverage]);
    cell(page, "8%", a, false, e[kLeaderLones]);
    cell(page, "8%", b, false, e[kLeaderPaid]);
    cell(page, "11%", b, false, e[kLeaderTotalDue]);
    cell(page, "8%", b, false, e[kLeaderBumps]);
    cell(page, "8%", b, false, e[kLeaderWoods], true);
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

std::string standingsPage(const TournamentState& state, const CurrencyFormat& currency, bool tickOn,
                          std::size_t count,
                          const std::function<const LeaderEntry&(std::size_t)>& entryAt) {
    std::string page;
    page.reserve(2048 + count * 1200);
    const std::string round = std::to_string(state.settings.CurrentRound());
    const std::string jackpot = formatMoney(JackpotAmount(state), currency, kMoney2);
    WriteHTMLHeader(page, state.settings, round, jackpot, tickOn);
    for (std::size_t i = 0; i < count; ++i)
        WriteHTMLRow(page, entryAt(i));
    WriteHTMLFooter(page);
    return page;
}

std::string standingsPage(const TournamentState& state, const CurrencyFormat& currency, bool tickOn,
                          const std::vector<LeaderEntry>& entries) {
    return standingsPage(state, currency, tickOn, entries.size(),
                         [&](std::size_t i) -> const LeaderEntry& { return entries[i]; });
}

} // namespace rh
