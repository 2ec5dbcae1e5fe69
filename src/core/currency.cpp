#include "core/currency.h"

#include "core/text.h"

#include <clocale>
#include <cmath>

namespace rh {

CurrencyFormat CurrencyFormat::fromCLocale() {
    CurrencyFormat f;
    const std::lconv* lc = std::localeconv();
    if (!lc || !lc->currency_symbol || !*lc->currency_symbol)
        return f;
    f.symbol = lc->currency_symbol;
    if (lc->mon_decimal_point && *lc->mon_decimal_point)
        f.decimalPoint = lc->mon_decimal_point;
    f.groupSeparator = lc->mon_thousands_sep ? lc->mon_thousands_sep : "";
    f.groupSize = (lc->mon_grouping && *lc->mon_grouping > 0 && *lc->mon_grouping < 127)
                      ? *lc->mon_grouping
                      : 0;
    if (f.groupSeparator.empty())
        f.groupSize = 0;
    if (lc->frac_digits >= 0 && lc->frac_digits <= 6)
        f.decimals = lc->frac_digits;
    f.symbolAfter = lc->p_cs_precedes == 0;
    f.spaceBetween = lc->p_sep_by_space == 1;
    return f;
}

std::string formatMoney(double amount, const CurrencyFormat& format, MoneyStyle style) {
    int decimals = style.decimals < 0 ? format.decimals : style.decimals;
    std::string digits = formatFixed(std::fabs(amount), decimals);
    bool negative = amount < 0 && formatFixed(amount, decimals) != formatFixed(0.0, decimals);
    std::string whole = digits, fraction;
    if (auto dot = digits.find('.'); dot != std::string::npos) {
        whole = digits.substr(0, dot);
        fraction = digits.substr(dot + 1);
    }
    if (style.group && format.groupSize > 0 && !format.groupSeparator.empty()) {
        std::string grouped;
        int n = static_cast<int>(whole.size());
        for (int i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % format.groupSize == 0)
                grouped += format.groupSeparator;
            grouped += whole[static_cast<std::size_t>(i)];
        }
        whole = grouped;
    }
    if (!style.leadingZero && whole == "0" && !fraction.empty())
        whole.clear();
    std::string number = fraction.empty() ? whole : whole + format.decimalPoint + fraction;
    std::string sep = format.spaceBetween ? " " : "";
    std::string text =
        format.symbolAfter ? number + sep + format.symbol : format.symbol + sep + number;
    if (negative)
        text = style.parensForNegative ? "(" + text + ")" : "-" + text;
    return text;
}

bool parseMoney(std::string_view input, const CurrencyFormat& format, double& amount) {
    std::string text = trim(input);
    bool negative = false;
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        negative = true;
        text = trim(text.substr(1, text.size() - 2));
    }
    if (!format.symbol.empty()) {
        for (auto pos = text.find(format.symbol); pos != std::string::npos;
             pos = text.find(format.symbol))
            text.erase(pos, format.symbol.size());
    }
    text = trim(text);
    if (!text.empty() && text.front() == '-') {
        negative = !negative;
        text = trim(text.substr(1));
    }
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        if (!format.groupSeparator.empty() && format.groupSeparator != format.decimalPoint &&
            text.compare(i, format.groupSeparator.size(), format.groupSeparator) == 0) {
            i += format.groupSeparator.size();
            continue;
        }
        if (!format.decimalPoint.empty() &&
            text.compare(i, format.decimalPoint.size(), format.decimalPoint) == 0) {
            plain += '.';
            i += format.decimalPoint.size();
            continue;
        }
        plain += text[i++];
    }
    double v;
    if (!tryParseNumber(plain, v))
        return false;
    amount = negative ? -v : v;
    return true;
}

} // namespace rh
