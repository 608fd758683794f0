#pragma once

#include <QString>

// The folder the program's own files lie in (ini/, HTML/, tavrel.ini): the folder named by
// the environment variable QUORVEL_PROGRAM_DIR when it is set (tests and the program-folder
// layout of ./run use it), otherwise the running executable's folder when this user can
// write it, otherwise the user's own copy of it, "quorvel" in the user's data folder
// ($XDG_DATA_HOME, ~/.local/share), made at the first start from the installed folder.
// No trailing separator.
QString programFolder();

// The folder the programs themselves and the user's guide lie in: QUORVEL_PROGRAM_DIR when
// it is set, otherwise the running executable's folder. No trailing separator.
QString applicationFolder();

// A path as the program opens it: an absolute path as it stands, a relative one taken
// from the program folder.
QString pathInProgramFolder(const QString& path);
