#include "SqliteFile.h"
#include "TestPaths.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {
const QString kArticles = QStringLiteral("SELECT * FROM QV ORDER BY id");

// Runs an action and returns the number of the DbError it throws, or 0.
qint64 errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DbError& error) {
        return error.number();
    }
    return 0;
}

QStringList idsOf(Recordset& set)
{
    QStringList ids;
    if (set.recordCount() == 0)
        return ids;
    for (set.moveFirst(); !set.isEof(); set.moveNext())
        ids.append(set.value(QStringLiteral("Id")).toString());
    return ids;
}

QByteArray fileDigest(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
} // namespace

class TestRecordset : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir* m_dir = nullptr;
    QString m_path;
    Connection m_connection;
    Recordset m_set;

    QString stored(const QString& sql) const { return SqliteFile::query(m_path, sql); }

private Q_SLOTS:
    void init()
    {
        m_dir = new QTemporaryDir;
        m_path = m_dir->filePath(QStringLiteral("knowledge base.db"));
        QVERIFY(SqliteFile::create(m_path, {TestPaths::sourceDir() + "/db/schema.sql",
                                            TestPaths::dataDir() + "/db/articles.sql"}));
        m_connection.open(m_path);
        m_set.open(m_connection, kArticles);
    }
    void cleanup()
    {
        m_set.close();
        m_connection.close();
        delete m_dir;
        m_dir = nullptr;
    }

    void opensSnapshotInOrderWithExactCount()
    {
        QCOMPARE(m_set.recordCount(), 5);
        QCOMPARE(idsOf(m_set), QStringList({"2", "3", "4", "9", "10"}));
        QCOMPARE(m_set.fieldNames().first(), QStringLiteral("Id"));
        QVERIFY(m_set.fieldNames().contains(QStringLiteral("Problem")));
    }

    void fieldNamesIgnoreLetterCase_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ID") << "ID" << "2";
        QTest::newRow("id") << "id" << "2";
        QTest::newRow("TechName") << "TechName" << "Sam Okafor";
        QTest::newRow("CATEGORY as CUNAME") << "CUNAME" << "Printing";
        QTest::newRow("long field") << "PROBLEM" << "{\\rtf1\\ansi\\f0 Toner low message.\\par}";
        QTest::newRow("plain text") << "problemtext" << "Toner low message.";
    }
    void fieldNamesIgnoreLetterCase()
    {
        QFETCH(QString, field);
        QFETCH(QString, expected);
        QCOMPARE(m_set.value(field).toString(), expected);
    }

    void unknownFieldIsAnError()
    {
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Nothing")); }),
                 DbError::UnknownField);
        QCOMPARE(errorOf([&] { m_set.setValue(QStringLiteral("Nothing"), 1); }),
                 DbError::UnknownField);
    }

    void bofAndEofAtBothEnds()
    {
        QVERIFY(!m_set.isBof());
        m_set.movePrevious();
        QVERIFY(m_set.isBof());
        QVERIFY(!m_set.isEof());
        QCOMPARE(m_set.absolutePosition(), int(Recordset::PositionBof));
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Title")); }), DbError::NoCurrentRow);
        QCOMPARE(errorOf([&] { m_set.movePrevious(); }), DbError::NoCurrentRow);
        m_set.moveNext();
        QCOMPARE(m_set.value(QStringLiteral("Id")).toInt(), 2);
        m_set.moveLast();
        m_set.moveNext();
        QVERIFY(m_set.isEof());
        QVERIFY(!m_set.isBof());
        QCOMPARE(m_set.absolutePosition(), int(Recordset::PositionEof));
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Title")); }), DbError::NoCurrentRow);
        QCOMPARE(errorOf([&] { m_set.moveNext(); }), DbError::NoCurrentRow);
        m_set.movePrevious();
        QCOMPARE(m_set.value(QStringLiteral("Id")).toInt(), 10);
    }

    void emptySetIsBofAndEof()
    {
        m_set.open(m_connection, QStringLiteral("SELECT * FROM QV WHERE Id = 77"));
        QVERIFY(m_set.isBof());
        QVERIFY(m_set.isEof());
        QCOMPARE(m_set.recordCount(), 0);
        QCOMPARE(errorOf([&] { m_set.moveFirst(); }), DbError::NoCurrentRow);
        QCOMPARE(errorOf([&] { m_set.moveLast(); }), DbError::NoCurrentRow);
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Id")); }), DbError::NoCurrentRow);
    }

    void moveIsRelativeAndStopsAtTheEnds_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("position");
        QTest::newRow("forward") << 1 << 3 << 4;
        QTest::newRow("back") << 5 << -2 << 3;
        QTest::newRow("past the end") << 2 << 10 << int(Recordset::PositionEof);
        QTest::newRow("before the start") << 2 << -5 << int(Recordset::PositionBof);
    }
    void moveIsRelativeAndStopsAtTheEnds()
    {
        QFETCH(int, start);
        QFETCH(int, rows);
        QFETCH(int, position);
        m_set.setAbsolutePosition(start);
        m_set.move(rows);
        QCOMPARE(m_set.absolutePosition(), position);
    }

    void absolutePositionOutsideTheSetKeepsTheRow_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -1;
        QTest::newRow("one past the count") << 6;
    }
    void absolutePositionOutsideTheSetKeepsTheRow()
    {
        QFETCH(int, position);
        m_set.setAbsolutePosition(3);
        QCOMPARE(errorOf([&] { m_set.setAbsolutePosition(position); }), DbError::BadArgument);
        QCOMPARE(m_set.absolutePosition(), 3);
        QCOMPARE(m_set.value(QStringLiteral("Id")).toInt(), 4);
    }

    void filterSelectsMatches_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("word anywhere, any case")
            << "Title LIKE #*PRINTER*#" << QStringList{"2", "10"};
        QTest::newRow("at the start") << "title like #printer*#" << QStringList{"10"};
        QTest::newRow("at the end") << "Title LIKE #*offline#" << QStringList{"10"};
        QTest::newRow("exact category, any case") << "CUName = #printing#" << QStringList{"2", "10"};
        QTest::newRow("part of a category is no match") << "CUName = #Print#" << QStringList{};
        QTest::newRow("value holding #") << "Title LIKE #*error #5*#" << QStringList{"9"};
        QTest::newRow("% is literal") << "Title LIKE #*100%*#" << QStringList{"4"};
        QTest::newRow("_ is literal") << "Problem LIKE #*a_e*#" << QStringList{"4"};
        QTest::newRow("number") << "ID = #9#" << QStringList{"9"};
        QTest::newRow("number with leading zeros") << "Id = #0010#" << QStringList{"10"};
        QTest::newRow("author contains") << "TechName LIKE #*okafor*#" << QStringList{"2", "9"};
        QTest::newRow("letters beyond ASCII") << "Title LIKE #*ÜBER*#" << QStringList{"3"};
        QTest::newRow("rich text matches its words") << "Problem LIKE #*TONER*#"
                                                     << QStringList{"2"};
        QTest::newRow("rich text never matches markup") << "Problem LIKE #*par*#"
                                                        << QStringList{};
        QTest::newRow("rich text beyond ASCII") << "Problem LIKE #*ÉCRAN*#" << QStringList{"3"};
        QTest::newRow("solution") << "Solution LIKE #*restart*#" << QStringList{"10"};
        QTest::newRow("empty criterion") << "" << QStringList{"2", "3", "4", "9", "10"};
    }
    void filterSelectsMatches()
    {
        QFETCH(QString, criterion);
        QFETCH(QStringList, ids);
        m_set.setFilter(criterion);
        QCOMPARE(m_set.recordCount(), ids.size());
        QCOMPARE(m_set.isEof(), ids.isEmpty());
        QCOMPARE(idsOf(m_set), ids);
    }

    void parametersAreBoundAsValues_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("parameters");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("text") << "SELECT * FROM QV WHERE CUName = ? ORDER BY Id"
                              << QVariantList{"Printing"} << QStringList{"2", "10"};
        QTest::newRow("in their order") << "SELECT * FROM QV WHERE CUName = ? AND Id > ?"
                                        << QVariantList{"Printing", 5} << QStringList{"10"};
        QTest::newRow("quotes stay inside the value")
            << "SELECT * FROM QV WHERE Title = ? ORDER BY Id" << QVariantList{"' OR '1'='1"}
            << QStringList{};
        QTest::newRow("named columns") << "SELECT Id, Title FROM QV WHERE Id = ?"
                                       << QVariantList{9} << QStringList{"9"};
    }
    void parametersAreBoundAsValues()
    {
        QFETCH(QString, sql);
        QFETCH(QVariantList, parameters);
        QFETCH(QStringList, ids);
        m_set.open(m_connection, sql, parameters);
        QCOMPARE(idsOf(m_set), ids);
    }

    void parameterisedSetWritesBack()
    {
        m_set.open(m_connection, QStringLiteral("SELECT * FROM QV WHERE Id = ?"), {4});
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("It's renamed"));
        m_set.updateBatch();
        QCOMPARE(stored(QStringLiteral("SELECT Title FROM QV WHERE Id = 4")),
                 QStringLiteral("It's renamed"));
    }

    void unreadableFilterKeepsThePreviousOne_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<qint64>("number");
        QTest::newRow("no delimiters") << "Title LIKE printer" << DbError::BadArgument;
        QTest::newRow("one delimiter") << "Title LIKE #printer" << DbError::BadArgument;
        QTest::newRow("unknown operator") << "Title ~ #printer#" << DbError::BadArgument;
        QTest::newRow("text after the value") << "Title = #a# OR 1" << DbError::BadArgument;
        QTest::newRow("unknown field") << "Nothing = #a#" << DbError::UnknownField;
        QTest::newRow("number field, text value") << "RecordID = #abc#" << DbError::BadArgument;
    }
    void unreadableFilterKeepsThePreviousOne()
    {
        QFETCH(QString, criterion);
        QFETCH(qint64, number);
        m_set.setFilter(QStringLiteral("CUName = #Printing#"));
        QCOMPARE(errorOf([&] { m_set.setFilter(criterion); }), number);
        QCOMPARE(m_set.filter(), QStringLiteral("CUName = #Printing#"));
        QCOMPARE(m_set.recordCount(), 2);
    }

    void positionsCountWithinMatches()
    {
        m_set.setFilter(QStringLiteral("Title LIKE #*printer*#"));
        QCOMPARE(m_set.absolutePosition(), 1);
        m_set.moveLast();
        QCOMPARE(m_set.absolutePosition(), 2);
        QCOMPARE(m_set.value(QStringLiteral("Id")).toInt(), 10);
        QCOMPARE(errorOf([&] { m_set.setAbsolutePosition(3); }), DbError::BadArgument);
        m_set.setAbsolutePosition(1);
        QCOMPARE(m_set.value(QStringLiteral("Id")).toInt(), 2);
    }

    void secondFilterReplacesTheFirst()
    {
        m_set.setFilter(QStringLiteral("CUName = #Printing#"));
        m_set.setFilter(QStringLiteral("CUName = #Network#"));
        QCOMPARE(idsOf(m_set), QStringList{"9"});
        m_set.setFilter(QString());
        QCOMPARE(m_set.recordCount(), 5);
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

    void changesArePendingUntilUpdateBatch()
    {
        m_set.setAbsolutePosition(4);
        m_set.setValue(QStringLiteral("title"), QStringLiteral("VPN drops at night"));
        m_set.setValue(QStringLiteral("Problem"), QStringLiteral("{\\rtf1 new\\par}"));
        m_set.update();
        QCOMPARE(m_set.value(QStringLiteral("Title")).toString(), QStringLiteral("VPN drops at night"));
        QCOMPARE(m_set.value(QStringLiteral("Problem")).toString(), QStringLiteral("{\\rtf1 new\\par}"));
        QCOMPARE(stored("SELECT Title FROM QV WHERE Id = 9;"), QStringLiteral("VPN drops after error #5"));
        m_set.updateBatch();
        QCOMPARE(stored("SELECT Title, Problem FROM QV WHERE Id = 9;"),
                 QStringLiteral("VPN drops at night|{\\rtf1 new\\par}"));
        QCOMPARE(m_set.value(QStringLiteral("Problem")).toString(), QStringLiteral("{\\rtf1 new\\par}"));
    }

    void closeDropsPendingChanges()
    {
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("Changed"));
        m_set.addNew();
        m_set.close();
        QVERIFY(!m_set.isOpen());
        QCOMPARE(errorOf([&] { m_set.recordCount(); }), DbError::ObjectClosed);
        m_set.open(m_connection, kArticles);
        QCOMPARE(m_set.recordCount(), 5);
        QCOMPARE(m_set.value(QStringLiteral("Title")).toString(),
                 QStringLiteral("Toner warning on the laser printer"));
        QCOMPARE(stored("SELECT count(*) FROM QV WHERE Title = 'Changed';"), QStringLiteral("0"));
    }

    void addedRowGetsItsRecordId()
    {
        m_set.addNew();
        QCOMPARE(m_set.recordCount(), 6);
        QCOMPARE(m_set.absolutePosition(), 6);
        QVERIFY(m_set.value(QStringLiteral("Title")).isNull());
        QVERIFY(m_set.value(QStringLiteral("Problem")).isNull());
        m_set.setValue(QStringLiteral("Id"), QStringLiteral("11"));
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("Badge reader rejects card"));
        m_set.setValue(QStringLiteral("Solution"), QStringLiteral("{\\rtf1 Re-enrol.\\par}"));
        m_set.updateBatch();
        const QString recordId = m_set.value(QStringLiteral("RecordID")).toString();
        QCOMPARE(recordId, QStringLiteral("6"));
        QCOMPARE(stored("SELECT Id, Title, Solution FROM QV WHERE RecordID = 6;"),
                 QStringLiteral("11|Badge reader rejects card|{\\rtf1 Re-enrol.\\par}"));
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("Badge reader"));
        m_set.updateBatch();
        QCOMPARE(stored("SELECT Title FROM QV WHERE RecordID = 6;"), QStringLiteral("Badge reader"));
    }

    void deletedRowLeavesOnUpdateBatch()
    {
        m_set.setAbsolutePosition(2);
        m_set.deleteCurrent();
        QCOMPARE(errorOf([&] { m_set.value(QStringLiteral("Id")); }), DbError::NoCurrentRow);
        QCOMPARE(m_set.recordCount(), 4);
        m_set.moveNext();
        QCOMPARE(m_set.value(QStringLiteral("Id")).toInt(), 4);
        QCOMPARE(stored("SELECT count(*) FROM QV;"), QStringLiteral("5"));
        m_set.updateBatch();
        QCOMPARE(stored("SELECT group_concat(Id) FROM (SELECT Id FROM QV ORDER BY Id);"),
                 QStringLiteral("2,4,9,10"));
    }

    void deletingTheLastRowLeavesEofOnTheNextMove()
    {
        m_set.moveLast();
        m_set.deleteCurrent();
        QVERIFY(!m_set.isEof());
        m_set.moveNext();
        QVERIFY(m_set.isEof());
        m_set.movePrevious();
        QCOMPARE(m_set.value(QStringLiteral("Id")).toInt(), 9);
    }

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
        other.open(m_path);
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
        try {
            second.updateBatch();
            QFAIL("the second writer's batch was written");
        } catch (const DbError& error) {
            QCOMPARE(error.number(), DbError::RowChanged);
            QCOMPARE(error.description(),
                     QStringLiteral("Row cannot be located for updating. Some values may have "
                                    "been changed since it was last read."));
        }
        QCOMPARE(stored(QStringLiteral("SELECT %1 FROM QV WHERE Id = 2;").arg(firstField)),
                 QStringLiteral("first writer"));
        QCOMPARE(stored("SELECT Title FROM QV WHERE Id = 10;"), QStringLiteral("Printer shows offline"));
        // The changes stay pending: the batch fails again.
        QCOMPARE(errorOf([&] { second.updateBatch(); }), DbError::RowChanged);
        second.moveLast();
        QCOMPARE(second.value(QStringLiteral("Title")).toString(), QStringLiteral("another row"));
    }

    void writeRefusedByReadOnlyFileChangesNothing()
    {
        m_set.close();
        m_connection.close();
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray before = fileDigest(m_path);
        m_connection.open(m_path);
        m_set.open(m_connection, kArticles);
        m_set.setValue(QStringLiteral("Title"), QStringLiteral("Changed"));
        m_set.addNew();
        QCOMPARE(errorOf([&] { m_set.updateBatch(); }), DbError::StoreFailure);
        m_set.close();
        m_connection.close();
        QCOMPARE(fileDigest(m_path), before);
    }

    void tableWithoutKeyIsAddressedByRowid()
    {
        m_set.open(m_connection, QStringLiteral("SELECT * FROM Users ORDER BY Users"));
        QCOMPARE(m_set.fieldNames(), QStringList{"Users"});
        m_set.setAbsolutePosition(2);
        QCOMPARE(m_set.value(QStringLiteral("users")).toString(), QStringLiteral("Lea Brandt"));
        m_set.setValue(QStringLiteral("Users"), QStringLiteral("Lea Brandt-Moser"));
        m_set.updateBatch();
        QCOMPARE(stored("SELECT group_concat(Users, ',') FROM Users;"),
                 QStringLiteral("Dana Whitfield,Sam Okafor,Lea Brandt-Moser"));
    }

    void namedColumnsAreWritable()
    {
        m_set.open(m_connection, QStringLiteral("SELECT category FROM Categories ORDER BY category"));
        QCOMPARE(m_set.fieldNames(), QStringList{"category"});
        QCOMPARE(m_set.value(QStringLiteral("Category")).toString(), QStringLiteral("Email"));
        m_set.setValue(QStringLiteral("Category"), QStringLiteral("E-mail"));
        m_set.updateBatch();
        QCOMPARE(stored("SELECT category FROM Categories WHERE RecordID = 4;"),
                 QStringLiteral("E-mail"));
    }

    void viewIsReadOnly()
    {
        m_set.open(m_connection, QStringLiteral("SELECT * FROM Categories2"));
        QCOMPARE(m_set.recordCount(), 4);
        QCOMPARE(errorOf([&] { m_set.setValue(QStringLiteral("category"), QStringLiteral("x")); }),
                 DbError::NotUpdatable);
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "TestRecordset.moc"
