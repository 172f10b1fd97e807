// Any bytes, as lines, through the GNSS and the AIS decoder. The decoders live across inputs, as
// they do across a session, so fragment and text buffers, the alarm list and the satellite table
// see every sequence the mutations make; each must stay bounded.
#include "comms/NmeaSentence.h"
#include "decoders/AlarmData.h"
#include "decoders/GPSDecoder.h"
#include "decoders/MessageDecoder.h"
#include "model/AtoN.h"
#include "model/Model.h"

#include <QBitArray>
#include <QCoreApplication>
#include <QFile>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{
struct Decoders
{
    Model model;
    GPSDecoder gps;
    MessageDecoder ais{&model};
    Decoders()
    {
        model.GetRealAtoN()->GetAtoNMMSI()->SetCurrentMMSI(QStringLiteral("992351234"));
        // Receivers read what they are lent, as the tabs do.
        QObject::connect(&gps, &GPSDecoder::SatelliteDataReceived,
                         [](SatelliteData* d)
                         {
                             if (!d)
                                 return;
                             SatelliteInfo s;
                             for (int i = 0; i < SatelliteData::MaxSatellites; ++i)
                                 d->GetSatellite(i, s);
                             (void)d->CountUsed();
                         });
        QObject::connect(&ais, &MessageDecoder::Message6Received,
                         [](QBitArray* bits)
                         {
                             // At most nine fragments of a sentence's length each.
                             if (bits->size() > 9 * NmeaSentence::MaxLineLength * 6)
                                 std::abort();
                             if (bits->size() >= 38)
                                 (void)MessageDecoder::BitsValue(*bits, 8, 30);
                         });
    }
};

Decoders* TheDecoders()
{
    static int argc = 1;
    static char name[] = "fuzz_decoders";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Decoders decoders;
    return &decoders;
}

QString Framed(const QString& body)
{
    QString line = NmeaSentence::Frame(body);
    line.remove(QLatin1Char('\r'));
    return line;
}

QString Armour(const QBitArray& bits)
{
    QString payload;
    for (int at = 0; at < bits.size(); at += 6)
    {
        int v = 0;
        for (int b = 0; b < 6; ++b)
            v = (v << 1) | ((at + b < bits.size() && bits.testBit(at + b)) ? 1 : 0);
        payload.append(QLatin1Char(NmeaSentence::SixBitChar(v)));
    }
    return payload;
}

QBitArray Bits(std::initializer_list<std::pair<quint32, int>> fields, int size)
{
    QBitArray bits(size);
    int at = 0;
    for (const auto& [value, count] : fields)
        for (int i = 0; i < count; ++i, ++at)
            bits.setBit(at, (value >> (count - 1 - i)) & 1);
    return bits;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Decoders* d = TheDecoders();
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    // Now and then the same bytes as UTF-8, which brings characters beyond Latin-1 and broken
    // surrogates into the lines.
    const bool utf8 = size > 0 && (data[0] & 0x80);
    for (const QByteArray& bytes : input.split('\n'))
    {
        const QString line = (utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes)) + QLatin1Char('\n');
        d->gps.OnReceived(line);
        d->ais.OnReceived(line);
    }
    // The watchdogs' work, without waiting for them.
    if (size > 1 && data[1] == 'W')
    {
        d->gps.OnRMCTimeout();
        d->gps.OnGSATimeout();
        d->gps.OnGSVTimeout();
    }
    if (d->ais.GetAlarmData()->Count() > AlarmData::MaxEntries)
        std::abort();
    return 0;
}

std::vector<QByteArray> KelvaneFuzzSeeds()
{
    std::vector<QByteArray> seeds;
    // Recorded traffic in pieces of 30 lines.
    for (const char* name : {"nmea/ais-nmea.log", "nmea/ublox-neo-m9n-nmea.log"})
    {
        const QByteArray dir = qgetenv("KELVANE_TESTDATA");
        QFile file(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (int i = 0; i < lines.size(); i += 30)
        {
            QByteArray piece;
            for (int j = i; j < qMin(i + 30, int(lines.size())); ++j)
                piece += lines[j] + '\n';
            seeds.push_back(piece);
        }
    }
    // What the recordings lack: texts, alarms, refusals, message 6 and the unit's own message 21.
    const QStringList bodies = {
        "$GPTXT,02,01,05,AB^2C",
        "$GPTXT,02,02,05,CD",
        "$AITXT,2,1,5,AB",
        "$AITXT,2,2,5,CD",
        "$AIALR,,001,A,V,Tx malfunction",
        "$ANALR,101500.00,002,V,V,Low^2C supply",
        "$AINAK,UP,AAR,992351234,7,invalid slot reservation",
        "$GPRMC,123519.25,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,D",
        "$GNGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0,2",
        "$GAGSV,3,3,10,30,14,215,16,36,08,098,,7",
        "!AIVDM,1,1,,A," + Armour(Bits({{6, 6}, {0, 2}, {992351234, 30}, {990, 10}, {10, 6}}, 168)) + ",0",
        "!AIVDM,2,1,3,B," + Armour(Bits({{6, 6}, {0, 2}, {992351234, 30}}, 240)) + ",0",
        "!AIVDM,2,2,3,B," + Armour(Bits({{1, 6}}, 60)) + ",2",
        "!AIVDO,1,1,,A," + Armour(Bits({{21, 6}, {0, 2}, {992351234, 30}}, 272)) + ",4",
        // Fragments out of turn, after their message completed, with a fill of many digits, with a
        // character outside the armouring.
        "!AIVDM,3,1,3,B," + Armour(Bits({{6, 6}, {0, 2}, {992351234, 30}}, 120)) + ",0",
        "!AIVDM,3,3,3,B," + Armour(Bits({{1, 6}}, 60)) + ",2",
        "!AIVDM,2,2,3,B," + Armour(Bits({{1, 6}}, 60)) + ",2147483647",
        "!AIVDM,1,1,,A,6X" + Armour(Bits({{992351234, 30}}, 162)) + ",0",
    };
    QByteArray all;
    for (const QString& body : bodies)
    {
        const QByteArray line = Framed(body).toLatin1();
        seeds.push_back(line);
        all += line;
    }
    seeds.push_back(all);
    return seeds;
}
