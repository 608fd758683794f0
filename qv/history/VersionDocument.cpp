#include "VersionDocument.h"

#include "history/KeptVersion.h"
#include "richtext/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>

namespace VersionDocument {

namespace {

void heading(QTextCursor& cursor, const QString& text)
{
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertBlock();
    cursor.insertBlock();
    cursor.insertText(text, bold);
    cursor.insertBlock();
    cursor.setCharFormat(QTextCharFormat());
}

// The document's pictures are resources of the document that read them: they go along.
void insertRtf(QTextCursor& cursor, const QString& rtf)
{
    QTextDocument part;
    RtfReader::read(rtf, part);
    for (QTextBlock block = part.begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextFormat format = piece.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl name(format.toImageFormat().name());
            cursor.document()->addResource(QTextDocument::ImageResource, name,
                                           part.resource(QTextDocument::ImageResource, name));
        }
    }
    cursor.insertFragment(QTextDocumentFragment(&part));
}

} // namespace

void fill(QTextDocument& document, const KeptVersion& version)
{
    document.clear();
    QTextCursor cursor(&document);
    const Article& article = version.article;
    const struct
    {
        const char* caption;
        const QString& value;
    } lines[] = {{"Number", article.id},           {"Category", article.category},
                 {"Entered By", article.author},   {"Title", article.title},
                 {"Reference", article.reference}, {"Initial Entry", article.initialEntry},
                 {"Edited By", article.editedBy},  {"Date Edited", article.dateEdited}};
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bool first = true;
    for (const auto& line : lines) {
        if (!first)
            cursor.insertBlock();
        first = false;
        cursor.insertText(QLatin1String(line.caption) + QStringLiteral(": "), bold);
        cursor.insertText(line.value, QTextCharFormat());
    }
    QStringList attachments;
    for (const QString& slot : version.attachments) {
        if (!slot.isEmpty() && slot != QLatin1String("N/A"))
            attachments.append(slot);
    }
    if (!attachments.isEmpty()) {
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("Attachments: "), bold);
        cursor.insertText(attachments.join(QStringLiteral("; ")), QTextCharFormat());
    }
    heading(cursor, QStringLiteral("Problem"));
    insertRtf(cursor, article.problem);
    heading(cursor, QStringLiteral("Solution"));
    insertRtf(cursor, article.solution);
}

} // namespace VersionDocument
