#include "db/Criterion.h"
#include "db/DbError.h"

#include <QTest>

class TestCriterion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesTheTwoForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("like");
        QTest::addColumn<QString>("value");
        QTest::newRow("like") << "Title LIKE #*printer*#" << "Title" << true << "*printer*";
        QTest::newRow("equal") << "CUName = #Network#" << "CUName" << false << "Network";
        QTest::newRow("operator in any case") << "title like #x#" << "title" << true << "x";
        QTest::newRow("blanks around") << "  ID   =   #5#  " << "ID" << false << "5";
        QTest::newRow("no blanks") << "ID=#5#" << "ID" << false << "5";
        QTest::newRow("value runs to the last #")
            << "Title LIKE #*error #5*#" << "Title" << true << "*error #5*";
        QTest::newRow("value of # only") << "Title = ###" << "Title" << false << "#";
        QTest::newRow("empty value") << "CUName = ##" << "CUName" << false << "";
        QTest::newRow("bracketed name") << "[Edited By] = #x#" << "Edited By" << false << "x";
    }
    void parsesTheTwoForms()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QFETCH(bool, like);
        QFETCH(QString, value);
        const Criterion criterion = Criterion::parse(text);
        QCOMPARE(criterion.field(), field);
        QCOMPARE(criterion.op() == Criterion::Operator::Like, like);
        QCOMPARE(criterion.value(), value);
    }

    void refusesOtherText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("field only") << "Title";
        QTest::newRow("quotes instead of #") << "Title = 'x'";
        QTest::newRow("one #") << "Title = #x";
        QTest::newRow("no field") << "= #x#";
        QTest::newRow("other operator") << "Title <> #x#";
        QTest::newRow("LIKE glued to a name") << "TitleLIKE#x#";
        QTest::newRow("text after the value") << "Title = #x# AND Id = #1#x";
    }
    void refusesOtherText()
    {
        QFETCH(QString, text);
        try {
            Criterion::parse(text);
            QFAIL("parsed");
        } catch (const DbError& error) {
            QCOMPARE(error.number(), DbError::BadArgument);
        }
    }

    void matchesText_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<bool>("expected");
        QTest::newRow("contains") << "T LIKE #*jam*#" << QVariant("Paper JAM in tray") << false << true;
        QTest::newRow("does not contain") << "T LIKE #*jam*#" << QVariant("Paper") << false << false;
        QTest::newRow("prefix") << "T LIKE #pa*#" << QVariant("Paper") << false << true;
        QTest::newRow("prefix elsewhere") << "T LIKE #pa*#" << QVariant("a paper") << false << false;
        QTest::newRow("suffix") << "T LIKE #*er#" << QVariant("Paper") << false << true;
        QTest::newRow("pieces in order") << "T LIKE #a*b*c#" << QVariant("axxbyyc") << false << true;
        QTest::newRow("pieces out of order") << "T LIKE #a*c*b#" << QVariant("axxbyyc") << false << false;
        QTest::newRow("pieces may not overlap") << "T LIKE #ab*ba#" << QVariant("aba") << false << false;
        QTest::newRow("no wildcard is whole text") << "T LIKE #jam#" << QVariant("jam!") << false << false;
        QTest::newRow("? is literal") << "T LIKE #a?c#" << QVariant("abc") << false << false;
        QTest::newRow("[ is literal") << "T LIKE #*[x]*#" << QVariant("a [x] b") << false << true;
        QTest::newRow("lone * matches empty") << "T LIKE #*#" << QVariant("") << false << true;
        QTest::newRow("equal ignores case") << "T = #network#" << QVariant("NetWork") << false << true;
        QTest::newRow("equal is whole") << "T = #net#" << QVariant("Network") << false << false;
        QTest::newRow("equal * is literal") << "T = #a*#" << QVariant("ab") << false << false;
        QTest::newRow("null is empty text") << "T = ##" << QVariant() << false << true;
        QTest::newRow("case beyond ASCII") << "T LIKE #*ÉCRAN*#" << QVariant("l'écran") << false << true;
        QTest::newRow("number") << "Id = #0010#" << QVariant(10) << true << true;
        QTest::newRow("other number") << "Id = #11#" << QVariant(10) << true << false;
        QTest::newRow("number as text") << "Id = #10#" << QVariant("0010") << true << true;
        QTest::newRow("number field, like") << "Id LIKE #1*#" << QVariant(10) << true << true;
    }
    void matchesText()
    {
        QFETCH(QString, criterion);
        QFETCH(QVariant, value);
        QFETCH(bool, numeric);
        QFETCH(bool, expected);
        QCOMPARE(Criterion::parse(criterion).matches(value, numeric), expected);
    }

    void sqlPatternEscapesAndWidens_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("refine");
        QTest::newRow("wildcards") << "P LIKE #*toner*#" << "%toner%" << false;
        QTest::newRow("SQL wildcards literal") << "P LIKE #*100%_\\*#" << "%100\\%\\_\\\\%" << false;
        QTest::newRow("equal keeps *") << "P = #a*b#" << "a*b" << false;
        QTest::newRow("beyond ASCII") << "P LIKE #*écran*#" << "%_cran%" << true;
        QTest::newRow("outside the basic plane") << "P LIKE #a\U0001F600b#" << "a_b" << true;
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
