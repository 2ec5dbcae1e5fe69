#include "ui/room/room_presenter.h"

#include "core/text.h"
#include "net/qr_code.h"
#include "print/page.h"
#include "print/reports.h"
#include "print/sheet_builder.h"
#include "print/sheets.h"
#include "publishing/wall_page.h"
#include "services/csv_export.h"
#include "services/report_rows.h"
#include "services/session.h"
#include "services/standings_page.h"
#include "services/wall_input.h"
#include "ui/dashboard/dashboard.h"
#include "ui/money/tab_money.h"
#include "ui/results/tab_results.h"
#include "ui/shell/main_flow.h"
#include "ui/shell/main_window.h"
#include "ui/shell/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

namespace rh::ui {

namespace {

constexpr const char* kExportTitle = "Export Report";

/// The paper of the place: US Letter where inches are used, else A4.
print::Paper localPaper() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? print::Paper::Letter
                                                                              : print::Paper::A4;
}

/// The document in a print preview; the printer's own page layout is used.
void previewDocument(QWidget* parent, const print::Document& document) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(print::pageLayout(localPaper()));
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* target) {
                         QPainter painter(target);
                         print::paintDocument(painter, target->pageLayout(), document);
                     });
    dialog.exec();
}

std::unique_ptr<print::Document> reportDocument(Session& session, ReportKind kind) {
    switch (kind) {
    case ReportKind::Standings:
        return std::make_unique<print::ReportDocument>(
            print::standingsDocument(standingsReport(session)));
    case ReportKind::Treasurer:
        return std::make_unique<print::ReportDocument>(
            print::treasurerDocument(treasurerReport(session)));
    case ReportKind::Results:
        break;
    }
    return std::make_unique<print::ReportDocument>(print::resultsDocument(resultsReport(session)));
}

std::string reportCsv(Session& session, ReportKind kind) {
    switch (kind) {
    case ReportKind::Standings:
        return standingsCsv(standingsReport(session));
    case ReportKind::Treasurer:
        return treasurerCsv(treasurerReport(session));
    case ReportKind::Results:
        break;
    }
    return resultsCsv(resultsReport(session));
}

const char* reportFileWord(ReportKind kind) {
    switch (kind) {
    case ReportKind::Standings:
        return "standings";
    case ReportKind::Treasurer:
        return "treasurer";
    case ReportKind::Results:
        break;
    }
    return "results";
}

/// Writes the bytes as the file's whole content, atomically. On failure `error` says why.
bool writeFileAtomically(const QString& path, const std::string& bytes, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

QImage qrCodeImage(const QString& text, int scale) {
    const QrModules modules = qrCodeModules(ss(text));
    if (modules.width == 0 || scale < 1)
        return {};
    constexpr int kQuiet = 4;
    const int side = (modules.width + 2 * kQuiet) * scale;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < modules.width; ++y)
        for (int x = 0; x < modules.width; ++x)
            if (modules.at(x, y))
                painter.fillRect((x + kQuiet) * scale, (y + kQuiet) * scale, scale, scale,
                                 Qt::black);
    return image;
}

RoomPresenter::RoomPresenter(MainWindow& window)
    : QObject(&window), m_window(window),
      m_launch([](const QString& program, const QStringList& arguments) {
          return QProcess::startDetached(program, arguments);
      }) {
    setObjectName(QStringLiteral("roomPresenter"));
    MoneyTab& money = *window.moneyTab();
    ResultsTab& results = *window.resultsTab();
    connect(&window, &MainWindow::standingsPagePublished, this, &RoomPresenter::publishWallPage);
    connect(window.dashboard()->cmdWallScreen, &QPushButton::clicked, this,
            &RoomPresenter::showWallScreen);
    connect(money.checkShare, &QCheckBox::toggled, this, &RoomPresenter::setSharing);
    connect(results.cmdPrintResults, &QPushButton::clicked, this, &RoomPresenter::printResults);
    connect(results.cmdExportResults, &QPushButton::clicked, this, [this, &results] {
        exportReport(static_cast<ReportKind>(std::max(0, results.comboReportKind->currentIndex())));
    });
    connect(money.cmdPrintSheets, &QPushButton::clicked, this, &RoomPresenter::printSheets);
    connect(&window, &MainWindow::tournamentLoaded, this, [this] { enableCommands(true); });
    connect(&window, &MainWindow::tournamentReset, this, [this] { enableCommands(false); });
    enableCommands(false);
}

RoomPresenter::~RoomPresenter() = default;

void RoomPresenter::enableCommands(bool loaded) {
    ResultsTab& results = *m_window.resultsTab();
    results.cmdPrintResults->setEnabled(loaded);
    results.cmdExportResults->setEnabled(loaded);
    results.comboReportKind->setEnabled(loaded);
    m_window.moneyTab()->cmdPrintSheets->setEnabled(loaded);
}

bool RoomPresenter::publishWallPage() {
    Session& session = m_window.session();
    if (!session.isLoaded())
        return false;
    WallInput input = wallInput(session, QDateTime::currentMSecsSinceEpoch());
    if (m_server && m_server->isListening()) {
        input.shareAddress = ss(m_server->shareUrl());
        input.qrSvg = qrCodeSvg(input.shareAddress);
    }
    const std::string page = buildWallPage(input);
    if (m_server)
        m_server->setPage(QByteArray::fromStdString(page));
    return writeStandingsPage(session, wallPagePath(session), page);
}

QScreen* RoomPresenter::wallScreen() const {
    const QScreen* own = m_window.screen();
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != own)
            return screen;
    return nullptr;
}

bool RoomPresenter::showWallScreen() {
    Session& session = m_window.session();
    if (!session.isLoaded())
        return false;
    const QString path = qs(wallPagePath(session));
    if (!QFileInfo::exists(path))
        publishWallPage();
    if (!QFileInfo::exists(path)) {
        session.prompt().show(fileMissingMessage(session));
        return false;
    }
    const QString url = QUrl::fromLocalFile(path).toString();
    bool opened = false;
    if (const QScreen* screen = wallScreen()) {
        const QRect where = screen->geometry();
        for (const char* name : {"chromium", "chromium-browser", "google-chrome"}) {
            const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (program.isEmpty())
                continue;
            opened = m_launch(
                program, {QStringLiteral("--kiosk"), QStringLiteral("--app=") + url,
                          QStringLiteral("--window-position=%1,%2").arg(where.x()).arg(where.y())});
            if (opened)
                break;
        }
        if (!opened) {
            const QString firefox = QStandardPaths::findExecutable(QStringLiteral("firefox"));
            if (!firefox.isEmpty())
                opened = m_launch(firefox, {QStringLiteral("--kiosk"), url});
        }
    }
    if (!opened)
        opened = m_window.openUrl(QUrl(url));
    if (!opened)
        session.prompt().show(noBrowserMessage(ss(path)));
    return opened;
}

bool RoomPresenter::setSharing(bool on) {
    MoneyTab& money = *m_window.moneyTab();
    if (!on) {
        m_server.reset();
        showShareAddress();
        return true;
    }
    if (!m_server)
        m_server = std::make_unique<WallServer>();
    bool listening = false;
    for (quint16 port = kSharePort; port <= kSharePortLast && !listening; ++port)
        listening = m_server->listen(QHostAddress(QHostAddress::AnyIPv4), port);
    if (!listening) {
        const std::string why = ss(m_server->errorString());
        m_server.reset();
        m_window.session().prompt().show(
            Message{kAppTitle,
                    "The wall screen cannot be shared: no port from " + std::to_string(kSharePort) +
                        " to " + std::to_string(kSharePortLast) + " is free (" + why + ").",
                    MsgIcon::Exclamation, MsgButtons::Ok});
        const QSignalBlocker block(money.checkShare);
        money.checkShare->setChecked(false);
        showShareAddress();
        return false;
    }
    showShareAddress();
    // The page shows the address too; before a tournament is loaded it is an empty wall.
    if (!publishWallPage())
        m_server->setPage(QByteArray::fromStdString(buildWallPage(WallInput{})));
    return true;
}

void RoomPresenter::showShareAddress() {
    MoneyTab& money = *m_window.moneyTab();
    if (!m_server || !m_server->isListening()) {
        money.lblShareAddress->clear();
        money.lblShareQr->clear();
        money.lblShareQr->hide();
        return;
    }
    const QString url = m_server->shareUrl();
    money.lblShareAddress->setText(url);
    const QImage qr = qrCodeImage(url, 3);
    money.lblShareQr->setPixmap(
        QPixmap::fromImage(qr).scaled(money.lblShareQr->size(), Qt::KeepAspectRatio));
    money.lblShareQr->show();
}

void RoomPresenter::printResults() {
    Session& session = m_window.session();
    if (!session.isLoaded())
        return;
    const std::unique_ptr<print::Document> document = reportDocument(session, ReportKind::Results);
    previewDocument(&m_window, *document);
}

bool RoomPresenter::exportReport(ReportKind kind) {
    Session& session = m_window.session();
    if (!session.isLoaded())
        return false;
    FileDialogSpec fileDialog;
    fileDialog.title = kExportTitle;
    fileDialog.filter = "CSV Files (*.csv)|*.csv|PDF Files (*.pdf)|*.pdf";
    fileDialog.defaultExtension = "csv";
    fileDialog.initialPath = session.tourney().TourneyCode() + "-" + reportFileWord(kind) + ".csv";
    fileDialog.confirmOverwrite = true;
    fileDialog.pathMustExist = true;
    const QString path = qs(session.prompt().chooseSaveFile(fileDialog));
    if (path.isEmpty())
        return false;
    QString error;
    bool written = false;
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        written = print::writePdf(path, localPaper(), *reportDocument(session, kind), &error);
    else
        written = writeFileAtomically(path, reportCsv(session, kind), error);
    if (!written)
        session.prompt().show(Message{
            kExportTitle, "The report could not be written to " + ss(path) + ": " + ss(error),
            MsgIcon::Critical, MsgButtons::Ok});
    return written;
}

void RoomPresenter::printSheets() {
    Session& session = m_window.session();
    if (!session.isLoaded())
        return;
    const print::SheetData data = print::sheetData(session.state());
    print::DocumentSet sheets;
    sheets.add(std::make_unique<print::ScoreCardsDocument>(data));
    sheets.add(std::make_unique<print::SeatingChartsDocument>(data));
    sheets.add(std::make_unique<print::TableCardsDocument>(data));
    previewDocument(&m_window, sheets);
}

} // namespace rh::ui
