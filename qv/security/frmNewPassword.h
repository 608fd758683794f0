#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class Connection;
class QLineEdit;
class QPushButton;

// The change-password dialog: sets a new password for the account selected in the account
// window. It asks for no old password.
class frmNewPassword : public QDialog
{
    Q_OBJECT

public:
    // Shown when no account is selected to take the password.
    static inline const QString kSelectAccount =
        QStringLiteral("Please select a user from the list of User Names before continuing.");

    // selectedAccount gives the login name the password is for, at the moment of "&OK",
    // or nothing when no account is selected.
    using Selection = std::function<std::optional<QString>()>;
    frmNewPassword(Connection& db, Selection selectedAccount, QWidget* parent = nullptr);
    ~frmNewPassword() override;

    // Esc and the close box leave the password as it was and forget what was typed.
    void reject() override;

    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    void Command1_Click();

    Connection& m_db;
    Selection m_selectedAccount;
};
