#pragma once

#include <QList>
#include <QString>
#include <QTextEdit>

class QTextDocument;

// The places where a search pattern matches in a document, to mark them in a text box after
// a search. A pattern is a search text in which "*" stands for any run of characters: each
// run between the stars is marked wherever it occurs, without regard to letter case.
class SearchMarks
{
public:
    // At most this many places are marked in one document, so that a search for a common
    // word in a very long article does not hold up its display.
    static constexpr int kMostMarks = 500;

    static QList<QTextEdit::ExtraSelection> find(QTextDocument* document, const QString& pattern);
};
