#include "model/AtoNDef.h"
#include "model/VirtualAtoNModel.h"
#include "support/SavedBytes.h"
#include "support/TestMain.h"

namespace
{
using KelvaneTest::Saved;
} // namespace

class TestVirtualAtoNModel : public QObject
{
    Q_OBJECT

private slots:
    void newRecord()
    {
        VirtualAtoNModel record(nullptr);
        QVERIFY(!record.IsEnabled());
        QVERIFY(!record.IsSynthetic());
        QCOMPARE(record.GetAtoN()->GetStationKind(), int(AtoNDef::VIRTUAL));
        QCOMPARE(record.GetAtoN()->GetGnssType(), int(AtoNDef::GNSS_SURVEYED));
        QCOMPARE(record.GetAtoNMmsi()->GetIndex(), 1);
        QVERIFY(!record.GetAtoNMmsi()->IsEnabled());
        QCOMPARE(record.GetAtoNName(), QStringLiteral("ATON"));
        MessageSchedule* schedule = record.GetMessageSchedule();
        QVERIFY(schedule->IsVirtual());
        QCOMPARE(schedule->Count(), 1);
        QCOMPARE(schedule->GetEntry(0), ScheduleEntry(21));
        QCOMPARE(schedule->GetAtoN(), record.GetAtoN());
        QCOMPARE(record.GetPosition(), record.GetAtoN()->GetPosition());
    }

    void syntheticSetsStationKind()
    {
        VirtualAtoNModel record(nullptr);
        record.SetSynthetic(true);
        QVERIFY(record.IsSynthetic());
        QCOMPARE(record.GetAtoN()->GetStationKind(), 2);
        record.SetSynthetic(false);
        QCOMPARE(record.GetAtoN()->GetStationKind(), 1);
        record.SetStationKind(0);
        QVERIFY(!record.IsSynthetic());
        QCOMPARE(record.GetAtoN()->GetStationKind(), 0);
    }

    void enabledFollowsTheMmsi()
    {
        VirtualAtoNModel record(nullptr);
        record.SetEnabled(true);
        QVERIFY(record.IsEnabled());
        QVERIFY(record.GetAtoNMmsi()->IsEnabled());
        record.SetEnabled(false);
        QVERIFY(!record.GetAtoNMmsi()->IsEnabled());
    }

    void clearKeepsTheRecordFlags()
    {
        VirtualAtoNModel record(nullptr);
        record.SetEnabled(true);
        record.SetSynthetic(true);
        record.SetAtoNName(QStringLiteral("CHANGED"));
        record.GetAtoN()->SetGnssType(AtoNDef::GNSS_GPS);
        int position = 0;
        QVERIFY(record.GetMessageSchedule()->RemoveEntry(position));
        record.Clear();
        QVERIFY(record.IsEnabled());
        QVERIFY(record.IsSynthetic());
        QVERIFY(!record.GetAtoNMmsi()->IsEnabled());
        QCOMPARE(record.GetAtoNMmsi()->GetIndex(), 1);
        QCOMPARE(record.GetAtoN()->GetStationKind(), 1);
        QCOMPARE(record.GetAtoN()->GetGnssType(), 13);
        QCOMPARE(record.GetAtoNName(), QStringLiteral("ATON"));
        QCOMPARE(record.GetMessageSchedule()->GetEntry(0), ScheduleEntry(21));
    }

    void assignmentCopiesStationAndSchedule()
    {
        VirtualAtoNModel source(nullptr);
        source.SetEnabled(true);
        source.SetSynthetic(true);
        source.SetAtoNName(QStringLiteral("SOURCE"));
        ScheduleEntry entry = source.GetMessageSchedule()->GetEntry(0);
        entry.blockA.startSlot = 42;
        source.GetMessageSchedule()->SetEntry(0, entry);

        VirtualAtoNModel target(nullptr);
        target = source;
        QVERIFY(!target.IsEnabled());
        QVERIFY(!target.IsSynthetic());
        QVERIFY(target.GetAtoNMmsi()->IsEnabled());      // comes with the station
        QCOMPARE(target.GetAtoN()->GetStationKind(), 2); // so does the kind
        QCOMPARE(target.GetAtoNName(), QStringLiteral("SOURCE"));
        QCOMPARE(target.GetMessageSchedule()->GetEntry(0).blockA.startSlot, 42);
        QCOMPARE(target.GetMessageSchedule()->GetAtoN(), target.GetAtoN());

        // Assigned to itself through another name, as a copy loop over a list can do.
        const auto& same = target;
        target = same;
        QCOMPARE(target.GetAtoNName(), QStringLiteral("SOURCE"));
    }

    void savedLayout()
    {
        VirtualAtoNModel record(nullptr);
        record.SetEnabled(true);
        const QByteArray bytes = Saved(record);
        // version, enabled, synthetic, then the station's own version
        QCOMPARE(bytes.left(10), QByteArray::fromHex("00000002"
                                                     "01"
                                                     "00"
                                                     "00000002"));
        // The schedule closes the record: version, one entry of 37 bytes.
        QCOMPARE(bytes.right(45).left(8), QByteArray::fromHex("00000002"
                                                              "00000001"));
    }

    void loadTakesFlagsAsStored()
    {
        VirtualAtoNModel source(nullptr);
        source.SetEnabled(true);
        source.SetSynthetic(true);
        source.SetAtoNName(QStringLiteral("BUOY 7"));
        QByteArray bytes = Saved(source);
        // Stored flags that disagree with the station: enabled 0, synthetic 1.
        bytes[4] = 0;
        VirtualAtoNModel target(nullptr);
        QDataStream in(bytes);
        target.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(!target.IsEnabled());
        QVERIFY(target.IsSynthetic());
        QVERIFY(target.GetAtoNMmsi()->IsEnabled());
        QCOMPARE(target.GetAtoN()->GetStationKind(), 2);
        QCOMPARE(target.GetAtoNName(), QStringLiteral("BUOY 7"));
        QCOMPARE(target.GetMessageSchedule()->Count(), 1);
    }

    void truncatedLoadReportsTheStream()
    {
        VirtualAtoNModel source(nullptr);
        const QByteArray bytes = Saved(source);
        for (int length : {0, 5, 6, 50, int(bytes.size()) - 1})
        {
            VirtualAtoNModel target(nullptr);
            QDataStream in(bytes.left(length));
            target.Load(in);
            QCOMPARE(in.status(), QDataStream::ReadPastEnd);
        }
    }
};

KELVANE_TEST_MAIN(TestVirtualAtoNModel)
#include "tst_VirtualAtoNModel.moc"
