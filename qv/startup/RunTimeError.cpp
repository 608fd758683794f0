#include "RunTimeError.h"

#include "ui/Dialogs.h"

namespace RunTimeError {

QString reportText(long long number, const QString& description)
{
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(number).arg(description);
}

void report(long long number, const QString& description)
{
    dialogs().message({reportText(number, description), QStringLiteral("Quorvel"),
                       Dialogs::Buttons::Ok, Dialogs::Icon::Critical, std::nullopt});
    dialogs().endProgram(1);
}

} // namespace RunTimeError
