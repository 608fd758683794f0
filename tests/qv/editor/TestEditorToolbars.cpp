#include "WindowTest.h"
#include "editor/EditorCommands.h"
#include "editor/EditorToolbars.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>

// The formatting toolbars and font lists of the article window, on its two rich-text boxes.
class TestEditorToolbars : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;

    frmDisplay& display() { return m_quorvel->display(); }
    RichTextBox* box(bool solution) { return solution ? display().txtNote2 : display().txtNote; }
    QAction* button(const QString& key) { return display().findChild<QAction*>(key); }
    QString clipboard() { return QApplication::clipboard()->text(); }
    QStringList pressedAlignments()
    {
        QStringList keys;
        for (const char* key : {"M_LEFT", "M_CENTER", "M_RIGHT"})
            if (button(QLatin1String(key))->isChecked())
                keys << QLatin1String(key);
        return keys;
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

    // The action changes the box last worked in, never the other, and leaves the clipboard
    // alone unless it is a clipboard command. A row's action with "=" chooses in a list.
    void actsOnTheBoxLastWorkedIn_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("solution");
        for (const char* action : {"M_BOLD", "M_ITALIC", "M_UNDERLINE", "M_COL", "M_LEFT",
                                   "M_CENTER", "M_RIGHT", "M_BULLET", "M_IMAGE", "M_DATE", "M_CUT",
                                   "M_CPY", "M_PASTE", "cboFont=", "cboSize=12"})
            for (bool solution : {false, true})
                QTest::addRow("%s in %s", action, solution ? "Solution" : "Problem")
                    << QString::fromLatin1(action) << solution;
    }
    void actsOnTheBoxLastWorkedIn()
    {
        QFETCH(QString, action);
        QFETCH(bool, solution);
        for (bool which : {false, true}) {
            box(which)->setText(which ? QStringLiteral("solution") : QStringLiteral("problem"));
            box(which)->selectAll();
            // Left alignment shows only on a paragraph aligned otherwise.
            box(which)->setSelAlignment(action == QLatin1String("M_LEFT") ? RichTextBox::AlignRight
                                                                          : RichTextBox::AlignLeft);
        }
        box(solution)->setFocus();
        display().txtTitle->setFocus();
        QImage(4, 4, QImage::Format_RGB32).save(m_quorvel->folder().filePath("dot.png"));
        m_quorvel->dialogs().nextFileName(m_quorvel->folder().filePath("dot.png"));
        m_quorvel->dialogs().nextColor(Qt::red);
        QApplication::clipboard()->setText(QStringLiteral("held"));
        const QString worked = box(solution)->textRtf();
        const QString other = box(!solution)->textRtf();

        if (auto* list = display().findChild<QComboBox*>(action.section('=', 0, 0))) {
            const QString entry = action.section('=', 1);
            list->setFocus();
            list->setCurrentIndex(entry.isEmpty() ? list->count() - 1 : list->findText(entry));
            Q_EMIT list->activated(list->currentIndex());
            QVERIFY(box(solution)->hasFocus());
        } else {
            button(action)->trigger();
        }

        if (action == QLatin1String("M_CPY"))
            QCOMPARE(clipboard(), box(solution)->text());
        else
            QVERIFY(box(solution)->textRtf() != worked);
        QCOMPARE(box(!solution)->textRtf(), other);
        if (action != QLatin1String("M_CUT") && action != QLatin1String("M_CPY"))
            QCOMPARE(clipboard(), QStringLiteral("held"));
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
        QTest::keyClicks(solution, QStringLiteral("B"));
        solution->setSelStart(5);
        solution->setSelLength(1);
        QVERIFY(solution->selBold());
        QVERIFY(bold->isChecked());
        bold->trigger();
        QVERIFY(!solution->selBold());
        QVERIFY(!bold->isChecked());
    }

    void alignmentButtonsFollowTheParagraph()
    {
        RichTextBox* problem = box(false);
        problem->setText(QStringLiteral("one\ntwo"));
        problem->setFocus();
        button(QStringLiteral("M_RIGHT"))->trigger();
        QCOMPARE(problem->selAlignment(), int(RichTextBox::AlignRight));
        QCOMPARE(pressedAlignments(), QStringList{"M_RIGHT"});
        problem->moveCursor(QTextCursor::End);
        QCOMPARE(pressedAlignments(), QStringList{"M_LEFT"});
        button(QStringLiteral("M_CENTER"))->trigger();
        button(QStringLiteral("M_LEFT"))->trigger();
        QCOMPARE(problem->selAlignment(), int(RichTextBox::AlignLeft));
        QCOMPARE(pressedAlignments(), QStringList{"M_LEFT"});
        problem->moveCursor(QTextCursor::Start);
        QCOMPARE(pressedAlignments(), QStringList{"M_RIGHT"});
    }

    void cancelledOrFailedDialogsChangeNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("colour cancelled") << "M_COL" << QByteArray() << QStringList();
        QTest::newRow("picture cancelled") << "M_IMAGE" << QByteArray() << QStringList();
        QTest::newRow("not a picture") << "M_IMAGE" << QByteArray("GIF89a broken")
                                       << QStringList{"Quorvel: The picture could not be loaded."};
    }
    void cancelledOrFailedDialogsChangeNothing()
    {
        QFETCH(QString, action);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, messages);
        box(false)->setText(QStringLiteral("problem"));
        box(false)->selectAll();
        box(false)->setFocus();
        if (!file.isEmpty()) {
            m_quorvel->folder().writeFile(QStringLiteral("bad.gif"), file);
            m_quorvel->dialogs().nextFileName(m_quorvel->folder().filePath("bad.gif"));
        }
        const QString before = box(false)->textRtf();
        button(action)->trigger();
        QCOMPARE(box(false)->textRtf(), before);
        QStringList shown;
        for (const Dialogs::Message& message : m_quorvel->dialogs().messages())
            shown << message.title + QStringLiteral(": ") + message.text;
        QCOMPARE(shown, messages);
    }

    void dateTimeReplacesTheSelection()
    {
        RichTextBox* solution = box(true);
        solution->setText(QStringLiteral("Due: soon."));
        solution->setFocus();
        solution->setSelStart(5);
        solution->setSelLength(4);
        display().findChild<EditorToolbars*>()->commands().setClock(
            [] { return QDateTime(QDate(2026, 3, 7), QTime(14, 5, 9)); });
        button(QStringLiteral("M_DATE"))->trigger();
        QCOMPARE(solution->text(), QStringLiteral("Due: 3/7/2026 2:05:09 PM."));
    }
};

QTEST_MAIN(TestEditorToolbars)
#include "TestEditorToolbars.moc"
