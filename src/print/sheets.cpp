#include "print/sheets.h"

#include <QColor>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace rh::print {

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

const QColor kShade(232, 232, 232);
const QColor kSitOutShade(244, 244, 244);

// Score card measures, in points.
constexpr double kCardPad = 6;
constexpr double kCardGap = 12;
constexpr double kCardTitle = 11;
constexpr double kCardName = 20;
constexpr double kCardTables = 12;
constexpr double kCardHeadings = 12;
constexpr double kCardTotal = 18;
constexpr double kCardFixed =
    2 * kCardPad + kCardTitle + kCardName + kCardTables + kCardHeadings + kCardTotal + 4;
constexpr double kRoundColumn = 18;
constexpr double kTableColumn = 24;
constexpr double kScoreColumn = 30;
constexpr double kCountColumn = 24;

double minCardRow(bool progressive) {
    return progressive ? 24 : 14;
}
double maxCardRow(bool progressive) {
    return progressive ? 32 : 22;
}

} // namespace

// ---- Score cards -----------------------------------------------------------------------------

ScoreCardsDocument::ScoreCardsDocument(SheetData data)
    : m_data(std::move(data)), m_cards(scoreCards(m_data)) {}

QString ScoreCardsDocument::title() const {
    return q(m_data.title);
}

QString ScoreCardsDocument::heading(int) const {
    return QStringLiteral("Score Cards");
}

ScoreCardsDocument::Grid ScoreCardsDocument::grid(const QSizeF& body) const {
    const int rounds = std::max<int>(1, static_cast<int>(m_data.rounds.size()));
    const bool progressive = m_data.progressive;
    Grid g;
    for (auto [columns, rows] : {std::pair{2, 2}, std::pair{2, 1}, std::pair{1, 1}}) {
        g.columns = columns;
        g.rows = rows;
        g.cell = QSizeF((body.width() - kCardGap * (columns - 1)) / columns,
                        (body.height() - kCardGap * (rows - 1)) / rows);
        g.rowHeight = (g.cell.height() - kCardFixed) / rounds;
        if (g.rowHeight >= minCardRow(progressive))
            break;
    }
    g.rowHeight = std::clamp(g.rowHeight, 4.0, maxCardRow(progressive));
    return g;
}

int ScoreCardsDocument::pageCount(const QSizeF& body) const {
    const Grid g = grid(body);
    const int perPage = g.columns * g.rows;
    const int cards = static_cast<int>(m_cards.size());
    return std::max(1, (cards + perPage - 1) / perPage);
}

void ScoreCardsDocument::paintPage(Canvas& canvas, const QSizeF& body, int page) const {
    const Grid g = grid(body);
    const int perPage = g.columns * g.rows;
    // Cut lines through the middle of the gaps.
    for (int c = 1; c < g.columns; ++c) {
        const double x = c * (g.cell.width() + kCardGap) - kCardGap / 2;
        canvas.line({x, 0}, {x, body.height()}, 0.3, Qt::DashLine);
    }
    for (int r = 1; r < g.rows; ++r) {
        const double y = r * (g.cell.height() + kCardGap) - kCardGap / 2;
        canvas.line({0, y}, {body.width(), y}, 0.3, Qt::DashLine);
    }
    for (int i = 0; i < perPage; ++i) {
        const std::size_t index = static_cast<std::size_t>(page * perPage + i);
        if (index >= m_cards.size())
            break;
        const int column = i % g.columns;
        const int row = i / g.columns;
        const QRectF cell(column * (g.cell.width() + kCardGap), row * (g.cell.height() + kCardGap),
                          g.cell.width(), g.cell.height());
        paintCard(canvas, m_cards[index], cell, g.rowHeight);
    }
}

void ScoreCardsDocument::paintCard(Canvas& canvas, const ScoreCard& card, const QRectF& cell,
                                   double rowHeight) const {
    const double rounds = static_cast<double>(card.rounds.size());
    const double height = kCardFixed + rounds * rowHeight;
    const QRectF frame(cell.left(), cell.top(), cell.width(), std::min(height, cell.height()));
    canvas.rect(frame, 0.9);
    const double left = frame.left() + kCardPad;
    const double width = frame.width() - 2 * kCardPad;
    double y = frame.top() + kCardPad;

    canvas.text(QRectF(left, y, width * 0.7, kCardTitle), q(m_data.title), documentFont(7.5));
    canvas.text(QRectF(left + width * 0.72, y, width * 0.28, kCardTitle),
                QStringLiteral("Score Card"), documentFont(7.5), Qt::AlignRight | Qt::AlignVCenter);
    y += kCardTitle;
    canvas.text(QRectF(left, y, width, kCardName), q(card.entrant.name), documentFont(14, true));
    y += kCardName;
    canvas.text(QRectF(left, y, width, kCardTables),
                q(entrantWord(m_data) + " " + card.entrant.id +
                  " | Tables by round: " + tablesByRound(card)),
                documentFont(8));
    y += kCardTables + 2;

    // Columns: round, table, seating, score, lones, bumps, woods.
    const double seating = width - kRoundColumn - kTableColumn - kScoreColumn - 3 * kCountColumn;
    const double widths[] = {kRoundColumn, kTableColumn, seating,     kScoreColumn,
                             kCountColumn, kCountColumn, kCountColumn};
    double xs[8];
    xs[0] = left;
    for (int i = 0; i < 7; ++i)
        xs[i + 1] = xs[i] + widths[i];
    const QString headings[] = {QStringLiteral("Rnd"),
                                QStringLiteral("Table"),
                                m_data.progressive ? QStringLiteral("Partner and opponents")
                                                   : QStringLiteral("Opponent"),
                                QStringLiteral("Score"),
                                QStringLiteral("Lones"),
                                QStringLiteral("Bumps"),
                                QStringLiteral("Woods")};
    const double top = y;
    canvas.fill(QRectF(left, y, width, kCardHeadings), kShade);
    for (int i = 0; i < 7; ++i)
        canvas.text(QRectF(xs[i] + 1, y, widths[i] - 2, kCardHeadings), headings[i],
                    documentFont(6.5, true),
                    i == 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    y += kCardHeadings;

    for (const CardRound& r : card.rounds) {
        canvas.line({left, y}, {left + width, y}, 0.4);
        canvas.text(QRectF(xs[0], y, widths[0], rowHeight), QString::number(r.round),
                    documentFont(8), Qt::AlignCenter);
        if (r.table == 0) {
            canvas.fill(QRectF(xs[3], y, width - (xs[3] - left), rowHeight), kSitOutShade);
            canvas.text(QRectF(xs[1], y, widths[1], rowHeight), QStringLiteral("-"),
                        documentFont(10, true), Qt::AlignCenter);
            canvas.text(QRectF(xs[2] + 2, y, widths[2] - 4, rowHeight), QStringLiteral("sits out"),
                        documentFont(8), Qt::AlignLeft | Qt::AlignVCenter);
        } else {
            canvas.text(QRectF(xs[1], y, widths[1], rowHeight), QString::number(r.table),
                        documentFont(11, true), Qt::AlignCenter);
            std::vector<std::string> lines;
            if (r.partner)
                lines.push_back("with " + seatLabel(*r.partner));
            for (const Seat& o : r.opponents)
                lines.push_back("vs " + seatLabel(o));
            const double lineHeight = rowHeight / std::max<double>(1, lines.size());
            const double size = std::clamp(lineHeight * 0.7, 5.5, 9.0);
            for (std::size_t i = 0; i < lines.size(); ++i)
                canvas.text(QRectF(xs[2] + 2, y + lineHeight * i, widths[2] - 4, lineHeight),
                            q(lines[i]), documentFont(size));
        }
        y += rowHeight;
    }
    canvas.line({left, y}, {left + width, y}, 0.8);
    canvas.text(QRectF(xs[0], y, xs[3] - xs[0] - 4, kCardTotal), QStringLiteral("Total"),
                documentFont(8, true), Qt::AlignRight | Qt::AlignVCenter);
    const double bottom = y + kCardTotal;
    for (int i = 1; i < 7; ++i)
        canvas.line({xs[i], top}, {xs[i], i >= 3 ? bottom : y}, 0.4);
    canvas.rect(QRectF(left, top, width, bottom - top), 0.6);
}

// ---- Seating charts ----------------------------------------------------------------------

namespace {
constexpr double kChartHeading = 34;
constexpr double kChartSitOut = 34;
constexpr double kChartGap = 8;
constexpr double kChartNumber = 54;

/// The lines of a side: each partner on a line of its own, the second after "& ".
std::vector<std::string> sideLines(const std::vector<Seat>& side) {
    std::vector<std::string> lines;
    for (const Seat& seat : side)
        lines.push_back((lines.empty() ? "" : "& ") + seatLabel(seat));
    return lines;
}
} // namespace

SeatingChartsDocument::SeatingChartsDocument(SheetData data) : m_data(std::move(data)) {}

QString SeatingChartsDocument::title() const {
    return q(m_data.title);
}

QString SeatingChartsDocument::heading(int) const {
    return QStringLiteral("Seating Chart");
}

SeatingChartsDocument::Layout SeatingChartsDocument::layout(const QSizeF& body) const {
    const double perSide = m_data.progressive ? 2 : 1;
    std::size_t tables = 0;
    for (const RoundSeating& round : m_data.rounds)
        tables = std::max(tables, round.tables.size());
    const double free = body.height() - kChartHeading - kChartSitOut;
    auto rowsFor = [&](double box) {
        return static_cast<std::size_t>(
            std::max(1.0, std::floor((free + kChartGap) / (box + kChartGap))));
    };
    // One column with the sides next to each other while every table fits; else two columns with
    // the sides one above the other.
    Layout wide{1, std::max(44.0, perSide * 24 + 14), false, 15, 0};
    wide.rows = rowsFor(wide.box);
    if (tables <= wide.rows)
        return wide;
    Layout tall{2, (2 * perSide + 1) * 13 + 8, true, 11, 0};
    tall.rows = rowsFor(tall.box);
    return tall;
}

std::vector<SeatingChartsDocument::Part> SeatingChartsDocument::parts(const QSizeF& body) const {
    const Layout l = layout(body);
    const std::size_t perPage = l.rows * static_cast<std::size_t>(l.columns);
    std::vector<Part> parts;
    for (std::size_t r = 0; r < m_data.rounds.size(); ++r) {
        const std::size_t tables = m_data.rounds[r].tables.size();
        std::size_t first = 0;
        do {
            parts.push_back(Part{r, first, std::min(perPage, tables - first), first > 0});
            first += perPage;
        } while (first < tables);
    }
    return parts;
}

int SeatingChartsDocument::pageCount(const QSizeF& body) const {
    return std::max<int>(1, static_cast<int>(parts(body).size()));
}

void SeatingChartsDocument::paintTable(Canvas& canvas, const TableSeating& table,
                                       const QRectF& cell, const Layout& l) const {
    canvas.rect(cell, 0.8);
    const QRectF number(cell.left(), cell.top(), kChartNumber, cell.height());
    canvas.fill(number, kShade);
    canvas.line(number.topRight(), number.bottomRight(), 0.6);
    canvas.text(QRectF(number.left(), number.top() + 3, number.width(), 11),
                QStringLiteral("Table"), documentFont(8), Qt::AlignCenter);
    canvas.text(
        QRectF(number.left() + 2, number.top() + 14, number.width() - 4, cell.height() - 17),
        QString::number(table.table), documentFont(24, true), Qt::AlignCenter);
    const QRectF seats(number.right() + 6, cell.top() + 4, cell.width() - number.width() - 10,
                       cell.height() - 8);
    const std::vector<std::string> a =
        table.sides.empty() ? std::vector<std::string>() : sideLines(table.sides[0]);
    const std::vector<std::string> b =
        table.sides.size() < 2 ? std::vector<std::string>() : sideLines(table.sides[1]);
    const QFont font = documentFont(l.font, true);
    if (l.stacked) {
        const double line = seats.height() / static_cast<double>(a.size() + b.size() + 1);
        double y = seats.top();
        for (const std::string& text : a) {
            canvas.text(QRectF(seats.left(), y, seats.width(), line), q(text), font);
            y += line;
        }
        canvas.text(QRectF(seats.left(), y, seats.width(), line), QStringLiteral("vs"),
                    documentFont(l.font * 0.75));
        y += line;
        for (const std::string& text : b) {
            canvas.text(QRectF(seats.left(), y, seats.width(), line), q(text), font);
            y += line;
        }
        return;
    }
    const double vs = 30;
    const double half = (seats.width() - vs) / 2;
    auto column = [&](const std::vector<std::string>& lines, double left) {
        const double line = seats.height() / std::max<double>(1, lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            canvas.text(QRectF(left, seats.top() + line * i, half, line), q(lines[i]), font);
    };
    column(a, seats.left());
    canvas.text(QRectF(seats.left() + half, seats.top(), vs, seats.height()), QStringLiteral("vs"),
                documentFont(l.font * 0.75), Qt::AlignCenter);
    column(b, seats.left() + half + vs);
}

void SeatingChartsDocument::paintPage(Canvas& canvas, const QSizeF& body, int page) const {
    const auto all = parts(body);
    if (page < 0 || static_cast<std::size_t>(page) >= all.size())
        return;
    const Layout l = layout(body);
    const Part& part = all[static_cast<std::size_t>(page)];
    const RoundSeating& round = m_data.rounds[part.round];
    QString heading = QStringLiteral("Round %1").arg(round.round);
    if (part.continued)
        heading += QStringLiteral(" (continued)");
    canvas.text(QRectF(0, 0, body.width(), kChartHeading - 6), heading, documentFont(22, true),
                Qt::AlignHCenter | Qt::AlignVCenter);

    const double columnWidth = (body.width() - kChartGap * (l.columns - 1)) / l.columns;
    // Down the first column, then the second, so the tables read in order.
    const std::size_t rows = (part.count + static_cast<std::size_t>(l.columns) - 1) /
                             static_cast<std::size_t>(l.columns);
    for (std::size_t i = 0; i < part.count; ++i) {
        const std::size_t column = i / std::max<std::size_t>(rows, 1);
        const std::size_t row = i % std::max<std::size_t>(rows, 1);
        const QRectF cell(column * (columnWidth + kChartGap),
                          kChartHeading + row * (l.box + kChartGap), columnWidth, l.box);
        paintTable(canvas, round.tables[part.first + i], cell, l);
    }
    const bool last = part.first + part.count >= round.tables.size();
    if (last && !round.sittingOut.empty()) {
        std::string names;
        for (const Seat& s : round.sittingOut)
            names += (names.empty() ? "" : ", ") + seatLabel(s);
        const double top = kChartHeading + rows * (l.box + kChartGap);
        canvas.text(QRectF(0, top, body.width(), kChartSitOut - 4),
                    QStringLiteral("Sitting out: ") + q(names), documentFont(12));
    }
}

// ---- Table cards -------------------------------------------------------------------------

namespace {
constexpr double kTableNumberBlock = 250;
constexpr double kTableHeadingRow = 16;
constexpr double kTableRowMax = 44;
constexpr double kTableRowMin = 12;
constexpr double kTableRoundColumn = 72;
} // namespace

TableCardsDocument::TableCardsDocument(SheetData data)
    : m_data(std::move(data)), m_cards(tableCards(m_data)) {}

QString TableCardsDocument::title() const {
    return q(m_data.title);
}

QString TableCardsDocument::heading(int) const {
    return QStringLiteral("Table Cards");
}

int TableCardsDocument::pageCount(const QSizeF&) const {
    return std::max<int>(1, static_cast<int>(m_cards.size()));
}

void TableCardsDocument::paintPage(Canvas& canvas, const QSizeF& body, int page) const {
    if (page < 0 || static_cast<std::size_t>(page) >= m_cards.size())
        return;
    const TableCard& card = m_cards[static_cast<std::size_t>(page)];
    canvas.text(QRectF(0, 0, body.width(), 40), QStringLiteral("Table"), documentFont(30, true),
                Qt::AlignHCenter | Qt::AlignVCenter);
    canvas.text(QRectF(0, 40, body.width(), kTableNumberBlock - 50), QString::number(card.table),
                documentFont(150, true), Qt::AlignHCenter | Qt::AlignVCenter);
    const double top = kTableNumberBlock;
    const double rounds = std::max<double>(1, card.rounds.size());
    const double row = std::clamp((body.height() - top - kTableHeadingRow - 4) / rounds,
                                  kTableRowMin, kTableRowMax);
    const double seatsLeft = kTableRoundColumn;
    const double seatsWidth = body.width() - seatsLeft - 4;
    canvas.fill(QRectF(0, top, body.width(), kTableHeadingRow), kShade);
    canvas.text(QRectF(4, top, kTableRoundColumn - 4, kTableHeadingRow), QStringLiteral("Round"),
                documentFont(9, true));
    canvas.text(QRectF(seatsLeft, top, seatsWidth, kTableHeadingRow),
                QStringLiteral("Who sits here"), documentFont(9, true));
    double y = top + kTableHeadingRow;
    const double font = std::min(13.0, row * 0.3);
    for (const TableRound& r : card.rounds) {
        canvas.line({0, y}, {body.width(), y}, 0.4);
        canvas.text(QRectF(4, y, kTableRoundColumn - 8, row),
                    QStringLiteral("Round %1").arg(r.round), documentFont(font, true));
        if (r.sides.empty()) {
            canvas.text(QRectF(seatsLeft, y, seatsWidth, row), QStringLiteral("not in use"),
                        documentFont(font));
        } else {
            const double line = (row - 4) / 2;
            canvas.text(QRectF(seatsLeft, y + 2, seatsWidth, line), q(sideLabel(r.sides[0])),
                        documentFont(font));
            if (r.sides.size() > 1)
                canvas.text(QRectF(seatsLeft, y + 2 + line, seatsWidth, line),
                            QStringLiteral("vs ") + q(sideLabel(r.sides[1])), documentFont(font));
        }
        y += row;
    }
    canvas.line({0, y}, {body.width(), y}, 0.6);
}

// ---- Entry points --------------------------------------------------------------------------

void paintScoreCards(QPainter& painter, const QPageLayout& layout, const SheetData& data) {
    paintDocument(painter, layout, ScoreCardsDocument(data));
}

int scoreCardPageCount(const QPageLayout& layout, const SheetData& data) {
    return pageCount(ScoreCardsDocument(data), layout);
}

void paintSeatingCharts(QPainter& painter, const QPageLayout& layout, const SheetData& data) {
    paintDocument(painter, layout, SeatingChartsDocument(data));
}

int seatingChartPageCount(const QPageLayout& layout, const SheetData& data) {
    return pageCount(SeatingChartsDocument(data), layout);
}

void paintTableCards(QPainter& painter, const QPageLayout& layout, const SheetData& data) {
    paintDocument(painter, layout, TableCardsDocument(data));
}

int tableCardPageCount(const QPageLayout& layout, const SheetData& data) {
    return pageCount(TableCardsDocument(data), layout);
}

} // namespace rh::print
