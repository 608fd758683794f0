#include "WindowTest.h"
#include "output/frmReportCat.h"

// The article length report and the category summary.
class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Characters of the shown text, not of the stored markup.
    void lengthCountsTheShownText()
    {
        RunningQuorvel quorvel(
            0, QStringLiteral("INSERT INTO QV (Id, Title, Problem, Solution) VALUES (1, 'Twelve', "
                              "'{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}{\\colortbl;"
                              "\\red255\\green0\\blue0;}\\f0\\fs28\\cf1\\b Hello\\b0  world!\\par\n}', "
                              "'');"));
        QVERIFY(quorvel.start());
        quorvel.trigger("mnuLength");
        QCOMPARE(quorvel.dialogs().lastMessage().text, QStringLiteral("Article Length (in bytes):\n12"));
        QCOMPARE(quorvel.dialogs().lastMessage().title, QStringLiteral("Quorvel"));
    }

    void categorySummary_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("total");
        QTest::newRow("three categories") << QString() << "Email"
                                          << "3";
        QTest::newRow("none") << "DELETE FROM Categories;" << QString() << "0";
    }
    void categorySummary()
    {
        QFETCH(QString, sql);
        QFETCH(QString, first);
        QFETCH(QString, total);
        RunningQuorvel quorvel(1, sql);
        QVERIFY(quorvel.start());
        quorvel.trigger("mnuReportCat");
        auto* report = quorvel.main().findChild<frmReportCat*>();
        QVERIFY(report && report->isVisible());
        QCOMPARE(report->Label1->text(), first);
        QCOMPARE(report->lblGrandTotal->text(), total);
    }
};

QTEST_MAIN(TestReports)
#include "TestReports.moc"
