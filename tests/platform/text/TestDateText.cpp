#include "text/DateText.h"

#include <QTest>

namespace {

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// The preferences' patterns for new articles, the login time, the general date (empty
// pattern) and the preferences' long preview pattern.
const char* const kProgramPatterns[] = {"mm/dd/yyyy", "dd/mm/yyyy", "m/d/yyyy", "yyyy-mm-dd",
                                        "m/d/yy", "d-mmmm", "mmmm-yy", "d-mmmm-yy", "d mmmm",
                                        "mmmm yy", "H:MM AMPM DD/MM/YYYY", "",
                                        "dddd, mmmm dd, yyyy", "d-mmm"};

} // namespace

class TestDateText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void format_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QDateTime>("value");
        QTest::addColumn<QString>("expected");

        const QDateTime jan5 = at(2026, 1, 5, 9, 7, 3);
        const QDateTime dec31 = at(1999, 12, 31, 23, 59, 59);
        const QDateTime feb29 = at(2000, 2, 29, 12, 0, 0);
        auto row = [](const char* pattern, const QDateTime& value, const char* expected) {
            QTest::addRow("%s | %s", pattern, qPrintable(value.toString(Qt::ISODate)))
                << QString::fromUtf8(pattern) << value << QString::fromUtf8(expected);
        };
        row("mm/dd/yyyy", jan5, "01/05/2026");
        row("dd/mm/yyyy", jan5, "05/01/2026");
        row("m/d/yyyy", dec31, "12/31/1999");
        row("m/d/yyyy", jan5, "1/5/2026");
        row("yyyy-mm-dd", feb29, "2000-02-29");
        row("m/d/yy", feb29, "2/29/00");
        row("d-mmmm", dec31, "31-December");
        row("mmmm-yy", jan5, "January-26");
        row("d-mmmm-yy", feb29, "29-February-00");
        row("d mmmm", at(2026, 9, 1), "1 September");
        row("mmmm yy", dec31, "December 99");
        // The login time: "MM" after the hour is the minute, after the day the month.
        row("H:MM AMPM DD/MM/YYYY", jan5, "9:07 AM 05/01/2026");
        row("H:MM AMPM DD/MM/YYYY", dec31, "11:59 PM 31/12/1999");
        row("H:MM AMPM DD/MM/YYYY", feb29, "12:00 PM 29/02/2000");
        row("H:MM AMPM DD/MM/YYYY", at(2026, 7, 4, 0, 30), "12:30 AM 04/07/2026");
        row("", jan5, "1/5/2026 9:07:03 AM");
        row("", at(2026, 3, 14), "3/14/2026");
        row("dddd, mmmm dd, yyyy", jan5, "Monday, January 05, 2026");
        row("ddd d mmm yyyy", dec31, "Fri 31 Dec 1999");
        row("y", dec31, "365");
        row("yyyyy", feb29, "200060");
        row("hh:nn:ss h:n:s", jan5, "09:07:03 9:7:3");
        row("HH:mm", dec31, "23:59");
        row("h:mm am/pm", dec31, "11:59 pm");
        row("h A/P", jan5, "9 A");
        row("h a/p", dec31, "11 p");
        row("DDDD", jan5, "Monday");
        row("\"day\" d \\m m", jan5, "day 5 m 1");
        row("d.m.yyyy, T", jan5, "5.1.2026, T");
        row("d \"open quote", jan5, "5 open quote");
        row("d\\", jan5, "5");
    }
    void format()
    {
        QFETCH(QString, pattern);
        QFETCH(QDateTime, value);
        QFETCH(QString, expected);
        QCOMPARE(DateText::format(value, pattern), expected);
    }

    // Every day of 1999 to 2030, at times spread over the day, in every program pattern.
    void programTextsReadBack_data()
    {
        QTest::addColumn<QString>("pattern");
        for (const char* pattern : kProgramPatterns)
            QTest::addRow("\"%s\"", pattern) << QString::fromLatin1(pattern);
    }
    void programTextsReadBack()
    {
        QFETCH(QString, pattern);
        int step = 0;
        for (QDate date(1999, 1, 1); date.year() <= 2030; date = date.addDays(1), ++step) {
            const QDateTime value(date, QTime(step % 24, step % 60, step % 7 == 0 ? 0 : 30));
            const QString text = DateText::format(value, pattern);
            QVERIFY2(DateText::isDate(text), qPrintable(text));
        }
    }

    void readsAsDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isDate");
        const auto rows = [](bool isDate, std::initializer_list<const char*> texts) {
            for (const char* text : texts)
                QTest::addRow("\"%s\"", text) << QString::fromUtf8(text) << isDate;
        };
        // Short and long forms beyond those the program patterns write.
        rows(true, {"31/01/2026", "2/29/2000", "12/31/99", "1-5-2026", "5.1.2026", "2026/1/5",
                    "1/31", "31/1", "2/29", "1/2026", "2026-01", "  1/5/2026  "});
        rows(true, {"January 5, 2026", "5 January 2026", "Jan 5 2026", "5-JAN-2026",
                    "2026 January 5", "December 1999", "Sun 1 Feb 2026"});
        rows(true, {"13:05", "1:05 PM", "1:05pm", "0:00:00", "January 5, 2026 23:59"});
        rows(false, {"", "   ", "hello", "January", "Monday", "5", "2026"});
        rows(false, {"2/29/2026", "0/1/2026", "32/1/2026", "1/5/2026/7", "1/0", "2/30", "13/13",
                     "12345/1/1", "1/5/099", "1//5/2026", "/1/5/2026", "1/5/2026-"});
        rows(false, {"5January2026", "1/5/2026 extra", "January 5 March", "30 February 2026",
                     "5 January 2026 1999", "Jan 2026 5 6", "1/5 Monday", "#1/5/2026#"});
        rows(false, {"1/5/2026 PM", "24:00", "1:60", "1:05:60", "13:05 PM", "1:05:", ":05",
                     "1:5:7:9", "1:05 2:06", "1/5 1:05 /2026", "1/5/20261:05", "1:05 PM1/5/2026"});
    }
    void readsAsDate()
    {
        QFETCH(QString, text);
        QFETCH(bool, isDate);
        QCOMPARE(DateText::isDate(text), isDate);
    }
};

QTEST_GUILESS_MAIN(TestDateText)
#include "TestDateText.moc"
