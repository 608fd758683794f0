#pragma once

#include "security/Accounts.h"

#include <QDialog>
#include <optional>

class Connection;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class frmNewPassword;

// The account window: lists the accounts and adds, changes and deletes them, sets an
// account's password through the change-password dialog and stores the password switch.
// The account named exactly "admin" keeps its name and rights: only its password can be
// set here.
class frmSetupUsersForPasswords : public QDialog
{
    Q_OBJECT

public:
    explicit frmSetupUsersForPasswords(Connection& db, QWidget* parent = nullptr);
    ~frmSetupUsersForPasswords() override;

    // Reloads the list of login names (nothing selected) and switches "&Add New" off.
    void UpdateList();

    // The change-password dialog, once "&Setup Password" has shown it.
    frmNewPassword* newPasswordWindow() const { return m_newPassword; }

    QListWidget* lstUsers = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* chkReadOnly = nullptr;
    QCheckBox* chkEditor = nullptr;
    QCheckBox* Check2 = nullptr;
    QPushButton* cmdAddNew = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdExit = nullptr;

private:
    void buildControls();
    void lstUsers_Click();
    void cmdAddNew_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void Command1_Click();

    // The selected login name, or nothing when no entry is selected.
    std::optional<QString> selectedEntry() const;
    Account details() const;
    void emptyDetails();
    void refuseDuplicate();

    Connection& m_db;
    Accounts m_accounts;
    frmNewPassword* m_newPassword = nullptr;
};
