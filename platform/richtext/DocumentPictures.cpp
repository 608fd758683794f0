#include "DocumentPictures.h"

#include <QPainter>
#include <QTextDocument>
#include <QTextFormat>
#include <QUrl>

QImage DocumentPictures::picture(QTextDocument* document, const QTextFormat& format)
{
    const QString name = format.toImageFormat().name();
    auto found = m_pictures.constFind(name);
    if (found != m_pictures.constEnd())
        return *found;
    QImage image;
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(name));
    if (resource.typeId() == QMetaType::QImage)
        image = resource.value<QImage>();
    else if (resource.typeId() == QMetaType::QPixmap)
        image = resource.value<QPixmap>().toImage();
    else
        image.loadFromData(resource.toByteArray());
    m_pictures.insert(name, image);
    return image;
}

QSizeF DocumentPictures::intrinsicSize(QTextDocument* document, int, const QTextFormat& format)
{
    const QTextImageFormat image = format.toImageFormat();
    QSizeF size(image.width(), image.height());
    if (size.width() > 0 && size.height() > 0)
        return size;
    const QSizeF own = picture(document, format).size();
    if (size.width() > 0 && own.width() > 0)
        return {size.width(), own.height() * size.width() / own.width()};
    if (size.height() > 0 && own.height() > 0)
        return {own.width() * size.height() / own.height(), size.height()};
    return own;
}

void DocumentPictures::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document,
                                  int, const QTextFormat& format)
{
    const QImage image = picture(document, format);
    if (!image.isNull())
        painter->drawImage(rect, image);
}
