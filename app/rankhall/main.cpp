// rankhall: the tournament director's window.
//
// On a machine without a display (no X11 or Wayland display named and no Qt platform chosen) no
// window can open; the program then says so and prints the tournament's standings as text and
// writes its HTML standings page instead, so that a director at a terminal still sees them.
#include "core/prompt.h"
#include "core/scripted_prompt.h"
#include "persistence/private_folder.h"
#include "publishing/html.h"
#include "services/load_save.h"
#include "services/session.h"
#include "services/standings_page.h"
#include "services/tournament_summary.h"
#include "ui/shell/main_flow.h"
#include "ui/shell/main_window.h"
#include "ui/shell/presenters.h"
#include "ui/shell/qt_prompt.h"
#include "ui/shell/splash.h"
#include "ui/shell/version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdlib>
#include <iostream>

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

/// True when no window can open here. Checked before the application object exists, since
/// creating it without a platform ends the program.
bool noDisplay() {
#if defined(__unix__) && !defined(__APPLE__)
    return !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM");
#else
    return false;
#endif
}

/// The tournament file named on the command line ("" for none).
QString commandLineFile(QCoreApplication& app) {
    QCoreApplication::setApplicationName(QStringLiteral("Rankhall"));
    QCoreApplication::setApplicationVersion(rh::ui::versionText().mid(8));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs a Euchre tournament: scores, standings, payouts and the clock."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Tournament file (.QMC) to open at start-up."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.constFirst();
}

/// The standings without a window: load (a recovery copy is not taken), print, write the page.
int printStandings(const QString& file) {
    std::cout << "No display is available, so Rankhall cannot open its window; here are the "
                 "standings as text.\n";
    if (file.isEmpty()) {
        std::cout << "No tournament file was given.\n";
        return EXIT_SUCCESS;
    }
    if (!rh::ui::MainWindow::isTournamentFile(file)) {
        std::cerr << "Not a tournament file (.QMC): " << file.toStdString() << "\n";
        return EXIT_FAILURE;
    }
    rh::ScriptedPrompt prompt;
    prompt.defaultYesNo = rh::MsgAnswer::No; // the recovery question: read the file as given
    rh::Session session(prompt);
    session.setCurrency(rh::CurrencyFormat::fromCLocale());
    const bool loaded = rh::loadTournament(session, file.toStdString());
    // What the director would have been told, other than questions and plain news.
    for (const rh::Message& m : prompt.messages())
        if (m.buttons == rh::MsgButtons::Ok && m.icon != rh::MsgIcon::Information)
            std::cerr << (m.title.empty() ? rh::kAppTitle : m.title) << ": " << m.text << "\n";
    if (!loaded)
        return EXIT_FAILURE;

    std::cout << "\n"
              << rh::standingsHeading(session.tourney()) << "\n\n"
              << rh::ui::standingsText(session) << "\n";
    prompt.clear();
    if (!rh::publishStandingsPage(session, false)) {
        for (const rh::Message& m : prompt.messages())
            std::cerr << m.title << ": " << m.text << "\n";
        return EXIT_FAILURE;
    }
    std::cout << "Standings page written to " << rh::standingsPagePath(session) << "\n";
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char* argv[]) {
    if (noDisplay()) {
        QCoreApplication app(argc, argv);
        return printStandings(commandLineFile(app));
    }

    QApplication app(argc, argv);
    const QString file = commandLineFile(app);

    rh::ui::QtPrompt prompt;
    rh::Session session(prompt);
    // Money is shown in the system's currency (Qt has set the C library's locale from the
    // environment by now).
    session.setCurrency(rh::CurrencyFormat::fromCLocale());
    // Every change is journalled; a load offers what a crash left unsaved.
    session.setJournalMode(rh::JournalMode::Keep);

    // The window loads hidden; the splash shows it when both are ready.
    rh::ui::MainWindow window(session);
    rh::ui::installPresenters(window);
    prompt.setParentWidget(&window);
    // The recovery copies, journal and pages are kept outside the usual private folder: say why.
    if (const std::string notice = rh::privateFolderNotice(); !notice.empty())
        prompt.show(
            rh::Message{rh::kAppTitle, notice, rh::MsgIcon::Exclamation, rh::MsgButtons::Ok});
    window.setStartupFile(file);

    rh::ui::SplashWindow splash(&window);
    // The command-line tournament loads once the window shows, so that its messages appear over
    // the window rather than behind the splash.
    QObject::connect(&splash, &rh::ui::SplashWindow::done, &window, [&window] {
        QTimer::singleShot(0, &window, [&window] { window.LoadStartupFile(); });
    });
    splash.ShowSplash();
    // Let the splash paint before the window reports ready.
    QElapsedTimer painting;
    painting.start();
    while (painting.elapsed() < 100)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    splash.ReadyToWork();
    return app.exec();
}
