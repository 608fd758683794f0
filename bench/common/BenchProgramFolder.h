#pragma once

#include "common/GeneratedDatabase.h"
#include "common/SqliteTool.h"
#include "profile/Prefs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

// Readies the knowledge base of the benchmarks and a program folder for Quorvel on it: the
// database at `path` is generated when missing (db/schema.sql and the database benchmark's
// generator, 100,000 articles), the tables start-up reads are filled when empty, and the
// preferences file of `programFolder` (an empty folder) names the database. False, said on
// `out`, when a step fails. The including target defines QV_SCHEMA, QV_BENCH_GENERATOR
// and QV_BENCH_SETTINGS.
inline bool prepareBenchProgramFolder(const QString& path, const QString& programFolder,
                                      QTextStream& out)
{
    if (!QFile::exists(path) && !GeneratedDatabase::generate(path, 100000, out))
        return false;
    if (!runSqliteTool(path, QString(), QStringLiteral(QV_BENCH_SETTINGS))) {
        out << "cannot fill the tables start-up reads" << Qt::endl;
        return false;
    }
    if (!QDir(programFolder).mkdir(QStringLiteral("ini")) ||
        !WritePref(QStringLiteral("General"), QStringLiteral("Path"),
                   QFileInfo(path).absoluteFilePath(),
                   QDir(programFolder).filePath(QStringLiteral("ini/qvprefs.ini")))) {
        out << "cannot write the preferences file" << Qt::endl;
        return false;
    }
    return true;
}
