// Configuration files: any bytes through the ".kln" reader. A load either takes the whole file or
// leaves the model exactly as it was, and whatever it took saves and reads back to the same bytes.
// What it took holds only MMSIs and texts that an editor, the unit or a VDL reply could give, and every
// line the tool can then send to the unit is one line of ASCII of at most 82 characters.
#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QTime>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "comms/AtoNSentenceBBM.h"
#include "model/Model.h"
#include "model/ModelNotifier.h"
#include "support/SentenceSweep.h"

namespace
{

QByteArray Saved(Model& model)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    model.Save(out);
    return bytes;
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "fuzz_config_file: %s\n", what);
    std::abort();
}

QByteArray FilledFile()
{
    Model model(nullptr);
    AtoN* real = model.GetRealAtoN();
    real->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351234"));
    real->GetPosition()->SetLatitude(51.5);
    real->GetPosition()->SetLongitude(-1.25);
    real->SetName(QStringLiteral("NORTH PIER"));
    real->SetInland(true);
    MessageSchedule* schedule = model.GetMessageSchedule();
    int position = 1;
    schedule->AddEntry(21, position);
    schedule->EnableByCode(206);
    schedule->EnableByCode(314);
    ScheduleEntry entry = schedule->GetEntry(4);
    entry.mode = ScheduleEntry::RATDMA;
    entry.blockA.startTime = QTime(12, 30);
    entry.blockB.noTime = true;
    schedule->SetEntry(4, entry);
    VirtualAtoNModel* virtualAtoN = model.GetVirtualAtoN03();
    virtualAtoN->SetEnabled(true);
    virtualAtoN->SetSynthetic(true);
    virtualAtoN->SetAtoNName(QStringLiteral("WRECK"));
    model.GetAlertMessages()->SetBiitText(QStringLiteral("BIIT FAIL"));
    model.GetRepeater()->SetMsg21GuardTime(60);
    model.GetVdlModel()->receiverMode = 1;
    model.GetVdlModel()->receiverInterval = 3600;
    return Saved(model);
}

// What the tabs and the VDL sentences do with a loaded configuration: every stored value is used
// unchecked, so none of it may trip an overflow or a read outside a list.
void UseLoaded(Model& model)
{
    QList<AtoN*> stations{model.GetRealAtoN()};
    QList<MessageSchedule*> schedules{model.GetMessageSchedule()};
    for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
    {
        stations.append(model.GetVirtualAtoN(k)->GetAtoN());
        schedules.append(model.GetVirtualAtoN(k)->GetMessageSchedule());
    }
    for (AtoN* aton : stations)
    {
        (void)aton->GetPosition()->LatitudeToDMS();
        (void)aton->GetPosition()->LongitudeToDM();
        aton->SetInland(!aton->IsInland());
        aton->SetTypeOfAtoN(aton->GetTypeOfAtoN() ^ 1);
        aton->SetInland(!aton->IsInland());
    }
    for (MessageSchedule* schedule : schedules)
    {
        int position = 0, row = 0, id = 0, index = 0;
        for (int r = -1; r <= schedule->Count() + 1; ++r)
        {
            (void)schedule->PositionOfRow(r, position);
            (void)schedule->GetVisibleRow(r, row);
            (void)schedule->GetMessageAndIndex(r, id, index);
            (void)schedule->GetEntryWithMode(r, schedule->GetEntryMode(r));
        }
        for (int code : {0, 6, 8, 12, 14, 106, 208, 312, 314})
            (void)schedule->CheckCode(code);
        for (int messageId : {21, 6, 8, 12, 14, 0})
        {
            (void)schedule->GetEnabledFlags(messageId);
            (void)schedule->FindFreeEntry(messageId, position);
        }
        (void)schedule->IsMessage6Enabled(4);
        (void)schedule->CountVisibleEntries();
    }

    // The VDL frames built from it, for the real AtoN and for a virtual one.
    for (int k : {0, 3})
    {
        model.GetVdlModel()->targetMMSI =
            k == 0 ? QStringLiteral("992350001") : model.GetVirtualAtoN(k)->GetAtoNMmsi()->GetMMSI();
        for (int kind : {0, 1, 3, 4, 5, 6, 7, 8, 9, 14, 15, 19, 35})
        {
            AtoNSentenceBBM bbm(&model, kind);
            int count = 0;
            (void)bbm.Encode(0, &count);
            for (int i = 1; i <= count && i < 40; ++i)
                (void)bbm.Encode(i, nullptr);
        }
    }
}

} // namespace

std::vector<QByteArray> KelvaneFuzzSeeds()
{
    Model defaults(nullptr);
    const QByteArray filled = FilledFile();
    std::vector<QByteArray> seeds{Saved(defaults), filled};
    // A file that ends before its VDL section, and one with an old VDL section version.
    seeds.push_back(filled.left(filled.size() - 34));
    QByteArray old = filled;
    old[old.size() - 21] = 1;
    seeds.push_back(old);
    // A file no editor could have made: fields hidden in MMSIs, texts far beyond their editors' limits,
    // logic flags that are no flags.
    Model hostile(nullptr);
    hostile.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351001,,,,,,EVIL,,C"));
    hostile.GetRealAtoN()->SetName(QString(34, QLatin1Char('^')));
    hostile.GetVirtualAtoN01()->SetEnabled(true);
    hostile.GetVirtualAtoN01()->GetAtoNMmsi()->SetMMSI(QString(300, QLatin1Char('9')));
    hostile.GetVirtualAtoN02()->SetAtoNName(QString(20, QChar(7)));
    AlertMessagesModel* alerts = hostile.GetAlertMessages();
    alerts->SetBiitAction(2);
    alerts->SetBiitText(QString(500, QLatin1Char('A')));
    alerts->SetProximityAction(1);
    alerts->SetProximityText(QString(60, QLatin1Char(',')));
    hostile.GetStatusInputConfiguration()->SetLightOnOffActiveHigh(0x7FFFFFFF);
    hostile.GetStatusInputConfiguration()->SetRaconHealthActiveHigh(0x7FFFFFFF);
    seeds.push_back(Saved(hostile));
    // Numbers no editor takes, in every field that goes out as decimal text.
    Model numbers(nullptr);
    for (AtoN* aton : {numbers.GetRealAtoN(), numbers.GetVirtualAtoN01()->GetAtoN()})
    {
        for (void (AtoN::*set)(int) :
             {&AtoN::SetPositionAccuracy, &AtoN::SetChannel1, &AtoN::SetChannel2, &AtoN::SetPowerLevel,
              &AtoN::SetTypeOfAtoN, &AtoN::SetInlandTypeCode, &AtoN::SetOffPositionThreshold, &AtoN::SetAckProcedure,
              &AtoN::SetOffPositionCheck, &AtoN::SetSyncLossBehaviour})
            (aton->*set)(std::numeric_limits<int>::min());
    }
    numbers.GetVirtualAtoN01()->SetStationKind(std::numeric_limits<int>::min());
    numbers.GetAlertMessages()->SetProximityRadius(std::numeric_limits<int>::min());
    ScheduleEntry entry = numbers.GetMessageSchedule()->GetEntry(0);
    entry.messageId = entry.mode = entry.blockA.startSlot = entry.blockB.startSlot = std::numeric_limits<int>::min();
    numbers.GetMessageSchedule()->SetEntry(0, entry);
    VdlModel* vdl = numbers.GetVdlModel();
    vdl->receiverHour = vdl->receiverMinute = vdl->receiverInterval = vdl->receiverDuration =
        std::numeric_limits<int>::min();
    seeds.push_back(Saved(numbers));
    // What the unit and VDL replies give beyond the editors: long alert texts, a reply's ten-digit
    // MMSI; and characters beyond what a sentence carries.
    Model reported(nullptr);
    reported.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("1073741823"));
    reported.GetRealAtoN()->SetName(QStringLiteral("CAF\u00c9 \u200f\U0001f6a2"));
    reported.GetAlertMessages()->SetBiitText(QString(49, QLatin1Char('B')));
    reported.GetAlertMessages()->SetProximityText(QString(45, QLatin1Char('P')));
    seeds.push_back(Saved(reported));
    return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The application shows notices in message boxes; here they go nowhere.
    static const bool quiet = []
    {
        ModelNotifier::SetHandler({});
        return true;
    }();
    (void)quiet;

    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    Model model(nullptr);
    model.GetVirtualAtoN05()->SetEnabled(true);
    model.GetRepeater()->SetMsg6Repeat(3);
    const QByteArray before = Saved(model);

    QDataStream in(file);
    const bool taken = model.LoadOrKeep(in);
    if (taken != (in.status() == QDataStream::Ok))
        Fail("the load's result disagrees with the stream");
    const QByteArray after = Saved(model);
    if (!taken)
    {
        if (after != before)
            Fail("a failed load changed the configuration");
        return 0;
    }

    // What was taken is a configuration the tool can write and read again, unchanged from then on.
    Model again(nullptr);
    QDataStream back(after);
    if (!again.LoadOrKeep(back))
        Fail("a saved configuration does not load");
    if (Saved(again) != after)
        Fail("a saved configuration loads differently");
    if (const QString fault = SentenceSweep::TextFault(again); !fault.isEmpty())
        Fail(qPrintable(QStringLiteral("a loaded value no source gives: ") + fault));
    if (const QString fault = SentenceSweep::LengthFault(again); !fault.isEmpty())
        Fail(qPrintable(QStringLiteral("a line to the unit: ") + fault));
    UseLoaded(again);
    return 0;
}
