#pragma once

#include <QFile>

// A field of /proc/self/status in kB ("VmRSS:", "VmHWM:"), or -1 when it cannot be read.
inline long processStatusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    }
    return -1;
}
