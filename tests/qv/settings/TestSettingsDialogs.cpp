#include "WindowTest.h"
#include "settings/General.h"
#include "settings/UserGuide.h"
#include "settings/frmDataPath.h"
#include "settings/frmPrefs.h"
#include "settings/frmRun.h"
#include "shell/DesktopShell.h"

#include <QListWidget>
#include <QSpinBox>
#include <QToolBar>

// The preferences, database path, information and run dialogs and the user's guide
// command, on five articles.
class TestSettingsDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<RunningQuorvel> m_quorvel;

    frmMain& main() { return m_quorvel->main(); }
    RecordingDialogs& dialogs() { return m_quorvel->dialogs(); }
    template <typename Window>
    Window* opened(const char* command)
    {
        m_quorvel->trigger(command);
        return main().findChild<Window*>();
    }
    template <typename Widget = QPushButton>
    static Widget* control(QWidget* window, const char* name)
    {
        return window->findChild<Widget*>(QLatin1String(name));
    }
    static QString pref(const char* section, const char* key)
    {
        return ReadPref(QLatin1String(section), QLatin1String(key));
    }
    static void setPref(const char* section, const char* key, const QString& value)
    {
        QVERIFY(WritePref(QLatin1String(section), QLatin1String(key), value));
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(5);
        QVERIFY(m_quorvel->start());
    }
    void cleanup() { m_quorvel.reset(); }

    void preferencesOpenWithTheStoredValues_data()
    {
        QTest::addColumn<QString>("viewer");
        QTest::addColumn<QString>("toolbar");
        QTest::addColumn<QString>("dateFormat");
        QTest::addColumn<bool>("viewerTicked");
        QTest::addColumn<bool>("toolbarTicked");
        QTest::addColumn<int>("row");
        QTest::newRow("row 6 stored") << "1" << "" << "d-mmmm" << true << true << 5;
        QTest::newRow("older long form") << "1.0" << "0" << "dddd, mmmm dd, yyyy" << true
                                         << false << 5;
        QTest::newRow("row 5 stored") << "yes" << "1" << "m/d/yy" << false << true << 4;
        QTest::newRow("leading characters") << "" << "abc" << "mm/dd/yyyy hh:nn" << false
                                            << true << 0;
        QTest::newRow("unknown") << "0" << "0.0" << "d.m.yyyy" << false << false << -1;
    }
    void preferencesOpenWithTheStoredValues()
    {
        QFETCH(QString, viewer);
        QFETCH(QString, toolbar);
        QFETCH(QString, dateFormat);
        QFETCH(bool, viewerTicked);
        QFETCH(bool, toolbarTicked);
        QFETCH(int, row);
        setPref("UserPrefs", "UseViewerForImages", viewer);
        setPref("UserPrefs", "Show Toolbar", toolbar);
        setPref("UserPrefs", "DateFormat", dateFormat);
        setPref("UserPrefs", "TitleBar", QStringLiteral("Help Desk"));
        auto* prefs = opened<frmPrefs>("mnuPrefs");
        QCOMPARE(control<QCheckBox>(prefs, "Check1")->isChecked(), viewerTicked);
        QCOMPARE(control<QCheckBox>(prefs, "chkToolbar")->isChecked(), toolbarTicked);
        auto* list = control<QListWidget>(prefs, "List1");
        QCOMPARE(list->count(), 10);
        QCOMPARE(list->selectedItems().isEmpty() ? -1 : list->currentRow(), row);
        QCOMPARE(control<QLineEdit>(prefs, "Text1")->text(), QStringLiteral("Help Desk"));
    }

    void preferencesSavedAndTheToolbarAcrossARestart()
    {
        setPref("UserPrefs", "DateFormat", QStringLiteral("d.m.yyyy"));
        auto* prefs = opened<frmPrefs>("mnuPrefs");
        control<QLineEdit>(prefs, "Text1")->clear();
        control<QCheckBox>(prefs, "chkToolbar")->setChecked(false);
        control<QCheckBox>(prefs, "Check1")->setChecked(true);
        auto* keep = control<QSpinBox>(prefs, "spnKeepVersions");
        QCOMPARE(keep->text(), QStringLiteral("All"));
        keep->setValue(30);
        control(prefs, "Command1")->click();
        QCOMPARE(pref("UserPrefs", "KeepVersionsDays"), QStringLiteral("30"));
        QCOMPARE(pref("UserPrefs", "UseViewerForImages"), QStringLiteral("1"));
        QCOMPARE(pref("UserPrefs", "TitleBar"), QString());
        QCOMPARE(pref("UserPrefs", "Show Toolbar"), QStringLiteral("0"));
        // No row chosen: the stored format stays.
        QCOMPARE(pref("UserPrefs", "DateFormat"), QStringLiteral("d.m.yyyy"));
        // An empty title shows as a blank: the platform would put the program's name there.
        QCOMPARE(main().windowTitle(), QStringLiteral(" "));
        QVERIFY(!main().toolbar()->isVisibleTo(&main()));

        QVERIFY(m_quorvel->start());
        QVERIFY(!main().toolbar()->isVisibleTo(&main()));
        prefs = opened<frmPrefs>("mnuPrefs");
        QVERIFY(!control<QCheckBox>(prefs, "chkToolbar")->isChecked());
        control<QCheckBox>(prefs, "chkToolbar")->setChecked(true);
        control<QListWidget>(prefs, "List1")->setCurrentRow(5);
        control<QLineEdit>(prefs, "Text1")->setText(QStringLiteral("Desk"));
        control(prefs, "Command1")->click();
        QCOMPARE(pref("UserPrefs", "DateFormat"), QStringLiteral("d-mmmm"));
        QVERIFY(main().toolbar()->isVisibleTo(&main()));
        QCOMPARE(main().windowTitle(), QStringLiteral("Desk"));
        // Cancel writes nothing.
        prefs = opened<frmPrefs>("mnuPrefs");
        control<QLineEdit>(prefs, "Text1")->setText(QStringLiteral("Not kept"));
        control(prefs, "Command2")->click();
        QCOMPARE(pref("UserPrefs", "TitleBar"), QStringLiteral("Desk"));
    }

    void aFailedWriteKeepsTheDialogOpen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("preferences") << "mnuPrefs";
        QTest::newRow("database path") << "mnuData";
    }
    void aFailedWriteKeepsTheDialogOpen()
    {
        QFETCH(QString, command);
        m_quorvel->trigger(qPrintable(command));
        auto* dialog = main().findChild<QDialog*>();
        control<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("/srv/kb/other.db"));
        // A folder where the file should be: nothing can be written.
        QVERIFY(QFile::remove(prefsFilePath()));
        QVERIFY(QDir().mkdir(prefsFilePath()));
        control(dialog, "Command1")->click();
        QCOMPARE(dialogs().texts(), QStringList{"The setting could not be saved to " +
                                                QDir::toNativeSeparators(prefsFilePath()) + "."});
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialogs().endProgramCalls(), 0);
        QVERIFY(main().windowTitle() != QStringLiteral("/srv/kb/other.db"));
    }

    void databasePath_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("articleEdited");
        QTest::addColumn<Dialogs::Answer>("exitAnswer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("ends");
        const QString restart =
            QStringLiteral("The database path has been changed. Please restart Quorvel.");
        const QString question = QStringLiteral("Save changes to this article before closing?");
        const QString other = QStringLiteral("/srv/kb/other file.db");
        QTest::newRow("unchanged") << QStringList{} << false << Dialogs::Answer::Ok
                                   << QStringList{} << false;
        QTest::newRow("changed") << QStringList{other} << false << Dialogs::Answer::Ok
                                 << QStringList{restart} << true;
        QTest::newRow("changed and back")
            << QStringList{other, QString()} << false << Dialogs::Answer::Ok << QStringList{}
            << false;
        QTest::newRow("letter case") << QStringList{QStringLiteral("upper")} << false
                                     << Dialogs::Answer::Ok << QStringList{restart} << true;
        // Ending goes the way of Exit (its answers: the article commands' tests).
        QTest::newRow("unsaved edits, staying")
            << QStringList{other} << true << Dialogs::Answer::Cancel
            << QStringList{restart, question} << false;
    }
    void databasePath()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, articleEdited);
        QFETCH(Dialogs::Answer, exitAnswer);
        QFETCH(QStringList, messages);
        QFETCH(bool, ends);
        if (articleEdited)
            m_quorvel->display().txtTitle->setText(QStringLiteral("Edited"));
        auto* path = opened<frmDataPath>("mnuData");
        auto* box = control<QLineEdit>(path, "Text1");
        const QString loaded = box->text();
        QCOMPARE(loaded, m_quorvel->database());
        // An empty entry stands for the text at opening, "upper" for it in capitals.
        for (const QString& text : typed)
            box->setText(text.isEmpty() ? loaded : text == "upper" ? loaded.toUpper() : text);
        dialogs().answerNext(Dialogs::Answer::Ok);
        dialogs().answerNext(exitAnswer);
        control(path, "Command1")->click();
        QCOMPARE(dialogs().texts(), messages);
        QCOMPARE(dialogs().endProgramCalls(), ends ? 1 : 0);
        QCOMPARE(pref("General", "Path"), box->text());
        QVERIFY(!path->isVisible());
    }

    void generalInformationCountsTheArticleSet()
    {
        m_quorvel->program().session->rsArticles().setFilter(QStringLiteral("Title LIKE #*4*#"));
        auto* info = opened<General>("mnuGen");
        QCOMPARE(control<QLabel>(info, "Label4")->text(), QStringLiteral("1"));
        QCOMPARE(control<QLabel>(info, "Label2")->text(), m_quorvel->database());
    }

    void runStartsMinimizedAndIgnoresWhatItCannotStart()
    {
        // The Tools menu is switched off: Ctrl+R does not reach the dialog.
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QTest::keyClick(&main(), Qt::Key_R, Qt::ControlModifier);
        QVERIFY(!main().findChild<frmRun*>());
        auto* run = opened<frmRun>("mnuRun");
        auto* box = control<QLineEdit>(run, "Text1");
        box->setText(QStringLiteral("galculator --mode basic"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(m_quorvel->shell().launches().size(), 1);
        const RecordingShell::Launch started = m_quorvel->shell().launches().front();
        QVERIFY(started.kind == RecordingShell::Kind::CommandLine);
        QCOMPARE(started.target, QStringLiteral("galculator --mode basic"));
        QVERIFY(started.mode == Shell::WindowMode::Minimized);
        QVERIFY(run->isVisible());

        // A document is no command line: the desktop shell starts nothing and nothing is said.
        DesktopShell desktop;
        installShell(&desktop);
        m_quorvel->folder().writeFile(QStringLiteral("notes.txt"), "a document");
        box->setText(m_quorvel->folder().filePath(QStringLiteral("notes.txt")));
        control(run, "Command1")->click();
        installShell(&m_quorvel->shell());
        QVERIFY(dialogs().messages().isEmpty());
        QVERIFY(run->isVisible());
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(!run->isVisible());
    }

    void usersGuideOpensOnlyWhenItIsThere()
    {
        m_quorvel->trigger("mnuMan");
        QVERIFY(m_quorvel->shell().launches().isEmpty());
        m_quorvel->folder().writeFile(QStringLiteral("Quorvel User's Guide.pdf"), "%PDF-1.4");
        m_quorvel->trigger("mnuMan");
        QCOMPARE(m_quorvel->shell().launches().size(), 1);
        QCOMPARE(m_quorvel->shell().launches().front().target, UserGuide::path());
    }
};

QTEST_MAIN(TestSettingsDialogs)
#include "TestSettingsDialogs.moc"
