#include "RecordingDialogs.h"
#include "db/DbError.h"
#include "startup/QuorvelApplication.h"
#include "startup/RunTimeError.h"

#include <QTest>

namespace {

// Throws an engine error from its event handler, as a command without a handler of its
// own would.
class Failing : public QObject
{
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw DbError(DbError::UnknownTable, QStringLiteral("no such table: CUINFO"));
        return QObject::event(event);
    }
};

} // namespace

class TestQuorvelApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void engineErrorEndsWithTheReport_data()
    {
        QTest::addColumn<bool>("posted");
        QTest::newRow("sent") << false;
        QTest::newRow("posted through the event loop") << true;
    }
    void engineErrorEndsWithTheReport()
    {
        QFETCH(bool, posted);
        RecordingDialogs dialogs;
        Failing target;
        if (posted) {
            QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
            QCoreApplication::processEvents();
        } else {
            QEvent event(QEvent::User);
            QCoreApplication::sendEvent(&target, &event);
        }
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.lastMessage().text,
                 QStringLiteral("Run-time error '-2147217865':\n\nno such table: CUINFO"));
        QCOMPARE(dialogs.lastMessage().title, QStringLiteral("Quorvel"));
        QVERIFY(dialogs.lastMessage().icon == Dialogs::Icon::Critical);
        QCOMPARE(dialogs.endProgramCalls(), 1);
        QCOMPARE(dialogs.lastExitCode(), 1);
    }
};

int main(int argc, char* argv[])
{
    QuorvelApplication app(argc, argv);
    TestQuorvelApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestQuorvelApplication.moc"
