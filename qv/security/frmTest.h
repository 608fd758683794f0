#pragma once

#include <QDialog>
#include <memory>

class Connection;
class QDateTime;
class QLabel;
class QPushButton;
struct LoginState;
class frmSetupUsersForPasswords;

// The "Logged In" window: who logged in, with which rights and when. It leads on to the
// main window and, for an administrator, to the account window.
class frmTest : public QDialog
{
    Q_OBJECT

public:
    frmTest(Connection& db, QWidget& mainWindow);
    ~frmTest() override;

    // Fills the window afresh for a login made at the given time.
    void showLogin(const LoginState& login, const QDateTime& loginTime);

    // Esc and the close box go on to the main window like "&OK": hiding this window alone
    // would leave the program with no window to see.
    void reject() override;

    // The account window, once "&Setup Users" has opened it.
    frmSetupUsersForPasswords* accountWindow() const { return m_accounts.get(); }

    QLabel* lblUser = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblLoginTime = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    void continueToMainWindow();
    void Command1_Click();

    Connection& m_db;
    QWidget& m_mainWindow;
    std::unique_ptr<frmSetupUsersForPasswords> m_accounts;
};
