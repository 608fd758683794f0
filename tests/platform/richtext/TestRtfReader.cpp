#include "RichTextSamples.h"
#include "TestPaths.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>
#include <QtEndian>

using namespace RichTextSamples;

namespace {

// The rich-edit skeleton of the codec notes: fonts, colours, bullets, a centred paragraph.
const QString kSkeleton = QStringLiteral(
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
    "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
    "{\\*\\generator Editor 5.50;}\\viewkind4\\uc1\\pard\\f0\\fs17 Plain \\b bold\\b0  "
    "\\cf1 red\\cf0\\par\r\n"
    "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
    "\\fi-720\\li720 First\\par\r\n{\\pntext\\f1\\'B7\\tab}Second\\par\r\n"
    "\\pard\\qc Centred\\line next line\\par\r\n}\r\n");

struct Run
{
    QString text;
    QTextCharFormat format;
};

QList<Run> runsOf(const QTextBlock& block)
{
    QList<Run> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        runs.append({it.fragment().text(), it.fragment().charFormat()});
    return runs;
}

QList<QTextImageFormat> imagesOf(const QTextDocument& document)
{
    QList<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (const Run& run : runsOf(block)) {
            if (run.format.isImageFormat())
                images.append(run.format.toImageFormat());
        }
    }
    return images;
}

QByteArray pictureBytes(const QTextDocument& document, const QTextImageFormat& image)
{
    return document.resource(QTextDocument::ImageResource, QUrl(image.name())).toByteArray();
}

QString pictureRtf(const char* blip, const QByteArray& bytes, const QString& sizing)
{
    return QStringLiteral("x{\\pict\\%1%2\r\n%3}y").arg(QLatin1String(blip), sizing, brokenHex(bytes));
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void skeleton()
    {
        QTextDocument document;
        RtfReader::read(kSkeleton, document);
        QCOMPARE(document.blockCount(), 4);

        const QList<Run> first = runsOf(document.firstBlock());
        QCOMPARE(first.size(), 4);
        QCOMPARE(first[0].text, QStringLiteral("Plain "));
        QCOMPARE(first[1].text, QStringLiteral("bold"));
        QCOMPARE(first[1].format.fontWeight(), int(QFont::Bold));
        QCOMPARE(first[2].text, QStringLiteral(" "));
        QCOMPARE(first[3].text, QStringLiteral("red"));
        QCOMPARE(first[3].format.foreground().color(), QColor(255, 0, 0));
        QCOMPARE(first[0].format.fontPointSize(), 8.5);
        QCOMPARE(first[0].format.fontFamilies().toStringList(), QStringList{"Arial"});

        const QTextBlock item1 = document.findBlockByNumber(1);
        const QTextBlock item2 = document.findBlockByNumber(2);
        QCOMPARE(item1.text(), QStringLiteral("First"));
        QCOMPARE(item2.text(), QStringLiteral("Second"));
        QVERIFY(item1.textList());
        QCOMPARE(item1.textList(), item2.textList());
        QCOMPARE(item1.textList()->format().style(), QTextListFormat::ListDisc);
        QCOMPARE(item1.blockFormat().leftMargin(), 0.0);
        QCOMPARE(item1.blockFormat().textIndent(), 0.0);

        const QTextBlock centred = document.lastBlock();
        QCOMPARE(centred.text(), QStringLiteral("Centred") + QChar(QChar::LineSeparator) +
                                     QStringLiteral("next line"));
        QCOMPARE(centred.blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QVERIFY(!centred.textList());
    }

    void plainText_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");

        QTest::newRow("not rtf") << "hello world" << "hello world";
        QTest::newRow("not rtf, line breaks") << "one\r\ntwo\nthree\rfour"
                                              << "one\ntwo\nthree\nfour";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("lone space") << " " << "";
        QTest::newRow("space after bold word") << rtfDocument("\\b A\\b0  B") << "A B";
        QTest::newRow("unicode then fallback and text")
            << rtfDocument("a\\u160?c") << QStringLiteral("a c");
        QTest::newRow("uc scoping") << rtfDocument("{\\uc2\\u8364 xyZ}{\\uc0\\u8364}\\u8364?Q")
                                    << QStringLiteral("€Z€€Q");
        QTest::newRow("surrogate pair") << rtfDocument("\\u-10179?\\u-8704?")
                                        << QStringLiteral("😀");
        QTest::newRow("unpaired surrogate") << rtfDocument("\\u-10179?x")
                                            << QStringLiteral("\uFFFDx");
        QTest::newRow("cyrillic font charset")
            << QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 "
                              "Arial;}}\\f1\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\f0 \\'93q\\'94\\'80}")
            << QStringLiteral("Привет“q”€");
        QTest::newRow("ansicpg 1250 without font charset")
            << QStringLiteral("{\\rtf1\\ansi\\ansicpg1250 \\'9a\\'e8}") << QStringLiteral("šč");
        QTest::newRow("bad hex is skipped as a fallback") << rtfDocument("x\\u345\\'3?x")
                                                          << QStringLiteral("xřx");
        QTest::newRow("hex cut by the end") << rtfDocument("abc\\'") << "abc";
        QTest::newRow("destinations")
            << rtfDocument("{\\*\\foo{n}t}{\\info{\\title T}}{\\stylesheet{\\s0 N;}}{\\field{\\*"
                        "\\fldinst HYPERLINK \"u\"}{\\fldrslt L}}\\zzz V")
            << "LV";
        QTest::newRow("binary data holding braces") << rtfDocument("{\\*\\x\\bin6 }{\\}{ }ok")
                                                   << "ok";
        QTest::newRow("binary count beyond the end")
            << QStringLiteral("{\\rtf1 a{\\pict\\pngblip\\bin99999999 ab") << "a";
        QTest::newRow("breaks") << rtfDocument("a\\line b\\par c\r\nd\\\ne") << "a\nb\ncd\ne";
        QTest::newRow("par at the end adds no paragraph") << rtfDocument("a\\par") << "a";
        QTest::newRow("empty paragraphs kept") << rtfDocument("a\\par\\par b\\par") << "a\n\nb";
        QTest::newRow("missing closing brace") << QStringLiteral("{\\rtf1 abc\\par def")
                                               << "abc\ndef";
        QTest::newRow("extra closing braces") << QStringLiteral("{\\rtf1 a}}}}b") << "a";
        QTest::newRow("text after the end") << QStringLiteral("{\\rtf1 a}\0\0 more") << "a";
        QTest::newRow("special characters")
            << rtfDocument("\\lquote a\\rquote \\ldblquote b\\rdblquote \\emdash\\endash\\bullet "
                        "\\{\\}\\\\\\~\\-x\\_")
            << QStringLiteral("‘a’“b”—–•{}\\ x‑");
        QTest::newRow("tab") << rtfDocument("a\\tab b") << "a\tb";
        QTest::newRow("pntext without list is text")
            << rtfDocument("{\\pntext 1.\\tab}Step\\par") << "1.\tStep";
        QTest::newRow("pntext with list is dropped")
            << rtfDocument("{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'B7}}Item\\par")
            << "Item";
        QTest::newRow("symbol bullet code") << rtfDocument("\\u-3913?") << QStringLiteral("•");
        QTest::newRow("unknown control word with number") << rtfDocument("a\\foo-12 b") << "ab";
        QTest::newRow("long control word")
            << rtfDocument("a\\" + QString(100000, QLatin1Char('x')) + " b") << "ab";
        QTest::newRow("font name with escapes is not text")
            << QStringLiteral("{\\rtf1{\\fonttbl{\\f0\\fcharset0 Caf\\'e9{\\*\\panose 02}"
                              "{\\*\\falt X};}}\\f0 t}")
            << "t";
        QTest::newRow("object shows its result")
            << rtfDocument("{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}{\\result r}}")
            << "r";
        QTest::newRow("control characters dropped")
            << rtfDocument(QStringLiteral("a\\u10?\\u8233?b\\u65532?c")) << "abc";
    }

    void plainText()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QTextDocument document;
        RtfReader::read(input, document);
        QCOMPARE(document.toPlainText(), expected);
        QCOMPARE(RtfReader::plainText(input), expected);
    }

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

    void listEndsAtPard()
    {
        QTextDocument document;
        RtfReader::read(rtfDocument("{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'B7}}"
                                 "\\fi-360\\li360 One\\par{\\pntext\\f1\\'B7\\tab}Two\\par"
                                 "\\pard Normal\\par"),
                        document);
        QCOMPARE(document.blockCount(), 3);
        QVERIFY(document.firstBlock().textList());
        QCOMPARE(document.findBlockByNumber(1).textList(), document.firstBlock().textList());
        QVERIFY(!document.lastBlock().textList());
        QCOMPARE(document.lastBlock().text(), QStringLiteral("Normal"));
    }

    void numberedList()
    {
        QTextDocument document;
        RtfReader::read(rtfDocument("{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}"
                                 "One\\par{\\pntext 2.\\tab}Two\\par"),
                        document);
        QCOMPARE(document.toPlainText(), QStringLiteral("One\nTwo"));
        QVERIFY(document.firstBlock().textList());
        QCOMPARE(document.firstBlock().textList()->format().style(), QTextListFormat::ListDecimal);
        QCOMPARE(document.lastBlock().textList(), document.firstBlock().textList());
    }

    void alignment_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("carried over par until pard")
            << "\\pard\\qc A\\par B\\par\\pard C\\par"
            << QList<int>{Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft};
        QTest::newRow("set at the end of the paragraph") << "\\pard X\\qr\\par"
                                                         << QList<int>{Qt::AlignRight};
        QTest::newRow("justified, then last paragraph without par")
            << "\\qj J\\par\\pard\\qc K" << QList<int>{Qt::AlignJustify, Qt::AlignHCenter};
    }

    void alignment()
    {
        QFETCH(QString, body);
        QFETCH(QList<int>, expected);
        QTextDocument document;
        RtfReader::read(rtfDocument(body), document);
        QCOMPARE(document.blockCount(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const Qt::Alignment alignment = document.findBlockByNumber(i).blockFormat().alignment();
            QCOMPARE(int(alignment & Qt::AlignHorizontal_Mask), expected[i]);
        }
    }

    void indents()
    {
        QTextDocument document;
        RtfReader::read(rtfDocument("\\li300\\ri150\\fi-450 x\\par"), document);
        const QTextBlockFormat format = document.firstBlock().blockFormat();
        QCOMPARE(format.leftMargin(), 20.0);
        QCOMPARE(format.rightMargin(), 10.0);
        QCOMPARE(format.textIndent(), -30.0);
    }

    void colours()
    {
        QTextDocument document;
        RtfReader::read(QStringLiteral("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;;\\green9;}"
                                       "\\cf1 R\\cf0 A\\cf7 B\\cf2 C\\cf3 G}"),
                        document);
        const QList<Run> runs = runsOf(document.firstBlock());
        QCOMPARE(runs.size(), 3);
        QCOMPARE(runs[0].text, QStringLiteral("R"));
        QCOMPARE(runs[0].format.foreground().color(), QColor(255, 0, 0));
        QCOMPARE(runs[1].text, QStringLiteral("ABC"));
        QVERIFY(!runs[1].format.hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(runs[2].format.foreground().color(), QColor(0, 9, 0));
    }

    void fontSizes()
    {
        QTextDocument document;
        RtfReader::read(rtfDocument("\\fs17 a\\fs0 b\\fs-4 c\\fs99999999999999 d\\fs e"), document);
        const QString text = document.toPlainText();
        QCOMPARE(text, QStringLiteral("abcde"));
        QList<qreal> sizes;
        for (int i = 1; i <= text.size(); ++i) {
            QTextCursor cursor(&document);
            cursor.setPosition(i);
            sizes << cursor.charFormat().fontPointSize();
        }
        QCOMPARE(sizes, (QList<qreal>{8.5, 1, 1, 1638, 12}));
    }

    void fontFallsBackForUnknownIndex()
    {
        QTextDocument document;
        RtfReader::read(QStringLiteral("{\\rtf1\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                                       "\\f1 a\\f2147483647 b\\f0 c}"),
                        document);
        const QList<Run> runs = runsOf(document.firstBlock());
        QCOMPARE(runs.size(), 2);
        QCOMPARE(runs[0].text, QStringLiteral("ab"));
        QCOMPARE(runs[0].format.fontFamilies().toStringList(), QStringList{"Courier New"});
        QCOMPARE(runs[1].format.fontFamilies().toStringList(), QStringList{"Arial"});
    }

    void pictures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QSizeF>("size");

        const QByteArray png = picture("PNG", 2, 2);
        const QByteArray jpeg = picture("JPEG", 4, 3);
        QTest::newRow("png with goal") << png
                                       << pictureRtf("pngblip", png,
                                                     "\\picw2\\pich2\\picwgoal300\\pichgoal300")
                                       << QSizeF(20, 20);
        QTest::newRow("jpeg with goal") << jpeg
                                        << pictureRtf("jpegblip", jpeg,
                                                      "\\picwgoal600\\pichgoal450")
                                        << QSizeF(40, 30);
        QTest::newRow("scaled") << png
                                << pictureRtf("pngblip", png,
                                              "\\picwgoal300\\pichgoal300\\picscalex50")
                                << QSizeF(10, 20);
        QTest::newRow("own size without goal") << jpeg << pictureRtf("jpegblip", jpeg, "")
                                               << QSizeF(4, 3);
        QTest::newRow("signature beats the blip word") << png << pictureRtf("jpegblip", png, "")
                                                       << QSizeF(2, 2);
        QTest::newRow("blipuid and picprop are no data")
            << png
            << pictureRtf("pngblip", png, "{\\*\\blipuid 0123456789abcdef}{\\*\\picprop{\\sp "
                                          "{\\sn x}{\\sv 1}}}")
            << QSizeF(2, 2);
        const QString hex = QString::fromLatin1(png.toHex());
        QTest::newRow("digit pairs split by groups and symbols")
            << png
            << QStringLiteral("x{\\pict\\pngblip %1{\\*\\picprop 12}%2\\~\\{%3\\uc2\\u65 ab%4}y")
                   .arg(hex.left(3), hex.mid(3, 4), hex.mid(7, 5), hex.mid(12))
            << QSizeF(2, 2);
        QTest::newRow("shape picture shown, old one skipped")
            << png
            << QStringLiteral("x{\\*\\shppict{\\pict\\pngblip %1}}{\\nonshppict{\\pict"
                              "\\pngblip %2}}y")
                   .arg(brokenHex(png), brokenHex(picture("PNG", 5, 5)))
            << QSizeF(2, 2);
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
        // A metafile holding one StretchDIB record around a 2x1 24-bit bitmap.
        QByteArray dib(40, '\0');
        auto set32 = [&dib](int at, quint32 v) { qToLittleEndian<quint32>(v, dib.data() + at); };
        set32(0, 40);
        set32(4, 2);
        set32(8, 1);
        qToLittleEndian<quint16>(1, dib.data() + 12);
        qToLittleEndian<quint16>(24, dib.data() + 14);
        dib += QByteArray::fromHex("0000ff00ff000000"); // red, green, row padding
        QByteArray record(6 + 22, '\0');
        qToLittleEndian<quint32>(quint32((record.size() + dib.size()) / 2), record.data());
        qToLittleEndian<quint16>(0x0F43, record.data() + 4);
        record += dib;
        QByteArray metafile = QByteArray::fromHex("010009000003") + QByteArray(12, '\0');
        metafile += record + QByteArray::fromHex("030000000000");

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

    void brokenPictures_data()
    {
        QTest::addColumn<QString>("body");
        const QString hex = QString::fromLatin1(picture("PNG", 2, 2).toHex());
        QTest::newRow("truncated hex") << "x{\\pict\\pngblip " + hex.left(hex.size() / 2) + "}y";
        QTest::newRow("hex with ZZ and an odd digit")
            << "x{\\pict\\pngblip 89504eZZ470d0a1a0a0}y";
        QTest::newRow("emf is skipped") << QStringLiteral("x{\\pict\\emfblip 0100000084000000}y");
        QTest::newRow("metafile without bitmap") << QStringLiteral(
            "x{\\pict\\wmetafile8 0100090000030000000000000000030000000000}y");
    }

    void brokenPictures()
    {
        QFETCH(QString, body);
        QTextDocument document;
        RtfReader::read(rtfDocument(body), document);
        QCOMPARE(document.toPlainText(), QStringLiteral("xy"));
        QVERIFY(imagesOf(document).isEmpty());
    }

    void hostileInput_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a million open braces")
            << "{\\rtf1 a" + QString(1000000, QLatin1Char('{')) + "b" << "a";
        QTest::newRow("deep nesting closed again")
            << "{\\rtf1 a" + QString(600, QLatin1Char('{')) + QString(600, QLatin1Char('}')) +
                   "c}"
            << "ac";
        QTest::newRow("50-digit numbers")
            << "{\\rtf1 \\fs-" + QString(50, QLatin1Char('9')) + " a\\li" +
                   QString(50, QLatin1Char('9')) + " b\\u" + QString(50, QLatin1Char('9')) +
                   "? c}"
            << QStringLiteral("ab\uFFFD c");
        QTest::newRow("uc clamped to 8")
            << "{\\rtf1 \\uc" + QString(50, QLatin1Char('9')) + " \\u8364 abcdefghijk}"
            << QStringLiteral("€ijk");
        QTest::newRow("40 MB of hex")
            << "{\\rtf1 a{\\pict\\pngblip " + QString(40 * 1024 * 1024, QLatin1Char('a')) + "}b}"
            << "ab";
        QTest::newRow("NUL bytes in text") << QStringLiteral("{\\rtf1 a\0b}") << "ab";
    }

    void hostileInput()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QTextDocument document;
        RtfReader::read(input, document);
        QCOMPARE(document.toPlainText(), expected);
        QCOMPARE(RtfReader::plainText(input), expected);
    }

    void richEditSamples_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("printer jam")
            << "printer-jam.rtf"
            << QStringLiteral("Printer HP-4 shows “Paper jam” after every job.\nOpen tray 2\n"
                              "Remove the torn sheet\nCall ext. 4410\nif it repeats\n"
                              "See \uFFFC here.");
        QTest::newRow("vpn")
            << "vpn-wordpad.rtf"
            << QStringLiteral("VPN drops every 10 minutes\nClient log says: \"keepalive "
                              "timeout\"– set ‘idle’ to 0.\nПривет café, 20€, 😀\n"
                              "intranet page\nReinstall the client\nReboot\nDone.");
    }

    void richEditSamples()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QFile input(TestPaths::dataDir() + "/richtext/" + file);
        QVERIFY(input.open(QIODevice::ReadOnly));
        const QString rtf = QString::fromLatin1(input.readAll());
        QTextDocument document;
        RtfReader::read(rtf, document);
        QCOMPARE(document.toPlainText(), expected);
        QCOMPARE(RtfReader::plainText(rtf), expected);
    }

    void richEditSampleFormats()
    {
        QFile input(TestPaths::dataDir() + "/richtext/printer-jam.rtf");
        QVERIFY(input.open(QIODevice::ReadOnly));
        QTextDocument document;
        RtfReader::read(QString::fromLatin1(input.readAll()), document);
        const QTextBlock first = document.firstBlock();
        QCOMPARE(runsOf(first)[1].text, QStringLiteral("HP-4"));
        QCOMPARE(runsOf(first)[1].format.fontWeight(), int(QFont::Bold));
        QCOMPARE(runsOf(first)[0].format.fontFamilies().toStringList(), QStringList{"Tahoma"});
        QCOMPARE(runsOf(first)[0].format.fontPointSize(), 10.0);
        const QTextBlock tray = first.next();
        QVERIFY(tray.textList());
        QCOMPARE(tray.next().textList(), tray.textList());
        QCOMPARE(runsOf(tray).last().format.foreground().color(), QColor(0, 0, 255));
        const QTextBlock call = tray.next().next();
        QVERIFY(!call.textList());
        QCOMPARE(call.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(runsOf(call)[0].format.fontFamilies().toStringList(),
                 QStringList{"Times New Roman"});
        QVERIFY(runsOf(call)[0].format.fontUnderline());
        QCOMPARE(imagesOf(document).size(), 1);
        QCOMPARE(imagesOf(document)[0].width(), 20.0);
    }

    // Every input the fuzzer ever stopped on: read without a crash, with matching plain text.
    void crashers()
    {
        const QDir folder(TestPaths::dataDir() + "/richtext/crashers");
        const QStringList files = folder.entryList(QDir::Files);
        for (const QString& name : files) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString input = QString::fromLatin1(file.readAll());
            QTextDocument document;
            RtfReader::read(input, document);
            QVERIFY2(document.toPlainText() == RtfReader::plainText(input), qPrintable(name));
        }
    }

    void readReplacesContent()
    {
        QTextDocument document;
        document.setPlainText(QStringLiteral("old text"));
        RtfReader::read(rtfDocument("new"), document);
        QCOMPARE(document.toPlainText(), QStringLiteral("new"));
        RtfReader::read(QStringLiteral(" "), document);
        QVERIFY(document.isEmpty());
    }
};

QTEST_MAIN(TestRtfReader)
#include "TestRtfReader.moc"
