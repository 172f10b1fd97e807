#include "comms/CoreSettings.h"

#include <QHash>
#include <QReadLocker>
#include <QReadWriteLock>
#include <QWriteLocker>

namespace
{
struct Store
{
    QReadWriteLock lock;
    QHash<QString, QVariant> values;
};

Store& TheStore()
{
    static Store store;
    return store;
}
} // namespace

QVariant CoreSettings::Value(const QString& key, const QVariant& defaultValue)
{
    Store& store = TheStore();
    QReadLocker locker(&store.lock);
    const auto it = store.values.constFind(key);
    return it == store.values.constEnd() ? defaultValue : it.value();
}

void CoreSettings::SetValue(const QString& key, const QVariant& value)
{
    Store& store = TheStore();
    QWriteLocker locker(&store.lock);
    store.values.insert(key, value);
}

void CoreSettings::Reset()
{
    Store& store = TheStore();
    QWriteLocker locker(&store.lock);
    store.values.clear();
}

QString CoreSettings::VendorID()
{
    return Value(VendorIDKey, DefaultVendorID).toString();
}

void CoreSettings::SetVendorID(const QString& vendorId)
{
    SetValue(VendorIDKey, vendorId);
}
