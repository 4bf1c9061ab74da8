#include "platform/ListBox.h"

#include <QScrollBar>
#include <QTest>

class TestListBox : public QObject {
    Q_OBJECT
private slots:
    void appendingKeepsTheViewWhereTheUserLeftIt()
    {
        platform::ListBox list;
        list.setItemHeight(15);
        list.resize(200, 15 * 4 + 2 * list.frameWidth());
        list.show();
        for (int i = 0; i < 10; ++i)
            list.addItem(QString::number(i));
        QCOMPARE(list.count(), 10);
        QCOMPARE(list.topIndex(), 0);
        QCOMPARE(list.verticalScrollBar()->maximum(), 6);

        list.verticalScrollBar()->setValue(3);
        list.addItem(QStringLiteral("10"));
        QCOMPARE(list.topIndex(), 3);
        QCOMPARE(list.item(10), QStringLiteral("10"));
    }

    void selectionFollowsKeysAndStaysInView()
    {
        platform::ListBox list;
        list.setItemHeight(15);
        list.resize(200, 15 * 4 + 2 * list.frameWidth());
        list.show();
        for (int i = 0; i < 10; ++i)
            list.addItem(QString::number(i));
        QTest::keyClick(&list, Qt::Key_End);
        QCOMPARE(list.currentRow(), 9);
        QCOMPARE(list.topIndex(), 6);
        QTest::keyClick(&list, Qt::Key_Home);
        QCOMPARE(list.currentRow(), 0);
        QCOMPARE(list.topIndex(), 0);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(5, 15 * 2 + 3));
        QCOMPARE(list.currentRow(), 2);

        list.clear();
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.currentRow(), -1);
        QCOMPARE(list.verticalScrollBar()->maximum(), 0);
        QCOMPARE(list.item(0), QString());
    }
};

QTEST_MAIN(TestListBox)
#include "tst_list_box.moc"
