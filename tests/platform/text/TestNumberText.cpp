#include "text/NumberText.h"

#include <QTest>

#include <cmath>

namespace {

const double kNone = std::nan(""); // does not read as a number

// One row per text, named by the text.
void rows(std::initializer_list<std::pair<const char*, double>> cases)
{
    for (const auto& [text, expected] : cases)
        QTest::addRow("\"%s\"", text) << QString::fromUtf8(text) << expected;
}

} // namespace

class TestNumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        rows({{"12", 12}, {"007", 7}, {"1.5", 1.5}, {".5", 0.5}, {"5.", 5}, {"-3", -3},
              {"+3", 3}, {"- 3.25", -3.25}, {"\t42\r\n", 42}});
        rows({{"1,234,567.5", 1234567.5}, {"1,23", 123}, {"1.5E3", 1500}, {"25e-1", 2.5},
              {"3d2", 300}});
        for (const char* text : {"", "   ", "12a", "a12", "-", ".", "1.2.3", "--1", ",5", "1.2,3",
                                 "1 2", "1e", "1e+", "1e400", "\u0661\u0662"})
            rows({{text, kNone}});
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
            QCOMPARE(value.value_or(kNone), expected);
    }

    void leadingValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        rows({{"12pt", 12}, {"10.5", 10.5}, {"1,000", 1}, {" 1 2\t3\n", 123}, {"-7 apples", -7},
              {"- 7", -7}, {".25x", 0.25}, {"1.2.3", 1.2}});
        rows({{"1.5e2x", 150}, {"2D3", 2000}, {"4e", 4}, {"4e-", 4}, {"Arial", 0}, {"", 0},
              {"-", 0}, {"x12", 0}, {"1e400", 0}});
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
        for (const auto& [value, expected] : std::initializer_list<std::pair<double, double>>{
                 {0.5, 0}, {1.5, 2}, {2.5, 2}, {1.49, 1}, {2.51, 3}, {7, 7}, {-0.4, 0},
                 {-1.5, -2}, {-2.5, -2}, {1000001.5, 1000002}})
            QTest::addRow("%g", value) << value << expected;
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
