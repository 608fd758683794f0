#pragma once

#include <QString>

class Connection;

// Whether the login window comes first at start-up: column EnablePasswords of the first
// row of table tblEnablePasswords. A change takes effect at the next start.
namespace PasswordSwitch {

bool isOn(Connection& db);
void set(Connection& db, bool on);

// The caption of the menu's switch while the requirement is on or off: it names what the
// switch does next.
QString caption(bool on);

// The menu's switch, which knows its state by its caption: "Enable Passwords" turns the
// requirement on, any other caption off.
struct Turned
{
    QString message;
    QString caption; // the menu item's caption from now on
};
Turned turn(Connection& db, const QString& current);

} // namespace PasswordSwitch
