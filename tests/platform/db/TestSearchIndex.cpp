#include "DbTest.h"
#include "db/Connection.h"
#include "db/Criterion.h"
#include "db/Recordset.h"
#include "db/SchemaUpgrade.h"
#include "db/SearchIndex.h"

#include <QRandomGenerator>
#include <QTest>

namespace {
// Pieces of text chosen so that random patterns often match in part: shared runs, letter
// case, letters beyond ASCII, and the wildcard characters of both syntaxes as data.
const QStringList kPieces{"pri", "PRINT", "nter", "jam", "Jams", "tray", "é", "É", "ßx",
                          "%", "_", "\\", "#", " ", "ab", "abc", "bca", "Ab"};

QString randomText(QRandomGenerator& random, int maxPieces)
{
    QString text;
    for (int i = random.bounded(maxPieces + 1); i > 0; --i)
        text += kPieces.at(random.bounded(int(kPieces.size())));
    return text;
}

QList<qint64> matchingKeys(Recordset& articles, const QString& criterion)
{
    articles.setFilter(criterion);
    QList<qint64> keys;
    if (articles.recordCount() == 0)
        return keys;
    for (articles.moveFirst(); !articles.isEof(); articles.moveNext())
        keys.append(articles.value(QStringLiteral("RecordID")).toLongLong());
    return keys;
}
} // namespace

class TestSearchIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookupText_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("lookup");
        QTest::newRow("longest run") << "ProblemText LIKE #*ab*printer*#" << "printer";
        QTest::newRow("wildcards of SQL are data") << "Title LIKE #*ab%cde_fg*#" << "cde";
        QTest::newRow("beyond ASCII splits") << "SolutionText LIKE #*aé*wxyz*#" << "wxyz";
        QTest::newRow("too short") << "Title LIKE #*ab*cd*#" << "";
        QTest::newRow("no index on the column") << "CUName LIKE #*printer*#" << "";
        QTest::newRow("equality") << "Title = #printer#" << "";
    }
    void lookupText()
    {
        if (TestDatabase::onServer())
            QSKIP("SQLite's search index");
        QFETCH(QString, criterion);
        QFETCH(QString, lookup);
        const Criterion parsed = Criterion::parse(criterion);
        QCOMPARE(SearchIndex::lookupText(parsed, parsed.field()), lookup.remove('*'));
    }

    // The index only narrows: on random data and random patterns every filter selects the
    // rows the scan of an SQLite copy without the index selects (on the server: the same
    // rows as SQLite).
    void indexAnswersAsTheScan()
    {
        const TestDatabase indexed;
        const TestDatabase scanned(TestDatabase::Layout::Schema, TestDatabase::Engine::Sqlite);
        QVERIFY(scanned.runFile(QStringLiteral("db/drop-search-index.sql")));
        QRandomGenerator random(20261207);
        QString rows = QStringLiteral("BEGIN;");
        constexpr int kRows = 150;
        for (int i = 0; i < kRows; ++i) {
            QStringList values;
            for (int c = 0; c < SearchIndex::columns().size(); ++c)
                values.append("'" + randomText(random, 6).replace("'", "''") + "'");
            rows += QStringLiteral("INSERT INTO QV (Id, %1) VALUES (%2, %3);")
                        .arg(SearchIndex::columns().join(", "))
                        .arg(i)
                        .arg(values.join(", "));
        }
        QVERIFY(indexed.run(rows + "COMMIT;"));
        QVERIFY(scanned.run(rows + "COMMIT;"));

        Connection withIndex;
        withIndex.open(indexed.path());
        Connection withoutIndex;
        withoutIndex.open(scanned.path());
        Recordset a;
        a.open(withIndex, QStringLiteral("SELECT * FROM QV ORDER BY RecordID"));
        Recordset b;
        b.open(withoutIndex, QStringLiteral("SELECT * FROM QV ORDER BY RecordID"));
        int pairs = 0;
        int looked = 0;
        int matched = 0;
        while (pairs < 12000) {
            QString pattern = randomText(random, 3);
            for (int i = random.bounded(3); i > 0; --i)
                pattern += "*" + randomText(random, 2);
            if (random.bounded(2))
                pattern = "*" + pattern + "*";
            const QString column = SearchIndex::columns().at(
                random.bounded(int(SearchIndex::columns().size())));
            const QString criterion = column + " LIKE #" + pattern + "#";
            const QList<qint64> expected = matchingKeys(b, criterion);
            QVERIFY2(matchingKeys(a, criterion) == expected, qPrintable(criterion));
            looked += !SearchIndex::lookupText(Criterion::parse(criterion), column).isEmpty();
            matched += !expected.isEmpty();
            pairs += kRows;
        }
        // Neither side is empty-handed: the index was asked, and rows were found.
        QVERIFY(looked > 20);
        QVERIFY(matched > 20);
    }

    // An older file gains the index at start-up with progress; afterwards every write keeps
    // it in step, which its own integrity check confirms.
    void upgradeAddsTheIndexAndWritesKeepItInStep()
    {
        if (TestDatabase::onServer())
            QSKIP("SQLite's search index; the server's trigram indexes are in its schema");
        const TestDatabase db;
        QVERIFY(db.runFile(QStringLiteral("db/drop-search-index.sql")));
        QVERIFY(db.run(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2500) "
            "INSERT INTO QV (Id, Title, ProblemText) SELECT i, 'Article ' || i, "
            "'paper jam number ' || i FROM n;")));
        Connection connection;
        connection.open(db.path());
        QList<int> done;
        SchemaUpgrade::probeAndUpgrade(connection, [&done](SchemaUpgrade::Step step, int d, int total) {
            QCOMPARE(step, SchemaUpgrade::Step::SearchIndex);
            QCOMPARE(total, 2500);
            done.append(d);
        });
        QCOMPARE(done, (QList<int>{0, 1000, 2000, 2500}));

        Recordset articles;
        articles.open(connection, QStringLiteral("SELECT * FROM QV ORDER BY RecordID"));
        articles.setFilter(QStringLiteral("ProblemText LIKE #*JAM NUMBER 250*#"));
        QCOMPARE(articles.recordCount(), 2); // 250 and 2500
        articles.setValue(QStringLiteral("ProblemText"), QStringLiteral("toner low"));
        articles.addNew();
        articles.setValue(QStringLiteral("ProblemText"), QStringLiteral("new toner cartridge"));
        articles.updateBatch();
        articles.setFilter(QString());
        articles.moveLast();
        articles.moveFirst();
        articles.deleteCurrent();
        articles.updateBatch();
        const auto count = [&db](const QString& pattern) {
            return db.query("SELECT count(*) FROM QV_Search WHERE ProblemText LIKE '" + pattern +
                            "';");
        };
        QCOMPARE(count("%toner%"), QStringLiteral("2"));
        QCOMPARE(count("%jam number 250%"), QStringLiteral("1"));
        QCOMPARE(db.query("INSERT INTO QV_Search(QV_Search, rank) "
                          "VALUES ('integrity-check', 1); SELECT 'ok';"),
                 QStringLiteral("ok"));
    }
};

QTEST_GUILESS_MAIN(TestSearchIndex)
#include "TestSearchIndex.moc"
