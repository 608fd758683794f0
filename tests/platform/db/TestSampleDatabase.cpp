#include "SqliteFile.h"
#include "TestPaths.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

// The sample knowledge base that ./run creates, read through the database layer and the
// rich-text reader and writer.
class TestSampleDatabase : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Connection m_connection;

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
        QVERIFY(column("SELECT * FROM QV ORDER BY id", "Id").size() >= 16);
        const QStringList used = column("SELECT * FROM QV", "CUName");
        const QStringList authors = column("SELECT * FROM QV", "techname");
        QVERIFY(QSet<QString>(used.cbegin(), used.cend()).size() >= 6);
        QVERIFY(QSet<QString>(authors.cbegin(), authors.cend()).size() >= 3);
        const QStringList categories = column("SELECT * FROM Categories ORDER BY Category", "category");
        for (const QString& category : used)
            QVERIFY2(categories.contains(category), qPrintable(category));
    }

    // Each document is what the RTF writer writes for it, read back into a document whose
    // default font is the one the sample was written with: a writer that no longer reproduces
    // a stored article, or an article edited by hand, fails here. Its plain-text column is the
    // text the user sees, so that a search matches exactly that.
    void articlesAreWhatTheWriterWrites_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("plain");
        Recordset set;
        set.open(m_connection, QStringLiteral("SELECT * FROM QV ORDER BY id"));
        for (; !set.isEof(); set.moveNext()) {
            QCOMPARE(set.value(QStringLiteral("Image10")).toString(), QStringLiteral("N/A"));
            for (const QString& field : {QStringLiteral("Problem"), QStringLiteral("Solution")}) {
                const QString row = set.value(QStringLiteral("Id")).toString() +
                                    QLatin1Char(' ') + field;
                QTest::newRow(qPrintable(row))
                    << set.value(field).toString()
                    << set.value(field + QStringLiteral("Text")).toString();
            }
        }
    }

    void articlesAreWhatTheWriterWrites()
    {
        QFETCH(QString, rtf);
        QFETCH(QString, plain);
        QVERIFY(RtfReader::isRtf(rtf));
        QTextDocument document;
        document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
        RtfReader::read(rtf, document);
        QCOMPARE(RtfWriter::write(document), rtf);
        QCOMPARE(plain, document.toPlainText());
        QCOMPARE(plain, RtfReader::plainText(rtf));
        QVERIFY(!plain.isEmpty());
        QVERIFY2(hasBold(document), qPrintable(plain));
    }

    // Between them the articles use what the editor's toolbar offers.
    void articlesUseTheEditorsFormats()
    {
        bool bullet = false, centred = false, italic = false, colour = false, lineBreak = false;
        for (const QString& rtf : column("SELECT * FROM QV", "Problem") +
                                      column("SELECT * FROM QV", "Solution")) {
            QTextDocument document;
            RtfReader::read(rtf, document);
            for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
                bullet = bullet || block.textList();
                centred = centred || block.blockFormat().alignment() == Qt::AlignHCenter;
                lineBreak = lineBreak || block.text().contains(QChar::LineSeparator);
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    italic = italic || it.fragment().charFormat().fontItalic();
                    colour = colour || it.fragment().charFormat().hasProperty(
                                           QTextFormat::ForegroundBrush);
                }
            }
        }
        QVERIFY(bullet);
        QVERIFY(centred);
        QVERIFY(italic);
        QVERIFY(colour);
        QVERIFY(lineBreak);
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

QTEST_MAIN(TestSampleDatabase)
#include "TestSampleDatabase.moc"
