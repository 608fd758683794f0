#include "RichTextSamples.h"
#include "richtext/RichTextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

using namespace RichTextSamples;

class TestRichTextBox : public QObject
{
    Q_OBJECT

private:
    RichTextBox* m_box = nullptr;

    // Selects the characters [start, start + length) of the box.
    void select(int start, int length)
    {
        m_box->setSelStart(start);
        m_box->setSelLength(length);
    }

private Q_SLOTS:
    void init() { m_box = new RichTextBox; }
    void cleanup()
    {
        delete m_box;
        m_box = nullptr;
    }

    void rtfInAndOut()
    {
        m_box->setTextRtf(rtfDocument("Plain \\b bold\\b0\\par\\qc \\cf1 red\\par"));
        QCOMPARE(m_box->text(), QStringLiteral("Plain bold\nred"));
        const QString written = m_box->textRtf();
        QVERIFY(written.contains(QLatin1String("\\b bold\\par")));
        RichTextBox other;
        other.setTextRtf(written + QLatin1Char(' '));
        QCOMPARE(other.textRtf(), written);
        QCOMPARE(other.selStart(), 0);
    }

    void loading_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("asRtf");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");
        QTest::newRow("rtf as rtf") << rtfDocument("\\b B") << true << "B" << true;
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
        m_box->setText(QStringLiteral("previous"));
        asRtf ? m_box->setTextRtf(input) : m_box->setText(input);
        QCOMPARE(m_box->text(), text);
        select(0, 1);
        QCOMPARE(m_box->selBold(), bold);
    }

    void selection()
    {
        m_box->setText(QStringLiteral("one\ntwo three"));
        select(4, 3);
        QCOMPARE(m_box->selStart(), 4);
        QCOMPARE(m_box->selLength(), 3);
        QCOMPARE(m_box->selText(), QStringLiteral("two"));
        select(2, 3);
        QCOMPARE(m_box->selText(), QStringLiteral("e\nt"));
        m_box->setSelText(QStringLiteral("X"));
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
        QTest::addColumn<QString>("name");
        QTest::newRow("bold") << "bold";
        QTest::newRow("italic") << "italic";
        QTest::newRow("underline") << "underline";
        QTest::newRow("strike") << "strike";
        QTest::newRow("colour") << "colour";
        QTest::newRow("font") << "font";
        QTest::newRow("size") << "size";
    }

    void characterFormats()
    {
        QFETCH(QString, name);
        const auto apply = [this, &name] {
            if (name == "bold")
                m_box->setSelBold(true);
            else if (name == "italic")
                m_box->setSelItalic(true);
            else if (name == "underline")
                m_box->setSelUnderline(true);
            else if (name == "strike")
                m_box->setSelStrikeThru(true);
            else if (name == "colour")
                m_box->setSelColor(QColor(0, 128, 0));
            else if (name == "font")
                m_box->setSelFontName(QStringLiteral("Courier New"));
            else
                m_box->setSelFontSize(20);
        };
        const auto has = [this, &name] {
            if (name == "bold")
                return m_box->selBold();
            if (name == "italic")
                return m_box->selItalic();
            if (name == "underline")
                return m_box->selUnderline();
            if (name == "strike")
                return m_box->selStrikeThru();
            if (name == "colour")
                return m_box->selColor() == QColor(0, 128, 0);
            if (name == "font")
                return m_box->selFontName() == QStringLiteral("Courier New");
            return m_box->selFontSize() == 20.0;
        };

        // Applied to a selection, and kept through RTF.
        m_box->setText(QStringLiteral("hello world"));
        select(6, 5);
        apply();
        RichTextBox copy;
        copy.setTextRtf(m_box->textRtf());
        m_box = &copy;
        select(6, 5);
        QVERIFY(has());
        select(0, 5);
        QVERIFY(!has());

        // With nothing selected, applied to what is typed next.
        copy.setText(QString());
        apply();
        QTest::keyClicks(&copy, QStringLiteral("typed"));
        QCOMPARE(copy.text(), QStringLiteral("typed"));
        select(1, 3);
        QVERIFY(has());
        m_box = new RichTextBox; // cleanup() deletes this one; the copy dies with the scope
    }

    void alignment_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::newRow("left") << int(RichTextBox::AlignLeft);
        QTest::newRow("right") << int(RichTextBox::AlignRight);
        QTest::newRow("centre") << int(RichTextBox::AlignCenter);
    }

    void alignment()
    {
        QFETCH(int, alignment);
        m_box->setText(QStringLiteral("a\nb\nc"));
        m_box->setSelAlignment(RichTextBox::AlignCenter);
        select(2, 2);
        m_box->setSelAlignment(alignment);
        RichTextBox copy;
        copy.setTextRtf(m_box->textRtf());
        copy.setSelStart(0);
        QCOMPARE(copy.selAlignment(), int(RichTextBox::AlignCenter));
        copy.setSelStart(2);
        QCOMPARE(copy.selAlignment(), alignment);
        copy.setSelStart(4);
        QCOMPARE(copy.selAlignment(), alignment);
    }

    void bullets()
    {
        m_box->setText(QStringLiteral("a\nb\nc"));
        select(0, 3);
        m_box->setSelBullet(true);
        QVERIFY(m_box->selBullet());
        m_box->setSelStart(4);
        QVERIFY(!m_box->selBullet());
        RichTextBox copy;
        copy.setTextRtf(m_box->textRtf());
        QVERIFY(copy.document()->firstBlock().textList());
        QCOMPARE(copy.document()->findBlockByNumber(1).textList(),
                 copy.document()->firstBlock().textList());
        copy.setSelStart(2);
        copy.setSelBullet(false);
        QVERIFY(!copy.selBullet());
        QVERIFY(copy.document()->firstBlock().textList());
        QCOMPARE(copy.text(), QStringLiteral("a\nb\nc"));
    }

    void selChangeOnMovesAndEdits()
    {
        m_box->setText(QStringLiteral("abc"));
        QSignalSpy spy(m_box, &RichTextBox::selChange);
        m_box->setSelStart(2);
        QVERIFY(spy.count() > 0);
        spy.clear();
        m_box->setSelText(QStringLiteral("x"));
        QVERIFY(spy.count() > 0);
    }

    void pastePicture()
    {
        const QImage image = QImage::fromData(picture("PNG", 3, 2));
        QApplication::clipboard()->setImage(image);
        m_box->setText(QStringLiteral("ab"));
        m_box->setSelStart(1);
        QVERIFY(m_box->pastePicture());
        QCOMPARE(m_box->text(), QStringLiteral("a\uFFFCb"));
        RichTextBox copy;
        copy.setTextRtf(m_box->textRtf());
        QVERIFY(copy.textRtf().contains(QLatin1String("\\pngblip\\picw3\\pich2")));

        QApplication::clipboard()->setText(QStringLiteral("only text"));
        QVERIFY(!m_box->pastePicture());
        QCOMPARE(m_box->text(), QStringLiteral("a\uFFFCb"));
    }

    void copyAndPasteKeepFormats()
    {
        m_box->setTextRtf(rtfDocument("x\\b bold\\b0 y"));
        select(1, 4);
        m_box->copy();
        RichTextBox target;
        target.setText(QStringLiteral("[]"));
        target.setSelStart(1);
        target.paste();
        QCOMPARE(target.text(), QStringLiteral("[bold]"));
        target.setSelStart(1);
        target.setSelLength(4);
        QVERIFY(target.selBold());
        target.setSelStart(0);
        target.setSelLength(1);
        QVERIFY(!target.selBold());
    }

    void pastePlainTextFromOtherPrograms()
    {
        auto* data = new QMimeData;
        data->setHtml(QStringLiteral("<table><tr><td><b>cell</b></td></tr></table>"));
        data->setText(QStringLiteral("cell"));
        QApplication::clipboard()->setMimeData(data);
        m_box->paste();
        QCOMPARE(m_box->text(), QStringLiteral("cell"));
        m_box->setSelStart(0);
        m_box->setSelLength(4);
        QVERIFY(!m_box->selBold());
    }
};

QTEST_MAIN(TestRichTextBox)
#include "TestRichTextBox.moc"
