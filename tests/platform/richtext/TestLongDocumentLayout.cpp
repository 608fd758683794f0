#include "RichTextSamples.h"
#include "richtext/LongDocumentLayout.h"
#include "richtext/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QTest>
#include <QTextBlock>
#include <QScrollBar>
#include <QTextEdit>

#include <functional>
#include <memory>

using namespace RichTextSamples;

namespace {

// Wrapping paragraphs in three formats, a hanging indent, a centred one, bullets and a
// picture: what the program's documents hold.
QString sampleRtf()
{
    const QString body =
        QStringLiteral("\\pard\\qc\\b Title\\b0\\par\\pard A picture {\\pict\\pngblip %1} in a "
                       "line.\\par\\pard\\fi-360\\li720 A hanging indent long enough to wrap over "
                       "more than one line of the box.\\par")
            .arg(brokenHex(picture("PNG", 30, 40)));
    return rtfDocument(body + paragraphs(5000));
}

// A box on the document, laid out by Qt's own layout or by the long-document layout.
std::unique_ptr<QTextEdit> box(bool longLayout)
{
    auto edit = std::make_unique<QTextEdit>();
    auto* document = new QTextDocument(edit.get());
    RtfReader::read(sampleRtf(), *document);
    if (longLayout)
        document->setDocumentLayout(new LongDocumentLayout(document));
    edit->setDocument(document);
    edit->resize(320, 200);
    edit->show();
    return edit;
}

// Where the caret goes from the title with Down pressed until it stops: its positions and
// its rectangles in the document.
struct Walk
{
    QList<int> positions;
    QList<QRect> carets;
};

Walk walkDown(QTextEdit& edit)
{
    Walk walk;
    edit.moveCursor(QTextCursor::Start);
    for (int i = 0; i < 3; ++i) // into the centred title: the walk goes down the middle
        edit.moveCursor(QTextCursor::Right);
    while (walk.positions.isEmpty() || edit.textCursor().position() != walk.positions.last()) {
        walk.positions << edit.textCursor().position();
        walk.carets << edit.cursorRect().translated(edit.horizontalScrollBar()->value(),
                                                    edit.verticalScrollBar()->value());
        QTest::keyClick(edit.viewport(), Qt::Key_Down);
    }
    return walk;
}

bool laidOut(const QTextEdit& edit)
{
    for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
        if (block.layout()->lineCount() == 0)
            return false;
    }
    return true;
}

using Edit = std::function<void(QTextEdit&)>;

} // namespace

class TestLongDocumentLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameLinesAsQtsLayout_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("as read") << Edit([](QTextEdit&) {});
        QTest::newRow("narrower") << Edit([](QTextEdit& e) { e.resize(250, 200); });
        QTest::newRow("text typed near the start") << Edit([](QTextEdit& e) {
            e.moveCursor(QTextCursor::Start);
            e.moveCursor(QTextCursor::Down);
            e.insertPlainText(QStringLiteral("more words that make this line wrap again "));
        });
        QTest::newRow("paragraph split and joined") << Edit([](QTextEdit& e) {
            QTextCursor cursor(e.document()->findBlockByNumber(5));
            cursor.movePosition(QTextCursor::NextWord);
            cursor.insertBlock();
            QTextCursor join(e.document()->findBlockByNumber(9));
            join.movePosition(QTextCursor::EndOfBlock);
            join.deleteChar();
        });
        QTest::newRow("paragraphs deleted") << Edit([](QTextEdit& e) {
            QTextCursor cursor(e.document()->findBlockByNumber(3));
            cursor.setPosition(e.document()->findBlockByNumber(7).position() + 4,
                               QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        });
    }

    void sameLinesAsQtsLayout()
    {
        QFETCH(Edit, edit);
        const auto reference = box(false);
        const auto tested = box(true);
        // Qt's layout lays a document out step by step as the events come.
        QVERIFY(QTest::qWaitFor([&reference] { return laidOut(*reference); }));
        edit(*reference);
        edit(*tested);
        QVERIFY(QTest::qWaitFor([&reference] { return laidOut(*reference); }));
        const Walk walked = walkDown(*tested);
        const Walk expected = walkDown(*reference);
        QCOMPARE(walked.positions, expected.positions);
        QCOMPARE(walked.carets, expected.carets);
        // Where each paragraph stands, the height of the whole, and the position a click
        // on each caret finds.
        const QAbstractTextDocumentLayout* layout = tested->document()->documentLayout();
        const auto heights = [](const QTextDocument& document) {
            QList<std::pair<qreal, qreal>> heights;
            for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
                const QRectF rect = document.documentLayout()->blockBoundingRect(block);
                heights.append({rect.top(), rect.bottom()});
            }
            return heights << std::pair(0.0, document.documentLayout()->documentSize().height());
        };
        QCOMPARE(heights(*tested->document()), heights(*reference->document()));
        for (int i = 0; i < walked.positions.size(); ++i) {
            QCOMPARE(layout->hitTest(walked.carets[i].center(), Qt::FuzzyHit), walked.positions[i]);
        }
    }
};

QTEST_MAIN(TestLongDocumentLayout)
#include "TestLongDocumentLayout.moc"
