#include "TypeAhead.h"

std::optional<QString> TypeAhead::complete(const QStringList& items, const QString& text)
{
    if (text.size() != 1)
        return std::nullopt;
    const QChar wanted = text.at(0).toUpper();
    const int count = static_cast<int>(items.size());
    const int start = m_cursor;
    std::optional<QString> found;
    do {
        const QString item = (m_cursor >= 0 && m_cursor < count) ? items.at(m_cursor) : QString();
        if (!item.isEmpty() && item.at(0) == wanted)
            found = item;
        if (m_cursor > count)
            m_cursor = -1;
        ++m_cursor;
    } while (!found && m_cursor != start);
    return found;
}
