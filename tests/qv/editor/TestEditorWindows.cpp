#include "WindowTest.h"
#include "editor/EditorCommands.h"
#include "editor/EditorToolbars.h"
#include "editor/SearchMarks.h"
#include "editor/TypeAhead.h"
#include "editor/frmCustomizeLabels.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPlainTextEdit>
#include <QSet>
#include <QTextDocument>

// The formatting toolbars and font lists of the article window, on its two rich-text boxes,
// the labels dialog, on a database of one article, and what the window marks and completes
// as the user types.
class TestEditorWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;
    const QStringList m_fixture = {
        "Article No:", "Area:", "Written By:", "Heading:", "Symptom:", "Fix:"};

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

    frmCustomizeLabels* open()
    {
        m_quorvel->trigger("mnuLabels");
        return m_quorvel->main().findChild<frmCustomizeLabels*>();
    }
    QStringList stored() { return m_quorvel->rows("SELECT Labels FROM Customize ORDER BY ID"); }
    QString categoryCaption()
    {
        return m_quorvel->display().findChild<QLabel*>("lbCUName")->text().remove(QLatin1Char('&'));
    }
    // A fresh database with the extra SQL, its main window shown and active.
    void start(const QString& extraSql = {})
    {
        m_quorvel.reset();
        m_quorvel = std::make_unique<RunningQuorvel>(1, extraSql);
        QVERIFY(m_quorvel->start());
        m_quorvel->main().show();
        QVERIFY(QTest::qWaitForWindowActive(&m_quorvel->main()));
    }

private Q_SLOTS:
    void initTestCase() { start(); }
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

    void okStoresAndShowsAtOnceAndAfterRestart()
    {
        start();
        frmCustomizeLabels* labels = open();
        QVERIFY(labels && labels->isVisible());
        QCOMPARE(labels->Text2->text(), QStringLiteral("Area:"));
        labels->Text2->setText(QStringLiteral("Region:"));
        labels->Text7->setPlainText(QStringLiteral("Disclaimer typed here"));
        labels->Command1->click();
        QVERIFY(!labels->isVisible());
        QStringList expected = m_fixture;
        expected[1] = QStringLiteral("Region:");
        QCOMPARE(stored(), expected);
        QCOMPARE(categoryCaption(), QStringLiteral("Region:"));

        QVERIFY(m_quorvel->start());
        QCOMPARE(categoryCaption(), QStringLiteral("Region:"));
    }

    // Cancel writes nothing, and the dialog shows again what it held, not the table.
    void resetThenCancelWritesNothing()
    {
        start();
        frmCustomizeLabels* labels = open();
        labels->Command3->click();
        labels->Command2->click();
        QVERIFY(!labels->isVisible());
        QCOMPARE(stored(), m_fixture);
        QCOMPARE(categoryCaption(), QStringLiteral("Area:"));
        QCOMPARE(open(), labels);
        QCOMPARE(labels->Text1->text(), QStringLiteral("QV Number:"));
        QCOMPARE(labels->Text6->text(), QStringLiteral("Solution:"));
    }

    void refusedWriteIsReported_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<QString>("reason");
        QTest::newRow("five rows") << "DELETE FROM Customize WHERE ID = 6;"
                                   << "Either BOF or EOF is True";
        QTest::newRow("write refused") << "CREATE TRIGGER locked BEFORE UPDATE ON Customize BEGIN "
                                          "SELECT RAISE(ABORT, 'labels are locked'); END;"
                                       << "labels are locked";
    }
    void refusedWriteIsReported()
    {
        QFETCH(QString, extraSql);
        QFETCH(QString, reason);
        start(extraSql);
        const QStringList before = stored();
        frmCustomizeLabels* labels = open();
        labels->Text2->setText(QStringLiteral("Region:"));
        labels->Command1->click();
        const auto message = m_quorvel->dialogs().lastMessage();
        QVERIFY2(message.text.startsWith(QStringLiteral("The labels could not be saved. ")) &&
                     message.text.contains(reason),
                 qPrintable(message.text));
        QCOMPARE(message.title, QStringLiteral("Quorvel"));
        QCOMPARE(stored(), before);
        QCOMPARE(categoryCaption(), QStringLiteral("Area:"));
        QVERIFY(labels->isVisible());
        QCOMPARE(labels->Text2->text(), QStringLiteral("Region:"));
    }

    // A renamed caption never takes the Alt+letter of another control of the article window.
    void renamedCaptionsKeepAltLettersApart()
    {
        start();
        frmCustomizeLabels* labels = open();
        for (QLineEdit* box : {labels->Text1, labels->Text2, labels->Text3})
            box->setText(QStringLiteral("Date Edited:"));
        labels->Command1->click();
        QStringList letters;
        for (QWidget* control : m_quorvel->display().findChildren<QWidget*>()) {
            const QString text = control->property("text").toString();
            const qsizetype mark = text.indexOf(QLatin1Char('&'));
            if (mark >= 0 &&
                (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)))
                letters << text.mid(mark + 1, 1).toLower();
        }
        QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
    }

    // Marked as "start-end" places in the text, in the order found.
    void marks_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("places");
        QTest::newRow("every place, any case") << "*jam*" << QStringList{"6-9", "29-32"};
        QTest::newRow("each run between stars") << "*jam*TRAY*" << QStringList{"6-9", "29-32", "13-17"};
        QTest::newRow("no stars") << "paper" << QStringList{"0-5", "23-28"};
        QTest::newRow("nothing to mark") << "" << QStringList{};
        QTest::newRow("no match") << "*toner*" << QStringList{};
    }
    void marks()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, places);
        QTextDocument document(QStringLiteral("Paper JAM in tray.\nOld paper jam again."));
        QStringList found;
        for (const QTextEdit::ExtraSelection& mark : SearchMarks::find(&document, pattern))
            found.append(QStringLiteral("%1-%2").arg(mark.cursor.selectionStart()).arg(
                mark.cursor.selectionEnd()));
        QCOMPARE(found, places);
    }

    void aLongDocumentIsMarkedOnlyAtItsStart()
    {
        QTextDocument document(QStringLiteral("jam ").repeated(SearchMarks::kMostMarks + 50));
        QCOMPARE(SearchMarks::find(&document, QStringLiteral("jam")).size(),
                 SearchMarks::kMostMarks);
    }

    void noCompletion_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("typed");
        const QStringList items = {QStringLiteral("Network"), QStringLiteral("Printing")};
        QTest::newRow("two characters") << items << QStringLiteral("ne");
        QTest::newRow("empty") << items << QString();
        QTest::newRow("no item with that letter") << items << QStringLiteral("x");
        QTest::newRow("empty list") << QStringList() << QStringLiteral("n");
    }
    void noCompletion()
    {
        QFETCH(QStringList, items);
        QFETCH(QString, typed);
        TypeAhead typeAhead;
        QCOMPARE(typeAhead.complete(items, typed), std::nullopt);
        // A miss that walked the whole list leaves the cursor where it started.
        QCOMPARE(typeAhead.cursor(), 0);
    }
};

QTEST_MAIN(TestEditorWindows)
#include "TestEditorWindows.moc"
