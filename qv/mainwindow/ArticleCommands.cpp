#include "ArticleCommands.h"

#include "db/DbError.h"
#include "editor/frmDisplay.h"
#include "mainwindow/RightsGate.h"
#include "profile/Prefs.h"
#include "richtext/RichTextBox.h"
#include "startup/Session.h"
#include "text/DateText.h"
#include "text/NumberText.h"
#include "ui/Dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const QString kTitle = QStringLiteral("Quorvel");
const QString kNotApplicable = QStringLiteral("N/A");

// The article number as it is stored: a plain number as a number, so that the set sorts 9
// before 10; anything else ("0000", "007") as the text typed.
QVariant storedNumber(const QString& text)
{
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (ok && QString::number(number) == text)
        return number;
    return text;
}

void fillIfEmpty(QLineEdit* box, const QString& filler)
{
    if (box->text().isEmpty())
        box->setText(filler);
}

void fillIfEmpty(QComboBox* list, const QString& filler)
{
    if (list->currentText().isEmpty())
        list->setEditText(filler);
}

} // namespace

ArticleCommands::ArticleCommands(Session& session, frmDisplay& display,
                                 std::function<void()> reload, QWidget* messageParent)
    : m_session(session), m_display(display), m_reload(std::move(reload)),
      m_messageParent(messageParent)
{
}

void ArticleCommands::reportAndReload(const QString& code)
{
    dialogs().inform(QStringLiteral("A general error occured. Refreshing the database. Please try "
                                    "again. Error Code") +
                         code,
                     kTitle, m_messageParent);
    m_reload();
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
        frmDisplay& d = m_display;
        d.txtID->setText(QString::number(articles.recordCount() + 1));
        d.cboCUName->setEditText(QString());
        d.cboTechName->setEditText(QString());
        d.txtProblem->clear();
        d.txtSolution->clear();
        d.txtReference->clear();
        d.Label7->clear();
        d.txtEditedBy->clear();
        const QString now = DateText::format(m_clock(), dateFormat);
        d.txtDateEdited->setText(now);
        d.Label7->setText(now);
        d.txtTitle->clear();
        d.txtNote->setTextRtf(QString());
        d.txtNote2->setTextRtf(QString());
        // An earlier new article that was never saved holds nothing the user typed: it
        // goes, so that no later write stores it as an empty article.
        articles.discardAdditions(false);
        articles.addNew();
        for (int slot = 1; slot <= 10; ++slot)
            articles.setValue(QStringLiteral("Image%1").arg(slot), kNotApplicable);
        d.Label6->setText(QString::number(articles.recordCount() + 1));
        d.beginNewArticle();
    } catch (const DbError&) {
        reportAndReload(QStringLiteral(" S01-N."));
    }
}

bool ArticleCommands::SaveArticle()
{
    if (!RightsGate::allows(m_session.login,
                            QStringLiteral("Can't save. The current user rights are set to read "
                                           "only."),
                            m_messageParent))
        return false;
    frmDisplay& d = m_display;
    try {
        if (!DateText::isDate(d.txtDateEdited->text())) {
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
        fillIfEmpty(d.cboTechName, kNotApplicable);
        fillIfEmpty(d.cboCUName, kNotApplicable);
        fillIfEmpty(d.txtID, QStringLiteral("0000"));

        Recordset& row = m_session.rsArticles();
        // The write takes this article only, not a new one that was left unsaved.
        row.discardAdditions(true);
        row.setValue(QStringLiteral("Id"), storedNumber(d.txtID->text()));
        row.setValue(QStringLiteral("Problem"), d.txtNote->textRtf());
        row.setValue(QStringLiteral("Solution"), d.txtNote2->textRtf());
        row.setValue(QStringLiteral("techname"), d.cboTechName->currentText());
        row.setValue(QStringLiteral("CUName"), d.cboCUName->currentText());
        row.setValue(QStringLiteral("Title"), d.txtTitle->text());
        row.setValue(QStringLiteral("InitialEntry"), d.Label7->text());
        fillIfEmpty(d.txtEditedBy, kNotApplicable);
        fillIfEmpty(d.txtReference, kNotApplicable);
        row.setValue(QStringLiteral("reference"), d.txtReference->text());
        row.setValue(QStringLiteral("EditedBy"), d.txtEditedBy->text());
        row.setValue(QStringLiteral("DateEdited"), d.txtDateEdited->text());
        // The plain text beside each document, so that a search never reads RTF.
        row.setValue(QStringLiteral("ProblemText"), d.txtNote->toPlainText());
        row.setValue(QStringLiteral("SolutionText"), d.txtNote2->toPlainText());
        row.updateBatch();
    } catch (const DbError&) {
        reportAndReload(QStringLiteral(": S-1000."));
        return false;
    }
    d.markSaved();
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
        // A new article left unsaved is neither counted nor written by the delete.
        articles.discardAdditions(true);
        const double shownPosition = NumberText::leadingValue(m_display.Label6->text());
        const int count = articles.recordCount();
        if (shownPosition > count) {
            dialogs().inform(QStringLiteral("Quorvel can't delete this article because it has not "
                                            "been saved. Delete Process stopped."),
                             kTitle, m_messageParent);
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
        if (count < 2)
            return;
        articles.deleteCurrent();
        articles.updateBatch();
        dialogs().inform(QStringLiteral("Article deleted."), kTitle, m_messageParent);
        m_reload();
    } catch (const DbError&) {
        reportAndReload(QStringLiteral(": D-1000."));
    }
}
