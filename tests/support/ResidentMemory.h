#pragma once
// The resident memory of this process, for the flood tests and the memory benchmarks.

#include <QByteArray>
#include <QFile>

namespace KelvaneTest
{

// Resident memory in kB (the line "VmRSS:" of /proc/self/status), -1 where the system does not say.
inline long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace KelvaneTest
