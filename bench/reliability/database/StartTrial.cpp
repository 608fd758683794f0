#include "StartTrial.h"

#include "RecordingDialogs.h"
#include "RecordingShell.h"
#include "SaveTrials.h"
#include "Trial.h"
#include "db/DbError.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "startup/Main.h"
#include "startup/QuorvelApplication.h"

#include <QDir>
#include <QMap>

#include <memory>
#include <vector>

namespace StartTrial {

int runStart(int argc, char* argv[])
{
    QuorvelApplication app(argc, argv);
    RecordingDialogs dialogs;
    RecordingShell shell;
    try {
        const Program program = Main();
        if (program.mainWindow && dialogs.messages().isEmpty())
            Trial::say("started");
        else
            Trial::say("told: " + dialogs.messages().value(0).text.simplified().toUtf8());
    } catch (const DbError& error) {
        Trial::say("run-time error " + QByteArray::number(error.number()) + ": " +
                   error.description().toUtf8());
    }
    return 0;
}

int simultaneousStarts(int starts, int together, const char* journalMode, Saver saver)
{
    QTemporaryDir folder;
    const QString path = Trial::createKnowledgeBase(folder, QString::fromLatin1(journalMode));
    if (path.isEmpty() || !QDir(folder.path()).mkdir(QStringLiteral("ini")) ||
        !WritePref(QStringLiteral("General"), QStringLiteral("Path"), path,
                   folder.filePath(QStringLiteral("ini/qvprefs.ini"))))
        return 1;
    Trial::out() << starts << " starts, " << together << " at a time, on " << path << " ("
                 << journalMode << " journal)"
                 << (saver == Saver::None ? ", nothing else using it"
                     : saver == Saver::TenPerSecond
                         ? " while another program saves ten times a second"
                         : " while another program saves without a pause")
                 << Qt::endl;
    QProcess writer;
    if (saver != Saver::None)
        Trial::startChild(
            writer, {QStringLiteral("--counter"), path, QStringLiteral("100000000"),
                     saver == Saver::TenPerSecond ? QStringLiteral("100") : QStringLiteral("0")});

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUORVEL_PROGRAM_DIR"), folder.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The offscreen platform's warnings about window hints say nothing about the trial.
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("default.warning=false"));
    int started = 0;
    QMap<QString, int> failures;
    for (int done = 0; done < starts; done += together) {
        std::vector<std::unique_ptr<QProcess>> wave;
        for (int i = 0; i < together && done + i < starts; ++i) {
            wave.push_back(std::make_unique<QProcess>());
            Trial::startChild(*wave.back(), {QStringLiteral("--start")}, environment);
        }
        for (const auto& start : wave) {
            start->waitForFinished(-1);
            const QByteArray said = Trial::lines(*start).value(0);
            if (said == "started")
                ++started;
            else
                ++failures[said.isEmpty() ? QStringLiteral("(nothing said)")
                                          : QString::fromUtf8(said)];
        }
    }
    writer.kill();
    writer.waitForFinished(-1);
    Trial::out() << "started: " << started << " of " << starts << ", failed: " << starts - started
                 << Qt::endl;
    for (auto failure = failures.cbegin(); failure != failures.cend(); ++failure)
        Trial::out() << "  " << failure.value() << " x " << failure.key() << Qt::endl;
    return started == starts ? 0 : 1;
}

} // namespace StartTrial
