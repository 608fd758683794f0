#include "RichTextSamples.h"
#include "TestPaths.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include <array>

using namespace RichTextSamples;

namespace {

QString pictureRtf(const char* blip, const QByteArray& bytes, const QString& sizing)
{
    return QStringLiteral("x{\\pict\\%1%2\r\n%3}y").arg(QLatin1String(blip), sizing, brokenHex(bytes));
}

QString dataFile(const QString& name)
{
    QFile file(TestPaths::dataDir() + "/richtext/" + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// "C 20/10/-30 disc 2": alignment (L, R, C, J), left/right margin and first-line indent in
// pixels, then list style and item number for a list item.
QString layoutOf(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    const int alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    QString layout = QStringLiteral("%1 %2/%3/%4")
                         .arg(alignment == Qt::AlignRight     ? 'R'
                              : alignment == Qt::AlignHCenter ? 'C'
                              : alignment == Qt::AlignJustify ? 'J'
                                                              : 'L')
                         .arg(format.leftMargin())
                         .arg(format.rightMargin())
                         .arg(format.textIndent());
    if (const QTextList* list = block.textList()) {
        layout += list->format().style() == QTextListFormat::ListDisc ? " disc " : " decimal ";
        layout += QString::number(list->itemNumber(block) + 1);
    }
    return layout;
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Plain text of the document read over old content, and of the extraction function.
    void plainText_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        // Rows of name, input and expected text; a body row's input is a whole document's body.
        using Rows = std::initializer_list<std::array<QString, 3>>;
        const auto rows = [](Rows cases, bool bodies) {
            for (const auto& [name, input, expected] : cases)
                QTest::addRow("%s", qPrintable(name)) << (bodies ? rtfDocument(input) : input)
                                                      << expected;
        };
        rows({{"not rtf", "one\r\ntwo\nthree\rfour", "one\ntwo\nthree\nfour"},
              {"empty", "", ""},
              {"lone space", " ", ""},
              {"ansicpg 1250", "{\\rtf1\\ansi\\ansicpg1250 \\'9a\\'e8}", "šč"},
              {"cyrillic font charset",
               "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial;}}"
               "\\f1\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\f0 \\'93q\\'94\\'80}",
               "Привет“q”€"},
              {"binary beyond the end", "{\\rtf1 a{\\pict\\pngblip\\bin99999999 ab", "a"},
              {"missing closing brace", "{\\rtf1 abc\\par def", "abc\ndef"},
              {"text after the end", QStringLiteral("{\\rtf1 a}\0\0 more"), "a"},
              {"NUL bytes in text", QStringLiteral("{\\rtf1 a\0b}"), "ab"},
              {"font name with escapes is not text",
               "{\\rtf1{\\fonttbl{\\f0\\fcharset0 Caf\\'e9{\\*\\panose 02}{\\*\\falt X};}}\\f0 t}", "t"},
              {"rich-edit sample", dataFile("printer-jam.rtf"),
               "Printer HP-4 shows “Paper jam” after every job.\nOpen tray 2\nRemove the torn "
               "sheet\nCall ext. 4410\nif it repeats\nSee \uFFFC here."},
              {"WordPad sample", dataFile("vpn-wordpad.rtf"),
               "VPN drops every 10 minutes\nClient log says: \"keepalive timeout\"– set ‘idle’ to "
               "0.\nПривет café, 20€, 😀\nintranet page\nReinstall the client\nReboot\nDone."}},
             false);
        rows({{"uc scoping", "{\\uc2\\u8364 xyZ}{\\uc0\\u8364 x}\\u8364?Q", "€Z€x€Q"},
              {"surrogates", "\\u-10179?\\u-8704?\\u-10179?x", "😀\uFFFDx"},
              {"bad hex skipped as fallback", "x\\u345\\'3?x", "xřx"},
              {"hex cut by the end", "abc\\'", "abc"},
              {"destinations", "{\\*\\foo{n}t}{\\info{\\title T}}{\\stylesheet{\\s0 N;}}{\\field{\\*"
                               "\\fldinst HYPERLINK \"u\"}{\\fldrslt L}}\\zzz V", "LV"},
              {"binary holding braces", "{\\*\\x\\bin6 }{\\}{ }ok", "ok"},
              {"breaks", "a\\line b\\par c\r\nd\\\ne\\tab f", "a\nb\ncd\ne\tf"},
              {"empty paragraph kept, last par adds none", "a\\par\\par b\\par", "a\n\nb"},
              {"special characters",
               "\\lquote a\\rquote \\ldblquote b\\rdblquote \\emdash\\endash\\bullet "
               "\\{\\}\\\\\\~\\-x\\_",
               "‘a’“b”—–•{}\\ x‑"},
              {"pntext without list is text", "{\\pntext 1.\\tab}Step\\par", "1.\tStep"},
              {"symbol bullet code", "\\u-3913?", "•"},
              {"control characters dropped", "a\\u10?\\u8233?b\\u65532?c", "abc"},
              {"picture hex with ZZ and an odd digit", "x{\\pict\\pngblip 89504eZZ470d0a1a0a0}y",
               "xy"},
              {"emf skipped", "x{\\pict\\emfblip 0100000084000000}y", "xy"},
              {"metafile without bitmap",
               "x{\\pict\\wmetafile8 0100090000030000000000000000030000000000}y", "xy"}},
             true);

        const auto repeated = [](int count, char c) { return QString(count, QLatin1Char(c)); };
        rows({{"long control word", "{\\rtf1 a\\" + repeated(100000, 'x') + " b}", "ab"},
              {"a million open braces", "{\\rtf1 a" + repeated(1000000, '{') + "b", "a"},
              {"deep nesting closed again",
               "{\\rtf1 a" + repeated(600, '{') + repeated(600, '}') + "c}", "ac"},
              {"50-digit numbers",
               "{\\rtf1 \\fs-" + repeated(50, '9') + " a\\li" + repeated(50, '9') + " b\\u" +
                   repeated(50, '9') + "? c}",
               "ab\uFFFD c"},
              {"uc clamped to 8", "{\\rtf1 \\uc" + repeated(50, '9') + " \\u8364 abcdefghijk}",
               "€ijk"},
              {"40 MB of hex",
               "{\\rtf1 a{\\pict\\pngblip " + repeated(40 * 1024 * 1024, 'a') + "}b}", "ab"}},
             false);
    }

    void plainText()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QTextDocument document;
        document.setPlainText(QStringLiteral("old text"));
        RtfReader::read(input, document);
        QCOMPARE(document.toPlainText(), expected);
        QCOMPARE(RtfReader::plainText(input), expected);
    }

    // Per-character values of one format property; an invalid value means "not set".
    void characterProperties_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("property");
        QTest::addColumn<QVariantList>("values");
        QTest::newRow("colours")
            << "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;;\\green9;}\\cf1 R\\cf0 A\\cf7 B\\cf2 "
               "C\\cf3 G}"
            << "RABCG" << int(QTextFormat::ForegroundBrush)
            << QVariantList{QBrush(QColor(255, 0, 0)), {}, {}, {}, QBrush(QColor(0, 9, 0))};
        QTest::newRow("font sizes, clamped")
            << rtfDocument("\\fs17 a\\fs0 b\\fs-4 c\\fs99999999999999 d\\fs e") << "abcde"
            << int(QTextFormat::FontPointSize) << QVariantList{8.5, 1.0, 1.0, 1638.0, 12.0};
        QTest::newRow("default font, unknown font index keeps the font")
            << "{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}a\\f2147483647 "
               "b\\f0 c}"
            << "abc" << int(QTextFormat::FontFamilies)
            << QVariantList{QStringList{"Courier New"}, QStringList{"Courier New"},
                            QStringList{"Arial"}};
    }

    void characterProperties()
    {
        QFETCH(QString, input);
        QFETCH(QString, text);
        QFETCH(int, property);
        QFETCH(QVariantList, values);
        QTextDocument document;
        RtfReader::read(input, document);
        QCOMPARE(document.toPlainText(), text);
        QTextCursor cursor(&document);
        for (int i = 0; i < values.size(); ++i) {
            cursor.setPosition(i + 1);
            QCOMPARE(cursor.charFormat().property(property), values[i]);
        }
    }

    // The three spellings of the same formats read into identical documents.
    void groupScopedFormatting()
    {
        QStringList written;
        for (const char* body : {"{\\b a \\i b\\i0 c}", "{\\b a {\\i b}c}", "\\b a \\i b\\plain\\b c"}) {
            QTextDocument document;
            RtfReader::read(rtfDocument(QString::fromLatin1(body)), document);
            written << RtfWriter::write(document);
        }
        QCOMPARE(written[1], written[0]);
        QCOMPARE(written[2], written[0]);
    }

    // Each paragraph's layout in short (see layoutOf).
    void paragraphs_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("numbered") << rtfDocument("{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec"
                                                 "\\pnstart1{\\pntxta .}}A\\par{\\pntext 2.\\tab}B")
                                  << QStringList{"L 0/0/0 decimal 1", "L 0/0/0 decimal 2"};
        QTest::newRow("indents") << rtfDocument("\\li300\\ri150\\fi-450 x\\par")
                                 << QStringList{"L 20/10/-30"};
        QTest::newRow("alignment carried over par until pard")
            << rtfDocument("\\pard\\qc A\\par B\\par\\pard C\\par")
            << QStringList{"C 0/0/0", "C 0/0/0", "L 0/0/0"};
        QTest::newRow("alignment set at the end of the paragraph")
            << rtfDocument("\\pard X\\qr\\par") << QStringList{"R 0/0/0"};
        QTest::newRow("justified, then last paragraph without par")
            << rtfDocument("\\qj J\\par\\pard\\qc K") << QStringList{"J 0/0/0", "C 0/0/0"};
        QTest::newRow("rich-edit sample")
            << dataFile("printer-jam.rtf")
            << QStringList{"L 0/0/0", "L 0/0/0 disc 1", "L 0/0/0 disc 2", "C 0/0/0", "L 0/0/0"};
    }

    void paragraphs()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, expected);
        QTextDocument document;
        RtfReader::read(input, document);
        QStringList layouts;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            layouts << layoutOf(block);
        QCOMPARE(layouts, expected);
    }

    void pictures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QSizeF>("size");

        const QByteArray png = picture("PNG", 2, 2);
        const QByteArray jpeg = picture("JPEG", 4, 3);
        const auto row = [](const char* name, const QByteArray& bytes, const QString& rtf,
                            const QSizeF& size) { QTest::newRow(name) << bytes << rtf << size; };
        row("jpeg with goal", jpeg, pictureRtf("jpegblip", jpeg, "\\picwgoal600\\pichgoal450"),
            {40, 30});
        row("scaled", png, pictureRtf("pngblip", png, "\\picwgoal300\\pichgoal300\\picscalex50"),
            {10, 20});
        row("own size without goal", jpeg, pictureRtf("jpegblip", jpeg, ""), {4, 3});
        const QString hex = QString::fromLatin1(png.toHex());
        row("digit pairs split by groups and symbols", png,
            QStringLiteral("x{\\pict\\pngblip %1{\\*\\picprop 12}%2\\~\\{%3\\uc2\\u65 ab%4}y")
                .arg(hex.left(3), hex.mid(3, 4), hex.mid(7, 5), hex.mid(12)),
            {2, 2});
        row("shape picture shown, old one skipped", png,
            QStringLiteral("x{\\*\\shppict{\\pict\\pngblip %1}}{\\nonshppict{\\pict\\pngblip %2}}y")
                .arg(brokenHex(png), brokenHex(picture("PNG", 5, 5))),
            {2, 2});
    }

    void pictures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, rtf);
        QFETCH(QSizeF, size);
        QTextDocument document;
        RtfReader::read(rtfDocument(rtf), document);
        const QList<QTextImageFormat> images = imagesOf(document);
        QCOMPARE(images.size(), 1);
        QCOMPARE(QSizeF(images[0].width(), images[0].height()), size);
        QCOMPARE(pictureBytes(document, images[0]), bytes);
        QCOMPARE(document.toPlainText(), QStringLiteral("x\uFFFCy"));
        QCOMPARE(RtfReader::plainText(rtfDocument(rtf)), QStringLiteral("x\uFFFCy"));
    }

    void metafileBitmap()
    {
        // A metafile: header, one StretchDIB record (38 words) around a 2x1 24-bit bitmap
        // (header, then red, green and row padding), end record.
        const QByteArray metafile = QByteArray::fromHex(
            "010009000003" + QByteArray(24, '0') + "26000000430f" + QByteArray(44, '0') +
            "28000000020000000100000001001800" + QByteArray(48, '0') + "0000ff00ff000000" +
            "030000000000");
        QTextDocument document;
        RtfReader::read(rtfDocument(QStringLiteral("{\\pict\\wmetafile8\\picwgoal30\\pichgoal15 %1}")
                                        .arg(QString::fromLatin1(metafile.toHex()))),
                        document);
        const QList<QTextImageFormat> images = imagesOf(document);
        QCOMPARE(images.size(), 1);
        const QImage image = QImage::fromData(pictureBytes(document, images[0]));
        QCOMPARE(image.size(), QSize(2, 1));
        QCOMPARE(image.pixelColor(0, 0), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(1, 0), QColor(0, 255, 0));
    }
};

QTEST_MAIN(TestRtfReader)
#include "TestRtfReader.moc"
