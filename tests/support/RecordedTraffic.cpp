#include "support/RecordedTraffic.h"

#include <QFile>

namespace KelvaneTest
{

QStringList RecordedTrafficLines(const QString& dataDir, QString* missing)
{
    QStringList lines;
    for (const char* name : {"/nmea/ais-nmea.log", "/nmea/ublox-neo-m9n-nmea.log"})
    {
        QFile file(dataDir + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
        {
            *missing = file.fileName();
            return lines;
        }
        while (!file.atEnd())
        {
            const QByteArray line = file.readLine();
            if (!line.startsWith('#'))
                lines.append(QString::fromLatin1(line.trimmed()) + QLatin1Char('\n'));
        }
    }
    return lines;
}

} // namespace KelvaneTest
