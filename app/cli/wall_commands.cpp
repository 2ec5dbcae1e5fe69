#include "wall_commands.h"

#include "cli_support.h"
#include "publishing/html.h"
#include "publishing/wall_page.h"
#include "services/session.h"
#include "services/standings_page.h"
#include "services/wall_input.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#ifdef RANKHALL_WITH_NET
#include "net/qr_code.h"
#include "net/wall_server.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>
#endif

namespace rh::cli {

namespace {

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

int runWallHtml(const std::string& file, const std::string& outPath) {
    ScriptedPrompt prompt;
    Session session(prompt);
    if (!loadForViews(session, prompt, file)) {
        printMessages(prompt, stderr);
        std::fprintf(stderr, "not loaded: %s\n", file.c_str());
        return kFailed;
    }
    const std::string path = outPath.empty() ? wallPagePath(session) : outPath;
    const bool written =
        writeStandingsPage(session, path, buildWallPage(wallInput(session, nowMs())));
    printMessages(prompt, stderr);
    if (!written)
        return kFailed;
    if (outPath.empty())
        std::printf("%s\n", path.c_str());
    return kDone;
}

#ifdef RANKHALL_WITH_NET
/// Loads the file for the views and builds its wall input; nothing when it does not load (the
/// load's messages then went to stderr).
std::optional<WallInput> loadWall(const std::string& file) {
    ScriptedPrompt prompt;
    Session session(prompt);
    if (!loadForViews(session, prompt, file)) {
        printMessages(prompt, stderr);
        std::fprintf(stderr, "not loaded: %s\n", file.c_str());
        return std::nullopt;
    }
    WallInput input = wallInput(session, nowMs());
    printMessages(prompt, stderr);
    return input;
}

struct ServeOptions {
    std::string file;
    int port = 0;
    std::string bind = "127.0.0.1";
};

/// The file's size and time of change, to notice a new save.
QString fileStamp(const std::string& file) {
    QFileInfo info(QString::fromStdString(file));
    return QString::number(info.size()) + QLatin1Char('@') +
           QString::number(info.lastModified().toMSecsSinceEpoch());
}

int runServe(const ServeOptions& options) {
    const QHostAddress address(QString::fromStdString(options.bind));
    if (address.isNull()) {
        std::fprintf(stderr, "rankhall-cli: --bind: not an IP address: %s\n", options.bind.c_str());
        return kUsage;
    }

    // SIGINT and SIGTERM end the event loop through a descriptor the loop watches, so the server
    // closes its sockets and the program exits normally.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    const int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC | SFD_NONBLOCK);
    if (stopFd < 0) {
        std::perror("rankhall-cli: signalfd");
        return kFailed;
    }

    int argc = 1;
    char name[] = "rankhall-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    std::optional<WallInput> input = loadWall(options.file);
    if (!input) {
        ::close(stopFd);
        return kFailed;
    }
    WallServer server;
    if (!server.listen(address, static_cast<quint16>(options.port))) {
        std::fprintf(stderr, "rankhall-cli: cannot listen on %s port %d: %s\n",
                     options.bind.c_str(), options.port, server.errorString().toUtf8().constData());
        ::close(stopFd);
        return kFailed;
    }
    const std::string url = server.shareUrl().toStdString();
    const std::string qr = qrCodeSvg(url);
    auto publish = [&](WallInput in) {
        in.shareAddress = url;
        in.qrSvg = qr;
        server.setPage(QByteArray::fromStdString(buildWallPage(in)));
    };
    publish(*input);
    std::printf("%s\n", url.c_str());
    std::fflush(stdout);

    // A new save of the file is served as soon as it is noticed; a file that does not load (a
    // save in progress) leaves the last page in place.
    QString stamp = fileStamp(options.file);
    QTimer follow;
    QObject::connect(&follow, &QTimer::timeout, [&] {
        const QString now = fileStamp(options.file);
        if (now == stamp)
            return;
        stamp = now;
        if (std::optional<WallInput> fresh = loadWall(options.file))
            publish(*fresh);
    });
    follow.start(2000);

    QSocketNotifier stopNotifier(stopFd, QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, [&] {
        signalfd_siginfo info;
        while (::read(stopFd, &info, sizeof info) > 0) {
        }
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    server.close();
    ::close(stopFd);
    return kDone;
}
#endif

} // namespace

void addWallCommands(CLI::App& app, CLI::App& html, std::function<int()>& command) {
    auto wall = std::make_shared<bool>(false);
    html.add_flag("--wall", *wall,
                  "Write the wall screen (large standings for the room, "
                  "paging by itself) instead of the standings page; "
                  "into the temporary folder as Quillmark<code>-wall.html "
                  "unless -o names the file");
    // The html command's own callback has chosen the standings page by now; the application's
    // callback runs after it and takes the command over for the wall screen.
    app.final_callback([&command, &html, wall] {
        if (!html.parsed() || !*wall)
            return;
        const std::string file = html.get_option("FILE")->as<std::string>();
        const CLI::Option* out = html.get_option("--output");
        const std::string outPath = out->count() ? out->as<std::string>() : std::string();
        command = [file, outPath] { return runWallHtml(file, outPath); };
    });

#ifdef RANKHALL_WITH_NET
    auto options = std::make_shared<ServeOptions>();
    auto* serve = app.add_subcommand(
        "serve", "Serve the wall screen of a tournament file to phones on the local network "
                 "(GET / only), print its address and run until interrupted; a new save of the "
                 "file is served as soon as it is noticed");
    serve->add_option("FILE", options->file, "Tournament file (.QMC, plain or masked)")->required();
    serve->add_option("--port", options->port, "Port to listen on (0: any free port)")
        ->required()
        ->check(CLI::Range(0, 65535));
    serve->add_option("--bind", options->bind,
                      "Address to listen on (default 127.0.0.1, this computer only; 0.0.0.0 "
                      "for every network)");
    serve->callback([&command, options] { command = [options] { return runServe(*options); }; });
#endif
}

} // namespace rh::cli
