#include "SqlScript.h"
#include "TestDatabase.h"
#include "TestPaths.h"
#include "db/Connection.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

// qvcopy moves the sample knowledge base, with an article of every awkward kind and its
// kept versions, into another file or a server database and back without changing a byte.
class TestQvcopy : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_source;
    std::optional<TestDatabase> m_server; // an empty database, when a server is under test

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Runs the program; its exit status, what it wrote to stderr in *messages.
    static int qvcopy(const QStringList& arguments, QString* messages = nullptr)
    {
        QProcess program;
        program.start(QStringLiteral(QVCOPY_PROGRAM), arguments);
        program.waitForFinished(120000);
        if (messages)
            *messages = QString::fromLocal8Bit(program.readAllStandardError());
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    // Every table of the layout, rows with their row addresses and value types, and the
    // counters of the keys, as the sqlite3 tool writes them.
    static QString dump(const QString& file)
    {
        QProcess tool;
        tool.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), file});
        tool.write(".dump --preserve-rowids QV Categories Users Customize Login "
                   "tblEnablePasswords CUINFO QVHistory\n"
                   "SELECT name, seq FROM sqlite_sequence ORDER BY name;\n"
                   "INSERT INTO QV_Search(QV_Search) VALUES ('integrity-check');\n");
        tool.closeWriteChannel();
        tool.waitForFinished(60000);
        return QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_source = path(QStringLiteral("source.db"));
        const QString root = TestPaths::sourceDir() + QStringLiteral("/db/");
        QVERIFY(SqlScript::run(m_source, SqlScript::dataFile(root + "schema.sql") +
                                             SqlScript::dataFile(root + "sample.sql")));
        // A document of a megabyte with characters of every width, line ends and quotes.
        QString rtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n");
        while (rtf.size() < 1024 * 1024)
            rtf += QStringLiteral("Caf\\'e9 \u00e9t\u00e9 \u65e5\u672c \U0001F600 \\u8364? 'q' "
                                  "\"d\"\t\\par\r\n");
        rtf += QLatin1Char('}');
        rtf.replace(QLatin1Char('\''), QStringLiteral("''"));
        QVERIFY(SqlScript::run(
            m_source,
            QStringLiteral(
                "INSERT INTO QV (Id, CUName, techname, Title, reference, Image1, Problem, "
                "Solution, ProblemText) VALUES ('007', 'Zo\u00eb', NULL, '\u00dcberlauf \u2013 "
                "\u00f1 \u65e5\u672c\u8a9e  ', '', NULL, '%1', '{\\rtf1 x}', 'plain\r\n');"
                // More articles than one batch reads.
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                "INSERT INTO QV (Id, Title) SELECT 1000 + i, 'generated ' || i FROM n;"
                "INSERT INTO QV (Id, Title) VALUES (12, 'twelve'), ('abc', 'letters');"
                "UPDATE QV SET Title = 'twelve (edited)' WHERE Id = 12;"
                "UPDATE tblEnablePasswords SET EnablePasswords = -1;"
                // The newest article deleted: its key is kept only by the counter.
                "DELETE FROM QV WHERE Id = 'abc';")
                .arg(rtf)));
        if (TestDatabase::onServer())
            m_server.emplace(TestDatabase::Layout::Empty);
    }

    // Into an empty copy (a file, or the server under test), refused a second time, taken
    // with --replace, and back into a new file: the same rows, bytes, types, keys and counters
    // as the source.
    void roundTrip()
    {
        const bool server = m_server.has_value();
        const QString middle = server ? m_server->path() : path(QStringLiteral("middle.db"));
        const QString back = path(QStringLiteral("back.db"));
        QString messages;
        QCOMPARE(qvcopy({m_source, middle}, &messages), 0);
        QCOMPARE(qvcopy({m_source, middle}, &messages), 1);
        QCOMPARE(messages, QStringLiteral("qvcopy: %1 was not copied to %2: The target already "
                                          "holds a knowledge base (table %3 has 322 rows). "
                                          "Nothing was copied.\n")
                               .arg(m_source, middle, server ? "qv" : "QV"));
        QCOMPARE(qvcopy({QStringLiteral("--replace"), m_source, middle}), 0);
        QCOMPARE(qvcopy({middle, back}, &messages), 0);
        const QString original = dump(m_source);
        QVERIFY(original.contains("\u00dcberlauf"));
        QCOMPARE(dump(back), original);
        if (!server)
            return;
        // The daily backup of a server database is such a file too.
        Connection team;
        team.open(middle);
        team.backup(back);
        QCOMPARE(dump(back), original);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("no target") << QStringList{QStringLiteral("a.db")} << 2
                                   << "usage: qvcopy [--replace] SOURCE TARGET";
        QTest::newRow("same file")
            << QStringList{QStringLiteral("a.db"), QStringLiteral("a.db")} << 2
            << "qvcopy: the source and the target are the same database";
        QTest::newRow("password") << QStringList{QStringLiteral("a.db"),
                                                 QStringLiteral("postgresql://u:pw@host/kb")}
                                  << 2 << "qvcopy: The address holds a password.";
        const QString foreign = path(QStringLiteral("foreign.db"));
        QVERIFY(SqlScript::run(foreign, QStringLiteral("CREATE TABLE t (x)")));
        QTest::newRow("another program's database")
            << QStringList{m_source, foreign} << 1
            << "qvcopy: " + m_source + " was not copied to " + foreign +
                   ": The target has no table QV.";
        QTest::newRow("no source")
            << QStringList{QStringLiteral("missing.db"), QStringLiteral("b.db")} << 1
            << "qvcopy: missing.db was not copied to b.db: Could not find file 'missing.db'.";
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        QString messages;
        QCOMPARE(qvcopy(arguments, &messages), status);
        QVERIFY2(messages.startsWith(message), qPrintable(messages));
        QVERIFY(!QFile::exists(QStringLiteral("b.db")));
    }
};

QTEST_GUILESS_MAIN(TestQvcopy)
#include "TestQvcopy.moc"
