// rankhall: the tournament director's window.
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rankhall"));
    rh::ui::MainWindow window;
    window.show();
    return app.exec();
}
