#pragma once

#include <QString>

// Who is logged in and with which rights. Start-up sets PasswordsEnabled from the
// database; a successful login sets the rest. Read by the rights gate.
struct LoginState
{
    bool PasswordsEnabled = false;
    bool UserLoggedIn = false;
    bool UserIsReadOnly = false;
    bool UserIsAdministrator = false;
    QString CurrentUserFullName;
};
