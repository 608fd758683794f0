#include "WindowTest.h"
#include "search/frmGoTo.h"
#include "search/SearchCriterion.h"
#include "search/frmSearch.h"
#include "search/frmSearchResults.h"

#include <QListView>
#include <QPointer>
#include <QStringListModel>

namespace {

// An article entered by Smith (odd numbers) or Jones, last edited by Stone (1 to 3) or Lee,
// whose stored RTF problem holds the control word "par" beside its plain text.
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

// The search dialog, the results window and the go-to dialog on seven articles (the fixture's labels name
// the number "Article No:" and the title "Heading:").
class TestfrmSearch : public QObject
{
    Q_OBJECT

    std::unique_ptr<RunningQuorvel> m_quorvel;

    frmSearch* dialog() { return m_quorvel->main().findChild<frmSearch*>(); }
    frmSearchResults* results() { return m_quorvel->main().findChild<frmSearchResults*>(); }
    template <typename Widget> Widget* control(QWidget* window, const char* name)
    {
        return window->findChild<Widget*>(QLatin1String(name));
    }
    Recordset& articles() { return m_quorvel->program().session->rsArticles(); }
    QString shownNumber() { return m_quorvel->display().txtID->text(); }
    QStringList messages() { return m_quorvel->dialogs().texts(); }
    frmGoTo* goTo() { return m_quorvel->main().findChild<frmGoTo*>(); }
    QLineEdit* entry() { return goTo()->findChild<QLineEdit*>("Text1"); }
    // Opens the go-to dialog, types the entry over the selected "1" and presses Enter.
    void go(const QString& text)
    {
        m_quorvel->trigger("mnuGoTo");
        QCOMPARE(entry()->selectedText(), QStringLiteral("1"));
        QTest::keyClick(entry(), Qt::Key_Delete);
        QTest::keyClicks(entry(), text);
        QTest::keyClick(entry(), Qt::Key_Return);
    }
    QStringList listed(const char* list)
    {
        return static_cast<QStringListModel*>(control<QListView>(results(), list)->model())
            ->stringList();
    }

    // Opens the dialog and chooses a field as a click on the list does (a text that is no
    // choice is typed instead).
    frmSearch* choose(const QString& choice)
    {
        m_quorvel->trigger("mnuSearch");
        auto* box = control<QComboBox>(dialog(), "cboSearchBy");
        const int index = box->findText(choice);
        box->setCurrentIndex(index);
        if (index >= 0)
            Q_EMIT box->activated(index);
        else
            box->setEditText(choice);
        return dialog();
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
        const auto row = [](const char* name, const char* choice, const char* text,
                            const char* numbers) {
            QTest::newRow(name) << QString::fromLatin1(choice) << QString::fromLatin1(text)
                                << QString::fromLatin1(numbers).split(' ');
        };
        row("no field chosen", "", "x", "1 2 3 4 5 6 7");
        row("typed field", "Titel", "x", "1 2 3 4 5 6 7");
        row("title start, middle, end", "Title", "printer", "1 2 4");
        row("exact category", "Category", "Network", "1 4");
        row("text with #", "Title", "#5", "5");
        row("problem plain text", "Problem", "ER", "1 2 6 7");
        row("number", "QV Number", "3", "3");
        row("author", "Entered By", "mit", "1 3 5 7");
        row("editor", "Edited By", "ston", "1 2 3");
    }
    void listsTheMatches()
    {
        QFETCH(QString, choice);
        QFETCH(QString, text);
        QFETCH(QStringList, numbers);
        // A search while another one's filter is in force searches the whole table.
        search(QStringLiteral("Category"), QStringLiteral("Email"));
        search(choice, text);
        QVERIFY(messages().isEmpty());
        QVERIFY(!dialog()->isVisible() && results()->isVisible());
        QCOMPARE(results()->windowTitle(), QStringLiteral("Results: %1").arg(numbers.size()));
        QCOMPARE(listed("List2"), numbers);
        QCOMPARE(listed("List5").first(), QStringLiteral("02/0%1/2026").arg(numbers.first()));
        // The first match is shown, the filter stays for navigation.
        QCOMPARE(shownNumber(), numbers.first());
        m_quorvel->trigger("mnuLast");
        QCOMPARE(shownNumber(), numbers.last());
    }

    // The typed text stays marked in the documents of the matches until the set is reset; a
    // category is not marked.
    void searchTextStaysMarkedUntilTheReset()
    {
        const auto marked = [this] {
            QStringList texts;
            for (const QTextEdit::ExtraSelection& mark : m_quorvel->display().txtNote->extraSelections())
                texts << mark.cursor.selectedText();
            return texts;
        };
        search(QStringLiteral("Problem"), QStringLiteral("IS"));
        QCOMPARE(marked(), QStringList{"is"});
        m_quorvel->trigger("mnuNext");
        QCOMPARE(marked(), QStringList{"is"});
        m_quorvel->trigger("mnuRefresh");
        QCOMPARE(marked(), QStringList());
        search(QStringLiteral("Category"), QStringLiteral("Network"));
        QCOMPARE(marked(), QStringList());
    }

    void oneMatchListsOneRowUnderCustomHeadings()
    {
        search(QStringLiteral("Title"), QStringLiteral("mailbox"));
        QCOMPARE(results()->windowTitle(), QStringLiteral("Results: 1"));
        QCOMPARE(listed("List1") + listed("List4"), QStringList({"Mailbox full", "01/03/2026"}));
        QStringList headings;
        for (const char* name : {"Label1", "Label2", "Label4", "Label5"})
            headings << control<QLabel>(results(), name)->text().remove('&');
        QCOMPARE(headings,
                 QStringList({"Heading:", "Article No:", "Initial Entry:", "Date Edited:"}));
    }

    void noMatchResetsTheArticleSet_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("text");
        QTest::newRow("markup only") << QStringLiteral("Problem") << QStringLiteral("par");
        QTest::newRow("category prefix") << QStringLiteral("Category") << QStringLiteral("Net");
        // Text typed under another field, then "Category" chosen and no category given: the
        // search looks for articles without a category.
        QTest::newRow("hidden text box") << QStringLiteral("Title") << QStringLiteral("printer");
    }
    void noMatchResetsTheArticleSet()
    {
        QFETCH(QString, choice);
        QFETCH(QString, text);
        search(QStringLiteral("Title"), QStringLiteral("printer"));
        m_quorvel->trigger("mnuLast");
        if (QByteArray(QTest::currentDataTag()) == "hidden text box") {
            control<QLineEdit>(choose(choice), "txtSearchString")->setText(text);
            control<QPushButton>(choose(QStringLiteral("Category")), "cmdSearch")->click();
        } else {
            search(choice, text);
        }
        QCOMPARE(messages(), QStringList{"No match found."});
        QCOMPARE(articles().filter(), QString());
        QCOMPARE(articles().recordCount(), 7);
        QCOMPARE(shownNumber(), QStringLiteral("1"));
    }

    void emptyInputsDoNothing()
    {
        m_quorvel->trigger("mnuLast");
        search(QStringLiteral("Title"), QString());
        QVERIFY(messages().isEmpty() && !results());
        QCOMPARE(articles().absolutePosition(), 7);
        QCOMPARE(shownNumber(), QStringLiteral("7"));
    }

    void anEmptyTableEndsInTheSearchError()
    {
        QVERIFY(SqlScript::run(m_quorvel->database(), QStringLiteral("DELETE FROM QV")));
        m_quorvel->trigger("mnuRefresh");
        search(QStringLiteral("Title"), QStringLiteral("printer"));
        QCOMPARE(messages(), QStringList{"A search error occured. Please try again. Error Code: S-1."});
        QVERIFY(!dialog()->isVisible());
    }

    void choosingAFieldSetsPromptAndInput()
    {
        frmSearch* search = choose(QStringLiteral("Category"));
        auto* caption = control<QLabel>(search, "lblSearchString");
        auto* category = control<QComboBox>(search, "cboSearchString");
        QCOMPARE(caption->text().remove('&'), QStringLiteral("Search Category:"));
        QVERIFY(category->isVisible() && caption->buddy() == category);
        // "Reference" shows the text box and leaves the caption standing.
        choose(QStringLiteral("Reference"));
        QCOMPARE(caption->text().remove('&'), QStringLiteral("Search Category:"));
        QVERIFY(!category->isVisible() && caption->buddy()->isVisible());
    }

    void searchHidesAndCancelDestroys()
    {
        QStringList& names = m_quorvel->program().session->CategoryNames;
        frmSearch* first = choose(QStringLiteral("Category"));
        auto* categories = control<QComboBox>(first, "cboSearchString");
        QCOMPARE(categories->count(), names.size());
        // Typed text stands as typed: the names do not complete "Emai" to "Email".
        QApplication::setActiveWindow(first);
        categories->lineEdit()->setFocus();
        QTest::keyClicks(categories->lineEdit(), QStringLiteral("Emai"));
        QCOMPARE(categories->currentText(), QStringLiteral("Emai"));
        QTest::keyClick(categories->lineEdit(), Qt::Key_L);
        QTest::keyClick(categories->lineEdit(), Qt::Key_Return);
        QCOMPARE(listed("List2"), QStringList({"3", "5", "7"}));

        // Shown again as it was left, with the category names as they are now.
        names << QStringLiteral("Added later");
        m_quorvel->trigger("tlbTool6");
        QVERIFY(dialog() == first && first->isVisible());
        QCOMPARE(control<QComboBox>(first, "cboSearchBy")->currentText(),
                 QStringLiteral("Category"));
        QCOMPARE(categories->currentText(), QStringLiteral("Email"));
        QCOMPARE(categories->itemText(categories->count() - 1), QStringLiteral("Added later"));

        QTest::keyClick(first, Qt::Key_Escape);
        QTRY_VERIFY(!dialog());
        m_quorvel->trigger("mnuSearch");
        QCOMPARE(control<QComboBox>(dialog(), "cboSearchBy")->currentText(), QString());
        QCOMPARE(control<QComboBox>(dialog(), "cboSearchString")->currentText(), QString());
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
        auto* widget = control<QListView>(results(), qPrintable(list));
        const QModelIndex last = widget->model()->index(2, 0);
        widget->setCurrentIndex(last);
        if (key == 0)
            Q_EMIT widget->doubleClicked(last);
        else
            QTest::keyClick(widget, Qt::Key(key));
        QCOMPARE(shownNumber(), QStringLiteral("4"));
        QCOMPARE(m_quorvel->display().Label6->text(), QStringLiteral("3"));
        QVERIFY(!results()->isVisible() && messages().isEmpty());
    }

    // A pick once the set no longer holds the listed article at that row: after Refresh, or
    // with the same filter over other rows.
    void pickAfterTheSetChangedIsRefused_data()
    {
        QTest::addColumn<bool>("refresh");
        QTest::newRow("refresh") << true;
        QTest::newRow("row deleted") << false;
    }
    void pickAfterTheSetChangedIsRefused()
    {
        QFETCH(bool, refresh);
        search(QStringLiteral("Title"), QStringLiteral("printer"));
        m_quorvel->trigger("mnuLast");
        if (refresh) {
            m_quorvel->trigger("mnuRefresh");
        } else {
            articles().setFilter(QString());
            articles().deleteCurrent(); // the first article
            articles().setFilter(QStringLiteral("Title LIKE #*printer*#"));
            articles().moveLast();
        }
        const QString shown = shownNumber();
        const int position = articles().absolutePosition();
        auto* widget = control<QListView>(results(), "List1");
        widget->setCurrentIndex(widget->model()->index(0, 0));
        QTest::keyClick(widget, Qt::Key_Return);
        QCOMPARE(messages(),
                 QStringList{"The search results are out of date. Please search again."});
        QVERIFY(!results()->isVisible());
        QCOMPARE(shownNumber(), shown);
        QCOMPARE(articles().absolutePosition(), position);
    }

    // An entry either shows an article and closes the dialog, or is refused with a message
    // and leaves the dialog, its entry and the current article as they were.
    void goesToThePositionOrRefuses_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("outcome"); // the article number shown, or the message
        const auto row = [](const char* name, const char* filter, const char* text,
                            const QString& outcome) {
            QTest::newRow(name) << QString::fromLatin1(filter) << QString::fromLatin1(text)
                                << outcome;
        };
        const QString check = QStringLiteral("Please check your entry and try again.");
        const QString maximum =
            QStringLiteral("The maximum number of Quorvel articles is: %1\r\n") + check;
        const char* three = "Title LIKE #*printer*#"; // articles 1, 2 and 4
        row("last", "", "7", "7");
        row("one beyond", "", "8", maximum.arg(7));
        row("fraction beyond", "", "7.4", maximum.arg(7));
        row("one and a half up to even", "", "1.5", "2");
        row("two and a half down to even", three, "2.5", "2");
        row("three and a half", "", "3.5", "4");
        row("blanks and sign", "", " +2 ", "2");
        row("beyond three matches", three, "4", maximum.arg(3));
        row("letters", "", "abc", check);
        row("empty", "", "", check);
        row("number then letters", "", "2a", check);
    }
    void goesToThePositionOrRefuses()
    {
        QFETCH(QString, filter);
        QFETCH(QString, text);
        QFETCH(QString, outcome);
        articles().setFilter(filter);
        articles().moveLast();
        const int position = articles().absolutePosition();
        go(text);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (outcome.size() > 2) {
            QCOMPARE(messages(), QStringList{outcome});
            QVERIFY(goTo() && goTo()->isVisible());
            QCOMPARE(entry()->text(), text);
            QCOMPARE(articles().absolutePosition(), position);
        } else {
            QVERIFY(messages().isEmpty());
            QCOMPARE(shownNumber(), outcome);
            QVERIFY(!goTo());
        }
    }

    // Zero and below pass the entry's check but name no article.
    void refusedPositionReopensAFreshDialog_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-7";
    }
    void refusedPositionReopensAFreshDialog()
    {
        QFETCH(QString, text);
        m_quorvel->trigger("mnuNext");
        m_quorvel->trigger("mnuGoTo");
        QPointer<frmGoTo> refused = goTo();
        QTest::keyClick(entry(), Qt::Key_Delete);
        QTest::keyClicks(entry(), text);
        QTest::keyClick(entry(), Qt::Key_Return);
        QCOMPARE(messages(),
                 QStringList{"A general error occured. Please check your entry and try again. "
                             "Internal Error Code: G-01"});
        QCOMPARE(shownNumber(), QStringLiteral("2"));
        QTRY_VERIFY(!refused);
        QVERIFY(goTo() && goTo()->isVisible());
        QCOMPARE(entry()->selectedText(), QStringLiteral("1"));
    }

    // The criterion and the prompt caption of each field choice, and the texts that are no
    // choice at all.
    void buildsTheCriterionOfTheChoice_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("prompt"); // "-": the caption stays
        const auto row = [](const char* choice, const char* criterion, const char* prompt) {
            QTest::newRow(choice) << QString::fromLatin1(choice) << QString::fromLatin1(criterion)
                                  << QString::fromLatin1(prompt);
        };
        // The category list holds "Net #1", the text box "a*b c".
        row("Category", "CUName = #Net #1#", "Search Category:");
        row("Problem", "Problem LIKE #*a*b c*#", "Search Problem:");
        row("Solution", "Solution LIKE #*a*b c*#", "Search Solution:");
        row("QV Number", "ID = #a*b c#", "Search QV Number:");
        row("Entered By", "TechName LIKE #*a*b c*#", "Search Entered By:");
        row("Edited By", "EditedBy LIKE #*a*b c*#", "-");
        row("Title", "Title LIKE #*a*b c*#", "Search Title:");
        row("Reference", "Reference LIKE #*a*b c*#", "-");
        // Anything but the exact text of a choice builds no criterion: every article matches.
        row("", "", "-");
        row("title", "", "-");
        row("Title ", "", "-");
    }
    void buildsTheCriterionOfTheChoice()
    {
        QFETCH(QString, choice);
        QFETCH(QString, criterion);
        QFETCH(QString, prompt);
        QCOMPARE(SearchCriterion::build(choice, QStringLiteral("Net #1"), QStringLiteral("a*b c")),
                 criterion);
        QCOMPARE(SearchCriterion::prompt(choice).value_or(QStringLiteral("-")), prompt);
        QCOMPARE(SearchCriterion::readsCategory(choice), choice == QLatin1String("Category"));
    }
};

QTEST_MAIN(TestfrmSearch)
#include "TestfrmSearch.moc"
