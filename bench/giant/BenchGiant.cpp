// Times Quorvel with one giant article: a knowledge base of three articles whose first has a
// generated Problem of 5 MB, 10 MB or 50 MB of RTF (short formatted paragraphs) or of
// 1,000,000 empty paragraphs. Each document runs in a child process that starts the program
// as quorvel does (offscreen) and reports: the first article shown, the whole document in
// the box, the longest time the event loop was held up meanwhile, resident memory, a
// keystroke near the start and near the end of the document, narrowing and widening the
// window, going to the next article and back, and the article taken for a save right after
// it is shown. Times are wall-clock and, beside them, the main thread's CPU time, which the
// other work on a shared machine does not stretch.
//
// Usage: BenchGiant [--clean] [5mb|10mb|50mb|empty ...] (default: all four). The knowledge
// bases are made under /tmp and kept for the next run; --clean deletes them at the end.

#include "common/ProcessStatus.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "richtext/RichTextBox.h"
#include "richtext/RtfReader.h"
#include "startup/Main.h"
#include "startup/QuorvelApplication.h"
#include "startup/Session.h"
#include "db/Recordset.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

const char kChildArgument[] = "--child";
constexpr int kKeystrokes = 7;
// After the document is in the box, how long Qt's own layout is given to finish in steps.
constexpr int kSettleMs = 3000;

QTextStream out(stdout);

struct Document
{
    const char* name;
    const char* description;
    qsizetype rtfBytes; // formatted paragraphs up to this size; 0 for the empty paragraphs
};

const Document kDocuments[] = {
    {"5mb", "5 MB of RTF, formatted paragraphs", 5'000'000},
    {"10mb", "10 MB of RTF, formatted paragraphs", 10'000'000},
    {"50mb", "50 MB of RTF, formatted paragraphs", 50'000'000},
    {"empty", "1,000,000 empty paragraphs (6 MB of RTF)", 0},
};

// Paragraphs of about 85 characters with a bold and a coloured word, or empty paragraphs.
QString giantRtf(qsizetype bytes)
{
    QString rtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}"
                                 "{\\colortbl ;\\red200\\green0\\blue0;}\\pard\\f0\\fs20 ");
    if (bytes == 0) {
        rtf += QStringLiteral("\\par\r\n").repeated(1'000'000);
    } else {
        rtf.reserve(bytes + 200);
        for (int p = 0; rtf.size() < bytes; ++p)
            rtf += QStringLiteral("Paragraph %1 of the spooler notes: restart the \\b print "
                                  "service\\b0  and look at the \\cf1 queue\\cf0  again.\\par\r\n")
                       .arg(p);
    }
    return rtf + QLatin1Char('}');
}

QString smallRtf(const QString& words)
{
    return QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs20 %1\\par}")
        .arg(words);
}

// The tables, and the rows start-up reads besides the articles, made by the sqlite3 tool.
bool makeTables(const QString& path)
{
    return QProcess::execute(QStringLiteral("sqlite3"),
                             {QStringLiteral("-bail"), path,
                              QStringLiteral(".read " QV_SCHEMA),
                              QStringLiteral(".read " QV_BENCH_SETTINGS)}) == 0;
}

bool addArticle(QSqlDatabase& db, int id, const QString& problem, const QString& solution)
{
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO QV (Id, CUName, techname, Title, reference, InitialEntry, EditedBy, "
        "DateEdited, Problem, Solution, ProblemText, SolutionText) VALUES (?, 'Category 1', "
        "'Technician 1', ?, 'N/A', '12/07/2026', 'N/A', '12/07/2026', ?, ?, ?, ?)"));
    for (const QVariant& value :
         {QVariant(id), QVariant(QStringLiteral("Article %1").arg(id)), QVariant(problem),
          QVariant(solution), QVariant(RtfReader::plainText(problem)),
          QVariant(RtfReader::plainText(solution))})
        insert.addBindValue(value);
    return insert.exec();
}

// The knowledge base of one document: the giant article first, then two short ones.
bool makeKnowledgeBase(const QString& path, const Document& document)
{
    if (QFile::exists(path))
        return true;
    if (!makeTables(path))
        return false;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("gen"));
        db.setDatabaseName(path);
        ok = db.open() && addArticle(db, 1, giantRtf(document.rtfBytes), smallRtf("Solution."));
        for (int id = 2; ok && id <= 3; ++id)
            ok = addArticle(db, id, smallRtf(QStringLiteral("Problem %1.").arg(id)),
                            smallRtf(QStringLiteral("Solution %1.").arg(id)));
        if (!ok)
            out << db.lastError().text() << Qt::endl;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("gen"));
    if (!ok)
        QFile::remove(path);
    return ok;
}

// ---- the child: one start of the program on one knowledge base ----

double cpuMs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double threadCpuMs()
{
    return cpuMs(CLOCK_THREAD_CPUTIME_ID);
}

// Wall-clock and main-thread CPU time of one piece of work.
struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
};

template <typename Work>
Timing timed(Work work)
{
    QElapsedTimer wall;
    wall.start();
    const double cpu = threadCpuMs();
    work();
    return {wall.nsecsElapsed() / 1e6, threadCpuMs() - cpu};
}

// The longest gap between the ticks of a 1 ms timer: the longest time the event loop could
// not take the user's input; and the most CPU time the main thread spent between two ticks,
// which a busy machine does not stretch.
class LoopWatch
{
public:
    LoopWatch()
    {
        m_clock.start();
        m_cpu = threadCpuMs();
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            const double cpu = threadCpuMs();
            m_longestMs = std::max(m_longestMs, m_clock.nsecsElapsed() / 1e6);
            m_longestCpuMs = std::max(m_longestCpuMs, cpu - m_cpu);
            m_clock.restart();
            m_cpu = cpu;
        });
        m_tick.start(1);
    }
    QString report() const
    {
        return QString::asprintf("%.0f ms (CPU %.0f ms)", m_longestMs, m_longestCpuMs);
    }

private:
    QTimer m_tick;
    QElapsedTimer m_clock;
    double m_cpu = 0;
    double m_longestMs = 0;
    double m_longestCpuMs = 0;
};

void say(const QString& name, const QString& value)
{
    std::printf("%s\t%s\n", qPrintable(name), qPrintable(value));
    std::fflush(stdout);
}

void sayTiming(const QString& name, const Timing& timing)
{
    say(name, QString::asprintf("%.1f ms (CPU %.1f ms)", timing.wallMs, timing.cpuMs));
}

// Runs the event loop until the box holds its whole document, then as long again as Qt's
// layout may need; reports the time to the whole document and the longest hold-up.
void waitForWholeDocument(const QString& name, RichTextBox* box)
{
    LoopWatch watch;
    const double processCpu = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
    const Timing loading = timed([box] {
        while (box->isLoading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    });
    // The reading runs on a thread of its own: its CPU time is the process's less the main
    // thread's (which is mostly the watch's own ticks).
    const double readingCpu = cpuMs(CLOCK_PROCESS_CPUTIME_ID) - processCpu - loading.cpuMs;
    say(name + QStringLiteral(": whole document in the box"),
        QString::asprintf("%.0f ms (reading thread CPU %.0f ms)", loading.wallMs, readingCpu));
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < kSettleMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    say(name + QStringLiteral(": longest hold-up of the event loop"), watch.report());
}

Timing medianKeystroke(RichTextBox* box, QTextCursor::MoveOperation where)
{
    box->moveCursor(where);
    if (where == QTextCursor::Start)
        box->moveCursor(QTextCursor::EndOfLine);
    QCoreApplication::processEvents();
    std::vector<Timing> strokes;
    for (int i = 0; i < kKeystrokes; ++i) {
        strokes.push_back(timed([box] {
            QTest::keyClick(box, Qt::Key_X);
            QCoreApplication::processEvents();
        }));
    }
    std::sort(strokes.begin(), strokes.end(),
              [](const Timing& a, const Timing& b) { return a.wallMs < b.wallMs; });
    return strokes.at(strokes.size() / 2);
}

int runChild(int argc, char* argv[])
{
    QuorvelApplication app(argc, argv);
    Program program;
    const Timing start = timed([&program] {
        program = Main();
        QCoreApplication::processEvents();
    });
    if (!program.mainWindow || !program.mainWindow->isVisible()) {
        say(QStringLiteral("error"), QStringLiteral("no main window shown"));
        return 1;
    }
    sayTiming(QStringLiteral("start-up: first article shown"), start);
    auto* box = program.mainWindow->findChild<RichTextBox*>(QStringLiteral("txtNote"));
    auto* display = program.mainWindow->findChild<frmDisplay*>();
    QAction* next = program.mainWindow->findChild<QAction*>(QStringLiteral("mnuNext"));
    QAction* previous = program.mainWindow->findChild<QAction*>(QStringLiteral("mnuPrevious"));
    waitForWholeDocument(QStringLiteral("start-up"), box);
    const qsizetype characters = box->textLength();
    say(QStringLiteral("characters, paragraphs"),
        QStringLiteral("%1, %2").arg(characters).arg(box->document()->blockCount()));
    say(QStringLiteral("resident then"),
        QStringLiteral("%1 MB (peak %2 MB)")
            .arg(processStatusKb("VmRSS:") / 1024)
            .arg(processStatusKb("VmHWM:") / 1024));
    say(QStringLiteral("length warning shown"),
        display->lblWarning->text().isEmpty() ? QStringLiteral("no") : QStringLiteral("yes"));

    sayTiming(QStringLiteral("keystroke near the start (median)"),
              medianKeystroke(box, QTextCursor::Start));
    sayTiming(QStringLiteral("keystroke near the end (median)"),
              medianKeystroke(box, QTextCursor::End));

    const QSize size = program.mainWindow->size();
    sayTiming(QStringLiteral("window narrowed by 300 pixels"), timed([&] {
                  program.mainWindow->resize(size.width() - 300, size.height());
                  QCoreApplication::processEvents();
              }));
    sayTiming(QStringLiteral("window widened again"), timed([&] {
                  program.mainWindow->resize(size);
                  QCoreApplication::processEvents();
              }));

    // Away and back: the typed characters are thrown away (the window is not asked).
    display->showArticle(Article(), 0);
    for (int round = 1; round <= 2; ++round) {
        const QString name = QStringLiteral("away and back %1").arg(round);
        program.session->rsArticles().moveFirst();
        sayTiming(name + QStringLiteral(": next article shown"), timed([next] {
                      next->trigger();
                      QCoreApplication::processEvents();
                  }));
        sayTiming(name + QStringLiteral(": giant article shown again"), timed([previous] {
                      previous->trigger();
                      QCoreApplication::processEvents();
                  }));
        waitForWholeDocument(name, box);
    }

    next->trigger();
    previous->trigger();
    QCoreApplication::processEvents();
    Article taken;
    sayTiming(QStringLiteral("article taken for a save as soon as shown"),
              timed([&] { taken = display->article(); }));
    const bool whole = taken.problemText.size() == characters &&
                       RtfReader::plainText(taken.problem).size() == characters;
    say(QStringLiteral("that article whole"), whole ? QStringLiteral("yes") : QStringLiteral("NO"));
    say(QStringLiteral("resident at the end"),
        QStringLiteral("%1 MB (peak %2 MB)")
            .arg(processStatusKb("VmRSS:") / 1024)
            .arg(processStatusKb("VmHWM:") / 1024));
    return whole ? 0 : 1;
}

// ---- the parent ----

int runDocument(const Document& document, bool clean)
{
    const QString path = QStringLiteral("/tmp/quorvel-giant-%1.db").arg(QLatin1String(document.name));
    out << Qt::endl << "== " << document.description << " (" << path << ")" << Qt::endl;
    if (!makeKnowledgeBase(path, document)) {
        out << "cannot make the knowledge base" << Qt::endl;
        return 1;
    }
    QTemporaryDir programFolder;
    if (!programFolder.isValid() || !QDir(programFolder.path()).mkdir(QStringLiteral("ini")) ||
        !WritePref(QStringLiteral("General"), QStringLiteral("Path"), path,
                   programFolder.filePath(QStringLiteral("ini/qvprefs.ini")))) {
        out << "cannot write the preferences file" << Qt::endl;
        return 1;
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUORVEL_PROGRAM_DIR"), programFolder.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kChildArgument)});
    child.waitForFinished(-1);
    if (clean)
        QFile::remove(path);
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], kChildArgument) == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    QStringList names = app.arguments().mid(1);
    const bool clean = names.removeAll(QStringLiteral("--clean")) > 0;
    int failures = 0;
    for (const Document& document : kDocuments) {
        if (names.isEmpty() || names.contains(QLatin1String(document.name)))
            failures += runDocument(document, clean) != 0;
    }
    return failures;
}
