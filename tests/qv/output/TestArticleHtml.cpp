#include "output/ArticleHtml.h"

#include <QTest>

namespace {

const QString kRtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 %1\\par\n}");

} // namespace

// The text of the exported pages: rows of the text areas, escaping, problem and solution as
// shown.
class TestArticleHtml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textAreaRows_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("rows");
        QTest::newRow("3.5 goes up to 4") << 105 << 4;
        QTest::newRow("0.33 gives none") << 10 << 0;
        QTest::newRow("0.5 gives none") << 15 << 0;
    }
    void textAreaRows()
    {
        QFETCH(int, length);
        QFETCH(int, rows);
        QCOMPARE(ArticleHtml::textAreaRows(QString(length, QLatin1Char('x'))), rows);
    }

    void escape_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("escaped");
        QTest::newRow("markup") << "<b>Tom & \"Jerry's\"</b>"
                                << QByteArray("&lt;b&gt;Tom &amp; &quot;Jerry&#39;s&quot;&lt;/b&gt;");
        QTest::newRow("a closing text area") << "</textarea><script>"
                                             << QByteArray("&lt;/textarea&gt;&lt;script&gt;");
        QTest::newRow("line breaks and tabs") << "one\ntwo\r\tthree" << QByteArray("one&#10;two&#13;&#9;three");
        QTest::newRow("beyond ASCII") << QString::fromUtf8("Café ü €") << QByteArray("Caf&#233; &#252; &#8364;");
        QTest::newRow("beyond the basic plane") << QString::fromUtf8("ok 😀") << QByteArray("ok &#128512;");
    }
    void escape()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, escaped);
        QCOMPARE(ArticleHtml::escape(text), escaped);
    }

    // The plain text saved beside a document is what the window showed of it, its pictures
    // left out.
    void theSavedPlainTextIsTakenWhereThereIsOne()
    {
        Article article;
        article.problem = kRtf.arg(QStringLiteral("from the markup"));
        article.problemText = QStringLiteral("as \uFFFCsaved"); // a picture within
        article.solution = kRtf.arg(QStringLiteral("from the markup"));
        const QByteArray fragment = ArticleHtml::fragment(article);
        QVERIFY(fragment.contains("name=problem>as saved<"));
        QVERIFY(fragment.contains("name=solution>from the markup<"));
    }
};

QTEST_GUILESS_MAIN(TestArticleHtml)
#include "TestArticleHtml.moc"
