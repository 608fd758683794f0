#include "DbTest.h"
#include "db/Criterion.h"

#include <QTest>

class TestCriterion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Parsed as "field|operator|value"; empty: refused.
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed");
        const auto row = [](const char* text, const char* parsed) {
            QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(parsed);
        };
        row("title like #*x*#", "title|LIKE|*x*");
        row("  ID   =   #5#  ", "ID|=|5");
        row("ID=#5#", "ID|=|5");
        row("Title LIKE #*error #5*#", "Title|LIKE|*error #5*");
        row("CUName = ##", "CUName|=|");
        row("[Edited By] = #x#", "Edited By|=|x");
        row("Title = 'x'", "");
        row("Title = #x", "");
        row("Title <> #x#", "");
        row("TitleLIKE#x#", "");
        row("Title = #x# AND Id = #1#x", "");
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        if (parsed.isEmpty()) {
            QCOMPARE(DbTest::errorOf([&] { Criterion::parse(text); }), DbError::BadArgument);
            return;
        }
        const Criterion criterion = Criterion::parse(text);
        const bool like = criterion.op() == Criterion::Operator::Like;
        QCOMPARE(criterion.field() + (like ? "|LIKE|" : "|=|") + criterion.value(), parsed);
    }

    void matches_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<bool>("expected");
        const auto row = [](const char* criterion, const QVariant& value, bool expected,
                            bool numeric = false) {
            QTest::addRow("%s on %s", criterion, qPrintable(value.toString()))
                << QString::fromUtf8(criterion) << value << numeric << expected;
        };
        row("T LIKE #*jam*#", "Paper JAM", true);
        row("T LIKE #pa*#", "a paper", false);
        row("T LIKE #a*b*c#", "axxbyyc", true);
        row("T LIKE #a*c*b#", "axxbyyc", false);
        row("T LIKE #ab*ba#", "aba", false); // pieces may not overlap
        row("T LIKE #jam#", "jam!", false);
        row("T LIKE #JAM#", "jam", true);
        row("T LIKE #a?c*[x]#", "abc x", false);
        row("T LIKE #*#", "", true);
        row("T = #network#", "NetWork", true);
        row("T = #net#", "Network", false);
        row("T = #a*#", "ab", false);
        row("T = ##", QVariant(), false);
        row("T LIKE #*#", QVariant(), false);
        row("Id = #10#", "0010", true, true);
        row("Id = #11#", 10, false, true);
        row("Id LIKE #1*#", 10, true, true);
    }
    void matches()
    {
        QFETCH(QString, criterion);
        QFETCH(QVariant, value);
        QFETCH(bool, numeric);
        QFETCH(bool, expected);
        QCOMPARE(Criterion::parse(criterion).matches(value, numeric), expected);
    }

    // The pattern handed to SQL's LIKE; beyond ASCII it only narrows, and the layer refines.
    void sqlPatternEscapesAndWidens_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("refine");
        const auto row = [](const char* criterion, const char* pattern, bool refine) {
            QTest::newRow(criterion)
                << QString::fromUtf8(criterion) << QString::fromUtf8(pattern) << refine;
        };
        row("P LIKE #*toner*#", "%toner%", false);
        row("P LIKE #*100%_\\*#", "%100\\%\\_\\\\%", false);
        row("P = #a*b#", "a*b", false);
        row("P LIKE #*écran*#", "%_cran%", true);
        row("P LIKE #a\U0001F600b#", "a_b", true);
    }
    void sqlPatternEscapesAndWidens()
    {
        QFETCH(QString, criterion);
        QFETCH(QString, pattern);
        QFETCH(bool, refine);
        const Criterion parsed = Criterion::parse(criterion);
        QCOMPARE(parsed.sqlLikePattern(), pattern);
        QCOMPARE(parsed.needsRefine(), refine);
    }
};

QTEST_GUILESS_MAIN(TestCriterion)
#include "TestCriterion.moc"
