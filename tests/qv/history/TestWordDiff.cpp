#include "history/WordDiff.h"

#include <QTest>

class TestWordDiff : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void markup_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("expected");
        QTest::newRow("same") << "Restart the spooler."
                              << "Restart the spooler."
                              << "Restart the spooler.";
        QTest::newRow("spacing only") << "Restart  the\nspooler."
                                      << "Restart the spooler."
                                      << "Restart the spooler.";
        QTest::newRow("word replaced") << "Restart the spooler."
                                       << "Restart the router."
                                       << "Restart the [-spooler.-]{+router.+}";
        QTest::newRow("words added") << "Open the port."
                                     << "Open the firewall port. Now."
                                     << "Open the {+firewall+} port. {+Now.+}";
        QTest::newRow("words removed") << "Reboot the old print server."
                                       << "Reboot the server."
                                       << "Reboot the [-old print-] server.";
        QTest::newRow("from nothing") << ""
                                      << "New text"
                                      << "{+New text+}";
        QTest::newRow("to nothing") << "Old text"
                                    << ""
                                    << "[-Old text-]";
    }
    void markup()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, expected);
        QCOMPARE(WordDiff::markup(before, after).trimmed(), expected);
    }

    // Past the bound of changes the texts are shown as wholly replaced, not worked out.
    void manyChangesReplaceTheWhole()
    {
        QStringList before;
        QStringList after;
        for (int i = 0; i < WordDiff::kMaxChanges; ++i) {
            before << QStringLiteral("a%1").arg(i);
            after << QStringLiteral("b%1").arg(i);
        }
        const QString markup = WordDiff::markup(before.join(' '), after.join(' '));
        QVERIFY(markup.startsWith(QStringLiteral("[-a0 a1")));
        QVERIFY(markup.contains(QStringLiteral("-]{+b0 b1")));
    }
};

QTEST_GUILESS_MAIN(TestWordDiff)
#include "TestWordDiff.moc"
