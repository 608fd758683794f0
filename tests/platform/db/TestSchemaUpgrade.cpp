#include "DbTest.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/SchemaUpgrade.h"
#include "richtext/RtfReader.h"

#include <QTest>

using DbTest::errorOf;
using Layout = TestDatabase::Layout;

namespace {
const QString kCategories =
    QStringLiteral("SELECT RecordID, category FROM Categories ORDER BY RecordID;");
} // namespace

class TestSchemaUpgrade : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oldLayoutGainsRecordIdOnce()
    {
        TestDatabase db(Layout::Empty);
        QVERIFY(db.runFile(QStringLiteral("db/old-layout.sql")));
        Connection connection;
        connection.open(db.path());
        SchemaUpgrade::probeAndUpgrade(connection);
        QCOMPARE(db.query(kCategories),
                 QStringLiteral("1|Printing\n2|Network\n3|Accounts\n4|Email"));
        QVERIFY(db.schema().contains(QStringLiteral("index|categories_category|")));
        Recordset probe;
        probe.open(connection, QStringLiteral("select * from Categories2"));
        QCOMPARE(probe.recordCount(), 4);

        // A new category is numbered by the engine.
        Recordset categories;
        categories.open(connection, QStringLiteral("SELECT * FROM Categories ORDER BY Category"));
        categories.addNew();
        categories.setValue(QStringLiteral("Category"), QStringLiteral("Telephony"));
        categories.updateBatch();
        QCOMPARE(categories.value(QStringLiteral("RecordID")).toInt(), 5);

        // The statement itself refuses a second key.
        QCOMPARE(errorOf([&] {
                     connection.execute(QStringLiteral(
                         "ALTER TABLE Categories ADD COLUMN RecordID COUNTER PRIMARY KEY"));
                 }),
                 DbError::StatementFailed);
    }

    // Rich text of every kind the table may hold: RTF, plain text, nothing.
    void plainTextIsAddedOnceFromTheRichText()
    {
        TestDatabase db;
        QVERIFY(db.runFile(QStringLiteral("db/drop-search-index.sql")));
        QVERIFY(db.runFile(QStringLiteral("db/drop-history.sql")));
        QVERIFY(db.run(QStringLiteral(
            "ALTER TABLE QV DROP COLUMN ProblemText; ALTER TABLE QV DROP COLUMN SolutionText;"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 450) "
            "INSERT INTO QV (Id, Problem, Solution) SELECT i, "
            "'{\\rtf1\\ansi\\f0 Problem ' || i || ' \\b bold\\b0\\par}', "
            "'{\\rtf1\\ansi\\f0 Solution ' || i || '\\par second\\par}' FROM n;"
            "INSERT INTO QV (Id, Problem, Solution) VALUES (451, 'Call the vendor.', NULL);")));
        Connection connection;
        connection.open(db.path());
        QList<QPair<int, int>> steps;
        const auto record = [&steps](SchemaUpgrade::Step step, int done, int total) {
            if (step == SchemaUpgrade::Step::PlainText)
                steps.append({done, total});
        };
        SchemaUpgrade::probeAndUpgrade(connection, record);
        QVERIFY(steps.size() > 3);
        QCOMPARE(steps.last(), qMakePair(451, 451));

        Recordset articles;
        articles.open(connection, QStringLiteral("SELECT * FROM QV ORDER BY RecordID"));
        for (; !articles.isEof(); articles.moveNext()) {
            for (const QString& rich : {QStringLiteral("Problem"), QStringLiteral("Solution")})
                QCOMPARE(articles.value(rich + QStringLiteral("Text")).toString(),
                         RtfReader::plainText(articles.value(rich).toString()));
        }
    }

    // A file made before the article list was read through indexes gains them, as a new
    // file has them.
    void readingIndexesAreAdded_data()
    {
        QTest::addColumn<QString>("dropped");
        QTest::newRow("both") << "DROP INDEX QV_Order; DROP INDEX QV_Short;";
        QTest::newRow("one of them") << "DROP INDEX QV_Short;";
    }
    void readingIndexesAreAdded()
    {
        QFETCH(QString, dropped);
        if (TestDatabase::onServer())
            QSKIP("an upgrade of older SQLite files");
        const TestDatabase fresh;
        const TestDatabase db;
        QVERIFY(db.run(dropped));
        Connection connection;
        connection.open(db.path());
        SchemaUpgrade::probeAndUpgrade(connection);
        const QString indexes = QStringLiteral(
            "SELECT sqlite_master.name, group_concat(info.name || ' ' || coll) FROM sqlite_master, "
            "pragma_index_xinfo(sqlite_master.name) AS info WHERE type = 'index' AND key "
            "GROUP BY sqlite_master.name ORDER BY sqlite_master.name;");
        QCOMPARE(db.query(indexes), fresh.query(indexes));
    }

    // The current layout (which every upgrade ends at) is left as it is.
    void otherDatabasesAreLeftAlone_data()
    {
        // Scripts that make the layout from nothing; none: the current layout.
        QTest::addColumn<QStringList>("scripts");
        QTest::newRow("current layout") << QStringList{};
        QTest::newRow("no Categories2")
            << QStringList{"db/old-layout.sql", "db/drop-categories2.sql"};
    }
    void otherDatabasesAreLeftAlone()
    {
        QFETCH(QStringList, scripts);
        TestDatabase db(scripts.isEmpty() ? Layout::Schema : Layout::Empty);
        for (const QString& script : scripts)
            QVERIFY(db.runFile(script));
        const QString schema = db.schema();
        Connection connection;
        connection.open(db.path());
        SchemaUpgrade::probeAndUpgrade(connection);
        QCOMPARE(db.schema(), schema);
    }
};

QTEST_GUILESS_MAIN(TestSchemaUpgrade)
#include "TestSchemaUpgrade.moc"
