#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The lines of an initialisation file as text, and back to bytes.
//
// Each line is decoded on its own: a line that is valid UTF-8 is UTF-8, any other is
// Windows-1252, so that one byte of an older program cannot garble the other lines. Lines
// set or added here are encoded as UTF-8; every other line goes back byte for byte, with
// its own line ending. New lines take the file's line ending (CR LF when any line has one).
// A UTF-8 byte order mark at the start is kept.
class ProfileText
{
public:
    explicit ProfileText(const QByteArray& bytes = {});

    qsizetype size() const { return m_lines.size(); }
    const QString& line(qsizetype index) const { return m_lines.at(index).text; }

    void setLine(qsizetype index, const QString& text);
    void insertLine(qsizetype index, const QString& text);

    // The file's bytes; every line ends with a line ending.
    QByteArray toBytes() const;

private:
    struct Line
    {
        QString text;
        QByteArray bytes;  // without the line ending
        QByteArray ending; // empty for a last line without one
    };

    QList<Line> m_lines;
    QByteArray m_bom;
    QByteArray m_ending;
};
