#include "PictureArea.h"

#include <QPainter>

PictureArea::PictureArea(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureArea::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

QSize PictureArea::fittedSize(const QSize& picture, const QSize& area)
{
    if (picture.width() <= area.width() && picture.height() <= area.height())
        return picture;
    return picture.scaled(area, Qt::KeepAspectRatio);
}

void PictureArea::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QRect target(QPoint(), fittedSize(m_picture.size(), size()));
    target.moveCenter(rect().center());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}
