#include "ArticleHtml.h"

#include "richtext/RtfReader.h"
#include "startup/AppInfo.h"
#include "text/NumberText.h"

#define CRLF "\r\n"

namespace {

// What a character is written as when it is not written as itself.
const char* entity(char16_t c)
{
    switch (c) {
    case u'&':
        return "&amp;";
    case u'<':
        return "&lt;";
    case u'>':
        return "&gt;";
    case u'"':
        return "&quot;";
    case u'\'':
        return "&#39;";
    default:
        return nullptr;
    }
}

bool asItself(char16_t c)
{
    return c >= 0x20 && c < 0x7f && !entity(c);
}

// The character (a surrogate pair as one) at `at`, moving `at` past it.
char32_t codePointAt(QStringView text, qsizetype& at)
{
    const QChar c = text[at++];
    if (c.isHighSurrogate() && at < text.size() && text[at].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[at++]);
    return c.unicode();
}

// Appends the text with each character not written as itself as its entity or numeric
// reference. Runs of plain characters, nearly all of an article, are copied in one go.
void appendEscaped(QByteArray& out, QStringView text)
{
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype run = at;
        while (run < text.size() && asItself(text[run].unicode()))
            ++run;
        if (run > at) {
            const qsizetype start = out.size();
            out.resize(start + (run - at));
            char* target = out.data() + start;
            for (qsizetype i = at; i < run; ++i)
                *target++ = char(text[i].unicode());
            at = run;
            continue;
        }
        if (const char* named = entity(text[at].unicode())) {
            out += named;
            ++at;
            continue;
        }
        out += "&#";
        out += QByteArray::number(uint(codePointAt(text, at)));
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

// The lines of number, category and author.
void fieldLines(QByteArray& out, const Article& article)
{
    tableRow(out, "QV Number:", article.id);
    out += CRLF;
    tableRow(out, "Category:", article.category);
    out += CRLF;
    tableRow(out, "Entered By:", article.author);
    out += CRLF;
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
    fieldLines(out, article);
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
    fieldLines(out, article);
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
    QString text = storedText.isEmpty() ? RtfReader::plainText(storedDocument) : storedText;
    // A picture stands in the plain text as one placeholder character; a text area has no
    // picture to show for it.
    return text.remove(QChar::ObjectReplacementCharacter);
}
