#include "ArticleFixture.h"
#include "RecordingDialogs.h"
#include "RecordingShell.h"
#include "TempProgramFolder.h"
#include "db/DbError.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "startup/Main.h"
#include "startup/RunTimeError.h"
#include "startup/Session.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
};

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
