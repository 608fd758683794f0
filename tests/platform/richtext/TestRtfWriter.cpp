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

bool isSevenBitAscii(const QString& text)
{
    return QRegularExpression(QStringLiteral("^[ -~\\r\\n]*$")).match(text).hasMatch();
}

QString written(const std::function<void(QTextCursor&)>& fill)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    fill(cursor);
    return RtfWriter::write(document);
}

QString writtenText(const QString& text)
{
    return written([&text](QTextCursor& c) { c.insertText(text); });
}

void startBulletList(QTextCursor& cursor)
{
    QTextListFormat list;
    list.setStyle(QTextListFormat::ListDisc);
    cursor.createList(list);
}

// Whether the format has every property of the expected one (same), or none of them.
void compareProperties(const QTextFormat& actual, const QTextFormat& expected, bool same = true)
{
    const QMap<int, QVariant> properties = expected.properties();
    for (auto property = properties.begin(); property != properties.end(); ++property)
        QCOMPARE(actual.property(property.key()) == property.value(), same);
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A document "before", the formatted paragraph, "after" survives write and read, and
    // writes again to the same bytes.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTextCharFormat>("chars");
        QTest::addColumn<QTextBlockFormat>("block");
        QTest::addColumn<bool>("bullet");

        const auto chars = [](const char* name, const QString& text, int property, QVariant value) {
            QTextCharFormat format;
            format.setProperty(property, value);
            QTest::newRow(name) << text << format << QTextBlockFormat() << false;
        };
        const auto block = [](const char* name, int property, QVariant value) {
            QTextBlockFormat format;
            format.setProperty(property, value);
            QTest::newRow(name) << QString::fromLatin1(name) << QTextCharFormat() << format << false;
        };
        const auto text = [](const char* name, const QString& text) {
            QTest::newRow(name) << text << QTextCharFormat() << QTextBlockFormat() << false;
        };
        chars("bold, digits and minus after the word", "-5 1", QTextFormat::FontWeight,
              QFont::Bold);
        chars("italic", "Italic", QTextFormat::FontItalic, true);
        chars("underline", "Under", QTextFormat::TextUnderlineStyle,
              int(QTextCharFormat::SingleUnderline));
        chars("strike-out", "Gone", QTextFormat::FontStrikeOut, true);
        chars("colour", "Blue", QTextFormat::ForegroundBrush, QBrush(QColor(10, 20, 230)));
        chars("font family", "Mono", QTextFormat::FontFamilies, QStringList{"Courier New"});
        chars("half-point size", "Small", QTextFormat::FontPointSize, 8.5);
        block("centre", QTextFormat::BlockAlignment, int(Qt::AlignHCenter));
        block("right", QTextFormat::BlockAlignment, int(Qt::AlignRight));
        block("justify", QTextFormat::BlockAlignment, int(Qt::AlignJustify));
        block("left indent", QTextFormat::BlockLeftMargin, 24.0);
        block("first-line indent", QTextFormat::TextIndent, -12.0);
        block("right indent", QTextFormat::BlockRightMargin, 30.0);
        QTest::newRow("bullet") << "Item" << QTextCharFormat() << QTextBlockFormat() << true;
        text("line break", "a\u2028b");
        text("windows-1252", "Grüße € “quoted” — ½");
        text("surrogate pair", "smile 😀!");
        text("rtf syntax characters", "\\ { } \\par {\\b x}");
        text("no-break space", "10\u00A0km");
    }

    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QTextCharFormat, chars);
        QFETCH(QTextBlockFormat, block);
        QFETCH(bool, bullet);

        QTextDocument original;
        QTextCursor cursor(&original);
        cursor.insertText(QStringLiteral("before"));
        cursor.insertBlock(block);
        if (bullet)
            startBulletList(cursor);
        cursor.insertText(text, chars);
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertText(QStringLiteral("after"));
        const QString rtf = RtfWriter::write(original);
        QVERIFY2(isSevenBitAscii(rtf), qPrintable(rtf));

        QTextDocument read;
        RtfReader::read(rtf, read);
        QCOMPARE(read.toPlainText(), original.toPlainText());
        QCOMPARE(read.blockCount(), 3);
        const QTextBlock middle = read.findBlockByNumber(1);
        for (auto it = middle.begin(); !it.atEnd(); ++it)
            compareProperties(it.fragment().charFormat(), chars);
        compareProperties(middle.blockFormat(), block);
        QCOMPARE(middle.textList() != nullptr, bullet);
        QVERIFY(!read.lastBlock().textList());
        compareProperties(read.lastBlock().begin().fragment().charFormat(), chars, false);
        compareProperties(read.lastBlock().blockFormat(), block, false);

        QCOMPARE(RtfWriter::write(read), rtf);
    }

    // Pieces of the output in the form a rich-edit control writes.
    void output_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("expected");
        const QString defaultFamily = QTextDocument().defaultFont().family();
        const QString defaultSize = QString::number(QTextDocument().defaultFont().pointSize() * 2);
        QTest::newRow("delimiter only where needed")
            << written([](QTextCursor& c) {
                   QTextCharFormat bold;
                   bold.setFontWeight(QFont::Bold);
                   c.insertText(QStringLiteral("A"), bold);
                   c.insertText(QStringLiteral(" B"), QTextCharFormat());
                   c.insertText(QStringLiteral(".\t?"), bold);
               })
            << "\\b A\\b0  B\\b.\\tab?\\par";
        QTest::newRow("escapes") << writtenText("ü€Я😀！\u00A0{\\}")
                                 << "\\'fc\\'80\\u1071?\\u-10179?\\u-8704?\\u-255?\\~\\{\\\\\\}";
        QTest::newRow("control characters dropped") << writtenText("a\u0001\u0085b") << " ab\\par";
        QTest::newRow("bullet list")
            << written([](QTextCursor& c) {
                   c.insertText(QStringLiteral("x"));
                   startBulletList(c);
                   c.insertBlock();
                   c.insertText(QStringLiteral("y"));
               })
            << "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"
               "\\fi-360\\li360\\f0\\fs" + defaultSize + " x\\par\r\n{\\pntext\\f1\\'b7\\tab}y\\par";
        QTest::newRow("frame start") << writtenText(QString())
                                     << "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033";
        QTest::newRow("frame end") << writtenText(QString()) << "\\par\r\n}\r\n";
        QTest::newRow("symbol font only with bullets, no colours without colours")
            << writtenText("x")
            << "{\\fonttbl{\\f0\\fnil\\fcharset0 " + defaultFamily + ";}}\r\n{\\*\\generator";
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

    void longParagraphsAreBrokenBetweenTokens()
    {
        const QString text = QStringLiteral("Wörter und Sätze ").repeated(100);
        const QString rtf = writtenText(text);
        for (const QString& line : rtf.split(QLatin1String("\r\n")))
            QVERIFY2(line.size() <= 210, qPrintable(line));
        QCOMPARE(RtfReader::plainText(rtf), text);
    }

    // Pictures keep their own bytes, and their own size or the one shown, through write and
    // read; the second write is byte-identical.
    void picturesAreStable()
    {
        QTextDocument original;
        QTextCursor cursor(&original);
        const QByteArray png = picture("PNG", 3, 2, Qt::red, 100); // not as the writer encodes
        const QByteArray jpeg = picture("JPEG", 40, 30, Qt::blue);
        QTextImageFormat image;
        image.setName(RtfReader::addPicture(original, png));
        cursor.insertImage(image);
        cursor.insertImage(image);
        image.setName(RtfReader::addPicture(original, jpeg));
        image.setWidth(20);
        image.setHeight(15);
        cursor.insertImage(image);
        QImage green(4, 4, QImage::Format_RGB32); // held as an image, written as PNG
        green.fill(Qt::green);
        original.addResource(QTextDocument::ImageResource, QUrl("memory:green"), green);
        cursor.insertImage(QStringLiteral("memory:green"));

        const QString first = RtfWriter::write(original);
        QVERIFY(isSevenBitAscii(first));
        QVERIFY(first.contains(QLatin1String("\\pngblip\\picw4\\pich4\\picwgoal60\\pichgoal60")));
        QTextDocument read;
        RtfReader::read(first, read);
        const QList<QTextImageFormat> images = imagesOf(read);
        QCOMPARE(images.size(), 4);
        const QList<std::pair<QByteArray, QSizeF>> pictures{
            {png, {3, 2}}, {png, {3, 2}}, {jpeg, {20, 15}}};
        for (int i = 0; i < pictures.size(); ++i) {
            QCOMPARE(pictureBytes(read, images[i]), pictures[i].first);
            QCOMPARE(QSizeF(images[i].width(), images[i].height()), pictures[i].second);
        }
        QCOMPARE(QImage::fromData(pictureBytes(read, images[3])).pixelColor(0, 0),
                 QColor(Qt::green));
        QCOMPARE(RtfWriter::write(read), first);
    }
};

QTEST_MAIN(TestRtfWriter)
#include "TestRtfWriter.moc"
