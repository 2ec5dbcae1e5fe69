#pragma once
// The printed reports: the standings, the results (winners and payouts, fines, the jackpot) and
// the treasurer's report (entry fees, prizes, fines, the jackpot and the cash that should be in
// the box). Each is a Document over a copy of its rows from report_rows.h, the same rows the CSV
// export writes, laid out as a flow of headings, tables and figure lines that breaks across pages
// (a table's heading row is repeated on every page it continues on).

#include "print/page.h"
#include "services/report_rows.h"

#include <QStringList>

#include <vector>

namespace rh::print {

/// A flow of report lines in points: laid out into pages, then painted page by page.
class ReportFlow {
public:
    struct Column {
        QString heading;
        double weight = 1; // share of the width
        Qt::Alignment align = Qt::AlignLeft;
    };
    struct Row {
        QStringList cells;
        bool bold = false;
    };

    /// A section heading, kept on the page of what follows it.
    void heading(const QString& text);
    /// A line of text (fitted into the width).
    void note(const QString& text);
    /// A table with a heading row.
    void table(std::vector<Column> columns, std::vector<Row> rows);
    /// A figure line: a sign ("+", "-", "=" or none), a label and an amount at the right; a total
    /// gets a rule above and bold type.
    void figure(const QString& sign, const QString& label, const QString& amount,
                bool total = false);
    void space(double height);

    int pageCount(const QSizeF& body) const;
    void paintPage(Canvas& canvas, const QSizeF& body, int page) const;

private:
    enum class Kind { Heading, Note, TableHeader, TableRow, Figure, Space };
    struct Unit {
        Kind kind = Kind::Note;
        double height = 0;
        QString text;
        QString sign;
        QString amount;
        bool total = false;
        std::size_t table = 0;
        std::size_t row = 0;
    };
    struct Placed {
        const Unit* unit;
        double y;
    };
    struct Table {
        std::vector<Column> columns;
        std::vector<Row> rows;
    };
    std::vector<std::vector<Placed>> pages(const QSizeF& body) const;
    void paintUnit(Canvas& canvas, const QSizeF& body, const Unit& unit, double y) const;

    std::vector<Unit> m_units;
    std::vector<Table> m_tables;
    std::vector<Unit> m_headers; // one heading row unit per table, for repeats
};

/// A report document: a title, a heading and a flow.
class ReportDocument : public Document {
public:
    ReportDocument(QString title, QString heading, ReportFlow flow);
    QString title() const override { return m_title; }
    QString heading(int) const override { return m_heading; }
    int pageCount(const QSizeF& body) const override { return m_flow.pageCount(body); }
    void paintPage(Canvas& canvas, const QSizeF& body, int page) const override {
        m_flow.paintPage(canvas, body, page);
    }

private:
    QString m_title;
    QString m_heading;
    ReportFlow m_flow;
};

ReportDocument standingsDocument(const StandingsReport& report);
ReportDocument resultsDocument(const ResultsReport& report);
ReportDocument treasurerDocument(const TreasurerReport& report);

void paintStandingsReport(QPainter& painter, const QPageLayout& layout,
                          const StandingsReport& report);
int standingsReportPageCount(const QPageLayout& layout, const StandingsReport& report);
void paintResultsReport(QPainter& painter, const QPageLayout& layout, const ResultsReport& report);
int resultsReportPageCount(const QPageLayout& layout, const ResultsReport& report);
void paintTreasurerReport(QPainter& painter, const QPageLayout& layout,
                          const TreasurerReport& report);
int treasurerReportPageCount(const QPageLayout& layout, const TreasurerReport& report);

} // namespace rh::print
