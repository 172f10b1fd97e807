#include "support/SimulatedUnit.h"

#include <QDateTime>
#include <QSocketNotifier>
#include <QTimer>

#include <vector>

#include "comms/NmeaSentence.h"

namespace
{
// Longest line the unit buffers from the tool; anything longer is noise and dropped.
constexpr int MaxLine = 4096;
// Pace of the live output (ADC readings, wave meter) while a stream runs.
constexpr int LiveIntervalMs = 40;
// The endless streams: a burst of lines every few milliseconds, some thousands of lines a second.
constexpr int EndlessIntervalMs = 5;
constexpr int EndlessBurst = 40;
constexpr char Escape = '\x1b';

QString Field(const NmeaSentence& s, int i)
{
    QString out;
    s.GetString(i, out);
    return out;
}

QStringList Fields(const NmeaSentence& s, int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << Field(s, i);
    return out;
}

int Number(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

// AIS six-bit payload: packs the bit vector six bits per character, zero bits completing the last.
QString Armour(const std::vector<bool>& bits, int& fill)
{
    QString text;
    const size_t chars = (bits.size() + 5) / 6;
    fill = int(chars * 6 - bits.size());
    for (size_t c = 0; c < chars; ++c)
    {
        int v = 0;
        for (size_t b = 0; b < 6; ++b)
        {
            const size_t i = c * 6 + b;
            v = (v << 1) | ((i < bits.size() && bits[i]) ? 1 : 0);
        }
        text += QLatin1Char(char(v < 40 ? v + 48 : v + 56));
    }
    return text;
}

void Put(std::vector<bool>& bits, size_t offset, int width, long long value)
{
    for (int i = 0; i < width; ++i)
        bits[offset + size_t(i)] = ((value >> (width - 1 - i)) & 1) != 0;
}
} // namespace

SimulatedUnit::SimulatedUnit(QObject* parent) : QObject(parent)
{
    gnssTimer = new QTimer(this);
    connect(gnssTimer, &QTimer::timeout, this, &SimulatedUnit::SendGnss);
    liveTimer = new QTimer(this);
    connect(liveTimer, &QTimer::timeout, this, &SimulatedUnit::SendLiveOutput);
    endlessTimer = new QTimer(this);
    endlessTimer->setInterval(EndlessIntervalMs);
    connect(endlessTimer, &QTimer::timeout, this, &SimulatedUnit::SendEndlessBurst);
}

SimulatedUnit::~SimulatedUnit()
{
    Stop();
}

bool SimulatedUnit::Start()
{
    Stop();
    pty = std::make_unique<PtyPair>();
    if (!pty->Open())
    {
        error = pty->ErrorString();
        pty.reset();
        return false;
    }
    notifier = new QSocketNotifier(pty->MasterFd(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SimulatedUnit::OnReadable);
    pending.clear();
    if (gnssIntervalMs > 0)
    {
        gnssTimer->start(gnssIntervalMs);
        // Waiting in the line when the tool opens its end, as from a unit that has been running.
        SendGnss();
    }
    return true;
}

void SimulatedUnit::Stop()
{
    gnssTimer->stop();
    liveTimer->stop();
    endlessTimer->stop();
    delete notifier;
    notifier = nullptr;
    pty.reset();
}

bool SimulatedUnit::IsRunning() const
{
    return pty && pty->IsOpen();
}

QString SimulatedUnit::PortPath() const
{
    return pty ? pty->SlavePath() : QString();
}

QString SimulatedUnit::ErrorString() const
{
    return error;
}

void SimulatedUnit::HangUp()
{
    Stop();
}

void SimulatedUnit::SetGnssInterval(int ms)
{
    gnssIntervalMs = ms;
    if (ms > 0 && IsRunning())
        gnssTimer->start(ms);
    else
        gnssTimer->stop();
}

QByteArray SimulatedUnit::Frame(const QString& body)
{
    return (body + QLatin1Char('*') + NmeaSentence::Checksum(body) + QStringLiteral("\r\n")).toLatin1();
}

void SimulatedUnit::Write(const QByteArray& bytes)
{
    if (pty && pty->IsOpen())
        pty->Write(bytes);
}

void SimulatedUnit::SendRaw(const QByteArray& bytes)
{
    Write(bytes);
}

void SimulatedUnit::SendSentence(const QString& body)
{
    Write(Frame(body));
}

void SimulatedUnit::Reply(const QStringList& bodies)
{
    QByteArray bytes;
    for (const QString& body : bodies)
    {
        QByteArray line = Frame(body);
        if (corruptReplies)
        {
            // Damage the checksum: the tool must take the line for noise.
            const int star = line.lastIndexOf('*');
            line[star + 1] = line[star + 1] == '0' ? '1' : '0';
        }
        bytes += line;
    }
    if (replyDelayMs <= 0)
    {
        Write(bytes);
        return;
    }
    QTimer::singleShot(replyDelayMs, this, [this, bytes] { Write(bytes); });
}

void SimulatedUnit::OnReadable()
{
    if (!pty)
        return;
    pending += pty->ReadAvailable();
    for (;;)
    {
        // The escape character acts at once, wherever it stands: it ends a running stream.
        const int escape = pending.indexOf(Escape);
        const int end = pending.indexOf('\n');
        if (escape >= 0 && (end < 0 || escape < end))
        {
            pending.remove(escape, 1);
            EndStream();
            continue;
        }
        if (end < 0)
            break;
        QString line = QString::fromLatin1(pending.constData(), end);
        pending.remove(0, end + 1);
        line.remove(QLatin1Char('\r'));
        HandleLine(line);
        if (!pty)
            return;
    }
    if (pending.size() > MaxLine)
        pending.clear();
}

void SimulatedUnit::HandleLine(const QString& line)
{
    received << line;
    Q_EMIT LineReceived(line);
    if (silent)
        return;
    if (HandleConsole(line))
        return;
    const NmeaSentence s(line);
    if (!s.IsValid())
        return;
    const QString talker = s.Talker();
    const QString formatter = s.Formatter();
    if (talker == QLatin1String("P") && formatter == QLatin1String("KVX"))
    {
        if (Field(s, 1) == QLatin1String("0"))
            HandleShell(s);
        else
            HandleProprietaryQuery(s);
        return;
    }
    if (talker == QLatin1String("AI") && formatter == QLatin1String("BBM"))
    {
        state.broadcasts << line;
        HandleBroadcast(s);
        Q_EMIT ConfigurationApplied(QStringLiteral("BBM"));
        return;
    }
    if (talker != QLatin1String("UP"))
        return;
    if (formatter == QLatin1String("ANQ"))
        HandleQuery(Field(s, 1));
    else if (formatter == QLatin1String("MCR") && Field(s, 2) == QLatin1String("Q"))
        HandleMcrQuery(Field(s, 3));
    else if (formatter == QLatin1String("AID"))
        ApplyAid(s);
    else if (formatter == QLatin1String("ACF"))
        ApplyAcf(s);
    else if (formatter == QLatin1String("ACE"))
        ApplyAce(s);
    else if (formatter == QLatin1String("AAR"))
        ApplyAar(s);
    else if (formatter == QLatin1String("MCR"))
        ApplyMcr(s);
    else if (formatter == QLatin1String("COP"))
        ApplyCop(s);
    else if (formatter == QLatin1String("AFB"))
        ApplyAfb(s);
}

void SimulatedUnit::HandleBroadcast(const NmeaSentence& s)
{
    // The unit puts the frame on the air; a remote station it addresses answers at once, and the
    // unit reports what it hears as received messages.
    const QBitArray frame = SimVdl::FromSixBit(Field(s, 6), Number(Field(s, 7)));
    QStringList bodies;
    for (const QBitArray& reply : state.remote.Hear(frame))
        bodies << SimVdl::VdmBodies(SimVdl::Message6(state.remote.mmsi, quint32(state.real.mmsi.toULongLong()), reply));
    if (!bodies.isEmpty())
        Reply(bodies);
}

void SimulatedUnit::HandleShell(const NmeaSentence& s)
{
    static const QStringList codes = {QStringLiteral("0x5E1D0A47"), QStringLiteral("0x7A41C09E"),
                                      QStringLiteral("0x1F9B3D62"), QStringLiteral("0x6C28E5B0")};
    const int level = Number(Field(s, 2));
    const QString commandField = Field(s, 5);
    const QString id = Field(s, 6);
    QString result;
    if (level < 0 || level > 3 || Field(s, 3) != codes.at(level))
        result = QStringLiteral("ACCESS DENIED");
    else
        result = RunShell(NmeaSentence::Unescaped(commandField));
    // The sensor unit's console commands print their lines before the reply sentence.
    const QString command = NmeaSentence::Unescaped(commandField);
    const QStringList console = command == QLatin1String("getdistates")    ? state.digitalInputLines
                                : command == QLatin1String("sensorhealth") ? state.sensorHealthLines
                                                                           : QStringList();
    if (!console.isEmpty() && result != QLatin1String("ACCESS DENIED"))
    {
        SendRaw((console.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
        result = QStringLiteral("0");
    }
    if (malformedShell)
    {
        Reply({QStringLiteral("$PKVX,255,") + commandField});
        return;
    }
    Reply({QStringLiteral("$PKVX,255,") + commandField + QLatin1Char(',') + id + QLatin1Char(',') +
           NmeaSentence::Escaped(result)});
}

QString SimulatedUnit::RunShell(const QString& command)
{
    if (state.shellReplies.contains(command))
        return state.shellReplies.value(command);
    if (command == QLatin1String("getgnss"))
        return QString::number(state.gnssMode);
    const int blank = command.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return QStringLiteral("?");
    QString keyword = command.left(blank);
    const QString value = command.mid(blank + 1);
    const QStringList values = value.split(QLatin1Char(','));
    QList<int> numbers;
    for (const QString& v : values)
        numbers << Number(v);
    auto set = [this](int type, int index, int v)
    {
        QList<int>& record = state.sensorRecords[type];
        while (record.size() <= index)
            record << 0;
        record[index] = v;
    };
    auto setFour = [&](int type, int from)
    {
        for (int i = 0; i < 4 && i < numbers.size(); ++i)
            set(type, from + i, numbers.at(i));
    };
    const int first = numbers.value(0);
    if (keyword == QLatin1String("setgnss"))
        state.gnssMode = first;
    else if (keyword == QLatin1String("gpsfilt"))
        state.gpsFilter = first;
    else if (keyword == QLatin1String("enablers422"))
        set(10, 5, first);
    else if (keyword == QLatin1String("configairmarport"))
        set(10, 6, first);
    else if (keyword == QLatin1String("setrelay"))
    {
        keyword += QLatin1Char(' ') + values.value(0);
        set(10, first == 2 ? 8 : 7, numbers.value(1));
    }
    else if (keyword == QLatin1String("datum"))
        set(10, 4, first);
    else if (keyword == QLatin1String("cellstouse"))
    {
        for (int i = 0; i < 3 && i < numbers.size(); ++i)
            set(10, 1 + i, numbers.at(i));
    }
    else if (keyword == QLatin1String("option"))
        set(10, 0, first);
    else if (keyword == QLatin1String("msg6ver"))
        set(13, 0, first);
    else if (keyword == QLatin1String("msg6subid"))
        set(13, 1, first);
    else if (keyword == QLatin1String("msg6dac"))
        set(13, 2, first);
    else if (keyword == QLatin1String("msg6fi"))
        set(13, 3, first);
    else if (keyword == QLatin1String("voltthresh"))
        set(13, 4, first);
    else if (keyword == QLatin1String("voltsource"))
        set(13, 5, first);
    else if (keyword == QLatin1String("pwrtype"))
        set(13, 6, first);
    else if (keyword == QLatin1String("msg8ver"))
        set(13, 7, first);
    else if (keyword == QLatin1String("bitinv"))
        set(13, 8, first);
    else if (keyword == QLatin1String("enableisense"))
        set(11, 0, first);
    else if (keyword == QLatin1String("isensethresh"))
        set(11, 1, first);
    else if (keyword == QLatin1String("altisource"))
        set(11, 2, first);
    else if (keyword == QLatin1String("lightonsource"))
        set(11, 3, first);
    else if (keyword == QLatin1String("setisensescale"))
        setFour(11, 4);
    else if (keyword == QLatin1String("setaltisensescale"))
        setFour(11, 8);
    else if (keyword == QLatin1String("setvoltscale"))
        setFour(12, 0);
    else if (keyword == QLatin1String("setaltvoltscale"))
        setFour(12, 4);
    else if (keyword == QLatin1String("voltthreshunit"))
        set(14, 0, first);
    else if (keyword == QLatin1String("isensethreshunit"))
        set(14, 1, first);
    else if (keyword == QLatin1String("wavemeterout"))
    {
        // The readings follow the reply, at the pace of the live output.
        state.waveMeterOn = first != 0;
        if (state.waveMeterOn && !liveTimer->isActive())
            liveTimer->start(LiveIntervalMs);
        return QStringLiteral("OK");
    }
    else
        return QStringLiteral("?");
    state.shellSettings.insert(keyword, keyword.startsWith(QLatin1String("setrelay")) ? values.value(1) : value);
    Q_EMIT ConfigurationApplied(keyword);
    return keyword == QLatin1String("setgnss") ? QString::number(state.gnssMode) : QStringLiteral("OK");
}

void SimulatedUnit::HandleProprietaryQuery(const NmeaSentence& s)
{
    const QString type = Field(s, 1);
    QStringList bodies;
    if (type == QLatin1String("1") && Field(s, 2) == QLatin1String("SDQ"))
    {
        for (auto it = state.sensorRecords.cbegin(); it != state.sensorRecords.cend(); ++it)
        {
            QStringList f;
            for (int v : it.value())
                f << QString::number(v);
            bodies << QStringLiteral("$PKVX,%1,R,").arg(it.key()) + f.join(QLatin1Char(','));
        }
    }
    else if ((type == QLatin1String("7") || type == QLatin1String("8")) && Field(s, 2) == QLatin1String("Q"))
    {
        if (unanswered.contains(QStringLiteral("PKVX") + type))
            return;
        if (endlessLogAnnounced > 0)
        {
            endlessLogType = type;
            endlessTimer->start();
            return;
        }
        const QList<SimLogLine>& log = type == QLatin1String("7") ? state.faultLog : state.proximityLog;
        if (log.isEmpty())
            bodies << QStringLiteral("$PKVX,%1,R,0,0,0,,,").arg(type);
        for (int i = 0; i < log.size() - logLinesWithheld; ++i)
            bodies << QStringLiteral("$PKVX,%1,R,0,%2,%3,%4,%5,%6")
                          .arg(type)
                          .arg(i + 1)
                          .arg(log.size())
                          .arg(log.at(i).date, log.at(i).time, NmeaSentence::Escaped(log.at(i).text));
    }
    if (!bodies.isEmpty())
        Reply(bodies);
}

QStringList SimulatedUnit::AidReplies() const
{
    const QString real = state.real.mmsi;
    QStringList bodies;
    bodies << QStringLiteral("$ANAID,%1,1,%1,R,R").arg(real);
    if (state.addressedMmsi != QLatin1String("000000000") && !state.addressedMmsi.isEmpty())
        bodies << QStringLiteral("$ANAID,%1,1,%2,0,R").arg(real, state.addressedMmsi);
    for (const SimStation& v : state.virtuals)
        bodies << QStringLiteral("$ANAID,%1,1,%2,V,R").arg(real, v.mmsi);
    if (!state.vdlFirstMmsi.isEmpty())
        bodies << QStringLiteral("$ANAID,%1,1,%2,P,R").arg(real, state.vdlFirstMmsi);
    for (const QString& c : state.chainedMmsis)
        bodies << QStringLiteral("$ANAID,%1,1,%2,C,R").arg(real, c);
    return bodies;
}

QStringList SimulatedUnit::AcfReplies() const
{
    QStringList bodies;
    bodies << QStringLiteral("$ANACF,") + state.real.mmsi + QLatin1Char(',') + state.real.acf.join(QLatin1Char(',')) +
                  QStringLiteral(",R");
    for (const SimStation& v : state.virtuals)
        bodies << QStringLiteral("$ANACF,") + v.mmsi + QLatin1Char(',') + v.acf.join(QLatin1Char(',')) +
                      QStringLiteral(",R");
    return bodies;
}

QStringList SimulatedUnit::AceReplies() const
{
    QStringList bodies;
    bodies << QStringLiteral("$ANACE,") + state.real.mmsi + QLatin1Char(',') + state.real.ace.join(QLatin1Char(',')) +
                  QStringLiteral(",R");
    for (const SimStation& v : state.virtuals)
        bodies << QStringLiteral("$ANACE,") + v.mmsi + QLatin1Char(',') + v.ace.join(QLatin1Char(',')) +
                      QStringLiteral(",R");
    return bodies;
}

QStringList SimulatedUnit::AarReplies() const
{
    QStringList bodies;
    auto add = [&bodies](const SimStation& station)
    {
        for (const QStringList& e : station.schedule)
            bodies << QStringLiteral("$ANAAR,") + station.mmsi + QLatin1Char(',') + e.join(QLatin1Char(',')) +
                          QStringLiteral(",R");
    };
    add(state.real);
    for (const SimStation& v : state.virtuals)
        add(v);
    return bodies;
}

void SimulatedUnit::HandleQuery(const QString& formatter)
{
    if (unanswered.contains(formatter))
        return;
    const QString real = state.real.mmsi;
    if (formatter == QLatin1String("AID"))
        Reply(AidReplies());
    else if (formatter == QLatin1String("ACF"))
        Reply(AcfReplies());
    else if (formatter == QLatin1String("ACE"))
        Reply(AceReplies());
    else if (formatter == QLatin1String("AAR"))
        Reply(AarReplies());
    else if (formatter == QLatin1String("COP"))
        Reply({QStringLiteral("$ANCOP,") + real + QLatin1Char(',') + state.cop.join(QLatin1Char(',')) +
               QStringLiteral(",R,00000000")});
    else if (formatter == QLatin1String("AFB"))
        Reply({QStringLiteral("$ANAFB,") + real + QLatin1Char(',') + state.afb.join(QLatin1Char(',')) +
               QStringLiteral(",R")});
}

void SimulatedUnit::HandleMcrQuery(const QString& code)
{
    const QString prefix = QStringLiteral("$ANMCR,") + state.real.mmsi + QLatin1Char(',');
    if (unanswered.contains(code))
        return;
    if (!mcrReplyCode.isEmpty())
    {
        Reply({prefix + mcrReplyCode + QStringLiteral(",1,R")});
        return;
    }
    QStringList bodies;
    if (code == QLatin1String("RPT"))
    {
        for (const char* key : {"RPT21", "RPT8", "RPT6"})
            bodies << prefix + QStringLiteral("RPT,") + state.mcr.value(QLatin1String(key)).join(QLatin1Char(',')) +
                          QStringLiteral(",R");
    }
    else if (state.mcr.contains(code))
    {
        bodies << prefix + code + QLatin1Char(',') + state.mcr.value(code).join(QLatin1Char(',')) +
                      QStringLiteral(",R");
    }
    if (!bodies.isEmpty() && !mcrExtraCode.isEmpty())
        bodies << prefix + mcrExtraCode + QStringLiteral(",1,R");
    if (!bodies.isEmpty())
        Reply(bodies);
}

SimStation& SimulatedUnit::StationFor(const QString& mmsi)
{
    if (SimStation* s = state.Station(mmsi))
        return *s;
    SimStation v;
    v.mmsi = mmsi;
    v.acf = {QStringLiteral("7"), QStringLiteral("9100.0000"),
             QStringLiteral("N"), QStringLiteral("18100.0000"),
             QStringLiteral("E"), QStringLiteral("0"),
             QString(),           QString(),
             QString(),           QString(),
             QStringLiteral("0"), QStringLiteral("0"),
             QStringLiteral("1")};
    v.ace = {
        QStringLiteral("00"),        QString(), QStringLiteral("1"), QString(), QString(), QStringLiteral("VIRTUAL"),
        QStringLiteral("0000000000")};
    v.schedule << QStringList{QStringLiteral("21"),  QStringLiteral("01"),     QStringLiteral("00"),
                              QStringLiteral("00"),  QStringLiteral("200"),    QStringLiteral("0006750"),
                              QStringLiteral("0"),   QStringLiteral("00"),     QStringLiteral("00"),
                              QStringLiteral("210"), QStringLiteral("0006750")};
    state.virtuals << v;
    return state.virtuals.last();
}

void SimulatedUnit::ApplyAid(const NmeaSentence& s)
{
    if (Field(s, 5) != QLatin1String("C"))
        return;
    const bool on = Field(s, 2) == QLatin1String("1");
    const QString kind = Field(s, 4);
    const QString mmsi = Field(s, 3);
    if (kind == QLatin1String("R"))
    {
        if (!mmsi.isEmpty())
            state.real.mmsi = mmsi;
    }
    else if (kind == QLatin1String("0"))
    {
        state.addressedMmsi = on ? mmsi : QStringLiteral("000000000");
    }
    else if (kind == QLatin1String("V"))
    {
        if (on)
            StationFor(mmsi);
        else
            for (int i = 0; i < state.virtuals.size(); ++i)
                if (state.virtuals.at(i).mmsi == mmsi)
                    state.virtuals.removeAt(i--);
    }
    else if (kind == QLatin1String("P"))
    {
        state.vdlFirstMmsi = on ? mmsi : QString();
    }
    else if (kind == QLatin1String("C"))
    {
        if (on && !state.chainedMmsis.contains(mmsi))
            state.chainedMmsis << mmsi;
        if (!on)
            state.chainedMmsis.removeAll(mmsi);
    }
    else
    {
        return;
    }
    Q_EMIT ConfigurationApplied(QStringLiteral("AID"));
}

void SimulatedUnit::ApplyAcf(const NmeaSentence& s)
{
    if (Field(s, 15) != QLatin1String("C"))
        return;
    const QString mmsi = Field(s, 1);
    const QString kind = Field(s, 14);
    if (!state.Station(mmsi) && kind != QLatin1String("1") && kind != QLatin1String("2"))
        return; // the real AtoN is addressed by its configured MMSI only
    if (mmsi == QLatin1String("000000000"))
        return; // the unset MMSI names no station: the tool sends it for its unused virtual AtoN pages
    StationFor(mmsi).acf = Fields(s, 2, 14);
    Q_EMIT ConfigurationApplied(QStringLiteral("ACF"));
}

void SimulatedUnit::ApplyAce(const NmeaSentence& s)
{
    if (Field(s, 9) != QLatin1String("C"))
        return;
    const QString mmsi = Field(s, 1);
    SimStation* station = state.Station(mmsi);
    if (!station)
        return;
    const bool nameOnly = Field(s, 2).isEmpty() && Field(s, 3).isEmpty() && Field(s, 4).isEmpty() &&
                          Field(s, 5).isEmpty() && Field(s, 6).isEmpty() && Field(s, 8).isEmpty();
    if (nameOnly)
    {
        while (station->ace.size() < 7)
            station->ace << QString();
        station->ace[5] = Field(s, 7);
    }
    else
    {
        const QString keptName = station->ace.value(5);
        station->ace = Fields(s, 2, 8);
        // A long name travels in a second sentence; the first leaves the field empty.
        if (station->ace.at(5).isEmpty())
            station->ace[5] = keptName;
    }
    Q_EMIT ConfigurationApplied(QStringLiteral("ACE"));
}

void SimulatedUnit::ApplyAar(const NmeaSentence& s)
{
    if (Field(s, 13) != QLatin1String("C"))
        return;
    const QString mmsi = Field(s, 1);
    SimStation* station = state.Station(mmsi);
    if (!station)
        return;
    const QStringList entry = Fields(s, 2, 12);
    const int message = Number(entry.at(0));
    const int index = Number(entry.at(1));
    bool replaced = false;
    for (QStringList& e : station->schedule)
    {
        if (Number(e.value(0)) == message && Number(e.value(1)) == index)
        {
            e = entry;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        station->schedule << entry;
    Q_EMIT ConfigurationApplied(QStringLiteral("AAR"));
}

void SimulatedUnit::ApplyMcr(const NmeaSentence& s)
{
    const int last = s.FieldCount() - 1;
    if (last < 3 || Field(s, last) != QLatin1String("C"))
        return;
    const QString code = Field(s, 2);
    QStringList values = Fields(s, 3, last - 1);
    const QString key = code == QLatin1String("RPT") ? code + values.value(0) : code;
    if (!state.mcr.contains(key))
        return;
    state.mcr.insert(key, values);
    Q_EMIT ConfigurationApplied(QStringLiteral("MCR"));
}

void SimulatedUnit::ApplyCop(const NmeaSentence& s)
{
    if (Field(s, 6) != QLatin1String("C"))
        return;
    state.cop = Fields(s, 2, 5);
    Q_EMIT ConfigurationApplied(QStringLiteral("COP"));
}

void SimulatedUnit::ApplyAfb(const NmeaSentence& s)
{
    if (Field(s, 8) != QLatin1String("C"))
        return;
    state.afb = Fields(s, 2, 7);
    Q_EMIT ConfigurationApplied(QStringLiteral("AFB"));
}

void SimulatedUnit::SendGnss()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QString time = now.toString(QStringLiteral("hhmmss.00"));
    const QString date = now.toString(QStringLiteral("ddMMyy"));
    QByteArray bytes;
    bytes += Frame(QStringLiteral("$GPRMC,%1,A,5130.0000,N,00445.0000,E,0.0,0.0,%2,,,A").arg(time, date));
    bytes += Frame(QStringLiteral("$GPGSA,A,3,05,12,24,,,,,,,,,,1.8,1.0,1.5"));
    bytes += Frame(QStringLiteral("$GPGSV,1,1,03,05,45,120,42,12,30,200,38,24,60,300,45"));
    Write(bytes);
}

void SimulatedUnit::SendBurst(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += Frame(QStringLiteral("$GPGSV,1,1,01,%1,45,120,42").arg(1 + i % 32, 2, 10, QLatin1Char('0')));
    Write(bytes);
}

void SimulatedUnit::SendMessage21(unsigned racon, unsigned light, unsigned health)
{
    std::vector<bool> bits(272, false);
    Put(bits, 0, 6, 21);
    Put(bits, 8, 30, state.real.mmsi.toLongLong());
    Put(bits, 38, 5, 5);
    // Name "SIM UNIT" in six-bit ASCII, padded with "@" (0).
    const QByteArray name = QByteArrayLiteral("SIM UNIT");
    for (int i = 0; i < name.size() && i < 20; ++i)
    {
        const int c = name.at(i);
        Put(bits, size_t(43 + 6 * i), 6, c >= 64 ? c - 64 : c);
    }
    Put(bits, 164, 28, 445 * 1000 / 100 * 60); // about 4.45 E in 1/10000 minute
    Put(bits, 192, 27, 5130 * 1000 / 100 * 60);
    Put(bits, 263, 2, racon & 3);
    Put(bits, 265, 2, light & 3);
    Put(bits, 267, 1, health & 1);
    int fill = 0;
    const QString payload = Armour(bits, fill);
    SendSentence(QStringLiteral("!AIVDO,1,1,,A,%1,%2").arg(payload).arg(fill));
}

void SimulatedUnit::SendAlarm(int id, bool active, const QString& text)
{
    const QString time = QDateTime::currentDateTimeUtc().toString(QStringLiteral("hhmmss.00"));
    SendSentence(QStringLiteral("$AIALR,%1,%2,%3,V,%4")
                     .arg(time)
                     .arg(id, 3, 10, QLatin1Char('0'))
                     .arg(active ? QStringLiteral("A") : QStringLiteral("V"), NmeaSentence::Escaped(text)));
}

void SimulatedUnit::SendText(const QString& text)
{
    textSequence = (textSequence + 1) % 100;
    SendSentence(QStringLiteral("$AITXT,01,01,%1,%2")
                     .arg(textSequence, 2, 10, QLatin1Char('0'))
                     .arg(NmeaSentence::Escaped(text)));
}

void SimulatedUnit::SetEndlessLog(int announced)
{
    endlessLogAnnounced = announced > 0 ? qMax(2, announced) : 0;
    endlessLogType.clear();
    if (!endlessLogAnnounced && !endlessText)
        endlessTimer->stop();
}

void SimulatedUnit::SetEndlessText(bool endless)
{
    endlessText = endless;
    if (endless)
    {
        SendSentence(QStringLiteral("$AITXT,02,01,07,HEAD"));
        endlessTimer->start();
    }
    else if (endlessLogType.isEmpty())
    {
        endlessTimer->stop();
    }
}

void SimulatedUnit::SendEndlessBurst()
{
    QByteArray bytes;
    for (int i = 0; i < EndlessBurst; ++i)
    {
        ++endlessLines;
        if (!endlessLogType.isEmpty())
            bytes += Frame(QStringLiteral("$PKVX,%1,R,0,%2,%3,2026/12/01,04:02:13,ENDLESS FAULT %4")
                               .arg(endlessLogType)
                               .arg(1 + endlessLines % (endlessLogAnnounced - 1))
                               .arg(endlessLogAnnounced)
                               .arg(endlessLines));
        if (endlessText)
            bytes += Frame(
                i % 2
                    ? QStringLiteral("$AITXT,02,02,07,TAIL")
                    : QStringLiteral("$AITXT,01,01,%1,ENDLESS TEXT %2").arg(10 + endlessLines % 90).arg(endlessLines));
    }
    Write(bytes);
}

QByteArray SimulatedUnit::AdcReading(int adc, bool scaled, int sequence)
{
    // A slow ramp, so that consecutive readings differ.
    const int counts = 2048 + (sequence * 37 + adc * 101) % 512;
    if (scaled)
        return QStringLiteral("ADC %1: %2 V\r\n").arg(adc).arg(counts * 3.3 / 4096.0, 0, 'f', 3).toLatin1();
    return QStringLiteral("ADC %1: %2\r\n").arg(adc).arg(counts).toLatin1();
}

QByteArray SimulatedUnit::WaveMeterReading(int sequence)
{
    const double height = 0.5 + (sequence % 20) * 0.05;
    const double period = 4.0 + (sequence % 7) * 0.5;
    return QStringLiteral("WAVE %1: Hs %2 m, Tp %3 s\r\n")
        .arg(sequence)
        .arg(height, 0, 'f', 2)
        .arg(period, 0, 'f', 1)
        .toLatin1();
}

bool SimulatedUnit::HandleConsole(const QString& line)
{
    if (line == QLatin1String("+++"))
    {
        state.shellOpen = true;
        Write(QByteArrayLiteral(">"));
        return true;
    }
    if (!state.shellOpen || line.startsWith(QLatin1Char('$')) || line.startsWith(QLatin1Char('!')))
        return false;
    const QString command = line.trimmed();
    const int blank = command.indexOf(QLatin1Char(' '));
    const QString keyword = command.left(blank);
    if (command == QLatin1String("exit"))
    {
        EndStream();
        state.shellOpen = false;
        Write(QByteArrayLiteral("\r\n"));
    }
    else if (keyword == QLatin1String("getadccont") || keyword == QLatin1String("getadccontscaled"))
    {
        bool ok = false;
        const int adc = command.mid(blank + 1).toInt(&ok);
        if (blank < 0 || !ok || adc < 0 || adc > 6)
        {
            Write(QByteArrayLiteral("?\r\n>"));
            return true;
        }
        state.adcStream = adc;
        state.adcScaled = keyword == QLatin1String("getadccontscaled");
        if (!liveTimer->isActive())
            liveTimer->start(LiveIntervalMs);
        SendLiveOutput();
    }
    else if (!command.isEmpty())
    {
        Write(QByteArrayLiteral("?\r\n>"));
    }
    return true;
}

void SimulatedUnit::EndStream()
{
    if (state.adcStream < 0)
        return;
    state.adcStream = -1;
    Write(QByteArrayLiteral("\r\n>"));
}

void SimulatedUnit::SendLiveOutput()
{
    const bool streaming = state.adcStream >= 0;
    if (!streaming && !state.waveMeterOn)
    {
        liveTimer->stop();
        return;
    }
    if (!liveTimer->isActive())
        liveTimer->start(LiveIntervalMs);
    ++liveSequence;
    if (streaming)
        Write(AdcReading(state.adcStream, state.adcScaled, liveSequence));
    if (state.waveMeterOn)
        Write(WaveMeterReading(liveSequence));
}
