#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>

namespace KelvaneTest
{

// The bytes a record (a whole configuration or one of its sections) writes to a configuration file.
template <typename Record> QByteArray Saved(Record& record)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    record.Save(stream);
    return bytes;
}

template <typename Record> QByteArray Saved(Record* record)
{
    return Saved(*record);
}

} // namespace KelvaneTest
