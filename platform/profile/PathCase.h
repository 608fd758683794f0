#pragma once

#include <QString>

// Finds the existing file or folder that a relative path names under a folder when its
// letter case is ignored, component by component, as on a file system that does not tell
// "ini" from "Ini". The folder itself is taken as it stands. Where a folder holds several
// spellings of a component, the one under which the rest of the path exists is taken, the
// lower-case spelling first, whatever the spelling asked for ("ini" before "Ini" when both
// hold the file). A component that exists in no spelling is kept as given, and so is the
// rest of the path after it (so the result can name a file yet to be created).
QString resolvePathCase(const QString& folder, const QString& relative);
