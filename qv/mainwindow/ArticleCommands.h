#pragma once

#include <QDateTime>
#include <functional>

class QWidget;
class Session;
class frmDisplay;

// Adding, saving and deleting articles: the commands work on the current row of the
// article set and on the article window's controls, and each passes the rights gate first.
class ArticleCommands
{
public:
    // `reload` reopens the article set and shows its first article (the main window's
    // Refresh), used on the failure paths.
    ArticleCommands(Session& session, frmDisplay& display, std::function<void()> reload,
                    QWidget* messageParent);

    // Starts a new, unsaved article at the end of the set.
    void NewArticle();
    // Writes the article window into the current row. True when the row was written.
    bool SaveArticle();
    void DeleteArticle();

    // What the commands take as "now" (tests set a fixed time).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

private:
    void reportAndReload(const QString& code);

    Session& m_session;
    frmDisplay& m_display;
    std::function<void()> m_reload;
    QWidget* m_messageParent;
    std::function<QDateTime()> m_clock = &QDateTime::currentDateTime;
};
