#include "SqliteFile.h"
#include "TestPaths.h"
#include "db/Connection.h"
#include "db/Recordset.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// The sample knowledge base that ./run creates, read through the database layer.
class TestSampleDatabase : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Connection m_connection;

    QStringList column(const QString& sql, const QString& field)
    {
        Recordset set;
        set.open(m_connection, sql);
        QStringList values;
        for (; !set.isEof(); set.moveNext())
            values.append(set.value(field).toString());
        return values;
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString path = m_dir.filePath(QStringLiteral("sample.db"));
        QVERIFY(SqliteFile::create(path, {TestPaths::sourceDir() + "/db/schema.sql",
                                          TestPaths::sourceDir() + "/db/sample.sql"}));
        m_connection.open(path);
    }

    void articlesSpanCategoriesAndAuthors()
    {
        QVERIFY(column("SELECT * FROM QV ORDER BY id", "Id").size() >= 15);
        const QStringList used = column("SELECT * FROM QV", "CUName");
        const QStringList authors = column("SELECT * FROM QV", "techname");
        QVERIFY(QSet<QString>(used.cbegin(), used.cend()).size() >= 5);
        QVERIFY(QSet<QString>(authors.cbegin(), authors.cend()).size() >= 3);
        const QStringList categories = column("SELECT * FROM Categories ORDER BY Category", "category");
        for (const QString& category : used)
            QVERIFY2(categories.contains(category), qPrintable(category));
    }

    void articlesAreFormattedWithTheirPlainTextBeside()
    {
        Recordset set;
        set.open(m_connection, QStringLiteral("SELECT * FROM QV ORDER BY id"));
        for (; !set.isEof(); set.moveNext()) {
            for (const QString& field : {QStringLiteral("Problem"), QStringLiteral("Solution")}) {
                const QString rtf = set.value(field).toString();
                const QString plain = set.value(field + QStringLiteral("Text")).toString();
                QVERIFY(rtf.startsWith(QLatin1String("{\\rtf1")));
                QVERIFY(rtf.contains(QLatin1String("\\b ")));
                QVERIFY(!plain.isEmpty());
                QVERIFY2(!plain.contains(QLatin1String("\\par")), qPrintable(plain));
            }
            QCOMPARE(set.value(QStringLiteral("Image10")).toString(), QStringLiteral("N/A"));
        }
    }

    void labelsAccountAndSwitch()
    {
        QCOMPARE(column("SELECT * FROM Customize ORDER BY ID", "Labels"),
                 QStringList({"QV Number:", "Category:", "Entered By:", "Title:", "Problem:",
                              "Solution:"}));
        Recordset set;
        set.open(m_connection, QStringLiteral("SELECT * FROM Login WHERE LoginName = 'admin'"));
        QCOMPARE(set.recordCount(), 1);
        QCOMPARE(set.value(QStringLiteral("Password")).toString(), QString());
        QCOMPARE(set.value(QStringLiteral("Administrator")).toInt(), -1);
        QCOMPARE(set.value(QStringLiteral("ReadOnly")).toInt(), 0);
        QCOMPARE(column("Select * FROM tblEnablePasswords Order by id", "EnablePasswords"),
                 QStringList{"0"});
        QCOMPARE(column("SELECT * FROM CUINFO ORDER BY CUName", "CUName").size(), 1);
        QCOMPARE(column("select * from Categories2", "category").size(), 7);
    }
};

QTEST_GUILESS_MAIN(TestSampleDatabase)
#include "TestSampleDatabase.moc"
