#include "platform/Application.h"
#include "platform/ErrorReport.h"
#include "platform/Errors.h"
#include "support/ScriptedDialogs.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// Stands in for a form: its handlers throw or record what reached them.
class Receiver : public QObject {
public:
    int calls = 0;
    int lastValue = 0;
    void failing()
    {
        ++calls;
        throw platform::ConvertError(QStringLiteral("abc"));
    }
    void takingValue(int value)
    {
        ++calls;
        lastValue = value;
    }
    void ignoringArguments() { ++calls; }
};

class ValueSender : public QObject {
    Q_OBJECT
signals:
    void valueChanged(int value);
};

} // namespace

class TestErrorReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Application::setTitle(QStringLiteral("Kavrino")); }

    void fullStopRule_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter gets a stop") << "Invalid floating point operation" << "Invalid floating point operation.";
        QTest::newRow("quote gets none") << "'abc' is not a valid integer value" << "'abc' is not a valid integer value.";
        QTest::newRow("exclamation stays") << "Wybierz procedurę!" << "Wybierz procedurę!";
        QTest::newRow("stop stays") << "Done." << "Done.";
        QTest::newRow("closing parenthesis stays") << "Unknown picture file extension (.txt)"
                                                  << "Unknown picture file extension (.txt)";
        QTest::newRow("digit gets a stop") << "Error 5" << "Error 5.";
        QTest::newRow("Polish letter gets a stop") << "Błąd" << "Błąd.";
        QTest::newRow("empty stays empty") << "" << "";
    }
    void fullStopRule()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(platform::errorReportText(message), shown);
    }

    void guardedHandlerReportsAndTheProgramGoesOn()
    {
        testing::ScriptedDialogs dialogs;
        QPushButton button;
        Receiver receiver;
        platform::connectGuarded(&button, &QPushButton::clicked, &receiver, &Receiver::failing);

        button.click();
        button.click();

        QCOMPARE(receiver.calls, 2);
        QCOMPARE(dialogs.errors(),
                 QStringList({"'abc' is not a valid integer value.", "'abc' is not a valid integer value."}));
        const testing::ShownDialog& box = dialogs.shown().constFirst();
        QCOMPARE(box.caption, QStringLiteral("Kavrino"));
        QCOMPARE(box.icon, platform::MessageIcon::Error);
    }

    void guardedConnectPassesArgumentsOnOrDropsThem()
    {
        ValueSender sender;
        Receiver receiver;
        platform::connectGuarded(&sender, &ValueSender::valueChanged, &receiver, &Receiver::takingValue);
        platform::connectGuarded(&sender, &ValueSender::valueChanged, &receiver, &Receiver::ignoringArguments);
        emit sender.valueChanged(42);
        QCOMPARE(receiver.calls, 2);
        QCOMPARE(receiver.lastValue, 42);
    }

    void foreignExceptionsAreReportedToo()
    {
        testing::ScriptedDialogs dialogs;
        platform::runGuarded([] { throw std::runtime_error("disk full"); });
        QCOMPARE(dialogs.errors(), QStringList{"disk full."});
    }
};

QTEST_MAIN(TestErrorReport)
#include "tst_error_report.moc"
