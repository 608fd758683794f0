#pragma once

#include <QString>

// A program folder of the user's own, made from an installed one the user cannot write:
// its "ini" folder, "HTML" folder and tavrel.ini are copied, and the database that the
// copied preferences name is copied too when it lies in the installed folder, the copy's
// preferences then naming the user's copy. The folder is made whole or not at all; one that
// exists already is used as it stands.
// Returns userFolder, or an empty text when it could not be made.
QString makeUserProgramFolder(const QString& installedFolder, const QString& userFolder);
