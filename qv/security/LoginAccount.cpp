#include "LoginAccount.h"

#include "db/Recordset.h"
#include "security/mdlEncrypt.h"

namespace {
constexpr int kTrue = -1;
}

std::optional<LoginAccount> LoginAccount::find(Connection& db, const QString& name,
                                               const QString& password)
{
    Recordset accounts;
    accounts.open(db, QStringLiteral("SELECT * FROM Login WHERE PassWord = ?"),
                  {mdlEncrypt::ScramblePassword(password, password)});
    // The filter compares text without regard to letter case, beyond ASCII too; its value
    // runs to the last "#", so a "#" in the name is a character like any other.
    accounts.setFilter(QStringLiteral("LoginName = #") + name + QLatin1Char('#'));
    if (accounts.recordCount() == 0)
        return std::nullopt;

    LoginAccount account;
    account.fullName = accounts.value(QStringLiteral("FullName")).toString();
    // Read-only exactly when the column holds true; any non-zero Administrator counts.
    account.readOnly = accounts.value(QStringLiteral("ReadOnly")).toInt() == kTrue;
    account.administrator = accounts.value(QStringLiteral("Administrator")).toInt() != 0;
    return account;
}
