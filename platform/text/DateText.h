#pragma once

#include <QDateTime>
#include <QString>

// The date rules of the classic Basic runtime that the program's stored texts follow, in
// the runtime's United States English setting: "/" as date and ":" as time separator,
// English month and weekday names, "AM" and "PM".
class DateText
{
public:
    // The date formatted with a date pattern as the program stores them ("mm/dd/yyyy",
    // "d-mmmm", "H:MM AMPM DD/MM/YYYY", ...). Pattern letters are read without regard to
    // case:
    //   d dd       day, without / with leading zero    ddd dddd   weekday "Mon" / "Monday"
    //   m mm       month, without / with leading zero  mmm mmmm   month "Jan" / "January"
    //   yy yyyy    year, two / four digits             y          day of the year
    //   h hh       hour, without / with leading zero   n nn       minute
    //   s ss       second
    //   AMPM, AM/PM, am/pm, A/P, a/p   the 12-hour clock and its designator ("AMPM" and
    //              "AM/PM" give "AM"/"PM", "am/pm" gives "am"/"pm", "A/P" "A"/"P" ...)
    // m and mm right after an hour stand for the minute ("h:mm"). Text in double quotes
    // and a character after a backslash are copied; so is every other character.
    // The empty pattern gives the general date: "M/D/YYYY H:MM:SS AM", without the time
    // part at midnight.
    static QString format(const QDateTime& value, const QString& pattern);

    // Whether the text reads as a date (or a time of day): numeric dates in month/day/year
    // order, day/month/year when that is the only way they fit, year-month-day with a
    // year of three or four digits, month and day or month and year ("1/31", "1/2026");
    // dates with a full or three-letter month name, with day and year, with a day only
    // or with a year only ("31 January 2026", "Jan 31, 2026", "31-January", "January 26");
    // a leading weekday name; and a time ("13:05", "1:05:09 PM") before or after the date,
    // or alone. Every text that format() makes of a date reads as a date. Two-digit years
    // 0 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999. A day without a year may be
    // 29 February.
    static bool isDate(const QString& text);
};
