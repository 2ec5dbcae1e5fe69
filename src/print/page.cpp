#include "print/page.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace rh::print {

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kFitStep = 0.25;
/// PDFs are written at this resolution: fine enough that fitted text lands where it was measured.
constexpr int kPdfResolution = 1200;

QFontMetricsF metricsOn(const QFont& font, QPainter& painter) {
    return QFontMetricsF(font, painter.device());
}

} // namespace

QPageLayout pageLayout(Paper paper) {
    const QPageSize size(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QSizeF bodySize(const QPageLayout& layout) {
    const QSizeF paint = layout.paintRect(QPageLayout::Point).size();
    return {paint.width(), paint.height() - kHeaderHeight - kFooterHeight};
}

QFont documentFont(double pointSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    // No ligatures: a name's "fi" stays two letters when the PDF's text is searched or copied.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

Canvas::Canvas(QPainter& painter, QPointF origin)
    : m_painter(painter), m_origin(origin),
      m_scale(painter.device()->logicalDpiY() / kPointsPerInch) {}

QRectF Canvas::toDevice(const QRectF& points) const {
    return {toDevice(points.topLeft()), points.size() * m_scale};
}

QPointF Canvas::toDevice(const QPointF& points) const {
    return (points + m_origin) * m_scale;
}

TextFit Canvas::fit(const QRectF& box, const QString& text, const QFont& font) const {
    const QRectF device = toDevice(box);
    QFont f = font;
    const double base = font.pointSizeF();
    // One line, shrinking to the smallest readable size.
    for (double size = base; size >= kMinFontSize - 1e-9; size -= kFitStep) {
        f.setPointSizeF(size);
        const QFontMetricsF m = metricsOn(f, m_painter);
        if (m.horizontalAdvance(text) <= device.width() && m.height() <= device.height() + 0.5)
            return {size, false};
    }
    // Wrapped at word breaks, then anywhere.
    for (bool anywhere : {false, true}) {
        const int flag = anywhere ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
        for (double size = base; size >= kFloorFontSize - 1e-9; size -= kFitStep) {
            f.setPointSizeF(size);
            const QRectF need = metricsOn(f, m_painter).boundingRect(device, flag, text);
            if (need.width() <= device.width() + 0.5 && need.height() <= device.height() + 0.5)
                return {size, true, anywhere};
        }
    }
    return {kFloorFontSize, true, true};
}

TextFit Canvas::text(const QRectF& box, const QString& text, const QFont& font, int align) {
    const TextFit how = fit(box, text, font);
    QFont f = font;
    f.setPointSizeF(how.pointSize);
    m_painter.setFont(f);
    const int wrap = !how.wrapped   ? Qt::TextSingleLine
                     : how.anywhere ? Qt::TextWrapAnywhere
                                    : Qt::TextWordWrap;
    m_painter.drawText(toDevice(box), align | wrap, text);
    return how;
}

void Canvas::line(QPointF from, QPointF to, double width, Qt::PenStyle style) {
    QPen pen(Qt::black);
    pen.setWidthF(width * m_scale);
    pen.setStyle(style);
    m_painter.setPen(pen);
    m_painter.drawLine(toDevice(from), toDevice(to));
    m_painter.setPen(Qt::black);
}

void Canvas::rect(const QRectF& box, double width) {
    QPen pen(Qt::black);
    pen.setWidthF(width * m_scale);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(toDevice(box));
    m_painter.setPen(Qt::black);
}

void Canvas::fill(const QRectF& box, const QColor& colour) {
    m_painter.fillRect(toDevice(box), colour);
}

void DocumentSet::add(std::unique_ptr<Document> document) {
    m_documents.push_back(std::move(document));
    m_counts.clear();
}

QString DocumentSet::title() const {
    return m_documents.empty() ? QString() : m_documents.front()->title();
}

std::pair<const Document*, int> DocumentSet::locate(int page) const {
    for (std::size_t i = 0; i < m_documents.size() && i < m_counts.size(); ++i) {
        if (page < m_counts[i])
            return {m_documents[i].get(), page};
        page -= m_counts[i];
    }
    return {nullptr, 0};
}

QString DocumentSet::heading(int page) const {
    auto [document, at] = locate(page);
    return document ? document->heading(at) : QString();
}

int DocumentSet::pageCount(const QSizeF& body) const {
    m_body = body;
    m_counts.clear();
    int total = 0;
    for (const auto& d : m_documents) {
        m_counts.push_back(d->pageCount(body));
        total += m_counts.back();
    }
    return total;
}

void DocumentSet::paintPage(Canvas& canvas, const QSizeF& body, int page) const {
    if (m_counts.size() != m_documents.size() || body != m_body)
        pageCount(body);
    auto [document, at] = locate(page);
    if (document)
        document->paintPage(canvas, body, at);
}

int pageCount(const Document& document, const QPageLayout& layout) {
    return document.pageCount(bodySize(layout));
}

void paintPage(QPainter& painter, const QPageLayout& layout, const Document& document, int page,
               int pages) {
    const QSizeF body = bodySize(layout);
    painter.save();
    Canvas frame(painter);
    const double width = body.width();
    const QRectF titleBox(0, 0, width * 0.62, kHeaderHeight - 6);
    frame.text(titleBox, document.title(), documentFont(12, true));
    frame.text(QRectF(width * 0.64, 0, width * 0.36, kHeaderHeight - 6), document.heading(page),
               documentFont(10), Qt::AlignRight | Qt::AlignVCenter);
    frame.line({0, kHeaderHeight - 4}, {width, kHeaderHeight - 4}, 0.8);
    const double footerTop = kHeaderHeight + body.height();
    frame.line({0, footerTop + 3}, {width, footerTop + 3}, 0.4);
    frame.text(QRectF(0, footerTop + 5, width, kFooterHeight - 5),
               QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages), documentFont(8),
               Qt::AlignHCenter | Qt::AlignVCenter);
    Canvas canvas(painter, QPointF(0, kHeaderHeight));
    document.paintPage(canvas, body, page);
    painter.restore();
}

bool paintDocument(QPainter& painter, const QPageLayout& layout, const Document& document) {
    if (!painter.isActive())
        return false;
    auto* paged = dynamic_cast<QPagedPaintDevice*>(painter.device());
    const int pages = pageCount(document, layout);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && (!paged || !paged->newPage()))
            return false;
        paintPage(painter, layout, document, page, pages);
    }
    return true;
}

bool writePdf(const QString& path, Paper paper, const Document& document, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(pageLayout(paper));
        writer.setTitle(document.title());
        writer.setCreator(QStringLiteral("Rankhall"));
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(QStringLiteral("the PDF could not be started"));
        painted = paintDocument(painter, writer.pageLayout(), document);
        painter.end();
    }
    if (!painted) {
        file.cancelWriting();
        return fail(QStringLiteral("the pages could not be painted"));
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace rh::print
