#include "Accounts.h"

#include "db/Recordset.h"
#include "security/mdlEncrypt.h"

namespace {

const QString kAll = QStringLiteral("SELECT * FROM Login");
const QString kLoginName = QStringLiteral("LoginName");
const QString kPassword = QStringLiteral("Password");
const QString kFullName = QStringLiteral("FullName");
const QString kAdministrator = QStringLiteral("Administrator");
const QString kReadOnly = QStringLiteral("ReadOnly");
constexpr int kTrue = -1;

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The position of the account of that name: the one spelt exactly so, else the first
// whose name differs only in letter case; 0 when there is none. Names that differ only in
// case can stand in tables written before names were kept unique that way, and a name taken
// from the list must reach its own account.
int positionOf(Recordset& accounts, const QString& name)
{
    int found = 0;
    for (int position = 1; position <= accounts.recordCount(); ++position) {
        accounts.setAbsolutePosition(position);
        const QString candidate = accounts.value(kLoginName).toString();
        if (candidate == name)
            return position;
        if (found == 0 && sameName(candidate, name))
            found = position;
    }
    return found;
}

// Makes the account of that name current; false when there is none.
bool seekName(Recordset& accounts, const QString& name)
{
    const int position = positionOf(accounts, name);
    if (position > 0)
        accounts.setAbsolutePosition(position);
    return position > 0;
}

Account current(const Recordset& accounts)
{
    Account account;
    account.loginName = accounts.value(kLoginName).toString();
    account.password = accounts.value(kPassword).toString();
    account.fullName = accounts.value(kFullName).toString();
    // Read-only exactly when the column holds true; any non-zero Administrator counts.
    account.administrator = accounts.value(kAdministrator).toInt() != 0;
    account.readOnly = accounts.value(kReadOnly).toInt() == kTrue;
    return account;
}

int stored(bool flag)
{
    return flag ? kTrue : 0;
}

void setDetails(Recordset& accounts, const Account& details)
{
    accounts.setValue(kLoginName, details.loginName);
    accounts.setValue(kFullName, details.fullName);
    accounts.setValue(kAdministrator, stored(details.administrator));
    accounts.setValue(kReadOnly, stored(details.readOnly));
}

} // namespace

Accounts::Accounts(Connection& db) : m_db(db) {}

bool Accounts::openAt(Recordset& accounts, const QString& name) const
{
    accounts.open(m_db, kAll);
    return seekName(accounts, name);
}

QStringList Accounts::names() const
{
    Recordset accounts;
    accounts.open(m_db, kAll);
    QStringList names;
    for (; !accounts.isEof(); accounts.moveNext())
        names.append(accounts.value(kLoginName).toString());
    return names;
}

std::optional<Account> Accounts::find(const QString& name) const
{
    Recordset accounts;
    if (!openAt(accounts, name))
        return std::nullopt;
    return current(accounts);
}

std::optional<Account> Accounts::logIn(const QString& name, const QString& password) const
{
    QStringList forms{mdlEncrypt::ScramblePassword(password, password)};
    const QString before = mdlEncrypt::ScramblePasswordAsBefore(password, password);
    if (before != forms.first())
        forms.append(before);
    for (const QString& form : forms) {
        Recordset accounts;
        accounts.open(m_db, QStringLiteral("SELECT * FROM Login WHERE PassWord = ?"), {form});
        if (seekName(accounts, name))
            return current(accounts);
    }
    return std::nullopt;
}

bool Accounts::add(const Account& account, const QString& password) const
{
    Recordset accounts;
    if (openAt(accounts, account.loginName))
        return false;
    accounts.addNew();
    setDetails(accounts, account);
    accounts.setValue(kPassword, mdlEncrypt::ScramblePassword(password, password));
    accounts.updateBatch();
    return true;
}

bool Accounts::change(const QString& entry, const Account& details) const
{
    Recordset accounts;
    accounts.open(m_db, kAll);
    const int position = positionOf(accounts, entry);
    for (int other = 1; other <= accounts.recordCount(); ++other) {
        accounts.setAbsolutePosition(other);
        if (other != position && sameName(accounts.value(kLoginName).toString(), details.loginName))
            return false;
    }
    if (position == 0)
        return true;
    accounts.setAbsolutePosition(position);
    setDetails(accounts, details);
    accounts.updateBatch();
    return true;
}

void Accounts::remove(const QString& entry) const
{
    Recordset accounts;
    if (!openAt(accounts, entry))
        return;
    accounts.deleteCurrent();
    accounts.updateBatch();
}

bool Accounts::setPassword(const QString& entry, const QString& password) const
{
    Recordset accounts;
    if (!openAt(accounts, entry))
        return false;
    accounts.setValue(kPassword, mdlEncrypt::ScramblePassword(password, password));
    accounts.updateBatch();
    return true;
}
