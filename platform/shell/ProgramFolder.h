#pragma once

#include <QString>

// The folder the program's own files lie in: the running executable's folder, or the
// folder named by the environment variable QUORVEL_PROGRAM_DIR when it is set (tests and
// the program-folder layout of ./run use it). No trailing separator.
QString programFolder();

// A path as the program opens it: an absolute path as it stands, a relative one taken
// from the program folder.
QString pathInProgramFolder(const QString& path);
