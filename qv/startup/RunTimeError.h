#pragma once

#include <QString>

class QWidget;

// The report of an error that no handler of the program takes: its number and
// description in a message box titled "Quorvel", then the end of the program.
namespace RunTimeError {

QString reportText(long long number, const QString& description);
void report(long long number, const QString& description);

} // namespace RunTimeError
