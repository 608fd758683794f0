#include "ArticleHtml.h"

#include "richtext/RtfReader.h"
#include "startup/AppInfo.h"
#include "text/NumberText.h"

#define CRLF "\r\n"

namespace {

void appendEscaped(QByteArray& out, QStringView text)
{
    for (auto it = text.cbegin(); it != text.cend(); ++it) {
        const char16_t c = it->unicode();
        switch (c) {
        case u'&':
            out += "&amp;";
            continue;
        case u'<':
            out += "&lt;";
            continue;
        case u'>':
            out += "&gt;";
            continue;
        case u'"':
            out += "&quot;";
            continue;
        case u'\'':
            out += "&#39;";
            continue;
        default:
            break;
        }
        if (c >= 0x20 && c < 0x7f) {
            out += char(c);
            continue;
        }
        char32_t codePoint = c;
        if (it->isHighSurrogate() && it + 1 != text.cend() && (it + 1)->isLowSurrogate()) {
            ++it;
            codePoint = QChar::surrogateToUcs4(c, it->unicode());
        }
        out += "&#";
        out += QByteArray::number(uint(codePoint));
        out += ';';
    }
}

void tableRow(QByteArray& out, const char* heading, const QString& value)
{
    out += "<tr><td>";
    out += heading;
    out += "</td><td>";
    appendEscaped(out, value);
    out += "</td></tr>";
}

void textAreaRow(QByteArray& out, const char* heading, const char* name, const QString& text)
{
    out += "<tr><td>";
    out += heading;
    out += "</td><td><textarea cols=60 rows=";
    out += QByteArray::number(ArticleHtml::textAreaRows(text));
    out += " name=";
    out += name;
    out += '>';
    appendEscaped(out, text);
    out += "</textarea></td></tr>";
}

// Room for the text of an article and its markup.
QByteArray withRoomFor(const Article& article, const QString& problem, const QString& solution)
{
    QByteArray out;
    out.reserve(1024 + article.title.size() + article.reference.size() +
                (problem.size() + solution.size()) * 11 / 10);
    return out;
}

} // namespace

QByteArray ArticleHtml::page(const Article& article)
{
    const QString problem = shownText(article.problem, article.problemText);
    const QString solution = shownText(article.solution, article.solutionText);
    QByteArray out = withRoomFor(article, problem, solution);
    out += "<html>" CRLF "<head>" CRLF "</head>" CRLF "<body>" CRLF "<center><FONT SIZE=+2>";
    appendEscaped(out, article.title);
    out += "</FONT>" CRLF "<P>" CRLF "<form name=print>" CRLF
           "<table border = 1 cellspacing=0 cellpadding=5>" CRLF;
    tableRow(out, "QV Number:", article.id);
    out += CRLF;
    tableRow(out, "Category:", article.category);
    out += CRLF;
    tableRow(out, "Entered By:", article.author);
    out += CRLF;
    textAreaRow(out, "Problem Description", "problem", problem);
    out += CRLF;
    textAreaRow(out, "Solution:", "solution", solution);
    tableRow(out, "Reference:", article.reference);
    out += "</table></form>";
    out += credit(Source::Current);
    out += CRLF "</center></body>" CRLF "</html>" CRLF;
    return out;
}

QByteArray ArticleHtml::fragment(const Article& article)
{
    const QString problem = shownText(article.problem, article.problemText);
    const QString solution = shownText(article.solution, article.solutionText);
    QByteArray out = withRoomFor(article, problem, solution);
    out += "<html><head></head><body><center>" CRLF "<P><HR width=50% size=2 color=#C0C0C0>" CRLF
           CRLF "<FONT SIZE=+2>";
    appendEscaped(out, article.title);
    out += "</FONT>" CRLF "<form name=print><table border = 1 cellspacing=0 cellpadding=5>" CRLF;
    tableRow(out, "QV Number:", article.id);
    out += CRLF;
    tableRow(out, "Category:", article.category);
    out += CRLF;
    tableRow(out, "Entered By:", article.author);
    out += CRLF;
    textAreaRow(out, "Problem:", "problem", problem);
    textAreaRow(out, "Solution:", "solution", solution);
    tableRow(out, "Reference:", article.reference);
    out += "</table></form>" CRLF "</center></body></html>" CRLF;
    return out;
}

QByteArray ArticleHtml::credit(Source source)
{
    return "<center>Exported from Quorvel | Powered by: <a href=\"" +
           AppInfo::homePageAddress().toLatin1() +
           (source == Source::Current ? "?ref=current" : "?ref=all") + "\">Orvane</a>";
}

int ArticleHtml::textAreaRows(const QString& text)
{
    return int(NumberText::roundHalfEven(double(text.size()) / 30));
}

QByteArray ArticleHtml::escape(QStringView text)
{
    QByteArray out;
    appendEscaped(out, text);
    return out;
}

QString ArticleHtml::shownText(const QString& storedDocument, const QString& storedText)
{
    return storedText.isEmpty() ? RtfReader::plainText(storedDocument) : storedText;
}
