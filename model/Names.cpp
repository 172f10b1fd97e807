#include "model/Names.h"

namespace Names
{

QString VirtualAtoNJob(int k)
{
    if (k < 1 || k > 10)
        return QString();
    return QStringLiteral("Virtual AtoN %1").arg(k, 2, 10, QLatin1Char('0'));
}

QString VirtualAtoNScheduleJob(int k)
{
    const QString job = VirtualAtoNJob(k);
    return job.isEmpty() ? job : job + QLatin1Char(' ') + MessageSchedule;
}

} // namespace Names
