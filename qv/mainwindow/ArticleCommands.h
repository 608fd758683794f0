#pragma once

#include <QDateTime>
#include <functional>

class QWidget;
class Session;
class frmDisplay;

// Adding, saving and deleting articles: the commands work on the current row of the
// article set and on the article the window hands over, and each passes the rights gate
// first. A write that fails is reported and leaves the user's edits in the window, so that
// saving again retries it.
class ArticleCommands
{
public:
    // `reload` reopens the article set and shows its first article, as after a delete.
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
    // The failure message with its code. The window keeps what the user typed; the set
    // drops what the failed write left pending, the new article's row appended again when
    // it was one.
    void reportFailure(const QString& code, bool reAddNewArticle);

    Session& m_session;
    frmDisplay& m_display;
    std::function<void()> m_reload;
    QWidget* m_messageParent;
    std::function<QDateTime()> m_clock = &QDateTime::currentDateTime;
};
