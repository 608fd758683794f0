#include "RunningQuorvel.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "richtext/RichTextBox.h"
#include "shell/ProgramFolder.h"
#include "startup/Main.h"
#include "startup/Session.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

namespace {
// Takes the shortcut events of the actions it watches, so that their commands do not run.
struct ShortcutCatcher : QObject
{
    QObject* caught = nullptr;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Shortcut)
            return false;
        caught = watched;
        return true;
    }
};
} // namespace

// The main window and its article window on a database of five articles.
class TestfrmMain : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;
    RecordingDialogs* m_dialogs = nullptr;
    RecordingShell* m_shell = nullptr;

    frmMain& main() { return m_quorvel->main(); }
    frmDisplay& display() { return m_quorvel->display(); }
    QAction* action(const char* name) { return main().findChild<QAction*>(QLatin1String(name)); }
    QString shownNumber() { return display().txtID->text(); }
    QString shownPosition() { return display().Label6->text(); }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(5);
        m_dialogs = &m_quorvel->dialogs();
        m_shell = &m_quorvel->shell();
        QVERIFY(m_quorvel->start());
    }
    void cleanup() { m_quorvel.reset(); }

    void menusHaveTheirCaptionsAndShortcuts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        const auto row = [](const char* name, const char* caption, QKeySequence key = {}) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption) << key;
        };
        row("mnuAdd", "&Add New Article", QKeySequence(Qt::CTRL | Qt::Key_N));
        row("mnuSave", "&Save Article", QKeySequence(Qt::CTRL | Qt::Key_S));
        row("mnuDelete", "&Delete Article", QKeySequence(Qt::CTRL | Qt::Key_D));
        row("mnuPrint", "&Print Article", QKeySequence(Qt::CTRL | Qt::Key_P));
        row("mnuRefresh", "Refresh", QKeySequence(Qt::Key_F5));
        row("mnuLength", "Article Length", QKeySequence(Qt::Key_F9));
        row("mnuHTMLCurrent", "Generate HTML For Article", QKeySequence(Qt::CTRL | Qt::Key_H));
        row("mnuHTMLAll", "Generate HTML For ALL Articles", QKeySequence(Qt::CTRL | Qt::Key_W));
        row("mnuBackup", "&Back Up Database...");
        row("mnuFirst", "&First Article", QKeySequence(Qt::CTRL | Qt::Key_F1));
        row("mnuPrevious", "Previous Article", QKeySequence(Qt::CTRL | Qt::Key_F2));
        row("mnuNext", "Next Article", QKeySequence(Qt::CTRL | Qt::Key_F3));
        row("mnuLast", "Last Article", QKeySequence(Qt::CTRL | Qt::Key_F4));
        row("mnuGoTo", "&Go To Record...", QKeySequence(Qt::CTRL | Qt::Key_G));
        row("mnuSearch", "Sea&rch", QKeySequence(Qt::Key_F2));
        row("mnuExit", "E&xit");
        row("mnuEnablePasswords", "Enable Passwords");
        row("mnuPassSetup", "&Setup Users For Passwords");
        row("mnuCategories", "&Categories", QKeySequence(Qt::Key_F3));
        row("mnuUsers", "&Users", QKeySequence(Qt::Key_F4));
        row("mnuData", "&Database Path", QKeySequence(Qt::CTRL | Qt::Key_F5));
        row("mnuLabels", "Customize &Labels", QKeySequence(Qt::Key_F6));
        row("mnuSetupFont", "&Font", QKeySequence(Qt::Key_F7));
        row("mnuPrefs", "&Preferences", QKeySequence(Qt::Key_F8));
        row("mnuRun", "&Run", QKeySequence(Qt::CTRL | Qt::Key_R));
        row("mnuReportCat", "Articles By Category");
        row("mnuReportTech", "Articles By Technician");
        row("mnuHelpSupport", "Orvane Website | Support Page");
        row("mnuGen", "&General Info");
        row("mnuMan", "&User's Guide", QKeySequence(Qt::Key_F1));
        row("mnuAbout", "&About Quorvel...");
        row("mnuNewsletter", "Newsletter");
    }
    void menusHaveTheirCaptionsAndShortcuts()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        auto* item = main().findChild<QAction*>(name);
        QVERIFY(item);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), shortcut);
    }

    void menuOrderAndSwitchedOffMenus()
    {
        QStringList titles;
        for (QAction* top : main().menuBar()->actions())
            titles << top->text();
        // No TitleBar preference: a blank caption (left empty, the platform would show the
        // program's name).
        QCOMPARE(main().windowTitle(), QStringLiteral(" "));
        QCOMPARE(titles, QStringList({"&File", "&Setup", "&Tools", "&Reports", "&Help",
                                      "Newsletter"}));
        QVERIFY(!main().findChild<QMenu*>("mnuTools")->menuAction()->isEnabled());
        QVERIFY(!main().findChild<QMenu*>("mnuReports")->menuAction()->isEnabled());
        QStringList file;
        for (QAction* item : main().findChild<QMenu*>("mnuFile")->actions())
            file << (item->isSeparator() ? QStringLiteral("-") : item->objectName());
        QCOMPARE(file, QStringList({"mnuAdd", "mnuSave", "mnuDelete", "mnuPrint", "-",
                                    "mnuRefresh", "mnuLength", "-", "mnuHTMLCurrent",
                                    "mnuHTMLAll", "mnuBackup", "-", "mnuFirst", "mnuPrevious",
                                    "mnuNext", "mnuLast", "mnuGoTo", "-", "mnuSearch", "mnuExit"}));
    }

    void toolbarButtons()
    {
        QStringList shown;
        for (QAction* button : main().toolbar()->actions())
            shown << (button->isSeparator() ? QStringLiteral("-")
                                            : button->text() + QLatin1Char('|') + button->toolTip());
        QCOMPARE(shown, QStringList({"New|Add New Article - Ctrl + N",
                                     "Save|Save Article - Ctrl + S ",
                                     "Delete|Delete Article - Ctrl + D",
                                     "Print|Print Article - Ctrl + P", "-",
                                     "Search|Search - F2",
                                     "Refresh |Refresh All/Reload Database - F5", "-",
                                     "First |First Article - Ctrl + F1",
                                     "Previous|Previous Article - Ctrl + F2",
                                     "Next|Next Article - Ctrl + F3",
                                     "Last|Last Article - Ctrl + F4", "-"}));
        for (QAction* button : main().toolbar()->actions())
            QVERIFY(button->isSeparator() || !button->icon().isNull());
    }

    void navigationClampsAtBothEnds()
    {
        QCOMPARE(shownNumber(), QStringLiteral("1"));
        action("mnuPrevious")->trigger();
        QCOMPARE(shownPosition(), QStringLiteral("1"));
        action("mnuNext")->trigger();
        action("mnuNext")->trigger();
        QCOMPARE(shownNumber(), QStringLiteral("3"));
        QCOMPARE(display().txtTitle->text(), QStringLiteral("Article 3"));
        QCOMPARE(display().txtNote->text().trimmed(), QStringLiteral("Problem 3 text"));
        action("mnuLast")->trigger();
        QCOMPARE(shownPosition(), QStringLiteral("5"));
        action("mnuNext")->trigger();
        QCOMPARE(shownPosition(), QStringLiteral("5"));
        QCOMPARE(shownNumber(), QStringLiteral("5"));
        action("mnuFirst")->trigger();
        QCOMPARE(shownPosition(), QStringLiteral("1"));
    }

    // The toolbar runs the menu's commands (their shortcuts: shortcutsWorkFromEveryBox).
    void toolbarRunsTheMenuCommand()
    {
        main().findChild<QAction*>(QStringLiteral("tlbTool11"))->trigger();
        QCOMPARE(shownPosition(), QStringLiteral("2"));
    }

    void refreshDropsTheFilter()
    {
        Recordset& articles = m_quorvel->program().session->rsArticles();
        articles.setFilter(QStringLiteral("Title LIKE #*4*#"));
        main().Display_Data();
        QCOMPARE(shownNumber(), QStringLiteral("4"));
        QCOMPARE(shownPosition(), QStringLiteral("1"));
        action("mnuRefresh")->trigger();
        QCOMPARE(articles.filter(), QString());
        QCOMPARE(articles.recordCount(), 5);
        QCOMPARE(shownPosition(), QStringLiteral("1"));
    }

    void captionsComeFromCustomize()
    {
        const char* const names[] = {"lblProblemNo", "lbCUName", "lblTech",
                                     "Label4",       "lblProblem", "lblSolution"};
        const QStringList expected = {"Article No:", "Area:", "Written By:",
                                      "Heading:",    "Symptom:", "Fix:"};
        for (int i = 0; i < 6; ++i) {
            auto* label = display().findChild<QLabel*>(QLatin1String(names[i]));
            QCOMPARE(label->text().remove(QLatin1Char('&')), expected.at(i));
            QVERIFY(label->buddy());
        }
    }

    void numberCheck_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::newRow("12a") << "12a" << true;
        QTest::newRow("007") << "007" << false;
        QTest::newRow("1.5") << "1.5" << false;
        QTest::newRow("empty") << "" << true;
    }
    void numberCheck()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QLineEdit* box = display().txtID;
        box->clear();
        box->setFocus();
        m_dialogs->clear();
        if (typed.isEmpty()) {
            box->setText(QStringLiteral("7"));
            QTest::keyClick(box, Qt::Key_End);
            QTest::keyClick(box, Qt::Key_Backspace);
        } else {
            QTest::keyClicks(box, typed);
        }
        const bool shown = !m_dialogs->messages().isEmpty() &&
                           m_dialogs->lastMessage().text ==
                               QStringLiteral("The ID number should be digits only. Please try again.");
        QCOMPARE(shown, refused);
        QCOMPARE(box->text(), typed);
    }

    // Every shortcut of the menus reaches its command with the focus in any box of the
    // article window. The commands do not run: the test takes the shortcut on its way.
    void shortcutsWorkFromEveryBox()
    {
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        ShortcutCatcher catcher;
        QList<QAction*> commands;
        for (QAction* item : main().findChildren<QAction*>()) {
            // Run's menu is switched off, its shortcut with it.
            if (item->shortcut().isEmpty() || !item->objectName().startsWith(QLatin1String("mnu")) ||
                item->objectName() == QLatin1String("mnuRun"))
                continue;
            item->setEnabled(true);
            item->installEventFilter(&catcher);
            commands << item;
        }
        QCOMPARE(commands.size(), 21);
        const QList<QWidget*> boxes = {display().txtID,         display().cboCUName,
                                       display().cboTechName,   display().txtDateEdited,
                                       display().txtEditedBy,   display().txtTitle,
                                       display().txtNote,       display().txtNote2,
                                       display().txtReference};
        QStringList missed;
        for (QWidget* box : boxes) {
            for (QAction* item : commands) {
                box->setFocus();
                catcher.caught = nullptr;
                const QKeyCombination key = item->shortcut()[0];
                QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
                if (catcher.caught != item)
                    missed << box->objectName() + QLatin1Char(':') + item->objectName();
            }
        }
        QCOMPARE(missed, QStringList());
    }

    void lengthWarningAtTheLimit()
    {
        QCOMPARE(frmDisplay::lengthWarning(1024768), QString());
        QCOMPARE(frmDisplay::lengthWarning(1024769),
                 QStringLiteral("Warning: Current length of article is greater than 1 MB which "
                                "can unneccessarily grow the size of the database. Consider "
                                "revising your article."));
        // Worked out again on display: a long text typed, then the next article is short.
        // Lines of 99 letters and a line break: 100 characters each.
        const QString line = QString(99, QLatin1Char('p')) + QLatin1Char('\n');
        display().txtNote->setText(line.repeated(10000));
        display().txtNote2->setText(line.repeated(247) + QString(68, QLatin1Char('s')));
        QCOMPARE(display().lblWarning->text(), QString());
        display().txtNote->moveCursor(QTextCursor::End);
        QTest::keyClick(display().txtNote, Qt::Key_X);
        QVERIFY(!display().lblWarning->text().isEmpty());
        action("mnuNext")->trigger();
        QCOMPARE(display().lblWarning->text(), QString());
    }

    void fontCommandStoresAndReappliesThePreference()
    {
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSizeF(10.5);
        chosen.setBold(true);
        chosen.setUnderline(true);
        m_dialogs->nextFont(chosen);
        action("mnuSetupFont")->trigger();
        QCOMPARE(ReadPref(QStringLiteral("Font"), QStringLiteral("Font")),
                 QStringLiteral("DejaVu Serif"));
        QCOMPARE(ReadPref(QStringLiteral("Font"), QStringLiteral("FontSize")),
                 QStringLiteral("10.5"));
        QCOMPARE(ReadPref(QStringLiteral("Font"), QStringLiteral("FontBold")),
                 QStringLiteral("True"));
        QCOMPARE(ReadPref(QStringLiteral("Font"), QStringLiteral("FontItalic")),
                 QStringLiteral("False"));
        QCOMPARE(ReadPref(QStringLiteral("Font"), QStringLiteral("FontUnderline")),
                 QStringLiteral("True"));
        QCOMPARE(display().txtProblem->font().pointSizeF(), 10.5);

        // The next start applies name, size, bold and italic to the plain copies.
        Program again = Main();
        const QFont applied = again.mainWindow->display()->txtSolution->font();
        QCOMPARE(applied.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(applied.pointSizeF(), 10.5);
        QVERIFY(applied.bold());

        // Cancelling the dialog writes nothing.
        WritePref(QStringLiteral("Font"), QStringLiteral("Font"), QStringLiteral("Kept"));
        action("mnuSetupFont")->trigger();
        QCOMPARE(ReadPref(QStringLiteral("Font"), QStringLiteral("Font")), QStringLiteral("Kept"));

        // A write that fails is said, and leaves the file as it was.
        const QString prefs = m_quorvel->folder().prefsFile();
        const QByteArray before = m_quorvel->folder().readFile(QStringLiteral("ini/qvprefs.ini"));
        QFile::setPermissions(prefs, QFileDevice::ReadOwner);
        m_dialogs->nextFont(chosen);
        action("mnuSetupFont")->trigger();
        QCOMPARE(m_dialogs->lastMessage().text, QStringLiteral("The setting could not be saved to ") +
                                                    QDir::toNativeSeparators(prefs) +
                                                    QStringLiteral("."));
        QCOMPARE(m_dialogs->lastMessage().title, QStringLiteral("Quorvel"));
        QCOMPARE(m_quorvel->folder().readFile(QStringLiteral("ini/qvprefs.ini")), before);
    }

    void webPagesAndExit()
    {
        action("mnuHelpSupport")->trigger();
        action("mnuNewsletter")->trigger();
        QCOMPARE(m_shell->launches().size(), 2);
        QVERIFY(m_shell->launches().at(0).target.endsWith(QStringLiteral("1.0.0menu")));
        QVERIFY(m_shell->launches().at(1).target.contains(QStringLiteral("newsletter")));
        action("mnuAbout")->trigger();
        QCOMPARE(m_dialogs->lastMessage().title, QStringLiteral("About Quorvel"));
        action("mnuExit")->trigger();
        QCOMPARE(m_dialogs->endProgramCalls(), 1);
    }

    // The reference is opened from the program folder; what the desktop is then asked to
    // open is worked out from the recorded request.
    void referenceOpensFromTheProgramFolder_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("opened"); // "" when nothing is started
        const auto row = [](const char* name, const char* reference, const char* opened) {
            QTest::newRow(name) << QString::fromUtf8(reference) << QString::fromUtf8(opened);
        };
        row("relative", "docs/guide.pdf", "file://<program>/docs/guide.pdf");
        row("relative upwards", " ../shared/a b.txt ", "file://<above>/shared/a b.txt");
        row("absolute with spaces", "/srv/kb files/VPN guide.pdf", "file:///srv/kb files/VPN guide.pdf");
        row("web address", "https://www.example.com/kb/42", "https://www.example.com/kb/42");
        row("www", "www.example.com/kb", "https://www.example.com/kb");
        row("mail", "mailto:help@example.com", "mailto:help@example.com");
        row("file address", "file:///srv/kb/a.pdf", "file:///srv/kb/a.pdf");
        row("N/A", "N/A", "");
        row("empty", "", "");
        row("blank", "   ", "");
    }
    void referenceOpensFromTheProgramFolder()
    {
        QFETCH(QString, reference);
        QFETCH(QString, opened);
        const QString program = programFolder();
        opened.replace(QLatin1String("<program>"), program);
        opened.replace(QLatin1String("<above>"), QFileInfo(program).path());
        display().txtReference->setText(reference);
        display().findChild<QPushButton*>(QStringLiteral("cmdReference"))->click();
        QCOMPARE(m_shell->launches().size(), opened.isEmpty() ? 0 : 1);
        if (opened.isEmpty())
            return;
        const RecordingShell::Launch launch = m_shell->launches().front();
        QCOMPARE(launch.workingFolder, program);
        QCOMPARE(documentUrl(launch.target, launch.workingFolder).toString(), opened);
    }

    // Tab moves between the controls as the eye reads them; in the rich-text boxes, where
    // Tab types a tab, Ctrl+Tab and Ctrl+Shift+Tab do.
    void keyboardWalksTheWindowInReadingOrder()
    {
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        const QStringList order = {"txtID",        "cboCUName",    "cboTechName", "txtDateEdited",
                                   "txtEditedBy",  "txtTitle",     "txtNote",     "Check1",
                                   "txtNote2",     "cmdReference", "txtReference", "Command1"};
        const auto focused = [] {
            QWidget* widget = QApplication::focusWidget();
            return qobject_cast<QComboBox*>(widget->parentWidget()) ? widget->parentWidget()->objectName()
                                                                   : widget->objectName();
        };
        const auto press = [](bool forward) {
            QWidget* widget = QApplication::focusWidget();
            Qt::KeyboardModifiers modifiers = forward ? Qt::NoModifier : Qt::ShiftModifier;
            if (qobject_cast<RichTextBox*>(widget))
                modifiers |= Qt::ControlModifier;
            QTest::keyClick(widget, forward ? Qt::Key_Tab : Qt::Key_Backtab, modifiers);
        };
        display().txtID->setFocus();
        QStringList walked = {focused()};
        while (walked.size() < order.size()) {
            press(true);
            walked << focused();
        }
        QCOMPARE(walked, order);
        walked = QStringList{focused()};
        while (walked.size() < order.size()) {
            press(false);
            walked.prepend(focused());
        }
        QCOMPARE(walked, order);
        QTest::keyClick(display().txtNote, Qt::Key_Tab);
        QVERIFY(display().txtNote->toPlainText().contains(QLatin1Char('\t')));
    }

    // Restored, the article window is titled and never smaller than its controls need; the
    // frame's caption stays as the preferences set it in either state.
    void restoredArticleWindow()
    {
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("TitleBar"), QStringLiteral("Help desk"));
        QVERIFY(m_quorvel->start());
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        auto* window = qobject_cast<QMdiSubWindow*>(display().parentWidget());
        QCOMPARE(window->windowTitle(), QString());
        window->showNormal();
        QCOMPARE(window->windowTitle(), QStringLiteral("Quorvel Article"));
        QCOMPARE(main().windowTitle(), QStringLiteral("Help desk"));
        window->resize(100, 100);
        QCoreApplication::processEvents();
        const QRect inside = display().rect();
        for (QWidget* control : display().findChildren<QWidget*>()) {
            if (control->isVisibleTo(&display()) && control->parentWidget() == &display())
                QVERIFY2(inside.contains(control->geometry()), control->objectName().toLatin1());
        }
        if (!qEnvironmentVariableIsEmpty("QUORVEL_SCREENSHOTS"))
            main().grab().save(qEnvironmentVariable("QUORVEL_SCREENSHOTS") + "/restored.png");
        window->showMaximized();
        QCOMPARE(main().windowTitle(), QStringLiteral("Help desk"));
        QCOMPARE(window->windowTitle(), QString());
    }

    void attachmentsAskForASaveFirst()
    {
        display().findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QCOMPARE(m_dialogs->lastMessage().text,
                 QStringLiteral("Please make sure the article is saved before opening "
                                "images/attachments."));
    }

    void everyControlIsThereByItsName()
    {
        for (const char* name :
             {"txtID", "cboCUName", "cboTechName", "txtTitle", "txtNote", "txtNote2", "txtReference",
              "Label6", "Label7", "txtEditedBy", "txtDateEdited", "txtProblem", "txtSolution",
              "lblWarning", "Check1", "cmdPublic", "Command1", "cmdReference", "Frame1", "Label1",
              "Label2", "Label3", "Label5", "lblProblemNo", "lbCUName", "lblTech", "Label4",
              "lblProblem", "lblSolution", "txtInitial"})
            QVERIFY2(display().findChild<QWidget*>(QLatin1String(name)), name);
        QVERIFY(!display().txtProblem->isVisibleTo(&display()));
        QCOMPARE(display().txtID->maxLength(), 5);
    }

    void wideBoxesEndEightPixelsFromTheRightEdge()
    {
        main().show();
        for (int width : {1200, 700}) {
            main().resize(width, 700);
            QCoreApplication::processEvents();
            const int right = display().width() - 8;
            for (QWidget* box : {static_cast<QWidget*>(display().txtTitle),
                                 static_cast<QWidget*>(display().txtNote),
                                 static_cast<QWidget*>(display().txtNote2),
                                 static_cast<QWidget*>(display().txtReference)})
                QCOMPARE(box->geometry().right() + 1, right);
        }
    }

    void publicArticleBoxEnablesItsButton()
    {
        auto* box = display().findChild<QCheckBox*>(QStringLiteral("Check1"));
        auto* button = display().findChild<QPushButton*>(QStringLiteral("cmdPublic"));
        QVERIFY(!button->isEnabled());
        box->click();
        QVERIFY(button->isEnabled());
        box->click();
        QVERIFY(!button->isEnabled());
    }

    void typeAheadInTheAuthorList()
    {
        QComboBox* authors = display().cboTechName;
        authors->setEditText(QString());
        QTest::keyClicks(authors, QStringLiteral("s"));
        QCOMPARE(authors->currentText(), QStringLiteral("Smith"));
        QCOMPARE(authors->toolTip(), QStringLiteral("Smith"));
        authors->lineEdit()->selectAll();
        QTest::keyClicks(authors, QStringLiteral("s"));
        QCOMPARE(authors->currentText(), QStringLiteral("Stone"));
    }
};

QTEST_MAIN(TestfrmMain)
#include "TestfrmMain.moc"
