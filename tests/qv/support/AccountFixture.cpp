#include "AccountFixture.h"

#include "security/mdlEncrypt.h"

namespace AccountFixture {

QString insert(const QString& name, const QString& password, const char* fullName,
               int administrator, int readOnly)
{
    const auto literal = [](QString text) { return "'" + text.replace("'", "''") + "'"; };
    return QStringLiteral("INSERT INTO Login (LoginName, Password, FullName, Administrator, "
                          "ReadOnly) VALUES (%1, '%2', %3, %4, %5);\n")
        .arg(literal(name), mdlEncrypt::ScramblePassword(password, password),
             fullName ? literal(QString::fromUtf8(fullName)) : QStringLiteral("NULL"))
        .arg(administrator)
        .arg(readOnly);
}

} // namespace AccountFixture
