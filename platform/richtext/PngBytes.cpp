#include "PngBytes.h"

#include <QBuffer>
#include <QImage>

QByteArray pngBytes(const QImage& image)
{
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}
