#include "RichTextSamples.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace RichTextSamples {

QByteArray picture(const char* format, int width, int height, const QColor& color, int quality)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

QString brokenHex(const QByteArray& bytes)
{
    const QString hex = QString::fromLatin1(bytes.toHex());
    QString broken;
    for (qsizetype i = 0; i < hex.size(); i += 6)
        broken += hex.mid(i, 6) + (i % 12 == 0 ? QStringLiteral(" ") : QStringLiteral("\r\n"));
    return broken;
}

QString rtfDocument(const QString& body)
{
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 "
                          "Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}\\uc1\\pard ") +
           body + QStringLiteral("}");
}

QString paragraphs(qsizetype length)
{
    QString body;
    for (int p = 0; body.size() <= length; ++p) {
        body += p % 4 == 3 ? QStringLiteral("\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt}")
                           : QStringLiteral("\\pard ");
        body += QStringLiteral("Paragraph %1 with a \\b bold\\b0  word and \\cf1 red\\cf0  text, "
                               "long enough to wrap.\\par\n")
                    .arg(p);
    }
    return body;
}

QList<QTextImageFormat> imagesOf(const QTextDocument& document)
{
    QList<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                images.append(QList<QTextImageFormat>(it.fragment().length(),
                                                     it.fragment().charFormat().toImageFormat()));
        }
    }
    return images;
}

QByteArray pictureBytes(const QTextDocument& document, const QTextImageFormat& image)
{
    return document.resource(QTextDocument::ImageResource, QUrl(image.name())).toByteArray();
}

} // namespace RichTextSamples
