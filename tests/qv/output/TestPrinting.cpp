#include "OutputFixture.h"
#include "WindowTest.h"
#include "output/OutputCommands.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

// Printing the shown article, through a PDF file in place of the default printer.
class TestPrinting : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningQuorvel> m_quorvel;
    QString m_pdf;

    RecordingDialogs& dialogs() { return m_quorvel->dialogs(); }
    Recordset& articles() { return m_quorvel->program().session->rsArticles(); }
    OutputCommands& output() { return *m_quorvel->main().findChild<OutputCommands*>(); }
    void printToPdf(const QString& path)
    {
        output().setPrinterSource([path] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            return printer;
        });
    }
    void print(Dialogs::Answer answer, const char* command = "mnuPrint")
    {
        dialogs().answerNext(answer);
        m_quorvel->trigger(command);
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

    // The article the window shows, though the set was moved on since; customized headings,
    // the documents as formatted text.
    void printsTheShownArticle()
    {
        m_quorvel->trigger("mnuLast");
        articles().moveFirst();
        // The toolbar's Print button.
        print(Dialogs::Answer::Yes, "tlbTool4");
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
        print(refusal == QLatin1String("no") ? Dialogs::Answer::No : Dialogs::Answer::Yes);
        QCOMPARE(dialogs().lastMessage().text, message);
        QCOMPARE(dialogs().lastMessage().title, QStringLiteral("Quorvel"));
        QCOMPARE(articles().absolutePosition(), 1);
        QVERIFY(!QFile::exists(m_pdf));
    }
};

QTEST_MAIN(TestPrinting)
#include "TestPrinting.moc"
