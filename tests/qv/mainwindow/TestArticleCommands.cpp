#include "WindowTest.h"
#include "db/Connection.h"
#include "mainwindow/ArticleCommands.h"
#include "richtext/RtfReader.h"
#include "startup/Main.h"

#include <QDialog>
#include <QSignalSpy>

namespace {
const QString kSaved = QStringLiteral("Article successfully saved.");

// A first article whose Problem is read in the background and is past the length warning's
// limit: paragraphs of 99 letters (100 characters with the paragraph end).
QString longProblem()
{
    const int paragraphs = int(frmDisplay::kLengthWarningLimit / 100) + 10;
    return QStringLiteral("{\\rtf1\\ansi\\pard ") +
           (QString(99, QLatin1Char('p')) + QStringLiteral("\\par ")).repeated(paragraphs) +
           QLatin1Char('}');
}
} // namespace

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
        return SqlScript::rows(m_quorvel->database(),
                               "SELECT Id, Title, CUName, techname, reference, EditedBy FROM QV " +
                                   where + " ORDER BY RecordID");
    }
    void startAgain()
    {
        QVERIFY(m_quorvel->start());
        commands().setClock([] { return QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9)); });
    }

    void begin(int articles, const QString& extraSql = {})
    {
        m_quorvel.reset();
        m_quorvel = std::make_unique<RunningQuorvel>(articles, extraSql);
        m_dialogs = &m_quorvel->dialogs();
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("DateFormat"),
                  QStringLiteral("mm/dd/yyyy"));
        startAgain();
    }

private Q_SLOTS:
    void init() { begin(10); }
    void cleanup() { m_quorvel.reset(); }

    // A new article is proposed with the next number and today's dates, and reaches the file
    // only when saved, without the question for existing ones; empty fields are filled.
    void newArticleIsProposedAndSavedWithFills()
    {
        const QStringList before = fileRows();
        trigger("mnuAdd");
        QCOMPARE(QStringList({display().txtID->text(), display().txtDateEdited->text(),
                              display().Label7->text(), display().txtNote->toPlainText(),
                              display().txtNote2->toPlainText()}),
                 QStringList({"11", "03/07/2026", "03/07/2026", "", ""}));
        QVERIFY(display().Label6->text().toInt() > 10);
        QCOMPARE(fileRows(), before);

        display().txtID->clear();
        display().txtTitle->setText(QStringLiteral("VPN drops every hour"));
        display().txtNote->setText(QStringLiteral("The tunnel closes."));
        m_dialogs->clear();
        trigger("mnuSave");
        QCOMPARE(m_dialogs->texts(), QStringList{kSaved});
        QCOMPARE(display().txtID->text() + ' ' + display().cboCUName->currentText(),
                 QStringLiteral("0000 N/A"));
        QCOMPARE(fileRows().size(), 11);
        QCOMPARE(fileRows().last(), QStringLiteral("0000|VPN drops every hour|N/A|N/A|N/A|N/A"));
        QCOMPARE(m_quorvel->rows("SELECT ProblemText, Image1, Image2, Image3, Image4, Image5, "
                                 "Image6, Image7, Image8, Image9, Image10 FROM QV WHERE Id = '0000'"),
                 QStringList{"The tunnel closes." + QStringLiteral("|N/A").repeated(10)});

        // It survives a restart, "0000" kept as typed, after the numbers.
        startAgain();
        trigger("mnuLast");
        QCOMPARE(display().txtID->text() + ' ' + display().txtTitle->text() + ' ' +
                     display().txtNote->toPlainText().trimmed(),
                 QStringLiteral("0000 VPN drops every hour The tunnel closes."));
    }

    // The date is checked before anything is asked or written; the date texts of every
    // pattern read back as dates (the date layer's tests), a pattern without a year and the
    // empty one included.
    void dateCheck_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("typed"); // null: the date proposed
        QTest::addColumn<bool>("saved");
        QTest::newRow("d-mmmm") << "d-mmmm" << QString() << true;
        QTest::newRow("empty pattern") << "" << QString() << true;
        QTest::newRow("empty") << "mm/dd/yyyy" << "" << false;
        QTest::newRow("a word") << "mm/dd/yyyy" << "yesterday" << false;
        QTest::newRow("no such day") << "mm/dd/yyyy" << "13/45/2020" << false;
    }
    void dateCheck()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, typed);
        QFETCH(bool, saved);
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("DateFormat"), pattern);
        trigger(typed.isNull() ? "mnuAdd" : "mnuFirst");
        if (!typed.isNull())
            display().txtDateEdited->setText(typed);
        trigger("mnuSave");
        QCOMPARE(m_dialogs->texts(),
                 QStringList{saved ? kSaved
                                   : "Please check the date edited and try again.\nShort date "
                                     "formats are recommended over long date formats."});
        QCOMPARE(fileRows().size(), saved ? 11 : 10);
    }

    // Saving an existing article and deleting one ask first: No writes nothing.
    void askedBeforeWriting_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("question"); // title and text
        QTest::addColumn<QString>("done");
        QTest::addColumn<QStringList>("article2"); // the row afterwards
        QTest::addColumn<QString>("position");
        QTest::newRow("save") << "mnuSave" << "Quorvel: Append article?" << kSaved
                              << QStringList{"2|Changed|Network|Smith|N/A|Smith"} << "2";
        QTest::newRow("delete") << "mnuDelete"
                                << "Delete Confirmation: You're about to delete this article.  "
                                   "Are you sure?"
                                << "Article deleted." << QStringList() << "1";
    }
    void askedBeforeWriting()
    {
        QFETCH(QString, command);
        QFETCH(QString, question);
        QFETCH(QString, done);
        QFETCH(QStringList, article2);
        QFETCH(QString, position);
        trigger("mnuNext");
        display().txtTitle->setText(QStringLiteral("Changed"));
        const QStringList before = fileRows();
        m_dialogs->answerNext(Dialogs::Answer::No);
        trigger(qPrintable(command));
        const Dialogs::Message asked = m_dialogs->lastMessage();
        QCOMPARE(asked.title + ": " + asked.text, question);
        QVERIFY(asked.buttons == Dialogs::Buttons::YesNo);
        QCOMPARE(fileRows(), before);

        m_dialogs->answerNext(Dialogs::Answer::Yes);
        trigger(qPrintable(command));
        QCOMPARE(m_dialogs->lastMessage().text, done);
        QCOMPARE(fileRows(QStringLiteral("WHERE Id = 2")), article2);
        QCOMPARE(fileRows().size(), article2.size() + 9);
        QCOMPARE(display().Label6->text(), position);
    }

    // A write that fails keeps what the user typed in the window, still unsaved, without
    // reloading; saving again succeeds once the cause is gone. A row another program changed
    // keeps failing until Refresh, which first offers the edits for saving.
    void failedWriteKeepsTheEdits_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("cause");
        QTest::newRow("save, file locked") << "save" << "lock";
        QTest::newRow("save, read-only") << "save" << "read-only";
        QTest::newRow("save, changed by another program") << "save" << "conflict";
        QTest::newRow("new article, file locked") << "new" << "lock";
        QTest::newRow("delete, read-only") << "delete" << "read-only";
        QTest::newRow("delete, changed by another program") << "delete" << "conflict";
    }
    void failedWriteKeepsTheEdits()
    {
        QFETCH(QString, command);
        QFETCH(QString, cause);
        Connection& program = m_quorvel->program().session->db();
        program.execute(QStringLiteral("PRAGMA busy_timeout = 50"));
        Connection other;
        other.open(m_quorvel->database());
        if (command == QLatin1String("new"))
            trigger("mnuAdd");
        else
            trigger("mnuNext"); // article 2
        display().txtTitle->setText(QStringLiteral("Mine"));
        display().txtNote->setText(QStringLiteral("typed"));
        if (cause == QLatin1String("lock"))
            other.execute(QStringLiteral("BEGIN IMMEDIATE"));
        else if (cause == QLatin1String("read-only"))
            program.execute(QStringLiteral("PRAGMA query_only = 1"));
        else
            other.execute(QStringLiteral("UPDATE QV SET Title = 'Theirs' WHERE Id = 2"));
        const QStringList before = fileRows();
        const bool deleting = command == QLatin1String("delete");
        const QString failure = QStringLiteral("A general error occured. Refreshing the database. "
                                               "Please try again. Error Code: %1.")
                                    .arg(deleting ? "D-1000" : "S-1000");
        const auto write = [&] {
            m_dialogs->clear();
            m_dialogs->answerNext(Dialogs::Answer::Yes); // "Append article?" or the deletion
            trigger(deleting ? "mnuDelete" : "mnuSave");
            return m_dialogs->lastMessage().text;
        };

        QCOMPARE(write(), failure);
        QCOMPARE(display().txtTitle->text(), QStringLiteral("Mine"));
        QCOMPARE(display().txtNote->toPlainText(), QStringLiteral("typed"));
        QVERIFY(display().isModified());
        QCOMPARE(display().Label6->text(), command == QLatin1String("new") ? "12" : "2");
        if (cause == QLatin1String("lock"))
            other.execute(QStringLiteral("ROLLBACK"));
        else if (cause == QLatin1String("read-only"))
            program.execute(QStringLiteral("PRAGMA query_only = 0"));
        QCOMPARE(fileRows(), before);

        if (cause == QLatin1String("conflict")) {
            QCOMPARE(write(), failure);
            m_dialogs->answerNext(Dialogs::Answer::No);
            trigger("mnuRefresh");
            QCOMPARE(m_dialogs->lastMessage().text,
                     QStringLiteral("Save changes to this article before closing?"));
            trigger("mnuNext");
            QCOMPARE(display().txtTitle->text(), QStringLiteral("Theirs"));
            display().txtTitle->setText(QStringLiteral("Mine"));
        }
        QCOMPARE(write(), deleting ? "Article deleted." : kSaved);
        if (deleting) {
            QCOMPARE(fileRows().size(), 9);
            QVERIFY(fileRows(QStringLiteral("WHERE Id = 2")).isEmpty());
        } else {
            QCOMPARE(fileRows().size(), command == QLatin1String("new") ? 11 : 10);
            QCOMPARE(fileRows(QStringLiteral("WHERE Title = 'Mine'")).size(), 1);
        }
    }

    // Deletes that write nothing: each shows its message, never "Article deleted.".
    void deleteRefusals_data()
    {
        QTest::addColumn<int>("articles");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("message");
        const QString unsaved = QStringLiteral("Quorvel can't delete this article because it has "
                                               "not been saved. Delete Process stopped.");
        QTest::newRow("new article") << 10 << QStringList{"mnuAdd"} << unsaved;
        QTest::newRow("new article reached by moving") << 10 << QStringList{"mnuAdd", "mnuLast"}
                                                       << unsaved;
        QTest::newRow("empty table, new article") << 0 << QStringList{"mnuAdd", "mnuFirst"} << unsaved;
        QTest::newRow("empty table") << 0 << QStringList() << "There is no article to delete.";
        QTest::newRow("only article") << 1 << QStringList()
                                      << "Quorvel can not delete the article because it is the "
                                         "ONLY Quorvel article.";
        QTest::newRow("only article, new one abandoned")
            << 1 << QStringList{"mnuAdd", "mnuFirst"}
            << "Quorvel can not delete the article because it is the ONLY Quorvel article.";
    }
    void deleteRefusals()
    {
        QFETCH(int, articles);
        QFETCH(QStringList, before);
        QFETCH(QString, message);
        begin(articles);
        for (const QString& command : before)
            trigger(command.toLatin1().constData());
        const QStringList rows = fileRows();
        m_dialogs->answerNext(Dialogs::Answer::Yes);
        trigger("mnuDelete");
        QCOMPARE(m_dialogs->lastMessage().text, message);
        QCOMPARE(m_dialogs->lastMessage().title, QStringLiteral("Quorvel"));
        QVERIFY(!m_dialogs->texts().contains(QStringLiteral("Article deleted.")));
        QCOMPARE(fileRows(), rows);
    }

    void abandonedNewArticleIsNeverWritten()
    {
        // New, then away to article 1: the next New proposes the number after the saved ones.
        trigger("mnuAdd");
        trigger("mnuFirst");
        trigger("mnuAdd");
        QCOMPARE(display().txtID->text(), QStringLiteral("11"));
        // Away again, edited and saved: only article 1 is written.
        trigger("mnuFirst");
        display().txtTitle->setText(QStringLiteral("Edited"));
        trigger("mnuSave");
        QCOMPARE(m_dialogs->lastMessage().text, kSaved);
        QCOMPARE(fileRows().size(), 10);
        QCOMPARE(fileRows().first(), QStringLiteral("1|Edited|Network|Smith|N/A|Smith"));

        // A failed save left behind: the next save writes its own article only.
        Connection& program = m_quorvel->program().session->db();
        trigger("mnuNext");
        display().txtTitle->setText(QStringLiteral("Left behind"));
        program.execute(QStringLiteral("PRAGMA query_only = 1"));
        trigger("mnuSave");
        program.execute(QStringLiteral("PRAGMA query_only = 0"));
        trigger("mnuNext");
        display().txtTitle->setText(QStringLiteral("Third"));
        trigger("mnuSave");
        QCOMPARE(m_dialogs->lastMessage().text, kSaved);
        QCOMPARE(fileRows().mid(1, 2), QStringList({"2|Article 2|Network|Smith|N/A|Smith",
                                                    "3|Third|Network|Smith|N/A|Smith"}));

        // New twice: the save writes the second one only.
        trigger("mnuAdd");
        trigger("mnuAdd");
        display().txtTitle->setText(QStringLiteral("Second"));
        trigger("mnuSave");
        QCOMPARE(fileRows().size(), 11);
        QCOMPARE(fileRows().last().section(QLatin1Char('|'), 1, 1), QStringLiteral("Second"));
    }

    // The boxes show every stored value whole, and a save stores back what they show.
    void saveChangesNothingThatWasNotTyped()
    {
        const QStringList values = {"123456", QString(40000, QLatin1Char('t')),
                                    QString(100000, QLatin1Char('r')), "e", "s"};
        QVERIFY(SqlScript::run(m_quorvel->database(),
                               QStringLiteral("UPDATE QV SET Id = '%1', Title = '%2', reference = "
                                              "'%3', CUName = '%4', techname = '%5' WHERE RecordID = 1")
                                   .arg(values[0], values[1], values[2], values[3], values[4])));
        trigger("mnuRefresh");
        m_dialogs->answerNext(Dialogs::Answer::Yes);
        trigger("mnuSave");
        QCOMPARE(m_dialogs->lastMessage().text, kSaved);
        QCOMPARE(SqlScript::rows(m_quorvel->database(), "SELECT Id, Title, reference, CUName, "
                                                        "techname FROM QV WHERE RecordID = 1"),
                 QStringList{values.join(QLatin1Char('|'))});
    }

    // Every gated command refuses a read-only user with its own message, and anyone at all
    // while passwords are on and nobody is logged in; nothing is written or opened. A
    // read-only user stays one after passwords are switched off.
    void gatedCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("passwords");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("message"); // "": allowed
        const QString passwords =
            QStringLiteral("Can't access passwords. The current user rights are set to read only.");
        const QString nobody = QStringLiteral("User not logged in. Please login before continuing.");
        const QString add =
            QStringLiteral("Can't add a new article. The current user rights are set to read only.");
        const auto row = [](const char* command, bool passwords, bool loggedIn, bool readOnly,
                            const QString& message) {
            QTest::addRow("%s, passwords %s, %s%s", command, passwords ? "on" : "off",
                          loggedIn ? "logged in" : "nobody", readOnly ? ", read-only" : "")
                << command << passwords << loggedIn << readOnly << message;
        };
        row("mnuAdd", true, true, true, add);
        row("mnuSave", true, true, true,
            "Can't save. The current user rights are set to read only.");
        row("mnuDelete", true, true, true,
            "Can't delete. The current user rights are set to read only.");
        row("mnuCategories", true, true, true,
            "Can't display Categories. The current user rights are set to read only.");
        row("mnuUsers", true, true, true,
            "Can't display Users. The current user rights are set to read only.");
        row("mnuData", true, true, true,
            "Can't display the Database Path. The current user rights are set to read only.");
        row("mnuLabels", true, true, true,
            "Can't display labels. The current user rights are set to read only.");
        row("mnuEnablePasswords", true, true, true, passwords);
        row("mnuPassSetup", true, true, true, passwords);
        row("mnuAdd", true, false, true, nobody);
        row("mnuPassSetup", true, false, true, nobody);
        row("mnuAdd", false, true, true, add);
        row("mnuAdd", false, false, false, "");
        row("mnuAdd", true, true, false, "");
        row("mnuAdd", false, true, false, "");
    }
    void gatedCommands()
    {
        QFETCH(QString, command);
        QFETCH(bool, passwords);
        QFETCH(bool, loggedIn);
        QFETCH(bool, readOnly);
        QFETCH(QString, message);
        LoginState& login = m_quorvel->session().login;
        login.PasswordsEnabled = passwords;
        login.UserLoggedIn = loggedIn;
        login.UserIsReadOnly = readOnly;
        const auto everything = [this] {
            return fileRows() + m_quorvel->rows("SELECT * FROM tblEnablePasswords");
        };
        const QStringList before = everything();
        trigger(command.toLatin1().constData());
        QCOMPARE(m_dialogs->texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(everything(), before);
        QCOMPARE(display().txtID->text(), message.isEmpty() ? "11" : "1");
        for (const QDialog* dialog : main().findChildren<QDialog*>())
            QVERIFY2(!dialog->isVisible(), qPrintable(dialog->objectName()));
    }

    // Leaving by Exit, or by closing the article window, offers unsaved edits for saving:
    // typed, chosen from a list, or a new article never saved.
    void exitOffersUnsavedEdits_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QString>("storedTitle");
        const int yes = int(Dialogs::Answer::Yes), no = int(Dialogs::Answer::No);
        const int cancel = int(Dialogs::Answer::Cancel);
        QTest::newRow("nothing edited") << "none" << cancel << true << "Article 1";
        QTest::newRow("yes saves and ends") << "typed" << yes << true << "Edited";
        QTest::newRow("no ends without saving") << "typed" << no << true << "Article 1";
        QTest::newRow("cancel stays") << "typed" << cancel << false << "Article 1";
        QTest::newRow("chosen from a list") << "chosen" << cancel << false << "Article 1";
        QTest::newRow("new article, window closed") << "new" << cancel << false << "Article 1";
    }
    void exitOffersUnsavedEdits()
    {
        QFETCH(QString, edit);
        QFETCH(int, answer);
        QFETCH(bool, ends);
        QFETCH(QString, storedTitle);
        if (edit == QLatin1String("typed")) {
            display().txtTitle->setFocus();
            display().txtTitle->selectAll();
            QTest::keyClicks(display().txtTitle, QStringLiteral("Edited"));
        } else if (edit == QLatin1String("chosen")) {
            display().cboCUName->setFocus();
            QTest::keyClick(display().cboCUName, Qt::Key_Down);
        }
        m_dialogs->answerNext(Dialogs::Answer(answer));
        m_dialogs->answerNext(Dialogs::Answer::Yes); // "Append article?" when saving
        if (edit == QLatin1String("new")) {
            trigger("mnuAdd");
            display().close();
        } else {
            trigger("mnuExit");
        }
        QCOMPARE(m_dialogs->messages().isEmpty(), edit == QLatin1String("none"));
        if (edit != QLatin1String("none")) {
            QCOMPARE(m_dialogs->messages().first().text,
                     QStringLiteral("Save changes to this article before closing?"));
            QVERIFY(m_dialogs->messages().first().buttons == Dialogs::Buttons::YesNoCancel);
        }
        QCOMPARE(m_dialogs->endProgramCalls(), ends ? 1 : 0);
        QCOMPARE(fileRows().first().section(QLatin1Char('|'), 1, 1), storedTitle);
    }

    // An article too long to read before it is shown: the length warning once the whole
    // article is in, and a save before that stores it whole.
    void longArticle_data()
    {
        QTest::addColumn<bool>("saveAtOnce");
        QTest::newRow("warning once read") << false;
        QTest::newRow("saved before it is read") << true;
    }
    void longArticle()
    {
        QFETCH(bool, saveAtOnce);
        const QString problem = longProblem();
        begin(2, QStringLiteral("UPDATE QV SET Problem = '%1' WHERE Id = 1;").arg(problem));
        RichTextBox& box = *display().txtNote;
        QVERIFY(box.isLoading());
        if (!saveAtOnce) {
            QCOMPARE(display().lblWarning->text(), QString());
            QSignalSpy finished(&box, &RichTextBox::loadFinished);
            QVERIFY(finished.wait(20000));
            QVERIFY(!display().lblWarning->text().isEmpty());
            return;
        }
        m_dialogs->answerNext(Dialogs::Answer::Yes);
        trigger("mnuSave");
        QCOMPARE(m_dialogs->lastMessage().text, kSaved);
        const QString plain = RtfReader::plainText(problem);
        const QStringList stored = m_quorvel->rows("SELECT Problem, ProblemText FROM QV WHERE Id = 1");
        QCOMPARE(RtfReader::plainText(stored.value(0).section('|', 0, 0)), plain);
        QCOMPARE(stored.value(0).section('|', 1), plain);
    }
};

QTEST_MAIN(TestArticleCommands)
#include "TestArticleCommands.moc"
