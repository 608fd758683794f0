#include "RunningQuorvel.h"
#include "SqlScript.h"
#include "db/Recordset.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "search/frmGoTo.h"
#include "startup/Session.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

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

    void goesToThePosition_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown"); // the article number then shown
        QTest::newRow("last") << "" << "25" << "25";
        QTest::newRow("one and a half") << "" << "1.5" << "2";
        QTest::newRow("two and a half") << "" << "2.5" << "2";
        QTest::newRow("within three matches") << "Title LIKE #*3*#" << "2" << "13";
    }
    void goesToThePosition()
    {
        QFETCH(QString, filter);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        articles().setFilter(filter);
        go(text);
        QCOMPARE(shownNumber(), shown);
        QTRY_VERIFY(!dialog());
        QVERIFY(m_quorvel->dialogs().messages().isEmpty());
    }

    void refusesAndStays_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString check = QStringLiteral("Please check your entry and try again.");
        const QString maximum =
            QStringLiteral("The maximum number of Quorvel articles is: %1\r\n") + check;
        QTest::newRow("one beyond") << "" << "26" << maximum.arg(25);
        QTest::newRow("beyond three matches") << "Title LIKE #*3*#" << "4" << maximum.arg(3);
        QTest::newRow("letters") << "" << "abc" << check;
        QTest::newRow("empty") << "" << "\b" << check;
    }
    void refusesAndStays()
    {
        QFETCH(QString, filter);
        QFETCH(QString, text);
        QFETCH(QString, message);
        articles().setFilter(filter);
        articles().moveLast();
        const int position = articles().absolutePosition();
        go(text);
        QCOMPARE(m_quorvel->dialogs().lastMessage().text, message);
        QCOMPARE(m_quorvel->dialogs().lastMessage().title, QStringLiteral("Quorvel"));
        QCoreApplication::processEvents();
        QVERIFY(dialog() && dialog()->isVisible());
        QCOMPARE(entry()->text(), text == QLatin1String("\b") ? QString() : text);
        QCOMPARE(articles().absolutePosition(), position);
    }

    void refusedPositionReopensAFreshDialog()
    {
        m_quorvel->trigger("mnuGoTo");
        QPointer<frmGoTo> refused = dialog();
        QTest::keyClicks(entry(), QStringLiteral("0"));
        QTest::keyClick(entry(), Qt::Key_Return);
        QCOMPARE(m_quorvel->dialogs().lastMessage().text, frmGoTo::FailedMessage);
        QCOMPARE(shownNumber(), QStringLiteral("2"));
        QTRY_VERIFY(!refused);
        QVERIFY(dialog() && dialog()->isVisible());
        QCOMPARE(entry()->selectedText(), QStringLiteral("1"));
    }

    void anEmptySetNamesNoArticles()
    {
        QVERIFY(SqlScript::run(m_quorvel->database(), QStringLiteral("DELETE FROM QV")));
        m_quorvel->trigger("mnuRefresh");
        go(QStringLiteral("1"));
        QCOMPARE(m_quorvel->dialogs().lastMessage().text,
                 QStringLiteral("The maximum number of Quorvel articles is: 0\r\n"
                                "Please check your entry and try again."));
    }
};

QTEST_MAIN(TestfrmGoTo)
#include "TestfrmGoTo.moc"
