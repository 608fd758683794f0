#include "ArticleFixture.h"
#include "SqlScript.h"
#include "TempProgramFolder.h"
#include "TestPaths.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/Store.h"
#include "history/ArticleHistory.h"
#include "history/HistoryLogin.h"
#include "history/HistoryPruner.h"
#include "history/HistorySchema.h"
#include "history/WordDiff.h"
#include "profile/Prefs.h"

#include <QFile>
#include <QTest>

// The kept versions on a database of three articles, written through article sets as the
// program writes them, and their comparison.
class TestArticleHistory : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    QString m_path;
    std::unique_ptr<Connection> m_db;

    // Every column of a row, by the row's key, as the file holds it.
    QList<QVariant> row(qint64 key, const QString& table = QStringLiteral("QV"))
    {
        QList<QVariant> values;
        m_db->store().select(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                 .arg(HistorySchema::articleColumns().join(QStringLiteral(", ")),
                                      table,
                                      table == QLatin1String("QV") ? "RecordID" : "HistoryID"),
                             {key}, [&values](QList<QVariant>&& row) { values = row; });
        return values;
    }
    // Sets fields of the article with this key and writes them.
    void save(qint64 key, const QList<std::pair<QString, QVariant>>& fields,
              Connection* db = nullptr)
    {
        Recordset article;
        article.open(db ? *db : *m_db, QStringLiteral("SELECT * FROM QV WHERE RecordID = ?"),
                     {key});
        for (const auto& [name, value] : fields)
            article.setValue(name, value);
        article.updateBatch();
    }
    int versionCount()
    {
        int count = 0;
        m_db->store().select(QStringLiteral("SELECT count(*) FROM QVHistory"), {},
                             [&count](QList<QVariant>&& row) { count = row.at(0).toInt(); });
        return count;
    }
    QString schemaWithoutHistory()
    {
        QFile schema(QStringLiteral(QV_SOURCE_DIR "/db/schema.sql"));
        schema.open(QIODevice::ReadOnly);
        const QString text = QString::fromUtf8(schema.readAll());
        return text.left(text.indexOf(QStringLiteral("-- history begins")));
    }
    QStringList historyObjects()
    {
        QStringList sql;
        m_db->store().select(QStringLiteral("SELECT sql FROM sqlite_master WHERE tbl_name = "
                                            "'QVHistory' OR name LIKE 'QV\\_Keep%' ESCAPE '\\' ORDER BY name"),
                             {}, [&sql](QList<QVariant>&& row) { sql << row.at(0).toString(); });
        return sql;
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        m_path = m_folder->createDatabase(ArticleFixture::sql(3));
        m_db = std::make_unique<Connection>();
        m_db->open(m_path);
    }
    void cleanup()
    {
        m_db.reset();
        m_folder.reset();
    }

    // A save that changes the article keeps the row as it was, once; one that changes
    // nothing keeps nothing.
    void eachChangingSaveKeepsOneVersion()
    {
        ArticleHistory history(*m_db);
        const QList<QVariant> original = row(1);
        save(1, {{QStringLiteral("Title"), QStringLiteral("Printer offline")}});
        save(1, {{QStringLiteral("Title"), QStringLiteral("Printer offline")}});
        save(1, {{QStringLiteral("Solution"), QStringLiteral("{\\rtf1 Reinstall.}")},
                 {QStringLiteral("SolutionText"), QStringLiteral("Reinstall.")},
                 {QStringLiteral("EditedBy"), QStringLiteral("Jones")}});

        const QList<KeptVersion> versions = history.versions(1);
        QCOMPARE(versions.size(), 2);
        QCOMPARE(versions.at(0).changedFields,
                 QStringList({QStringLiteral("EditedBy"), QStringLiteral("Solution")}));
        QCOMPARE(versions.at(0).changedBy, QStringLiteral("Jones"));
        QCOMPARE(versions.at(1).changedFields, QStringList{QStringLiteral("Title")});
        QCOMPARE(versions.at(1).changedBy, QStringLiteral("Smith"));
        QVERIFY(!versions.at(1).deleted);
        QVERIFY(qAbs(versions.at(1).changedAt.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        QCOMPARE(row(versions.at(1).historyId, QStringLiteral("QVHistory")), original);
        QCOMPARE(history.version(versions.at(1).historyId)->article.title,
                 QStringLiteral("Article 1"));
        QVERIFY(history.versions(2).isEmpty());
    }

    // A batch that fails part way leaves no version of the rows it wrote before failing.
    void failedSaveKeepsNone()
    {
        Recordset articles;
        articles.open(*m_db, QStringLiteral("SELECT * FROM QV ORDER BY RecordID"));
        // Both rows read before another program changes the second.
        articles.moveNext();
        articles.value(QStringLiteral("Title"));
        articles.moveFirst();
        articles.value(QStringLiteral("Title"));
        Connection other;
        other.open(m_path);
        save(2, {{QStringLiteral("Title"), QStringLiteral("Theirs")}}, &other);
        articles.setValue(QStringLiteral("Title"), QStringLiteral("Mine 1"));
        articles.moveNext();
        articles.setValue(QStringLiteral("Title"), QStringLiteral("Mine 2"));
        QVERIFY_THROWS_EXCEPTION(DbError, articles.updateBatch());
        QCOMPARE(versionCount(), 1);
        QVERIFY(ArticleHistory(*m_db).versions(1).isEmpty());
    }

    // A deleted article, pictures in its document and attachments included, comes back
    // whole as a new row, once, and its history goes on under the new row.
    void deletedArticleComesBackWhole()
    {
        const QString picture = QStringLiteral(
            "{\\rtf1\\ansi Before {\\pict\\pngblip\\picw1\\pich1 89504e470d0a1a0a} after\\par}");
        save(2, {{QStringLiteral("Problem"), picture},
                 {QStringLiteral("Image1"), QStringLiteral("/srv/kb/printer.png")},
                 {QStringLiteral("ProblemText"), QStringLiteral("Before after")}});
        const QList<QVariant> before = row(2);
        Recordset articles;
        articles.open(*m_db, QStringLiteral("SELECT * FROM QV WHERE RecordID = 2"));
        articles.deleteCurrent();
        articles.updateBatch();

        ArticleHistory history(*m_db);
        const QList<KeptVersion> deleted = history.deletedArticles();
        QCOMPARE(deleted.size(), 1);
        QCOMPARE(deleted.first().article.id, QStringLiteral("2"));
        QCOMPARE(deleted.first().article.title, QStringLiteral("Article 2"));
        QCOMPARE(deleted.first().changedBy, QStringLiteral("Smith"));

        const std::optional<qint64> key = history.undelete(deleted.first().historyId);
        QVERIFY(key && *key > 3);
        QCOMPARE(row(*key), before);
        QCOMPARE(row(*key).at(0).typeId(), QMetaType::LongLong);
        QVERIFY(history.deletedArticles().isEmpty());
        QCOMPARE(history.versions(*key).size(), 2);
        QVERIFY(history.versions(*key).first().deleted);
        QCOMPARE(history.undelete(deleted.first().historyId), std::nullopt);
    }

    // Pruning drops the versions before the cutoff, batch by batch; at start-up the pruner
    // runs on its own connection when the preferences ask for it.
    void pruning_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<int>("left");
        QTest::newRow("all, by default") << QString() << 3;
        QTest::newRow("all, unreadable") << QStringLiteral("some") << 3;
        QTest::newRow("last 30 days") << QStringLiteral("30") << 2;
    }
    void pruning()
    {
        QFETCH(QString, days);
        QFETCH(int, left);
        for (int i = 1; i <= 5; ++i)
            save(1, {{QStringLiteral("Title"), QStringLiteral("Title %1").arg(i)}});
        m_db->execute(QStringLiteral("UPDATE QVHistory SET ChangedAt = '2020-01-0' || HistoryID "
                                     "|| ' 10:00:00.000' WHERE HistoryID <= 3"));
        ArticleHistory history(*m_db);
        const QDateTime cutoff(QDate(2020, 1, 3), QTime(0, 0), Qt::UTC);
        QCOMPARE(history.pruneOlderThan(cutoff, 1), 1);
        QCOMPARE(history.pruneOlderThan(cutoff, 5), 1);
        WritePref(QStringLiteral("UserPrefs"), QStringLiteral("KeepVersionsDays"), days);
        QObject owner;
        if (HistoryPruner* pruner = HistoryPruner::startIfWanted(*m_db, &owner))
            pruner->wait();
        QCOMPARE(versionCount(), left);
    }

    // The start-up upgrade adds what the schema creates to a file without it; an article
    // table that lacks a copied column gets none, so that its saves go on working.
    void upgradeAddsTheHistory_data()
    {
        QTest::addColumn<bool>("wholeTable");
        QTest::newRow("documented table") << true;
        QTest::newRow("table without a copied column") << false;
    }
    void upgradeAddsTheHistory()
    {
        QFETCH(bool, wholeTable);
        const QStringList created = historyObjects();
        QCOMPARE(created.size(), 5);
        m_db.reset();
        QFile::remove(m_path);
        QString schema = schemaWithoutHistory();
        if (!wholeTable) {
            schema.replace(QStringLiteral("ProblemText MEMO,"), QString());
            // The search index reads that column too: the file is made without it.
            const qsizetype index = schema.indexOf(QStringLiteral("CREATE VIRTUAL TABLE QV_Search"));
            schema.remove(index, schema.indexOf(QStringLiteral("-- Category names.")) - index);
        }
        QVERIFY(SqlScript::run(m_path, schema + ArticleFixture::sql(1)));
        m_db = std::make_unique<Connection>();
        m_db->open(m_path);

        HistorySchema::addIfMissing(*m_db);
        QCOMPARE(HistorySchema::isKept(*m_db), wholeTable);
        QCOMPARE(historyObjects(), wholeTable ? created : QStringList());
        save(1, {{QStringLiteral("Title"), QStringLiteral("Changed")}});
        if (wholeTable)
            QCOMPARE(ArticleHistory(*m_db).versions(1).size(), 1);
    }

    // A signed connection's versions carry the login name; another program's carry its
    // Edited By.
    void loginNameSignsThisConnectionOnly()
    {
        HistoryLogin::sign(*m_db, QStringLiteral("o'brien"));
        HistoryLogin::sign(*m_db, QStringLiteral("d'arcy"));
        save(1, {{QStringLiteral("Title"), QStringLiteral("Mine")}});
        Connection other;
        other.open(m_path);
        save(2, {{QStringLiteral("Title"), QStringLiteral("Theirs")}}, &other);
        ArticleHistory history(*m_db);
        QCOMPARE(history.versions(1).first().changedBy, QStringLiteral("d'arcy"));
        QCOMPARE(history.versions(2).first().changedBy, QStringLiteral("Smith"));
    }

    // How two versions of a text compare, word by word.
    void markup_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("expected");
        QTest::newRow("same") << "Restart the spooler."
                              << "Restart the spooler."
                              << "Restart the spooler.";
        QTest::newRow("spacing only") << "Restart  the\nspooler."
                                      << "Restart the spooler."
                                      << "Restart the spooler.";
        QTest::newRow("word replaced") << "Restart the spooler."
                                       << "Restart the router."
                                       << "Restart the [-spooler.-]{+router.+}";
        QTest::newRow("words added") << "Open the port."
                                     << "Open the firewall port. Now."
                                     << "Open the {+firewall+} port. {+Now.+}";
        QTest::newRow("words removed") << "Reboot the old print server."
                                       << "Reboot the server."
                                       << "Reboot the [-old print-] server.";
        QTest::newRow("from nothing") << ""
                                      << "New text"
                                      << "{+New text+}";
        QTest::newRow("to nothing") << "Old text"
                                    << ""
                                    << "[-Old text-]";
    }
    void markup()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, expected);
        QCOMPARE(WordDiff::markup(before, after).trimmed(), expected);
    }

    // Past the bound of changes the texts are shown as wholly replaced, not worked out.
    void manyChangesReplaceTheWhole()
    {
        QStringList before;
        QStringList after;
        for (int i = 0; i < WordDiff::kMaxChanges; ++i) {
            before << QStringLiteral("a%1").arg(i);
            after << QStringLiteral("b%1").arg(i);
        }
        const QString markup = WordDiff::markup(before.join(' '), after.join(' '));
        QVERIFY(markup.startsWith(QStringLiteral("[-a0 a1")));
        QVERIFY(markup.contains(QStringLiteral("-]{+b0 b1")));
    }
};

QTEST_GUILESS_MAIN(TestArticleHistory)
#include "TestArticleHistory.moc"
