#pragma once

#include <QString>
#include <QVariant>

// The settings that core code needs (the manufacturer code the unit may answer with, for one),
// readable from any thread. The application object fills it at start from its own settings; core
// code reads it here and never reaches for the application object or QSettings itself.
class CoreSettings
{
public:
    static inline const QString VendorIDKey = QStringLiteral("VendorID");
    static inline const QString DefaultVendorID = QStringLiteral("KVX");

    static QVariant Value(const QString& key, const QVariant& defaultValue = QVariant());
    static void SetValue(const QString& key, const QVariant& value);
    // Forgets every value (tests).
    static void Reset();

    // "VendorID", default "KVX".
    static QString VendorID();
    static void SetVendorID(const QString& vendorId);
};
