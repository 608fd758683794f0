#include "WindowTest.h"
#include "db/Connection.h"
#include "shell/ProgramFolder.h"

#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
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

    std::unique_ptr<RunningQuorvel> m_quorvel;

    frmMain& main() { return m_quorvel->main(); }
    frmDisplay& display() { return m_quorvel->display(); }
    RecordingDialogs& dialogs() { return m_quorvel->dialogs(); }
    void trigger(const char* name) { m_quorvel->trigger(name); }
    QString shown() { return display().txtID->text() + ' ' + display().Label6->text(); }
    static bool isKnowledgeBase(const QString& path)
    {
        return SqlScript::rows(path, "PRAGMA integrity_check; SELECT count(*) FROM QV;") ==
               QStringList({"ok", "5"});
    }
    void showActive()
    {
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(5);
        QVERIFY(m_quorvel->start());
    }
    void cleanup() { m_quorvel.reset(); }

    // Tools and Reports are switched off; every toolbar button has a picture.
    void menusAndToolbar()
    {
        QStringList off;
        for (QAction* menu : main().menuBar()->actions())
            if (!menu->isEnabled())
                off << menu->text();
        QCOMPARE(off, QStringList({"&Tools", "&Reports"}));
        for (QAction* button : main().toolbar()->actions())
            QVERIFY(button->isSeparator() || !button->icon().isNull());
    }

    // Moves stop at both ends; Refresh drops a search's filter.
    void navigationClampsAtBothEnds()
    {
        trigger("mnuPrevious");
        QCOMPARE(shown(), QStringLiteral("1 1"));
        trigger("tlbTool11"); // the toolbar's Next
        trigger("mnuNext");
        QCOMPARE(shown(), QStringLiteral("3 3"));
        QCOMPARE(display().txtTitle->text() + ' ' + display().txtNote->text().trimmed(),
                 QStringLiteral("Article 3 Problem 3 text"));
        trigger("mnuLast");
        trigger("mnuNext");
        QCOMPARE(shown(), QStringLiteral("5 5"));
        trigger("mnuFirst");
        QCOMPARE(shown(), QStringLiteral("1 1"));

        Recordset& articles = m_quorvel->articles();
        articles.setFilter(QStringLiteral("Title LIKE #*4*#"));
        main().Display_Data();
        QCOMPARE(shown(), QStringLiteral("4 1"));
        trigger("mnuRefresh");
        QCOMPARE(articles.filter(), QString());
        QCOMPARE(articles.recordCount(), 5);
        QCOMPARE(display().Label6->text(), QStringLiteral("1"));
    }

    // What another program changed shows as it is now; an article it deleted is reported
    // and passed over in the direction of the move.
    void articlesChangedOrDeletedElsewhere_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<QString>("shown"); // number, title and problem
        QTest::newRow("changed") << "UPDATE QV SET Title = 'Theirs', Problem = "
                                    "'{\\rtf1 new\\par}' WHERE Id = 2"
                                 << QStringList{"mnuNext"} << "2 Theirs new";
        QTest::newRow("next over a deleted one") << "DELETE FROM QV WHERE Id = 2"
                                                 << QStringList{"mnuNext"}
                                                 << "3 Article 3 Problem 3 text";
        QTest::newRow("previous over a deleted one")
            << "DELETE FROM QV WHERE Id = 4" << QStringList{"mnuLast", "mnuPrevious"}
            << "3 Article 3 Problem 3 text";
        QTest::newRow("the last one deleted") << "DELETE FROM QV WHERE Id = 5"
                                              << QStringList{"mnuLast"}
                                              << "4 Article 4 Problem 4 text";
    }
    void articlesChangedOrDeletedElsewhere()
    {
        QFETCH(QString, sql);
        QFETCH(QStringList, moves);
        QFETCH(QString, shown);
        trigger("mnuNext");
        trigger("mnuFirst");
        Connection other;
        other.open(m_quorvel->database());
        other.execute(sql);
        for (const QString& move : moves)
            trigger(qPrintable(move));
        QCOMPARE(display().txtID->text() + ' ' + display().txtTitle->text() + ' ' +
                     display().txtNote->toPlainText().trimmed(),
                 shown);
        QCOMPARE(dialogs().texts(), sql.startsWith("DELETE")
                                        ? QStringList{"This article was deleted by another user. "
                                                      "Press Refresh to reload the articles."}
                                        : QStringList());
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
        box->setText(typed.isEmpty() ? QStringLiteral("7") : QString());
        box->setFocus();
        if (typed.isEmpty()) {
            QTest::keyClick(box, Qt::Key_End);
            QTest::keyClick(box, Qt::Key_Backspace);
        }
        QTest::keyClicks(box, typed);
        QCOMPARE(dialogs().texts().contains(
                     QStringLiteral("The ID number should be digits only. Please try again.")),
                 refused);
        QCOMPARE(box->text(), kept);
    }

    // Every shortcut of the menus reaches its command with the focus in any box of the
    // article window. The commands do not run: the test takes the shortcut on its way.
    void shortcutsWorkFromEveryBox()
    {
        showActive();
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
        QStringList missed;
        for (QWidget* box : QList<QWidget*>{display().txtID, display().cboCUName,
                                            display().cboTechName, display().txtDateEdited,
                                            display().txtEditedBy, display().txtTitle,
                                            display().txtNote, display().txtNote2,
                                            display().txtReference}) {
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
        trigger("mnuNext");
        QCOMPARE(display().lblWarning->text(), QString());
    }

    void fontCommandStoresAndReappliesThePreference()
    {
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSizeF(10.5);
        chosen.setBold(true);
        chosen.setUnderline(true);
        dialogs().nextFont(chosen);
        trigger("mnuSetupFont");
        QStringList stored;
        for (const char* key : {"Font", "FontSize", "FontBold", "FontItalic", "FontUnderline"})
            stored << ReadPref(QStringLiteral("Font"), QLatin1String(key));
        QCOMPARE(stored, QStringList({"DejaVu Serif", "10.5", "True", "False", "True"}));
        QCOMPARE(display().txtProblem->font().pointSizeF(), 10.5);

        // The next start applies name, size, bold and italic to the plain copies.
        QVERIFY(m_quorvel->start());
        const QFont applied = display().txtSolution->font();
        QCOMPARE(applied.family() + ' ' + QString::number(applied.pointSizeF()),
                 QStringLiteral("DejaVu Serif 10.5"));
        QVERIFY(applied.bold());

        // Cancelling the dialog writes nothing; a write that fails is said.
        WritePref(QStringLiteral("Font"), QStringLiteral("Font"), QStringLiteral("Kept"));
        trigger("mnuSetupFont");
        QCOMPARE(ReadPref(QStringLiteral("Font"), QStringLiteral("Font")), QStringLiteral("Kept"));
        QFile::setPermissions(m_quorvel->folder().prefsFile(), QFileDevice::ReadOwner);
        dialogs().nextFont(chosen);
        trigger("mnuSetupFont");
        QCOMPARE(dialogs().texts(), QStringList{"The setting could not be saved to " +
                                                QDir::toNativeSeparators(prefsFilePath()) + "."});
    }

    void webPages()
    {
        trigger("mnuHelpSupport");
        trigger("mnuNewsletter");
        QCOMPARE(m_quorvel->shell().launches().size(), 2);
        QVERIFY(m_quorvel->shell().launches().at(0).target.endsWith(QStringLiteral("1.0.0menu")));
        QVERIFY(m_quorvel->shell().launches().at(1).target.contains(QStringLiteral("newsletter")));
        trigger("mnuAbout");
        QCOMPARE(dialogs().lastMessage().title, QStringLiteral("About Quorvel"));
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
        QStringList asked;
        for (const RecordingShell::Launch& launch : m_quorvel->shell().launches())
            asked << launch.workingFolder + ' ' + documentUrl(launch.target, launch.workingFolder).toString();
        QCOMPARE(asked, opened.isEmpty() ? QStringList() : QStringList{program + ' ' + opened});
    }

    // Tab moves between the controls as the eye reads them; in the rich-text boxes, where
    // Tab types a tab, Ctrl+Tab and Ctrl+Shift+Tab do. The six captions come from the
    // Customize table, each the buddy of its box.
    void keyboardWalksTheWindowInReadingOrder()
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

        showActive();
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
    // frame's caption stays as the preferences set it in either state. The wide boxes end
    // eight pixels from the right edge at any width.
    void articleWindowLayout()
    {
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("TitleBar"), QStringLiteral("Help desk"));
        QVERIFY(m_quorvel->start());
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        for (int width : {1200, 700}) {
            main().resize(width, 700);
            QCoreApplication::processEvents();
            for (QWidget* box : QList<QWidget*>{display().txtTitle, display().txtNote,
                                                display().txtNote2, display().txtReference})
                QCOMPARE(box->geometry().right() + 1, display().width() - 8);
        }
        auto* window = qobject_cast<QMdiSubWindow*>(display().parentWidget());
        QCOMPARE(window->windowTitle(), QString());
        window->showNormal();
        QCOMPARE(window->windowTitle(), QStringLiteral("Quorvel Article"));
        QCOMPARE(main().windowTitle(), QStringLiteral("Help desk"));
        window->resize(100, 100);
        QCoreApplication::processEvents();
        for (QWidget* control : display().findChildren<QWidget*>()) {
            if (control->isVisibleTo(&display()) && control->parentWidget() == &display())
                QVERIFY2(display().rect().contains(control->geometry()),
                         control->objectName().toLatin1());
        }
        window->showMaximized();
        QCOMPARE(main().windowTitle() + '|' + window->windowTitle(), QStringLiteral("Help desk|"));
    }

    // The public box switches its button; attachments wait for a save.
    void articleWindowButtons()
    {
        auto* button = display().findChild<QPushButton*>(QStringLiteral("cmdPublic"));
        QVERIFY(!button->isEnabled());
        display().findChild<QCheckBox*>(QStringLiteral("Check1"))->click();
        QVERIFY(button->isEnabled());
        display().findChild<QCheckBox*>(QStringLiteral("Check1"))->click();
        QVERIFY(!button->isEnabled());
        display().findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QCOMPARE(dialogs().texts(), QStringList{"Please make sure the article is saved before "
                                                "opening images/attachments."});
    }

    void typeAheadInTheAuthorList()
    {
        QComboBox* authors = display().cboTechName;
        authors->setEditText(QString());
        QTest::keyClicks(authors, QStringLiteral("s"));
        QCOMPARE(authors->currentText(), QStringLiteral("Smith"));
        QCOMPARE(authors->toolTip(), QStringLiteral("Smith"));
        // The same letter moves on, never to "sam", and round again past the end.
        for (const char* next : {"Stone", "Smith"}) {
            authors->lineEdit()->selectAll();
            QTest::keyClicks(authors, QStringLiteral("s"));
            QCOMPARE(authors->currentText(), QLatin1String(next));
        }
    }

    // File > Back Up Database...: a copy, nothing when cancelled, never onto itself.
    void backupCommand_data()
    {
        QTest::addColumn<QString>("target"); // "" cancels
        QTest::addColumn<QString>("message");
        QTest::addColumn<Dialogs::Icon>("icon");
        QTest::newRow("copy") << "copy.db"
                              << "The database was backed up to %1." << Dialogs::Icon::Information;
        QTest::newRow("cancelled") << "" << "" << Dialogs::Icon::None;
        QTest::newRow("refused") << "kb.db"
                                 << "The database could not be backed up to %1.\n\nA database "
                                    "cannot be backed up onto itself."
                                 << Dialogs::Icon::Critical;
    }
    void backupCommand()
    {
        QFETCH(QString, target);
        QFETCH(QString, message);
        QFETCH(Dialogs::Icon, icon);
        const QString file = target.isEmpty() ? target : m_quorvel->folder().filePath(target);
        dialogs().nextFileName(file);
        trigger("mnuBackup");
        QCOMPARE(dialogs().fileRequests(), 1);
        QCOMPARE(dialogs().texts(), message.isEmpty() ? QStringList() : QStringList{message.arg(file)});
        if (message.isEmpty())
            return;
        QCOMPARE(dialogs().lastMessage().title, QStringLiteral("Quorvel"));
        QCOMPARE(dialogs().lastMessage().icon, icon);
        QVERIFY(isKnowledgeBase(file));
    }

    // At start-up: today's copy made, the oldest of the program's copies removed down to
    // seven, other files left alone; a folder that cannot be made is reported.
    void dailyBackup()
    {
        QStringList files = {"notes.txt", "quorvel-2020-01-01.db"};
        for (int day = 1; day <= 8; ++day)
            files << QStringLiteral("quorvel-backup-2020-01-0%1.db").arg(day);
        for (const QString& name : files)
            m_quorvel->folder().writeFile("backups/" + name, "old");
        const QString folder = m_quorvel->folder().filePath("backups");
        WritePref("UserPrefs", "BackupFolder", folder);
        QVERIFY(m_quorvel->start());
        QCoreApplication::processEvents();
        const QString today =
            "quorvel-backup-" + QDate::currentDate().toString("yyyy-MM-dd") + ".db";
        QVERIFY(isKnowledgeBase(QDir(folder).filePath(today)));
        files = files.mid(0, 2) + files.mid(4) << today;
        files.sort();
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), files);
        QVERIFY(dialogs().messages().isEmpty());

        const QString blocked = m_quorvel->folder().filePath("notes.txt/backups");
        m_quorvel->folder().writeFile("notes.txt", "");
        WritePref("UserPrefs", "BackupFolder", blocked);
        QVERIFY(m_quorvel->start());
        QCoreApplication::processEvents();
        QCOMPARE(dialogs().lastMessage().text,
                 "The daily backup of the database could not be written to the folder " + blocked +
                     ".\n\nThe folder cannot be made.");
        QCOMPARE(dialogs().lastMessage().icon, Dialogs::Icon::Warning);
    }
};

QTEST_MAIN(TestfrmMain)
#include "TestfrmMain.moc"
