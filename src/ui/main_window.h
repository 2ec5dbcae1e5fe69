#pragma once
// frmMain: the program's one long-lived window. A dashboard on top, seven tabs below. The window
// holds no tournament logic: its controls forward to the application services of the Session.

#include <QMainWindow>

class QTabWidget;

namespace rh::ui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }

private:
    QTabWidget* m_tabs = nullptr;
};

} // namespace rh::ui
