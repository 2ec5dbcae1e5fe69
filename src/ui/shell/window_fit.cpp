#include "ui/shell/window_fit.h"

#include <algorithm>
#include <cmath>

namespace rh::ui {

QRect fittedClientGeometry(const QRect& available, const QMargins& frame) {
    const QSize room = available.marginsRemoved(frame).size();
    auto fit = [](int preferred, int space) {
        const int grown = static_cast<int>(std::floor(space * kLargeScreenShare));
        return std::max(0, std::min(space, std::max(preferred, grown)));
    };
    const QSize size(fit(kPreferredClientSize.width(), room.width()),
                     fit(kPreferredClientSize.height(), room.height()));
    // The whole window (frame included) centred in the available area.
    const QSize outer = size.grownBy(frame);
    const QPoint outerTopLeft(available.x() + (available.width() - outer.width()) / 2,
                              available.y() + (available.height() - outer.height()) / 2);
    return QRect(outerTopLeft + QPoint(frame.left(), frame.top()), size);
}

} // namespace rh::ui
