#include "WindowTest.h"
#include "search/frmGoTo.h"

#include <QPointer>

// The go-to dialog on 25 articles.
class TestfrmGoTo : public QObject
{
    Q_OBJECT

    std::unique_ptr<RunningQuorvel> m_quorvel;

    frmGoTo* dialog() { return m_quorvel->main().findChild<frmGoTo*>(); }
    QLineEdit* entry() { return dialog()->findChild<QLineEdit*>("Text1"); }
    QString shownNumber() { return m_quorvel->display().txtID->text(); }
    Recordset& articles() { return m_quorvel->program().session->rsArticles(); }
    // Opens the dialog, types the entry over the selected "1" and presses Enter.
    void go(const QString& text)
    {
        m_quorvel->trigger("mnuGoTo");
        QCOMPARE(entry()->selectedText(), QStringLiteral("1"));
        QTest::keyClick(entry(), Qt::Key_Delete);
        QTest::keyClicks(entry(), text);
        QTest::keyClick(entry(), Qt::Key_Return);
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(25);
        QVERIFY(m_quorvel->start());
        m_quorvel->trigger("mnuNext");
    }
    void cleanup() { m_quorvel.reset(); }

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
        const char* three = "Title LIKE #*3*#"; // articles 3, 13 and 23
        row("last", "", "25", "25");
        row("one beyond", "", "26", maximum.arg(25));
        row("fraction beyond", "", "25.4", maximum.arg(25));
        row("one and a half up to even", "", "1.5", "2");
        row("two and a half down to even", three, "2.5", "13");
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
            QCOMPARE(m_quorvel->dialogs().texts(), QStringList{outcome});
            QVERIFY(dialog() && dialog()->isVisible());
            QCOMPARE(entry()->text(), text);
            QCOMPARE(articles().absolutePosition(), position);
        } else {
            QVERIFY(m_quorvel->dialogs().texts().isEmpty());
            QCOMPARE(shownNumber(), outcome);
            QVERIFY(!dialog());
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
        m_quorvel->trigger("mnuGoTo");
        QPointer<frmGoTo> refused = dialog();
        QTest::keyClick(entry(), Qt::Key_Delete);
        QTest::keyClicks(entry(), text);
        QTest::keyClick(entry(), Qt::Key_Return);
        QCOMPARE(m_quorvel->dialogs().texts(),
                 QStringList{"A general error occured. Please check your entry and try again. "
                             "Internal Error Code: G-01"});
        QCOMPARE(shownNumber(), QStringLiteral("2"));
        QTRY_VERIFY(!refused);
        QVERIFY(dialog() && dialog()->isVisible());
        QCOMPARE(entry()->selectedText(), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestfrmGoTo)
#include "TestfrmGoTo.moc"
