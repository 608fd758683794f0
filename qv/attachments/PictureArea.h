#pragma once

#include <QImage>
#include <QWidget>

// Shows one picture as large as the area allows, keeping its proportions and never
// enlarging it past its own size, centred.
class PictureArea : public QWidget
{
    Q_OBJECT

public:
    explicit PictureArea(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    // The size a picture of `picture` pixels is drawn at in an area of `area` pixels.
    static QSize fittedSize(const QSize& picture, const QSize& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
