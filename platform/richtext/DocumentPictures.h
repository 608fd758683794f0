#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QTextObjectInterface>

// Pictures of the document drawn from its image resources, at the size their format gives
// or their own.
class DocumentPictures : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;
    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    QImage picture(QTextDocument* document, const QTextFormat& format);

    QHash<QString, QImage> m_pictures;
};
