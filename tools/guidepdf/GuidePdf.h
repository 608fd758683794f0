#pragma once

#include <QString>

// Turns a Markdown document into a PDF with Qt's own Markdown reader and PDF writer: A4
// pages with numbers, every top-level heading but the first starting a new page, pictures
// fitted to the width of the text.
namespace GuidePdf {

// `pictureFolder` is where the document's picture paths start. The PDF is written whole
// or not at all; false with the reason in `error`.
bool write(const QString& markdown, const QString& pictureFolder, const QString& pdfPath,
           QString* error);

} // namespace GuidePdf
