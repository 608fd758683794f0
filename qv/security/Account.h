#pragma once

#include <QString>

// One row of table Login.
struct Account
{
    QString loginName;
    // The scrambled form, as stored.
    QString password;
    // Empty when the column holds no value.
    QString fullName;
    bool administrator = false;
    bool readOnly = false;
};
