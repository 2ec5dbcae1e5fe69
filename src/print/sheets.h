#pragma once
// The sheets a director prints before the first deal: a score card for every entrant, a seating
// chart per round for posting, and a card per table. Each is a Document (page.h) over a copy of
// the seating (sheet_data.h); the free functions paint one onto a PDF writer's, a printer's or a
// print preview's painter.

#include "print/page.h"
#include "print/sheet_data.h"

#include <memory>

namespace rh::print {

/// The score cards: four to a page (two by two) while a card's rounds fit a quarter page, else
/// two (side by side) or one. Dashed lines between the cards show where to cut.
class ScoreCardsDocument : public Document {
public:
    explicit ScoreCardsDocument(SheetData data);
    QString title() const override;
    QString heading(int page) const override;
    int pageCount(const QSizeF& body) const override;
    void paintPage(Canvas& canvas, const QSizeF& body, int page) const override;

    /// How the cards lie on a page of the body's size.
    struct Grid {
        int columns = 1;
        int rows = 1;
        QSizeF cell;
        double rowHeight = 0; // of one round on the card
    };
    Grid grid(const QSizeF& body) const;

private:
    void paintCard(Canvas& canvas, const ScoreCard& card, const QRectF& cell,
                   double rowHeight) const;

    SheetData m_data;
    std::vector<ScoreCard> m_cards;
};

/// One seating chart per round (more pages where the tables do not fit one): "Round N", every
/// table with its two sides, and who sits out.
class SeatingChartsDocument : public Document {
public:
    explicit SeatingChartsDocument(SheetData data);
    QString title() const override;
    QString heading(int page) const override;
    int pageCount(const QSizeF& body) const override;
    void paintPage(Canvas& canvas, const QSizeF& body, int page) const override;

    /// How the tables lie on a page: one column with the two sides next to each other while
    /// every round's tables fit one page so, else two columns with the sides one above the other.
    struct Layout {
        int columns = 1;
        double box = 0; // height of a table's box
        bool stacked = false;
        double font = 12;
        std::size_t rows = 1; // boxes down a page
    };
    Layout layout(const QSizeF& body) const;

private:
    struct Part {
        std::size_t round = 0;
        std::size_t first = 0; // first table of the page
        std::size_t count = 0;
        bool continued = false;
    };
    std::vector<Part> parts(const QSizeF& body) const;
    void paintTable(Canvas& canvas, const TableSeating& table, const QRectF& cell,
                    const Layout& layout) const;

    SheetData m_data;
};

/// A card per table: the table number, large, and who sits there in every round.
class TableCardsDocument : public Document {
public:
    explicit TableCardsDocument(SheetData data);
    QString title() const override;
    QString heading(int page) const override;
    int pageCount(const QSizeF& body) const override;
    void paintPage(Canvas& canvas, const QSizeF& body, int page) const override;

private:
    SheetData m_data;
    std::vector<TableCard> m_cards;
};

void paintScoreCards(QPainter& painter, const QPageLayout& layout, const SheetData& data);
int scoreCardPageCount(const QPageLayout& layout, const SheetData& data);
void paintSeatingCharts(QPainter& painter, const QPageLayout& layout, const SheetData& data);
int seatingChartPageCount(const QPageLayout& layout, const SheetData& data);
void paintTableCards(QPainter& painter, const QPageLayout& layout, const SheetData& data);
int tableCardPageCount(const QPageLayout& layout, const SheetData& data);

} // namespace rh::print
