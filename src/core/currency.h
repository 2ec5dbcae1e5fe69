#pragma once
// Money texts. One formatter, given a currency description (symbol, decimal point, grouping),
// writes every amount the program shows; the window builds the description from the system locale,
// rankhall-cli from the C library's locale, and both fall back to "$", "." and ",".

#include <string>
#include <string_view>

namespace rh {

struct CurrencyFormat {
    std::string symbol = "$";
    std::string decimalPoint = ".";
    std::string groupSeparator = ",";
    int groupSize = 3;         // 0: no grouping
    int decimals = 2;          // the locale's default number of decimals
    bool symbolAfter = false;  // "12.50 €" instead of "$12.50"
    bool spaceBetween = false; // a blank between amount and symbol

    /// Dollars with "." and "," (the fallback).
    static CurrencyFormat dollars() { return {}; }
    /// From the C library's current LC_MONETARY (after setlocale); falls back to dollars where the
    /// locale names no currency.
    static CurrencyFormat fromCLocale();
};

struct MoneyStyle {
    int decimals = -1;       // -1: the format's default
    bool leadingZero = true; // "$0.50" rather than "$.50"
    bool parensForNegative = true;
    bool group = true;
};

/// Common styles of the screens: the default (leading zero, parentheses, grouping), the same with
/// exactly two decimals, and the summary style without a leading zero.
inline constexpr MoneyStyle kMoney{};
inline constexpr MoneyStyle kMoney2{2, true, true, true};
inline constexpr MoneyStyle kMoneyNoLeadingZero{-1, false, true, true};

std::string formatMoney(double amount, const CurrencyFormat& format, MoneyStyle style = kMoney);

/// Reads a money text back (symbol, grouping and parentheses allowed; a plain number too).
/// Returns false when the text holds no number.
bool parseMoney(std::string_view text, const CurrencyFormat& format, double& amount);

} // namespace rh
