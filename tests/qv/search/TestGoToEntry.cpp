#include "search/GoToEntry.h"

#include <QTest>

// What the go-to dialog makes of an entry.
class TestGoToEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checksTheEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("position"); // -1: refused, with the message
        QTest::addColumn<QString>("message");
        const QString check = QStringLiteral("Please check your entry and try again.");
        const QString maximum =
            QStringLiteral("The maximum number of Quorvel articles is: %1\r\n") + check;
        QTest::newRow("last") << "25" << 25 << 25 << QString();
        QTest::newRow("one beyond") << "26" << 25 << -1 << maximum.arg(25);
        QTest::newRow("fraction beyond") << "25.4" << 25 << -1 << maximum.arg(25);
        QTest::newRow("empty set") << "1" << 0 << -1 << maximum.arg(0);
        QTest::newRow("half down to even") << "2.5" << 3 << 2 << QString();
        QTest::newRow("half up to even") << "1.5" << 3 << 2 << QString();
        QTest::newRow("three and a half") << "3.5" << 5 << 4 << QString();
        QTest::newRow("blanks and sign") << " +2 " << 3 << 2 << QString();
        QTest::newRow("zero passes") << "0" << 3 << 0 << QString();
        QTest::newRow("negative passes") << "-7" << 3 << 0 << QString();
        QTest::newRow("letters") << "two" << 3 << -1 << check;
        QTest::newRow("empty") << "" << 3 << -1 << check;
        QTest::newRow("number then letters") << "2a" << 3 << -1 << check;
    }
    void checksTheEntry()
    {
        QFETCH(QString, entry);
        QFETCH(int, count);
        QFETCH(int, position);
        QFETCH(QString, message);
        const GoToEntry checked = GoToEntry::check(entry, count);
        QCOMPARE(checked.verdict() == GoToEntry::Verdict::Go, position >= 0);
        if (position >= 0)
            QCOMPARE(checked.position(), position);
        else
            QCOMPARE(checked.message(), message);
    }
};

QTEST_GUILESS_MAIN(TestGoToEntry)
#include "TestGoToEntry.moc"
