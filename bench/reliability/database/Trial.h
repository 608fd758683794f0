#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

// What the trials share: a fresh knowledge base, children started from this same program,
// and the lines they print.
namespace Trial {

QTextStream& out();

// A line from a child, written out at once so that a parent reading it after a kill sees
// exactly what was said before the kill.
void say(const QByteArray& line);

// A knowledge base made from the schema and the sample articles in the folder; "wal" or
// "delete" as its journal mode. Empty when the sqlite3 tool failed.
QString createKnowledgeBase(const QTemporaryDir& folder, const QString& journalMode);

// The output of the sqlite3 tool for the statements, trimmed.
QString query(const QString& path, const QString& sql);

// Starts this program again with the arguments; its standard error goes to ours.
void startChild(QProcess& child, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// Every complete line the child printed so far.
QList<QByteArray> lines(QProcess& child);

} // namespace Trial
