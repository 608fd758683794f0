#include "search/SearchCriterion.h"

#include <QTest>

// The criterion and the prompt caption of each field choice, and the texts that are no
// choice at all.
class TestSearchCriterion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildsTheCriterionOfTheChoice_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("prompt"); // "-": the caption stays
        const auto row = [](const char* choice, const char* criterion, const char* prompt) {
            QTest::newRow(choice) << QString::fromLatin1(choice) << QString::fromLatin1(criterion)
                                  << QString::fromLatin1(prompt);
        };
        // The category list holds "Net #1", the text box "a*b c".
        row("Category", "CUName = #Net #1#", "Search Category:");
        row("Problem", "Problem LIKE #*a*b c*#", "Search Problem:");
        row("Solution", "Solution LIKE #*a*b c*#", "Search Solution:");
        row("QV Number", "ID = #a*b c#", "Search QV Number:");
        row("Entered By", "TechName LIKE #*a*b c*#", "Search Entered By:");
        row("Edited By", "EditedBy LIKE #*a*b c*#", "-");
        row("Title", "Title LIKE #*a*b c*#", "Search Title:");
        row("Reference", "Reference LIKE #*a*b c*#", "-");
        // Anything but the exact text of a choice builds no criterion: every article matches.
        row("", "", "-");
        row("title", "", "-");
        row("Title ", "", "-");
    }
    void buildsTheCriterionOfTheChoice()
    {
        QFETCH(QString, choice);
        QFETCH(QString, criterion);
        QFETCH(QString, prompt);
        QCOMPARE(SearchCriterion::build(choice, QStringLiteral("Net #1"), QStringLiteral("a*b c")),
                 criterion);
        QCOMPARE(SearchCriterion::prompt(choice).value_or(QStringLiteral("-")), prompt);
        QCOMPARE(SearchCriterion::readsCategory(choice), choice == QLatin1String("Category"));
    }
};

QTEST_GUILESS_MAIN(TestSearchCriterion)
#include "TestSearchCriterion.moc"
