#include "OutputFixture.h"
#include "RunningQuorvel.h"
#include "TestPaths.h"
#include "db/Recordset.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "output/HtmlExport.h"
#include "startup/Session.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kFailure = QStringLiteral(
    "An error occured creating the HTML file. Please save the current article and try again or "
    "restart Quorvel.\n\nError Code: 76\nError Description: Path not found");
const QString kAsk = QStringLiteral("Warning! This process could take several minutes depending "
                                    "on the size of your database. Continue?");

QByteArray expected(const QString& name)
{
    QFile file(TestPaths::dataDir() + QStringLiteral("/output/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing expected file %s", qPrintable(name));
    return file.readAll();
}

} // namespace

// Exporting the current article and all articles from the main window, compared with the
// expected files line by line.
class TestHtmlExport : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;

    RecordingDialogs& dialogs() { return m_quorvel->dialogs(); }
    Recordset& articles() { return m_quorvel->program().session->rsArticles(); }
    QByteArray written(const QString& name)
    {
        return m_quorvel->folder().readFile(QStringLiteral("HTML/") + name);
    }
    QWidget* openHtml() { return m_quorvel->main().findChild<QWidget*>(QStringLiteral("frmOpenHTML")); }
    void exportAll()
    {
        dialogs().answerNext(Dialogs::Answer::Yes);
        m_quorvel->trigger("mnuHTMLAll");
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(3, OutputFixture::fourthArticle());
        QVERIFY(m_quorvel->start());
    }
    void cleanup() { m_quorvel.reset(); }

    void exportsTheCurrentArticle()
    {
        m_quorvel->trigger("mnuLast");
        m_quorvel->trigger("mnuHTMLCurrent");
        QCOMPARE(written(QStringLiteral("article.html")), expected(QStringLiteral("article.html")));
        QCOMPARE(dialogs().lastMessage().text,
                 QStringLiteral("File successfully written to: ") + m_quorvel->folder().path() +
                     QStringLiteral("/HTML/article.html"));
    }

    // Number, category and title as the window shows them; the rest as stored.
    void exportsTheWindowsEditsOfTitleNumberAndCategory()
    {
        m_quorvel->trigger("mnuLast");
        frmDisplay& display = m_quorvel->display();
        display.txtTitle->setText(QStringLiteral("Edited & unsaved"));
        display.txtID->setText(QStringLiteral("44"));
        display.cboTechName->setEditText(QStringLiteral("Someone else"));
        m_quorvel->trigger("mnuHTMLCurrent");
        QList<QByteArray> lines = expected(QStringLiteral("article.html")).split('\n');
        lines[4] = "<center><FONT SIZE=+2>Edited &amp; unsaved</FONT>\r";
        lines[8] = "<tr><td>QV Number:</td><td>44</td></tr>\r";
        QCOMPARE(written(QStringLiteral("article.html")).split('\n'), lines);
    }

    void exportsAllArticlesOnce_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("newArticle");
        QTest::addColumn<QString>("file");
        QTest::newRow("every article") << QString() << false << "allarticles.html";
        QTest::newRow("a new article is not saved yet") << QString() << true << "allarticles.html";
        QTest::newRow("the matches of a search") << "CUName = #printing#" << false
                                                 << "allarticles-printing.html";
    }
    void exportsAllArticlesOnce()
    {
        QFETCH(QString, filter);
        QFETCH(bool, newArticle);
        QFETCH(QString, file);
        articles().setFilter(filter);
        if (newArticle)
            m_quorvel->trigger("mnuAdd");
        articles().moveLast();
        const int shown = articles().absolutePosition();
        for (int run = 0; run < 2; ++run)
            exportAll();
        QCOMPARE(dialogs().lastMessage().text, kAsk);
        QCOMPARE(written(QStringLiteral("allarticles.html")), expected(file));
        QCOMPARE(articles().absolutePosition(), shown);
        QVERIFY(openHtml() && openHtml()->isVisible());
    }

    void declinedWritesNothing()
    {
        dialogs().answerNext(Dialogs::Answer::No);
        m_quorvel->trigger("mnuHTMLAll");
        QVERIFY(!QFile::exists(HtmlExport::allFile()));
        QVERIFY(!openHtml());
    }

    void aFailureIsReported_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("current article") << QByteArray("mnuHTMLCurrent");
        QTest::newRow("all articles") << QByteArray("mnuHTMLAll");
    }
    void aFailureIsReported()
    {
        QFETCH(QByteArray, command);
        m_quorvel->folder().writeFile(QStringLiteral("HTML"), "not a folder");
        articles().moveLast();
        dialogs().answerNext(Dialogs::Answer::Yes);
        m_quorvel->trigger(command.constData());
        const Dialogs::Message message = dialogs().lastMessage();
        QCOMPARE(message.text, kFailure);
        QCOMPARE(message.title, QStringLiteral("Quorvel"));
        QCOMPARE(articles().absolutePosition(), 4);
        QVERIFY(!openHtml());
    }

    void aCancelledExportLeavesTheEarlierFile()
    {
        m_quorvel->folder().writeFile(QStringLiteral("HTML/allarticles.html"), "earlier");
        HtmlExport html;
        int calls = 0;
        QCOMPARE(html.writeAll(articles(), [&calls](int, int total) {
            ++calls;
            return total != 4;
        }), HtmlExport::Outcome::Cancelled);
        QCOMPARE(calls, 1);
        QCOMPARE(written(QStringLiteral("allarticles.html")), QByteArray("earlier"));
        QCOMPARE(QDir(HtmlExport::folder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("allarticles.html")});
    }

    void theDialogOpensTheFileOrTheFolder()
    {
        exportAll();
        openHtml()->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        openHtml()->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        const QList<RecordingShell::Launch> launches = m_quorvel->shell().launches();
        QCOMPARE(launches.size(), 2);
        QCOMPARE(launches.at(0).target, m_quorvel->folder().path() + QStringLiteral("/HTML/allarticles.html"));
        QCOMPARE(launches.at(1).target, m_quorvel->folder().path() + QStringLiteral("/HTML"));
        openHtml()->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
        QVERIFY(!openHtml()->isVisible());
    }
};

QTEST_MAIN(TestHtmlExport)
#include "TestHtmlExport.moc"
