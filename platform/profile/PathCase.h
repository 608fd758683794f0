#pragma once

#include <QString>

// Finds the existing file or folder that a path names when its letter case is ignored,
// component by component, as on a file system that does not tell "ini" from "Ini".
// A component that exists as spelt is taken as it is; one that does not exist in any
// spelling is kept as given (so the result can name a file yet to be created).
QString resolvePathCase(const QString& path);
