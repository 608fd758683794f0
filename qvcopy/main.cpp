// qvcopy [--replace] SOURCE TARGET
//
// Copies a whole knowledge base, each of SOURCE and TARGET being an SQLite file or a
// postgresql://user@host:port/database address (the password comes from ~/.pgpass or
// PGPASSWORD). A target file that does not exist is made from the program's layout; a server
// database without the knowledge base's tables gets them. A target that holds rows is
// replaced only with --replace. Exit status: 0 copied, 1 the copy failed (the target's rows
// are as they were), 2 wrong arguments.
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/KnowledgeBaseCopy.h"
#include "db/KnowledgeBaseSchema.h"
#include "db/ServerAddress.h"
#include "db/Store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;
// Progress is shown at most this often, so that a small copy shows none.
constexpr qint64 kProgressEveryMs = 2000;

void say(const QString& text)
{
    std::fprintf(stderr, "qvcopy: %s\n", text.toLocal8Bit().constData());
}

// Refuses an address that is not sound; a file path passes as it is.
bool isUsable(const QString& name)
{
    const QString problem =
        Connection::isServerAddress(name) ? ServerAddress::problem(name) : QString();
    if (!problem.isEmpty())
        say(problem);
    return problem.isEmpty();
}

void copy(const QString& sourceName, const QString& targetName,
          KnowledgeBaseCopy::Existing existing)
{
    QElapsedTimer shown;
    shown.start();
    const KnowledgeBaseCopy::Progress progress = [&shown](qint64 done, qint64 total) {
        if (shown.elapsed() < kProgressEveryMs)
            return;
        shown.restart();
        say(QStringLiteral("%1 of %2 rows copied (%3%)")
                .arg(done)
                .arg(total)
                .arg(total > 0 ? done * 100 / total : 100));
    };
    Connection source;
    source.open(sourceName);
    if (!Connection::isServerAddress(targetName) && !QFileInfo::exists(targetName)) {
        KnowledgeBaseCopy::toSqliteFile(source, targetName, progress);
        return;
    }
    Connection target;
    target.open(targetName);
    // A file that exists must already be a knowledge base: nothing is added to another
    // program's database.
    if (Connection::isServerAddress(targetName) && !KnowledgeBaseSchema::exists(target.store())) {
        Store& store = target.store();
        store.beginWrite();
        try {
            KnowledgeBaseSchema::create(store);
            store.commit();
        } catch (const DbError&) {
            store.rollback();
            throw;
        }
        say(QStringLiteral("the knowledge base's tables were created in %1").arg(targetName));
    }
    KnowledgeBaseCopy knowledgeBase(source, target);
    knowledgeBase.setProgress(progress);
    knowledgeBase.run(existing);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool replace = arguments.removeAll(QStringLiteral("--replace")) > 0;
    if (arguments.size() != 2 || arguments.first().startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr,
                     "usage: qvcopy [--replace] SOURCE TARGET\n"
                     "Copies a whole Quorvel knowledge base. SOURCE and TARGET are each an SQLite\n"
                     "file or a postgresql://user@host:port/database address; the password comes\n"
                     "from ~/.pgpass or PGPASSWORD. A missing target file is created; a target\n"
                     "that already holds a knowledge base is replaced only with --replace.\n");
        return kUsage;
    }
    const QString& sourceName = arguments.at(0);
    const QString& targetName = arguments.at(1);
    if (!isUsable(sourceName) || !isUsable(targetName))
        return kUsage;
    if (sourceName == targetName ||
        (QFileInfo::exists(targetName) &&
         QFileInfo(sourceName).canonicalFilePath() == QFileInfo(targetName).canonicalFilePath())) {
        say(QStringLiteral("the source and the target are the same database"));
        return kUsage;
    }
    try {
        copy(sourceName, targetName,
             replace ? KnowledgeBaseCopy::Existing::Replace : KnowledgeBaseCopy::Existing::Refuse);
    } catch (const DbError& error) {
        say(QStringLiteral("%1 was not copied to %2: %3")
                .arg(sourceName, targetName, error.description()));
        return kFailed;
    }
    say(QStringLiteral("%1 copied to %2").arg(sourceName, targetName));
    return 0;
}
