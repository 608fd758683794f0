#include "HistoryCommands.h"

#include "db/DbError.h"
#include "db/Recordset.h"
#include "editor/frmDisplay.h"
#include "history/ArticleHistory.h"
#include "history/HistorySchema.h"
#include "history/frmDeletedArticles.h"
#include "history/frmHistory.h"
#include "mainwindow/RightsGate.h"
#include "mainwindow/frmMain.h"
#include "startup/AppInfo.h"
#include "startup/Session.h"
#include "ui/Dialogs.h"

namespace {
const QString kRecordId = QStringLiteral("RecordID");
} // namespace

HistoryCommands::HistoryCommands(Session& session, frmMain& main,
                                 std::function<bool()> mayLeaveArticle)
    : m_session(session), m_main(main), m_mayLeaveArticle(std::move(mayLeaveArticle))
{
}

bool HistoryCommands::historyKept()
{
    if (HistorySchema::isKept(m_session.db()))
        return true;
    dialogs().inform(QStringLiteral("This knowledge base keeps no article history."),
                     AppInfo::kTitle, &m_main);
    return false;
}

bool HistoryCommands::allowed()
{
    if (!RightsGate::allows(m_session.login,
                            QStringLiteral("Can't restore. The current user rights are set to "
                                           "read only."),
                            &m_main))
        return false;
    if (!m_session.db().isReadOnly())
        return true;
    dialogs().inform(QStringLiteral("Can't restore. The knowledge base is read-only."),
                     AppInfo::kTitle, &m_main);
    return false;
}

void HistoryCommands::showHistory()
{
    if (!historyKept())
        return;
    const Recordset& articles = m_session.rsArticles();
    const QVariant key =
        articles.isBof() || articles.isEof() ? QVariant() : articles.value(kRecordId);
    if (key.isNull()) {
        dialogs().inform(QStringLiteral("This article has not been saved, so it has no "
                                        "history."),
                         AppInfo::kTitle, &m_main);
        return;
    }
    auto* window =
        new frmHistory(m_session.db(), key.toLongLong(), m_main.display()->article(), &m_main);
    QObject::connect(window, &frmHistory::restoreRequested, window,
                     [this, window](const KeptVersion& version) {
                         if (restore(version))
                             window->close();
                     });
    window->show();
}

void HistoryCommands::showDeleted()
{
    if (!historyKept())
        return;
    auto* window =
        new frmDeletedArticles(ArticleHistory(m_session.db()).deletedArticles(), &m_main);
    QObject::connect(window, &frmDeletedArticles::undeleteRequested, window,
                     [this, window](qint64 historyId) {
                         if (undelete(historyId))
                             window->close();
                     });
    window->show();
}

bool HistoryCommands::restore(const KeptVersion& version)
{
    if (!allowed())
        return false;
    frmDisplay& display = *m_main.display();
    if (display.isModified() &&
        dialogs().message({QStringLiteral("Replace the unsaved changes in the article window "
                                          "with this version?"),
                           AppInfo::kTitle, Dialogs::Buttons::YesNo, Dialogs::Icon::Question,
                           Dialogs::Answer::No},
                          &m_main) != Dialogs::Answer::Yes)
        return false;
    display.showRestored(version.article, version.attachments);
    return true;
}

bool HistoryCommands::undelete(qint64 historyId)
{
    if (!allowed() || !m_mayLeaveArticle())
        return false;
    std::optional<qint64> key;
    try {
        key = ArticleHistory(m_session.db()).undelete(historyId);
    } catch (const DbError& error) {
        dialogs().inform(QStringLiteral("The article could not be restored.\n\n") +
                             error.description(),
                         AppInfo::kTitle, &m_main);
        return false;
    }
    if (!key) {
        dialogs().inform(QStringLiteral("This article has been restored already."), AppInfo::kTitle,
                         &m_main);
        return false;
    }
    m_main.ResetArticleSet();
    moveTo(*key);
    m_main.Display_Data();
    dialogs().inform(QStringLiteral("Article restored."), AppInfo::kTitle, &m_main);
    return true;
}

void HistoryCommands::moveTo(qint64 recordId)
{
    Recordset& articles = m_session.rsArticles();
    // A restored row is new: it is read last, so the search starts there.
    for (int position = articles.recordCount(); position >= 1; --position) {
        articles.setAbsolutePosition(position);
        if (articles.value(kRecordId).toLongLong() == recordId)
            return;
    }
    if (articles.recordCount() > 0)
        articles.moveFirst();
}
