#pragma once

#include "security/Account.h"

#include <QStringList>
#include <optional>

class Connection;
class Recordset;

// The accounts of table Login. A login name is looked up without regard to letter case,
// as the lookups always compared it, and never becomes part of an SQL statement: quotes
// and other signs in a name are only characters.
class Accounts
{
public:
    explicit Accounts(Connection& db);

    // Every login name, in table order.
    QStringList names() const;
    std::optional<Account> find(const QString& name) const;

    // The account with this name and password. The typed password is compared in its
    // scrambled form, and then in the form stored before characters outside Windows-1252
    // entered as UTF-8, which such accounts keep until their password is next changed.
    std::optional<Account> logIn(const QString& name, const QString& password) const;

    // Adds the account (its password field aside) with the password scrambled. False, and
    // nothing written, when an account of that name exists.
    bool add(const Account& account, const QString& password) const;
    // Gives the account named entry the name, full name and rights of details; its
    // password stays. False, and nothing written, when the new name is another account's.
    // An entry that names no account writes nothing and counts as done.
    bool change(const QString& entry, const Account& details) const;
    // Deletes the account named entry, if there is one.
    void remove(const QString& entry) const;
    // Stores the password, scrambled, for the account named entry. False when there is no
    // such account.
    bool setPassword(const QString& entry, const QString& password) const;

private:
    // Opens every account and makes the first one of that name current; false when none.
    bool openAt(Recordset& accounts, const QString& name) const;

    Connection& m_db;
};
