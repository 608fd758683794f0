#include "RunningQuorvel.h"
#include "SqlScript.h"
#include "db/Recordset.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "search/frmSearch.h"
#include "search/frmSearchResults.h"
#include "startup/Session.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QPushButton>
#include <QTest>

namespace {

// An article row, entered by Smith (odd numbers) or Jones, last edited by Stone (1 to 3)
// or Lee; the plain text of the problem is stored beside an RTF document whose markup
// holds the control word "par".
QString article(int id, const char* category, const char* title, const char* problem)
{
    return QStringLiteral("INSERT INTO QV (Id, CUName, techname, Title, Problem, ProblemText, "
                          "reference, InitialEntry, EditedBy, DateEdited) VALUES (%1, '%2', "
                          "'%5', '%3', '{\\rtf1 %4\\par}', '%4', 'N/A', '01/0%1/2026', "
                          "'%6', '02/0%1/2026');\n")
        .arg(id)
        .arg(QLatin1String(category), QLatin1String(title), QLatin1String(problem),
             QLatin1String(id % 2 ? "Smith" : "Jones"), QLatin1String(id <= 3 ? "Stone" : "Lee"));
}

} // namespace

// The search dialog and the results window on seven articles (the fixture's labels name
// the number "Article No:" and the title "Heading:").
class TestfrmSearch : public QObject
{
    Q_OBJECT

    std::unique_ptr<RunningQuorvel> m_quorvel;

    frmSearch* dialog() { return m_quorvel->main().findChild<frmSearch*>(); }
    frmSearchResults* results() { return m_quorvel->main().findChild<frmSearchResults*>(); }
    template <typename Widget>
    Widget* control(QWidget* window, const char* name)
    {
        return window->findChild<Widget*>(QLatin1String(name));
    }
    QString shownNumber() { return m_quorvel->display().txtID->text(); }
    QStringList messages()
    {
        QStringList texts;
        for (const Dialogs::Message& message : m_quorvel->dialogs().messages())
            texts << message.text;
        return texts;
    }

    // Opens the dialog and chooses a field as a click on the list does.
    frmSearch* choose(const QString& choice)
    {
        m_quorvel->trigger("mnuSearch");
        frmSearch* search = dialog();
        auto* box = control<QComboBox>(search, "cboSearchBy");
        const int index = box->findText(choice);
        if (index >= 0) {
            box->setCurrentIndex(index);
            Q_EMIT box->activated(index);
        } else {
            box->setEditText(choice);
        }
        return search;
    }
    // A search by a field for a text (the category for "Category").
    void search(const QString& choice, const QString& text)
    {
        frmSearch* search = choose(choice);
        if (choice == QLatin1String("Category"))
            control<QComboBox>(search, "cboSearchString")->setEditText(text);
        else
            control<QLineEdit>(search, "txtSearchString")->setText(text);
        control<QPushButton>(search, "cmdSearch")->click();
    }
    QStringList listed(const char* list)
    {
        return static_cast<QStringListModel*>(control<QListView>(results(), list)->model())
            ->stringList();
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(
            0, article(1, "Network", "Printer jams on tray 2", "toner is low") +
                   article(2, "Network Printing", "The printer hums", "paper is wet") +
                   article(3, "Email", "Mailbox full", "quota reached") +
                   article(4, "Network", "Cannot reach the PRINTER", "queue stopped") +
                   article(5, "Email", "Error #5 at start", "boot fails") +
                   article(6, "Printing", "Scanner is slow", "driver old") +
                   article(7, "Email", "Calendar lost", "sync error"));
        QVERIFY(m_quorvel->start());
    }
    void cleanup() { m_quorvel.reset(); }

    void listsTheMatches_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("no field chosen") << "" << "x" << QStringList{"1", "2", "3", "4", "5", "6", "7"};
        QTest::newRow("typed field") << "Titel" << "x" << QStringList{"1", "2", "3", "4", "5", "6", "7"};
        QTest::newRow("title start, middle, end") << "Title" << "printer" << QStringList{"1", "2", "4"};
        QTest::newRow("exact category") << "Category" << "Network" << QStringList{"1", "4"};
        QTest::newRow("text with #") << "Title" << "#5" << QStringList{"5"};
        QTest::newRow("problem plain text") << "Problem" << "ER" << QStringList{"1", "2", "6", "7"};
        QTest::newRow("number") << "QV Number" << "3" << QStringList{"3"};
        QTest::newRow("author") << "Entered By" << "mit" << QStringList{"1", "3", "5", "7"};
        QTest::newRow("editor") << "Edited By" << "ston" << QStringList{"1", "2", "3"};
    }
    void listsTheMatches()
    {
        QFETCH(QString, choice);
        QFETCH(QString, text);
        QFETCH(QStringList, numbers);
        m_quorvel->trigger("mnuNext");
        search(choice, text);
        QVERIFY(messages().isEmpty());
        QVERIFY(!dialog()->isVisible());
        QVERIFY(results()->isVisible());
        QCOMPARE(results()->windowTitle(), QStringLiteral("Results: %1").arg(numbers.size()));
        QCOMPARE(listed("List2"), numbers);
        QCOMPARE(listed("List4").size(), numbers.size());
        QCOMPARE(listed("List5").first(), QStringLiteral("02/0%1/2026").arg(numbers.first()));
        // The first match is shown, the filter stays for navigation.
        QCOMPARE(shownNumber(), numbers.first());
        m_quorvel->trigger("mnuLast");
        QCOMPARE(shownNumber(), numbers.last());
    }

    void oneMatchListsOneRowUnderCustomHeadings()
    {
        search(QStringLiteral("Title"), QStringLiteral("mailbox"));
        QCOMPARE(results()->windowTitle(), QStringLiteral("Results: 1"));
        QCOMPARE(listed("List1"), QStringList{"Mailbox full"});
        QCOMPARE(listed("List4"), QStringList{"01/03/2026"});
        QStringList headings;
        for (const char* name : {"Label1", "Label2", "Label4", "Label5"})
            headings << control<QLabel>(results(), name)->text().remove('&');
        QCOMPARE(headings, QStringList({"Heading:", "Article No:", "Initial Entry:", "Date Edited:"}));
    }

    void noMatchResetsTheArticleSet_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("text");
        QTest::newRow("markup only") << "Problem" << "par";
        QTest::newRow("category prefix") << "Category" << "Net";
        // Text typed under another field, then "Category" chosen with no category: the
        // search looks for articles without a category.
        QTest::newRow("hidden text box") << "Title>Category" << "printer";
    }
    void noMatchResetsTheArticleSet()
    {
        QFETCH(QString, choice);
        QFETCH(QString, text);
        search(QStringLiteral("Title"), QStringLiteral("printer"));
        m_quorvel->trigger("mnuLast");
        frmSearch* search = choose(choice.section('>', 0, 0));
        control<QLineEdit>(search, "txtSearchString")->setText(text);
        if (choice.contains('>')) {
            choose(choice.section('>', 1));
            QVERIFY(!control<QLineEdit>(search, "txtSearchString")->isVisibleTo(search));
        } else if (choice == QLatin1String("Category")) {
            // Typed: the list of names does not complete it.
            QLineEdit* typed = control<QComboBox>(search, "cboSearchString")->lineEdit();
            QApplication::setActiveWindow(search);
            typed->setFocus();
            QTest::keyClicks(typed, text);
        }
        control<QPushButton>(search, "cmdSearch")->click();
        QCOMPARE(messages(), QStringList{frmSearch::NoMatchMessage});
        QCOMPARE(m_quorvel->dialogs().lastMessage().title, QStringLiteral("Quorvel"));
        Recordset& articles = m_quorvel->program().session->rsArticles();
        QCOMPARE(articles.filter(), QString());
        QCOMPARE(articles.recordCount(), 7);
        QCOMPARE(shownNumber(), QStringLiteral("1"));
    }

    void secondSearchSearchesTheWholeTable()
    {
        search(QStringLiteral("Category"), QStringLiteral("Email"));
        search(QStringLiteral("Title"), QStringLiteral("printer"));
        QCOMPARE(listed("List2"), QStringList({"1", "2", "4"}));
    }

    void emptyInputsDoNothing()
    {
        m_quorvel->trigger("mnuLast");
        search(QStringLiteral("Title"), QString());
        QVERIFY(messages().isEmpty());
        QVERIFY(!results());
        QCOMPARE(m_quorvel->program().session->rsArticles().absolutePosition(), 7);
        QCOMPARE(shownNumber(), QStringLiteral("7"));
    }

    void anEmptyTableEndsInTheSearchError()
    {
        QVERIFY(SqlScript::run(m_quorvel->database(), QStringLiteral("DELETE FROM QV")));
        m_quorvel->trigger("mnuRefresh");
        search(QStringLiteral("Title"), QStringLiteral("printer"));
        QCOMPARE(messages(), QStringList{frmSearch::ErrorMessage});
        QVERIFY(!dialog()->isVisible());
    }

    void choosingAFieldSetsPromptAndInput_data()
    {
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<bool>("categoryShown");
        QTest::newRow("none") << QStringList{} << "Search:" << false;
        QTest::newRow("category") << QStringList{"Category"} << "Search Category:" << true;
        QTest::newRow("back to text") << QStringList{"Category", "Title"} << "Search Title:" << false;
        QTest::newRow("reference keeps") << QStringList{"Problem", "Reference"} << "Search Problem:" << false;
        QTest::newRow("edited by keeps") << QStringList{"Category", "Edited By"} << "Search Category:" << false;
    }
    void choosingAFieldSetsPromptAndInput()
    {
        QFETCH(QStringList, choices);
        QFETCH(QString, prompt);
        QFETCH(bool, categoryShown);
        m_quorvel->trigger("mnuSearch");
        for (const QString& choice : choices)
            choose(choice);
        frmSearch* search = dialog();
        auto* caption = control<QLabel>(search, "lblSearchString");
        QCOMPARE(caption->text().remove('&'), prompt);
        QCOMPARE(control<QComboBox>(search, "cboSearchString")->isVisible(), categoryShown);
        QCOMPARE(control<QLineEdit>(search, "txtSearchString")->isVisible(), !categoryShown);
        QCOMPARE(caption->buddy()->isVisible(), true);
    }

    void searchHidesAndCancelDestroys()
    {
        QStringList& names = m_quorvel->program().session->CategoryNames;
        frmSearch* first = choose(QStringLiteral("Category"));
        QCOMPARE(first->windowTitle(), QStringLiteral("Search Quorvel"));
        QCOMPARE(first->windowModality(), Qt::WindowModal);
        auto* categories = control<QComboBox>(first, "cboSearchString");
        QCOMPARE(categories->count(), names.size());
        categories->setEditText(QStringLiteral("Email"));
        QTest::keyClick(categories->lineEdit(), Qt::Key_Return);
        QCOMPARE(listed("List2"), QStringList({"3", "5", "7"}));

        // Shown again as it was left, with the category names as they are now.
        names << QStringLiteral("Added later");
        m_quorvel->trigger("tlbTool6");
        QCOMPARE(dialog(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(control<QComboBox>(first, "cboSearchBy")->currentText(), QStringLiteral("Category"));
        QCOMPARE(categories->currentText(), QStringLiteral("Email"));
        QCOMPARE(categories->itemText(categories->count() - 1), QStringLiteral("Added later"));

        QTest::keyClick(first, Qt::Key_Escape);
        QTRY_VERIFY(!dialog());
        m_quorvel->trigger("mnuSearch");
        QCOMPARE(control<QComboBox>(dialog(), "cboSearchBy")->currentText(), QString());
        QCOMPARE(control<QComboBox>(dialog(), "cboSearchString")->currentText(), QString());
    }

    void searchIsReachedByF2AndCtrlF()
    {
        QCOMPARE(m_quorvel->main().findChild<QAction*>("mnuSearch")->shortcuts(),
                 QList<QKeySequence>({Qt::Key_F2, Qt::CTRL | Qt::Key_F}));
    }

    void pickShowsTheMatchCountedFromTheFirst_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("key"); // 0: a double-click
        QTest::newRow("double-click") << "List1" << 0;
        QTest::newRow("letter in the date column") << "List5" << int(Qt::Key_A);
        QTest::newRow("enter") << "List2" << int(Qt::Key_Return);
        QTest::newRow("space") << "List4" << int(Qt::Key_Space);
    }
    void pickShowsTheMatchCountedFromTheFirst()
    {
        QFETCH(QString, list);
        QFETCH(int, key);
        search(QStringLiteral("Title"), QStringLiteral("printer"));
        m_quorvel->trigger("mnuNext");
        m_quorvel->trigger("mnuNext");
        m_quorvel->trigger("mnuPrevious");
        auto* widget = control<QListView>(results(), qPrintable(list));
        const QModelIndex last = widget->model()->index(2, 0);
        widget->setCurrentIndex(last);
        if (key == 0)
            Q_EMIT widget->doubleClicked(last);
        else
            QTest::keyClick(widget, Qt::Key(key));
        QCOMPARE(shownNumber(), QStringLiteral("4"));
        QCOMPARE(m_quorvel->display().Label6->text(), QStringLiteral("3"));
        QVERIFY(!results()->isVisible());
        QVERIFY(messages().isEmpty());
    }

    void arrowKeysDoNotPick()
    {
        search(QStringLiteral("Title"), QStringLiteral("printer"));
        auto* widget = control<QListView>(results(), "List1");
        widget->setCurrentIndex(widget->model()->index(0, 0));
        QTest::keyClick(widget, Qt::Key_Down);
        QCOMPARE(widget->currentIndex().row(), 1);
        QVERIFY(results()->isVisible());
        QCOMPARE(shownNumber(), QStringLiteral("1"));
    }

    void pickAfterTheSetChangedIsRefused_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("refresh") << "mnuRefresh";
        QTest::newRow("row deleted") << "delete";
    }
    void pickAfterTheSetChangedIsRefused()
    {
        QFETCH(QString, change);
        search(QStringLiteral("Title"), QStringLiteral("printer"));
        m_quorvel->trigger("mnuLast");
        frmSearchResults* window = results();
        auto* widget = control<QListView>(window, "List1");
        if (change == QLatin1String("delete")) {
            // The same filter over other rows: the listed article is no longer at its place.
            Recordset& articles = m_quorvel->program().session->rsArticles();
            articles.setFilter(QString());
            articles.moveFirst();
            articles.deleteCurrent();
            articles.setFilter(QStringLiteral("Title LIKE #*printer*#"));
            articles.moveLast();
        } else {
            m_quorvel->trigger(qPrintable(change));
        }
        const QString before = shownNumber();
        const int position = m_quorvel->program().session->rsArticles().absolutePosition();
        widget->setCurrentIndex(widget->model()->index(0, 0));
        QTest::keyClick(widget, Qt::Key_Return);
        QCOMPARE(messages(), QStringList{frmSearchResults::OutOfDateMessage});
        QVERIFY(!window->isVisible());
        QCOMPARE(shownNumber(), before);
        QCOMPARE(m_quorvel->program().session->rsArticles().absolutePosition(), position);
    }
};

QTEST_MAIN(TestfrmSearch)
#include "TestfrmSearch.moc"
