#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// A dialog of one line of text: a caption over the box `Text1`, and below them an OK button
// `Command1` that Enter presses and a Cancel button `Command2` that, like Esc, rejects the
// dialog.
class LineEntryDialog : public QDialog
{
    Q_OBJECT

protected:
    LineEntryDialog(QWidget* parent, const char* objectName, const QString& title,
                    const QString& caption, const QString& okCaption,
                    const QString& cancelCaption);

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};
