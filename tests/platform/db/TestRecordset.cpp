#include "DbTest.h"
#include "db/Connection.h"
#include "db/Recordset.h"

#include <QTest>

using DbTest::errorOf;

namespace {
const QString kArticles = QStringLiteral("SELECT * FROM QV ORDER BY id");

QStringList idsOf(Recordset& set)
{
    QStringList ids;
    if (set.recordCount() == 0)
        return ids;
    for (set.moveFirst(); !set.isEof(); set.moveNext())
        ids.append(set.value(QStringLiteral("Id")).toString());
    return ids;
}
} // namespace

// The connection and recordsets on the articles of tests/data/db/articles.sql: ids 10, 9, 2,
// 3, 4 with RecordIDs 1 to 5, which the tests' own statements address them by.
class TestRecordset : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> m_db;
    Connection m_connection;
    Recordset m_set;

    QString stored(const QString& sql) const { return m_db->query(sql); }
    QString text(const QString& field) { return m_set.value(field).toString(); }
    int id() { return m_set.value(QStringLiteral("Id")).toInt(); }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<TestDatabase>();
        QVERIFY(m_db->runFile(QStringLiteral("db/articles.sql")));
        m_connection.open(m_db->path());
        m_set.open(m_connection, kArticles);
    }
    void cleanup()
    {
        m_set.close();
        m_connection.close();
        m_db.reset();
    }

    void commitsAreSynced()
    {
        if (TestDatabase::onServer())
            QSKIP("SQLite's own setting");
        m_set.open(m_connection, QStringLiteral("PRAGMA synchronous"));
        QCOMPARE(text(m_set.fieldNames().first()), QStringLiteral("2"));
    }

    void engineErrorsAreNumbered_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("unknown column")
            << "SELECT Absent FROM QV" << DbError::UnknownName << "no such column: Absent";
        QTest::newRow("unknown table")
            << "SELECT * FROM Nowhere" << DbError::UnknownTable << "no such table: Nowhere";
        QTest::newRow("syntax") << "SELEC * FROM QV" << DbError::StatementFailed
                                << "near \"SELEC\": syntax error";
    }
    void engineErrorsAreNumbered()
    {
        QFETCH(QString, sql);
        QFETCH(qint64, number);
        QFETCH(QString, description);
        QString said;
        QCOMPARE(errorOf([&] { m_set.open(m_connection, sql); }, &said), number);
        if (!TestDatabase::onServer()) // the server words its own messages
            QCOMPARE(said, description);
        QVERIFY(!m_set.isOpen());
    }

    void opensSnapshotInOrderWithExactCount()
    {
        QCOMPARE(m_set.recordCount(), 5);
        QCOMPARE(idsOf(m_set), QStringList({"2", "3", "4", "9", "10"}));
        // Field names in any letter case, the long fields and their plain text too.
        m_set.moveFirst();
        QCOMPARE(text("id"), QStringLiteral("2"));
        QCOMPARE(text("CUNAME"), QStringLiteral("Printing"));
        QCOMPARE(text("PROBLEM"), QStringLiteral("{\\rtf1\\ansi\\f0 Toner low message.\\par}"));
        QCOMPARE(text("problemtext"), QStringLiteral("Toner low message."));
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Nothing")); }), DbError::UnknownField);
        QCOMPARE(errorOf([&] { m_set.setValue(QStringLiteral("Nothing"), 1); }),
                 DbError::UnknownField);
    }

    void bofAndEofAtBothEndsAndOnAnEmptySet()
    {
        QVERIFY(!m_set.isBof());
        m_set.movePrevious();
        QVERIFY(m_set.isBof() && !m_set.isEof());
        QCOMPARE(m_set.absolutePosition(), int(Recordset::PositionBof));
        QCOMPARE(errorOf([&] { m_set.movePrevious(); }), DbError::NoCurrentRow);
        m_set.moveNext();
        QCOMPARE(id(), 2);
        m_set.moveLast();
        m_set.moveNext();
        QVERIFY(m_set.isEof() && !m_set.isBof());
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Title")); }), DbError::NoCurrentRow);
        QCOMPARE(errorOf([&] { m_set.moveNext(); }), DbError::NoCurrentRow);
        m_set.movePrevious();
        QCOMPARE(id(), 10);

        m_set.open(m_connection, QStringLiteral("SELECT * FROM QV WHERE RecordID = 77"));
        QVERIFY(m_set.isBof() && m_set.isEof());
        QCOMPARE(m_set.recordCount(), 0);
        QCOMPARE(errorOf([&] { m_set.moveFirst(); }), DbError::NoCurrentRow);
        QCOMPARE(errorOf([&] { m_set.moveLast(); }), DbError::NoCurrentRow);
    }

    void discardedAdditionsAreNeverWritten()
    {
        m_set.addNew();
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("first new"));
        m_set.addNew();
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("second new"));
        m_set.discardAdditions(true);
        QCOMPARE(m_set.recordCount(), 6);
        QCOMPARE(text(QStringLiteral("Title")), QStringLiteral("second new"));
        m_set.discardAdditions(false);
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Title")); }), DbError::NoCurrentRow);
        m_set.updateBatch();
        QCOMPARE(stored("SELECT count(*) FROM QV;"), QStringLiteral("5"));
    }

    void moveIsRelativeAndAbsolutePositionStaysInside()
    {
        m_set.setAbsolutePosition(1);
        m_set.move(3);
        QCOMPARE(m_set.absolutePosition(), 4);
        m_set.move(10);
        QCOMPARE(m_set.absolutePosition(), int(Recordset::PositionEof));
        m_set.setAbsolutePosition(2);
        m_set.move(-5);
        QCOMPARE(m_set.absolutePosition(), int(Recordset::PositionBof));
        m_set.setAbsolutePosition(3);
        for (const int outside : {0, 6}) {
            QCOMPARE(errorOf([&] { m_set.setAbsolutePosition(outside); }), DbError::BadArgument);
            QCOMPARE(id(), 4);
        }
        // Within a filter, positions count the matches only.
        m_set.setFilter(QStringLiteral("Title LIKE #*printer*#"));
        QCOMPARE(errorOf([&] { m_set.setAbsolutePosition(3); }), DbError::BadArgument);
        m_set.setAbsolutePosition(2);
        QCOMPARE(id(), 10);
    }

    // Each filter replaces "CUName = #Printing#"; one that is refused keeps it. The decided
    // faults: "#" inside the value, letter case ignored, rich text matched on its plain text.
    void filterSelectsMatches_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<qint64>("error");
        const auto row = [](const char* criterion, const QStringList& ids, qint64 error = 0) {
            QTest::newRow(*criterion ? criterion : "empty criterion")
                << QString::fromUtf8(criterion) << ids << error;
        };
        row("title LIKE #*PRINTER*#", {"2", "10"});
        row("CUName = #network#", {"9"});
        row("Title LIKE #*ÜBER*#", {"3"});
        row("Title LIKE #*error #5*#", {"9"});
        row("ID = #0010#", {"10"});
        row("Problem LIKE #*TONER*#", {"2"});
        row("Problem LIKE #*par*#", {});
        row("Problem LIKE #*a_e*#", {"4"});
        row("Problem LIKE #*ÉCRAN*#", {"3"});
        row("Solution LIKE #*restart*#", {"10"});
        row("", {"2", "3", "4", "9", "10"});
        row("Nothing = #a#", {}, DbError::UnknownField);
        row("RecordID = #abc#", {}, DbError::BadArgument);
    }
    void filterSelectsMatches()
    {
        QFETCH(QString, criterion);
        QFETCH(QStringList, ids);
        QFETCH(qint64, error);
        m_set.setFilter(QStringLiteral("CUName = #Printing#"));
        QCOMPARE(errorOf([&] { m_set.setFilter(criterion); }), error);
        if (error) {
            QCOMPARE(m_set.filter(), QStringLiteral("CUName = #Printing#"));
            ids = QStringList{"2", "10"};
        }
        QCOMPARE(m_set.recordCount(), ids.size());
        QCOMPARE(m_set.isEof(), ids.isEmpty());
        QCOMPARE(idsOf(m_set), ids);
    }

    void filterSeesPendingValues()
    {
        m_set.setAbsolutePosition(3);
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("Mailbox quota reached"));
        m_set.setValue(QStringLiteral("ProblemText"), QStringLiteral("Bounce says quota."));
        m_set.setFilter(QStringLiteral("Title LIKE #*quota*#"));
        QCOMPARE(idsOf(m_set), QStringList{"4"});
        m_set.setFilter(QStringLiteral("Problem LIKE #*says*#"));
        QCOMPARE(idsOf(m_set), QStringList{"4"});
    }

    void parametersAreBoundAsValues()
    {
        m_set.open(m_connection,
                   QStringLiteral("SELECT * FROM QV WHERE CUName = ? AND RecordID > ?"),
                   {"Printing", 1});
        QCOMPARE(idsOf(m_set), QStringList{"2"});
        m_set.open(m_connection, QStringLiteral("SELECT * FROM QV WHERE Title = ?"),
                   {"' OR '1'='1"});
        QCOMPARE(m_set.recordCount(), 0);
    }

    void changesArePendingUntilUpdateBatch()
    {
        const QString rtf = QStringLiteral("{\\rtf1 new\\par}");
        m_set.setAbsolutePosition(4);
        m_set.setValue(QStringLiteral("title"), QStringLiteral("VPN's drops"));
        m_set.setValue(QStringLiteral("Problem"), rtf);
        m_set.update();
        QCOMPARE(text("Problem"), rtf);
        QCOMPARE(stored("SELECT Title FROM QV WHERE RecordID = 2;"),
                 QStringLiteral("VPN drops after error #5"));
        m_set.updateBatch();
        QCOMPARE(stored("SELECT Title, Problem FROM QV WHERE RecordID = 2;"), "VPN's drops|" + rtf);
        QCOMPARE(text("Problem"), rtf);
    }

    // Pending changes, additions and deletions are dropped by cancelBatch or by closing.
    void pendingChangesAreDropped_data()
    {
        QTest::addColumn<bool>("close");
        QTest::newRow("cancelBatch") << false;
        QTest::newRow("close") << true;
    }
    void pendingChangesAreDropped()
    {
        QFETCH(bool, close);
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("Changed"));
        m_set.setValue(QStringLiteral("Problem"), QStringLiteral("changed"));
        m_set.addNew();
        m_set.setAbsolutePosition(2);
        m_set.deleteCurrent();
        if (close) {
            m_set.close();
            QCOMPARE(errorOf([&] { m_set.recordCount(); }), DbError::ObjectClosed);
            Connection closed;
            QCOMPARE(errorOf([&] { m_set.open(closed, kArticles); }), DbError::ObjectClosed);
            m_set.open(m_connection, kArticles);
        } else {
            m_set.cancelBatch();
            QCOMPARE(id(), 3);
        }
        QCOMPARE(idsOf(m_set), QStringList({"2", "3", "4", "9", "10"}));
        m_set.moveFirst();
        QCOMPARE(text("Title"), QStringLiteral("Toner warning on the laser printer"));
        QVERIFY(text("Problem") != QStringLiteral("changed"));
        if (close)
            return;
        // An added current row goes, and the set has no current row until the next move.
        m_set.addNew();
        m_set.cancelBatch();
        QCOMPARE(m_set.recordCount(), 5);
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Id")); }), DbError::NoCurrentRow);
        m_set.moveLast();
        QCOMPARE(id(), 10);
    }

    void addedRowGetsItsRecordId()
    {
        m_set.addNew();
        QCOMPARE(m_set.absolutePosition(), 6);
        QVERIFY(m_set.value(QStringLiteral("Problem")).isNull());
        m_set.setValue(QStringLiteral("Id"), QStringLiteral("11"));
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("Badge reader rejects card"));
        m_set.setValue(QStringLiteral("Solution"), QStringLiteral("{\\rtf1 Re-enrol.\\par}"));
        m_set.updateBatch();
        QCOMPARE(text("RecordID"), QStringLiteral("6"));
        QCOMPARE(stored("SELECT Id, Title, Solution FROM QV WHERE RecordID = 6;"),
                 QStringLiteral("11|Badge reader rejects card|{\\rtf1 Re-enrol.\\par}"));
        // Written again, it is addressed by that RecordID.
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("Badge reader"));
        m_set.updateBatch();
        QCOMPARE(stored("SELECT Title FROM QV WHERE RecordID = 6;"),
                 QStringLiteral("Badge reader"));
    }

    void deletedRowLeavesOnUpdateBatch()
    {
        m_set.setAbsolutePosition(2);
        m_set.deleteCurrent();
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Id")); }), DbError::NoCurrentRow);
        QCOMPARE(m_set.recordCount(), 4);
        m_set.moveNext();
        QCOMPARE(id(), 4);
        m_set.updateBatch();
        QCOMPARE(stored("SELECT Id FROM QV ORDER BY RecordID;"), QStringLiteral("10\n9\n2\n4"));
        // Deleting the last row leaves EOF for the next move, not at once.
        m_set.moveLast();
        m_set.deleteCurrent();
        QVERIFY(!m_set.isEof());
        m_set.moveNext();
        QVERIFY(m_set.isEof());
        m_set.movePrevious();
        QCOMPARE(id(), 9);
    }

    // Two connections on one file: the second writer's whole batch fails, writes nothing
    // and stays pending; the first writer's data is intact.
    void secondWriterOfARowGetsTheOptimisticError_data()
    {
        QTest::addColumn<QString>("firstField");
        QTest::addColumn<bool>("secondDeletes");
        QTest::newRow("both change a held field") << "Title" << false;
        QTest::newRow("first changes the read document") << "Problem" << false;
        QTest::newRow("second deletes") << "Title" << true;
    }
    void secondWriterOfARowGetsTheOptimisticError()
    {
        QFETCH(QString, firstField);
        QFETCH(bool, secondDeletes);
        Connection other;
        other.open(m_db->path());
        Recordset second;
        second.open(other, kArticles);
        QVERIFY(second.value(QStringLiteral("Problem")).isValid());

        m_set.setValue(firstField, QStringLiteral("first writer"));
        m_set.updateBatch();

        second.moveLast();
        second.setValue(QStringLiteral("Title"), QStringLiteral("another row"));
        second.moveFirst();
        if (secondDeletes)
            second.deleteCurrent();
        else
            second.setValue(QStringLiteral("Title"), QStringLiteral("second writer"));
        QString said;
        QCOMPARE(errorOf([&] { second.updateBatch(); }, &said), DbError::RowChanged);
        QCOMPARE(said, QStringLiteral("Row cannot be located for updating. Some values may have "
                                      "been changed since it was last read."));
        QCOMPARE(stored(QStringLiteral("SELECT %1 FROM QV WHERE RecordID = 3;").arg(firstField)),
                 QStringLiteral("first writer"));
        QCOMPARE(stored("SELECT Title FROM QV WHERE RecordID = 1;"),
                 QStringLiteral("Printer shows offline"));
        QCOMPARE(errorOf([&] { second.updateBatch(); }), DbError::RowChanged);
        second.moveLast();
        QCOMPARE(second.value(QStringLiteral("Title")).toString(), QStringLiteral("another row"));
    }

    // A server that ends the connection: the next command fails with a numbered error, and
    // the one after it connects again and works.
    void serverLossFailsOnlyTheNextCommand_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"open", "read", "save", "execute"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void serverLossFailsOnlyTheNextCommand()
    {
        if (!TestDatabase::onServer())
            QSKIP("a file has no server to lose");
        QFETCH(QString, command);
        // Each command ends reading article 9: its document, or its title as stored.
        const bool writes = command == QLatin1String("save") || command == QLatin1String("execute");
        const QString saved = QStringLiteral("Saved after the loss");
        QString result;
        const auto run = [&] {
            if (command == QLatin1String("open"))
                m_set.open(m_connection, kArticles);
            if (command == QLatin1String("execute"))
                m_connection.execute("UPDATE QV SET Title = '" + saved + "' WHERE RecordID = 2");
            m_set.setAbsolutePosition(4);
            if (command == QLatin1String("save")) {
                m_set.setValue(QStringLiteral("Title"), saved);
                m_set.updateBatch();
            }
            result = writes ? stored(QStringLiteral("SELECT Title FROM QV WHERE RecordID = 2"))
                            : text(QStringLiteral("Problem"));
        };
        QVERIFY(m_db->run(
            QStringLiteral("SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity "
                           "WHERE datname = current_database() AND pid <> pg_backend_pid();")));
        QCOMPARE(errorOf(run), DbError::StoreFailure);
        QCOMPARE(errorOf(run), 0);
        QCOMPARE(result,
                 writes ? saved
                        : QStringLiteral("{\\rtf1\\ansi\\f0 Tunnel closes with error #5.\\par}"));
    }

    // Rows are shown as another program left them, all fields from one moment; a row it
    // deleted is reported as such.
    void rowsShowWhatIsStoredNow()
    {
        Connection other;
        other.open(m_db->path());
        m_set.setAbsolutePosition(2);
        QCOMPARE(text("Title"), QStringLiteral("Écran reste noir über Nacht"));
        other.execute(
            QStringLiteral("UPDATE QV SET Title = 'Theirs', Problem = 'new' WHERE RecordID = 4"));
        other.execute(QStringLiteral("DELETE FROM QV WHERE RecordID = 5"));
        m_set.moveFirst();
        m_set.moveNext();
        QCOMPARE(text("Problem"), QStringLiteral("new"));
        QCOMPARE(text("Title"), QStringLiteral("Theirs"));
        m_set.moveNext();
        QCOMPARE(m_set.recordCount(), 5);
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Problem")); }), DbError::RowDeleted);
        m_set.moveNext();
        QCOMPARE(id(), 9);
    }

    // Text columns sort without regard to letter case, article numbers that are whole numbers
    // first, by value; "=" never matches a field without a value, neither in the stored rows
    // nor in pending ones.
    void textSortsCaseBlindAndNullMatchesNothing()
    {
        m_connection.execute(QStringLiteral("DELETE FROM Categories"));
        m_connection.execute(QStringLiteral(
            "INSERT INTO Categories (category) VALUES ('Zebra'), ('apple'), ('Printing')"));
        m_set.open(m_connection, QStringLiteral("SELECT * FROM Categories ORDER BY category"));
        QStringList names;
        for (; !m_set.isEof(); m_set.moveNext())
            names.append(text(QStringLiteral("category")));
        QCOMPARE(names, QStringList({"apple", "Printing", "Zebra"}));

        m_connection.execute(QStringLiteral("UPDATE QV SET Id = '007' WHERE RecordID = 3"));
        m_connection.execute(QStringLiteral("UPDATE QV SET Id = 'a' WHERE RecordID = 4"));
        m_connection.execute(
            QStringLiteral("UPDATE QV SET Id = 'B', Title = '' WHERE RecordID = 5"));
        m_connection.execute(QStringLiteral("UPDATE QV SET Title = NULL WHERE RecordID IN (2, 4)"));
        m_set.open(m_connection, kArticles);
        QCOMPARE(idsOf(m_set), QStringList({"9", "10", "007", "a", "B"}));
        m_set.setAbsolutePosition(2);
        m_set.setValue(QStringLiteral("Title"), QVariant());
        m_set.setFilter(QStringLiteral("Title = ##"));
        QCOMPARE(idsOf(m_set), QStringList{"B"});
    }

    // A table without a key is addressed by rowid; a set of named columns without the key
    // is still written; a view is not.
    void otherSetsWrite()
    {
        m_set.open(m_connection, QStringLiteral("SELECT * FROM Users ORDER BY Users"));
        QCOMPARE(m_set.fieldNames().join('|').toLower(), QStringLiteral("users"));
        m_set.setAbsolutePosition(2);
        QCOMPARE(text("users"), QStringLiteral("Lea Brandt"));
        m_set.setValue(QStringLiteral("Users"), QStringLiteral("Lea Brandt-Moser"));
        m_set.updateBatch();
        QCOMPARE(stored("SELECT Users FROM Users ORDER BY Users;"),
                 QStringLiteral("Dana Whitfield\nLea Brandt-Moser\nSam Okafor"));

        m_set.open(m_connection,
                   QStringLiteral("SELECT category FROM Categories ORDER BY category"));
        QCOMPARE(m_set.fieldNames(), QStringList{"category"});
        m_set.setValue(QStringLiteral("Category"), QStringLiteral("E-mail"));
        m_set.updateBatch();
        QCOMPARE(stored("SELECT category FROM Categories WHERE RecordID = 4;"),
                 QStringLiteral("E-mail"));

        m_set.open(m_connection, QStringLiteral("SELECT * FROM Categories2"));
        QCOMPARE(m_set.recordCount(), 4);
        QCOMPARE(errorOf([&] { m_set.setValue(QStringLiteral("category"), QStringLiteral("x")); }),
                 DbError::NotUpdatable);
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "TestRecordset.moc"
