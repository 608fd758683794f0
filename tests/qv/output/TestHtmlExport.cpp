#include "OutputFixture.h"
#include "WindowTest.h"
#include "TestPaths.h"
#include "output/HtmlExport.h"

namespace {

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
    QByteArray written(const QString& name) { return m_quorvel->folder().readFile("HTML/" + name); }
    QWidget* openHtml() { return m_quorvel->main().findChild<QWidget*>(QStringLiteral("frmOpenHTML")); }
    void run(const char* command, Dialogs::Answer answer = Dialogs::Answer::Yes)
    {
        dialogs().answerNext(answer);
        m_quorvel->trigger(command);
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(3, OutputFixture::fourthArticle());
        QVERIFY(m_quorvel->start());
    }
    void cleanup() { m_quorvel.reset(); }

    // Number, category and title as the window shows them, unsaved edits included; the rest
    // as stored.
    void exportsTheCurrentArticle_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::newRow("as saved") << false;
        QTest::newRow("edited, not saved") << true;
    }
    void exportsTheCurrentArticle()
    {
        QFETCH(bool, edited);
        m_quorvel->trigger("mnuLast");
        QList<QByteArray> lines = expected(QStringLiteral("article.html")).split('\n');
        if (edited) {
            m_quorvel->display().txtTitle->setText(QStringLiteral("Edited & unsaved"));
            m_quorvel->display().txtID->setText(QStringLiteral("44"));
            m_quorvel->display().cboTechName->setEditText(QStringLiteral("Someone else"));
            lines[4] = "<center><FONT SIZE=+2>Edited &amp; unsaved</FONT>\r";
            lines[8] = "<tr><td>QV Number:</td><td>44</td></tr>\r";
        }
        run("mnuHTMLCurrent");
        QCOMPARE(written(QStringLiteral("article.html")).split('\n'), lines);
        QCOMPARE(dialogs().lastMessage().text, "File successfully written to: " +
                                                   m_quorvel->folder().path() + "/HTML/article.html");
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
        run("mnuHTMLAll");
        run("mnuHTMLAll");
        QCOMPARE(written(QStringLiteral("allarticles.html")), expected(file));
        QCOMPARE(articles().absolutePosition(), shown);
        // The dialog opens the file or its folder with the desktop's programs.
        for (const char* button : {"Command1", "Command2", "Command3"})
            openHtml()->findChild<QPushButton*>(QLatin1String(button))->click();
        QVERIFY(!openHtml()->isVisible());
        QCOMPARE(m_quorvel->shell().launches().size(), 2);
        QCOMPARE(m_quorvel->shell().launches().at(0).target, HtmlExport::allFile());
        QCOMPARE(m_quorvel->shell().launches().at(1).target, m_quorvel->folder().path() + "/HTML");
    }

    void declinedWritesNothing()
    {
        run("mnuHTMLAll", Dialogs::Answer::No);
        QCOMPARE(dialogs().lastMessage().text,
                 QStringLiteral("Warning! This process could take several minutes depending on "
                                "the size of your database. Continue?"));
        QVERIFY(!QFile::exists(HtmlExport::allFile()));
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
        run(command.constData());
        QCOMPARE(dialogs().lastMessage().text,
                 QStringLiteral("An error occured creating the HTML file. Please save the current "
                                "article and try again or restart Quorvel.\n\nError Code: 76\n"
                                "Error Description: Path not found"));
        QCOMPARE(dialogs().lastMessage().title, QStringLiteral("Quorvel"));
        QCOMPARE(articles().absolutePosition(), 4);
        QVERIFY(!openHtml());
    }

    void aCancelledExportLeavesTheEarlierFile()
    {
        m_quorvel->folder().writeFile(QStringLiteral("HTML/allarticles.html"), "earlier");
        HtmlExport html;
        QCOMPARE(html.writeAll(articles(), [](int, int total) { return total != 4; }),
                 HtmlExport::Outcome::Cancelled);
        QCOMPARE(written(QStringLiteral("allarticles.html")), QByteArray("earlier"));
        QCOMPARE(QDir(HtmlExport::folder()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_MAIN(TestHtmlExport)
#include "TestHtmlExport.moc"
