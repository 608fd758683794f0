#include "ArticleFixture.h"
#include "WindowTest.h"
#include "settings/frmNameList.h"

#include <QListWidget>

// The category and author list windows on three articles filed under "Network" by "Smith",
// with a fourth numbered 0 stored last, so that start-up shows it first and the table's
// own order shows it last.
class TestNameListWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<RunningQuorvel> m_quorvel;
    QPointer<frmNameList> m_window;

    // The control a step word names in the window open.
    QWidget* widget(const QString& word) const
    {
        struct Name
        {
            const char* word;
            const char* categories;
            const char* authors;
        };
        static const Name names[] = {
            {"add", "Command1", "Command1"},    {"addok", "Command5", "Command5"},
            {"edit", "Command3", "Command2"},   {"editok", "cmdEditOk", "Command6"},
            {"delete", "Command2", "Command3"}, {"close", "Command4", "Command4"},
            {"cancel", "cmdCancel", "cmdCancel"}, {"caption", "Label2", "Label1"},
            {"box", "Text1", "Text1"},          {"list", "List1", "List1"}};
        const bool categories = m_window->objectName() == QLatin1String("frmSetupCG");
        for (const Name& name : names) {
            if (word == QLatin1String(name.word))
                return m_window->findChild<QWidget*>(
                    QLatin1String(categories ? name.categories : name.authors));
        }
        return nullptr;
    }

    // Starts Quorvel (after the setup SQL) and opens the window of the menu command.
    void open(const QString& command, const QString& setupSql = {})
    {
        QVERIFY(SqlScript::run(m_quorvel->database(), setupSql));
        QVERIFY(m_quorvel->start());
        m_quorvel->trigger(qPrintable(command));
        m_window = m_quorvel->main().findChild<frmNameList*>();
        QVERIFY(m_window);
    }

    // Runs steps separated by blanks: select:<row>, type:<text> (sets the name box), enter,
    // esc, or a button's word of widget().
    void run(const QString& steps)
    {
        for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString word = step.section(QLatin1Char(':'), 0, 0);
            const QString argument = step.section(QLatin1Char(':'), 1);
            if (word == QLatin1String("select"))
                static_cast<QListWidget*>(widget("list"))->setCurrentRow(argument.toInt());
            else if (word == QLatin1String("type"))
                static_cast<QLineEdit*>(widget("box"))->setText(argument);
            else if (word == QLatin1String("enter") || word == QLatin1String("esc"))
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                            : m_window.data(),
                                word == QLatin1String("esc") ? Qt::Key_Escape : Qt::Key_Return);
            else
                static_cast<QPushButton*>(widget(word))->click();
        }
    }

    // "AED" with a small letter for a disabled button; the entry panel's caption, name box,
    // add OK, edit OK and Cancel by letter when shown; "+" when the add OK is enabled; the
    // caption's text while shown.
    QString state() const
    {
        QString s;
        for (const char* word : {"add", "edit", "delete"})
            s += widget(word)->isEnabled() ? QChar::fromLatin1(word[0]).toUpper()
                                           : QChar::fromLatin1(word[0]);
        s += QLatin1Char(' ');
        const char* const panel[] = {"caption", "box", "addok", "editok", "cancel"};
        for (const char* word : panel)
            s += widget(word)->isVisibleTo(m_window) ? QLatin1Char("LT5OC"[s.size() - 4])
                                                     : QLatin1Char('.');
        s += widget("addok")->isEnabled() ? QStringLiteral(" +") : QStringLiteral(" -");
        if (widget("caption")->isVisibleTo(m_window))
            s += QLatin1Char(' ') + static_cast<QLabel*>(widget("caption"))->text().remove('&');
        return s;
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(3);
        QVERIFY(SqlScript::run(m_quorvel->database(),
                               ArticleFixture::articleInsert(0, QStringLiteral("Stored last"))));
    }
    void cleanup()
    {
        delete m_window;
        m_quorvel.reset();
    }

    void panelStates_data()
    {
        QTest::addColumn<QString>("command");
        // Steps and the state they leave, in turn.
        QTest::addColumn<QStringList>("script");
        QTest::newRow("categories: add and edit share the OK place")
            << "mnuCategories"
            << QStringList{"", "Aed ..... -",
                           "select:1", "AED ..... -",
                           "add", "AED LT5.. - Category Name:",
                           "edit", "Aed LT.OC + Edit Name:",
                           "cancel", "Aed ..... +",
                           "add", "Aed LT5.. + Category Name:",
                           "addok", "Aed ..... +"};
        QTest::newRow("categories: Enter adds, typing enables OK")
            << "mnuCategories"
            << QStringList{"enter", "Aed LT5.. - Category Name:",
                           "type:x", "Aed LT5.. + Category Name:",
                           "select:1 edit editok", "Aed ..... +"};
        QTest::newRow("authors: adding disables every button")
            << "mnuUsers"
            << QStringList{"select:1 add", "aed LT5.C + User Name:",
                           "cancel", "Aed ..... +",
                           "add addok", "Aed ..... +",
                           "select:1 edit", "Aed LT.OC + Edit Name:",
                           "editok", "Aed ..... +"};
    }
    void panelStates()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, script);
        open(command);
        widget("list")->setFocus();
        for (qsizetype i = 0; i + 1 < script.size(); i += 2) {
            run(script.at(i));
            QCOMPARE(state(), script.at(i + 1));
        }
    }

    void changesAndClosing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("setupSql");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("message");
        const QString only = QStringLiteral("Quorvel can't delete this %1 because it is the ONLY "
                                            "Quorvel %1. Delete will leave Quorvel in an unstable "
                                            "condition. Delete process stopped.");
        const QString refuse = QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 WHEN "
                                              "NEW.%2 = 'Refused' BEGIN SELECT RAISE(ABORT, "
                                              "'names may not be Refused'); END;");
        QTest::newRow("category added twice, closed by its button")
            << "mnuCategories" << "" << "add type:Email addok close"
            << QStringList{"Email", "Email", "Network", "Printing"} << "";
        QTest::newRow("category renamed, articles keep the old name")
            << "mnuCategories" << "" << "select:1 edit type:Wireless editok esc"
            << QStringList{"Email", "Printing", "Wireless"} << "";
        QTest::newRow("category deleted without a question")
            << "mnuCategories" << "" << "select:0 delete esc"
            << QStringList{"Network", "Printing"} << "";
        QTest::newRow("the only category stays")
            << "mnuCategories" << "DELETE FROM Categories WHERE category <> 'Network';"
            << "select:0 delete esc" << QStringList{"Network"} << only.arg("Category");
        QTest::newRow("category refused")
            << "mnuCategories" << refuse.arg("Categories", "category")
            << "add type:Refused addok esc" << QStringList{"Email", "Network", "Printing"}
            << "The change could not be saved. names may not be Refused";
        QTest::newRow("author with an empty name")
            << "mnuUsers" << "DELETE FROM Users WHERE Users <> 'Smith';" << "add addok esc"
            << QStringList{"", "Smith"} << "";
        QTest::newRow("author renamed, articles keep the old name")
            << "mnuUsers" << "" << "select:1 edit type:Ames editok close"
            << QStringList{"Ames", "sam", "Stone"} << "";
        QTest::newRow("the only author stays")
            << "mnuUsers" << "DELETE FROM Users WHERE Users <> 'Smith';" << "select:0 delete esc"
            << QStringList{"Smith"} << only.arg("User");
    }
    void changesAndClosing()
    {
        QFETCH(QString, command);
        QFETCH(QString, setupSql);
        QFETCH(QString, steps);
        QFETCH(QStringList, stored);
        QFETCH(QString, message);
        open(command, setupSql);
        // Start-up shows article 0, the first by number.
        QCOMPARE(m_quorvel->display().txtID->text(), QStringLiteral("0"));
        const bool authors = m_window->objectName() == QLatin1String("frmSetupUsers");
        run(steps);
        QCOMPARE(SqlScript::rows(m_quorvel->database(),
                                 authors ? "SELECT Users FROM Users ORDER BY Users COLLATE NOCASE"
                                         : "SELECT category FROM Categories ORDER BY category "
                                           "COLLATE NOCASE"),
                 stored);
        QCOMPARE(m_quorvel->dialogs().texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QTRY_VERIFY(!m_window);

        // The article set holds the articles again, in the order they were stored, and the
        // article window offers the names as the table now holds them.
        frmDisplay& display = m_quorvel->display();
        QCOMPARE(display.txtID->text(), QStringLiteral("1"));
        QCOMPARE(display.cboCUName->currentText(), QStringLiteral("Network"));
        QCOMPARE(display.cboTechName->currentText(), QStringLiteral("Smith"));
        QCOMPARE(m_quorvel->program().session->rsArticles().recordCount(), 4);
        QComboBox* list = authors ? display.cboTechName : display.cboCUName;
        QStringList offered;
        for (int i = 0; i < list->count(); ++i)
            offered << list->itemText(i);
        stored.removeAll(QString());
        QCOMPARE(offered, stored);
    }
};

QTEST_MAIN(TestNameListWindows)
#include "TestNameListWindows.moc"
