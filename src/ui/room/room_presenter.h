#pragma once
// RoomPresenter: what the window shows and hands out to the room beyond its own screen.
//
//  - The wall page, rewritten beside the standings page each time that page is published (and
//    handed to the phones' server when sharing is on).
//  - "Wall Screen": the wall page full-screen on the second screen (a browser in kiosk mode),
//    else in the ordinary browser; when nothing opens, the page's path is shown.
//  - "Share on the network": a WallServer on every address, port kSharePort or the next free one
//    up to kSharePortLast, its address and QR code beside the check box. Off stops it.
//  - "Print..." and "Export..." of the reports on the Results tab, "Print Sheets..." on the Load /
//    Money tab, all disabled while no tournament is loaded.
//
// Ownership: a child of the window, created by installPresenters; it owns the server.

#include "core/prompt.h"
#include "net/wall_server.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class QScreen;

namespace rh::ui {

class MainWindow;

/// The first port the phones' server tries, and the last.
inline constexpr quint16 kSharePort = 8080;
inline constexpr quint16 kSharePortLast = 8099;

/// The QR code of the text drawn module by module (a quiet zone of four), each module `scale`
/// pixels. A null image when the text cannot be encoded.
QImage qrCodeImage(const QString& text, int scale);

/// The reports "Export..." writes, in the order of comboReportKind.
enum class ReportKind { Standings, Results, Treasurer };

class RoomPresenter : public QObject {
    Q_OBJECT
public:
    explicit RoomPresenter(MainWindow& window);
    ~RoomPresenter() override;

    /// Starts a program without waiting for it; true when it started (tests replace it).
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;
    void setLauncher(Launcher launcher) { m_launch = std::move(launcher); }

    /// Rewrites the wall page beside the standings page and hands it to the server. True when
    /// the file was written.
    bool publishWallPage();
    /// "Wall Screen". True when something opened the page.
    bool showWallScreen();
    /// "Share on the network" switched on or off. True when the server listens (on) or stopped.
    bool setSharing(bool on);
    WallServer* server() const { return m_server.get(); }

    /// "Print..." on the Results tab: the results report in a print preview.
    void printResults();
    /// "Export...": the chosen report as CSV or PDF (by the file's extension) at the path the save
    /// dialog gave. True when written.
    bool exportReport(ReportKind kind);
    /// "Print Sheets...": the score cards, seating charts and table cards in a print preview.
    void printSheets();

private:
    void enableCommands(bool loaded);
    void showShareAddress();
    /// The screen the wall goes on: another screen than the window's, else null.
    QScreen* wallScreen() const;

    MainWindow& m_window;
    std::unique_ptr<WallServer> m_server;
    Launcher m_launch;
};

} // namespace rh::ui
