#include "model/AtoNDef.h"
#include "model/Model.h"
#include "model/ModelNotifier.h"
#include "support/SavedBytes.h"
#include "support/TestMain.h"

#include <cstring>

// The configuration file, byte for byte. The expected bytes are composed here field by field from the
// documented layout (big-endian integers, IEEE doubles, UTF-16 strings with a byte count), never by
// the records' own Save.
namespace
{

class Bytes
{
public:
    Bytes& i32(qint64 value)
    {
        const quint32 u = quint32(value);
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.append(char((u >> shift) & 0xff));
        return *this;
    }
    Bytes& u8(int value)
    {
        bytes.append(char(value));
        return *this;
    }
    Bytes& hex(const char* text)
    {
        bytes.append(QByteArray::fromHex(text));
        return *this;
    }
    Bytes& f64(double value)
    {
        quint64 u = 0;
        std::memcpy(&u, &value, sizeof u);
        for (int shift = 56; shift >= 0; shift -= 8)
            bytes.append(char((u >> shift) & 0xff));
        return *this;
    }
    // ASCII text as UTF-16 code units after the byte count.
    Bytes& str(const char* text)
    {
        const int length = int(std::strlen(text));
        i32(2 * length);
        for (int i = 0; i < length; ++i)
            bytes.append('\0').append(text[i]);
        return *this;
    }
    Bytes& nullStr() { return i32(0xffffffffLL); }
    Bytes& add(const Bytes& other)
    {
        bytes.append(other.bytes);
        return *this;
    }
    QByteArray bytes;
};

struct MmsiFields
{
    const char* current = "000000000";
    const char* mmsi = "000000000";
    const char* address = "000000000";
    int index = 0;
    int enabled = 1;
};

struct AtoNFields
{
    MmsiFields mmsi;
    int gnss = 1;
    const char* latitude = "4056c00000000000";  // 91: not available
    const char* longitude = "4066a00000000000"; // 181: not available
    int accuracy = 0, channel1 = 2087, channel2 = 2088, power = 0, type = 0, kind = 0, inlandCode = 0;
    int threshold = 50, ack = 1, check = 0, sync = 0;
    const char* name = "ATON";
    int a = 1, b = 1, c = 1, d = 1;
    int inland = 0;
};

Bytes AtoNSection(const AtoNFields& f)
{
    Bytes out;
    out.i32(2);
    out.i32(2).str(f.mmsi.current).str(f.mmsi.mmsi).str(f.mmsi.address).i32(f.mmsi.index).u8(f.mmsi.enabled);
    out.i32(f.gnss).hex(f.latitude).hex(f.longitude);
    out.i32(f.accuracy).i32(f.channel1).i32(f.channel2).i32(f.power).i32(f.type).i32(f.kind).i32(f.inlandCode);
    out.i32(f.threshold).i32(f.ack).i32(f.check).i32(f.sync).str(f.name);
    out.i32(f.a).i32(f.b).i32(f.c).i32(f.d).u8(f.inland);
    return out;
}

// One schedule entry: id, mode, time A, slot A, increment A, time B, slot B, increment B, enabled, further.
Bytes Entry(int id, int mode, qint64 timeA, int slotA, int incrementA, qint64 timeB, int slotB, int incrementB,
            int enabled, int further = 0)
{
    Bytes out;
    out.i32(id).i32(mode).i32(timeA).i32(slotA).i32(incrementA).i32(timeB).i32(slotB).i32(incrementB);
    out.u8(enabled).i32(further);
    return out;
}

Bytes DisabledEntry(int id)
{
    return Entry(id, 0, 0, -1, 6750, 0, -1, 6750, 0);
}

Bytes DefaultNormalSchedule()
{
    Bytes out;
    out.i32(2).i32(18);
    out.add(Entry(21, 0, 0, 0, 6750, 0, 0, 6750, 1));
    out.add(DisabledEntry(21));
    for (int id : {6, 8, 12, 14})
        for (int k = 0; k < 4; ++k)
            out.add(DisabledEntry(id));
    return out;
}

Bytes VirtualSection(int enabled, int synthetic, const AtoNFields& aton, const Bytes& entry)
{
    Bytes out;
    out.i32(2).u8(enabled).u8(synthetic).add(AtoNSection(aton));
    out.i32(2).i32(1).add(entry);
    return out;
}

AtoNFields DefaultVirtualAtoN()
{
    AtoNFields f;
    f.mmsi.index = 1;
    f.mmsi.enabled = 0;
    f.gnss = 13;
    f.kind = 1;
    return f;
}

Bytes DefaultStatusInputs()
{
    Bytes out;
    out.i32(2);
    for (int v : {0, 0, 0, 0, 1, 1, 1, 0, -1, 0, -1, -1, 1, 0})
        out.i32(v);
    return out;
}

Bytes DefaultAlerts()
{
    return Bytes().i32(2).i32(0).i32(0).i32(0).nullStr().nullStr().nullStr().i32(0);
}

Bytes DefaultRepeater()
{
    Bytes out;
    for (int v : {2, 0, 0, 30, 0, 0, 30, 0, 30})
        out.i32(v);
    return out;
}

Bytes VdlSection(int version, int mode, int minute, int hour, int interval, int duration)
{
    return Bytes().str("VDL").i32(version).i32(mode).i32(minute).i32(hour).i32(interval).i32(duration);
}

// The default configuration's file, or one with another real AtoN schedule, alert record or VDL section.
QByteArray DefaultFile(const Bytes& schedule = DefaultNormalSchedule(), const Bytes& alerts = DefaultAlerts(),
                       const Bytes& vdl = VdlSection(2, 0, 0, 0, 0, 0))
{
    Bytes out;
    out.i32(2);
    out.add(AtoNSection(AtoNFields()));
    out.add(schedule);
    for (int k = 0; k < 10; ++k)
        out.add(VirtualSection(0, 0, DefaultVirtualAtoN(), Entry(21, 0, 0, 0, 6750, 0, 0, 6750, 1)));
    out.add(DefaultStatusInputs()).add(alerts).add(DefaultRepeater());
    out.add(vdl);
    return out.bytes;
}

// The default schedule with message 21's increments in slots as given.
Bytes NormalScheduleWithIncrements(qint64 a, qint64 b)
{
    Bytes out;
    out.i32(2).i32(18);
    out.add(Entry(21, 0, 0, 0, int(a), 0, 0, int(b), 1));
    out.add(DisabledEntry(21));
    for (int id : {6, 8, 12, 14})
        for (int k = 0; k < 4; ++k)
            out.add(DisabledEntry(id));
    return out;
}

// The default alert record, stored with version 0.
Bytes AlertsOfVersion0()
{
    return Bytes().i32(0).i32(0).i32(0).i32(0).nullStr().nullStr().nullStr().i32(0);
}

// The configuration with a set value in every stored section.
void FillEverySection(Model& model)
{
    AtoN* real = model.GetRealAtoN();
    real->GetAtoNMMSI()->SetCurrentMMSI(QStringLiteral("111111111"));
    real->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351234"));
    real->GetAtoNMMSI()->SetAddressMMSI(QStringLiteral("992359999"));
    real->SetGnssType(AtoNDef::GNSS_GPS_GALILEO);
    real->GetPosition()->SetLatitude(51.5);
    real->GetPosition()->SetLongitude(-1.25);
    real->SetPositionAccuracy(AtoNDef::HIGH);
    real->SetChannel1(2001);
    real->SetChannel2(1088);
    real->SetPowerLevel(AtoNDef::W_5);
    real->SetTypeOfAtoN(5);
    real->SetInland(true);
    real->SetOffPositionThreshold(100);
    real->SetAckProcedure(0);
    real->SetOffPositionCheck(1);
    real->SetSyncLossBehaviour(AtoNDef::CONTINUE);
    real->SetName(QStringLiteral("NORTH PIER"));
    real->SetDimensionA(10);
    real->SetDimensionB(20);
    real->SetDimensionC(3);
    real->SetDimensionD(4);

    MessageSchedule* schedule = model.GetMessageSchedule();
    int position = 1;
    QVERIFY(schedule->AddEntry(21, position));
    QVERIFY(schedule->EnableByCode(206));
    ScheduleEntry entry = schedule->GetEntry(4);
    entry.mode = ScheduleEntry::RATDMA;
    entry.blockA.startTime = QTime(12, 30);
    entry.blockA.increment = 4500;
    entry.blockB.noTime = true;
    entry.blockB.increment = 9000;
    entry.further = 7;
    QVERIFY(schedule->SetEntry(4, entry));

    VirtualAtoNModel* third = model.GetVirtualAtoN03();
    third->SetEnabled(true);
    third->SetSynthetic(true);
    third->GetAtoNMmsi()->SetMMSI(QStringLiteral("993456789"));
    third->SetAtoNName(QStringLiteral("WRECK"));
    third->GetPosition()->SetLatitude(-33.0);
    third->GetPosition()->SetLongitude(151.0);
    third->SetTypeOfAtoN(AtoNDef::EMERGENCY_WRECK_MARKING_BUOY);
    third->SetPowerLevel(AtoNDef::W_1);
    third->SetDimensionA(2);
    ScheduleEntry report = third->GetMessageSchedule()->GetEntry(0);
    report.blockA.startSlot = 100;
    report.blockB.startSlot = 1225;
    report.blockA.increment = 2250;
    third->GetMessageSchedule()->SetEntry(0, report);

    StatusInputConfigurationModel* status = model.GetStatusInputConfiguration();
    status->SetLightFitted(1);
    status->SetRaconFitted(1);
    status->SetRaconMonitored(1);
    status->SetStatusBitSource(2);
    status->SetLightOnOffActiveHigh(0);
    status->SetLightHealthActiveHigh(0);
    status->SetRaconHealthActiveHigh(0);
    status->SetMessage6Source(1);
    status->SetMessage6Index(3);
    status->SetPositionReportEnabled(1);
    status->SetOnPositionIndex(2);
    status->SetOffPositionIndex(4);
    status->SetMessage6Format(0);
    status->SetUserPower(true);

    AlertMessagesModel* alerts = model.GetAlertMessages();
    alerts->SetBiitAction(1);
    alerts->SetProximityAction(1);
    alerts->SetOffPositionAction(2);
    alerts->SetBiitText(QStringLiteral("BIIT FAIL"));
    alerts->SetProximityText(QStringLiteral("KEEP CLEAR"));
    alerts->SetOffPositionText(QString("")); // empty, not null
    alerts->SetProximityRadius(500);

    RepeaterModel* repeater = model.GetRepeater();
    repeater->SetSartRepeat(1);
    repeater->SetMsg21Repeat(2);
    repeater->SetMsg21GuardTime(60);
    repeater->SetMsg21Range(50);
    repeater->SetMsg8Repeat(3);
    repeater->SetMsg8GuardTime(45);
    repeater->SetMsg6Repeat(1);
    repeater->SetMsg6GuardTime(15);

    VdlModel* vdl = model.GetVdlModel();
    vdl->receiverMode = 1;
    vdl->receiverHour = 6;
    vdl->receiverMinute = 30;
    vdl->receiverInterval = 3600;
    vdl->receiverDuration = 600;
}

QByteArray FilledFile()
{
    Bytes out;
    out.i32(2);
    AtoNFields real;
    real.mmsi.current = "111111111";
    real.mmsi.mmsi = "992351234";
    real.mmsi.address = "992359999";
    real.gnss = 5;
    real.latitude = "4049c00000000000";  // 51.5
    real.longitude = "bff4000000000000"; // -1.25
    real.accuracy = 1;
    real.channel1 = 2001;
    real.channel2 = 1088;
    real.power = 5;
    real.type = 5;
    real.inlandCode = 37;
    real.threshold = 100;
    real.ack = 0;
    real.check = 1;
    real.sync = 1;
    real.name = "NORTH PIER";
    real.a = 10;
    real.b = 20;
    real.c = 3;
    real.d = 4;
    real.inland = 1;
    out.add(AtoNSection(real));

    out.i32(2).i32(18);
    out.add(Entry(21, 0, 0, 0, 6750, 0, 0, 6750, 1));
    out.add(Entry(21, 0, 0, -1, 6750, 0, -1, 6750, 1));
    out.add(DisabledEntry(6)).add(DisabledEntry(6));
    // 12:30 is 45000000 ms; 4500 and 9000 slots are 2 and 4 minutes; block B has no start time.
    out.add(Entry(6, 1, 45000000, 0, 2, 86400000, 0, 4, 1, 7));
    out.add(DisabledEntry(6));
    for (int id : {8, 12, 14})
        for (int k = 0; k < 4; ++k)
            out.add(DisabledEntry(id));

    const Bytes defaultReport = Entry(21, 0, 0, 0, 6750, 0, 0, 6750, 1);
    for (int k = 1; k <= 10; ++k)
    {
        if (k != 3)
        {
            out.add(VirtualSection(0, 0, DefaultVirtualAtoN(), defaultReport));
            continue;
        }
        AtoNFields wreck = DefaultVirtualAtoN();
        wreck.mmsi.mmsi = "993456789";
        wreck.mmsi.enabled = 1;
        wreck.kind = 2;
        wreck.latitude = "c040800000000000";  // -33
        wreck.longitude = "4062e00000000000"; // 151
        wreck.type = 4;
        wreck.power = 1;
        wreck.name = "WRECK";
        wreck.a = 2;
        out.add(VirtualSection(1, 1, wreck, Entry(21, 0, 0, 100, 2250, 0, 1225, 6750, 1)));
    }

    out.i32(2);
    for (int v : {1, 1, 1, 2, 0, 0, 0, 1, 3, 1, 2, 4, 0, 1})
        out.i32(v);
    out.i32(2).i32(1).i32(1).i32(2).str("BIIT FAIL").str("KEEP CLEAR").i32(0).i32(500);
    for (int v : {2, 1, 2, 60, 50, 3, 45, 1, 15})
        out.i32(v);
    // The minute is stored before the hour.
    out.add(VdlSection(2, 1, 30, 6, 3600, 600));
    return out.bytes;
}

using KelvaneTest::Saved;

// Collects the notices a load would show.
class NoticeRecorder
{
public:
    NoticeRecorder()
    {
        previous = ModelNotifier::SetHandler([this](const QString& text) { notices.append(text); });
    }
    ~NoticeRecorder() { ModelNotifier::SetHandler(previous); }
    QStringList notices;

private:
    ModelNotifier::Handler previous;
};

using Setup = void (*)(Model&);

// A file the tool wrote from a model set up so.
QByteArray SavedFrom(Setup setup)
{
    Model model(nullptr);
    setup(model);
    return Saved(model);
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestConfigurationFile : public QObject
{
    Q_OBJECT

private slots:
    void handMadeFileLoadsInFull()
    {
        NoticeRecorder recorder;
        Model model(nullptr);
        const QByteArray file = FilledFile();
        QDataStream in(file);
        model.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(in.atEnd());
        QVERIFY(recorder.notices.isEmpty());

        AtoN* real = model.GetRealAtoN();
        QCOMPARE(real->GetAtoNMMSI()->GetCurrentMMSI(), QStringLiteral("111111111"));
        QCOMPARE(real->GetAtoNMMSI()->GetMMSI(), QStringLiteral("992351234"));
        QCOMPARE(real->GetAtoNMMSI()->GetAddressMMSI(), QStringLiteral("992359999"));
        QVERIFY(real->GetAtoNMMSI()->IsEnabled());
        QCOMPARE(real->GetGnssType(), 5);
        QCOMPARE(real->GetPosition()->GetLatitude(), 51.5);
        QCOMPARE(real->GetPosition()->GetLongitude(), -1.25);
        QCOMPARE(real->GetChannel2(), 1088);
        QCOMPARE(real->GetInlandTypeCode(), 37);
        QVERIFY(real->IsInland());
        QCOMPARE(real->GetName(), QStringLiteral("NORTH PIER"));
        QCOMPARE(real->GetDimensionD(), 4);

        MessageSchedule* schedule = model.GetMessageSchedule();
        QCOMPARE(schedule->Count(), 18);
        QVERIFY(schedule->GetEntry(1).enabled);
        const ScheduleEntry entry = schedule->GetEntry(4);
        QCOMPARE(entry.messageId, 6);
        QCOMPARE(entry.index, 1); // indexes are not stored
        QCOMPARE(entry.mode, 1);
        QCOMPARE(entry.blockA.startTime, QTime(12, 30));
        QCOMPARE(entry.blockA.increment, 4500);
        QVERIFY(entry.blockB.noTime);
        QCOMPARE(entry.blockB.increment, 9000);
        QCOMPARE(entry.further, 7);
        int id = 0, index = 0;
        QVERIFY(schedule->GetMessageAndIndex(4, id, index));
        QCOMPARE(index, 3);
        QVERIFY(schedule->CheckCode(6));
        QVERIFY(!schedule->CheckCode(206));

        VirtualAtoNModel* third = model.GetVirtualAtoN03();
        QVERIFY(third->IsEnabled());
        QVERIFY(third->IsSynthetic());
        QCOMPARE(third->GetAtoN()->GetStationKind(), 2);
        QCOMPARE(third->GetAtoNMmsi()->GetMMSI(), QStringLiteral("993456789"));
        QCOMPARE(third->GetAtoNName(), QStringLiteral("WRECK"));
        QCOMPARE(third->GetPosition()->GetLatitude(), -33.0);
        QCOMPARE(third->GetMessageSchedule()->GetEntry(0).blockB.startSlot, 1225);
        QVERIFY(!model.GetVirtualAtoN04()->IsEnabled());

        QCOMPARE(model.GetStatusInputConfiguration()->GetOffPositionIndex(), 4);
        QVERIFY(model.GetStatusInputConfiguration()->GetUserPower());
        QCOMPARE(model.GetAlertMessages()->GetProximityText(), QStringLiteral("KEEP CLEAR"));
        QVERIFY(!model.GetAlertMessages()->GetOffPositionText().isNull());
        QVERIFY(model.GetAlertMessages()->GetOffPositionText().isEmpty());
        QCOMPARE(model.GetAlertMessages()->GetProximityRadius(), 500);
        QCOMPARE(model.GetRepeater()->GetMsg8GuardTime(), 45);
        QCOMPARE(model.GetVdlModel()->receiverMinute, 30);
        QCOMPARE(model.GetVdlModel()->receiverHour, 6);
        QCOMPARE(model.GetVdlModel()->receiverDuration, 600);

        // Every stored field came back: the model writes the same file again.
        QCOMPARE(Saved(model).toHex(), file.toHex());
    }

    // Whatever the tool holds, from an editor, the unit or a VDL reply, a save, an open and a save give
    // the same bytes; where the row has them, the bytes of the documented layout. A file the tool did
    // not write, where the row opens one, loads as what the tool holds, or is refused with the status
    // given and leaves the configuration as it was.
    void saveLoadRoundTrip_data()
    {
        QTest::addColumn<Setup>("held");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("opened");
        QTest::addColumn<int>("status");
        const auto row = [](const char* name, Setup held, const QByteArray& file = {}, const QByteArray& opened = {},
                            QDataStream::Status status = QDataStream::Ok)
        { QTest::newRow(name) << held << file << opened << int(status); };
        row("default configuration", Setup([](Model&) {}), DefaultFile());
        row("every section", FillEverySection, FilledFile());
        // The record keeps what the unit reports, beyond what the editors take.
        row("unit's 45-character proximity text",
            [](Model& m) { m.GetAlertMessages()->SetProximityText(QString(45, QLatin1Char('P'))); });
        row("unit's 47-character alert texts",
            [](Model& m)
            {
                m.GetAlertMessages()->SetBiitText(QString(47, QLatin1Char('B')));
                m.GetAlertMessages()->SetOffPositionText(QString(47, QLatin1Char('O')));
            });
        row("unit's alert text of 47 on the wire with 10 escaped commas",
            [](Model& m) { m.GetAlertMessages()->SetBiitText(QString(10, QLatin1Char(',')) + QString(17, u'A')); });
        row("unit's name of 17 escaped commas",
            [](Model& m) { m.GetRealAtoN()->SetName(QString(17, QLatin1Char(','))); });
        // A VDL AID reply's 30-bit field gives MMSIs of ten digits.
        row("reply's 10-digit MMSIs",
            [](Model& m)
            {
                m.AssignMMSI(0, QStringLiteral("1000000000"), QStringLiteral("1073741823"));
                m.AssignMMSI(1, QStringLiteral("1000000000"), QStringLiteral("1073741822"));
            });
        // Nothing writes a record of version 0, but one such record does not make a file zeroed.
        row(
            "one record of version 0",
            [](Model& m)
            {
                QDataStream in(AlertsOfVersion0().bytes);
                m.GetAlertMessages()->Load(in);
            },
            DefaultFile(DefaultNormalSchedule(), AlertsOfVersion0()));

        // Files of other writers.
        row(
            "character beyond ISO 8859-1 before a y with diaeresis",
            [](Model& m) { m.GetRealAtoN()->SetName(QStringLiteral("?\u00ff")); }, {},
            SavedFrom([](Model& m) { m.GetRealAtoN()->SetName(QStringLiteral("\u0100\u00ff")); }));
        // Ten digits are a reply's number, which has no leading zero.
        row("MMSI 0123456789", Setup([](Model&) {}), {},
            SavedFrom([](Model& m) { m.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("0123456789")); }));
        row(
            "FATDMA increments beyond the spin box",
            [](Model& m)
            {
                ScheduleEntry entry = m.GetMessageSchedule()->GetEntry(0);
                entry.blockA.increment = 0;
                entry.blockB.increment = ScheduleEntry::MaxIncrement;
                m.GetMessageSchedule()->SetEntry(0, entry);
            },
            {}, DefaultFile(NormalScheduleWithIncrements(-1, ScheduleEntry::MaxIncrement + 1)));
        // UTF-16 takes two bytes a character: an odd count is no text of the tool's.
        row("odd byte count of a text", Setup([](Model&) {}), {},
            DefaultFile(DefaultNormalSchedule(), DefaultAlerts(),
                        Bytes().i32(7).hex("00560044004c00").i32(2).i32(0).i32(0).i32(0).i32(0).i32(0)),
            QDataStream::ReadCorruptData);
    }

    void saveLoadRoundTrip()
    {
        QFETCH(Setup, held);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, opened);
        QFETCH(int, status);
        NoticeRecorder recorder;
        Model source(nullptr);
        held(source);
        const QByteArray bytes = Saved(source);
        if (!file.isEmpty())
            QCOMPARE(bytes.toHex(), file.toHex());
        Model target(nullptr);
        QDataStream in(opened.isEmpty() ? bytes : opened);
        QCOMPARE(target.LoadOrKeep(in), status == QDataStream::Ok);
        QCOMPARE(int(in.status()), status);
        QCOMPARE(Saved(target).toHex(), bytes.toHex());
    }

    void unstoredRecordsStayOutOfTheFile()
    {
        Model model(nullptr);
        const QByteArray before = Saved(model);
        model.GetSensorSettings()->SetConfigurationCode(3);
        model.GetVirtualAtoNReceiver()->SetAtoNName(QStringLiteral("RECEIVER"));
        model.GetVdlModel()->useVdl = true;
        model.GetVdlModel()->sendDelay = 9;
        model.GetVdlModel()->AddMmsi(QStringLiteral("123456789"));
        QCOMPARE(Saved(model), before);
    }

    void clearKeepsRepeaterAndReceiver()
    {
        Model model(nullptr);
        FillEverySection(model);
        model.GetVirtualAtoNReceiver()->SetAtoNName(QStringLiteral("RX"));
        model.GetVirtualAtoN05()->SetSynthetic(true);
        model.Clear();
        QCOMPARE(model.GetRealAtoN()->GetStationKind(), 0);
        for (int k = 1; k <= 10; ++k)
        {
            QCOMPARE(model.GetVirtualAtoN(k)->GetAtoN()->GetStationKind(), 1);
            QCOMPARE(model.GetVirtualAtoN(k)->GetMessageSchedule()->Count(), 1);
        }
        QVERIFY(model.GetVirtualAtoN05()->IsSynthetic()); // the record's own flag stays
        QCOMPARE(model.GetRepeater()->GetMsg21GuardTime(), 60);
        QCOMPARE(model.GetVirtualAtoNReceiver()->GetAtoNName(), QStringLiteral("RX"));
        QCOMPARE(model.GetMessageSchedule()->Count(), 18);
        QCOMPARE(model.GetMessageSchedule()->GetAtoN(), model.GetRealAtoN());
        QCOMPARE(model.GetVdlModel()->receiverMode, 0);
        QCOMPARE(model.GetStatusInputConfiguration()->GetMessage6Index(), -1);
        QVERIFY(model.GetReceivedSchedule().isEmpty());
        QVERIFY(model.GetVirtualAtoN(0) == nullptr);
        QVERIFY(model.GetVirtualAtoN(11) == nullptr);
    }

    void enabledMmsis()
    {
        Model model(nullptr);
        QCOMPARE(model.GetEnabledMMSICount(), 1);
        QCOMPARE(model.GetEnabledMMSIs().first(), model.GetRealAtoN()->GetAtoNMMSI());
        model.GetVirtualAtoN07()->SetEnabled(true);
        model.GetVirtualAtoN02()->SetEnabled(true);
        model.GetVirtualAtoNReceiver()->SetEnabled(true);
        QList<AtoNMMSI*> list{nullptr};
        model.GetEnabledMMSIs(list);
        QCOMPARE(list, (QList<AtoNMMSI*>{model.GetRealAtoN()->GetAtoNMMSI(), model.GetVirtualAtoN02()->GetAtoNMmsi(),
                                         model.GetVirtualAtoN07()->GetAtoNMmsi()}));
        model.GetRealAtoN()->GetAtoNMMSI()->SetEnabled(false);
        QCOMPARE(model.GetEnabledMMSICount(), 2);
    }

    void mmsiInUse()
    {
        Model model(nullptr);
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351000"));
        model.GetVirtualAtoNReceiver()->GetAtoNMmsi()->SetMMSI(QStringLiteral("992351001"));
        QVERIFY(!model.IsMMSIInUse(QStringLiteral("992351000")));
        QVERIFY(!model.IsMMSIInUse(QStringLiteral("992351001")));
        model.GetVirtualAtoN10()->GetAtoNMmsi()->SetMMSI(QStringLiteral("992351000"));
        QVERIFY(model.IsMMSIInUse(QStringLiteral("992351000")));
        QVERIFY(!model.IsMMSIInUse(QStringLiteral(" 992351000")));
        QVERIFY(model.IsMMSIInUse(QStringLiteral("000000000"))); // the unset MMSI of the others
    }

    // ---- loading all or nothing -----------------------------------------------------------------

    void truncatedFileKeepsThePreviousConfiguration()
    {
        NoticeRecorder recorder;
        const QByteArray file = FilledFile();
        Model model(nullptr);
        const QByteArray before = Saved(model);
        for (int length = 0; length < file.size() - 40; length += 97)
        {
            QDataStream in(file.left(length));
            QVERIFY(!model.LoadOrKeep(in));
            QVERIFY(in.status() != QDataStream::Ok);
            QCOMPARE(Saved(model), before);
        }
        QVERIFY(recorder.notices.isEmpty());
    }

    void fileWithoutVdlSectionLoads()
    {
        NoticeRecorder recorder;
        QByteArray file = FilledFile();
        file.chop(VdlSection(2, 1, 30, 6, 3600, 600).bytes.size());
        Model model(nullptr);
        model.GetVdlModel()->receiverMode = 2;
        QDataStream in(file);
        QVERIFY(model.LoadOrKeep(in));
        QCOMPARE(in.status(), QDataStream::Ok);
        QCOMPARE(recorder.notices, QStringList{QStringLiteral("VDL info not found in file")});
        QCOMPARE(model.GetRealAtoN()->GetName(), QStringLiteral("NORTH PIER"));
        QCOMPARE(model.GetVdlModel()->receiverMode, 0);
    }

    void corruptScheduleCountKeepsThePreviousConfiguration()
    {
        QByteArray file = DefaultFile();
        // The real AtoN schedule's count follows the model version and the real AtoN section.
        const int countAt = 4 + int(AtoNSection(AtoNFields()).bytes.size()) + 4;
        QCOMPARE(file.mid(countAt, 4), QByteArray::fromHex("00000012"));
        file.replace(countAt, 4, QByteArray::fromHex("7fffffff"));
        Model model(nullptr);
        FillEverySection(model);
        const QByteArray before = Saved(model);
        QDataStream in(file);
        QVERIFY(!model.LoadOrKeep(in));
        QCOMPARE(in.status(), QDataStream::ReadCorruptData);
        QCOMPARE(Saved(model), before);
    }

    // The copy a caller takes before a load holds everything the load could touch, files or not.
    void assignmentCopiesEverything()
    {
        // A stored version other than 2 must survive the copy too.
        Model source(nullptr);
        QByteArray bytes = FilledFile();
        bytes.replace(0, 4, QByteArray::fromHex("00000005"));
        QDataStream in(bytes);
        source.Load(in);
        QCOMPARE(source.GetVersion(), 5);

        source.GetSensorSettings()->SetConfigurationCode(3);
        source.GetVirtualAtoNReceiver()->SetAtoNName(QStringLiteral("RX"));
        source.GetVirtualAtoNReceiver()->SetEnabled(true);
        source.GetVdlModel()->useVdl = true;
        source.GetVdlModel()->targetMMSI = QStringLiteral("992350001");
        source.GetVdlModel()->AddMmsi(QStringLiteral("992350002"));
        source.GetVdlModel()->AddMmsi(QStringLiteral("992350003"));
        QVERIFY(source.GetVdlModel()->AppendMmsiFromRow(0));

        QObject parent;
        Model target(&parent);
        target.setObjectName(QStringLiteral("tab model"));
        target = source;
        QCOMPARE(target.parent(), &parent);
        QCOMPARE(target.objectName(), QStringLiteral("tab model"));
        QCOMPARE(target.GetVersion(), 5);
        QCOMPARE(Saved(target), Saved(source));
        QVERIFY(target.GetVirtualAtoN03()->IsEnabled());
        QVERIFY(target.GetVirtualAtoN03()->IsSynthetic());
        QCOMPARE(target.GetVirtualAtoNReceiver()->GetAtoNName(), QStringLiteral("RX"));
        QVERIFY(target.GetVirtualAtoNReceiver()->IsEnabled());
        QVERIFY(target.GetVdlModel()->useVdl);
        QCOMPARE(target.GetVdlModel()->targetMMSI, QStringLiteral("992350001"));
        QCOMPARE(target.GetVdlModel()->GetChainingMmsiCount(), 1);
        QCOMPARE(target.GetVdlModel()->GetMmsiCount(), 1);
        QCOMPARE(target.GetSensorSettings()->GetConfigurationCode(), 3);
        QCOMPARE(target.GetMessageSchedule()->GetAtoN(), target.GetRealAtoN());
        QCOMPARE(target.GetVirtualAtoN03()->GetMessageSchedule()->GetAtoN(), target.GetVirtualAtoN03()->GetAtoN());
    }
};

KELVANE_TEST_MAIN(TestConfigurationFile)
#include "tst_ConfigurationFile.moc"
