#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Type-ahead of the category and author lists: a single typed character is completed to
// the next item that starts with it in upper case. Each list keeps its own cursor, which
// stays one past the item found so that the same letter moves on to the next match.
class TypeAhead
{
public:
    // The item to show for the list's new text, or nothing when the text is not one
    // character long or no item starts with that character in upper case.
    std::optional<QString> complete(const QStringList& items, const QString& text);

    int cursor() const { return m_cursor; }

private:
    int m_cursor = 0;
};
