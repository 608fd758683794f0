#include "DbTest.h"
#include "SqlScript.h"
#include "db/Connection.h"

#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// Backups of an open database, consistent while another program writes.
class TestSqliteBackup : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_database = m_dir.filePath("kb.db");

private Q_SLOTS:
    void initTestCase()
    {
        if (TestDatabase::onServer())
            QSKIP("SQLite's online backup");
    }

    void copyTakenWhileAnotherProgramWrites_data()
    {
        QTest::addColumn<QString>("journalMode");
        QTest::newRow("write-ahead") << "wal";
        QTest::newRow("rollback") << "delete";
    }
    void copyTakenWhileAnotherProgramWrites()
    {
        QFETCH(QString, journalMode);
        QFile::remove(m_database);
        QCOMPARE(SqlScript::rows(m_database, "PRAGMA journal_mode=" + journalMode +
                                                 "; CREATE TABLE t (v INTEGER);"),
                 QStringList{journalMode});
        Connection connection;
        connection.open(m_database);
        // Every transaction adds a number and its negative: a consistent copy adds up to 0.
        QFile script(m_dir.filePath("writer.sql"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("PRAGMA busy_timeout=10000;\n");
        for (int i = 1; i <= 20000; ++i)
            script.write(QByteArray("BEGIN; INSERT INTO t VALUES (%1); INSERT INTO t VALUES "
                                    "(-%1); COMMIT;\n")
                             .replace("%1", QByteArray::number(i)));
        script.close();
        QProcess writer;
        writer.start("sqlite3", {m_database, ".read " + script.fileName()});
        QVERIFY(writer.waitForStarted());

        const QString copy = m_dir.filePath("copy.db");
        QSet<QString> counts;
        while (counts.size() < 4 && writer.state() == QProcess::Running) {
            connection.backup(copy);
            const QStringList state = SqlScript::rows(
                copy,
                "PRAGMA integrity_check; PRAGMA journal_mode; SELECT total(v), count(*) FROM t;");
            QCOMPARE(state.mid(0, 2), QStringList({"ok", "delete"}));
            QVERIFY2(state.at(2).startsWith("0.0|"), qPrintable(state.at(2)));
            counts.insert(state.at(2));
        }
        writer.kill();
        writer.waitForFinished();
        // Taken between the writer's commits, not before or after them all.
        QVERIFY(counts.size() >= 2);
    }
};

QTEST_GUILESS_MAIN(TestSqliteBackup)
#include "TestSqliteBackup.moc"
