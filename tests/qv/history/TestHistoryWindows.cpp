#include "AccountFixture.h"
#include "WindowTest.h"
#include "db/Connection.h"
#include "db/Store.h"
#include "history/ArticleHistory.h"
#include "history/HistorySchema.h"
#include "history/frmDeletedArticles.h"
#include "history/frmHistory.h"
#include "security/frmLogin.h"

#include <QTextEdit>
#include <QTreeWidget>

namespace {
const QString kReadOnlyRestore =
    QStringLiteral("Can't restore. The current user rights are set to read only.");
}

// The history windows reached from the File menu, on a database of five articles.
class TestHistoryWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;
    RecordingDialogs* m_dialogs = nullptr;

    frmDisplay& display() { return m_quorvel->display(); }
    Session& session() { return *m_quorvel->program().session; }
    void trigger(const char* name) { m_quorvel->trigger(name); }
    template <typename Window> Window* open(const char* command)
    {
        // A window closed earlier is gone.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        trigger(command);
        return m_quorvel->main().findChild<Window*>();
    }
    // The columns a version copies of the article with this key, as the file holds them.
    QList<QVariant> fileRow(qint64 key)
    {
        QList<QVariant> values;
        session().db().store().select(
            QStringLiteral("SELECT %1 FROM QV WHERE RecordID = ?")
                .arg(HistorySchema::articleColumns().join(QStringLiteral(", "))),
            {key}, [&values](QList<QVariant>&& row) { values = row; });
        return values;
    }
    void saveShown()
    {
        m_dialogs->answerNext(Dialogs::Answer::Yes); // "Append article?"
        trigger("mnuSave");
        QCOMPARE(m_dialogs->lastMessage().text, QStringLiteral("Article successfully saved."));
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(5);
        m_dialogs = &m_quorvel->dialogs();
        QVERIFY(m_quorvel->start());
        trigger("mnuNext"); // article 2
    }
    void cleanup() { m_quorvel.reset(); }

    // Started on a knowledge base without history, the program adds it; with passwords on,
    // the versions carry the login name rather than Edited By.
    void startAddsHistoryAndLoginSigns()
    {
        m_quorvel.reset();
        m_quorvel = std::make_unique<RunningQuorvel>(
            3, SqlScript::dataFile(QStringLiteral("db/drop-history.sql")) +
                   QStringLiteral("UPDATE tblEnablePasswords SET EnablePasswords = -1;") +
                   AccountFixture::insert(QStringLiteral("dana"), QString(), "Dana Whitfield"));
        m_dialogs = &m_quorvel->dialogs();
        QVERIFY(m_quorvel->start());
        QVERIFY(HistorySchema::isKept(session().db()));
        frmLogin& login = m_quorvel->main().loginWindow();
        login.txtLoginName->setText(QStringLiteral("dana"));
        login.cmdLogin->click();
        QVERIFY(session().login.UserLoggedIn);
        display().txtTitle->setText(QStringLiteral("Signed"));
        saveShown();
        QCOMPARE(ArticleHistory(session().db()).versions(1).first().changedBy,
                 QStringLiteral("dana"));
    }

    // An overwritten solution is found in the history, compared and restored through the
    // article window; the save brings back every field and both documents byte for byte.
    void overwrittenSolutionIsRestored()
    {
        // Every field holds a value, as a row the program wrote does.
        QString filled = QStringLiteral("UPDATE QV SET Image1 = '/kb/old.png', ProblemText = "
                                        "'Problem 2 text', SolutionText = 'Solution 2 text'");
        for (int slot = 2; slot <= 10; ++slot)
            filled += QStringLiteral(", Image%1 = 'N/A'").arg(slot);
        m_quorvel.reset();
        m_quorvel = std::make_unique<RunningQuorvel>(5, filled + QStringLiteral(" WHERE Id = 2;"));
        m_dialogs = &m_quorvel->dialogs();
        QVERIFY(m_quorvel->start());
        const QList<QVariant> original = fileRow(2);
        session().db().execute(QStringLiteral("UPDATE QV SET Image1 = 'N/A' WHERE Id = 2"));
        trigger("mnuRefresh");
        trigger("mnuNext");
        display().txtTitle->setText(QStringLiteral("Spooler hangs"));
        display().txtNote2->setText(QStringLiteral("Call the vendor."));
        display().txtEditedBy->setText(QStringLiteral("Jones"));
        saveShown();

        auto* history = open<frmHistory>("mnuHistory");
        QVERIFY(history);
        QCOMPARE(history->lstVersions->topLevelItemCount(), 3);
        QCOMPARE(history->lstVersions->topLevelItem(0)->text(1), QStringLiteral("Jones"));
        QCOMPARE(history->lstVersions->topLevelItem(0)->text(2),
                 QStringLiteral("Title, Edited By, Solution"));
        QCOMPARE(history->lstVersions->topLevelItem(1)->text(2), QStringLiteral("Attachments"));
        QVERIFY(history->txtVersion->toPlainText().contains(QStringLiteral("Title: Article 2")));
        QVERIFY(history->txtVersion->toPlainText().contains(QStringLiteral("Solution 2 text")));
        history->cmdCompare->click();
        const QString compared = history->txtVersion->toPlainText();
        QVERIFY(compared.startsWith(QStringLiteral("Title:\n[-Article 2-]{+Spooler hangs+}")));
        QVERIFY(compared.contains(QStringLiteral("Problem (no change):")));
        QVERIFY(compared.contains(QStringLiteral("[-Solution 2 text-]{+Call the vendor.+}")));

        history->lstVersions->setCurrentItem(history->lstVersions->topLevelItem(1));
        history->cmdRestore->click();
        QVERIFY(!history->isVisible());
        QCOMPARE(display().txtTitle->text(), QStringLiteral("Article 2"));
        QVERIFY(display().isModified());
        saveShown();
        QCOMPARE(fileRow(2), original);
    }

    // Restoring over unsaved edits asks first; No keeps them.
    void restoreAsksBeforeReplacingEdits()
    {
        display().txtTitle->setText(QStringLiteral("Saved title"));
        saveShown();
        display().txtTitle->setText(QStringLiteral("Typed, unsaved"));
        auto* history = open<frmHistory>("mnuHistory");
        m_dialogs->answerNext(Dialogs::Answer::No);
        history->cmdRestore->click();
        QCOMPARE(m_dialogs->lastMessage().text,
                 QStringLiteral("Replace the unsaved changes in the article window with this "
                                "version?"));
        QCOMPARE(display().txtTitle->text(), QStringLiteral("Typed, unsaved"));
        QVERIFY(history->isVisible());
    }

    // A deleted article is listed and brought back from the menu, and shown; the kept
    // versions never show in navigation or the counts.
    void deletedArticleIsRestored()
    {
        m_dialogs->answerNext(Dialogs::Answer::Yes);
        trigger("mnuDelete");
        QCOMPARE(session().rsArticles().recordCount(), 4);
        auto* deleted = open<frmDeletedArticles>("mnuDeleted");
        QVERIFY(deleted);
        QCOMPARE(deleted->lstDeleted->topLevelItemCount(), 1);
        QCOMPARE(deleted->lstDeleted->topLevelItem(0)->text(0), QStringLiteral("2"));
        QCOMPARE(deleted->lstDeleted->topLevelItem(0)->text(1), QStringLiteral("Article 2"));
        deleted->cmdRestore->click();
        QCOMPARE(m_dialogs->lastMessage().text, QStringLiteral("Article restored."));
        QCOMPARE(display().txtTitle->text(), QStringLiteral("Article 2"));
        QCOMPARE(session().rsArticles().recordCount(), 5);
        trigger("mnuLast");
        QCOMPARE(session().rsArticles().absolutePosition(), 5);
        QCOMPARE(open<frmDeletedArticles>("mnuDeleted")->lstDeleted->topLevelItemCount(), 0);
    }

    // A read-only user may look but not restore.
    void readOnlyUserCannotRestore_data()
    {
        QTest::addColumn<bool>("deletedArticle");
        QTest::newRow("version") << false;
        QTest::newRow("deleted article") << true;
    }
    void readOnlyUserCannotRestore()
    {
        QFETCH(bool, deletedArticle);
        if (deletedArticle) {
            m_dialogs->answerNext(Dialogs::Answer::Yes);
            trigger("mnuDelete");
        } else {
            display().txtTitle->setText(QStringLiteral("Saved title"));
            saveShown();
        }
        const int count = session().rsArticles().recordCount();
        session().login.UserLoggedIn = true;
        session().login.UserIsReadOnly = true;
        m_dialogs->clear();
        if (deletedArticle)
            open<frmDeletedArticles>("mnuDeleted")->cmdRestore->click();
        else
            open<frmHistory>("mnuHistory")->cmdRestore->click();
        QCOMPARE(m_dialogs->messages().size(), 1);
        QCOMPARE(m_dialogs->lastMessage().text, kReadOnlyRestore);
        QCOMPARE(session().rsArticles().recordCount(), count);
        QVERIFY(!display().isModified());
    }
};

QTEST_MAIN(TestHistoryWindows)
#include "TestHistoryWindows.moc"
