#pragma once

#include <QString>

// SQL for test accounts in table Login.
namespace AccountFixture {

// An account whose password is stored scrambled as the program stores it; a null full
// name stores NULL.
QString insert(const QString& name, const QString& password, const char* fullName,
               int administrator = 0, int readOnly = 0);

} // namespace AccountFixture
