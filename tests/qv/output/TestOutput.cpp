#include "OutputFixture.h"
#include "TestPaths.h"
#include "WindowTest.h"
#include "output/ArticleHtml.h"
#include "output/HtmlExport.h"
#include "output/OutputCommands.h"
#include "output/frmReportCat.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString kRtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 %1\\par\n}");

QByteArray expected(const QString& name)
{
    QFile file(TestPaths::dataDir() + QStringLiteral("/output/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing expected file %s", qPrintable(name));
    return file.readAll();
}

} // namespace

// HTML export (compared with the expected files line by line, and the text of its pages),
// printing through a PDF file in place of the default printer, and the reports, from the
// main window.
class TestOutput : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;
    QString m_pdf;

    RecordingDialogs& dialogs() { return m_quorvel->dialogs(); }
    Recordset& articles() { return m_quorvel->articles(); }
    QByteArray written(const QString& name) { return m_quorvel->folder().readFile("HTML/" + name); }
    QWidget* openHtml() { return m_quorvel->main().findChild<QWidget*>(QStringLiteral("frmOpenHTML")); }
    OutputCommands& output() { return *m_quorvel->main().findChild<OutputCommands*>(); }
    void run(const char* command, Dialogs::Answer answer = Dialogs::Answer::Yes)
    {
        dialogs().answerNext(answer);
        m_quorvel->trigger(command);
    }
    void printToPdf(const QString& path)
    {
        output().setPrinterSource([path] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            return printer;
        });
    }

private Q_SLOTS:
    void init()
    {
        m_quorvel = std::make_unique<RunningQuorvel>(3, OutputFixture::fourthArticle());
        QVERIFY(m_quorvel->start());
        m_pdf = m_quorvel->folder().filePath(QStringLiteral("printout.pdf"));
        printToPdf(m_pdf);
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
    // The article the window shows, though the set was moved on since; customized headings,
    // the documents as formatted text.
    void printsTheShownArticle()
    {
        m_quorvel->trigger("mnuLast");
        articles().moveFirst();
        // The toolbar's Print button.
        run("tlbTool4");
        QCOMPARE(dialogs().messages().size(), 1);
        QCOMPARE(articles().absolutePosition(), 4);
        // The lines of the page as poppler reads them back, bold and italic marked.
        if (QStandardPaths::findExecutable(QStringLiteral("pdftohtml")).isEmpty())
            QSKIP("pdftohtml (poppler-utils) is not installed");
        QProcess poppler;
        poppler.start(QStringLiteral("pdftohtml"), {"-xml", "-stdout", "-i", m_pdf});
        QVERIFY(poppler.waitForFinished());
        const QString xml = QString::fromUtf8(poppler.readAllStandardOutput());
        QStringList lines;
        const QRegularExpression text(QStringLiteral("<text [^>]*>(.*)</text>"));
        for (auto match = text.globalMatch(xml); match.hasNext();)
            lines << match.next().captured(1);
        const QStringList page = {
            QStringLiteral("<b>Toner &lt;low&gt; &amp; &#34;streaks&#34;</b>"),
            QStringLiteral("<b>Article No:</b>"), QStringLiteral("4"),
            QStringLiteral("<b>Area:</b>"), QStringLiteral("Printing"),
            QStringLiteral("<b>Written By:</b>"), QStringLiteral("Stone"),
            QStringLiteral("<b>Symptom:</b>"),
            QStringLiteral("<b>Pages</b> come out streaked after the toner swap."),
            QStringLiteral("<b>Fix:</b>"),
            QStringLiteral("Open the printer, remove the toner cartridge, shake it and reseat it "
                           "<i>snugly</i>"),
            QStringLiteral("<b>Reference:</b>"), QStringLiteral("Manual \u00a7 4 &lt;p12&gt;"),
            QStringLiteral("Printed with Quorvel - https://www.example.com/quorvel")};
        QCOMPARE(lines, page);
        QProcess pictures;
        pictures.start(QStringLiteral("pdfimages"), {"-list", m_pdf});
        QVERIFY(pictures.waitForFinished());
        // The problem's picture: one image of 8 by 8 pixels on page 1.
        QCOMPARE(pictures.readAllStandardOutput().simplified().count(" 1 0 image 8 8 rgb "), 1);
    }

    void nothingIsPrinted_data()
    {
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("message");
        const QString noPrinter =
            QStringLiteral("No printer is available. Check the printer settings and try again.");
        QTest::newRow("answered No") << "no" << "Do you want to print this article?";
        QTest::newRow("a new article, not saved") << "new"
                                                  << "Please save the article before printing.";
        QTest::newRow("no printer installed") << "none" << noPrinter;
        QTest::newRow("the print fails") << "fails" << noPrinter;
    }
    // Nothing else changes: the set stays on the row it was moved to.
    void nothingIsPrinted()
    {
        QFETCH(QString, refusal);
        QFETCH(QString, message);
        if (refusal == QLatin1String("none"))
            output().setPrinterSource([] { return std::unique_ptr<QPrinter>(); });
        if (refusal == QLatin1String("fails"))
            printToPdf(m_quorvel->folder().filePath(QStringLiteral("missing/printout.pdf")));
        m_quorvel->trigger(refusal == QLatin1String("new") ? "mnuAdd" : "mnuLast");
        articles().moveFirst();
        run("mnuPrint", refusal == QLatin1String("no") ? Dialogs::Answer::No : Dialogs::Answer::Yes);
        QCOMPARE(dialogs().lastMessage().text, message);
        QCOMPARE(dialogs().lastMessage().title, QStringLiteral("Quorvel"));
        QCOMPARE(articles().absolutePosition(), 1);
        QVERIFY(!QFile::exists(m_pdf));
    }

    // Characters of the shown text, not of the stored markup.
    void lengthCountsTheShownText()
    {
        QVERIFY(SqlScript::run(m_quorvel->database(),
                               "UPDATE QV SET Problem = '{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier "
                               "New;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs28\\cf1\\b "
                               "Hello\\b0  world!\\par\n}', Solution = '' WHERE Id = 1;"));
        m_quorvel->trigger("mnuRefresh");
        m_quorvel->trigger("mnuLength");
        QCOMPARE(dialogs().lastMessage().text, QStringLiteral("Article Length (in bytes):\n12"));
        QCOMPARE(dialogs().lastMessage().title, QStringLiteral("Quorvel"));
    }

    void categorySummary_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("total");
        QTest::newRow("three categories") << QString() << "Email" << "3";
        QTest::newRow("none") << "DELETE FROM Categories;" << QString() << "0";
    }
    void categorySummary()
    {
        QFETCH(QString, sql);
        QFETCH(QString, first);
        QFETCH(QString, total);
        QVERIFY(SqlScript::run(m_quorvel->database(), sql));
        QVERIFY(m_quorvel->start());
        m_quorvel->trigger("mnuReportCat");
        auto* report = m_quorvel->main().findChild<frmReportCat*>();
        QVERIFY(report && report->isVisible());
        QCOMPARE(report->Label1->text() + ' ' + report->lblGrandTotal->text(), first + ' ' + total);
    }

    void textAreaRows_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("rows");
        QTest::newRow("3.5 goes up to 4") << 105 << 4;
        QTest::newRow("0.33 gives none") << 10 << 0;
        QTest::newRow("0.5 gives none") << 15 << 0;
    }
    void textAreaRows()
    {
        QFETCH(int, length);
        QFETCH(int, rows);
        QCOMPARE(ArticleHtml::textAreaRows(QString(length, QLatin1Char('x'))), rows);
    }

    void escape_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("escaped");
        QTest::newRow("markup") << "<b>Tom & \"Jerry's\"</b>"
                                << QByteArray("&lt;b&gt;Tom &amp; &quot;Jerry&#39;s&quot;&lt;/b&gt;");
        QTest::newRow("a closing text area") << "</textarea><script>"
                                             << QByteArray("&lt;/textarea&gt;&lt;script&gt;");
        QTest::newRow("line breaks and tabs") << "one\ntwo\r\tthree" << QByteArray("one&#10;two&#13;&#9;three");
        QTest::newRow("beyond ASCII") << QString::fromUtf8("Café ü €") << QByteArray("Caf&#233; &#252; &#8364;");
        QTest::newRow("beyond the basic plane") << QString::fromUtf8("ok 😀") << QByteArray("ok &#128512;");
    }
    void escape()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, escaped);
        QCOMPARE(ArticleHtml::escape(text), escaped);
    }

    // The plain text saved beside a document is what the window showed of it, its pictures
    // left out.
    void theSavedPlainTextIsTakenWhereThereIsOne()
    {
        Article article;
        article.problem = kRtf.arg(QStringLiteral("from the markup"));
        article.problemText = QStringLiteral("as \uFFFCsaved"); // a picture within
        article.solution = kRtf.arg(QStringLiteral("from the markup"));
        const QByteArray fragment = ArticleHtml::fragment(article);
        QVERIFY(fragment.contains("name=problem>as saved<"));
        QVERIFY(fragment.contains("name=solution>from the markup<"));
    }
};

QTEST_MAIN(TestOutput)
#include "TestOutput.moc"
