#include "print_commands.h"

#include "cli_support.h"
#include "core/scripted_prompt.h"
#include "core/text.h"
#include "persistence/atomic_file.h"
#include "print/reports.h"
#include "print/sheet_builder.h"
#include "print/sheets.h"
#include "services/csv_export.h"
#include "services/report_rows.h"
#include "services/session.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace rh::cli {

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;

struct Options {
    std::string file;
    std::string out;
    std::string paper = "a4";
    std::string what;
    std::string format;
    bool allPaid = false;
};

/// A message's lines as a terminal wants them (LF, not CR LF).
void printMessages(const ScriptedPrompt& prompt) {
    for (const Message& m : prompt.messages())
        std::fprintf(stderr, "%s: %s\n", m.title.c_str(), lines(m.text).c_str());
}

/// A QGuiApplication on the offscreen platform, for as long as a PDF is being made: painting
/// text needs one, and a terminal has no display.
class OffscreenGui {
public:
    OffscreenGui() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt's notes about the platform (no runtime folder, no display) are no business of a
        // terminal user; its errors still go to stderr.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        });
        m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }

private:
    char m_name[13] = "rankhall-cli";
    char* m_argv[2] = {m_name, nullptr};
    int m_argc = 1;
    std::unique_ptr<QGuiApplication> m_app;
};

print::Paper paperOf(const std::string& name) {
    return name == "letter" ? print::Paper::Letter : print::Paper::A4;
}

/// Loads the file for the views; on failure the load's messages and "not loaded" go to stderr.
bool loadFile(Session& session, ScriptedPrompt& prompt, const Options& o, ViewLoader load) {
    if (load(session, prompt, o.file))
        return true;
    printMessages(prompt);
    std::fprintf(stderr, "not loaded: %s\n", o.file.c_str());
    return false;
}

int writtenOr(bool written, const Options& o, const QString& error) {
    if (written)
        return kDone;
    std::fprintf(stderr, "rankhall-cli: %s could not be written: %s\n", o.out.c_str(),
                 error.toStdString().c_str());
    return kFailed;
}

int runSheets(const Options& o, ViewLoader load) {
    OffscreenGui gui;
    ScriptedPrompt prompt;
    Session session(prompt);
    if (!loadFile(session, prompt, o, load))
        return kFailed;
    const print::SheetData data = print::sheetData(session.state());
    print::DocumentSet sheets;
    if (o.what == "cards" || o.what == "all")
        sheets.add(std::make_unique<print::ScoreCardsDocument>(data));
    if (o.what == "charts" || o.what == "all")
        sheets.add(std::make_unique<print::SeatingChartsDocument>(data));
    if (o.what == "tables" || o.what == "all")
        sheets.add(std::make_unique<print::TableCardsDocument>(data));
    QString error;
    const bool written =
        print::writePdf(QString::fromStdString(o.out), paperOf(o.paper), sheets, &error);
    return writtenOr(written, o, error);
}

/// Ticks every entrant in the entry-fee roll call, which the tournament file does not keep.
void markAllPaid(Session& session) {
    TournamentState& state = session.state();
    for (EntrantId id : state.idsByName())
        state.entrantRecord(id).entryFeePaid = true;
}

int runExport(const Options& o, ViewLoader load) {
    std::unique_ptr<OffscreenGui> gui;
    if (o.format == "pdf")
        gui = std::make_unique<OffscreenGui>();
    ScriptedPrompt prompt;
    Session session(prompt);
    if (!loadFile(session, prompt, o, load))
        return kFailed;
    if (o.allPaid)
        markAllPaid(session);

    if (o.format == "csv") {
        std::string text;
        if (o.what == "standings")
            text = standingsCsv(standingsReport(session));
        else if (o.what == "results")
            text = resultsCsv(resultsReport(session));
        else
            text = treasurerCsv(treasurerReport(session));
        try {
            writeFileAtomic(o.out, text);
        } catch (const RhError& e) {
            return writtenOr(false, o, QString::fromStdString(e.description()));
        }
        return kDone;
    }
    const print::ReportDocument document =
        o.what == "standings" ? print::standingsDocument(standingsReport(session))
        : o.what == "results" ? print::resultsDocument(resultsReport(session))
                              : print::treasurerDocument(treasurerReport(session));
    QString error;
    const bool written =
        print::writePdf(QString::fromStdString(o.out), paperOf(o.paper), document, &error);
    return writtenOr(written, o, error);
}

} // namespace

void addPrintCommands(CLI::App& app, std::function<int()>& command, ViewLoader load) {
    auto sheets = std::make_shared<Options>();
    sheets->what = "all";
    auto* s = app.add_subcommand("sheets", "Write the score cards, seating charts and table cards "
                                           "of a tournament file as one PDF");
    s->add_option("FILE", sheets->file, "Tournament file (.QMC, plain or masked)")->required();
    s->add_option("-o,--output", sheets->out, "PDF file to write")->required();
    s->add_option("--paper", sheets->paper, "Paper size (default a4)")
        ->check(CLI::IsMember({"a4", "letter"}));
    s->add_option("--what", sheets->what,
                  "cards: a score card per entrant; charts: a seating chart per round; tables: "
                  "a card per table; all (default): all three")
        ->check(CLI::IsMember({"cards", "charts", "tables", "all"}));
    s->callback([&command, sheets, load] {
        command = [sheets, load] { return runSheets(*sheets, load); };
    });

    auto exported = std::make_shared<Options>();
    auto* e = app.add_subcommand("export", "Write the standings, the results or the treasurer's "
                                           "report of a tournament file as CSV or PDF");
    e->add_option("FILE", exported->file, "Tournament file (.QMC, plain or masked)")->required();
    e->add_option("--what", exported->what, "standings, results or treasurer")
        ->required()
        ->check(CLI::IsMember({"standings", "results", "treasurer"}));
    e->add_option("--format", exported->format, "csv or pdf")
        ->required()
        ->check(CLI::IsMember({"csv", "pdf"}));
    e->add_option("-o,--output", exported->out, "File to write")->required();
    e->add_option("--paper", exported->paper, "Paper size of a PDF (default a4)")
        ->check(CLI::IsMember({"a4", "letter"}));
    e->add_flag("--all-paid", exported->allPaid,
                "Count every entry fee as collected (the file does not keep the roll call)");
    e->callback([&command, exported, load] {
        command = [exported, load] { return runExport(*exported, load); };
    });
}

} // namespace rh::cli
