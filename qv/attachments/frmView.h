#pragma once

#include <QDialog>

class PictureArea;
class QImage;
class QPushButton;

// The built-in picture viewer. There is at most one: it is made on first use and destroyed
// when it closes, so the next use starts again from the design caption.
class frmView : public QDialog
{
    Q_OBJECT

public:
    static const QString kDesignCaption;

    // The viewer, made (hidden, with the design caption) when there is none.
    static frmView& instance();
    // The viewer when there is one.
    static frmView* current();

    ~frmView() override;

    void setPicture(const QImage& picture);

    PictureArea* Image1 = nullptr;
    QPushButton* Command1 = nullptr;

public Q_SLOTS:
    void done(int result) override;

private:
    frmView();
};
