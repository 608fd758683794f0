#pragma once

#include <QString>

// Where the tests find their fixtures and the project's own files (written in by CMake).
namespace TestPaths {

inline QString dataDir()
{
    return QStringLiteral(QV_TEST_DATA_DIR);
}

inline QString sourceDir()
{
    return QStringLiteral(QV_SOURCE_DIR);
}

} // namespace TestPaths
