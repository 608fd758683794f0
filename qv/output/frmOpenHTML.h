#pragma once

#include <QDialog>

class QPushButton;

// Offered after the export of all articles: open the file or its folder.
class frmOpenHTML : public QDialog
{
    Q_OBJECT

public:
    explicit frmOpenHTML(QWidget* parent = nullptr);

private:
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
};
