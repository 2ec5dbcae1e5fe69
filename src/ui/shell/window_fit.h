#pragma once
// The main window's size and place on the screen it opens on: the whole window, title bar and
// borders included, stays inside the screen's available area (the screen less its task bars), and
// on a larger screen the window grows with it instead of keeping a laptop's size.
//
// Pure geometry: the window passes its screen's available rectangle and its frame margins (an
// estimate until the window system has framed it), so a test can ask for any screen.

#include <QMargins>
#include <QRect>
#include <QSize>

namespace rh::ui {

/// The client area the window prefers where there is room for it.
inline constexpr QSize kPreferredClientSize{1240, 720};
/// The share of a larger screen's room the window takes.
inline constexpr double kLargeScreenShare = 0.85;
/// Frame margins assumed before the window system reports the real ones (borders and a title
/// bar).
inline constexpr QMargins kAssumedFrame{4, 32, 4, 4};

/// The client-area geometry (QWidget::geometry) for a window with these frame margins on a
/// screen with this available area: the preferred size, or the room there is when less, or a
/// share of a larger room when that is more; centred in the available area.
QRect fittedClientGeometry(const QRect& available, const QMargins& frame);

} // namespace rh::ui
