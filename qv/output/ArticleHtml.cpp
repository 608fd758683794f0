#include "ArticleHtml.h"

#include "richtext/RtfReader.h"
#include "startup/AppInfo.h"
#include "text/NumberText.h"

#include <QStringList>

const QString ArticleHtml::kLineEnd = QStringLiteral("\r\n");

namespace {

QString tableRow(const char* heading, const QString& value)
{
    return QStringLiteral("<tr><td>") + QLatin1String(heading) + QStringLiteral("</td><td>") +
           ArticleHtml::escape(value) + QStringLiteral("</td></tr>");
}

QString textAreaRow(const char* heading, const char* name, const QString& storedDocument)
{
    const QString text = ArticleHtml::shownText(storedDocument);
    return QStringLiteral("<tr><td>") + QLatin1String(heading) +
           QStringLiteral("</td><td><textarea cols=60 rows=") +
           QString::number(ArticleHtml::textAreaRows(text)) + QStringLiteral(" name=") +
           QLatin1String(name) + QLatin1Char('>') + ArticleHtml::escape(text) +
           QStringLiteral("</textarea></td></tr>");
}

QString lines(const QStringList& lines)
{
    return lines.join(ArticleHtml::kLineEnd) + ArticleHtml::kLineEnd;
}

} // namespace

QString ArticleHtml::page(const Article& article)
{
    return lines({
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<center><FONT SIZE=+2>") + escape(article.title) +
            QStringLiteral("</FONT>"),
        QStringLiteral("<P>"),
        QStringLiteral("<form name=print>"),
        QStringLiteral("<table border = 1 cellspacing=0 cellpadding=5>"),
        tableRow("QV Number:", article.id),
        tableRow("Category:", article.category),
        tableRow("Entered By:", article.author),
        textAreaRow("Problem Description", "problem", article.problem),
        textAreaRow("Solution:", "solution", article.solution) + tableRow("Reference:", article.reference) +
            QStringLiteral("</table></form>") + credit(Source::Current),
        QStringLiteral("</center></body>"),
        QStringLiteral("</html>"),
    });
}

QString ArticleHtml::fragment(const Article& article)
{
    return lines({
        QStringLiteral("<html><head></head><body><center>"),
        QStringLiteral("<P><HR width=50% size=2 color=#C0C0C0>"),
        QString(),
        QStringLiteral("<FONT SIZE=+2>") + escape(article.title) + QStringLiteral("</FONT>"),
        QStringLiteral("<form name=print><table border = 1 cellspacing=0 cellpadding=5>"),
        tableRow("QV Number:", article.id),
        tableRow("Category:", article.category),
        tableRow("Entered By:", article.author),
        textAreaRow("Problem:", "problem", article.problem) +
            textAreaRow("Solution:", "solution", article.solution) +
            tableRow("Reference:", article.reference) + QStringLiteral("</table></form>"),
        QStringLiteral("</center></body></html>"),
    });
}

QString ArticleHtml::credit(Source source)
{
    return QStringLiteral("<center>Exported from Quorvel | Powered by: <a href=\"") +
           AppInfo::homePageAddress() +
           (source == Source::Current ? QStringLiteral("?ref=current") : QStringLiteral("?ref=all")) +
           QStringLiteral("\">Orvane</a>");
}

int ArticleHtml::textAreaRows(const QString& text)
{
    return int(NumberText::roundHalfEven(double(text.size()) / 30));
}

QString ArticleHtml::escape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (auto it = text.cbegin(); it != text.cend(); ++it) {
        const char16_t c = it->unicode();
        switch (c) {
        case u'&':
            escaped += QLatin1String("&amp;");
            continue;
        case u'<':
            escaped += QLatin1String("&lt;");
            continue;
        case u'>':
            escaped += QLatin1String("&gt;");
            continue;
        case u'"':
            escaped += QLatin1String("&quot;");
            continue;
        case u'\'':
            escaped += QLatin1String("&#39;");
            continue;
        default:
            break;
        }
        if (c >= 0x20 && c < 0x7f) {
            escaped += QChar(c);
            continue;
        }
        char32_t codePoint = c;
        if (it->isHighSurrogate() && it + 1 != text.cend() && (it + 1)->isLowSurrogate()) {
            ++it;
            codePoint = QChar::surrogateToUcs4(c, it->unicode());
        }
        escaped += QStringLiteral("&#%1;").arg(uint(codePoint));
    }
    return escaped;
}

QString ArticleHtml::shownText(const QString& storedDocument)
{
    return RtfReader::plainText(storedDocument);
}
