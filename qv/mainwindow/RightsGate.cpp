#include "RightsGate.h"

#include "ui/Dialogs.h"

namespace RightsGate {

std::optional<QString> refusal(const LoginState& login, const QString& readOnlyMessage)
{
    if (login.PasswordsEnabled) {
        if (!login.UserLoggedIn)
            return QStringLiteral("User not logged in. Please login before continuing.");
        if (login.UserIsReadOnly)
            return readOnlyMessage;
    }
    if (login.UserLoggedIn && login.UserIsReadOnly)
        return readOnlyMessage;
    return std::nullopt;
}

bool allows(const LoginState& login, const QString& readOnlyMessage, QWidget* parent)
{
    const std::optional<QString> message = refusal(login, readOnlyMessage);
    if (!message)
        return true;
    dialogs().inform(*message, QStringLiteral("Quorvel"), parent);
    return false;
}

} // namespace RightsGate
