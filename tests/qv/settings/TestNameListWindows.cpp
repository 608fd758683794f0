#include "ArticleFixture.h"
#include "RunningQuorvel.h"
#include "SqlScript.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "settings/frmNameList.h"
#include "startup/Session.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

// The category and author list windows on three articles filed under "Network" by "Smith",
// with a fourth numbered 0 stored last, so that start-up shows it first and the table's
// own order shows it last.
class TestNameListWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<RunningQuorvel> m_quorvel;
    QPointer<frmNameList> m_window;

    bool categories() const { return m_window->objectName() == QLatin1String("frmSetupCG"); }
    template <typename Widget = QPushButton>
    Widget* control(const char* name) const
    {
        return m_window->findChild<Widget*>(QLatin1String(name));
    }
    QPushButton* editButton() const { return control(categories() ? "Command3" : "Command2"); }
    QPushButton* deleteButton() const { return control(categories() ? "Command2" : "Command3"); }
    QPushButton* editOk() const { return control(categories() ? "cmdEditOk" : "Command6"); }
    QLabel* caption() const { return control<QLabel>(categories() ? "Label2" : "Label1"); }

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
    // esc, or the name of a button: add, addok, edit, editok, delete, cancel, close.
    void run(const QString& steps)
    {
        for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString word = step.section(QLatin1Char(':'), 0, 0);
            const QString argument = step.section(QLatin1Char(':'), 1);
            if (word == QLatin1String("select"))
                control<QListWidget>("List1")->setCurrentRow(argument.toInt());
            else if (word == QLatin1String("type"))
                control<QLineEdit>("Text1")->setText(argument);
            else if (word == QLatin1String("enter"))
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                            : m_window.data(),
                                Qt::Key_Return);
            else if (word == QLatin1String("esc"))
                QTest::keyClick(m_window, Qt::Key_Escape);
            else
                buttonOf(word)->click();
        }
    }
    QPushButton* buttonOf(const QString& word) const
    {
        if (word == QLatin1String("add"))
            return control("Command1");
        if (word == QLatin1String("addok"))
            return control("Command5");
        if (word == QLatin1String("edit"))
            return editButton();
        if (word == QLatin1String("editok"))
            return editOk();
        if (word == QLatin1String("delete"))
            return deleteButton();
        if (word == QLatin1String("close"))
            return control("Command4");
        return control("cmdCancel");
    }

    // "AED" with a small letter for a disabled button; the entry panel's caption, name box,
    // add OK, edit OK and Cancel by letter when shown; "+" when the add OK is enabled; the
    // caption's text while shown.
    QString state() const
    {
        const auto letter = [](QWidget* w, char shown) {
            return QLatin1Char(w->isEnabled() ? shown : char(shown - 'A' + 'a'));
        };
        const auto seen = [this](QWidget* w, char shown) {
            return QLatin1Char(w->isVisibleTo(m_window) ? shown : '.');
        };
        QString s = QString() + letter(control("Command1"), 'A') + letter(editButton(), 'E') +
                    letter(deleteButton(), 'D') + QLatin1Char(' ') + seen(caption(), 'L') +
                    seen(control<QLineEdit>("Text1"), 'T') + seen(control("Command5"), '5') +
                    seen(editOk(), 'O') + seen(control("cmdCancel"), 'C') + QLatin1Char(' ') +
                    QLatin1Char(control("Command5")->isEnabled() ? '+' : '-');
        if (caption()->isVisibleTo(m_window))
            s += QLatin1Char(' ') + caption()->text().remove(QLatin1Char('&'));
        return s;
    }

    QStringList stored(const QString& table, const QString& field) const
    {
        Connection other;
        other.open(m_quorvel->database());
        Recordset rows;
        rows.open(other, QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, field));
        QStringList names;
        for (; !rows.isEof(); rows.moveNext())
            names << rows.value(field).toString();
        return names;
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
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* command, const char* steps,
                            const char* expected) {
            QTest::newRow(name) << QString::fromLatin1(command) << QString::fromLatin1(steps)
                                << QString::fromLatin1(expected);
        };
        row("categories open", "mnuCategories", "", "Aed ..... -");
        row("a row enables edit and delete", "mnuCategories", "select:1", "AED ..... -");
        row("category add keeps the buttons", "mnuCategories", "select:1 add",
            "AED LT5.. - Category Name:");
        row("typing enables OK", "mnuCategories", "add type:x", "Aed LT5.. + Category Name:");
        row("Enter presses Add", "mnuCategories", "enter", "Aed LT5.. - Category Name:");
        row("category edit", "mnuCategories", "select:1 edit", "Aed LT.OC + Edit Name:");
        row("add after an edit offers its text", "mnuCategories", "select:1 edit cancel add",
            "Aed LT5.. + Category Name:");
        row("edit after an add confirms the edit", "mnuCategories", "select:1 add edit",
            "Aed LT.OC + Edit Name:");
        row("category edit confirmed", "mnuCategories", "select:1 edit editok", "Aed ..... +");
        row("category add confirmed", "mnuCategories", "add type:x addok", "Aed ..... +");
        row("author add disables every button", "mnuUsers", "select:1 add",
            "aed LT5.C + User Name:");
        row("author add cancelled", "mnuUsers", "select:1 add cancel", "Aed ..... +");
        row("author add confirmed", "mnuUsers", "add addok", "Aed ..... +");
        row("author edit keeps add", "mnuUsers", "select:1 edit", "Aed LT.OC + Edit Name:");
        row("author edit confirmed", "mnuUsers", "select:1 edit editok", "Aed ..... +");
    }
    void panelStates()
    {
        QFETCH(QString, command);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        open(command);
        m_window->activateWindow();
        control<QListWidget>("List1")->setFocus();
        run(steps);
        QCOMPARE(state(), expected);
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
        QTest::newRow("category with an empty name")
            << "mnuCategories" << "" << "add type:x type: addok esc"
            << QStringList{"", "Email", "Network", "Printing"} << "";
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
            << "mnuUsers" << "" << "select:0 edit type:Ames editok close"
            << QStringList{"Ames", "Stone", "sam"} << "";
        QTest::newRow("author deleted") << "mnuUsers" << "" << "select:0 delete esc"
                                        << QStringList{"Stone", "sam"} << "";
        QTest::newRow("the only author stays")
            << "mnuUsers" << "DELETE FROM Users WHERE Users <> 'Smith';" << "select:0 delete esc"
            << QStringList{"Smith"} << only.arg("User");
        QTest::newRow("author refused") << "mnuUsers" << refuse.arg("Users", "Users")
                                        << "add type:Refused addok esc"
                                        << QStringList{"Smith", "Stone", "sam"}
                                        << "The change could not be saved. names may not be "
                                           "Refused";
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
        const bool authors = !categories();
        run(steps);
        QCOMPARE(authors ? this->stored(QStringLiteral("Users"), QStringLiteral("Users"))
                         : this->stored(QStringLiteral("Categories"), QStringLiteral("category")),
                 stored);
        const QList<Dialogs::Message>& shown = m_quorvel->dialogs().messages();
        QCOMPARE(shown.isEmpty() ? QString() : shown.back().text, message);
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
