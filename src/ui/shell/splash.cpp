#include "ui/shell/splash.h"

#include "ui/shell/version.h"
#include "ui/shell/visuals.h"
#include "ui/shell/widgets.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>
#include <QVBoxLayout>

namespace rh::ui {

QString platformName() {
    const QString kernel = QSysInfo::kernelType();
    if (kernel == QStringLiteral("linux"))
        return QStringLiteral("Linux");
    const QString product = QSysInfo::productType();
    if (product == QStringLiteral("macos") || product == QStringLiteral("osx"))
        return QStringLiteral("macOS");
    if (product == QStringLiteral("windows"))
        return QStringLiteral("Windows");
    const QString pretty = QSysInfo::prettyProductName();
    return pretty.isEmpty() ? kernel : pretty;
}

SplashWindow::SplashWindow(QWidget* mainWindow)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_main(mainWindow) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("Rankhall"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(250, 250, 245));
    setPalette(pal);

    imgLogo = makeLabel(this, "imgLogo");
    imgLogo->setPixmap(rankhallLogo(160));
    lblCompanyProduct = makeLabel(this, "lblCompanyProduct", "Rankhall");
    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 2.6);
    title.setBold(true);
    lblCompanyProduct->setFont(title);
    lblProductName = makeLabel(this, "lblProductName", "Euchre Tournament Director");
    QFont sub = font();
    sub.setPointSizeF(sub.pointSizeF() * 1.4);
    lblProductName->setFont(sub);
    lblVersion = makeLabel(this, "lblVersion", "Version x.y.z");
    lblVersion->setText(versionText());
    lblPlatform = makeLabel(this, "lblPlatform");
    lblPlatform->setText(platformName());
    lblCompany = makeLabel(this, "lblCompany", "Made by the Rankhall developers");
    lblCopyright = makeLabel(this, "lblCopyright", "Scores, standings, payouts and the clock");

    auto* text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(lblCompanyProduct);
    text->addWidget(lblProductName);
    text->addSpacing(10);
    text->addWidget(lblVersion);
    text->addWidget(lblPlatform);
    text->addStretch(1);
    text->addWidget(lblCompany);
    text->addWidget(lblCopyright);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(24, 24, 24, 24);
    l->setSpacing(24);
    l->addWidget(imgLogo, 0, Qt::AlignTop);
    l->addLayout(text, 1);
    setFixedSize(sizeHint().expandedTo(QSize(560, 240)));

    SplashTimer = new QTimer(this);
    SplashTimer->setObjectName(QStringLiteral("SplashTimer"));
    SplashTimer->setSingleShot(true);
    connect(SplashTimer, &QTimer::timeout, this, &SplashWindow::SplashTimerTick);
}

void SplashWindow::ShowSplash() {
    SplashTimer->setInterval(kMinimumMs);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    if (m_main)
        m_main->hide();
    show();
    raise();
    SplashTimer->start();
}

void SplashWindow::ReadyToWork() {
    m_ready = true;
    if (m_elapsed)
        finish();
}

void SplashWindow::SplashTimerTick() {
    m_elapsed = true;
    SplashTimer->stop();
    if (m_ready)
        finish();
}

void SplashWindow::finish() {
    if (m_finished)
        return;
    m_finished = true;
    // Close first: the main window never shows while the splash does.
    close();
    if (m_main)
        m_main->show();
    emit done();
}

} // namespace rh::ui
