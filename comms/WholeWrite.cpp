#include "comms/WholeWrite.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace WholeWrite
{

bool Write(QFileDevice& file, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size())
    {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return file.error() == QFileDevice::NoError;
}

bool Save(QSaveFile& file, const QByteArray& bytes, QString& reason)
{
    if (Write(file, bytes))
    {
        const bool committed = file.commit();
        reason = file.errorString();
        return committed;
    }
    // Taken before the write is cancelled, which puts its own text in its place.
    reason = file.error() != QFileDevice::NoError
                 ? file.errorString()
                 : QCoreApplication::translate("WholeWrite", "Not all of the data could be written.");
    file.cancelWriting();
    return false;
}

} // namespace WholeWrite
