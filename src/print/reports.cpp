#include "print/reports.h"

#include <QColor>
#include <QPainter>

#include <numeric>

namespace rh::print {

namespace {

constexpr double kHeadingHeight = 26;
constexpr double kNoteHeight = 14;
constexpr double kHeaderRowHeight = 16;
constexpr double kRowHeight = 14;
constexpr double kFigureHeight = 15;
constexpr double kCellPad = 3;
/// A heading stays with this much of what follows it.
constexpr double kKeepWithHeading = kHeaderRowHeight + 2 * kRowHeight;

const QColor kHeaderShade(225, 225, 225);
const QColor kBandShade(246, 246, 246);

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QString countText(long long n) {
    return QString::number(n);
}

} // namespace

// ---- Flow ------------------------------------------------------------------------------------

void ReportFlow::heading(const QString& text) {
    Unit u;
    u.kind = Kind::Heading;
    u.height = kHeadingHeight;
    u.text = text;
    m_units.push_back(u);
}

void ReportFlow::note(const QString& text) {
    Unit u;
    u.kind = Kind::Note;
    u.height = kNoteHeight;
    u.text = text;
    m_units.push_back(u);
}

void ReportFlow::table(std::vector<Column> columns, std::vector<Row> rows) {
    const std::size_t index = m_tables.size();
    const std::size_t count = rows.size();
    m_tables.push_back(Table{std::move(columns), std::move(rows)});
    Unit header;
    header.kind = Kind::TableHeader;
    header.height = kHeaderRowHeight;
    header.table = index;
    m_units.push_back(header);
    m_headers.push_back(header);
    for (std::size_t r = 0; r < count; ++r) {
        Unit u;
        u.kind = Kind::TableRow;
        u.height = kRowHeight;
        u.table = index;
        u.row = r;
        m_units.push_back(u);
    }
}

void ReportFlow::figure(const QString& sign, const QString& label, const QString& amount,
                        bool total) {
    Unit u;
    u.kind = Kind::Figure;
    u.height = kFigureHeight + (total ? 3 : 0);
    u.sign = sign;
    u.text = label;
    u.amount = amount;
    u.total = total;
    m_units.push_back(u);
}

void ReportFlow::space(double height) {
    Unit u;
    u.kind = Kind::Space;
    u.height = height;
    m_units.push_back(u);
}

std::vector<std::vector<ReportFlow::Placed>> ReportFlow::pages(const QSizeF& body) const {
    std::vector<std::vector<Placed>> out(1);
    double y = 0;
    for (std::size_t i = 0; i < m_units.size(); ++i) {
        const Unit& u = m_units[i];
        double need = u.height;
        if (u.kind == Kind::Heading) {
            double keep = 0;
            for (std::size_t k = i + 1; k < m_units.size() && keep < kKeepWithHeading; ++k)
                keep += m_units[k].height;
            need += std::min(keep, kKeepWithHeading);
        } else if (u.kind == Kind::TableHeader) {
            need += kRowHeight;
        }
        const bool fresh = out.back().empty();
        if (!fresh && y + need > body.height()) {
            out.emplace_back();
            y = 0;
            if (u.kind == Kind::Space)
                continue; // no space at the top of a page
            if (u.kind == Kind::TableRow) {
                out.back().push_back(Placed{&m_headers[u.table], y});
                y += m_headers[u.table].height;
            }
        }
        out.back().push_back(Placed{&u, y});
        y += u.height;
    }
    return out;
}

int ReportFlow::pageCount(const QSizeF& body) const {
    return static_cast<int>(pages(body).size());
}

void ReportFlow::paintPage(Canvas& canvas, const QSizeF& body, int page) const {
    const auto all = pages(body);
    if (page < 0 || static_cast<std::size_t>(page) >= all.size())
        return;
    for (const Placed& p : all[static_cast<std::size_t>(page)])
        paintUnit(canvas, body, *p.unit, p.y);
}

void ReportFlow::paintUnit(Canvas& canvas, const QSizeF& body, const Unit& u, double y) const {
    const double width = body.width();
    switch (u.kind) {
    case Kind::Heading:
        canvas.text(QRectF(0, y + 8, width, u.height - 10), u.text, documentFont(13, true),
                    Qt::AlignLeft | Qt::AlignBottom);
        canvas.line({0, y + u.height - 1}, {width, y + u.height - 1}, 0.6);
        break;
    case Kind::Note:
        canvas.text(QRectF(0, y, width, u.height), u.text, documentFont(9));
        break;
    case Kind::TableHeader:
    case Kind::TableRow: {
        const Table& t = m_tables[u.table];
        const double weights =
            std::accumulate(t.columns.begin(), t.columns.end(), 0.0,
                            [](double sum, const Column& c) { return sum + c.weight; });
        const bool header = u.kind == Kind::TableHeader;
        if (header)
            canvas.fill(QRectF(0, y, width, u.height), kHeaderShade);
        else if (u.row % 2 == 1)
            canvas.fill(QRectF(0, y, width, u.height), kBandShade);
        const bool bold = header || t.rows[u.row].bold;
        double x = 0;
        for (std::size_t c = 0; c < t.columns.size(); ++c) {
            const double w = width * t.columns[c].weight / weights;
            const QString text = header ? t.columns[c].heading
                                        : (static_cast<qsizetype>(c) < t.rows[u.row].cells.size()
                                               ? t.rows[u.row].cells[static_cast<qsizetype>(c)]
                                               : QString());
            canvas.text(QRectF(x + kCellPad, y, w - 2 * kCellPad, u.height), text,
                        documentFont(header ? 8.5 : 9, bold),
                        int(t.columns[c].align | Qt::AlignVCenter));
            x += w;
        }
        if (header)
            canvas.line({0, y + u.height}, {width, y + u.height}, 0.5);
        break;
    }
    case Kind::Figure: {
        const double top = y + (u.total ? 3 : 0);
        const double amountWidth = 110;
        if (u.total)
            canvas.line({width - amountWidth - 200, top - 1}, {width, top - 1}, 0.6);
        canvas.text(QRectF(0, top, 14, kFigureHeight), u.sign, documentFont(10, u.total),
                    Qt::AlignCenter);
        canvas.text(QRectF(16, top, width - amountWidth - 24, kFigureHeight), u.text,
                    documentFont(10, u.total));
        canvas.text(QRectF(width - amountWidth, top, amountWidth, kFigureHeight), u.amount,
                    documentFont(10, u.total), Qt::AlignRight | Qt::AlignVCenter);
        break;
    }
    case Kind::Space:
        break;
    }
}

ReportDocument::ReportDocument(QString title, QString heading, ReportFlow flow)
    : m_title(std::move(title)), m_heading(std::move(heading)), m_flow(std::move(flow)) {}

// ---- The reports -------------------------------------------------------------------------

namespace {

using Column = ReportFlow::Column;
using Row = ReportFlow::Row;

void fineTable(ReportFlow& flow, const std::string& entrantHeading,
               const std::vector<FineLine>& fines) {
    std::vector<Row> rows;
    for (const FineLine& f : fines)
        rows.push_back(Row{{q(f.name), countText(f.bumps), countText(f.woods), q(f.amount.text),
                            f.paid ? QStringLiteral("Paid") : QStringLiteral("Owes")},
                           false});
    flow.table({{q(entrantHeading), 5},
                {QStringLiteral("Bumps"), 1, Qt::AlignHCenter},
                {QStringLiteral("Woods"), 1, Qt::AlignHCenter},
                {QStringLiteral("Pay In"), 1.6, Qt::AlignRight},
                {QStringLiteral("Paid"), 1.2, Qt::AlignHCenter}},
               std::move(rows));
}

void jackpotSection(ReportFlow& flow, const std::string& entrantHeading, const JackpotSummary& j) {
    flow.heading(q(j.title));
    flow.figure({}, QStringLiteral("Bumps: %1 @ %2").arg(j.bumps).arg(q(j.bumpFee.text)),
                q(j.bumpMoney.text));
    flow.figure(QStringLiteral("+"),
                QStringLiteral("Woods: %1 @ %2").arg(j.woods).arg(q(j.woodFee.text)),
                q(j.woodMoney.text));
    flow.figure(QStringLiteral("="), q(j.title), q(j.amount.text), true);
    flow.heading(q(j.title) + QStringLiteral(" - Winner"));
    if (j.winners.empty()) {
        flow.note(QStringLiteral("Nobody takes the jackpot."));
        return;
    }
    std::vector<Row> rows;
    for (const JackpotShare& s : j.winners)
        rows.push_back(Row{{q(s.name), q(s.lones), q(s.share.text)}, false});
    flow.table({{q(entrantHeading), 5},
                {QStringLiteral("Lones"), 1, Qt::AlignHCenter},
                {QStringLiteral("Share"), 1.6, Qt::AlignRight}},
               std::move(rows));
}

} // namespace

ReportDocument standingsDocument(const StandingsReport& report) {
    ReportFlow flow;
    flow.heading(
        QStringLiteral("Standings - round %1 of %2").arg(report.currentRound).arg(report.rounds));
    std::vector<Row> rows;
    bool pending = false;
    for (const StandingsLine& l : report.lines) {
        pending = pending || l.pending;
        rows.push_back(Row{{q(l.place), (l.pending ? QStringLiteral("* ") : QString()) + q(l.name),
                            q(l.score), q(l.lones), q(l.payout.text)},
                           l.inTheMoney});
    }
    flow.table({{QStringLiteral("Place"), 0.9, Qt::AlignHCenter},
                {q(report.entrantHeading), 5},
                {QStringLiteral("Score"), 1, Qt::AlignHCenter},
                {QStringLiteral("Lone"), 1, Qt::AlignHCenter},
                {QStringLiteral("Payout"), 1.6, Qt::AlignRight}},
               std::move(rows));
    if (pending) {
        flow.space(4);
        flow.note(QStringLiteral("* round %1 score still to come").arg(report.currentRound));
    }
    return ReportDocument(q(report.title), QStringLiteral("Standings"), std::move(flow));
}

ReportDocument resultsDocument(const ResultsReport& report) {
    ReportFlow flow;
    flow.heading(QStringLiteral("Tournament Winners"));
    if (report.winners.empty()) {
        flow.note(QStringLiteral("No prizes are paid."));
    } else {
        std::vector<Row> rows;
        for (const WinnerLine& w : report.winners)
            rows.push_back(Row{{q(w.place), q(w.name), q(w.score), q(w.payout.text)}, false});
        flow.table({{QStringLiteral("Place"), 0.9, Qt::AlignHCenter},
                    {q(report.entrantHeading), 5},
                    {QStringLiteral("Score"), 1, Qt::AlignHCenter},
                    {QStringLiteral("Pay Out"), 1.6, Qt::AlignRight}},
                   std::move(rows));
    }
    flow.space(8);
    flow.heading(q(report.finesHeading));
    if (report.fines.empty()) {
        flow.note(QStringLiteral("No bumps or woods were recorded."));
    } else {
        fineTable(flow, report.entrantHeading, report.fines);
        flow.space(4);
        flow.figure({}, QStringLiteral("Fines paid"), q(report.finesCollected.text));
        flow.figure({}, QStringLiteral("Fines owed"), q(report.finesOwed.text));
    }
    flow.space(8);
    jackpotSection(flow, report.entrantHeading, report.jackpot);
    return ReportDocument(q(report.title), QStringLiteral("Results"), std::move(flow));
}

ReportDocument treasurerDocument(const TreasurerReport& report) {
    ReportFlow flow;
    const TreasurerFigures& f = report.figures;
    const int unpaid = static_cast<int>(report.entryFees.size()) - report.paidCount;

    // Without the roll call the figures that count the entry fees are not known.
    const bool known = report.rollCallKnown;
    auto counted = [known](const MoneyText& m) {
        return known ? q(m.text) : QStringLiteral("unknown");
    };

    flow.heading(QStringLiteral("Entry Fees"));
    if (known)
        flow.note(QStringLiteral("Entry fee %1 for each of %2 %3: %4 paid, %5 not paid.")
                      .arg(q(report.entryFee.text))
                      .arg(report.entrants)
                      .arg(q(report.entrantsWord))
                      .arg(report.paidCount)
                      .arg(unpaid));
    else
        flow.note(QStringLiteral("Entry fee %1 for each of %2 %3: who paid is unknown.")
                      .arg(q(report.entryFee.text))
                      .arg(report.entrants)
                      .arg(q(report.entrantsWord)));
    {
        std::vector<Row> rows;
        for (const EntryFeeLine& e : report.entryFees)
            rows.push_back(Row{{q(e.name), q(e.id),
                                !known   ? QStringLiteral("Unknown")
                                : e.paid ? QStringLiteral("Paid")
                                         : QStringLiteral("Not paid"),
                                known && e.paid ? q(report.entryFee.text) : QString()},
                               known && !e.paid});
        flow.table({{q(report.entrantHeading), 5},
                    {QStringLiteral("ID"), 0.8, Qt::AlignHCenter},
                    {QStringLiteral("Entry Fee"), 1.4, Qt::AlignHCenter},
                    {QStringLiteral("Collected"), 1.6, Qt::AlignRight}},
                   std::move(rows));
    }
    flow.space(4);
    flow.figure({}, QStringLiteral("Entry fees collected"), counted(report.feesCollected));
    flow.figure({}, QStringLiteral("Entry fees still owed"), counted(report.feesOwed));

    flow.space(8);
    flow.heading(QStringLiteral("Prize Money"));
    flow.figure({},
                QStringLiteral("Entry fees due (%1 x %2)")
                    .arg(report.entrants)
                    .arg(q(report.entryFee.text)),
                q(report.feesDue.text));
    flow.figure(QStringLiteral("-"), QStringLiteral("Expenses"), q(report.expenses.text));
    flow.figure(QStringLiteral("="), QStringLiteral("Net payout"), q(report.netPayout.text), true);
    if (report.prizes.empty()) {
        flow.note(QStringLiteral("No prizes are paid."));
    } else {
        std::vector<Row> rows;
        for (const PrizeLine& p : report.prizes)
            rows.push_back(Row{{q(p.place), q(p.name), q(p.amount.text)}, false});
        flow.table({{QStringLiteral("Place"), 0.9, Qt::AlignHCenter},
                    {q(report.entrantHeading), 5},
                    {QStringLiteral("Prize"), 1.6, Qt::AlignRight}},
                   std::move(rows));
    }
    flow.space(4);
    flow.figure({}, QStringLiteral("Prizes paid out"), q(report.prizesPaid.text), true);

    flow.space(8);
    flow.heading(q(report.finesHeading));
    if (report.fines.empty())
        flow.note(QStringLiteral("No bumps or woods were recorded."));
    else
        fineTable(flow, report.entrantHeading, report.fines);
    flow.space(4);
    flow.figure({}, QStringLiteral("Fines collected"), q(report.finesCollected.text));
    flow.figure({}, QStringLiteral("Fines still owed"), q(report.finesOwed.text));

    flow.space(8);
    jackpotSection(flow, report.entrantHeading, report.jackpot);
    flow.space(4);
    flow.figure({}, QStringLiteral("Jackpot paid out"), q(report.jackpotPaid.text), true);

    flow.space(8);
    flow.heading(QStringLiteral("Cash in the Box"));
    flow.figure({}, QStringLiteral("Entry fees collected"), counted(report.feesCollected));
    flow.figure(QStringLiteral("+"), QStringLiteral("Fines collected"),
                q(report.finesCollected.text));
    flow.figure(QStringLiteral("-"), QStringLiteral("Expenses"), q(report.expenses.text));
    flow.figure(QStringLiteral("-"), QStringLiteral("Prizes paid out"), q(report.prizesPaid.text));
    flow.figure(QStringLiteral("-"), QStringLiteral("Jackpot paid out"),
                q(report.jackpotPaid.text));
    flow.figure(QStringLiteral("="), QStringLiteral("Cash that should be in the box"),
                counted(report.cash), true);
    flow.space(6);
    flow.heading(QStringLiteral("Balance"));
    flow.figure({}, QStringLiteral("Net payout not paid as prizes"), q(report.netLeft.text));
    flow.figure(QStringLiteral("+"), QStringLiteral("Jackpot not paid out"),
                q(report.jackpotLeft.text));
    flow.figure(QStringLiteral("-"), QStringLiteral("Entry fees still owed"),
                counted(report.feesOwed));
    flow.figure(QStringLiteral("-"), QStringLiteral("Fines still owed"), q(report.finesOwed.text));
    flow.figure(QStringLiteral("="), QStringLiteral("Cash that should be in the box"),
                counted(report.cashFromBalance), true);
    flow.space(4);
    flow.note(!known         ? q(kRollCallUnknown)
              : f.balances() ? QStringLiteral("The two counts agree: the box balances.")
                             : QStringLiteral("The two counts differ: check the roll call."));
    flow.space(4);
    for (const std::string& line : cashFormulaLines())
        flow.note(q(line));
    return ReportDocument(q(report.title), QStringLiteral("Treasurer's Report"), std::move(flow));
}

void paintStandingsReport(QPainter& painter, const QPageLayout& layout,
                          const StandingsReport& report) {
    paintDocument(painter, layout, standingsDocument(report));
}

int standingsReportPageCount(const QPageLayout& layout, const StandingsReport& report) {
    return pageCount(standingsDocument(report), layout);
}

void paintResultsReport(QPainter& painter, const QPageLayout& layout, const ResultsReport& report) {
    paintDocument(painter, layout, resultsDocument(report));
}

int resultsReportPageCount(const QPageLayout& layout, const ResultsReport& report) {
    return pageCount(resultsDocument(report), layout);
}

void paintTreasurerReport(QPainter& painter, const QPageLayout& layout,
                          const TreasurerReport& report) {
    paintDocument(painter, layout, treasurerDocument(report));
}

int treasurerReportPageCount(const QPageLayout& layout, const TreasurerReport& report) {
    return pageCount(treasurerDocument(report), layout);
}

} // namespace rh::print
