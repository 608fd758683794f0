#include "ArticlePrintout.h"

#include "db/Recordset.h"
#include "richtext/RtfReader.h"
#include "startup/AppInfo.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QUrl>

namespace {

enum Heading { Number, Category, Author, Title, Problem, Solution };

class PageWriter
{
public:
    explicit PageWriter(QTextDocument& document) : m_cursor(&document) {}

    void line(const QString& text, bool bold)
    {
        lastLine(text, bold);
        m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    }
    void lastLine(const QString& text, bool bold)
    {
        QTextCharFormat format;
        format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        m_cursor.insertText(text, format);
    }
    void formatted(const QString& storedDocument)
    {
        QTextDocument value;
        RtfReader::read(storedDocument, value);
        copyPictures(value);
        m_cursor.insertFragment(QTextDocumentFragment(&value));
        m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    }

private:
    // The pictures of a document are resources of that document: the page needs its own.
    void copyPictures(const QTextDocument& value)
    {
        for (QTextBlock block = value.begin(); block.isValid(); block = block.next()) {
            for (auto part = block.begin(); !part.atEnd(); ++part) {
                const QTextImageFormat picture = part.fragment().charFormat().toImageFormat();
                if (!picture.isValid())
                    continue;
                const QUrl name(picture.name());
                m_cursor.document()->addResource(QTextDocument::ImageResource, name,
                                                 value.resource(QTextDocument::ImageResource, name));
            }
        }
    }

    QTextCursor m_cursor;
};

} // namespace

QStringList ArticlePrintout::headings(Connection& db)
{
    Recordset labels;
    labels.open(db, QStringLiteral("SELECT * FROM Customize ORDER BY ID"));
    QStringList headings;
    for (; !labels.isEof(); labels.moveNext())
        headings << labels.value(QStringLiteral("Labels")).toString();
    labels.close();
    return headings;
}

void ArticlePrintout::build(const Article& article, const QStringList& headings,
                            QTextDocument& document)
{
    document.clear();
    PageWriter page(document);
    const auto heading = [&](Heading which) { page.line(headings.value(which), true); };
    const auto value = [&](const QString& text) {
        page.line(text, false);
        page.line(QString(), false);
    };
    page.line(article.title, true);
    page.line(QString(), true);
    heading(Number);
    value(article.id);
    heading(Category);
    value(article.category);
    heading(Author);
    value(article.author);
    heading(Problem);
    page.formatted(article.problem);
    page.line(QString(), false);
    heading(Solution);
    page.formatted(article.solution);
    page.line(QString(), false);
    page.line(QStringLiteral("Reference:"), true);
    value(article.reference);
    page.line(QString(), false);
    page.lastLine(credit(), false);
}

bool ArticlePrintout::print(QTextDocument& document, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    document.documentLayout()->setPaintDevice(&device);
    const QRectF page(QPointF(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    document.setPageSize(page.size());
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !device.newPage())
            return false;
        painter.save();
        painter.translate(0, -page.height() * index);
        document.drawContents(&painter, page.translated(0, page.height() * index));
        painter.restore();
    }
    return painter.end();
}

QString ArticlePrintout::credit()
{
    return QStringLiteral("Printed with Quorvel - ") + AppInfo::homePageAddress();
}
