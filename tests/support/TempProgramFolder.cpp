#include "TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "SqlScript.h"
#include "TestPaths.h"
#include "profile/Prefs.h"

namespace {
const char* const kVariable = "QUORVEL_PROGRAM_DIR";
}

TempProgramFolder::TempProgramFolder()
    : m_previous(qgetenv(kVariable)), m_hadPrevious(qEnvironmentVariableIsSet(kVariable))
{
    QDir(m_dir.path()).mkpath(QStringLiteral("ini"));
    qputenv(kVariable, QFile::encodeName(m_dir.path()));
}

TempProgramFolder::~TempProgramFolder()
{
    if (m_hadPrevious)
        qputenv(kVariable, m_previous);
    else
        qunsetenv(kVariable);
}

void TempProgramFolder::writeFile(const QString& relative, const QByteArray& bytes) const
{
    const QString full = filePath(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray TempProgramFolder::readFile(const QString& relative) const
{
    QFile file(filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TempProgramFolder::createDatabase(const QString& extraSql) const
{
    const QString database = filePath(QStringLiteral("kb.db"));
    QString error;
    if (!SqlScript::run(database,
                        SqlScript::dataFile(TestPaths::sourceDir() + "/db/schema.sql") + extraSql,
                        &error))
        QTest::qFail(qPrintable(QStringLiteral("test database: ") + error), __FILE__, __LINE__);
    WritePref(QStringLiteral("General"), QStringLiteral("Path"), database);
    return database;
}
