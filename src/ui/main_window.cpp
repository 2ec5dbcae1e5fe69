#include "ui/main_window.h"

#include "core/tourney.h"

#include <QTabWidget>
#include <QWidget>

namespace rh::ui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    const QString title = QString::fromUtf8(CTourney::kDefaultTitle);
    setWindowTitle(title);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabMain"));
    const char* captions[] = {"Load / Money", "Timer", "Scores", "Leaders",
                              "Results", "Details", "Alias"};
    for (const char* caption : captions)
        m_tabs->addTab(new QWidget(m_tabs), QString::fromUtf8(caption));
    setCentralWidget(m_tabs);
    resize(1280, 800);
}

} // namespace rh::ui
