#include "ui/main_window.h"

#include <QTabWidget>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTitleAndSevenTabs() {
        rh::ui::MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Shuffle Up and Deal Again"));
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabMain"));
        QVERIFY(tabs);
        const QStringList expected = {
            QStringLiteral("Load / Money"), QStringLiteral("Timer"),   QStringLiteral("Scores"),
            QStringLiteral("Leaders"),      QStringLiteral("Results"), QStringLiteral("Details"),
            QStringLiteral("Alias")};
        QCOMPARE(tabs->count(), expected.size());
        for (int i = 0; i < tabs->count(); ++i)
            QCOMPARE(tabs->tabText(i), expected.at(i));
        QCOMPARE(tabs->currentIndex(), 0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
