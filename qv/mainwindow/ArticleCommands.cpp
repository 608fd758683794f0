#include "ArticleCommands.h"

#include "article/ArticleRow.h"
#include "db/DbError.h"
#include "editor/frmDisplay.h"
#include "mainwindow/RightsGate.h"
#include "profile/Prefs.h"
#include "startup/Session.h"
#include "text/DateText.h"
#include "ui/Dialogs.h"

namespace {

const QString kTitle = QStringLiteral("Quorvel");
const QString kNotApplicable = QStringLiteral("N/A");

void fillIfEmpty(QString& value, const QString& filler)
{
    if (value.isEmpty())
        value = filler;
}

// Whether the current row was never written: the engine gives a row its key when it is.
bool isUnsaved(const Recordset& articles)
{
    return articles.value(QStringLiteral("RecordID")).isNull();
}

// Appends the row of a new article, current, with its ten attachment slots empty.
void addArticleRow(Recordset& articles)
{
    articles.addNew();
    for (int slot = 1; slot <= 10; ++slot)
        articles.setValue(QStringLiteral("Image%1").arg(slot), kNotApplicable);
}

} // namespace

ArticleCommands::ArticleCommands(Session& session, frmDisplay& display,
                                 std::function<void()> reload, QWidget* messageParent)
    : m_session(session), m_display(display), m_reload(std::move(reload)),
      m_messageParent(messageParent)
{
}

void ArticleCommands::reportFailure(const QString& code, bool reAddNewArticle)
{
    dialogs().inform(QStringLiteral("A general error occured. Refreshing the database. Please try "
                                    "again. Error Code") +
                         code,
                     kTitle, m_messageParent);
    // What the user typed stays in the window, still unsaved; the set drops what the failed
    // write left pending, so that a later write of another article does not carry it.
    Recordset& articles = m_session.rsArticles();
    articles.cancelBatch();
    if (reAddNewArticle)
        addArticleRow(articles);
}

void ArticleCommands::NewArticle()
{
    if (!RightsGate::allows(m_session.login,
                            QStringLiteral("Can't add a new article. The current user rights are "
                                           "set to read only."),
                            m_messageParent))
        return;
    try {
        Recordset& articles = m_session.rsArticles();
        m_session.AskBeforeSave = false;
        const QString dateFormat = ReadPref(QStringLiteral("UserPrefs"), QStringLiteral("DateFormat"));
        // An earlier new article that was never saved holds nothing the user typed: it
        // goes, so that no later write stores it as an empty article, and the number
        // proposed counts the saved articles only.
        articles.discardAdditions(false);
        Article article;
        article.id = QString::number(articles.recordCount() + 1);
        article.dateEdited = DateText::format(m_clock(), dateFormat);
        article.initialEntry = article.dateEdited;
        addArticleRow(articles);
        m_display.beginNewArticle(article, articles.recordCount() + 1);
    } catch (const DbError&) {
        reportFailure(QStringLiteral(" S01-N."), false);
    }
}

bool ArticleCommands::SaveArticle()
{
    if (!RightsGate::allows(m_session.login,
                            QStringLiteral("Can't save. The current user rights are set to read "
                                           "only."),
                            m_messageParent))
        return false;
    bool newRow = false;
    try {
        Article article = m_display.article();
        if (!DateText::isDate(article.dateEdited)) {
            dialogs().inform(QStringLiteral("Please check the date edited and try again.\nShort "
                                            "date formats are recommended over long date formats."),
                             kTitle, m_messageParent);
            return false;
        }
        if (m_session.AskBeforeSave &&
            dialogs().message({QStringLiteral("Append article?"), kTitle, Dialogs::Buttons::YesNo,
                               Dialogs::Icon::None, std::nullopt},
                              m_messageParent) != Dialogs::Answer::Yes)
            return false;
        fillIfEmpty(article.author, kNotApplicable);
        fillIfEmpty(article.category, kNotApplicable);
        fillIfEmpty(article.id, QStringLiteral("0000"));
        fillIfEmpty(article.editedBy, kNotApplicable);
        fillIfEmpty(article.reference, kNotApplicable);
        m_display.showFields(article);

        Recordset& row = m_session.rsArticles();
        // The write takes this article only, not a new one that was left unsaved.
        row.discardAdditions(true);
        newRow = isUnsaved(row);
        ArticleRow::write(article, row);
        const QStringList attachments = m_display.restoredAttachments();
        for (int slot = 0; slot < attachments.size(); ++slot)
            row.setValue(QStringLiteral("Image%1").arg(slot + 1), attachments.at(slot));
        row.updateBatch();
    } catch (const DbError&) {
        reportFailure(QStringLiteral(": S-1000."), newRow);
        return false;
    }
    m_display.markSaved();
    dialogs().inform(QStringLiteral("Article successfully saved."), kTitle, m_messageParent);
    return true;
}

void ArticleCommands::DeleteArticle()
{
    if (!RightsGate::allows(m_session.login,
                            QStringLiteral("Can't delete. The current user rights are set to read "
                                           "only."),
                            m_messageParent))
        return;
    try {
        Recordset& articles = m_session.rsArticles();
        // A new article left unsaved is neither counted nor written by the delete, the shown
        // one included (its position is past the saved ones).
        articles.discardAdditions(true);
        const bool unsavedRow = !articles.isBof() && !articles.isEof() && isUnsaved(articles);
        const int count = articles.recordCount() - (unsavedRow ? 1 : 0);
        if (m_display.shownPosition() > count) {
            dialogs().inform(QStringLiteral("Quorvel can't delete this article because it has not "
                                            "been saved. Delete Process stopped."),
                             kTitle, m_messageParent);
            return;
        }
        if (count == 0) {
            dialogs().inform(QStringLiteral("There is no article to delete."), kTitle,
                             m_messageParent);
            return;
        }
        if (dialogs().message({QStringLiteral("You're about to delete this article.  Are you sure?"),
                               QStringLiteral("Delete Confirmation"), Dialogs::Buttons::YesNo,
                               Dialogs::Icon::None, std::nullopt},
                              m_messageParent) != Dialogs::Answer::Yes)
            return;
        if (count == 1) {
            dialogs().inform(QStringLiteral("Quorvel can not delete the article because it is the "
                                            "ONLY Quorvel article."),
                             kTitle, m_messageParent);
            m_reload();
            return;
        }
        articles.deleteCurrent();
        articles.updateBatch();
        dialogs().inform(QStringLiteral("Article deleted."), kTitle, m_messageParent);
        m_reload();
    } catch (const DbError&) {
        reportFailure(QStringLiteral(": D-1000."), false);
    }
}
