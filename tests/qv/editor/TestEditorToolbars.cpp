#include "RunningQuorvel.h"
#include "editor/EditorCommands.h"
#include "editor/EditorToolbars.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "richtext/RichTextBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QTextDocument>

// The formatting toolbars and font lists of the article window, on its two rich-text boxes.
class TestEditorToolbars : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;

    frmDisplay& display() { return m_quorvel->display(); }
    RichTextBox* box(bool solution) { return solution ? display().txtNote2 : display().txtNote; }
    EditorCommands& commands() { return display().findChild<EditorToolbars*>()->commands(); }
    QAction* button(const QString& key) { return display().findChild<QAction*>(key); }
    QComboBox* list(const char* name) { return display().findChild<QComboBox*>(name); }

    // Both boxes hold one paragraph of their own text, all of it selected.
    void fillBoxes(int alignment)
    {
        for (bool solution : {false, true}) {
            box(solution)->setText(solution ? QStringLiteral("solution text")
                                            : QStringLiteral("problem text"));
            box(solution)->selectAll();
            box(solution)->setSelAlignment(alignment);
        }
    }
    // Works in the box, then leaves it for the title: the box is the one last worked in.
    void workIn(bool solution)
    {
        box(solution)->setFocus();
        display().txtTitle->setFocus();
        QVERIFY(display().txtTitle->hasFocus());
    }
    void choose(QComboBox* list, const QString& text)
    {
        list->setFocus();
        list->setCurrentIndex(list->findText(text));
        Q_EMIT list->activated(list->currentIndex());
    }
    QString picture()
    {
        const QString path = m_quorvel->folder().filePath(QStringLiteral("dot.png"));
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(path);
        return path;
    }
    static int pictures(const QTextDocument& document)
    {
        return int(document.toRawText().count(QChar::ObjectReplacementCharacter));
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(1);
        QVERIFY(m_quorvel->start());
        m_quorvel->main().show();
        QVERIFY(QTest::qWaitForWindowActive(&m_quorvel->main()));
    }
    void init() { m_quorvel->dialogs().clear(); }
    void cleanupTestCase() { m_quorvel.reset(); }

    void actsOnTheBoxLastWorkedIn_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("solution");
        const char* const actions[] = {"M_BOLD",   "M_ITALIC", "M_UNDERLINE", "M_COL",
                                       "M_LEFT",   "M_CENTER", "M_RIGHT",     "M_BULLET",
                                       "M_IMAGE",  "M_DATE",   "M_CUT",       "M_CPY",
                                       "M_PASTE",  "cboFont",  "cboSize"};
        for (const char* action : actions) {
            const int alignment = QByteArray(action) == "M_LEFT" ? RichTextBox::AlignRight
                                                                  : RichTextBox::AlignLeft;
            for (bool solution : {false, true})
                QTest::addRow("%s in %s", action, solution ? "Solution" : "Problem")
                    << QString::fromLatin1(action) << alignment << solution;
        }
    }
    void actsOnTheBoxLastWorkedIn()
    {
        QFETCH(QString, action);
        QFETCH(int, alignment);
        QFETCH(bool, solution);
        fillBoxes(alignment);
        workIn(solution);
        m_quorvel->dialogs().nextColor(Qt::red);
        m_quorvel->dialogs().nextFileName(picture());
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        const QString worked = box(solution)->textRtf();
        const QString other = box(!solution)->textRtf();

        if (action == QLatin1String("cboFont"))
            choose(list("cboFont"), list("cboFont")->itemText(list("cboFont")->count() - 1));
        else if (action == QLatin1String("cboSize"))
            choose(list("cboSize"), QStringLiteral("12"));
        else
            button(action)->trigger();

        if (action == QLatin1String("M_CPY"))
            QCOMPARE(QApplication::clipboard()->text(), box(solution)->text());
        else
            QVERIFY(box(solution)->textRtf() != worked);
        QCOMPARE(box(!solution)->textRtf(), other);
        if (action.startsWith(QLatin1String("cbo")))
            QVERIFY(box(solution)->hasFocus());
        QVERIFY(m_quorvel->dialogs().messages().isEmpty());
    }

    // Bold with a selection toggles the selection; without one, what is typed next.
    void boldToggles()
    {
        RichTextBox* solution = box(true);
        solution->setText(QStringLiteral("plain"));
        solution->setFocus();
        QAction* bold = button(QStringLiteral("M_BOLD"));
        solution->moveCursor(QTextCursor::End);
        bold->trigger();
        QVERIFY(bold->isChecked());
        QTest::keyClicks(solution, QStringLiteral("B"));
        solution->setSelStart(5);
        solution->setSelLength(1);
        QVERIFY(solution->selBold());
        QVERIFY(bold->isChecked());
        bold->trigger();
        QVERIFY(!solution->selBold());
        QVERIFY(!bold->isChecked());
        solution->setSelStart(1);
        QVERIFY(!bold->isChecked());
        QVERIFY(!box(false)->selBold());
    }

    void alignmentButtonsFollowTheParagraph()
    {
        RichTextBox* problem = box(false);
        problem->setText(QStringLiteral("one\ntwo"));
        problem->setFocus();
        const auto pressed = [this] {
            QStringList keys;
            for (const char* key : {"M_LEFT", "M_CENTER", "M_RIGHT"})
                if (button(QLatin1String(key))->isChecked())
                    keys << QLatin1String(key);
            return keys;
        };
        button(QStringLiteral("M_RIGHT"))->trigger();
        QCOMPARE(problem->selAlignment(), int(RichTextBox::AlignRight));
        QCOMPARE(pressed(), QStringList{"M_RIGHT"});
        problem->moveCursor(QTextCursor::End);
        QCOMPARE(pressed(), QStringList{"M_LEFT"});
        button(QStringLiteral("M_CENTER"))->trigger();
        button(QStringLiteral("M_LEFT"))->trigger();
        QCOMPARE(problem->selAlignment(), int(RichTextBox::AlignLeft));
        QCOMPARE(pressed(), QStringList{"M_LEFT"});
        problem->moveCursor(QTextCursor::Start);
        QCOMPARE(pressed(), QStringList{"M_RIGHT"});
    }

    void cancelledOrFailedDialogsChangeNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("colour cancelled") << "M_COL" << QByteArray() << QString();
        QTest::newRow("picture cancelled") << "M_IMAGE" << QByteArray() << QString();
        QTest::newRow("not a picture")
            << "M_IMAGE" << QByteArray("GIF89a broken") << "The picture could not be loaded.";
    }
    void cancelledOrFailedDialogsChangeNothing()
    {
        QFETCH(QString, action);
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        fillBoxes(RichTextBox::AlignLeft);
        workIn(false);
        if (!file.isEmpty()) {
            m_quorvel->folder().writeFile(QStringLiteral("bad.gif"), file);
            m_quorvel->dialogs().nextFileName(m_quorvel->folder().filePath("bad.gif"));
        }
        const QString before = box(false)->textRtf();
        button(action)->trigger();
        QCOMPARE(box(false)->textRtf(), before);
        if (message.isEmpty()) {
            QVERIFY(m_quorvel->dialogs().messages().isEmpty());
        } else {
            QCOMPARE(m_quorvel->dialogs().lastMessage().text, message);
            QCOMPARE(m_quorvel->dialogs().lastMessage().title, QStringLiteral("Quorvel"));
        }
    }

    void pictureGoesStraightIntoTheBox()
    {
        workIn(true);
        QApplication::clipboard()->setText(QStringLiteral("kept"));
        m_quorvel->dialogs().nextFileName(picture());
        button(QStringLiteral("M_IMAGE"))->trigger();
        QCOMPARE(pictures(*box(true)->document()), 1);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    }

    void dateTimeReplacesTheSelection()
    {
        RichTextBox* solution = box(true);
        solution->setText(QStringLiteral("Due: soon."));
        workIn(true);
        solution->setSelStart(5);
        solution->setSelLength(4);
        commands().setClock([] { return QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9)); });
        button(QStringLiteral("M_DATE"))->trigger();
        QCOMPARE(solution->text(), QStringLiteral("Due: 3/7/2026 2:05:09 PM."));
    }
};

QTEST_MAIN(TestEditorToolbars)
#include "TestEditorToolbars.moc"
