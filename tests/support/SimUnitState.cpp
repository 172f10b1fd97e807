#include "support/SimUnitState.h"

#include "comms/NmeaSentence.h"

namespace
{
QStringList Disabled(int message, int index)
{
    return {QString::asprintf("%02d", message),
            QString::asprintf("%02d", index),
            QStringLiteral("00"),
            QStringLiteral("00"),
            QStringLiteral("-1"),
            QStringLiteral("0006750"),
            QStringLiteral("0"),
            QStringLiteral("00"),
            QStringLiteral("00"),
            QStringLiteral("-1"),
            QStringLiteral("0006750")};
}
} // namespace

QString SimStation::Name() const
{
    return ace.size() > 5 ? NmeaSentence::Unescaped(ace.at(5)) : QString();
}

QStringList SimStation::Entry(int message, int index) const
{
    for (const QStringList& e : schedule)
        if (e.size() >= 2 && e.at(0).toInt() == message && e.at(1).toInt() == index)
            return e;
    return {};
}

SimUnitState::SimUnitState()
{
    real.mmsi = QStringLiteral("992351001");
    real.acf = {QStringLiteral("15"),         QStringLiteral("5130.0000"), QStringLiteral("N"),
                QStringLiteral("00445.0000"), QStringLiteral("E"),         QStringLiteral("1"),
                QStringLiteral("2087"),       QStringLiteral("2088"),      QStringLiteral("2087"),
                QStringLiteral("2088"),       QStringLiteral("0"),         QStringLiteral("5"),
                QStringLiteral("0")};
    real.ace = {QStringLiteral("00"), QStringLiteral("0050"),     QStringLiteral("1"),         QStringLiteral("0"),
                QStringLiteral("0"),  QStringLiteral("SIM UNIT"), QStringLiteral("0050050505")};
    // The unit reports its whole schedule, the binary messages first: a reply for message 6 index
    // 1 starts the tool's schedule afresh.
    for (int message : {6, 8, 12, 14})
        for (int index = 1; index <= 4; ++index)
            real.schedule << Disabled(message, index);
    real.schedule << QStringList{QStringLiteral("21"),  QStringLiteral("01"),     QStringLiteral("00"),
                                 QStringLiteral("00"),  QStringLiteral("100"),    QStringLiteral("0006750"),
                                 QStringLiteral("0"),   QStringLiteral("00"),     QStringLiteral("00"),
                                 QStringLiteral("110"), QStringLiteral("0006750")};
    real.schedule << Disabled(21, 2);

    mcr.insert(QStringLiteral("SBS"), {QStringLiteral("1")});
    mcr.insert(QStringLiteral("LRC"), {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0")});
    mcr.insert(QStringLiteral("BIT"), {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0"), QString()});
    mcr.insert(QStringLiteral("PRX"),
               {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0"), QString(), QStringLiteral("0")});
    mcr.insert(QStringLiteral("OFP"), {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0"), QString()});
    mcr.insert(QStringLiteral("LIS"), {QStringLiteral("7")});
    mcr.insert(QStringLiteral("SRL"), {QStringLiteral("0")});
    mcr.insert(QStringLiteral("MSS"), {QStringLiteral("0"), QStringLiteral("-1")});
    mcr.insert(QStringLiteral("MSO"), {QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("-1")});
    mcr.insert(QStringLiteral("MST"), {QStringLiteral("1")});
    mcr.insert(QStringLiteral("UPW"), {QStringLiteral("0")});
    mcr.insert(QStringLiteral("RPT21"),
               {QStringLiteral("21"), QStringLiteral("0"), QStringLiteral("30"), QStringLiteral("0")});
    mcr.insert(QStringLiteral("RPT8"),
               {QStringLiteral("8"), QStringLiteral("0"), QStringLiteral("30"), QStringLiteral("0")});
    mcr.insert(QStringLiteral("RPT6"),
               {QStringLiteral("6"), QStringLiteral("0"), QStringLiteral("30"), QStringLiteral("0")});

    afb = {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
           QStringLiteral("0"), QString(),           QStringLiteral("0")};
    cop = {QStringLiteral("0"), QStringLiteral("000000"), QStringLiteral("0"), QStringLiteral("0")};

    shellReplies.insert(QStringLiteral("appver"), QStringLiteral("KVX-A3 V3.01.07"));
    shellReplies.insert(QStringLiteral("bootver"), QStringLiteral("BL 1.04"));
    shellReplies.insert(QStringLiteral("getpserno"), QStringLiteral("P2351001"));
    shellReplies.insert(QStringLiteral("getserno"), QStringLiteral("PCA-77120"));
    shellReplies.insert(QStringLiteral("vswr"), QStringLiteral("15"));
    shellReplies.insert(QStringLiteral("vin"), QStringLiteral("12400"));
    shellReplies.insert(QStringLiteral("getatontype"), QStringLiteral("3"));
    shellReplies.insert(QStringLiteral("getubtypem8"), QStringLiteral("1"));

    digitalInputLines = {QStringLiteral("DIG_IO1 1"), QStringLiteral("DIG_IO2 0"), QStringLiteral("DIG_IO3 0"),
                         QStringLiteral("DIG_IO4 1")};
    sensorHealthLines = {QStringLiteral("Sensor health:"), QStringLiteral("  Sensor 1 OK  "),
                         QStringLiteral("  Sensor 2 OK  "), QStringLiteral("Option 3 fitted"),
                         QStringLiteral("Return: 0")};

    sensorRecords.insert(10, {99, 1, 2, 3, 0, 0, 0, 0, 0});
    sensorRecords.insert(11, {0, 100, 0, 1, 5000, 4095, 0, 12, 1, 42, 0, 0});
    sensorRecords.insert(12, {180, 823, 0, 0, 1, 42, 0, 0});
    sensorRecords.insert(13, {1, 1, 0, 0, 1000, 1, 1, 2, 0});
    sensorRecords.insert(14, {1, 1});

    faultLog << SimLogLine{QStringLiteral("2026/11/30"), QStringLiteral("10:15:00"), QStringLiteral("LIGHT FAIL")}
             << SimLogLine{QStringLiteral("2026/12/01"), QStringLiteral("04:02:13"), QStringLiteral("LOW VOLTAGE")};
    proximityLog << SimLogLine{QStringLiteral("2026/12/02"), QStringLiteral("22:41:09"),
                               QStringLiteral("VESSEL 235123456")};
}

SimStation* SimUnitState::Station(const QString& mmsi)
{
    if (real.mmsi == mmsi)
        return &real;
    for (SimStation& s : virtuals)
        if (s.mmsi == mmsi)
            return &s;
    return nullptr;
}

const SimStation* SimUnitState::Station(const QString& mmsi) const
{
    return const_cast<SimUnitState*>(this)->Station(mmsi);
}

SimStation* SimUnitState::Virtual(int k)
{
    return k >= 1 && k <= virtuals.size() ? &virtuals[k - 1] : nullptr;
}
