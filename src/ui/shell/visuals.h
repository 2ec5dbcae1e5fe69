#pragma once
// Window-level visuals: the banded background gradient and the program's logo and icon.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRect>

class QPainter;

namespace rh::ui {

/// The main window's background starts from this colour at the top.
inline const QColor kGradientStart{135, 196, 245};
inline constexpr int kGradientBands = 100;

/// The colour of band 1..100: the start colour, each channel 3 lower per band, never below 0.
QColor gradientBand(int band, const QColor& start);
/// Paints the area in 100 equal bands along the direction (top to bottom for Qt::Vertical).
void Gradient(QPainter& painter, const QRect& area, const QColor& start,
              Qt::Orientation direction = Qt::Vertical);

/// The logo (two jacks over the name), from the packaged SVG when the platform reads SVG,
/// otherwise drawn to the same design.
QPixmap rankhallLogo(int size);
/// The window and application icon.
QIcon rankhallIcon();

} // namespace rh::ui
