#pragma once

#include "TestDatabase.h"
#include "TestPaths.h"
#include "db/DbError.h"

#include <functional>

namespace DbTest {

// The number of the DbError the action throws (its description in *description), or 0.
inline qint64 errorOf(const std::function<void()>& action, QString* description = nullptr)
{
    try {
        action();
    } catch (const DbError& error) {
        if (description)
            *description = error.description();
        return error.number();
    }
    return 0;
}

} // namespace DbTest
