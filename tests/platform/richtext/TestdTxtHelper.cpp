#include "RichTextSamples.h"
#include "TempProgramFolder.h"
#include "richtext/RichTextBox.h"
#include "richtext/dTxtHelper.h"

#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace RichTextSamples;

class TestdTxtHelper : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RichTextBox> m_box;
    std::unique_ptr<dTxtHelper> m_helper;
    TempProgramFolder m_folder; // the files of every test, each under its own name

    QString path(const QString& name) const { return m_folder.filePath(name); }

    // Shows the box, so that lines are counted as laid out on the screen.
    void show()
    {
        m_box->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_box.get()));
    }

private Q_SLOTS:
    void init()
    {
        m_box = std::make_unique<RichTextBox>();
        m_helper = std::make_unique<dTxtHelper>();
        m_helper->SetEditor(m_box.get());
    }
    void cleanup() { m_helper.reset(); }

    // A text with "\" or "#" is an RTF body, "#" a picture that stays in place as a picture.
    // Converting a selection keeps each run's format; converting the whole text drops it,
    // even with the caret standing in bold text ("b" marks a bold character).
    void convert_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("bold");
        QTest::newRow("toggle whole text") << "Hello World" << 0 << 0 << 3 << "hELLO wORLD" << "";
        QTest::newRow("lower selection") << "xABCx" << 1 << 3 << 1 << "xabcx" << "";
        QTest::newRow("proper case") << "the QUICK fox\nsaid:hi (3rd)" << 0 << 0 << 2
                                     << "The Quick Fox\nSaid:Hi (3rd)" << "";
        QTest::newRow("proper case, apostrophes and hyphens")
            << "o'neil e-mail DON\u2019T" << 0 << 0 << 2 << "O'neil E-mail Don\u2019t" << "";
        QTest::newRow("proper case, selection over paragraphs") << "ab\ncd" << 1 << 4 << 2
                                                                << "aB\nCd" << "";
        QTest::newRow("unknown mode") << "Same" << 0 << 0 << 7 << "Same" << "";
        QTest::newRow("proper case over a picture")
            << "ab#cd ef" << 0 << 0 << 2 << "Ab#Cd Ef" << "";
        QTest::newRow("upper selection over a picture") << "ab#cd" << 1 << 3 << 0 << "aB#Cd" << "";
        QTest::newRow("toggle selection of a picture") << "a#b" << 1 << 1 << 3 << "a#b" << "";
        QTest::newRow("selection keeps formats")
            << "\\b bold\\b0  rest" << 2 << 5 << 0 << "boLD REst" << "bbbb     ";
        QTest::newRow("whole text drops formats")
            << "\\b bold\\b0  rest" << 0 << 0 << 0 << "BOLD REST" << "         ";
    }

    void convert()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        QFETCH(QString, bold);
        const QString pictureRtf = QStringLiteral("{\\pict\\pngblip %1}")
                                       .arg(QString::fromLatin1(picture("PNG", 2, 2).toHex()));
        m_box->setText(text.contains(QRegularExpression("[#\\\\]"))
                           ? rtfDocument(text.replace(QLatin1Char('#'), pictureRtf))
                           : text);
        QVERIFY(m_helper->SelectText(start, length));
        QVERIFY(m_helper->Convert(mode));
        QCOMPARE(m_box->text(), expected.replace(QLatin1Char('#'), QChar::ObjectReplacementCharacter));
        QCOMPARE(m_box->selStart(), length > 0 ? start : 0);
        QCOMPARE(m_box->selLength(), length);
        QCOMPARE(imagesOf(*m_box->document()).size(),
                 expected.count(QChar::ObjectReplacementCharacter));
        for (int i = 0; i < bold.size(); ++i) {
            m_helper->SelectText(i, 1);
            QCOMPARE(m_box->selBold(), bold[i] == 'b');
        }
    }

    void loadFromFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("utf-16 little endian") << QByteArray("\xFF\xFEH\0i\0", 6) << "Hi";
        QTest::newRow("utf-16 big endian") << QByteArray("\xFE\xFF\0H\0i", 6) << "Hi";
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("utf-8") << QByteArray("Gr\xC3\xBC\xC3\x9F" "e\r\nline") << "Grüße\nline";
        QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBFok") << "ok";
        QTest::newRow("windows-1252") << QByteArray("caf\xE9 \x80") << "café €";
        QTest::newRow("rtf loads as text") << QByteArray("{\\rtf1 \\b x}") << "{\\rtf1 \\b x}";
    }

    void loadFromFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        m_folder.writeFile(QStringLiteral("in.txt"), bytes);
        m_box->setText(QStringLiteral("previous"));
        QVERIFY(m_helper->LoadFromFile(path("in.txt")));
        QCOMPARE(m_box->text(), expected);
    }

    void saveAndFailures()
    {
        const QString text = QStringLiteral("first line\nGrüße € 😀\tend");
        m_box->setText(text);
        QVERIFY(m_helper->SaveToFile(path("out.txt")));
        QCOMPARE(m_folder.readFile(QStringLiteral("out.txt")), text.toUtf8());
        m_helper->SelectText(9, 6);
        QVERIFY(m_helper->SaveSelection(path("part.txt")));
        QCOMPARE(m_folder.readFile(QStringLiteral("part.txt")), QByteArray("e\nGrü\xC3\x9F"));

        QVERIFY(!m_helper->LoadFromFile(path("missing.txt")));
        QVERIFY(m_helper->errorText().contains(QLatin1String("missing.txt")));
        QVERIFY(!m_helper->SaveToFile(path("no/such/folder/x.txt")));
        QVERIFY(!m_helper->errorText().isEmpty());
        QVERIFY(m_helper->SelectAll());
        QVERIFY(m_helper->errorText().isEmpty());
    }

    // Without a box nothing is done and nothing breaks; pasting asks only for clipboard text.
    void withoutEditor()
    {
        dTxtHelper helper;
        QVERIFY(!helper.Cut());
        QVERIFY(!helper.errorText().isEmpty());
        QVERIFY(!helper.Paste());
        QVERIFY(!helper.Convert(0));
        QVERIFY(!helper.LoadFromFile(path("x.txt")));
        QCOMPARE(helper.LineCount(), 0);
        QCOMPARE(helper.GetLineText(1), QString());
        helper.GotoLine(3);
        QCOMPARE(helper.GotoLine(), 3);
        helper.ForeColor(Qt::red);
        QApplication::clipboard()->setText(QStringLiteral("t"));
        QVERIFY(helper.CanPaste());
        QApplication::clipboard()->setImage(QImage::fromData(picture("PNG", 2, 2)));
        QVERIFY(!helper.CanPaste());
    }

    // Lines as shown: a line break inside a paragraph starts a line too. A line beyond the
    // last keeps the caret where it stands.
    void lines()
    {
        m_box->setTextRtf(rtfDocument("one\\line two\\par three four\\par\\par"));
        show();
        QCOMPARE(m_helper->LineCount(), 4);
        QCOMPARE(m_helper->GetLineText(1), QStringLiteral("one"));
        QCOMPARE(m_helper->GetLineText(2), QStringLiteral("two"));
        QCOMPARE(m_helper->GetLineText(3), QStringLiteral("three four"));
        QCOMPARE(m_helper->GetLineText(9), QString());
        QCOMPARE(m_helper->VisableLine(), 0);
        m_helper->SelPos(13);
        QCOMPARE(m_helper->LineIndex(), 3);
        QCOMPARE(m_helper->LineLength(), 11);
        m_helper->SelectText(0, 5);
        QCOMPARE(m_helper->LineIndex(), 2);
        QCOMPARE(m_helper->SelPos(), 0);
        for (const auto& [line, start] : {std::pair{1, 0}, {2, 4}, {3, 8}, {9, 5}}) {
            m_helper->SelectText(5, 2);
            m_helper->GotoLine(line);
            QCOMPARE(m_box->selStart(), start);
            QCOMPARE(m_box->selLength(), 0);
            QCOMPARE(m_helper->GotoLine(), line);
        }
    }

    // Wrapped lines count while word wrap is on; a line's text keeps 255 characters.
    void wordWrap()
    {
        m_box->setText(QStringLiteral("word ").repeated(300));
        m_box->resize(150, 300);
        show();
        m_helper->WordWrap(false);
        QCOMPARE(m_box->lineWrapMode(), QTextEdit::NoWrap);
        QCOMPARE(m_helper->LineCount(), 1);
        QCOMPARE(m_helper->GetLineText(1).size(), 255);
        m_helper->WordWrap(true);
        QVERIFY(m_helper->LineCount() > 5);
        QCOMPARE(m_helper->GetLineText(2).trimmed().left(4), QStringLiteral("word"));
        m_box->verticalScrollBar()->setValue(m_box->verticalScrollBar()->maximum());
        QVERIFY(m_helper->VisableLine() > 0);
    }

    // The colour goes to the whole text and the caret to its start; 16 tab units are four
    // average characters.
    void colourAndTabs()
    {
        m_box->setTextRtf(rtfDocument("a\\par \\cf1 b"));
        m_helper->SelectText(0, 1);
        m_helper->ForeColor(QColor(0, 0, 200));
        QCOMPARE(m_box->selStart(), 0);
        QCOMPARE(m_box->selLength(), 0);
        for (int start : {0, 2}) {
            m_helper->SelectText(start, 1);
            QCOMPARE(m_box->selColor(), QColor(0, 0, 200));
        }
        QVERIFY(m_helper->TabStops(16));
        QCOMPARE(m_box->tabStopDistance(), 4.0 * m_box->fontMetrics().averageCharWidth());
    }

    void clipboardAndUndo()
    {
        m_box->setText(QStringLiteral("abc"));
        m_helper->SelectText(1, 1);
        QVERIFY(m_helper->Cut());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("b"));
        m_helper->SelPos(2);
        QVERIFY(m_helper->Paste());
        QCOMPARE(m_box->text(), QStringLiteral("acb"));
        QVERIFY(m_helper->CanUndo());
        QVERIFY(m_helper->Undo());
        QCOMPARE(m_box->text(), QStringLiteral("ac"));
        QVERIFY(m_helper->CanReDo());
        m_helper->SelectText(0, 1);
        QVERIFY(m_helper->Copy());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a"));
        QVERIFY(m_helper->Clear());
        QCOMPARE(m_box->text(), QStringLiteral("c"));
        QVERIFY(m_helper->SelectAll());
        QCOMPARE(m_box->selLength(), 1);
    }
};

QTEST_MAIN(TestdTxtHelper)
#include "TestdTxtHelper.moc"
