#pragma once

#include <QString>

#include <optional>

class Connection;

// What a login learns of the account it matched in table Login.
struct LoginAccount
{
    // Empty when the account's FullName holds no value.
    QString fullName;
    bool readOnly = false;
    bool administrator = false;

    // The account with this login name and password, or nothing. The name compares
    // without regard to letter case; the password compares in its scrambled form. Neither
    // text ever becomes part of an SQL statement, so quotes in them are only characters.
    static std::optional<LoginAccount> find(Connection& db, const QString& name,
                                            const QString& password);
};
