#pragma once
// Colours the views paint with, as plain RGB values so the core can decide them and any toolkit can
// show them.

namespace rh {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
/// The standings grid's "in the money" and "paid" colour.
inline constexpr Rgb kDarkGreen{0, 128, 0};
/// The money green of the results views, the roll call and the net payout.
inline constexpr Rgb kMoneyGreen{0, 153, 51};
inline constexpr Rgb kRed{255, 0, 0};
/// Paid money and a running clock.
inline constexpr Rgb kLightGreen{180, 255, 180};
/// Owed money and a stopped or paused clock.
inline constexpr Rgb kLightRed{255, 180, 180};

} // namespace rh
