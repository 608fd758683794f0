// Times a search from pressing "&Search" in the search dialog to the results window filled
// and the first match shown, on a generated knowledge base of 100,000 articles, against
// the sqlite3 command-line tool scanning the same column with LIKE. Usage: BenchSearch
// [database file] (default bench-articles.db in the current folder; generated with the
// database benchmark's generator when missing).

#include "common/BenchProgramFolder.h"
#include "db/Recordset.h"
#include "mainwindow/frmMain.h"
#include "search/frmSearch.h"
#include "search/frmSearchResults.h"
#include "startup/Main.h"
#include "startup/QuorvelApplication.h"
#include "startup/Session.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

constexpr int kRuns = 7;

QTextStream out(stdout);

double elapsedMs(const std::function<void()>& action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    return timer.nsecsElapsed() / 1e6;
}

struct Case
{
    const char* choice;
    const char* text;
    const char* column; // the column the tool scans
};

const Case kCases[] = {
    {"Title", "spooler", "Title"},
    {"Problem", "toner", "ProblemText"},
};

// One search through the dialog, as the user runs it.
void search(frmMain& main, const Case& what)
{
    main.findChild<QAction*>(QStringLiteral("mnuSearch"))->trigger();
    auto* dialog = main.findChild<frmSearch*>();
    auto* field = dialog->findChild<QComboBox*>(QStringLiteral("cboSearchBy"));
    const int index = field->findText(QLatin1String(what.choice));
    field->setCurrentIndex(index);
    Q_EMIT field->activated(index);
    dialog->findChild<QLineEdit*>(QStringLiteral("txtSearchString"))
        ->setText(QLatin1String(what.text));
    dialog->findChild<QPushButton*>(QStringLiteral("cmdSearch"))->click();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QuorvelApplication app(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("bench-articles.db");
    QTemporaryDir programFolder;
    if (!programFolder.isValid() || !prepareBenchProgramFolder(path, programFolder.path(), out))
        return 1;
    qputenv("QUORVEL_PROGRAM_DIR", QFile::encodeName(programFolder.path()));
    Program program = Main();
    if (!program.mainWindow) {
        out << "Quorvel did not start" << Qt::endl;
        return 1;
    }
    frmMain& main = *program.mainWindow;
    Recordset& articles = program.session->rsArticles();
    out << "articles: " << articles.recordCount() << Qt::endl << Qt::endl;
    out << "search          matches   Quorvel   sqlite3 tool   ratio   (best of " << kRuns << ')'
        << Qt::endl;
    for (const Case& what : kCases) {
        const QString sql = QStringLiteral("SELECT RecordID FROM QV WHERE %1 LIKE '%%2%'")
                                .arg(QLatin1String(what.column), QLatin1String(what.text));
        const auto searching = [&] { search(main, what); };
        const auto scanning = [&] { runSqliteTool(path, sql); };
        // Turn about, so that both meet the same load of the machine; one unmeasured run
        // of each first warms the file cache.
        searching();
        scanning();
        double ours = 1e300;
        double theirs = 1e300;
        for (int run = 0; run < kRuns; ++run) {
            ours = std::min(ours, elapsedMs(searching));
            theirs = std::min(theirs, elapsedMs(scanning));
        }
        const int matches = articles.recordCount();
        const auto* results = main.findChild<frmSearchResults*>();
        if (!results || results->windowTitle() != QStringLiteral("Results: %1").arg(matches)) {
            out << what.choice << ": no results window for " << matches << " matches" << Qt::endl;
            return 1;
        }
        out << QString::asprintf("%-7s %-7s %7d %7.0f ms %11.0f ms %7.2f", what.choice, what.text,
                                 matches, ours, theirs, ours / theirs)
            << Qt::endl;
    }
    return 0;
}
