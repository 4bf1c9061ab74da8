// The desktop side of the dialog seam, with Qt's real dialogs: each test answers the dialog from
// a timer, as a user would, once it has opened.
#include "platform/Dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Runs `answer` on the modal dialog of type Dialog as soon as it is open.
template <typename Dialog> void whenOpen(const std::function<void(Dialog*)>& answer)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(10);
}

} // namespace

class TestDesktopDialogs : public QObject {
    Q_OBJECT
private slots:
    void messageBoxesShowTheirTextAsTyped_data()
    {
        QTest::addColumn<bool>("question");
        QTest::newRow("message") << false;
        QTest::newRow("yes or no") << true;
    }
    void messageBoxesShowTheirTextAsTyped()
    {
        QFETCH(bool, question);
        const QString text = QStringLiteral("'<b>1</b> & <i>2</i>' is not a valid integer value.");
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        whenOpen<QMessageBox>([&](QMessageBox* box) {
            if (const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                shown = label->text();
                format = label->textFormat();
            }
            box->done(QMessageBox::No);
        });
        if (question)
            platform::dialogs().askYesNo(QStringLiteral("Kavrino"), text, platform::MessageIcon::Question);
        else
            platform::dialogs().showMessage(QStringLiteral("Kavrino"), text, platform::MessageIcon::Error);
        QCOMPARE(shown, text);
        QCOMPARE(format, Qt::PlainText);
    }

    // A name typed without an extension takes that of the file type chosen in the dialog.
    void savePictureAddsTheChosenTypesExtension_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bitmap, the default") << -1 << "rysunek.bmp";
        QTest::newRow("PNG chosen") << 1 << "rysunek.png";
        QTest::newRow("bitmap chosen again") << 0 << "rysunek.bmp";
    }
    void savePictureAddsTheChosenTypesExtension()
    {
        QFETCH(int, type);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        whenOpen<QFileDialog>([&](QFileDialog* dialog) {
            // The arrow keys on the type box, as a user chooses.
            if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")); types && type >= 0) {
                QTest::keyClick(types, Qt::Key_Down);
                if (type == 0)
                    QTest::keyClick(types, Qt::Key_Up);
            }
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name->setText(QStringLiteral("rysunek"));
            static_cast<QDialog*>(dialog)->accept(); // as the dialog's own button does
        });
        const std::optional<QString> chosen = platform::dialogs().savePicture({ QString(),
            QStringLiteral("Bitmaps (*.bmp)|*.bmp|PNG (*.png)|*.png"), QStringLiteral("bmp"), dir.filePath("*.bmp") });
        QVERIFY(chosen);
        QCOMPARE(*chosen, dir.filePath(expected));
    }
};

QTEST_MAIN(TestDesktopDialogs)
#include "tst_desktop_dialogs.moc"
