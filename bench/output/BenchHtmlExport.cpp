// Times the export of every article of a generated knowledge base of 100,000 articles to
// allarticles.html, as the main window's command runs it: the article set opened on the
// whole table, each row read, its page fragment built and the file written whole. The
// reference is reading the same rows through the database layer without building or
// writing anything; reading them and building their fragments shows the share of writing. Usage: BenchHtmlExport [database file] (default bench-articles.db in
// the current folder, made by BenchDatabase).

#include "article/ArticleRow.h"
#include "common/ProcessStatus.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "output/ArticleHtml.h"
#include "output/HtmlExport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <ctime>

namespace {

QTextStream out(stdout);

// Milliseconds of processor time this process has used: what a busy machine does not inflate.
double cpuMs()
{
    timespec now = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Milliseconds to read every row, and with build also to build its fragment (thrown away).
double readEveryRow(Recordset& articles, bool build)
{
    QElapsedTimer timer;
    timer.start();
    qsizetype size = 0;
    for (articles.moveFirst(); !articles.isEof(); articles.moveNext()) {
        const Article article = ArticleRow::read(articles);
        size += build ? ArticleHtml::fragment(article).size() : article.problem.size();
    }
    return size > 0 ? double(timer.nsecsElapsed()) / 1e6 : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral("bench-articles.db");
    if (!QFileInfo::exists(path)) {
        out << path << " is missing: run BenchDatabase first to generate it." << Qt::endl;
        return 1;
    }
    QTemporaryDir programFolder;
    qputenv("QUORVEL_PROGRAM_DIR", QFile::encodeName(programFolder.path()));

    Connection connection;
    connection.open(path);
    Recordset articles;
    articles.open(connection, QStringLiteral("SELECT * FROM QV"));
    out << articles.recordCount() << " articles" << Qt::endl;

    // One run of each first, so that both find the file in the cache.
    readEveryRow(articles, false);
    const double readMs = readEveryRow(articles, false);
    const double buildMs = readEveryRow(articles, true);

    HtmlExport html;
    int reports = 0;
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuMs();
    const HtmlExport::Outcome outcome = html.writeAll(articles, [&reports](int, int) {
        ++reports;
        return true;
    });
    const double exportMs = double(timer.nsecsElapsed()) / 1e6;
    const double exportCpuMs = cpuMs() - cpuBefore;
    if (outcome != HtmlExport::Outcome::Written) {
        out << "export failed: " << html.failure().description << Qt::endl;
        return 1;
    }
    out << QString::asprintf("reading every row (reference): %.0f ms", readMs) << Qt::endl
        << QString::asprintf("reading and building every fragment: %.0f ms", buildMs) << Qt::endl
        << QString::asprintf("export of all articles: %.0f ms (%.2f x the reference), %lld MB "
                             "written, %d progress reports",
                             exportMs, exportMs / readMs,
                             QFileInfo(HtmlExport::allFile()).size() / (1024 * 1024), reports)
        << Qt::endl
        << QString::asprintf("  processor time of the export: %.0f ms", exportCpuMs) << Qt::endl
        << QString::asprintf("resident peak: VmHWM %ld MB", processStatusKb("VmHWM:") / 1024)
        << Qt::endl;
    return 0;
}
