#include "text/DateText.h"

#include <QTest>

namespace {

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// The patterns the preferences offer for new articles, the login time, the general date
// (empty pattern) and the preferences' long preview pattern.
const char* const kProgramPatterns[] = {"mm/dd/yyyy",
                                        "dd/mm/yyyy",
                                        "m/d/yyyy",
                                        "yyyy-mm-dd",
                                        "m/d/yy",
                                        "d-mmmm",
                                        "mmmm-yy",
                                        "d-mmmm-yy",
                                        "d mmmm",
                                        "mmmm yy",
                                        "H:MM AMPM DD/MM/YYYY",
                                        "",
                                        "dddd, mmmm dd, yyyy",
                                        "d-mmm"};

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
        row("mm/dd/yyyy", dec31, "12/31/1999");
        row("dd/mm/yyyy", jan5, "05/01/2026");
        row("dd/mm/yyyy", dec31, "31/12/1999");
        row("m/d/yyyy", jan5, "1/5/2026");
        row("m/d/yyyy", dec31, "12/31/1999");
        row("yyyy-mm-dd", jan5, "2026-01-05");
        row("yyyy-mm-dd", feb29, "2000-02-29");
        row("m/d/yy", jan5, "1/5/26");
        row("m/d/yy", feb29, "2/29/00");
        row("m/d/yy", dec31, "12/31/99");
        row("d-mmmm", jan5, "5-January");
        row("d-mmmm", dec31, "31-December");
        row("mmmm-yy", jan5, "January-26");
        row("mmmm-yy", feb29, "February-00");
        row("d-mmmm-yy", jan5, "5-January-26");
        row("d-mmmm-yy", feb29, "29-February-00");
        row("d mmmm", at(2026, 9, 1), "1 September");
        row("d mmmm", dec31, "31 December");
        row("mmmm yy", at(2026, 9, 1), "September 26");
        row("mmmm yy", dec31, "December 99");
        // The login time: "H" is the hour, "MM" after it the minute, "AMPM" switches to
        // the 12-hour clock, and "MM" after the day is the month again.
        row("H:MM AMPM DD/MM/YYYY", jan5, "9:07 AM 05/01/2026");
        row("H:MM AMPM DD/MM/YYYY", dec31, "11:59 PM 31/12/1999");
        row("H:MM AMPM DD/MM/YYYY", feb29, "12:00 PM 29/02/2000");
        row("H:MM AMPM DD/MM/YYYY", at(2026, 7, 4, 0, 30), "12:30 AM 04/07/2026");
        row("H:MM AMPM DD/MM/YYYY", at(2026, 7, 4, 13, 5), "1:05 PM 04/07/2026");
        // The general date leaves out a midnight time.
        row("", jan5, "1/5/2026 9:07:03 AM");
        row("", dec31, "12/31/1999 11:59:59 PM");
        row("", at(2026, 3, 14), "3/14/2026");
        // The other pattern letters.
        row("dddd, mmmm dd, yyyy", jan5, "Monday, January 05, 2026");
        row("ddd d mmm yyyy", dec31, "Fri 31 Dec 1999");
        row("d-mmm", feb29, "29-Feb");
        row("y", dec31, "365");
        row("yyyyy", feb29, "200060");
        row("hh:nn:ss", jan5, "09:07:03");
        row("h:n:s", jan5, "9:7:3");
        row("HH:mm", dec31, "23:59");
        row("h:mm am/pm", dec31, "11:59 pm");
        row("h A/P", jan5, "9 A");
        row("h a/p", dec31, "11 p");
        row("h AM/PM", at(2026, 1, 1, 0, 0), "12 AM");
        row("mm", jan5, "01");
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

    // Every text the program writes with one of its patterns reads back as a date: every
    // day of 1999 to 2030 (leap days, the 1st and the 31st, single-digit days and months,
    // both digits of every two-digit year), at times spread over the day.
    void programTextsReadBack_data()
    {
        QTest::addColumn<QString>("pattern");
        for (const char* pattern : kProgramPatterns)
            QTest::addRow("\"%s\"", pattern) << QString::fromLatin1(pattern);
    }
    void programTextsReadBack()
    {
        QFETCH(QString, pattern);
        const QDate last(2030, 12, 31);
        int step = 0;
        for (QDate date(1999, 1, 1); date <= last; date = date.addDays(1), ++step) {
            const QDateTime value(date, QTime(step % 24, step % 60, step % 7 == 0 ? 0 : 30));
            const QString text = DateText::format(value, pattern);
            QVERIFY2(DateText::isDate(text), qPrintable(text));
        }
    }

    void readsAsDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isDate");

        auto yes = [](const char* text) { QTest::newRow(text) << QString::fromUtf8(text) << true; };
        auto no = [](const char* text) { QTest::newRow(text) << QString::fromUtf8(text) << false; };
        // Short forms.
        yes("1/5/2026");
        yes("01/31/2026");
        yes("31/01/2026"); // only fits day/month/year
        yes("2/29/2000");
        yes("12/31/99");
        yes("1-5-2026");
        yes("5.1.2026");
        yes("2026-01-31");
        yes("2026/1/5");
        yes("1/31"); // month and day
        yes("31/1");
        yes("2/29");   // a day some year has
        yes("1/2026"); // month and year
        yes("2026-01");
        yes("  1/5/2026  ");
        // Long forms.
        yes("January 5, 2026");
        yes("Monday, January 05, 2026");
        yes("5 January 2026");
        yes("Jan 5 2026");
        yes("5-Jan-2026");
        yes("5-JANUARY-26");
        yes("2026 January 5");
        yes("5 january");
        yes("January-26");  // the day 26
        yes("February-30"); // no 30 February: the year 2030
        yes("December 1999");
        yes("February-00");
        yes("29-February"); // a day some year has
        yes("Sun 1 Feb 2026");
        // Times, alone or with a date.
        yes("13:05");
        yes("1:05 PM");
        yes("1:05pm");
        yes("0:00:00");
        yes("12:30 AM 04/07/2026");
        yes("1/5/2026 1:05:09 PM");
        yes("January 5, 2026 23:59");

        no("");
        no("   ");
        no("hello");
        no("today");
        no("January");
        no("Monday");
        no("5");
        no("2026");
        no("13/45/2020");
        no("2/30/2026");
        no("2/29/2026");
        no("0/1/2026");
        no("32/1/2026");
        no("1/5/2026/7");
        no("1/0");
        no("2/30");
        no("13/13");
        no("12345/1/1");
        no("1/5/099");
        no("1//5/2026");
        no("/1/5/2026");
        no("1/5/2026-");
        no("5January2026");
        no("1/5/2026 extra");
        no("January 5 March");
        no("30 February 2026");
        no("5 January 2026 1999");
        no("Jan 2026 5 6");
        no("1/5 Monday");
        no("#1/5/2026#");
        no("1/5/2026 PM");
        no("24:00");
        no("1:60");
        no("1:05:60");
        no("13:05 PM");
        no("1:05:");
        no(":05");
        no("1:5:7:9");
        no("1:05 2:06");
        no("1/5 1:05 /2026");
        no("1/5/20261:05");
        no("1:05 PM1/5/2026");
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
