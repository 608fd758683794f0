#pragma once

#include "search/SearchContext.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The go-to dialog: makes the article at a position of the article set (counted from 1,
// within the matches while a search filter is in force) the current article. It opens with
// "1" selected; an entry that is not a number or lies beyond the last row is refused with
// a message and the dialog stays. A position the article set refuses closes the dialog,
// shows the general error and emits failed(), upon which a fresh dialog is opened.
class frmGoTo : public QDialog
{
    Q_OBJECT

public:
    frmGoTo(const SearchContext& context, QWidget* mainWindow);

    static const QString FailedMessage;

Q_SIGNALS:
    void failed();

private:
    void Command1_Click();

    const SearchContext m_context;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
};
