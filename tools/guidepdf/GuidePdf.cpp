#include "GuidePdf.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace GuidePdf {

namespace {

// The width of the text on an A4 page with the margins that printing a document gives it
// (about 22 mm), in the document's pixels (96 per inch): 165 mm.
constexpr double kTextWidth = 165 / 25.4 * 96;

// Loads every picture the document names, fits it to the text width and gives it some
// room above and below.
bool loadPictures(QTextDocument& document, const QDir& folder, QString* error)
{
    QList<QPair<int, QTextImageFormat>> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextImageFormat format = it.fragment().charFormat().toImageFormat();
            if (format.isValid())
                pictures.append({it.fragment().position(), format});
        }
    }
    for (auto& [position, format] : pictures) {
        const QImage picture(folder.filePath(format.name()));
        if (picture.isNull()) {
            *error = QStringLiteral("cannot read the picture ") + format.name();
            return false;
        }
        document.addResource(QTextDocument::ImageResource, QUrl(format.name()), picture);
        const double width = qMin<double>(picture.width(), kTextWidth);
        format.setWidth(width);
        format.setHeight(width * picture.height() / picture.width());
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
        QTextBlockFormat room;
        room.setTopMargin(6);
        room.setBottomMargin(10);
        cursor.mergeBlockFormat(room);
    }
    return true;
}

// Thin ruled tables with some room around the cell texts, as wide as the page.
void formatTables(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextTable* table = QTextCursor(block).currentTable();
        if (!table || table->firstPosition() != block.position())
            continue;
        QTextTableFormat format = table->format();
        format.setBorderCollapse(true);
        format.setBorder(1);
        format.setBorderBrush(Qt::gray);
        format.setCellSpacing(0);
        format.setCellPadding(4);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        table->setFormat(format);
    }
}

// Starts every top-level heading but the first on a new page; returns the first one's text.
QString breakBeforeChapters(QTextDocument& document)
{
    QString title;
    bool first = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1)
            continue;
        if (!first) {
            QTextBlockFormat format;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).mergeBlockFormat(format);
        } else {
            title = block.text();
        }
        first = false;
    }
    return title;
}

} // namespace

bool write(const QString& markdown, const QString& pictureFolder, const QString& pdfPath,
           QString* error)
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setMarkdown(markdown);
    if (!loadPictures(document, QDir(pictureFolder), error))
        return false;
    formatTables(document);
    const QString title = breakBeforeChapters(document);

    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    {
        // Without margins of its own the page takes those that printing a document adds.
        QPdfWriter pdf(&file);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(), QPageLayout::Millimeter));
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Quorvel"));
        document.print(&pdf);
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace GuidePdf
