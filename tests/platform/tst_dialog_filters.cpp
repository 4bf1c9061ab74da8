#include "platform/Dialogs.h"

#include <QTest>

class TestDialogFilters : public QObject {
    Q_OBJECT
private slots:
    void filtersBecomeQtFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qtFilter");
        QTest::newRow("patterns already named") << "Bitmaps (*.bmp)|*.bmp"
                                                << "Bitmaps (*.bmp)";
        QTest::newRow("patterns added") << "Teksty|*.txt"
                                        << "Teksty (*.txt)";
        QTest::newRow("two patterns, two choices")
            << "Pliki wykonywalne (*.exe; *.bat)|*.exe; *.bat|Wszystkie pliki (*.*)|*.*"
            << "Pliki wykonywalne (*.exe; *.bat) (*.exe *.bat);;Wszystkie pliki (*.*) (*)";
        // On the original platform "*.*" takes names without a dot as well.
        QTest::newRow("every file") << "Wszystkie pliki (*.*)|*.*"
                                    << "Wszystkie pliki (*.*) (*)";
        QTest::newRow("every file among others") << "Menu|*.ini;*.*"
                                                 << "Menu (*.ini *)";
    }
    void filtersBecomeQtFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qtFilter);
        QCOMPARE(platform::toQtFilter(filter), qtFilter);
    }
};

QTEST_GUILESS_MAIN(TestDialogFilters)
#include "tst_dialog_filters.moc"
