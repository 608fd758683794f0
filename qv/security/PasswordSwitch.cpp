#include "PasswordSwitch.h"

#include "db/Recordset.h"

namespace {

const QString kEnablePasswords = QStringLiteral("EnablePasswords");

void openFirstRow(Recordset& passwords, Connection& db)
{
    passwords.open(db, QStringLiteral("SELECT * FROM tblEnablePasswords Order by ID"));
    passwords.moveFirst();
}

} // namespace

namespace PasswordSwitch {

bool isOn(Connection& db)
{
    Recordset passwords;
    openFirstRow(passwords, db);
    return passwords.value(kEnablePasswords).toInt() == -1;
}

void set(Connection& db, bool on)
{
    Recordset passwords;
    openFirstRow(passwords, db);
    passwords.setValue(kEnablePasswords, on ? -1 : 0);
    passwords.updateBatch();
}

QString caption(bool on)
{
    return on ? QStringLiteral("Disable Passwords") : QStringLiteral("Enable Passwords");
}

Turned turn(Connection& db, const QString& current)
{
    const bool on = current == caption(false);
    set(db, on);
    return {on ? QStringLiteral("Passwords Enabled.") : QStringLiteral("Passwords disabled."),
            caption(on)};
}

} // namespace PasswordSwitch
