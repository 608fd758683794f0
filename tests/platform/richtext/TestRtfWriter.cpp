#include "RichTextSamples.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

using namespace RichTextSamples;

namespace {

QTextCharFormat charFormat(int property, const QVariant& value)
{
    QTextCharFormat format;
    format.setProperty(property, value);
    return format;
}

QTextBlockFormat blockFormat(int property, const QVariant& value)
{
    QTextBlockFormat format;
    format.setProperty(property, value);
    return format;
}

// A document of three paragraphs: plain text, the formatted one, plain text again.
void build(QTextDocument& document, const QString& text, const QTextCharFormat& chars,
           const QTextBlockFormat& block, bool bullet)
{
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("before"));
    cursor.insertBlock(block);
    if (bullet) {
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        cursor.createList(list);
    }
    cursor.insertText(text, chars);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertText(QStringLiteral("after"));
}

bool isSevenBitAscii(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() > 0x7E || (c.unicode() < 0x20 && c != '\r' && c != '\n'))
            return false;
    }
    return true;
}

QString written(const std::function<void(QTextCursor&)>& fill)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    fill(cursor);
    return RtfWriter::write(document);
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTextCharFormat>("chars");
        QTest::addColumn<QTextBlockFormat>("block");
        QTest::addColumn<bool>("bullet");

        const QTextCharFormat none;
        const QTextBlockFormat plain;
        QTest::newRow("bold") << "Bold" << charFormat(QTextFormat::FontWeight, QFont::Bold)
                              << plain << false;
        QTest::newRow("italic") << "Italic" << charFormat(QTextFormat::FontItalic, true)
                                << plain << false;
        QTest::newRow("underline") << "Under"
                                   << charFormat(QTextFormat::TextUnderlineStyle,
                                                 int(QTextCharFormat::SingleUnderline))
                                   << plain << false;
        QTest::newRow("strike-out") << "Gone" << charFormat(QTextFormat::FontStrikeOut, true)
                                    << plain << false;
        QTest::newRow("colour")
            << "Blue" << charFormat(QTextFormat::ForegroundBrush, QBrush(QColor(10, 20, 230)))
            << plain << false;
        QTest::newRow("font family")
            << "Mono" << charFormat(QTextFormat::FontFamilies, QStringList{"Courier New"})
            << plain << false;
        QTest::newRow("half-point size") << "Small" << charFormat(QTextFormat::FontPointSize, 8.5)
                                         << plain << false;
        QTest::newRow("large size") << "Large" << charFormat(QTextFormat::FontPointSize, 26.0)
                                    << plain << false;
        QTest::newRow("centre") << "Middle" << none
                                << blockFormat(QTextFormat::BlockAlignment, int(Qt::AlignHCenter))
                                << false;
        QTest::newRow("right") << "Right" << none
                               << blockFormat(QTextFormat::BlockAlignment, int(Qt::AlignRight))
                               << false;
        QTest::newRow("justify") << "Both" << none
                                 << blockFormat(QTextFormat::BlockAlignment, int(Qt::AlignJustify))
                                 << false;
        QTest::newRow("left indent") << "Indented" << none
                                     << blockFormat(QTextFormat::BlockLeftMargin, 24.0) << false;
        QTest::newRow("first-line indent") << "Hanging" << none
                                           << blockFormat(QTextFormat::TextIndent, -12.0)
                                           << false;
        QTest::newRow("right indent") << "Narrow" << none
                                      << blockFormat(QTextFormat::BlockRightMargin, 30.0)
                                      << false;
        QTest::newRow("bullet") << "Item" << none << plain << true;
        QTest::newRow("tab") << "a\tb" << none << plain << false;
        QTest::newRow("line break") << QStringLiteral("a\u2028b") << none << plain << false;
        QTest::newRow("windows-1252") << QStringLiteral("Grüße € “quoted” — ½") << none
                                      << plain << false;
        QTest::newRow("outside windows-1252") << QStringLiteral("Привет ř 日本") << none
                                              << plain << false;
        QTest::newRow("surrogate pair") << QStringLiteral("smile 😀!") << none << plain << false;
        QTest::newRow("rtf syntax characters") << QStringLiteral("\\ { } \\par {\\b x}") << none
                                               << plain << false;
        QTest::newRow("no-break space") << QStringLiteral("10\u00A0km") << none << plain
                                        << false;
        QTest::newRow("spaces around formats")
            << " two  spaces " << charFormat(QTextFormat::FontWeight, QFont::Bold) << plain
            << false;
        QTest::newRow("digits and minus after words")
            << "-5 1" << charFormat(QTextFormat::FontPointSize, 9.0) << plain << false;
    }

    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QTextCharFormat, chars);
        QFETCH(QTextBlockFormat, block);
        QFETCH(bool, bullet);

        QTextDocument original;
        build(original, text, chars, block, bullet);
        const QString rtf = RtfWriter::write(original);
        QVERIFY2(isSevenBitAscii(rtf), qPrintable(rtf));

        QTextDocument read;
        RtfReader::read(rtf, read);
        QCOMPARE(read.toPlainText(), original.toPlainText());
        QCOMPARE(read.blockCount(), 3);
        const QTextBlock middle = read.findBlockByNumber(1);
        for (auto it = middle.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QMap<int, QVariant> properties = chars.properties();
            for (auto property = properties.begin(); property != properties.end(); ++property)
                QCOMPARE(format.property(property.key()), property.value());
        }
        const QMap<int, QVariant> properties = block.properties();
        for (auto property = properties.begin(); property != properties.end(); ++property)
            QCOMPARE(middle.blockFormat().property(property.key()), property.value());
        QCOMPARE(middle.textList() != nullptr, bullet);
        QVERIFY(!read.firstBlock().textList());
        QVERIFY(!read.lastBlock().textList());
        QCOMPARE(read.firstBlock().charFormat().fontWeight(), int(QFont::Normal));
        for (auto it = read.lastBlock().begin(); !it.atEnd(); ++it)
            QCOMPARE(it.fragment().charFormat().fontWeight(), int(QFont::Normal));

        QCOMPARE(RtfWriter::write(read), rtf);
    }

    void pictures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSizeF>("shown");
        QTest::newRow("png at its own size") << picture("PNG", 3, 2) << QSizeF();
        QTest::newRow("png enlarged") << picture("PNG", 3, 2) << QSizeF(30, 20);
        QTest::newRow("jpeg reduced") << picture("JPEG", 40, 30, Qt::blue) << QSizeF(20, 15);
    }

    void pictures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSizeF, shown);
        QTextDocument original;
        QTextImageFormat image;
        image.setName(RtfReader::addPicture(original, bytes));
        if (shown.isValid()) {
            image.setWidth(shown.width());
            image.setHeight(shown.height());
        }
        QTextCursor cursor(&original);
        cursor.insertText(QStringLiteral("a"));
        cursor.insertImage(image);
        cursor.insertText(QStringLiteral("b"));
        const QString rtf = RtfWriter::write(original);

        QTextDocument read;
        RtfReader::read(rtf, read);
        QCOMPARE(read.toPlainText(), QStringLiteral("a\uFFFCb"));
        QTextCursor at(&read);
        at.setPosition(2);
        const QTextImageFormat readImage = at.charFormat().toImageFormat();
        QVERIFY(readImage.isValid());
        QCOMPARE(read.resource(QTextDocument::ImageResource, QUrl(readImage.name())).toByteArray(),
                 bytes);
        const QSizeF expected = shown.isValid() ? shown : QSizeF(QImage::fromData(bytes).size());
        QCOMPARE(QSizeF(readImage.width(), readImage.height()), expected);
        QCOMPARE(RtfWriter::write(read), rtf);
    }

    void pictureFromImageResourceIsPng()
    {
        QTextDocument document;
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::green);
        document.addResource(QTextDocument::ImageResource, QUrl("memory:green"), image);
        QTextImageFormat format;
        format.setName(QStringLiteral("memory:green"));
        QTextCursor(&document).insertImage(format);
        const QString rtf = RtfWriter::write(document);
        QVERIFY(rtf.contains(QLatin1String("\\pngblip\\picw4\\pich4\\picwgoal60\\pichgoal60")));
        QTextDocument read;
        RtfReader::read(rtf, read);
        QCOMPARE(read.toPlainText(), QStringLiteral("\uFFFC"));
    }

    void output_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("delimiter only where needed")
            << written([](QTextCursor& c) {
                   QTextCharFormat bold;
                   bold.setFontWeight(QFont::Bold);
                   c.insertText(QStringLiteral("A"), bold);
                   c.insertText(QStringLiteral(" B"), QTextCharFormat());
                   c.insertText(QStringLiteral(".\t?"), bold);
               })
            << "\\b A\\b0  B\\b.\\tab?\\par";
        QTest::newRow("escapes")
            << written([](QTextCursor& c) { c.insertText(QStringLiteral("ü€Я😀\u00A0{\\}")); })
            << "\\'fc\\'80\\u1071?\\u-10179?\\u-8704?\\~\\{\\\\\\}";
        QTest::newRow("control characters dropped")
            << written([](QTextCursor& c) { c.insertText(QStringLiteral("a\u0001\u0085b")); })
            << " ab\\par";
        QTest::newRow("bullet list written as a rich-edit control does")
            << written([](QTextCursor& c) {
                   c.insertText(QStringLiteral("x"));
                   QTextListFormat list;
                   list.setStyle(QTextListFormat::ListDisc);
                   c.createList(list);
                   c.insertBlock();
                   c.insertText(QStringLiteral("y"));
               })
            << "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"
               "\\fi-360\\li360\\f0\\fs" +
                   QString::number(QTextDocument().defaultFont().pointSize() * 2) +
                   " x\\par\r\n{\\pntext\\f1\\'b7\\tab}y\\par";
        QTest::newRow("symbol font only with bullets")
            << written([](QTextCursor& c) { c.insertText(QStringLiteral("x")); })
            << "{\\fonttbl{\\f0\\fnil\\fcharset0 "
                   + QTextDocument().defaultFont().family() + ";}}\r\n{\\*\\generator";
        QTest::newRow("colour table")
            << written([](QTextCursor& c) {
                   QTextCharFormat red;
                   red.setForeground(QColor(255, 0, 0));
                   c.insertText(QStringLiteral("r"), red);
                   c.insertText(QStringLiteral("a"), QTextCharFormat());
               })
            << "{\\colortbl;\\red255\\green0\\blue0;}";
    }

    void output()
    {
        QFETCH(QString, rtf);
        QFETCH(QString, expected);
        QVERIFY2(rtf.contains(expected), qPrintable(rtf.toUtf8().toPercentEncoding(" {}\\;?.-")));
    }

    void header()
    {
        const QString rtf = written([](QTextCursor& c) { c.insertText(QStringLiteral("x")); });
        QVERIFY(rtf.startsWith(QLatin1String("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033")));
        QVERIFY(rtf.endsWith(QLatin1String("\\par\r\n}\r\n")));
        QVERIFY(!rtf.contains(QLatin1String("colortbl")));
    }

    void longParagraphsAreBrokenBetweenTokens()
    {
        const QString text = QStringLiteral("Wörter und Sätze ").repeated(100);
        QTextDocument original;
        QTextCursor(&original).insertText(text);
        const QString rtf = RtfWriter::write(original);
        for (const QString& line : rtf.split(QLatin1String("\r\n")))
            QVERIFY2(line.size() <= 210, qPrintable(line));
        QTextDocument read;
        RtfReader::read(rtf, read);
        QCOMPARE(read.toPlainText(), text);
    }

    void emptyDocument()
    {
        QTextDocument original;
        const QString rtf = RtfWriter::write(original);
        QTextDocument read;
        read.setPlainText(QStringLiteral("old"));
        RtfReader::read(rtf, read);
        QVERIFY(read.isEmpty());
        QCOMPARE(read.blockCount(), 1);
        QCOMPARE(RtfWriter::write(read), rtf);
    }

    void mixedDocumentIsStable()
    {
        QTextDocument original;
        QTextCursor cursor(&original);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("\\ { } "));
        cursor.insertText(QStringLiteral("bold"), bold);
        cursor.insertText(QStringLiteral(" Grüße € 😀 Привет"), QTextCharFormat());
        QTextImageFormat image;
        image.setName(RtfReader::addPicture(original, picture("PNG", 2, 2)));
        cursor.insertImage(image);
        cursor.insertBlock();
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        cursor.createList(list);
        cursor.insertText(QStringLiteral("one"));
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("two"));
        cursor.insertBlock(QTextBlockFormat());
        QVERIFY(!cursor.currentList());
        cursor.insertText(QStringLiteral("end"));

        const QString first = RtfWriter::write(original);
        QVERIFY(isSevenBitAscii(first));
        QTextDocument read;
        RtfReader::read(first, read);
        QCOMPARE(read.toPlainText(), original.toPlainText());
        QCOMPARE(read.findBlockByNumber(1).textList(), read.findBlockByNumber(2).textList());
        QVERIFY(!read.lastBlock().textList());
        const QString second = RtfWriter::write(read);
        QCOMPARE(second, first);
        QTextDocument again;
        RtfReader::read(second, again);
        QCOMPARE(RtfWriter::write(again), first);
    }
};

QTEST_MAIN(TestRtfWriter)
#include "TestRtfWriter.moc"
