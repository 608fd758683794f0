#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <QTextFormat>

class QTextDocument;

// Pictures and RTF pieces shared by the rich-text tests.
namespace RichTextSamples {

// A solid-coloured picture of the given size, encoded as "PNG" or "JPEG" at the quality.
QByteArray picture(const char* format, int width, int height, const QColor& color = Qt::red,
                   int quality = -1);

// The bytes as picture hex, broken by blanks and line breaks the way old writers do.
QString brokenHex(const QByteArray& bytes);

// A complete RTF document around a body, with one Arial font and a red colour entry.
QString rtfDocument(const QString& body);

// RTF paragraphs numbered from 0 until the text is longer than length, each with a bold word
// and a red one, long enough to wrap in a narrow box; every fourth is a bullet.
QString paragraphs(qsizetype length);

// The format of every picture character of the document, in order.
QList<QTextImageFormat> imagesOf(const QTextDocument& document);

// The bytes the document holds for a picture.
QByteArray pictureBytes(const QTextDocument& document, const QTextImageFormat& image);

} // namespace RichTextSamples
