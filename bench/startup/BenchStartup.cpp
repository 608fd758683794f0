// Times Quorvel's start-up on generated knowledge bases: from starting a child process (fork)
// to the first article shown, i.e. Main() returned with the main window visible and the
// event queue drained once, with the file cache warm and with the database's pages dropped
// from it; the resident memory then and after 10,000 Nexts; and one Next with its display.
// The reference is the same child showing an empty QMainWindow, Qt's own share of a start-up,
// and the sqlite3 tool running the SQL of start-up's article set. Usage: BenchStartup
// [--clean] [articles ...] (10,000, 100,000 and 1,000,000 when none are given; files under
// /tmp made with the database benchmark's generator when missing, deleted afterwards with
// --clean). The tables start-up reads besides the articles are filled from settings.sql when
// empty.

#include "common/GeneratedDatabase.h"
#include "common/ProcessStatus.h"
#include "db/DbError.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "startup/AppInfo.h"
#include "startup/Main.h"
#include "startup/QuorvelApplication.h"
#include "startup/Session.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr int kStarts = 3;
constexpr int kNexts = 10000;
const char kChildArgument[] = "--child";
const char kReferenceArgument[] = "--reference";
// The moment the parent started the child, on the monotonic clock that both share.
const char kStartVariable[] = "QV_BENCH_START_NS";
// How many Nexts the child makes after start-up.
const char kNextsVariable[] = "QV_BENCH_NEXTS";

QTextStream out(stdout);

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The child's lines go out at once: the parent stops its clock on the marker line.
void say(const QByteArray& line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Milliseconds since the parent started this process.
double sinceStart(qint64 startNs)
{
    return (nowNs() - startNs) / 1e6;
}

int runChild(int argc, char* argv[], bool reference)
{
    const qint64 startNs = qEnvironmentVariable(kStartVariable).toLongLong();
    const double atMain = sinceStart(startNs);
    QuorvelApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::kTitle);
    QApplication::setApplicationVersion(AppInfo::version());
    const double atApplication = sinceStart(startNs);

    std::unique_ptr<QMainWindow> empty;
    Program program;
    if (reference) {
        empty = std::make_unique<QMainWindow>();
        empty->resize(1000, 760);
        empty->show();
    } else {
        try {
            program = Main();
        } catch (const DbError& error) {
            say("error " + QByteArray::number(error.number()) + ": " +
                error.description().toLocal8Bit());
            return 1;
        }
        if (!program.mainWindow || !program.mainWindow->isVisible()) {
            say("error: no main window shown");
            return 1;
        }
    }
    const double atShown = sinceStart(startNs);
    QCoreApplication::processEvents();
    const double atDrained = sinceStart(startNs);
    say("shown");
    say("phases " + QByteArray::number(atMain) + ' ' + QByteArray::number(atApplication) + ' ' +
        QByteArray::number(atShown) + ' ' + QByteArray::number(atDrained));
    say("memory " + QByteArray::number(qlonglong(processStatusKb("VmRSS:"))) + ' ' +
        QByteArray::number(qlonglong(processStatusKb("VmHWM:"))));
    if (reference)
        return 0;

    QAction* next = program.mainWindow->findChild<QAction*>(QStringLiteral("mnuNext"));
    if (!next) {
        say("error: no action mnuNext");
        return 1;
    }
    QByteArray nexts = "nexts";
    const int count = qEnvironmentVariableIntValue(kNextsVariable);
    if (count == 0)
        return 0;
    for (int i = 0; i < count; ++i) {
        const qint64 before = nowNs();
        next->trigger();
        QCoreApplication::processEvents();
        nexts += ' ' + QByteArray::number((nowNs() - before) / 1e6);
    }
    say(nexts);
    say("after " + QByteArray::number(qlonglong(processStatusKb("VmRSS:"))));
    say("position " + QByteArray::number(program.session->rsArticles().absolutePosition()));
    return 0;
}

struct Start
{
    double shownMs = 0;         // fork to the marker line, seen by the parent
    std::vector<double> phases; // main(), QApplication, shown, drained
    long rssKb = 0;
    long hwmKb = 0;
    long afterNextsKb = 0;
    std::vector<double> nextMs;
    QString error;
};

std::vector<double> numbers(const QByteArray& line)
{
    std::vector<double> values;
    const QList<QByteArray> words = line.split(' ');
    for (int i = 1; i < words.size(); ++i)
        values.push_back(words.at(i).toDouble());
    return values;
}

Start startChild(const QProcessEnvironment& environment, const char* argument)
{
    Start start;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment withStart = environment;
    const qint64 startNs = nowNs();
    withStart.insert(QLatin1String(kStartVariable), QString::number(startNs));
    child.setProcessEnvironment(withStart);
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(argument)});
    QByteArray line;
    while (child.waitForReadyRead(-1) || child.canReadLine()) {
        if (!child.canReadLine())
            continue;
        line = child.readLine().trimmed();
        if (line == "shown") {
            start.shownMs = (nowNs() - startNs) / 1e6;
            break;
        }
        start.error = QString::fromLocal8Bit(line);
        break;
    }
    child.waitForFinished(-1);
    while (child.canReadLine()) {
        line = child.readLine().trimmed();
        if (line.startsWith("phases "))
            start.phases = numbers(line);
        else if (line.startsWith("memory ")) {
            const std::vector<double> memory = numbers(line);
            start.rssKb = long(memory.at(0));
            start.hwmKb = long(memory.at(1));
        } else if (line.startsWith("nexts "))
            start.nextMs = numbers(line);
        else if (line.startsWith("after "))
            start.afterNextsKb = long(numbers(line).at(0));
        else if (!line.startsWith("position "))
            start.error = QString::fromLocal8Bit(line);
    }
    if (start.error.isEmpty() && start.shownMs == 0)
        start.error = QStringLiteral("the child ended without showing its window");
    return start;
}

// Several starts after one warm-up; the one with the median start-up time is returned. A
// cold start first drops the file's pages from the page cache.
Start medianStart(const QProcessEnvironment& environment, const char* argument,
                  const QString& dropFile = QString())
{
    startChild(environment, argument);
    std::vector<Start> starts;
    for (int i = 0; i < kStarts; ++i) {
        if (!dropFile.isEmpty() && !GeneratedDatabase::dropFileCache(dropFile))
            out << "  (the file cache could not be dropped)" << Qt::endl;
        starts.push_back(startChild(environment, argument));
        if (!starts.back().error.isEmpty())
            return starts.back();
    }
    std::sort(starts.begin(), starts.end(),
              [](const Start& a, const Start& b) { return a.shownMs < b.shownMs; });
    out << "  starts (ms):";
    for (const Start& start : starts)
        out << ' ' << QString::number(start.shownMs, 'f', 1);
    out << Qt::endl;
    return starts.at(starts.size() / 2);
}

void reportPhases(const Start& start)
{
    out << QString::asprintf("  exec and libraries to main() %7.1f ms\n"
                             "  QApplication constructed     %7.1f ms\n"
                             "  window shown                 %7.1f ms\n"
                             "  event queue drained once     %7.1f ms\n"
                             "  marker line read by parent   %7.1f ms\n",
                             start.phases.at(0), start.phases.at(1), start.phases.at(2),
                             start.phases.at(3), start.shownMs)
        << QString::asprintf("  resident then: VmRSS %ld MB, VmHWM %ld MB", start.rssKb / 1024,
                             start.hwmKb / 1024)
        << Qt::endl;
}

Start referenceStart(const QProcessEnvironment& environment)
{
    out << "Reference: an empty QMainWindow shown (median of " << kStarts << " starts)" << Qt::endl;
    const Start reference = medianStart(environment, kReferenceArgument);
    if (reference.error.isEmpty())
        reportPhases(reference);
    return reference;
}

int runParent(int articles, const QString& path)
{
    if (!GeneratedDatabase::make(articles, out))
        return 1;
    QFile settings(QStringLiteral(QV_BENCH_SETTINGS));
    if (!settings.open(QIODevice::ReadOnly) ||
        !GeneratedDatabase::runTool(path, settings.readAll())) {
        out << "cannot fill the tables start-up reads" << Qt::endl;
        return 1;
    }
    QTemporaryDir programFolder;
    if (!programFolder.isValid() || !QDir(programFolder.path()).mkdir(QStringLiteral("ini")) ||
        !WritePref(QStringLiteral("General"), QStringLiteral("Path"),
                   QFileInfo(path).absoluteFilePath(),
                   programFolder.filePath(QStringLiteral("ini/qvprefs.ini")))) {
        out << "cannot write the preferences file" << Qt::endl;
        return 1;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUORVEL_PROGRAM_DIR"), programFolder.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const Start reference = referenceStart(environment);
    if (!reference.error.isEmpty()) {
        out << reference.error << Qt::endl;
        return 1;
    }

    out << Qt::endl
        << "== Quorvel on " << articles << " articles, warm (median of " << kStarts << " starts)"
        << Qt::endl;
    const Start warm = medianStart(environment, kChildArgument);
    if (!warm.error.isEmpty()) {
        out << warm.error << Qt::endl;
        return 1;
    }
    reportPhases(warm);
    out << "Cold: the database file's pages dropped from the cache before each start" << Qt::endl;
    const Start cold = medianStart(environment, kChildArgument, path);
    if (!cold.error.isEmpty()) {
        out << cold.error << Qt::endl;
        return 1;
    }
    reportPhases(cold);
    out << "One more start, then " << kNexts << " Nexts with their display" << Qt::endl;
    environment.insert(QLatin1String(kNextsVariable), QString::number(kNexts));
    const Start browsing = startChild(environment, kChildArgument);
    if (!browsing.error.isEmpty() || browsing.nextMs.empty()) {
        out << browsing.error << Qt::endl;
        return 1;
    }

    // The tool runs the SQL of start-up's article set: the keys in order, the first row.
    const double tool = GeneratedDatabase::toolMs(
        path, QStringLiteral("SELECT RecordID FROM QV ORDER BY Id COLLATE NOCASE; SELECT * FROM "
                             "QV WHERE RecordID = (SELECT RecordID FROM QV ORDER BY Id COLLATE "
                             "NOCASE LIMIT 1);"));
    GeneratedDatabase::dropFileCache(path);
    const double toolCold = GeneratedDatabase::toolMs(
        path, QStringLiteral("SELECT RecordID FROM QV ORDER BY Id COLLATE NOCASE; SELECT * FROM "
                             "QV WHERE RecordID = (SELECT RecordID FROM QV ORDER BY Id COLLATE "
                             "NOCASE LIMIT 1);"));
    std::vector<double> sorted = browsing.nextMs;
    std::sort(sorted.begin(), sorted.end());
    out << Qt::endl
        << QString::asprintf("%d articles: first article shown %.0f ms warm (goal < 500 ms), "
                             "%.0f ms cold (goal < 1500 ms); reference %.0f ms; the sqlite3 "
                             "tool's SQL %.1f ms warm, %.1f ms cold\n",
                             articles, warm.shownMs, cold.shownMs, reference.shownMs, tool,
                             toolCold)
        << QString::asprintf("Resident after start-up %ld MB, after %d Nexts %ld MB (goal < 100 "
                             "MB); peak %ld MB\n",
                             warm.rssKb / 1024, kNexts, browsing.afterNextsKb / 1024,
                             warm.hwmKb / 1024)
        << QString::asprintf("Next with its display, median of %zu: %.2f ms (goal < 5 ms); "
                             "fastest %.2f ms, 90th percentile %.2f ms",
                             sorted.size(), median(sorted), sorted.front(),
                             sorted.at(sorted.size() * 9 / 10))
        << Qt::endl;
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 &&
        (qstrcmp(argv[1], kChildArgument) == 0 || qstrcmp(argv[1], kReferenceArgument) == 0))
        return runChild(argc, argv, qstrcmp(argv[1], kReferenceArgument) == 0);
    QCoreApplication app(argc, argv);
    bool clean = false;
    for (const int articles : GeneratedDatabase::counts(app.arguments().mid(1), &clean)) {
        const QString path = GeneratedDatabase::path(articles);
        const int result = runParent(articles, path);
        if (clean)
            QFile::remove(path);
        if (result != 0)
            return result;
    }
    return 0;
}
