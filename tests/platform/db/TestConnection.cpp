#include "SqliteFile.h"
#include "TestPaths.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestConnection : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString createDatabase(const QString& name) const
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        if (!SqliteFile::create(path, {TestPaths::sourceDir() + "/db/schema.sql",
                                       TestPaths::dataDir() + "/db/articles.sql"}))
            return QString();
        return path;
    }

private Q_SLOTS:
    void opensAPathWithSpaces()
    {
        const QString path = createDatabase(QStringLiteral("help desk articles.db"));
        QVERIFY(!path.isEmpty());
        Connection connection;
        connection.open(path);
        QVERIFY(connection.isOpen());
        Recordset set;
        set.open(connection, QStringLiteral("SELECT * FROM QV"));
        QCOMPARE(set.recordCount(), 5);
    }

    void opensForSafetyAndSharing_data()
    {
        QTest::addColumn<QString>("pragma");
        QTest::addColumn<QString>("expected");
        QTest::newRow("write-ahead journal") << "PRAGMA journal_mode" << "wal";
        QTest::newRow("synced commits") << "PRAGMA synchronous" << "2";
        QTest::newRow("waits for the other program") << "PRAGMA busy_timeout" << "10000";
    }
    void opensForSafetyAndSharing()
    {
        QFETCH(QString, pragma);
        QFETCH(QString, expected);
        Connection connection;
        connection.open(createDatabase(QStringLiteral("pragma.db")));
        Recordset set;
        set.open(connection, pragma);
        QCOMPARE(set.value(set.fieldNames().first()).toString(), expected);
    }

    void refusesWhatIsNoDatabase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing file") << "missing.db" << QByteArray();
        QTest::newRow("text file") << "notes.txt" << QByteArray("Just some notes, not a database.\n"
                                                                "Second line of notes to fill a "
                                                                "header page of sqlite with text.");
        QTest::newRow("folder") << "" << QByteArray();
    }
    void refusesWhatIsNoDatabase()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        const QString path = m_dir.filePath(name);
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Connection connection;
        try {
            connection.open(path);
            QFAIL("opened");
        } catch (const DbError& error) {
            QCOMPARE(error.number(), DbError::StoreFailure);
            QVERIFY(!error.description().isEmpty());
        }
        QVERIFY(!connection.isOpen());
        if (name.isEmpty())
            return;
        // Nothing was created or written.
        QFile file(path);
        QCOMPARE(file.exists(), !content.isEmpty());
        if (file.open(QIODevice::ReadOnly))
            QCOMPARE(file.readAll(), content);
    }

    void engineErrorsAreNumbered_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("unknown column") << "SELECT Absent FROM QV" << DbError::UnknownName
                                        << "no such column: Absent";
        QTest::newRow("unknown table") << "SELECT * FROM Nowhere" << DbError::UnknownTable
                                       << "no such table: Nowhere";
        QTest::newRow("view naming an unknown column")
            << "SELECT * FROM Broken" << DbError::UnknownName << "no such column: Missing";
        QTest::newRow("syntax") << "SELEC * FROM QV" << DbError::StatementFailed
                                << "near \"SELEC\": syntax error";
    }
    void engineErrorsAreNumbered()
    {
        QFETCH(QString, sql);
        QFETCH(qint64, number);
        QFETCH(QString, description);
        const QString path = createDatabase(QStringLiteral("errors.db"));
        QCOMPARE(SqliteFile::query(path, "CREATE VIEW Broken AS SELECT Missing FROM QV;"),
                 QString());
        Connection connection;
        connection.open(path);
        Recordset set;
        try {
            set.open(connection, sql);
            QFAIL("opened");
        } catch (const DbError& error) {
            QCOMPARE(error.number(), number);
            QCOMPARE(error.description(), description);
        }
        QVERIFY(!set.isOpen());
    }

    void executeRunsAStatementWithoutRows()
    {
        const QString path = createDatabase(QStringLiteral("execute.db"));
        Connection connection;
        connection.open(path);
        connection.execute(QStringLiteral("UPDATE QV SET Title = 'x' WHERE Id = 9"));
        QCOMPARE(SqliteFile::query(path, "SELECT Title FROM QV WHERE Id = 9;"), QStringLiteral("x"));
        try {
            connection.execute(QStringLiteral("DELETE FROM Nowhere"));
            QFAIL("executed");
        } catch (const DbError& error) {
            QCOMPARE(error.number(), DbError::UnknownTable);
        }
    }

    void closedConnectionRefusesWork()
    {
        Connection connection;
        Recordset set;
        try {
            set.open(connection, QStringLiteral("SELECT * FROM QV"));
            QFAIL("opened");
        } catch (const DbError& error) {
            QCOMPARE(error.number(), DbError::ObjectClosed);
        }
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "TestConnection.moc"
