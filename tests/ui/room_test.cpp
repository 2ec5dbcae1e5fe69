// What the window hands to the room: the wall page beside the standings page, "Share on the
// network" serving it to phones, "Export..." of the reports, and the path shown when no browser
// opens the pages.
#include "core/scripted_prompt.h"
#include "model_helpers.h"
#include "services/session.h"
#include "services/standings_page.h"
#include "services/wall_input.h"
#include "state/tournament_state.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"
#include "ui/presenters.h"
#include "ui/room_presenter.h"
#include "ui/tab_money.h"
#include "ui/tab_results.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sstream>

using rh::ui::MainWindow;
namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Fixture {
    rh::test::TempDir dir; // first: the session reads TMPDIR when it is made
    rh::ScriptedPrompt prompt;
    rh::Session session{prompt};
    MainWindow window{session};

    explicit Fixture(bool load = true) {
        rh::ui::installPresenters(window);
        window.setUrlOpener([](const QUrl&) { return false; }); // no browser here
        room().setLauncher([](const QString&, const QStringList&) { return false; });
        if (load) {
            prompt.openFiles.push_back(std::string(RANKHALL_SOURCE_DIR) + "/examples/demo.qmc");
            window.moneyTab()->cmdLoad->click();
            prompt.clear(); // what the load said is not ours to check
        }
    }
    rh::ui::RoomPresenter& room() { return *window.findChild<rh::ui::RoomPresenter*>(); }
    std::string lastMessage() const {
        const auto messages = prompt.messages();
        return messages.empty() ? std::string() : messages.back().text;
    }
};

/// GET http://127.0.0.1:port/ with the event loop running (the server lives on this thread).
QByteArray fetch(quint16 port, QNetworkReply::NetworkError* error) {
    QNetworkAccessManager net;
    QNetworkReply* reply =
        net.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port))));
    QSignalSpy done(reply, &QNetworkReply::finished);
    if (!done.wait(5000))
        return "(no answer)";
    *error = reply->error();
    const QByteArray body = reply->readAll();
    reply->deleteLater();
    return body;
}

} // namespace

class RoomTest : public QObject {
    Q_OBJECT
private slots:
    void theWallPageFollowsTheStandingsPage() {
        Fixture f;
        const fs::path wall = rh::wallPagePath(f.session);
        QCOMPARE(wall.parent_path(), fs::path(rh::standingsPagePath(f.session)).parent_path());
        QVERIFY(!fs::exists(wall));
        f.session.state().setScore(rh::test::rno(4), rh::test::eid(12), 9); // Lou Lopez
        f.window.notifyScoreStored();
        QVERIFY(fs::exists(rh::standingsPagePath(f.session)));
        const std::string page = readAll(wall);
        QVERIFY(page.find("Lou Lopez") != std::string::npos);
    }

    void sharingServesTheWallPageUntilSwitchedOff() {
        Fixture f;
        QCheckBox* share = f.window.moneyTab()->checkShare;
        QVERIFY(!share->isChecked());
        share->setChecked(true);
        rh::WallServer* server = f.room().server();
        QVERIFY(server && server->isListening());
        const quint16 port = server->port();
        QVERIFY(port >= rh::ui::kSharePort && port <= rh::ui::kSharePortLast);
        QCOMPARE(f.window.moneyTab()->lblShareAddress->text(), server->shareUrl());
        QVERIFY(!f.window.moneyTab()->lblShareQr->pixmap().isNull());

        QNetworkReply::NetworkError error = QNetworkReply::UnknownNetworkError;
        QByteArray body = fetch(port, &error);
        QCOMPARE(error, QNetworkReply::NoError);
        QVERIFY(body.contains("Lou Lopez"));
        QVERIFY(body.contains(server->shareUrl().toUtf8())); // the page shows where to find it
        // A score reaches the phones with the next publish.
        f.session.state().setScore(rh::test::rno(4), rh::test::eid(12), 9);
        f.window.notifyScoreStored();
        QCOMPARE(server->page(), QByteArray::fromStdString(readAll(rh::wallPagePath(f.session))));

        share->setChecked(false);
        QVERIFY(f.room().server() == nullptr);
        QVERIFY(f.window.moneyTab()->lblShareAddress->text().isEmpty());
        body = fetch(port, &error);
        QVERIFY(error != QNetworkReply::NoError);
    }

    void exportWritesTheChosenReport_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("standings csv") << 0 << "s.csv" << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("results csv") << 1 << "r.CSV" << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("treasurer pdf") << 2 << "t.pdf" << QByteArray("%PDF");
    }
    void exportWritesTheChosenReport() {
        QFETCH(int, kind);
        QFETCH(QString, file);
        QFETCH(QByteArray, start);
        Fixture f;
        rh::ui::ResultsTab& tab = *f.window.resultsTab();
        QVERIFY(tab.cmdExportResults->isEnabled());
        const fs::path path = f.dir / file.toStdString();
        f.prompt.saveFiles.push_back(path.string());
        tab.comboReportKind->setCurrentIndex(kind);
        tab.cmdExportResults->click();
        const std::string bytes = readAll(path);
        QVERIFY2(QByteArray::fromStdString(bytes).startsWith(start), bytes.substr(0, 8).c_str());
        QVERIFY(bytes.size() > 200);
        QVERIFY2(f.prompt.messages().empty(), f.lastMessage().c_str());

        f.prompt.saveFiles.push_back(""); // cancelled: nothing written, nothing said
        fs::remove(path);
        tab.cmdExportResults->click();
        QVERIFY(!fs::exists(path));
    }

    void commandsWaitForATournament() {
        Fixture f(false);
        QVERIFY(!f.window.resultsTab()->cmdExportResults->isEnabled());
        QVERIFY(!f.window.resultsTab()->cmdPrintResults->isEnabled());
        QVERIFY(!f.window.moneyTab()->cmdPrintSheets->isEnabled());
    }

    void noBrowserShowsThePagesPath() {
        Fixture f;
        f.window.findChild<QPushButton*>(QStringLiteral("cmdBrowser"))->click();
        const std::string standings = rh::standingsPagePath(f.session);
        QVERIFY(fs::exists(standings));
        QVERIFY2(f.lastMessage().find(standings) != std::string::npos, f.lastMessage().c_str());

        f.window.findChild<QPushButton*>(QStringLiteral("cmdWallScreen"))->click();
        const std::string wall = rh::wallPagePath(f.session);
        QVERIFY(fs::exists(wall));
        QVERIFY2(f.lastMessage().find(wall) != std::string::npos, f.lastMessage().c_str());
        QCOMPARE(int(f.prompt.messages().size()), 2);

        // With a browser the page opens and nothing is said.
        QList<QUrl> opened;
        f.window.setUrlOpener([&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        f.window.findChild<QPushButton*>(QStringLiteral("cmdWallScreen"))->click();
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(wall))});
        QCOMPARE(int(f.prompt.messages().size()), 2);
    }
};

QTEST_MAIN(RoomTest)
#include "room_test.moc"
