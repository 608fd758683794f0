#pragma once

#include <QString>

// What the go-to dialog makes of an entry: a position to go to, or the message that
// refuses it. Positions count from 1 within the rows of the article set.
class GoToEntry
{
public:
    enum class Verdict
    {
        NotANumber,
        BeyondLast,
        Go
    };

    // Checks the entry against the number of rows: it must read as a number, and that
    // number, fraction included, must not exceed the count. An entry that passes goes to
    // the nearest whole number (a half to the even neighbour); one below 1 gives a
    // position the article set refuses.
    static GoToEntry check(const QString& text, int recordCount);

    Verdict verdict() const { return m_verdict; }
    int position() const { return m_position; }
    // The message of a refused entry.
    QString message() const;

private:
    GoToEntry(Verdict verdict, int position, int recordCount);

    Verdict m_verdict;
    int m_position;
    int m_recordCount;
};
