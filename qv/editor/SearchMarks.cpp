#include "SearchMarks.h"

#include <QTextDocument>

QList<QTextEdit::ExtraSelection> SearchMarks::find(QTextDocument* document, const QString& pattern)
{
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 236, 128));
    marked.setForeground(Qt::black);
    QList<QTextEdit::ExtraSelection> marks;
    for (const QString& piece : pattern.split(QLatin1Char('*'), Qt::SkipEmptyParts)) {
        for (QTextCursor found = document->find(piece);
             !found.isNull() && marks.size() < kMostMarks; found = document->find(piece, found))
            marks.append({found, marked});
    }
    return marks;
}
