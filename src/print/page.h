#pragma once
// What every printed document shares: the paper (A4 or US Letter), the page frame with the
// tournament title and "Page n of m" on every page, text that always fits its box (the font
// shrinks, then the text wraps; a name is never cut short), and the driver that paints a document
// page by page onto any paged device: a PDF writer, a printer, or the printer of a print preview.
//
// Documents lay their pages out in points (1/72 inch) inside the page body, so their page count
// depends only on the paper and the data, never on a device's resolution. A Canvas converts points
// to the device's units while painting.

#include <QFont>
#include <QPageLayout>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace rh::print {

enum class Paper { A4, Letter };

/// The paper as a page layout: portrait, 10 mm margins all round.
QPageLayout pageLayout(Paper paper);

/// Header and footer heights of the page frame, in points.
inline constexpr double kHeaderHeight = 24;
inline constexpr double kFooterHeight = 18;
/// The smallest type a fitted text shrinks to before it wraps, and the smallest it ever gets.
inline constexpr double kMinFontSize = 5.5;
inline constexpr double kFloorFontSize = 3;

/// The body of a page (the printable area without the frame's header and footer), in points,
/// with its top left corner at 0, 0.
QSizeF bodySize(const QPageLayout& layout);

/// The base font of the documents at a size in points.
QFont documentFont(double pointSize, bool bold = false);

/// How a text was fitted into its box.
struct TextFit {
    double pointSize = 0;
    bool wrapped = false;
    bool anywhere = false; // wrapped inside words too
};

/// Paints in points on a painter whose coordinates are device units (a PDF writer's, a printer's
/// or an image's). Owns nothing; lives while one page is painted.
class Canvas {
public:
    /// `origin` is where the body's 0, 0 lies on the device, in points.
    Canvas(QPainter& painter, QPointF origin = {});

    QPainter& painter() { return m_painter; }
    /// Device units per point.
    double scale() const { return m_scale; }
    QRectF toDevice(const QRectF& points) const;
    QPointF toDevice(const QPointF& points) const;

    /// The size and wrapping at which the text fits the box: the font's size when it fits on one
    /// line, else the largest smaller size (down to kMinFontSize) at which it does, else the
    /// largest size at which it fits wrapped at word breaks, else wrapped anywhere at
    /// kFloorFontSize. Nothing is ever left out.
    TextFit fit(const QRectF& box, const QString& text, const QFont& font) const;
    /// Draws the text fitted into the box with the alignment (Qt::Alignment flags).
    TextFit text(const QRectF& box, const QString& text, const QFont& font,
                 int align = Qt::AlignLeft | Qt::AlignVCenter);

    void line(QPointF from, QPointF to, double width = 0.5, Qt::PenStyle style = Qt::SolidLine);
    void rect(const QRectF& box, double width = 0.5);
    void fill(const QRectF& box, const QColor& colour);

private:
    QPainter& m_painter;
    QPointF m_origin;
    double m_scale;
};

/// A printable document: its pages laid out in points within the page body.
class Document {
public:
    virtual ~Document() = default;
    /// The tournament title, shown at the top of every page.
    virtual QString title() const = 0;
    /// The document's own name, shown beside the title ("Score Cards").
    virtual QString heading(int page) const = 0;
    virtual int pageCount(const QSizeF& body) const = 0;
    /// Paints one page's body; the canvas's origin is the body's top left corner.
    virtual void paintPage(Canvas& canvas, const QSizeF& body, int page) const = 0;
};

/// Several documents printed as one, pages numbered through.
class DocumentSet : public Document {
public:
    void add(std::unique_ptr<Document> document);
    QString title() const override;
    QString heading(int page) const override;
    int pageCount(const QSizeF& body) const override;
    void paintPage(Canvas& canvas, const QSizeF& body, int page) const override;

private:
    /// The document that holds the page and the page's number within it.
    std::pair<const Document*, int> locate(int page) const;

    std::vector<std::unique_ptr<Document>> m_documents;
    mutable QSizeF m_body;
    mutable std::vector<int> m_counts;
};

/// The number of pages of the document on the paper.
int pageCount(const Document& document, const QPageLayout& layout);

/// Paints one whole page (frame and body) on a painter whose origin is the printable area's top
/// left corner, as on a PDF writer, a printer or an image of the printable area.
void paintPage(QPainter& painter, const QPageLayout& layout, const Document& document, int page,
               int pages);

/// Paints every page of the document on the painter's device, starting a new page between them
/// (the device must be a paged one: a PDF writer or a printer). False when the painter is not
/// active or a new page could not be started.
bool paintDocument(QPainter& painter, const QPageLayout& layout, const Document& document);

/// Writes the document as a PDF file, atomically (a failed write leaves no half file and keeps an
/// older file of that name). On failure `error` (when given) says why.
bool writePdf(const QString& path, Paper paper, const Document& document, QString* error = nullptr);

} // namespace rh::print
