#include "SaveTrials.h"

#include "Trial.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

#include <memory>
#include <vector>

namespace SaveTrials {

namespace {
constexpr int kSavers = 3;
const QString kOwnRow = QStringLiteral("SELECT * FROM QV WHERE RecordID = ?");
const QString kArticles = QStringLiteral("SELECT * FROM QV ORDER BY id");

// About 4 KB of RTF that differs with every save, so that a save writes several pages.
QString document(int save)
{
    QString text = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs20 ");
    for (int i = 0; i < 60; ++i)
        text += QStringLiteral("Save %1, line %2 of the trial document.\\par\n").arg(save).arg(i);
    return text + QLatin1Char('}');
}

QString addedTitle(int recordId, int save)
{
    return QStringLiteral("row %1 save %2").arg(recordId).arg(save);
}

// What Refresh does after a failed save: the set read again from the file, as often as it
// takes. Returns the number of failed readings.
int reopen(Recordset& set, Connection& connection, const QString& sql,
           const QVariantList& parameters = {})
{
    for (int failures = 0;; ++failures) {
        try {
            set.open(connection, sql, parameters);
            return failures;
        } catch (const DbError&) {
        }
    }
}

// A saver's own article, read again; a failed reading is a failure it says.
void reopenOwnRow(Recordset& set, Connection& connection, int recordId)
{
    for (int failed = reopen(set, connection, kOwnRow, {recordId}); failed > 0; --failed)
        Trial::say("error reading the article again");
}

// The saves a saver's row holds: its own title is "saver N" after its Nth save.
int storedSave(Recordset& set)
{
    const QString title = set.value(QStringLiteral("Title")).toString();
    return title.startsWith(QLatin1String("saver ")) ? title.mid(6).toInt() : 0;
}
} // namespace

int runSaver(const QString& path, int recordId)
{
    Connection connection;
    connection.open(path);
    Recordset set;
    reopenOwnRow(set, connection, recordId);
    for (int save = storedSave(set) + 1;;) {
        try {
            // The added rows stay in the set: a fresh set now and then keeps it small.
            if (save % 100 == 0)
                reopenOwnRow(set, connection, recordId);
            set.moveFirst();
            set.setValue(QStringLiteral("Title"), QStringLiteral("saver %1").arg(save));
            set.setValue(QStringLiteral("Problem"), document(save));
            set.addNew();
            set.setValue(QStringLiteral("Title"), addedTitle(recordId, save));
            set.setValue(QStringLiteral("Solution"), document(save));
            set.updateBatch();
            Trial::say(QByteArray::number(save));
            ++save;
        } catch (const DbError& error) {
            Trial::say("error " + error.description().toUtf8());
            reopenOwnRow(set, connection, recordId);
        }
    }
}

int killDuringSaves(int saves)
{
    QTemporaryDir folder;
    const QString path = Trial::createKnowledgeBase(folder, QStringLiteral("delete"));
    if (path.isEmpty())
        return 1;
    Trial::out() << "Kill -9 during saves: " << kSavers << " savers on " << path << Qt::endl;

    std::vector<std::unique_ptr<QProcess>> savers;
    std::vector<QSet<int>> reported(kSavers);
    int errors = 0;
    const auto collect = [&](int saver) {
        for (const QByteArray& line : Trial::lines(*savers[saver])) {
            if (line.startsWith("error"))
                ++errors;
            else if (!line.isEmpty())
                reported[saver].insert(line.toInt());
        }
    };
    const auto start = [&](int saver) {
        savers[saver] = std::make_unique<QProcess>();
        Trial::startChild(*savers[saver],
                          {QStringLiteral("--saver"), path, QString::number(saver + 1)});
        savers[saver]->waitForStarted();
    };
    for (int saver = 0; saver < kSavers; ++saver) {
        savers.emplace_back();
        start(saver);
    }
    const auto total = [&] {
        int sum = 0;
        for (const QSet<int>& done : reported)
            sum += int(done.size());
        return sum;
    };
    int kills = 0;
    QRandomGenerator random(20240607);
    while (total() < saves) {
        QThread::msleep(random.bounded(20, 250));
        const int victim = int(random.bounded(kSavers));
        savers[victim]->kill();
        savers[victim]->waitForFinished(-1);
        ++kills;
        for (int saver = 0; saver < kSavers; ++saver)
            collect(saver);
        start(victim);
    }
    for (int saver = 0; saver < kSavers; ++saver) {
        savers[saver]->kill();
        savers[saver]->waitForFinished(-1);
        collect(saver);
    }

    const QString integrity = Trial::query(path, QStringLiteral("PRAGMA integrity_check;"));
    int lost = 0;
    int torn = 0;
    for (int saver = 0; saver < kSavers; ++saver) {
        const int recordId = saver + 1;
        QSet<int> stored;
        const QString added = Trial::query(
            path, QStringLiteral("SELECT substr(Title, %1) FROM QV WHERE Title LIKE '%2';")
                      .arg(addedTitle(recordId, 0).size())
                      .arg(QStringLiteral("row %1 save %").arg(recordId)));
        for (const QString& line : added.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            stored.insert(line.toInt());
        for (int save : reported[saver])
            lost += stored.contains(save) ? 0 : 1;
        // Each batch wrote the row's title and one added row together, or nothing.
        const int last = Trial::query(path, QStringLiteral("SELECT substr(Title, 7) FROM QV "
                                                           "WHERE RecordID = %1;")
                                                .arg(recordId))
                             .toInt();
        for (int save = 1; save <= last; ++save)
            torn += stored.contains(save) ? 0 : 1;
        torn += int(stored.size()) - last;
    }
    Trial::out() << "saves reported done: " << total() << ", kills: " << kills
                 << ", failed saves reported as failed: " << errors << Qt::endl
                 << "integrity check: " << integrity << Qt::endl
                 << "reported saves lost: " << lost << ", saves written in part: " << torn
                 << Qt::endl;
    return lost == 0 && torn == 0 && integrity == QLatin1String("ok") ? 0 : 1;
}

int runCounter(const QString& path, int saves, int pauseMs)
{
    Connection connection;
    connection.open(path);
    Recordset set;
    int saved = 0;
    int conflicts = 0;
    int errors = reopen(set, connection, kArticles);
    while (saved < saves) {
        try {
            set.moveFirst();
            const int count = set.value(QStringLiteral("reference")).toInt();
            set.setValue(QStringLiteral("reference"), QString::number(count + 1));
            set.updateBatch();
            ++saved;
            QThread::msleep(ulong(pauseMs));
        } catch (const DbError& error) {
            if (error.number() == DbError::RowChanged)
                ++conflicts;
            else
                ++errors;
            errors += reopen(set, connection, kArticles);
        }
    }
    Trial::say(QStringLiteral("%1 %2 %3").arg(saved).arg(conflicts).arg(errors).toLatin1());
    return 0;
}

int twoProgramsSaveOneArticle(int savesEach)
{
    QTemporaryDir folder;
    const QString path = Trial::createKnowledgeBase(folder, QStringLiteral("delete"));
    if (path.isEmpty())
        return 1;
    Trial::query(path, QStringLiteral("UPDATE QV SET reference = '0' WHERE Id = 1;"));
    Trial::out() << "Two programs saving the same article, " << savesEach << " saves each, on "
                 << path << Qt::endl;
    QProcess programs[2];
    for (QProcess& program : programs)
        Trial::startChild(program, {QStringLiteral("--counter"), path, QString::number(savesEach),
                                    QStringLiteral("0")});
    int saved = 0;
    int conflicts = 0;
    int errors = 0;
    for (QProcess& program : programs) {
        program.waitForFinished(-1);
        const QList<QByteArray> said = Trial::lines(program);
        const QList<QByteArray> figures = said.value(0).split(' ');
        if (figures.size() != 3) {
            Trial::out() << "a program ended without its figures" << Qt::endl;
            return 1;
        }
        saved += figures[0].toInt();
        conflicts += figures[1].toInt();
        errors += figures[2].toInt();
    }
    const int stored =
        Trial::query(path, QStringLiteral("SELECT reference FROM QV WHERE Id = 1;")).toInt();
    Trial::out() << "successful saves: " << saved
                 << ", refused as changed by the other: " << conflicts
                 << ", other failures: " << errors << Qt::endl
                 << "count in the file: " << stored << ", saves lost: " << saved - stored
                 << Qt::endl;
    return saved == stored ? 0 : 1;
}

} // namespace SaveTrials
