#include "RunningQuorvel.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "editor/frmDisplay.h"
#include "mainwindow/ArticleCommands.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "richtext/RichTextBox.h"
#include "startup/Main.h"
#include "startup/Session.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {
const QString kSaved = QStringLiteral("Article successfully saved.");
}

// Adding, saving and deleting articles on a database of ten articles, read back from the
// file through a second connection.
class TestArticleCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;
    RecordingDialogs* m_dialogs = nullptr;

    frmMain& main() { return m_quorvel->main(); }
    frmDisplay& display() { return m_quorvel->display(); }
    ArticleCommands& commands() { return main().articleCommands(); }
    void trigger(const char* name) { m_quorvel->trigger(name); }

    // Rows of the file, read afresh: "Id|Title|CUName|techname|reference|EditedBy" each.
    QStringList fileRows(const QString& where = QString())
    {
        Connection other;
        other.open(m_quorvel->database());
        Recordset rows;
        rows.open(other, QStringLiteral("SELECT * FROM QV ") + where + QStringLiteral(" ORDER BY RecordID"));
        QStringList result;
        for (; !rows.isEof(); rows.moveNext()) {
            QStringList fields;
            for (const char* field : {"Id", "Title", "CUName", "techname", "reference", "EditedBy"})
                fields << rows.value(QLatin1String(field)).toString();
            result << fields.join(QLatin1Char('|'));
        }
        return result;
    }
    QVariant fileValue(const QString& where, const QString& field)
    {
        Connection other;
        other.open(m_quorvel->database());
        Recordset rows;
        rows.open(other, QStringLiteral("SELECT * FROM QV WHERE ") + where);
        return rows.value(field);
    }
    void startAgain()
    {
        QVERIFY(m_quorvel->start());
        commands().setClock([] { return QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9)); });
    }

    void begin(int articles)
    {
        m_quorvel.reset();
        m_quorvel = std::make_unique<RunningQuorvel>(articles);
        m_dialogs = &m_quorvel->dialogs();
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("DateFormat"),
                  QStringLiteral("mm/dd/yyyy"));
        startAgain();
    }

private Q_SLOTS:
    void init() { begin(10); }
    void cleanup() { m_quorvel.reset(); }

    void newArticleIsProposedAndSavedWithFills()
    {
        const QStringList before = fileRows();
        trigger("mnuAdd");
        QCOMPARE(display().txtID->text(), QStringLiteral("11"));
        QCOMPARE(display().txtDateEdited->text(), QStringLiteral("03/07/2026"));
        QCOMPARE(display().Label7->text(), QStringLiteral("03/07/2026"));
        QVERIFY(display().Label6->text().toInt() > 10);
        QCOMPARE(display().txtNote->toPlainText(), QString());
        QCOMPARE(display().txtNote2->toPlainText(), QString());
        Recordset& row = m_quorvel->program().session->rsArticles();
        for (int slot = 1; slot <= 10; ++slot)
            QCOMPARE(row.value(QStringLiteral("Image%1").arg(slot)).toString(), QStringLiteral("N/A"));
        // Nothing reaches the file before the save.
        QCOMPARE(fileRows(), before);

        display().txtID->clear();
        display().txtTitle->setText(QStringLiteral("VPN drops every hour"));
        display().txtNote->setText(QStringLiteral("The tunnel closes."));
        m_dialogs->clear();
        trigger("mnuSave");
        // A new article is not asked about: "Append article?" is for existing ones.
        QCOMPARE(m_dialogs->messages().size(), 1);
        QCOMPARE(m_dialogs->lastMessage().text, kSaved);
        QCOMPARE(display().txtID->text(), QStringLiteral("0000"));
        QCOMPARE(display().cboCUName->currentText(), QStringLiteral("N/A"));
        QCOMPARE(fileRows().size(), 11);
        QCOMPARE(fileRows().last(), QStringLiteral("0000|VPN drops every hour|N/A|N/A|N/A|N/A"));
        QCOMPARE(fileValue(QStringLiteral("Title = 'VPN drops every hour'"), QStringLiteral("ProblemText"))
                     .toString(),
                 QStringLiteral("The tunnel closes."));
        QCOMPARE(fileValue(QStringLiteral("Title = 'VPN drops every hour'"), QStringLiteral("Image7"))
                     .toString(),
                 QStringLiteral("N/A"));

        // It survives a restart, "0000" kept as typed, after the numbers.
        startAgain();
        trigger("mnuLast");
        QCOMPARE(display().txtID->text(), QStringLiteral("0000"));
        QCOMPARE(display().txtTitle->text(), QStringLiteral("VPN drops every hour"));
        QCOMPARE(display().txtNote->toPlainText().trimmed(), QStringLiteral("The tunnel closes."));
    }

    void everyDateFormatSavesAtOnce_data()
    {
        QTest::addColumn<QString>("pattern");
        for (const char* pattern : {"mm/dd/yyyy", "dd/mm/yyyy", "m/d/yyyy", "yyyy-mm-dd", "m/d/yy",
                                    "d-mmmm", "mmmm-yy", "d-mmmm-yy", "d mmmm", "mmmm yy", ""})
            QTest::newRow(pattern) << QString::fromLatin1(pattern);
    }
    void everyDateFormatSavesAtOnce()
    {
        QFETCH(QString, pattern);
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("DateFormat"), pattern);
        trigger("mnuAdd");
        m_dialogs->clear();
        trigger("mnuSave");
        QCOMPARE(m_dialogs->lastMessage().text, kSaved);
        QCOMPARE(fileRows().size(), 11);
    }

    void existingArticleAsksBeforeAppending()
    {
        const QStringList before = fileRows();
        display().txtTitle->setText(QStringLiteral("Changed"));
        m_dialogs->answerNext(Dialogs::Answer::No);
        trigger("mnuSave");
        QCOMPARE(m_dialogs->lastMessage().text, QStringLiteral("Append article?"));
        QVERIFY(m_dialogs->lastMessage().buttons == Dialogs::Buttons::YesNo);
        QCOMPARE(fileRows(), before);

        m_dialogs->answerNext(Dialogs::Answer::Yes);
        trigger("mnuSave");
        QCOMPARE(m_dialogs->lastMessage().text, kSaved);
        QCOMPARE(fileRows().first(), QStringLiteral("1|Changed|Network|Smith|N/A|Smith"));
    }

    void dateRefusals_data()
    {
        QTest::addColumn<QString>("date");
        QTest::newRow("empty") << QString();
        QTest::newRow("a word") << QStringLiteral("yesterday");
        QTest::newRow("no such day") << QStringLiteral("13/45/2020");
    }
    void dateRefusals()
    {
        QFETCH(QString, date);
        const QStringList before = fileRows();
        display().txtDateEdited->setText(date);
        trigger("mnuSave");
        QCOMPARE(m_dialogs->messages().size(), 1);
        QCOMPARE(m_dialogs->lastMessage().text,
                 QStringLiteral("Please check the date edited and try again.\nShort date formats are "
                                "recommended over long date formats."));
        QCOMPARE(fileRows(), before);
    }

    void anotherProgramsChangeWins()
    {
        {
            Connection other;
            other.open(m_quorvel->database());
            Recordset rows;
            rows.open(other, QStringLiteral("SELECT * FROM QV WHERE Id = 1"));
            rows.setValue(QStringLiteral("Title"), QStringLiteral("Theirs"));
            rows.updateBatch();
        }
        display().txtTitle->setText(QStringLiteral("Mine"));
        m_dialogs->answerNext(Dialogs::Answer::Yes);
        trigger("mnuSave");
        QCOMPARE(m_dialogs->lastMessage().text,
                 QStringLiteral("A general error occured. Refreshing the database. Please try again. "
                                "Error Code: S-1000."));
        QCOMPARE(fileRows().first(), QStringLiteral("1|Theirs|Network|Smith|N/A|Smith"));
        // Reloaded: the first row of the set, as the file now holds it.
        QCOMPARE(display().Label6->text(), QStringLiteral("1"));
        QCOMPARE(display().txtTitle->text(), QStringLiteral("Theirs"));
    }

    void deleteAsksAndReloads()
    {
        trigger("mnuNext"); // article 2
        m_dialogs->answerNext(Dialogs::Answer::No);
        trigger("mnuDelete");
        QCOMPARE(m_dialogs->lastMessage().text,
                 QStringLiteral("You're about to delete this article.  Are you sure?"));
        QCOMPARE(m_dialogs->lastMessage().title, QStringLiteral("Delete Confirmation"));
        QCOMPARE(fileRows().size(), 10);

        m_dialogs->answerNext(Dialogs::Answer::Yes);
        trigger("mnuDelete");
        QCOMPARE(m_dialogs->lastMessage().text, QStringLiteral("Article deleted."));
        QCOMPARE(fileRows().size(), 9);
        QVERIFY(fileRows(QStringLiteral("WHERE Id = 2")).isEmpty());
        QCOMPARE(display().Label6->text(), QStringLiteral("1"));
    }

    void deleteRefusesUnsavedAndOnlyArticles()
    {
        trigger("mnuAdd");
        m_dialogs->clear();
        trigger("mnuDelete");
        QCOMPARE(m_dialogs->messages().size(), 1);
        QCOMPARE(m_dialogs->lastMessage().text,
                 QStringLiteral("Quorvel can't delete this article because it has not been saved. "
                                "Delete Process stopped."));

        // A database of one article.
        begin(1);
        m_dialogs->answerNext(Dialogs::Answer::Yes);
        trigger("mnuDelete");
        QCOMPARE(m_dialogs->lastMessage().text,
                 QStringLiteral("Quorvel can not delete the article because it is the ONLY Quorvel "
                                "article."));
        QCOMPARE(fileRows().size(), 1);
        QCOMPARE(display().txtTitle->text(), QStringLiteral("Article 1"));
    }

    void abandonedNewArticleIsNeverWritten()
    {
        // New, then away to article 1, edited and saved: only article 1 is written.
        trigger("mnuAdd");
        trigger("mnuFirst");
        display().txtTitle->setText(QStringLiteral("Edited"));
        trigger("mnuSave");
        QCOMPARE(m_dialogs->lastMessage().text, kSaved);
        QCOMPARE(fileRows().size(), 10);
        QCOMPARE(fileRows().first(), QStringLiteral("1|Edited|Network|Smith|N/A|Smith"));

        // New twice: the save writes the second one only.
        trigger("mnuAdd");
        trigger("mnuAdd");
        display().txtTitle->setText(QStringLiteral("Second"));
        trigger("mnuSave");
        QCOMPARE(fileRows().size(), 11);
        QCOMPARE(fileRows().last().section(QLatin1Char('|'), 1, 1), QStringLiteral("Second"));
    }

    void abandonedNewArticleDoesNotLetTheOnlyArticleGo()
    {
        begin(1);
        trigger("mnuAdd");
        trigger("mnuFirst");
        m_dialogs->answerNext(Dialogs::Answer::Yes);
        trigger("mnuDelete");
        QCOMPARE(m_dialogs->lastMessage().text,
                 QStringLiteral("Quorvel can not delete the article because it is the ONLY Quorvel "
                                "article."));
        QCOMPARE(fileRows(), QStringList({QStringLiteral("1|Article 1|Network|Smith|N/A|Smith")}));
    }

    void choosingFromAListIsAnEdit()
    {
        QComboBox* categories = display().cboCUName;
        categories->setFocus();
        QTest::keyClick(categories, Qt::Key_Down);
        QVERIFY(categories->currentText() != QStringLiteral("Network"));
        m_dialogs->answerNext(Dialogs::Answer::Cancel);
        trigger("mnuExit");
        QCOMPARE(m_dialogs->lastMessage().text,
                 QStringLiteral("Save changes to this article before closing?"));
        QCOMPARE(m_dialogs->endProgramCalls(), 0);
    }

    void readOnlyUserIsRefused_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("new") << "mnuAdd"
                             << "Can't add a new article. The current user rights are set to read only.";
        QTest::newRow("save") << "mnuSave" << "Can't save. The current user rights are set to read only.";
        QTest::newRow("delete") << "mnuDelete"
                                << "Can't delete. The current user rights are set to read only.";
    }
    void readOnlyUserIsRefused()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        m_quorvel->program().session->login.UserLoggedIn = true;
        m_quorvel->program().session->login.UserIsReadOnly = true;
        const QStringList before = fileRows();
        const QString shownNumber = display().txtID->text();
        trigger(command.toLatin1().constData());
        QCOMPARE(m_dialogs->messages().size(), 1);
        QCOMPARE(m_dialogs->lastMessage().text, message);
        QCOMPARE(fileRows(), before);
        QCOMPARE(display().txtID->text(), shownNumber);
    }

    void exitAsksAboutUnsavedEdits_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QString>("storedTitle");
        QTest::newRow("yes saves and ends") << int(Dialogs::Answer::Yes) << true << "Edited";
        QTest::newRow("no ends without saving") << int(Dialogs::Answer::No) << true << "Article 1";
        QTest::newRow("cancel stays") << int(Dialogs::Answer::Cancel) << false << "Article 1";
    }
    void exitAsksAboutUnsavedEdits()
    {
        QFETCH(int, answer);
        QFETCH(bool, ends);
        QFETCH(QString, storedTitle);
        display().txtTitle->setFocus();
        display().txtTitle->selectAll();
        QTest::keyClicks(display().txtTitle, QStringLiteral("Edited"));
        m_dialogs->answerNext(Dialogs::Answer(answer));
        m_dialogs->answerNext(Dialogs::Answer::Yes); // "Append article?" when saving
        trigger("mnuExit");
        QCOMPARE(m_dialogs->messages().first().text,
                 QStringLiteral("Save changes to this article before closing?"));
        QVERIFY(m_dialogs->messages().first().buttons == Dialogs::Buttons::YesNoCancel);
        QCOMPARE(m_dialogs->endProgramCalls(), ends ? 1 : 0);
        QCOMPARE(fileRows().first().section(QLatin1Char('|'), 1, 1), storedTitle);
    }

    void exitWithoutEditsEndsAtOnce()
    {
        trigger("mnuNext");
        trigger("mnuExit");
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(m_dialogs->endProgramCalls(), 1);
        // A new article that was never saved counts as an unsaved edit.
        m_dialogs->clear();
        trigger("mnuAdd");
        m_dialogs->answerNext(Dialogs::Answer::Cancel);
        QVERIFY(!display().close());
        QCOMPARE(m_dialogs->lastMessage().text,
                 QStringLiteral("Save changes to this article before closing?"));
        QCOMPARE(m_dialogs->endProgramCalls(), 0);
    }
};

QTEST_MAIN(TestArticleCommands)
#include "TestArticleCommands.moc"
