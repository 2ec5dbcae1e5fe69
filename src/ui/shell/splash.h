#pragma once
// frmSplash: shown at start-up while the main window initialises. It stays on top, centred on the
// screen, and closes itself once it has been visible for its minimum time (SplashTimer, 2000 ms)
// and the main window has reported ready (ReadyToWork), whichever is later; closing it shows the
// main window, which is never visible while the splash is.

#include <QPointer>
#include <QWidget>

class QLabel;
class QTimer;

namespace rh::ui {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimumMs = 2000;

    /// `mainWindow` is shown when the splash finishes.
    explicit SplashWindow(QWidget* mainWindow);

    QLabel* imgLogo;
    QLabel* lblVersion;
    QLabel* lblPlatform;
    QLabel* lblCompanyProduct;
    QLabel* lblProductName;
    QLabel* lblCompany;
    QLabel* lblCopyright;
    QTimer* SplashTimer;

    bool timerElapsed() const { return m_elapsed; }
    bool mainReady() const { return m_ready; }
    bool finished() const { return m_finished; }

public slots:
    /// Starts the minimum time, centres the window on the screen, keeps it on top, shows it.
    void ShowSplash();
    /// The main window is ready; finishes when the minimum time is already over.
    void ReadyToWork();
    /// The minimum time is over; finishes when the main window is already ready.
    void SplashTimerTick();

signals:
    void done();

private:
    void finish();

    QPointer<QWidget> m_main;
    bool m_elapsed = false;
    bool m_ready = false;
    bool m_finished = false;
};

/// The platform's name for the splash ("Linux", "macOS", ...).
QString platformName();

} // namespace rh::ui
