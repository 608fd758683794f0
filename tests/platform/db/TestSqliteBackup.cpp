#include "DbTest.h"
#include "db/Connection.h"

#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// Backups of an open database: consistent while another program writes, refused whole.
class TestSqliteBackup : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_database;

    // A table whose rows always add up to zero: every transaction of the writer inserts a
    // number and its negative.
    void createDatabase(const QString& journalMode)
    {
        m_database = m_dir.filePath(QStringLiteral("kb.db"));
        QFile::remove(m_database);
        QCOMPARE(DbTest::query(m_database, QStringLiteral("PRAGMA journal_mode=%1; CREATE TABLE "
                                                          "t (v INTEGER);")
                                               .arg(journalMode)),
                 journalMode);
    }

private Q_SLOTS:
    void copyTakenWhileAnotherProgramWrites_data()
    {
        QTest::addColumn<QString>("journalMode");
        QTest::newRow("write-ahead") << QStringLiteral("wal");
        QTest::newRow("rollback") << QStringLiteral("delete");
    }
    void copyTakenWhileAnotherProgramWrites()
    {
        QFETCH(QString, journalMode);
        createDatabase(journalMode);
        Connection connection;
        connection.open(m_database);

        QString script = QStringLiteral("PRAGMA busy_timeout=10000;\n");
        for (int i = 1; i <= 20000; ++i)
            script += QStringLiteral("BEGIN; INSERT INTO t VALUES (%1); INSERT INTO t VALUES "
                                     "(-%1); COMMIT;\n")
                          .arg(i);
        QFile scriptFile(m_dir.filePath(QStringLiteral("writer.sql")));
        QVERIFY(scriptFile.open(QIODevice::WriteOnly));
        scriptFile.write(script.toUtf8());
        scriptFile.close();
        QProcess writer;
        writer.start(QStringLiteral("sqlite3"),
                     {m_database, QStringLiteral(".read ") + scriptFile.fileName()});
        QVERIFY(writer.waitForStarted());

        const QString copy = m_dir.filePath(QStringLiteral("copy.db"));
        QSet<QString> counts;
        for (int i = 0; i < 200 && counts.size() < 4 && writer.state() == QProcess::Running; ++i) {
            connection.backup(copy);
            const QStringList state =
                DbTest::query(copy, QStringLiteral("PRAGMA integrity_check; PRAGMA journal_mode; "
                                                   "SELECT count(*), total(v) FROM t;"))
                    .split(QLatin1Char('\n'));
            QCOMPARE(state.mid(0, 2),
                     QStringList({QStringLiteral("ok"), QStringLiteral("delete")}));
            QVERIFY2(state.at(2).endsWith(QLatin1String("|0.0")), qPrintable(state.at(2)));
            counts.insert(state.at(2));
        }
        writer.kill();
        writer.waitForFinished();
        // The copies were taken between the writer's commits, not before or after them all.
        QVERIFY2(counts.size() >= 2, qPrintable(QStringList(counts.values()).join(' ')));
    }

    void refusedCopyLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("the database itself") << QStringLiteral("kb.db");
        QTest::newRow("missing folder") << QStringLiteral("missing/copy.db");
        QTest::newRow("a folder") << QStringLiteral("folder");
    }
    void refusedCopyLeavesEverythingAsItWas()
    {
        QFETCH(QString, target);
        createDatabase(QStringLiteral("delete"));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
        DbTest::query(m_database, QStringLiteral("INSERT INTO t VALUES (7);"));
        const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
        {
            Connection connection;
            connection.open(m_database);
            QCOMPARE(DbTest::errorOf([&] { connection.backup(m_dir.filePath(target)); }),
                     DbError::StoreFailure);
        }
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        QCOMPARE(DbTest::query(m_database, QStringLiteral("PRAGMA integrity_check; SELECT v FROM "
                                                          "t;")),
                 QStringLiteral("ok\n7"));
    }
};

QTEST_GUILESS_MAIN(TestSqliteBackup)
#include "TestSqliteBackup.moc"
