#pragma once

#include "security/LoginSettings.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Session;
class frmTest;

// The login window: checks a login name and password against the accounts, sets who is
// logged in and with which rights, and hands over to the "Logged In" window. It also
// carries the disclaimer and the two boxes whose states tavrel.ini keeps.
class frmLogin : public QDialog
{
    Q_OBJECT

public:
    // The window's height without the disclaimer: 4005 twips.
    static constexpr int kHeightWithoutDisclaimer = 4005 / 15;

    // mainWindow gets the logged-in user's name in its title and is shown from the
    // "Logged In" window.
    frmLogin(Session& session, QWidget& mainWindow);
    ~frmLogin() override;

    // Looks up the typed name and password. On success sets the login state and the
    // titles and shows the "Logged In" window; otherwise says so and empties both boxes.
    bool UserLogin();

    frmTest& loggedInWindow() const { return *m_loggedIn; }

    // Cancel, Esc and the close box: asks whether to end the program.
    void reject() override;

    QLineEdit* txtLoginName = nullptr;
    QLineEdit* txtPassWord = nullptr;
    QCheckBox* chkRememberMe = nullptr;
    QGroupBox* fraDisclaimer = nullptr;
    QPlainTextEdit* txtDisclaimer = nullptr;
    QCheckBox* chkDoNotDisplay = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdLogin = nullptr;
    QPushButton* cmdExit = nullptr;

private:
    void buildControls();
    void cmdLogin_Click();
    void chkDoNotDisplay_Click(bool ticked);
    void chkRememberMe_Click(bool ticked);

    Session& m_session;
    QWidget& m_mainWindow;
    LoginSettings m_settings;
    std::unique_ptr<frmTest> m_loggedIn;
};
