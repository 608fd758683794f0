#include "RichTextSamples.h"
#include "richtext/RichTextBox.h"
#include "richtext/RtfReader.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <functional>
#include <memory>

using namespace RichTextSamples;

namespace {

struct CharFormatter
{
    const char* name;
    void (*apply)(RichTextBox&);
    bool (*has)(const RichTextBox&);
};

const CharFormatter kCharFormatters[] = {
    {"bold", [](RichTextBox& b) { b.setSelBold(true); }, [](const RichTextBox& b) { return b.selBold(); }},
    {"italic", [](RichTextBox& b) { b.setSelItalic(true); },
     [](const RichTextBox& b) { return b.selItalic(); }},
    {"underline", [](RichTextBox& b) { b.setSelUnderline(true); },
     [](const RichTextBox& b) { return b.selUnderline(); }},
    {"strike", [](RichTextBox& b) { b.setSelStrikeThru(true); },
     [](const RichTextBox& b) { return b.selStrikeThru(); }},
    {"colour", [](RichTextBox& b) { b.setSelColor(QColor(0, 128, 0)); },
     [](const RichTextBox& b) { return b.selColor() == QColor(0, 128, 0); }},
    {"font", [](RichTextBox& b) { b.setSelFontName(QStringLiteral("Courier New")); },
     [](const RichTextBox& b) { return b.selFontName() == QStringLiteral("Courier New"); }},
    {"size", [](RichTextBox& b) { b.setSelFontSize(20); },
     [](const RichTextBox& b) { return b.selFontSize() == 20.0; }},
};

} // namespace

class TestRichTextBox : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RichTextBox> m_box;
    QString m_rtf; // long enough to be read on a thread of its own
    QString m_plain;

    void select(int start, int length)
    {
        m_box->setSelStart(start);
        m_box->setSelLength(length);
    }

    // Shows the box loading the long document, unmodified as the article window leaves it.
    void loadLong()
    {
        m_box->resize(400, 300);
        m_box->show();
        m_box->setTextRtf(m_rtf);
        m_box->document()->setModified(false);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_rtf = rtfDocument(paragraphs(RichTextBox::kBackgroundRtfLength));
        m_plain = RtfReader::plainText(m_rtf);
    }
    void init() { m_box = std::make_unique<RichTextBox>(); }

    void loading_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("asRtf");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");
        QTest::newRow("plain as rtf") << "two\r\nlines" << true << "two\nlines" << false;
        QTest::newRow("lone space as rtf") << " " << true << "" << false;
        QTest::newRow("rtf header as text") << rtfDocument("\\b B") << false << "B" << true;
        QTest::newRow("plain text") << "a {\\b x}\r\nb" << false << "a {\\b x}\nb" << false;
        QTest::newRow("lone space as text") << " " << false << " " << false;
    }

    void loading()
    {
        QFETCH(QString, input);
        QFETCH(bool, asRtf);
        QFETCH(QString, text);
        QFETCH(bool, bold);
        // Whatever was there before, bold at the caret, does not carry over.
        m_box->setTextRtf(rtfDocument("\\b previous"));
        m_box->moveCursor(QTextCursor::End);
        asRtf ? m_box->setTextRtf(input) : m_box->setText(input);
        QCOMPARE(m_box->text(), text);
        QCOMPARE(m_box->selStart(), 0);
        select(0, 1);
        QCOMPARE(m_box->selBold(), bold);
    }

    // Every move and edit tells of the selection's change.
    void selection()
    {
        m_box->setText(QStringLiteral("one\ntwo three"));
        QSignalSpy changes(m_box.get(), &RichTextBox::selChange);
        select(4, 3);
        QCOMPARE(m_box->selStart(), 4);
        QCOMPARE(m_box->selLength(), 3);
        QCOMPARE(m_box->selText(), QStringLiteral("two"));
        QVERIFY(!changes.isEmpty());
        select(2, 3);
        QCOMPARE(m_box->selText(), QStringLiteral("e\nt"));
        changes.clear();
        m_box->setSelText(QStringLiteral("X"));
        QVERIFY(!changes.isEmpty());
        QCOMPARE(m_box->text(), QStringLiteral("onXwo three"));
        QCOMPARE(m_box->selLength(), 0);
        select(5, 100);
        QCOMPARE(m_box->selText(), QStringLiteral(" three"));
        m_box->setSelStart(1000);
        QCOMPARE(m_box->selStart(), 11);
        QCOMPARE(m_box->selLength(), 0);
    }

    void characterFormats_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(kCharFormatters)); ++i)
            QTest::newRow(kCharFormatters[i].name) << i;
    }

    void characterFormats()
    {
        QFETCH(int, index);
        const CharFormatter& formatter = kCharFormatters[index];
        // Applied to a selection.
        m_box->setText(QStringLiteral("hello world"));
        select(6, 5);
        formatter.apply(*m_box);
        QVERIFY(formatter.has(*m_box));
        select(0, 7); // the format at the start counts
        QVERIFY(!formatter.has(*m_box));

        // With nothing selected, applied to what is typed next.
        m_box->setText(QString());
        formatter.apply(*m_box);
        QTest::keyClicks(m_box.get(), QStringLiteral("typed"));
        QCOMPARE(m_box->text(), QStringLiteral("typed"));
        select(1, 3);
        QVERIFY(formatter.has(*m_box));
    }

    // The paragraphs the selection touches take the alignment; the others keep theirs.
    void alignment()
    {
        for (int alignment : {RichTextBox::AlignLeft, RichTextBox::AlignRight}) {
            m_box->setText(QStringLiteral("a\nb\nc"));
            m_box->setSelAlignment(RichTextBox::AlignCenter);
            select(2, 2);
            m_box->setSelAlignment(alignment);
            for (const auto& [start, expected] : {std::pair{0, int(RichTextBox::AlignCenter)},
                                                  {2, alignment}, {4, alignment}}) {
                m_box->setSelStart(start);
                QCOMPARE(m_box->selAlignment(), expected);
            }
        }
    }

    void bullets()
    {
        m_box->setText(QStringLiteral("a\nb\nc"));
        select(0, 3);
        m_box->setSelBullet(true);
        QVERIFY(m_box->selBullet());
        m_box->setSelStart(4);
        QVERIFY(!m_box->selBullet());
        const QTextDocument* document = m_box->document();
        QVERIFY(document->firstBlock().textList());
        QCOMPARE(document->findBlockByNumber(1).textList(), document->firstBlock().textList());
        m_box->setSelStart(2);
        m_box->setSelBullet(false);
        QVERIFY(!m_box->selBullet());
        QVERIFY(document->firstBlock().textList());
        QCOMPARE(m_box->text(), QStringLiteral("a\nb\nc"));
    }

    // A picture pasted is embedded; another program's table comes as its text only; a
    // selection copied from a box keeps its formats.
    void paste()
    {
        QApplication::clipboard()->setImage(QImage::fromData(picture("PNG", 3, 2)));
        m_box->setText(QStringLiteral("[]"));
        m_box->setSelStart(1);
        QVERIFY(m_box->pastePicture());
        QVERIFY(m_box->textRtf().contains(QLatin1String("\\pngblip\\picw3\\pich2")));
        auto* data = new QMimeData;
        data->setHtml(QStringLiteral("<table><tr><td><b>cell</b></td></tr></table>"));
        data->setText(QStringLiteral("cell"));
        QApplication::clipboard()->setMimeData(data);
        QVERIFY(!m_box->pastePicture());
        m_box->paste();
        RichTextBox source;
        source.setTextRtf(rtfDocument("x\\b bold\\b0 y"));
        source.setSelStart(1);
        source.setSelLength(4);
        source.copy();
        m_box->paste();
        QCOMPARE(m_box->text(), QStringLiteral("[\uFFFCcellbold]"));
        for (int i = 0; i < 11; ++i) {
            select(i, 1);
            QCOMPARE(m_box->selBold(), i >= 6 && i < 10);
        }
    }

    // A long document: its start shown at once, then the whole, the caret and the selection
    // kept.
    void startShownThenWholeWithCaretAndSelectionKept()
    {
        loadLong();
        QVERIFY(m_box->isLoading());
        QVERIFY(m_box->textLength() < m_plain.size());
        QCOMPARE(m_box->toPlainText(), m_plain.left(m_box->textLength()));
        m_box->setSelStart(20);
        m_box->setSelLength(15);
        QTest::keyClick(m_box.get(), Qt::Key_X); // not taken while the rest is read
        QSignalSpy finished(m_box.get(), &RichTextBox::loadFinished);
        QVERIFY(finished.wait(10000));
        QVERIFY(!m_box->isLoading());
        QCOMPARE(m_box->toPlainText(), m_plain);
        QCOMPARE(m_box->textLength(), m_plain.size());
        QCOMPARE(m_box->selStart(), 20);
        QCOMPARE(m_box->selText(), m_plain.mid(20, 15));
        QVERIFY(!m_box->document()->isModified());
        QTest::keyClick(m_box.get(), Qt::Key_X); // typing again once whole
        QCOMPARE(m_box->textLength(), m_plain.size() - 14);
    }

    void wholeDocumentForWhatNeedsIt_data()
    {
        QTest::addColumn<std::function<QString(RichTextBox&)>>("use");
        QTest::addColumn<QString>("expected");
        using Use = std::function<QString(RichTextBox&)>;
        QTest::newRow("plain text") << Use([](RichTextBox& b) { return b.text(); }) << m_plain;
        QTest::newRow("RTF")
            << Use([](RichTextBox& b) { return RtfReader::plainText(b.textRtf()); }) << m_plain;
        QTest::newRow("typed at the end") << Use([](RichTextBox& b) {
            b.setSelStart(int(b.text().size()));
            b.setSelText(QStringLiteral("!"));
            return b.toPlainText();
        }) << m_plain + QLatin1Char('!');
        QTest::newRow("bold at the start") << Use([](RichTextBox& b) {
            b.setSelLength(4);
            b.setSelBold(true);
            return b.toPlainText();
        }) << m_plain;
    }

    void wholeDocumentForWhatNeedsIt()
    {
        QFETCH(std::function<QString(RichTextBox&)>, use);
        QFETCH(QString, expected);
        loadLong();
        QVERIFY(m_box->isLoading());
        QCOMPARE(use(*m_box), expected);
        QVERIFY(!m_box->isLoading());
    }

    void anotherTextWhileLoadingStaysShown()
    {
        loadLong();
        const QString shortText = rtfDocument(QStringLiteral("Short.\\par"));
        m_box->setTextRtf(shortText);
        QVERIFY(!m_box->isLoading());
        QSignalSpy finished(m_box.get(), &RichTextBox::loadFinished);
        QVERIFY(!finished.wait(500));
        QCOMPARE(m_box->toPlainText(), QStringLiteral("Short."));
        m_box->setTextRtf(m_rtf);
        m_box->setText(QStringLiteral("plain"));
        QVERIFY(!finished.wait(500));
        QCOMPARE(m_box->toPlainText(), QStringLiteral("plain"));
    }
};

QTEST_MAIN(TestRichTextBox)
#include "TestRichTextBox.moc"
