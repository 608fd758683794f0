#include "ArticleFixture.h"
#include "RecordingDialogs.h"
#include "RecordingShell.h"
#include "SqlScript.h"
#include "TempProgramFolder.h"
#include "db/DbError.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "startup/Main.h"
#include "startup/QuorvelApplication.h"
#include "startup/RunTimeError.h"
#include "startup/Session.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTest>

#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {
// Set in a copy of this test run as another user: the file the first copy made.
const char kForeignFile[] = "QV_TEST_FOREIGN_FILE";

enum class File
{
    Missing,
    Empty,
    Text,
    Truncated,
    NoArticleTable,
    NoPlainText,
    ReadOnly,
    HeldTransactions,
    RollbackMode,
    WriteAhead,
    LockedBriefly,
    LockedPastTheWait
};
enum class Outcome
{
    Refused,
    Opens,
    OpensReadOnly,
    Upgraded,
    LockedReport
};

const QString kNoPlainText =
    SqlScript::dataFile(QStringLiteral("db/drop-search-index.sql")) +
    SqlScript::dataFile(QStringLiteral("db/drop-history.sql")) +
    QStringLiteral("ALTER TABLE QV DROP COLUMN ProblemText; ALTER TABLE QV DROP COLUMN SolutionText;");

// What a refused or merely read file must keep: being there, its time and its bytes.
QByteArray stateOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "missing";
    return QFileInfo(path).lastModified().toString(Qt::ISODateWithMs).toLatin1() + file.readAll();
}

// Another program's connection to the file, through SQLite's C interface.
class OtherProgram
{
public:
    explicit OtherProgram(const QString& path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~OtherProgram()
    {
        if (m_later.joinable())
            m_later.join();
        sqlite3_close_v2(m_db);
    }
    bool run(const char* sql)
    {
        return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    // Ends its transaction from a thread of its own while this one waits.
    void commitAfter(std::chrono::milliseconds delay)
    {
        m_later = std::thread([this, delay] {
            std::this_thread::sleep_for(delay);
            run("COMMIT");
        });
    }

private:
    sqlite3* m_db = nullptr;
    std::thread m_later;
};

// The label of every progress window shown.
class ProgressWatch : public QObject
{
public:
    ProgressWatch() { qApp->installEventFilter(this); }
    QStringList labels;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (auto* dialog = qobject_cast<QProgressDialog*>(watched);
            dialog && event->type() == QEvent::Show)
            labels.append(dialog->labelText());
        return false;
    }
};

QString make(File file, const TempProgramFolder& folder)
{
    const QString path = folder.filePath(QStringLiteral("kb.db"));
    WritePref(QStringLiteral("General"), QStringLiteral("Path"), path);
    switch (file) {
    case File::Missing:
        break;
    case File::Empty:
        folder.writeFile(QStringLiteral("kb.db"), {});
        break;
    case File::Text:
        folder.writeFile(QStringLiteral("kb.db"), "Printer FAQ\nRestart the spooler.\n");
        break;
    case File::Truncated:
        folder.createDatabase(ArticleFixture::sql(40));
        QFile::resize(path, QFileInfo(path).size() / 2);
        break;
    case File::NoArticleTable:
        SqlScript::run(path, QStringLiteral("CREATE TABLE Notes (Note VARCHAR(255));"));
        break;
    case File::NoPlainText:
        folder.createDatabase(ArticleFixture::sql(3) + kNoPlainText);
        break;
    case File::ReadOnly:
        folder.createDatabase(ArticleFixture::sql(3) + kNoPlainText);
        if (::geteuid() == 0) // the owner is the one who may not write, in a copy of this test
            QFile::setPermissions(folder.path(), QFile::permissions(folder.path()) |
                                                     QFile::ExeOther | QFile::ReadOther);
        else
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        break;
    case File::WriteAhead:
        folder.createDatabase(ArticleFixture::sql(3));
        SqlScript::run(path, QStringLiteral("PRAGMA journal_mode=WAL;"));
        break;
    default:
        folder.createDatabase(ArticleFixture::sql(3));
    }
    return path;
}

// The command that runs a program as an unprivileged user, or nothing when none can.
QStringList asOtherUser()
{
    QStringList command;
    if (const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        !setpriv.isEmpty())
        command = QStringList{setpriv, QStringLiteral("--reuid=65534"),
                              QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")};
    else if (const QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
             !runuser.isEmpty())
        command = QStringList{runuser, QStringLiteral("-u"), QStringLiteral("nobody"),
                              QStringLiteral("--")};
    if (command.isEmpty() ||
        QProcess::execute(command.first(), command.mid(1) + QStringList{QStringLiteral("true")}) !=
            0)
        return {};
    return command;
}

// Throws an engine error from its event handler, as a command without a handler of its
// own would.
class Failing : public QObject
{
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw DbError(DbError::UnknownTable, QStringLiteral("no such table: CUINFO"));
        return QObject::event(event);
    }
};

} // namespace

Q_DECLARE_METATYPE(File)
Q_DECLARE_METATYPE(Outcome)

// Start-up on a knowledge base, on empty tables, and on files that are no knowledge base,
// cannot be written, or are in use by other programs: what the user is told, and that a
// file start-up only reads stays as it was. Runs in the program's own application object,
// which ends with a report on an engine error no command handled.
class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hostileFiles_data()
    {
        QTest::addColumn<File>("file");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("progress"); // the progress window's label, if one shows
        const QString none;
        const QString waiting =
            QStringLiteral("Waiting for another program that is using the knowledge base...");
        QTest::newRow("missing file") << File::Missing << Outcome::Refused << none;
        QTest::newRow("0 bytes") << File::Empty << Outcome::Refused << none;
        QTest::newRow("text") << File::Text << Outcome::Refused << none;
        QTest::newRow("truncated database") << File::Truncated << Outcome::Refused << none;
        QTest::newRow("database without QV") << File::NoArticleTable << Outcome::Refused << none;
        QTest::newRow("no plain-text columns")
            << File::NoPlainText << Outcome::Upgraded
            << QStringLiteral("Adding the plain text of the articles to the knowledge base...");
        QTest::newRow("read-only by ownership") << File::ReadOnly << Outcome::OpensReadOnly << none;
        QTest::newRow("held read and write transactions")
            << File::HeldTransactions << Outcome::Opens << none;
        QTest::newRow("rollback mode") << File::RollbackMode << Outcome::Opens << none;
        QTest::newRow("write-ahead mode") << File::WriteAhead << Outcome::Opens << none;
        QTest::newRow("locked for a second") << File::LockedBriefly << Outcome::Opens << waiting;
        QTest::newRow("locked past the wait")
            << File::LockedPastTheWait << Outcome::LockedReport << waiting;
    }
    void hostileFiles()
    {
        QFETCH(File, file);
        QFETCH(Outcome, outcome);
        QFETCH(QString, progress);
        TempProgramFolder folder;
        const QString foreign = qEnvironmentVariable(kForeignFile);
        const QString path = foreign.isEmpty() ? make(file, folder) : foreign;
        if (!foreign.isEmpty())
            WritePref(QStringLiteral("General"), QStringLiteral("Path"), path);
        else if (file == File::ReadOnly && ::geteuid() == 0) {
            // The owner may write it: this row runs again as a user who may not.
            const QStringList command = asOtherUser();
            if (command.isEmpty())
                QSKIP("neither setpriv nor runuser can run the test as another user");
            const QByteArray before = stateOf(path);
            QProcess copy;
            copy.setProcessChannelMode(QProcess::ForwardedChannels);
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QLatin1String(kForeignFile), path);
            copy.setProcessEnvironment(environment);
            copy.start(command.first(),
                       command.mid(1) +
                           QStringList{QCoreApplication::applicationFilePath(),
                                       QStringLiteral("hostileFiles:") +
                                           QString::fromLatin1(QTest::currentDataTag())});
            QVERIFY(copy.waitForFinished(120000));
            QCOMPARE(copy.exitCode(), 0);
            QVERIFY(stateOf(path) == before);
            return;
        }
        const QByteArray before = stateOf(path);

        OtherProgram other(path);
        OtherProgram writer(path);
        if (file == File::HeldTransactions) {
            QVERIFY(other.run("BEGIN; SELECT count(*) FROM QV;"));
            QVERIFY(writer.run("BEGIN IMMEDIATE; UPDATE QV SET Title = 'Held' WHERE Id = 2;"));
        }
        if (file == File::LockedBriefly || file == File::LockedPastTheWait)
            QVERIFY(other.run("BEGIN EXCLUSIVE;"));
        if (file == File::LockedBriefly)
            other.commitAfter(std::chrono::milliseconds(1200));

        RecordingDialogs dialogs;
        RecordingShell shell;
        ProgressWatch watch;
        Program program;
        try {
            program = Main();
            QVERIFY(outcome != Outcome::LockedReport);
        } catch (const DbError& error) {
            // Reported by the caller as a run-time error: never as a wrong path.
            QCOMPARE(outcome, Outcome::LockedReport);
            QVERIFY(error.cause() == DbError::Cause::Locked);
            QVERIFY(dialogs.messages().isEmpty() && shell.launches().isEmpty());
        }
        QCOMPARE(watch.labels, progress.isEmpty() ? QStringList() : QStringList{progress});
        if (outcome != Outcome::Upgraded)
            QVERIFY(stateOf(path) == before);

        if (outcome == Outcome::Refused) {
            QVERIFY(!program.mainWindow);
            QCOMPARE(dialogs.messages().size(), 1);
            const QString text = dialogs.lastMessage().text;
            QVERIFY2(text.startsWith(QStringLiteral("Error: Unable to open database.\nError "
                                                    "description: ")) &&
                         text.endsWith(QStringLiteral(" \nError code: -2147467259\n\nUse "
                                                      "Wayset.exe to modify the database path.")),
                     qPrintable(text));
            QCOMPARE(shell.launches().size(), 1);
            QCOMPARE(shell.launches().front().target, folder.filePath(QStringLiteral("wayset")));
            QCOMPARE(dialogs.endProgramCalls(), 1);
            return;
        }
        if (outcome == Outcome::LockedReport)
            return;
        QVERIFY(program.mainWindow && program.mainWindow->isVisible());
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(program.mainWindow->display()->txtTitle->text(), QStringLiteral("Article 1"));
        if (outcome == Outcome::Upgraded) // the plain text itself: the schema upgrade's tests
            QVERIFY(SqlScript::rows(path, "SELECT SolutionText FROM QV WHERE Id = 1")
                        .value(0)
                        .startsWith("Solution 1"));
        if (outcome == Outcome::OpensReadOnly) {
            dialogs.answerNext(Dialogs::Answer::Yes); // "Append article?"
            program.mainWindow->findChild<QAction*>(QStringLiteral("mnuSave"))->trigger();
            QCOMPARE(dialogs.lastMessage().text,
                     QStringLiteral("A general error occured. Refreshing the database. Please "
                                    "try again. Error Code: S-1000."));
            QVERIFY(stateOf(path) == before);
        }
    }

    // After start-up a wait for another program's write shows the wait cursor until the
    // program is idle again.
    void longWaitShowsTheWaitCursor()
    {
        TempProgramFolder folder;
        OtherProgram other(folder.createDatabase(ArticleFixture::sql(2)));
        RecordingDialogs dialogs;
        RecordingShell shell;
        Program program = Main();
        QVERIFY(program.mainWindow);
        QVERIFY(other.run("BEGIN EXCLUSIVE;"));
        other.commitAfter(std::chrono::milliseconds(1000));
        dialogs.answerNext(Dialogs::Answer::Yes);
        program.mainWindow->findChild<QAction*>(QStringLiteral("mnuSave"))->trigger();
        QCOMPARE(dialogs.lastMessage().text, QStringLiteral("Article successfully saved."));
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QCoreApplication::processEvents();
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void goodDatabaseShowsTheFirstArticle()
    {
        TempProgramFolder folder;
        const QString database =
            folder.createDatabase(ArticleFixture::articleInsert(10, QStringLiteral("Ten")) +
                                  ArticleFixture::sql(3) +
                                  QStringLiteral("INSERT INTO Categories (category) VALUES ('');"));
        // The path quoted by hand, as many people write one with spaces.
        folder.writeFile(QStringLiteral("ini/qvprefs.ini"),
                         "[General]\nPath = \"" + database.toUtf8() +
                             "\"\n[UserPrefs]\nTitleBar=Help Desk KB\n");
        RecordingDialogs dialogs;
        RecordingShell shell;

        Program program = Main();
        QVERIFY(program.mainWindow);
        QVERIFY(program.mainWindow->isVisible());
        QCOMPARE(program.mainWindow->windowTitle(), QStringLiteral("Help Desk KB"));
        QVERIFY(dialogs.messages().isEmpty());
        // Ordered by number as a number: 1 before 10.
        QCOMPARE(program.mainWindow->display()->txtID->text(), QStringLiteral("1"));
        QCOMPARE(program.session->rsArticles().recordCount(), 4);
        // The empty category name is skipped, not the end of the list.
        QCOMPARE(program.session->CategoryNames,
                 QStringList({QStringLiteral("Email"), QStringLiteral("Network"),
                              QStringLiteral("Printing")}));
        QCOMPARE(program.mainWindow->display()->cboCUName->count(), 3);
        QVERIFY(!program.session->login.PasswordsEnabled);
    }

    // Empty article, category and author tables: an empty window, moves do nothing.
    void emptyTablesShowAnEmptyWindow()
    {
        TempProgramFolder folder;
        folder.createDatabase(ArticleFixture::sql(0) +
                              QStringLiteral("DELETE FROM Categories; DELETE FROM Users;"));
        RecordingDialogs dialogs;
        Program program = Main();
        QVERIFY(program.mainWindow);
        frmDisplay& display = *program.mainWindow->display();
        for (const char* command : {"mnuNext", "mnuPrevious", "mnuLast", "mnuFirst", "mnuRefresh"})
            program.mainWindow->findChild<QAction*>(QLatin1String(command))->trigger();
        QCOMPARE(display.txtID->text() + display.txtTitle->text(), QString());
        QVERIFY(dialogs.messages().isEmpty());
        QVERIFY(program.session->CategoryNames.isEmpty());
        QCOMPARE(display.cboTechName->count(), 0);
    }

    void missingUtilityGivesTheRunTimeReport()
    {
        TempProgramFolder folder;
        RecordingDialogs dialogs;
        RecordingShell shell;
        shell.setSucceeds(false);
        Program program = Main();
        QVERIFY(!program.mainWindow);
        QCOMPARE(dialogs.messages().size(), 2);
        QCOMPARE(dialogs.lastMessage().text,
                 RunTimeError::reportText(53, QStringLiteral("File not found: ") +
                                                  folder.filePath(QStringLiteral("wayset"))));
        QCOMPARE(dialogs.endProgramCalls(), 1);
    }

    void missingTableEndsWithTheRunTimeReport()
    {
        TempProgramFolder folder;
        folder.createDatabase(ArticleFixture::sql(1) + QStringLiteral("DROP TABLE CUINFO;"));
        RecordingDialogs dialogs;
        try {
            Main();
            QFAIL("start-up went on without the CUINFO table");
        } catch (const DbError& error) {
            QVERIFY2(error.description().contains(QStringLiteral("CUINFO"), Qt::CaseInsensitive),
                     qPrintable(error.description()));
            QCOMPARE(error.number(), DbError::UnknownTable);
        }
    }

    void engineErrorEndsWithTheReport_data()
    {
        QTest::addColumn<bool>("posted");
        QTest::newRow("sent") << false;
        QTest::newRow("posted through the event loop") << true;
    }
    void engineErrorEndsWithTheReport()
    {
        QFETCH(bool, posted);
        RecordingDialogs dialogs;
        Failing target;
        if (posted) {
            QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
            QCoreApplication::processEvents();
        } else {
            QEvent event(QEvent::User);
            QCoreApplication::sendEvent(&target, &event);
        }
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.lastMessage().text,
                 QStringLiteral("Run-time error '-2147217865':\n\nno such table: CUINFO"));
        QCOMPARE(dialogs.lastMessage().title, QStringLiteral("Quorvel"));
        QVERIFY(dialogs.lastMessage().icon == Dialogs::Icon::Critical);
        QCOMPARE(dialogs.endProgramCalls(), 1);
        QCOMPARE(dialogs.lastExitCode(), 1);
    }
};

int main(int argc, char* argv[])
{
    QuorvelApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestStartup.moc"
