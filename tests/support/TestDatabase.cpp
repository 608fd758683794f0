#include "TestDatabase.h"

#include "SqlScript.h"
#include "TestPaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {
const char* const kClusterVariable = "QV_TEST_POSTGRESQL";

// The port of the cluster under test; the run stops when it names none.
QString clusterPort()
{
    static const QString port = [] {
        QFile file(qEnvironmentVariable(kClusterVariable) + QStringLiteral("/port"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("%s names no running cluster (%s)", kClusterVariable,
                   qPrintable(file.fileName()));
        return QString::fromLatin1(file.readAll().trimmed());
    }();
    return port;
}

const QString kSqliteSchema =
    QStringLiteral("SELECT type, lower(name), sql FROM sqlite_master ORDER BY lower(name), type;");
const QString kServerSchema = QStringLiteral(
    "SELECT kind, lower(name), definition FROM ("
    " SELECT 'table' AS kind, table_name::text AS name, string_agg(column_name || ' ' ||"
    "   data_type || ' ' || is_identity, ', ' ORDER BY ordinal_position) AS definition"
    "   FROM information_schema.columns WHERE table_schema = 'public' GROUP BY table_name"
    " UNION ALL SELECT 'view', viewname, definition FROM pg_views WHERE schemaname = 'public'"
    " UNION ALL SELECT 'index', indexname, indexdef FROM pg_indexes WHERE schemaname = 'public'"
    " UNION ALL SELECT 'trigger', tgname, pg_get_triggerdef(oid) FROM pg_trigger"
    "   WHERE NOT tgisinternal) AS parts ORDER BY 2, 1;");
} // namespace

TestDatabase::Engine TestDatabase::underTest()
{
    return qEnvironmentVariableIsSet(kClusterVariable) ? Engine::PostgreSql : Engine::Sqlite;
}

TestDatabase::TestDatabase(Layout layout, Engine engine) : m_engine(engine)
{
    if (m_engine == Engine::Sqlite) {
        m_path = m_dir.filePath(QStringLiteral("knowledge base.db"));
        if (layout == Layout::Schema)
            runFile(TestPaths::sourceDir() + QStringLiteral("/db/schema.sql"));
        return;
    }
    static int made = 0;
    m_name = QStringLiteral("qv_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
    m_path = QStringLiteral("postgresql://postgres@127.0.0.1:%1/%2").arg(clusterPort(), m_name);
    // The cluster's "quorvel" holds db/schema-postgresql.sql, loaded once when it started.
    exec(QStringLiteral("postgres"),
         QStringLiteral("CREATE DATABASE %1 TEMPLATE %2")
             .arg(m_name, layout == Layout::Schema ? QStringLiteral("quorvel")
                                                   : QStringLiteral("template0")));
}

TestDatabase::~TestDatabase()
{
    if (m_engine == Engine::PostgreSql)
        exec(QStringLiteral("postgres"),
             QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
}

bool TestDatabase::run(const QString& sql) const
{
    if (m_engine == Engine::PostgreSql)
        return exec(m_name, QString(sql).replace(QRegularExpression(QStringLiteral("\\bchar\\(")),
                                                 QStringLiteral("chr(")));
    QString error;
    if (!SqlScript::run(m_path, sql, &error)) {
        qWarning("test database: %s", qPrintable(error));
        return false;
    }
    return true;
}

bool TestDatabase::runFile(const QString& file) const
{
    QFileInfo info(QFileInfo(file).isAbsolute() ? file : TestPaths::dataDir() + '/' + file);
    const QFileInfo serverVersion(info.dir().filePath(QStringLiteral("postgresql/")) +
                                  info.fileName());
    if (m_engine == Engine::PostgreSql && serverVersion.exists())
        info = serverVersion;
    const QString sql = SqlScript::dataFile(info.filePath());
    if (sql.isEmpty())
        qWarning("test database: cannot read %s", qPrintable(info.filePath()));
    return !sql.isEmpty() && run(sql);
}

QString TestDatabase::query(const QString& sql) const
{
    if (m_engine == Engine::Sqlite)
        return SqlScript::rows(m_path, sql).join(QLatin1Char('\n'));
    QString output;
    exec(m_name, sql, &output);
    return output;
}

QString TestDatabase::schema() const
{
    return query(m_engine == Engine::Sqlite ? kSqliteSchema : kServerSchema);
}

bool TestDatabase::exec(const QString& database, const QString& sql, QString* output) const
{
    QProcess psql;
    psql.start(QStringLiteral("psql"),
               {"-X", "-q", "-A", "-t", "-F", "|", "-v", "ON_ERROR_STOP=1", "-h", "127.0.0.1", "-p",
                clusterPort(), "-U", "postgres", "-d", database});
    psql.write(QStringLiteral("SET client_encoding = 'UTF8';\n").toUtf8() + sql.toUtf8());
    psql.closeWriteChannel();
    const bool ok = psql.waitForFinished(120000) && psql.exitStatus() == QProcess::NormalExit &&
                    psql.exitCode() == 0;
    if (!ok)
        qWarning("test database: %s", psql.readAllStandardError().constData());
    if (output)
        *output = QString::fromUtf8(psql.readAllStandardOutput()).trimmed();
    return ok;
}
