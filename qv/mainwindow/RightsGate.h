#pragma once

#include "security/LoginState.h"

#include <QString>
#include <optional>

class QWidget;

// The check that every command changing data or settings makes first.
namespace RightsGate {

// The message that refuses the command, or nothing when it may go on.
// - With passwords on, nobody logged in is refused, and so is a read-only user.
// - A read-only user who logged in stays refused after passwords were switched off.
std::optional<QString> refusal(const LoginState& login, const QString& readOnlyMessage);

// Shows the refusal (OK button, title "Quorvel") and returns false, or returns true.
bool allows(const LoginState& login, const QString& readOnlyMessage, QWidget* parent = nullptr);

} // namespace RightsGate
