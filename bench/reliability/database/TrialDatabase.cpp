// Reliability trials against a fresh copy of the sample knowledge base, each started by its
// name (see bench/README.md):
//   TrialDatabase kill [saves]                 kill -9 during saves (default 9,000)
//   TrialDatabase conflict [saves each]        two programs, one article (8,000 each)
//   TrialDatabase starts [starts] [together] [delete|wal] [idle|saving|flat-out]
//                              simultaneous starts (800, 50 at a time, delete, saving)
// The program starts itself as the trials' children (the arguments beginning with "--").

#include "SaveTrials.h"
#include "StartTrial.h"
#include "Trial.h"

#include <QCoreApplication>

namespace {
int argument(int argc, char* argv[], int index, int otherwise)
{
    return argc > index ? QByteArray(argv[index]).toInt() : otherwise;
}
StartTrial::Saver saver(int argc, char* argv[])
{
    const QByteArray name = argc > 5 ? QByteArray(argv[5]) : QByteArray("saving");
    return name == "idle"       ? StartTrial::Saver::None
           : name == "flat-out" ? StartTrial::Saver::FlatOut
                                : StartTrial::Saver::TenPerSecond;
}
} // namespace

int main(int argc, char* argv[])
{
    const QByteArray trial = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (trial == "--start")
        return StartTrial::runStart(argc, argv);
    QCoreApplication app(argc, argv);
    if (trial == "--saver" && argc == 4)
        return SaveTrials::runSaver(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    if (trial == "--counter" && argc == 5)
        return SaveTrials::runCounter(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt(),
                                      QByteArray(argv[4]).toInt());
    if (trial == "kill")
        return SaveTrials::killDuringSaves(argument(argc, argv, 2, 9000));
    if (trial == "conflict")
        return SaveTrials::twoProgramsSaveOneArticle(argument(argc, argv, 2, 8000));
    if (trial == "starts")
        return StartTrial::simultaneousStarts(argument(argc, argv, 2, 800),
                                              argument(argc, argv, 3, 50),
                                              argc > 4 ? argv[4] : "delete", saver(argc, argv));
    Trial::out() << "usage: TrialDatabase kill [saves] | conflict [saves each] | "
                    "starts [starts] [together] [delete|wal] [idle|saving|flat-out]"
                 << Qt::endl;
    return 2;
}
