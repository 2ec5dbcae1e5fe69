#pragma once
// What a grid of the window shows, as plain data: text colours as RGB values and column layouts.
// The window's table models present these rows as they are; nothing here knows about Qt.

#include "core/colour.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rh {

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
