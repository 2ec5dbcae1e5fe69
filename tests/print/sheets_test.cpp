// The printed sheets read back from their PDFs: four cards to a page on either paper with the frame
// on every page, bigger cards for many rounds, the seating charts with who sits out, a round
// continued on the next page, and names that are never cut short. The sheets of the example
// tournaments are in the command-line golden folders (data/golden/sheets).
#include "pdf_reader.h"
#include "print/sheet_builder.h"
#include "print/sheets.h"
#include "support/generator.h"
#include "support/temp_dir.h"

#include "core/text.h"
#include "state/tournament_state.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

namespace {

using namespace rh::print;

std::string idText(int id) {
    return id < 10 ? "0" + std::to_string(id) : std::to_string(id);
}

/// A Progressive seating by the test generator's circle method, without a tournament state around
/// it.
SheetData sampleSheets(int entrants, int rounds, std::vector<std::string> names = {}) {
    SheetData data;
    data.title = "Sheets & Cards <Test>";
    data.tableCount = entrants / 4;
    for (int id = 1; id <= entrants; ++id) {
        std::string name = static_cast<std::size_t>(id) <= names.size()
                               ? names[static_cast<std::size_t>(id - 1)]
                               : "Entrant Number " + std::to_string(id);
        data.entrants.push_back(Seat{idText(id), name});
    }
    std::vector<int> order;
    if (entrants % 2 == 1)
        order.push_back(0);
    for (int id = 1; id <= entrants; ++id)
        order.push_back(id);
    for (int r = 1; r <= rounds; ++r) {
        RoundSeating round;
        round.round = r;
        std::vector<bool> seated(static_cast<std::size_t>(entrants) + 1, false);
        const auto tables = rh::test::seatRound(rh::test::Kind::Progressive, entrants, r, order);
        for (std::size_t t = 0; t < tables.size(); ++t) {
            TableSeating table;
            table.table = static_cast<int>(t) + 1;
            for (std::size_t s = 0; s < 2; ++s) {
                std::vector<Seat> side;
                for (std::size_t i = 0; i < 2; ++i) {
                    const int id = tables[t][s * 2 + i];
                    seated[static_cast<std::size_t>(id)] = true;
                    side.push_back(data.entrants[static_cast<std::size_t>(id - 1)]);
                }
                table.sides.push_back(side);
            }
            round.tables.push_back(table);
        }
        for (int id = 1; id <= entrants; ++id)
            if (!seated[static_cast<std::size_t>(id)])
                round.sittingOut.push_back(data.entrants[static_cast<std::size_t>(id - 1)]);
        data.rounds.push_back(round);
    }
    return data;
}

/// The text with every run of white space made one blank.
std::string squeezed(const std::string& text) {
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

class SheetsTest : public ::testing::Test {
protected:
    rh::test::TempDir dir;

    std::string write(const Document& document, Paper paper, const std::string& name) {
        const std::string path = (dir / name).string();
        QString error;
        EXPECT_TRUE(writePdf(QString::fromStdString(path), paper, document, &error))
            << error.toStdString();
        // RANKHALL_KEEP_PDFS=folder keeps a copy of every sheet written, to look at.
        if (const char* keep = std::getenv("RANKHALL_KEEP_PDFS"))
            std::filesystem::copy_file(path, std::filesystem::path(keep) / name,
                                       std::filesystem::copy_options::overwrite_existing);
        return path;
    }
};

TEST_F(SheetsTest, SixtyFourCardsLieFourToAPageOnEitherPaper) {
    const SheetData data = sampleSheets(64, 8);
    for (Paper paper : {Paper::A4, Paper::Letter}) {
        ScoreCardsDocument document(data);
        const ScoreCardsDocument::Grid grid = document.grid(bodySize(pageLayout(paper)));
        EXPECT_EQ(grid.columns * grid.rows, 4);
        EXPECT_EQ(scoreCardPageCount(pageLayout(paper), data), 16);
    }
    const std::string path = write(ScoreCardsDocument(data), Paper::A4, "cards-a4.pdf");
    ASSERT_EQ(rh::test::pdfPageCount(path), 16);
    for (int page = 1; page <= 16; ++page) {
        const std::string text = rh::test::pdfText(path, page, page);
        EXPECT_NE(text.find("Page " + std::to_string(page) + " of 16"), std::string::npos);
        EXPECT_NE(text.find(data.title + " Score Cards"), std::string::npos) << "page " << page;
    }
}

TEST_F(SheetsTest, ManyRoundsTakeBiggerCards) {
    const SheetData data = sampleSheets(16, 15);
    ScoreCardsDocument document(data);
    const auto grid = document.grid(bodySize(pageLayout(Paper::Letter)));
    EXPECT_EQ(grid.columns * grid.rows, 2);
    EXPECT_GE(grid.rowHeight, 24);
    EXPECT_EQ(document.pageCount(bodySize(pageLayout(Paper::Letter))), 8);
}

TEST_F(SheetsTest, SeatingChartsShowEveryTableOfEveryRound) {
    const SheetData data = sampleSheets(18, 4);
    const std::string path = write(SeatingChartsDocument(data), Paper::A4, "charts.pdf");
    ASSERT_EQ(rh::test::pdfPageCount(path), 4);
    for (const RoundSeating& round : data.rounds) {
        const std::string text = squeezed(rh::test::pdfText(path, round.round, round.round));
        EXPECT_NE(text.find("Round " + std::to_string(round.round)), std::string::npos);
        EXPECT_NE(text.find("Seating Chart"), std::string::npos);
        for (const TableSeating& table : round.tables)
            for (const auto& side : table.sides) {
                EXPECT_NE(text.find(seatLabel(side[0]) + " & " + seatLabel(side[1])),
                          std::string::npos)
                    << sideLabel(side);
            }
        ASSERT_EQ(round.sittingOut.size(), 2u);
        EXPECT_NE(text.find("Sitting out: " + seatLabel(round.sittingOut[0]) + ", " +
                            seatLabel(round.sittingOut[1])),
                  std::string::npos);
    }
}

TEST_F(SheetsTest, ALargeRoundContinuesOnTheNextPage) {
    const SheetData data = sampleSheets(160, 2);
    SeatingChartsDocument document(data);
    const int pages = document.pageCount(bodySize(pageLayout(Paper::Letter)));
    EXPECT_EQ(pages % 2, 0);
    EXPECT_GT(pages, 2);
    const std::string path = write(document, Paper::Letter, "big-charts.pdf");
    const std::string text = squeezed(rh::test::pdfText(path));
    EXPECT_NE(text.find("Round 1 (continued)"), std::string::npos);
    for (const TableSeating& table : data.rounds[1].tables)
        EXPECT_NE(text.find(seatLabel(table.sides[1][0]) + " & " + seatLabel(table.sides[1][1])),
                  std::string::npos);
}

TEST_F(SheetsTest, LongNamesAreShrunkOrWrappedButNeverCut) {
    const std::string longName =
        "Maximiliana Wilhelmina Featherstonehaugh-Cholmondeley of Upper Snoring";
    // "fi" and "ffi" stay letters (no ligature glyphs), so the PDF's text finds the name.
    const SheetData data = sampleSheets(8, 3, {longName, "Fifi Offield"});
    std::vector<std::unique_ptr<Document>> documents;
    documents.push_back(std::make_unique<ScoreCardsDocument>(data));
    documents.push_back(std::make_unique<SeatingChartsDocument>(data));
    documents.push_back(std::make_unique<TableCardsDocument>(data));
    for (const auto& document : documents) {
        const std::string file =
            write(*document, Paper::Letter, "long-" + document->heading(0).toStdString() + ".pdf");
        // A wrapped name may break after its hyphen, so blanks do not count.
        auto solid = [](const std::string& t) {
            return std::regex_replace(t, std::regex("\\s+"), "");
        };
        const std::string text = solid(rh::test::pdfText(file));
        EXPECT_NE(text.find(solid(longName)), std::string::npos)
            << document->heading(0).toStdString();
        EXPECT_NE(text.find("FifiOffield"), std::string::npos)
            << document->heading(0).toStdString();
    }
}

TEST(CanvasFit, TextFitsItsBoxAtSomeSize) {
    QImage image(600, 600, QImage::Format_ARGB32);
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    QPainter painter(&image);
    Canvas canvas(painter);
    const QString name = QStringLiteral("Bartholomew Montgomery-Smythe");
    const QFont font = documentFont(14, true);
    struct Case {
        double width, height;
        bool wrapped;
    };
    for (const Case& c :
         {Case{400, 20, false}, Case{120, 20, false}, Case{40, 40, true}, Case{8, 60, true}}) {
        const QRectF box(0, 0, c.width, c.height);
        const TextFit fit = canvas.fit(box, name, font);
        EXPECT_EQ(fit.wrapped, c.wrapped) << c.width;
        QFont used = font;
        used.setPointSizeF(fit.pointSize);
        const QFontMetricsF m(used, painter.device());
        const QRectF device = canvas.toDevice(box);
        if (!fit.wrapped) {
            EXPECT_LE(m.horizontalAdvance(name), device.width()) << c.width;
        } else {
            const int flag = fit.anywhere ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
            const QRectF need = m.boundingRect(device, flag, name);
            EXPECT_LE(need.width(), device.width() + 0.5) << c.width;
            EXPECT_LE(need.height(), device.height() + 0.5) << c.width;
        }
        if (c.width >= 400) {
            EXPECT_EQ(fit.pointSize, 14);
        }
    }
}

} // namespace
