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

        const auto rows = [](const QDateTime& value,
                             std::initializer_list<std::pair<const char*, const char*>> cases) {
            for (const auto& [pattern, expected] : cases)
                QTest::addRow("%s | %s", pattern, qPrintable(value.toString(Qt::ISODate)))
                    << QString::fromUtf8(pattern) << value << QString::fromUtf8(expected);
        };
        // The login time: "MM" after the hour is the minute, after the day the month.
        rows(at(2026, 1, 5, 9, 7, 3),
             {{"mm/dd/yyyy", "01/05/2026"}, {"m/d/yyyy", "1/5/2026"},
              {"H:MM AMPM DD/MM/YYYY", "9:07 AM 05/01/2026"}, {"", "1/5/2026 9:07:03 AM"},
              {"dddd, mmmm dd, yyyy", "Monday, January 05, 2026"},
              {"hh:nn:ss h:n:s", "09:07:03 9:7:3"}, {"h A/P", "9 A"},
              {"\"day\" d \\m m", "day 5 m 1"}, {"d.m.yyyy, T", "5.1.2026, T"},
              {"d \"open quote", "5 open quote"}, {"d\\", "5"}});
        rows(at(1999, 12, 31, 23, 59, 59),
             {{"ddd d mmm yyyy", "Fri 31 Dec 1999"}, {"y", "365"}, {"HH:mm", "23:59"},
              {"h:mm am/pm", "11:59 pm"}, {"h a/p", "11 p"}});
        rows(at(2000, 2, 29, 12), {{"m/d/yy", "2/29/00"}, {"d-mmmm-yy", "29-February-00"},
                                   {"H:MM AMPM DD/MM/YYYY", "12:00 PM 29/02/2000"},
                                   {"yyyyy", "200060"}});
        rows(at(2026, 7, 4, 0, 30), {{"H:MM AMPM DD/MM/YYYY", "12:30 AM 04/07/2026"}});
        rows(at(2026, 3, 14), {{"", "3/14/2026"}});
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
