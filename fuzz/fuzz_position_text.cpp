// Typed positions: any text through the latitude/longitude parsers and back to the text forms.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

#include "model/GeoPosition.h"

std::vector<QByteArray> KelvaneFuzzSeeds()
{
    return {QByteArray("12 30 00 S"),
            QByteArray("12:30:00"),
            QByteArray("-12 30"),
            QByteArray("12\xc2\xb0 30' 00.000\" N"),
            QByteArray("5 30 O"),
            QByteArray("12d30m15s"),
            QByteArray("__\xc2\xb0 __' __.___\" E"),
            QByteArray("1e308 1e308 1e308"),
            QByteArray("nan inf")};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    GeoPosition p;
    p.SetLatitude(text);
    p.SetLongitude(text);
    (void)GeoPosition::ParseDMS(text);
    // Typed text is stored unchecked and shown at once.
    (void)p.LatitudeToDMS();
    (void)p.LongitudeToDMS();
    (void)p.LatitudeToDM();
    (void)p.LongitudeToDM();
    GeoPosition ranged;
    ranged.SetLatitude(p.GetLatitude());
    ranged.SetLongitude(p.GetLongitude());
    (void)ranged.LatitudeToDMS();
    (void)ranged.LongitudeToDMS();
    (void)ranged.LatitudeToDM();
    (void)ranged.LongitudeToDM();
    return 0;
}
