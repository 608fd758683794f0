#include "text/NumberText.h"

#include <QTest>

#include <cmath>

class TestNumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // NaN in the table means "does not read as a number".
    void toNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        const double none = std::nan("");

        QTest::newRow("digits") << "12" << 12.0;
        QTest::newRow("leading zeros") << "007" << 7.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("one point zero") << "1.0" << 1.0;
        QTest::newRow("no whole part") << ".5" << 0.5;
        QTest::newRow("no fraction digits") << "5." << 5.0;
        QTest::newRow("minus") << "-3" << -3.0;
        QTest::newRow("plus") << "+3" << 3.0;
        QTest::newRow("blank after sign") << "- 3.25" << -3.25;
        QTest::newRow("blanks around") << "  42  " << 42.0;
        QTest::newRow("tab and line break around") << "\t42\r\n" << 42.0;
        QTest::newRow("thousands") << "1,234,567.5" << 1234567.5;
        QTest::newRow("loose thousands") << "1,23" << 123.0;
        QTest::newRow("exponent") << "1.5E3" << 1500.0;
        QTest::newRow("negative exponent") << "25e-1" << 2.5;
        QTest::newRow("exponent with plus") << "2E+2" << 200.0;
        QTest::newRow("D exponent") << "3d2" << 300.0;

        QTest::newRow("empty") << "" << none;
        QTest::newRow("blanks only") << "   " << none;
        QTest::newRow("letters") << "abc" << none;
        QTest::newRow("digits then letter") << "12a" << none;
        QTest::newRow("letter then digits") << "a12" << none;
        QTest::newRow("sign alone") << "-" << none;
        QTest::newRow("point alone") << "." << none;
        QTest::newRow("two points") << "1.2.3" << none;
        QTest::newRow("two signs") << "--1" << none;
        QTest::newRow("comma first") << ",5" << none;
        QTest::newRow("comma in fraction") << "1.2,3" << none;
        QTest::newRow("blank inside") << "1 2" << none;
        QTest::newRow("exponent without digits") << "1e" << none;
        QTest::newRow("exponent sign without digits") << "1e+" << none;
        QTest::newRow("exponent alone") << "e5" << none;
        QTest::newRow("beyond a double") << "1e400" << none;
        QTest::newRow("Arabic-Indic digits") << "\u0661\u0662" << none;
    }
    void toNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const std::optional<double> value = NumberText::toNumber(text);
        QCOMPARE(NumberText::isNumeric(text), !std::isnan(expected));
        if (std::isnan(expected))
            QVERIFY(!value.has_value());
        else
            QCOMPARE(value.value_or(std::nan("")), expected);
    }

    void leadingValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");

        QTest::newRow("whole text") << "12" << 12.0;
        QTest::newRow("font size with unit") << "12pt" << 12.0;
        QTest::newRow("fractional size") << "10.5" << 10.5;
        QTest::newRow("thousands separator ends it") << "1,000" << 1.0;
        QTest::newRow("blanks skipped everywhere") << " 1 2\t3\n" << 123.0;
        QTest::newRow("sign") << "-7 apples" << -7.0;
        QTest::newRow("blank after sign") << "- 7" << -7.0;
        QTest::newRow("plus") << "+8" << 8.0;
        QTest::newRow("point first") << ".25x" << 0.25;
        QTest::newRow("second point ends it") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "1.5e2x" << 150.0;
        QTest::newRow("D exponent") << "2D3" << 2000.0;
        QTest::newRow("exponent without digits") << "4e" << 4.0;
        QTest::newRow("exponent sign without digits") << "4e-" << 4.0;
        QTest::newRow("no number") << "Arial" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("letter first") << "x12" << 0.0;
        QTest::newRow("beyond a double") << "1e400" << 0.0;
    }
    void leadingValue()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(NumberText::leadingValue(text), expected);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");

        QTest::newRow("0.5") << 0.5 << 0.0;
        QTest::newRow("1.5") << 1.5 << 2.0;
        QTest::newRow("2.5") << 2.5 << 2.0;
        QTest::newRow("3.5") << 3.5 << 4.0;
        QTest::newRow("1.49") << 1.49 << 1.0;
        QTest::newRow("2.51") << 2.51 << 3.0;
        QTest::newRow("whole") << 7.0 << 7.0;
        QTest::newRow("-0.4") << -0.4 << 0.0;
        QTest::newRow("-1.5") << -1.5 << -2.0;
        QTest::newRow("-2.5") << -2.5 << -2.0;
        QTest::newRow("-2.6") << -2.6 << -3.0;
        QTest::newRow("large half") << 1000001.5 << 1000002.0;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(NumberText::roundHalfEven(value), expected);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "TestNumberText.moc"
