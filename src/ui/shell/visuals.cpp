#include "ui/shell/visuals.h"

#include <QFont>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace rh::ui {

QColor gradientBand(int band, const QColor& start) {
    const int drop = 3 * (band - 1);
    return QColor(std::max(start.red() - drop, 0), std::max(start.green() - drop, 0),
                  std::max(start.blue() - drop, 0));
}

void Gradient(QPainter& painter, const QRect& area, const QColor& start,
              Qt::Orientation direction) {
    const bool vertical = direction == Qt::Vertical;
    const int length = vertical ? area.height() : area.width();
    for (int band = 1; band <= kGradientBands; ++band) {
        // Integer band edges: the bands tile the area without gaps or overlaps.
        const int from = length * (band - 1) / kGradientBands;
        const int to = length * band / kGradientBands;
        if (to <= from)
            continue;
        const QRect box = vertical
                              ? QRect(area.left(), area.top() + from, area.width(), to - from)
                              : QRect(area.left() + from, area.top(), to - from, area.height());
        painter.fillRect(box, gradientBand(band, start));
    }
}

namespace {

void drawCard(QPainter& p, qreal angle, qreal x, qreal y, const QColor& ink, bool heart) {
    p.save();
    p.translate(128, 128);
    p.rotate(angle);
    p.translate(-128, -128);
    p.setPen(QPen(QColor(0x1b, 0x35, 0x50), 4));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(x, y, 110, 156), 12, 12);
    QFont f(QStringLiteral("serif"));
    f.setPixelSize(40);
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(QPointF(x + 18, y + 46), QStringLiteral("J"));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    QPainterPath path;
    if (heart) {
        const QPointF c(x + 55, y + 76);
        path.moveTo(c);
        path.cubicTo(c + QPointF(-14, -18), c + QPointF(-30, -4), c + QPointF(-16, 14));
        path.lineTo(c + QPointF(0, 34));
        path.lineTo(c + QPointF(16, 14));
        path.cubicTo(c + QPointF(30, -4), c + QPointF(14, -18), c);
    } else {
        const QPointF c(x + 55, y + 74);
        path.moveTo(c);
        path.lineTo(c + QPointF(18, 26));
        path.lineTo(c + QPointF(0, 52));
        path.lineTo(c + QPointF(-18, 26));
        path.closeSubpath();
    }
    p.drawPath(path);
    p.restore();
}

QPixmap drawnLogo(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 256.0, size / 256.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x5f, 0x8f));
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 36, 36);
    drawCard(p, -12, 54, 46, QColor(0xbb, 0x22, 0x22), false);
    drawCard(p, 10, 96, 60, QColor(0x11, 0x11, 0x11), true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0xb9, 0x23));
    p.drawRoundedRect(QRectF(24, 196, 208, 40), 8, 8);
    QFont f(QStringLiteral("sans-serif"));
    f.setPixelSize(24);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x1b, 0x35, 0x50));
    p.drawText(QRectF(24, 196, 208, 40), Qt::AlignCenter, QStringLiteral("RANKHALL"));
    return pm;
}

} // namespace

QPixmap rankhallLogo(int size) {
    if (QImageReader::supportedImageFormats().contains("svg")) {
        QImageReader reader(QStringLiteral(":/rankhall/rankhall.svg"));
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        if (!image.isNull())
            return QPixmap::fromImage(image);
    }
    return drawnLogo(size);
}

QIcon rankhallIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(rankhallLogo(size));
    return icon;
}

} // namespace rh::ui
