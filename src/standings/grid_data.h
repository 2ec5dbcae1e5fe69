#pragma once
// What a grid of the window shows, as plain data: text colours as RGB values and column layouts.
// The window's table models present these rows as they are; nothing here knows about Qt.

#include <cstdint>
#include <string>
#include <vector>

namespace rh {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
/// The standings grid's "in the money" and "paid" colour.
inline constexpr Rgb kDarkGreen{0, 128, 0};
/// The money green of the results views, the roll call and the net payout.
inline constexpr Rgb kMoneyGreen{0, 153, 51};
inline constexpr Rgb kRed{255, 0, 0};

enum class Align { Left, Center, Right };

/// One column of a grid: heading, width in twips (15 twips to a pixel; 0 hides the column),
/// alignment and the sort tag ("NUMBER" sorts by value, anything else as text).
struct GridColumn {
    std::string heading;
    int widthTwips = 0;
    Align align = Align::Left;
    std::string sortTag;
};

/// "Player Name" for a Progressive tournament, "Team Name" for a Team tournament.
inline std::string entrantNameHeading(bool progressive) {
    return progressive ? "Player Name" : "Team Name";
}

} // namespace rh
