#include "RunningQuorvel.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "richtext/RichTextBox.h"
#include "shell/ProgramFolder.h"
#include "startup/Main.h"
#include "startup/Session.h"
#include "db/Connection.h"

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

    // The menu bar as lines: "[title]" for a menu ("off" when switched off), followed by its
    // items as "name|caption|shortcut" and "-" for separators; then the toolbar's buttons
    // as "caption|tip".
    void menusAndToolbar()
    {
        QStringList lines;
        const std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& items) {
            for (QAction* item : items) {
                if (item->isSeparator())
                    lines << QStringLiteral("-");
                else if (item->menu())
                    lines << "[" + item->text() + (item->isEnabled() ? "]" : "] off");
                else
                    lines << item->objectName() + "|" + item->text() + "|" +
                                 item->shortcut().toString();
                if (item->menu())
                    walk(item->menu()->actions());
            }
        };
        walk(main().menuBar()->actions());
        QCOMPARE(lines,
                 QStringList(
                     {"[&File]", "mnuAdd|&Add New Article|Ctrl+N", "mnuSave|&Save Article|Ctrl+S",
                      "mnuDelete|&Delete Article|Ctrl+D", "mnuHistory|Article &History...|",
                      "mnuDeleted|D&eleted Articles...|", "mnuPrint|&Print Article|Ctrl+P", "-",
                      "mnuRefresh|Refresh|F5", "mnuLength|Article Length|F9", "-",
                      "mnuHTMLCurrent|Generate HTML For Article|Ctrl+H",
                      "mnuHTMLAll|Generate HTML For ALL Articles|Ctrl+W",
                      "mnuBackup|&Back Up Database...|", "-", "mnuFirst|&First Article|Ctrl+F1",
                      "mnuPrevious|Previous Article|Ctrl+F2", "mnuNext|Next Article|Ctrl+F3",
                      "mnuLast|Last Article|Ctrl+F4", "mnuGoTo|&Go To Record...|Ctrl+G", "-",
                      "mnuSearch|Sea&rch|F2", "mnuExit|E&xit|", "[&Setup]", "[&Passwords]",
                      "mnuEnablePasswords|Enable Passwords|",
                      "mnuPassSetup|&Setup Users For Passwords|", "mnuCategories|&Categories|F3",
                      "mnuUsers|&Users|F4", "mnuData|&Database Path|Ctrl+F5",
                      "mnuLabels|Customize &Labels|F6", "mnuSetupFont|&Font|F7", "-",
                      "mnuPrefs|&Preferences|F8", "[&Tools] off", "mnuRun|&Run|Ctrl+R",
                      "[&Reports] off", "mnuReportCat|Articles By Category|",
                      "mnuReportTech|Articles By Technician|", "[&Help]",
                      "mnuHelpSupport|Orvane Website | Support Page|", "mnuGen|&General Info|",
                      "mnuMan|&User's Guide|F1", "-", "mnuAbout|&About Quorvel...|",
                      "mnuNewsletter|Newsletter|"}));

        lines.clear();
        for (QAction* button : main().toolbar()->actions()) {
            lines << (button->isSeparator() ? QStringLiteral("-")
                                            : button->text() + QLatin1Char('|') + button->toolTip());
            QVERIFY(button->isSeparator() || !button->icon().isNull());
        }
        QCOMPARE(lines, QStringList({"New|Add New Article - Ctrl + N",
                                     "Save|Save Article - Ctrl + S ",
                                     "Delete|Delete Article - Ctrl + D",
                                     "Print|Print Article - Ctrl + P", "-", "Search|Search - F2",
                                     "Refresh |Refresh All/Reload Database - F5", "-",
                                     "First |First Article - Ctrl + F1",
                                     "Previous|Previous Article - Ctrl + F2",
                                     "Next|Next Article - Ctrl + F3",
                                     "Last|Last Article - Ctrl + F4", "-"}));
        // No TitleBar preference: a blank caption (left empty, the platform would show the
        // program's name).
        QCOMPARE(main().windowTitle(), QStringLiteral(" "));
    }

    // The toolbar runs the menu's commands (their shortcuts: shortcutsWorkFromEveryBox).
    void navigationClampsAtBothEnds()
    {
        QCOMPARE(shownNumber(), QStringLiteral("1"));
        action("mnuPrevious")->trigger();
        QCOMPARE(shownPosition(), QStringLiteral("1"));
        action("tlbTool11")->trigger(); // Next
        action("mnuNext")->trigger();
        QCOMPARE(shownNumber(), QStringLiteral("3"));
        QCOMPARE(display().txtTitle->text(), QStringLiteral("Article 3"));
        QCOMPARE(display().txtNote->text().trimmed(), QStringLiteral("Problem 3 text"));
        action("mnuLast")->trigger();
        action("mnuNext")->trigger();
        QCOMPARE(shownPosition(), QStringLiteral("5"));
        QCOMPARE(shownNumber(), QStringLiteral("5"));
        action("mnuFirst")->trigger();
        QCOMPARE(shownPosition(), QStringLiteral("1"));
    }

    // What another program changed shows as it is now; an article it deleted is reported
    // and passed over in the direction of the move.
    void articlesChangedOrDeletedElsewhere_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<QString>("shown"); // number and title
        QTest::addColumn<bool>("reported");
        QTest::newRow("changed") << "UPDATE QV SET Title = 'Theirs', Problem = "
                                    "'{\\rtf1 new\\par}' WHERE Id = 2"
                                 << QStringList{"mnuNext"} << "2 Theirs new" << false;
        QTest::newRow("next over a deleted one") << "DELETE FROM QV WHERE Id = 2"
                                                 << QStringList{"mnuNext"}
                                                 << "3 Article 3 Problem 3 text" << true;
        QTest::newRow("previous over a deleted one")
            << "DELETE FROM QV WHERE Id = 4" << QStringList{"mnuLast", "mnuPrevious"}
            << "3 Article 3 Problem 3 text" << true;
        QTest::newRow("the last one deleted") << "DELETE FROM QV WHERE Id = 5"
                                              << QStringList{"mnuLast"}
                                              << "4 Article 4 Problem 4 text" << true;
    }
    void articlesChangedOrDeletedElsewhere()
    {
        QFETCH(QString, sql);
        QFETCH(QStringList, moves);
        QFETCH(QString, shown);
        QFETCH(bool, reported);
        action("mnuNext")->trigger();
        action("mnuFirst")->trigger();
        Connection other;
        other.open(m_quorvel->database());
        other.execute(sql);
        m_dialogs->clear();
        for (const QString& move : moves)
            action(qPrintable(move))->trigger();
        QCOMPARE(shownNumber() + ' ' + display().txtTitle->text() + ' ' +
                     display().txtNote->toPlainText().trimmed(),
                 shown);
        QCOMPARE(m_dialogs->messages().size(), reported ? 1 : 0);
        if (reported) {
            const Dialogs::Message said = m_dialogs->lastMessage();
            QCOMPARE(said.text, QStringLiteral("This article was deleted by another user. Press "
                                               "Refresh to reload the articles."));
            QCOMPARE(said.title, QStringLiteral("Quorvel"));
            QVERIFY(said.buttons == Dialogs::Buttons::Ok);
        }
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

    // The six captions come from the Customize table; each names its box.
    void captionsComeFromCustomize()
    {
        QStringList captions;
        for (const char* name :
             {"lblProblemNo", "lbCUName", "lblTech", "Label4", "lblProblem", "lblSolution"}) {
            auto* label = display().findChild<QLabel*>(QLatin1String(name));
            captions << label->text().remove(QLatin1Char('&'));
            QVERIFY(label->buddy());
        }
        QCOMPARE(captions, QStringList({"Article No:", "Area:", "Written By:", "Heading:",
                                        "Symptom:", "Fix:"}));
    }

    // Typed into the number box; a deletion down to empty is refused too. The box takes
    // five characters.
    void numberCheck_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("refused");
        QTest::newRow("12a") << "12a" << "12a" << true;
        QTest::newRow("007") << "007" << "007" << false;
        QTest::newRow("1.5") << "1.5" << "1.5" << false;
        QTest::newRow("six digits") << "123456" << "12345" << false;
        QTest::newRow("empty") << "" << "" << true;
    }
    void numberCheck()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
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
        QCOMPARE(m_dialogs->texts().contains(
                     QStringLiteral("The ID number should be digits only. Please try again.")),
                 refused);
        QCOMPARE(box->text(), kept);
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
        QStringList stored;
        for (const char* key : {"Font", "FontSize", "FontBold", "FontItalic", "FontUnderline"})
            stored << ReadPref(QStringLiteral("Font"), QLatin1String(key));
        QCOMPARE(stored, QStringList({"DejaVu Serif", "10.5", "True", "False", "True"}));
        // The plain copies stay hidden.
        QVERIFY(!display().txtProblem->isVisibleTo(&display()));
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

        // A write that fails is said.
        QFile::setPermissions(m_quorvel->folder().prefsFile(), QFileDevice::ReadOwner);
        m_dialogs->nextFont(chosen);
        action("mnuSetupFont")->trigger();
        QCOMPARE(m_dialogs->lastMessage().text, "The setting could not be saved to " +
                                                    QDir::toNativeSeparators(prefsFilePath()) + ".");
    }

    void webPages()
    {
        action("mnuHelpSupport")->trigger();
        action("mnuNewsletter")->trigger();
        QCOMPARE(m_shell->launches().size(), 2);
        QVERIFY(m_shell->launches().at(0).target.endsWith(QStringLiteral("1.0.0menu")));
        QVERIFY(m_shell->launches().at(1).target.contains(QStringLiteral("newsletter")));
        action("mnuAbout")->trigger();
        QCOMPARE(m_dialogs->lastMessage().title, QStringLiteral("About Quorvel"));
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

    void wideBoxesEndEightPixelsFromTheRightEdge()
    {
        main().show();
        for (int width : {1200, 700}) {
            main().resize(width, 700);
            QCoreApplication::processEvents();
            for (QWidget* box : QList<QWidget*>{display().txtTitle, display().txtNote,
                                                display().txtNote2, display().txtReference})
                QCOMPARE(box->geometry().right() + 1, display().width() - 8);
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
