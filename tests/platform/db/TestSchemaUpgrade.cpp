#include "DbTest.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/SchemaUpgrade.h"
#include "richtext/RtfReader.h"

#include <QTemporaryDir>
#include <QTest>

using DbTest::errorOf;
using DbTest::query;

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

private Q_SLOTS:
    void oldLayoutGainsRecordIdOnce()
    {
        const QString path = m_dir.filePath(QStringLiteral("old.db"));
        QVERIFY(DbTest::create(path, {TestPaths::dataDir() + "/db/old-layout.sql"}));
        Connection connection;
        connection.open(path);
        Recordset probe;
        QCOMPARE(
            errorOf([&] { probe.open(connection, QStringLiteral("select * from Categories2")); }),
            DbError::UnknownName);

        SchemaUpgrade::probeAndUpgrade(connection);
        QCOMPARE(query(path, kCategories),
                 QStringLiteral("1|Printing\n2|Network\n3|Accounts\n4|Email"));
        QVERIFY(query(path, kSchema)
                    .contains(QStringLiteral(
                        "index|Categories_category|CREATE INDEX Categories_category")));
        probe.open(connection, QStringLiteral("select * from Categories2"));
        QCOMPARE(probe.recordCount(), 4);

        // A new category is numbered by the engine.
        Recordset categories;
        categories.open(connection, QStringLiteral("SELECT * FROM Categories ORDER BY Category"));
        categories.addNew();
        categories.setValue(QStringLiteral("Category"), QStringLiteral("Telephony"));
        categories.updateBatch();
        QCOMPARE(categories.value(QStringLiteral("RecordID")).toInt(), 5);

        // The next start finds nothing to do, and the statement itself refuses a second key.
        const QString schema = query(path, kSchema);
        const QString rows = query(path, kCategories);
        Connection nextStart;
        nextStart.open(path);
        SchemaUpgrade::probeAndUpgrade(nextStart);
        QCOMPARE(query(path, kSchema), schema);
        QCOMPARE(query(path, kCategories), rows);
        QCOMPARE(errorOf([&] {
                     nextStart.execute(QStringLiteral(
                         "ALTER TABLE Categories ADD COLUMN RecordID COUNTER PRIMARY KEY"));
                 }),
                 DbError::StatementFailed);
    }

    // Rich text of every kind the table may hold: RTF, plain text, nothing.
    void plainTextIsAddedOnceFromTheRichText()
    {
        const QString path = m_dir.filePath(QStringLiteral("no-plain-text.db"));
        QVERIFY(DbTest::create(path, {TestPaths::sourceDir() + "/db/schema.sql",
                                      TestPaths::dataDir() + "/db/drop-search-index.sql",
                                      TestPaths::dataDir() + "/db/drop-history.sql"}));
        QVERIFY(SqlScript::run(path, QStringLiteral(
            "ALTER TABLE QV DROP COLUMN ProblemText; ALTER TABLE QV DROP COLUMN SolutionText;"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 450) "
            "INSERT INTO QV (Id, Problem, Solution) SELECT i, "
            "'{\\rtf1\\ansi\\f0 Problem ' || i || ' \\b bold\\b0\\par}', "
            "'{\\rtf1\\ansi\\f0 Solution ' || i || '\\par second\\par}' FROM n;"
            "INSERT INTO QV (Id, Problem, Solution) VALUES (451, 'Call the vendor.', NULL);")));
        Connection connection;
        connection.open(path);
        QList<QPair<int, int>> steps;
        const auto record = [&steps](SchemaUpgrade::Step step, int done, int total) {
            if (step == SchemaUpgrade::Step::PlainText)
                steps.append({done, total});
        };
        SchemaUpgrade::probeAndUpgrade(connection, record);
        QVERIFY(steps.size() > 3);
        QCOMPARE(steps.last(), qMakePair(451, 451));
        for (int i = 1; i < steps.size(); ++i)
            QVERIFY(steps.at(i).first >= steps.at(i - 1).first);

        Recordset articles;
        articles.open(connection, QStringLiteral("SELECT * FROM QV ORDER BY RecordID"));
        QVERIFY(articles.value(QStringLiteral("ProblemText")).toString().startsWith(
            QStringLiteral("Problem 1 bold")));
        for (; !articles.isEof(); articles.moveNext()) {
            for (const QString& rich : {QStringLiteral("Problem"), QStringLiteral("Solution")})
                QCOMPARE(articles.value(rich + QStringLiteral("Text")).toString(),
                         RtfReader::plainText(articles.value(rich).toString()));
        }
        steps.clear();
        const QString schema = query(path, kSchema);
        SchemaUpgrade::probeAndUpgrade(connection, record);
        QVERIFY(steps.isEmpty());
        QCOMPARE(query(path, kSchema), schema);
    }

    // A file made before the article list was read through indexes gains them, as a new
    // file has them.
    void readingIndexesAreAdded()
    {
        const QString fresh = m_dir.filePath(QStringLiteral("fresh.db"));
        const QString path = m_dir.filePath(QStringLiteral("no-indexes.db"));
        QVERIFY(DbTest::create(fresh, {TestPaths::sourceDir() + "/db/schema.sql"}));
        QVERIFY(DbTest::create(path, {TestPaths::sourceDir() + "/db/schema.sql"}));
        QVERIFY(SqlScript::run(path, QStringLiteral("DROP INDEX QV_Order; DROP INDEX QV_Short;")));
        Connection connection;
        connection.open(path);
        SchemaUpgrade::probeAndUpgrade(connection);
        const QString indexes = QStringLiteral(
            "SELECT name, group_concat(info.name || ' ' || coll) FROM sqlite_master, "
            "pragma_index_xinfo(sqlite_master.name) AS info WHERE type = 'index' AND key "
            "GROUP BY sqlite_master.name ORDER BY sqlite_master.name;");
        QCOMPARE(query(path, indexes), query(fresh, indexes));
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
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".db");
        QVERIFY(DbTest::create(path, scripts));
        const QString schema = query(path, kSchema);
        Connection connection;
        connection.open(path);
        SchemaUpgrade::probeAndUpgrade(connection);
        QCOMPARE(query(path, kSchema), schema);
    }
};

QTEST_GUILESS_MAIN(TestSchemaUpgrade)
#include "TestSchemaUpgrade.moc"
