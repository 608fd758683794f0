#include "SqliteFile.h"
#include "TestPaths.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/SchemaUpgrade.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kSchema = QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY name;");
const QString kCategories =
    QStringLiteral("SELECT RecordID, category FROM Categories ORDER BY RecordID;");
} // namespace

class TestSchemaUpgrade : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString create(const QString& name, const QStringList& scripts) const
    {
        const QString path = m_dir.filePath(name);
        return SqliteFile::create(path, scripts) ? path : QString();
    }

private Q_SLOTS:
    void oldLayoutGainsRecordIdOnce()
    {
        const QString path =
            create(QStringLiteral("old.db"), {TestPaths::dataDir() + "/db/old-layout.sql"});
        QVERIFY(!path.isEmpty());
        Connection connection;
        connection.open(path);
        Recordset probe;
        try {
            probe.open(connection, QStringLiteral("select * from Categories2"));
            QFAIL("the old layout's probe succeeded");
        } catch (const DbError& error) {
            QCOMPARE(error.number(), DbError::UnknownName);
        }

        SchemaUpgrade::probeAndUpgrade(connection);
        QCOMPARE(SqliteFile::query(path, kCategories),
                 QStringLiteral("1|Printing\n2|Network\n3|Accounts\n4|Email"));
        QVERIFY(SqliteFile::query(path, kSchema).contains(
            QStringLiteral("index|Categories_category|CREATE INDEX Categories_category")));
        probe.open(connection, QStringLiteral("select * from Categories2"));
        QCOMPARE(probe.recordCount(), 4);

        // A new category is numbered by the engine.
        Recordset categories;
        categories.open(connection, QStringLiteral("SELECT * FROM Categories ORDER BY Category"));
        categories.addNew();
        categories.setValue(QStringLiteral("Category"), QStringLiteral("Telephony"));
        categories.updateBatch();
        QCOMPARE(categories.value(QStringLiteral("RecordID")).toInt(), 5);

        const QString schema = SqliteFile::query(path, kSchema);
        const QString rows = SqliteFile::query(path, kCategories);
        Connection nextStart;
        nextStart.open(path);
        SchemaUpgrade::probeAndUpgrade(nextStart);
        QCOMPARE(SqliteFile::query(path, kSchema), schema);
        QCOMPARE(SqliteFile::query(path, kCategories), rows);
    }

    void otherDatabasesAreLeftAlone_data()
    {
        QTest::addColumn<QStringList>("scripts");
        QTest::newRow("current layout") << QStringList{TestPaths::sourceDir() + "/db/schema.sql"};
        QTest::newRow("no Categories2")
            << QStringList{TestPaths::dataDir() + "/db/old-layout.sql",
                           TestPaths::dataDir() + "/db/drop-categories2.sql"};
    }
    void otherDatabasesAreLeftAlone()
    {
        QFETCH(QStringList, scripts);
        const QString path = create(QString::fromLatin1(QTest::currentDataTag()) + ".db", scripts);
        QVERIFY(!path.isEmpty());
        const QString schema = SqliteFile::query(path, kSchema);
        Connection connection;
        connection.open(path);
        SchemaUpgrade::probeAndUpgrade(connection);
        QCOMPARE(SqliteFile::query(path, kSchema), schema);
    }

    void upgradeStatementNeedsAColumnThatIsMissing()
    {
        const QString path =
            create(QStringLiteral("twice.db"), {TestPaths::sourceDir() + "/db/schema.sql"});
        Connection connection;
        connection.open(path);
        try {
            connection.execute(
                QStringLiteral("ALTER TABLE Categories ADD COLUMN RecordID COUNTER PRIMARY KEY"));
            QFAIL("added a second RecordID");
        } catch (const DbError& error) {
            QCOMPARE(error.number(), DbError::StatementFailed);
        }
    }
};

QTEST_GUILESS_MAIN(TestSchemaUpgrade)
#include "TestSchemaUpgrade.moc"
