#include "DbTest.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

// The sample knowledge base that ./run creates, read through the database layer and the
// rich-text reader and writer.
class TestSampleDatabase : public QObject
{
    Q_OBJECT

private:
    TestDatabase m_db;
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

    static bool hasBold(const QTextDocument& document)
    {
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                if (it.fragment().charFormat().fontWeight() >= QFont::DemiBold)
                    return true;
            }
        }
        return false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_db.runFile(TestPaths::sourceDir() + "/db/sample.sql"));
        m_connection.open(m_db.path());
    }

    void articlesLabelsAccountAndSwitch()
    {
        QVERIFY(column("SELECT * FROM QV ORDER BY id", "Id").size() >= 16);
        const QStringList used = column("SELECT * FROM QV", "CUName");
        const QStringList authors = column("SELECT * FROM QV", "techname");
        QVERIFY(QSet<QString>(used.cbegin(), used.cend()).size() >= 6);
        QVERIFY(QSet<QString>(authors.cbegin(), authors.cend()).size() >= 3);
        const QStringList categories =
            column("SELECT * FROM Categories ORDER BY Category", "category");
        for (const QString& category : used)
            QVERIFY2(categories.contains(category), qPrintable(category));
        QCOMPARE(column("SELECT * FROM Customize ORDER BY ID", "Labels"),
                 QStringList({"QV Number:", "Category:", "Entered By:", "Title:", "Problem:",
                              "Solution:"}));
        const QString admin = QStringLiteral("SELECT * FROM Login WHERE LoginName = 'admin'");
        QCOMPARE(column(admin, "Password") + column(admin, "Administrator") +
                     column(admin, "ReadOnly"),
                 QStringList({"", "-1", "0"}));
        QCOMPARE(column("Select * FROM tblEnablePasswords Order by id", "EnablePasswords"),
                 QStringList{"0"});
        QCOMPARE(column("SELECT * FROM CUINFO ORDER BY CUName", "CUName").size(), 1);
        QCOMPARE(column("select * from Categories2", "category").size(), 7);
    }

    // Each document is what the RTF writer writes for it, read back with the default font the
    // sample was written with: a writer that no longer reproduces a stored article, or an
    // article edited by hand, fails here. Its plain-text column is the text the user sees.
    void articlesAreWhatTheWriterWrites_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("plain");
        Recordset set;
        set.open(m_connection, QStringLiteral("SELECT * FROM QV ORDER BY id"));
        for (; !set.isEof(); set.moveNext()) {
            QCOMPARE(set.value(QStringLiteral("Image10")).toString(), QStringLiteral("N/A"));
            for (const QString field : {"Problem", "Solution"}) {
                QTest::addRow("%s %s", qPrintable(set.value(QStringLiteral("Id")).toString()),
                              qPrintable(field))
                    << set.value(field).toString() << set.value(field + "Text").toString();
            }
        }
    }
    void articlesAreWhatTheWriterWrites()
    {
        QFETCH(QString, rtf);
        QFETCH(QString, plain);
        QTextDocument document;
        document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
        RtfReader::read(rtf, document);
        QCOMPARE(RtfWriter::write(document), rtf);
        QCOMPARE(plain, document.toPlainText());
        QCOMPARE(plain, RtfReader::plainText(rtf));
        QVERIFY2(hasBold(document), qPrintable(plain));
    }
};

QTEST_MAIN(TestSampleDatabase)
#include "TestSampleDatabase.moc"
