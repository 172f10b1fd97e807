#pragma once

#include <QString>
#include <QStringList>

namespace KelvaneTest
{

// The recorded NMEA traffic of the transponder port and of a four-constellation receiver, one
// line each as the link hands it on: line end trimmed, a single line feed put back, the
// recordings' comment lines left out. dataDir is the test data folder (tests/data). A file that
// cannot be read is named in *missing and ends the reading.
QStringList RecordedTrafficLines(const QString& dataDir, QString* missing);

} // namespace KelvaneTest
