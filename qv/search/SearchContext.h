#pragma once

#include <QString>

#include <functional>

class QWidget;
class Session;

// What the search windows work on: the session with its article set and category names,
// the main window they belong to, and its two operations on the current article.
struct SearchContext
{
    Session& session;
    QWidget* mainWindow;
    // Shows the current row of the article set in the article window.
    std::function<void()> Display_Data;
    // Clears any filter and reopens the article set on the whole table, first row current.
    std::function<void()> ResetArticleSet;
    // Marks a search text ("*" for any run) in the shown documents until the set is reset.
    std::function<void(const QString&)> markSearchText;
};
