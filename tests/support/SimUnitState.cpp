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

namespace
{
QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The first difference between two field lists, named path[i]; empty when equal.
QString ListDifference(const QString& path, const QStringList& a, const QStringList& b)
{
    for (int i = 0; i < qMax(a.size(), b.size()); ++i)
    {
        if (i >= a.size() || i >= b.size())
            return QStringLiteral("%1[%2]: %3 against %4")
                .arg(path)
                .arg(i)
                .arg(i < a.size() ? Quoted(a.at(i)) : QStringLiteral("(none)"),
                     i < b.size() ? Quoted(b.at(i)) : QStringLiteral("(none)"));
        if (a.at(i) != b.at(i))
            return QStringLiteral("%1[%2]: %3 against %4").arg(path).arg(i).arg(Quoted(a.at(i)), Quoted(b.at(i)));
    }
    return QString();
}

QString StationDifference(const QString& path, const SimStation& a, const SimStation& b)
{
    if (a.mmsi != b.mmsi)
        return path + QStringLiteral(".mmsi: %1 against %2").arg(Quoted(a.mmsi), Quoted(b.mmsi));
    QString d = ListDifference(path + QStringLiteral(".acf"), a.acf, b.acf);
    if (d.isEmpty())
        d = ListDifference(path + QStringLiteral(".ace"), a.ace, b.ace);
    if (!d.isEmpty())
        return d;
    if (a.schedule.size() != b.schedule.size())
        return path + QStringLiteral(".schedule: %1 entries against %2").arg(a.schedule.size()).arg(b.schedule.size());
    for (int i = 0; i < a.schedule.size(); ++i)
    {
        d = ListDifference(path + QStringLiteral(".schedule[%1]").arg(i), a.schedule.at(i), b.schedule.at(i));
        if (!d.isEmpty())
            return d;
    }
    return QString();
}

template <typename Map, typename Compare>
QString MapDifference(const QString& path, const Map& a, const Map& b, Compare compare)
{
    auto keys = a.keys();
    for (const auto& key : b.keys())
        if (!keys.contains(key))
            keys << key;
    for (const auto& key : keys)
    {
        const QString name = QStringLiteral("%1[%2]").arg(path).arg(key);
        if (!a.contains(key) || !b.contains(key))
            return name + (a.contains(key) ? QStringLiteral(": missing on the right")
                                           : QStringLiteral(": missing on the left"));
        const QString d = compare(name, a.value(key), b.value(key));
        if (!d.isEmpty())
            return d;
    }
    return QString();
}

QString IntListDifference(const QString& path, const QList<int>& a, const QList<int>& b)
{
    QStringList x;
    QStringList y;
    for (int v : a)
        x << QString::number(v);
    for (int v : b)
        y << QString::number(v);
    return ListDifference(path, x, y);
}

QString LogDifference(const QString& path, const QList<SimLogLine>& a, const QList<SimLogLine>& b)
{
    QStringList x;
    QStringList y;
    for (const SimLogLine& l : a)
        x << l.date + QLatin1Char(' ') + l.time + QLatin1Char(' ') + l.text;
    for (const SimLogLine& l : b)
        y << l.date + QLatin1Char(' ') + l.time + QLatin1Char(' ') + l.text;
    return ListDifference(path, x, y);
}
} // namespace

QString SimUnitState::FirstDifference(const SimUnitState& other) const
{
    QString d = StationDifference(QStringLiteral("real"), real, other.real);
    if (!d.isEmpty())
        return d;
    if (virtuals.size() != other.virtuals.size())
        return QStringLiteral("virtuals: %1 stations against %2").arg(virtuals.size()).arg(other.virtuals.size());
    for (int i = 0; i < virtuals.size(); ++i)
    {
        d = StationDifference(QStringLiteral("virtuals[%1]").arg(i), virtuals.at(i), other.virtuals.at(i));
        if (!d.isEmpty())
            return d;
    }
    const auto texts = [](const QString& path, const QString& a, const QString& b)
    { return a == b ? QString() : path + QStringLiteral(": %1 against %2").arg(Quoted(a), Quoted(b)); };
    const auto numbers = [&texts](const QString& path, int a, int b)
    { return texts(path, QString::number(a), QString::number(b)); };
    for (const QString& step :
         {texts(QStringLiteral("addressedMmsi"), addressedMmsi, other.addressedMmsi),
          MapDifference(QStringLiteral("mcr"), mcr, other.mcr, ListDifference),
          texts(QStringLiteral("vdlFirstMmsi"), vdlFirstMmsi, other.vdlFirstMmsi),
          ListDifference(QStringLiteral("chainedMmsis"), chainedMmsis, other.chainedMmsis),
          ListDifference(QStringLiteral("afb"), afb, other.afb), ListDifference(QStringLiteral("cop"), cop, other.cop),
          ListDifference(QStringLiteral("broadcasts"), broadcasts, other.broadcasts),
          MapDifference(QStringLiteral("shellReplies"), shellReplies, other.shellReplies, texts),
          numbers(QStringLiteral("gnssMode"), gnssMode, other.gnssMode),
          numbers(QStringLiteral("gpsFilter"), gpsFilter, other.gpsFilter),
          MapDifference(QStringLiteral("sensorRecords"), sensorRecords, other.sensorRecords, IntListDifference),
          LogDifference(QStringLiteral("faultLog"), faultLog, other.faultLog),
          LogDifference(QStringLiteral("proximityLog"), proximityLog, other.proximityLog)})
        if (!step.isEmpty())
            return step;
    return QString();
}
