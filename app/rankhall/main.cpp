// rankhall: the tournament director's window.
#include "services/session.h"
#include "ui/main_window.h"
#include "ui/presenters.h"
#include "ui/qt_prompt.h"
#include "ui/splash.h"
#include "ui/version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rankhall"));
    QApplication::setApplicationVersion(rh::ui::versionText().mid(8));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs a Euchre tournament: scores, standings, payouts and the clock."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Tournament file (.QMC) to open at start-up."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);

    rh::ui::QtPrompt prompt;
    rh::Session session(prompt);
    // Money is shown in the system's currency (Qt has set the C library's locale from the
    // environment by now).
    session.currency = rh::CurrencyFormat::fromCLocale();

    // The window loads hidden; the splash shows it when both are ready.
    rh::ui::MainWindow window(session);
    rh::ui::installPresenters(window);
    prompt.setParentWidget(&window);
    if (!parser.positionalArguments().isEmpty())
        window.setStartupFile(parser.positionalArguments().constFirst());

    rh::ui::SplashWindow splash(&window);
    splash.ShowSplash();
    // Let the splash paint before the window reports ready.
    QElapsedTimer painting;
    painting.start();
    while (painting.elapsed() < 100)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    splash.ReadyToWork();
    return app.exec();
}
