#pragma once

class Connection;
class QWidget;

// File > Back Up Database...: asks for a file and writes a copy of the open database to it
// while the program and others go on using the database; says how it went.
namespace BackupCommand {
void run(const Connection& db, QWidget* parent);
}
