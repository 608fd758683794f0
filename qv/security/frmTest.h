#pragma once

#include <QDialog>

class QDateTime;
class QLabel;
class QPushButton;
struct LoginState;

// The "Logged In" window: who logged in, with which rights and when. It leads on to the
// main window.
class frmTest : public QDialog
{
    Q_OBJECT

public:
    explicit frmTest(QWidget& mainWindow);
    ~frmTest() override;

    // Fills the window afresh for a login made at the given time.
    void showLogin(const LoginState& login, const QDateTime& loginTime);

    // Esc and the close box go on to the main window like "&OK": hiding this window alone
    // would leave the program with no window to see.
    void reject() override;

    QLabel* lblUser = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblLoginTime = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    void continueToMainWindow();

    QWidget& m_mainWindow;
};
