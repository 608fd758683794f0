#include "RichTextSamples.h"
#include "richtext/RichTextBox.h"
#include "richtext/RtfReader.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using namespace RichTextSamples;

namespace {

// An RTF document long enough to be read on a thread of its own.
QString longRtf()
{
    return rtfDocument(paragraphs(RichTextBox::kBackgroundRtfLength));
}

} // namespace

class TestRichTextLoading : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RichTextBox> m_box;
    QString m_rtf;
    QString m_plain;

private Q_SLOTS:
    void initTestCase()
    {
        m_rtf = longRtf();
        m_plain = RtfReader::plainText(m_rtf);
    }

    void init()
    {
        m_box = std::make_unique<RichTextBox>();
        m_box->resize(400, 300);
        m_box->show();
        m_box->setTextRtf(m_rtf);
        m_box->document()->setModified(false); // as the article window does after a load
    }

    void startShownThenWholeWithCaretAndSelectionKept()
    {
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
        const QString plain = RtfReader::plainText(longRtf());
        QTest::newRow("plain text") << Use([](RichTextBox& b) { return b.text(); }) << plain;
        QTest::newRow("RTF") << Use([](RichTextBox& b) { return RtfReader::plainText(b.textRtf()); })
                             << plain;
        QTest::newRow("typed at the end") << Use([](RichTextBox& b) {
            b.setSelStart(int(b.text().size()));
            b.setSelText(QStringLiteral("!"));
            return b.toPlainText();
        }) << plain + QLatin1Char('!');
        QTest::newRow("bold at the start") << Use([](RichTextBox& b) {
            b.setSelLength(4);
            b.setSelBold(true);
            return b.toPlainText();
        }) << plain;
    }

    void wholeDocumentForWhatNeedsIt()
    {
        QFETCH(std::function<QString(RichTextBox&)>, use);
        QFETCH(QString, expected);
        QVERIFY(m_box->isLoading());
        QCOMPARE(use(*m_box), expected);
        QVERIFY(!m_box->isLoading());
    }

    void anotherTextWhileLoadingStaysShown()
    {
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

QTEST_MAIN(TestRichTextLoading)
#include "TestRichTextLoading.moc"
