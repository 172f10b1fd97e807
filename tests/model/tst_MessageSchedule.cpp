#include "model/AtoN.h"
#include "model/MessageSchedule.h"
#include "support/SavedBytes.h"
#include "support/TestMain.h"

#include <QSignalSpy>

namespace
{

using KelvaneTest::Saved;

// One stored entry, field by field as the file lays it out (big-endian, 37 bytes).
QByteArray EntryBytes(const char* hex)
{
    return QByteArray::fromHex(hex);
}

// Enables the entry at `position` the way the schedule tab does.
void EnableAt(MessageSchedule& schedule, int position)
{
    ScheduleEntry entry = schedule.GetEntry(position);
    entry.enabled = true;
    entry.blockA.startSlot = 0;
    entry.blockB.startSlot = 0;
    QVERIFY(schedule.SetEntry(position, entry));
}

} // namespace

class TestMessageSchedule : public QObject
{
    Q_OBJECT

private slots:
    void normalLayout()
    {
        MessageSchedule schedule(false, false, nullptr);
        QCOMPARE(schedule.Count(), 18);
        QCOMPARE(schedule.CountVisibleEntries(), 2);
        int position = -7;
        QVERIFY(!schedule.PositionOfRow(2, position));
        QCOMPARE(position, -7);

        const ScheduleEntry first = schedule.GetEntry(0);
        QCOMPARE(first, ScheduleEntry(21));
        QVERIFY(first.enabled);
        QCOMPARE(first.blockA.increment, 6750);
        QCOMPARE(first.blockB.startTime, QTime(0, 0));

        const ScheduleEntry second = schedule.GetEntry(1);
        QCOMPARE(second.messageId, 21);
        QCOMPARE(second.index, 2);
        QVERIFY(!second.enabled);
        QCOMPARE(second.blockA.startSlot, -1);

        const int groups[] = {6, 8, 12, 14};
        int expectedPosition = 2;
        for (int messageId : groups)
        {
            QCOMPARE(schedule.FirstPositionOf(messageId), expectedPosition);
            QCOMPARE(schedule.LastPositionOf(messageId), expectedPosition + 3);
            for (int index = 1; index <= 4; ++index, ++expectedPosition)
            {
                const ScheduleEntry entry = schedule.GetEntry(expectedPosition);
                QCOMPARE(entry.messageId, messageId);
                QCOMPARE(entry.index, index);
                QVERIFY(!entry.enabled);
                QCOMPARE(entry.blockB.startSlot, -1);
                QCOMPARE(entry.blockB.increment, 6750);
            }
        }
        QCOMPARE(schedule.LastPositionOf(21), 1);
        QCOMPARE(schedule.LastPositionOf(7), 0);
    }

    void virtualAndReceiverLayouts()
    {
        MessageSchedule virtualSchedule(true, true, nullptr);
        QCOMPARE(virtualSchedule.Count(), 1);
        QCOMPARE(virtualSchedule.GetEntry(0), ScheduleEntry(21));

        MessageSchedule receiver(false, true, nullptr);
        QCOMPARE(receiver.Count(), 1);
        QCOMPARE(receiver.GetEntry(0), ScheduleEntry(0));
        QCOMPARE(receiver.LastPositionOf(6), 0);
        QCOMPARE(receiver.FirstPositionOf(14), 0);
        QVERIFY(!receiver.CheckCode(0)); // enabled, so not free
        QVERIFY(receiver.DisableEntry(0));
        QVERIFY(receiver.CheckCode(0));
        int position = 0;
        QVERIFY(!receiver.AddEntry(6, position));
        QVERIFY(receiver.AddEntry(0, position));
        QVERIFY(receiver.GetEntry(0).enabled);
        position = 1;
        QVERIFY(!receiver.AddEntry(0, position));
    }

    void outsideTheListGivesDefaults()
    {
        MessageSchedule schedule(true, false, nullptr);
        QCOMPARE(schedule.GetEntry(-1), ScheduleEntry());
        QCOMPARE(schedule.GetEntry(1), ScheduleEntry());
        QVERIFY(!schedule.SetEntry(1, ScheduleEntry()));
        QCOMPARE(schedule.GetEntryMode(5), 0);
        QCOMPARE(schedule.GetEntryWithMode(3, 0), ScheduleEntry());
        int id = 0, index = 0;
        QVERIFY(!schedule.GetMessageAndIndex(1, id, index));
        QVERIFY(!schedule.EnableEntry(4));
        QVERIFY(!schedule.DisableEntry(-2));
        int row = 0;
        QVERIFY(!schedule.GetVisibleRow(9, row));
        int position = 0;
        QVERIFY(!schedule.PositionOfRow(1, position)); // only position 0 exists
        QVERIFY(schedule.PositionOfRow(0, position));
        QCOMPARE(position, 0);
        QVERIFY_THROWS_EXCEPTION(std::bad_alloc, schedule.SetAtoN(nullptr));
    }

    void codes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("position");
        QTest::newRow("6") << 6 << true << 2;
        QTest::newRow("106") << 106 << true << 3;
        QTest::newRow("206") << 206 << true << 4;
        QTest::newRow("306") << 306 << true << 5;
        QTest::newRow("8") << 8 << true << 6;
        QTest::newRow("208") << 208 << true << 8;
        QTest::newRow("112") << 112 << true << 11;
        QTest::newRow("314") << 314 << true << 17;
        QTest::newRow("207") << 207 << false << -1;
        QTest::newRow("406") << 406 << false << -1;
        QTest::newRow("21") << 21 << false << -1;
        QTest::newRow("0 in a normal schedule") << 0 << false << -1;
        QTest::newRow("negative") << -106 << false << -1;
    }

    void codes()
    {
        QFETCH(int, code);
        QFETCH(bool, valid);
        QFETCH(int, position);
        MessageSchedule schedule(false, false, nullptr);
        QCOMPARE(schedule.CheckCode(code), valid);
        QCOMPARE(schedule.EnableByCode(code), valid);
        if (!valid)
        {
            QCOMPARE(schedule.CountVisibleEntries(), 2);
            return;
        }
        const ScheduleEntry entry = schedule.GetEntry(position);
        QCOMPARE(entry.messageId, code % 100);
        QVERIFY(entry.enabled);
        QCOMPARE(entry.index, 1);
        QCOMPARE(entry.blockA.startSlot, 0);
        QCOMPARE(entry.blockB.startSlot, 0);
        QVERIFY(!schedule.CheckCode(code));
        QVERIFY(!schedule.EnableByCode(code));
        QCOMPARE(schedule.CountEnabled(code % 100), 1);
        QCOMPARE(schedule.GetEnabledFlags(code % 100)[size_t(code / 100)], true);
    }

    void addMessage21()
    {
        MessageSchedule schedule(false, false, nullptr);
        QSignalSpy spy(&schedule, &MessageSchedule::off_position_checked);
        int position = 1;
        QVERIFY(schedule.AddEntry(21, position));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), false);
        const ScheduleEntry entry = schedule.GetEntry(1);
        QVERIFY(entry.enabled);
        QCOMPARE(entry.blockA.startSlot, -1);
        QCOMPARE(entry.blockB.startSlot, -1);

        position = 0;
        QVERIFY(schedule.AddEntry(21, position));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(schedule.GetEntry(0).blockA.startSlot, 0);
    }

    // A message 21 record may only land on the two message 21 positions; anything else would overwrite
    // a binary message entry.
    void message21OnlyAtItsOwnPositions_data()
    {
        QTest::addColumn<bool>("virtualAtoN");
        QTest::addColumn<int>("position");
        QTest::newRow("normal, 2") << false << 2;
        QTest::newRow("normal, 17") << false << 17;
        QTest::newRow("normal, 18") << false << 18;
        QTest::newRow("normal, -1") << false << -1;
        QTest::newRow("virtual, 1") << true << 1;
    }

    void message21OnlyAtItsOwnPositions()
    {
        QFETCH(bool, virtualAtoN);
        QFETCH(int, position);
        MessageSchedule schedule(virtualAtoN, false, nullptr);
        const QList<ScheduleEntry> before = schedule.GetEntries();
        QSignalSpy spy(&schedule, &MessageSchedule::off_position_checked);
        QVERIFY(!schedule.AddEntry(21, position));
        QCOMPARE(schedule.GetEntries(), before);
        QCOMPARE(spy.count(), 0);
    }

    void addBinaryEntry_data()
    {
        QTest::addColumn<int>("messageId");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("position");
        QTest::newRow("6, first") << 6 << 0 << true << 2;
        QTest::newRow("6, third") << 6 << 2 << true << 4;
        QTest::newRow("12, fourth") << 12 << 3 << true << 13;
        QTest::newRow("14, second") << 14 << 1 << true << 15;
        QTest::newRow("8, number 4") << 8 << 4 << false << 4;
        QTest::newRow("8, number -1") << 8 << -1 << false << -1;
        QTest::newRow("message 0") << 0 << 0 << false << 0;
        QTest::newRow("message 5") << 5 << 0 << false << 0;
    }

    void addBinaryEntry()
    {
        QFETCH(int, messageId);
        QFETCH(int, number);
        QFETCH(bool, accepted);
        QFETCH(int, position);
        MessageSchedule schedule(false, false, nullptr);
        int inOut = number;
        QCOMPARE(schedule.AddEntry(messageId, inOut), accepted);
        QCOMPARE(inOut, position);
        if (accepted)
        {
            const ScheduleEntry entry = schedule.GetEntry(position);
            QCOMPARE(entry.messageId, messageId);
            QVERIFY(entry.enabled);
            QCOMPARE(entry.blockA.startSlot, 0);
            QCOMPARE(schedule.CountVisibleEntries(), 3);
        }
    }

    void addBinaryEntryNeedsAFreeEntry()
    {
        MessageSchedule schedule(false, false, nullptr);
        for (int number = 0; number < 4; ++number)
        {
            int position = number;
            QVERIFY(schedule.AddEntry(8, position));
        }
        int position = 0;
        QVERIFY(!schedule.FindFreeEntry(8, position));
        QVERIFY(!schedule.AddEntry(8, position));
    }

    void removeMessage21MovesTheSecondUp()
    {
        MessageSchedule schedule(false, false, nullptr);
        int position = 1;
        QVERIFY(schedule.AddEntry(21, position));
        ScheduleEntry second = schedule.GetEntry(1);
        second.blockA.startSlot = 1234;
        second.mode = 1;
        QVERIFY(schedule.SetEntry(1, second));

        QVERIFY(schedule.RemoveEntry(0));
        QCOMPARE(schedule.GetEntry(0), second);
        QCOMPARE(schedule.GetEntry(1), ScheduleEntry::Disabled(21));
        QVERIFY(!schedule.RemoveEntry(1)); // already disabled
        QCOMPARE(schedule.Count(), 18);
    }

    void removeBinaryEntry()
    {
        MessageSchedule schedule(false, false, nullptr);
        QVERIFY(schedule.EnableByCode(112));
        QVERIFY(schedule.RemoveEntry(11));
        QCOMPARE(schedule.GetEntry(11), ScheduleEntry::Disabled(12));
        QVERIFY(!schedule.RemoveEntry(11));
        QVERIFY(!schedule.RemoveEntry(18));
        QVERIFY(!schedule.RemoveEntry(-1));
    }

    // The message 21 group reaches position 1, which a one-entry schedule does not have.
    void removeFromAOneEntrySchedule()
    {
        MessageSchedule schedule(true, false, nullptr);
        QVERIFY(schedule.RemoveEntry(0));
        QCOMPARE(schedule.Count(), 1);
        QCOMPARE(schedule.GetEntry(0), ScheduleEntry::Disabled(21));
        QVERIFY(schedule.EnableEntry(0));
        QVERIFY(schedule.GetEntry(0).enabled);
        QCOMPARE(schedule.GetEntry(0).blockA.startSlot, 0);
    }

    void enableAndDisableEntry()
    {
        MessageSchedule schedule(false, false, nullptr);
        QVERIFY(schedule.EnableEntry(1));
        QVERIFY(!schedule.EnableEntry(1));
        ScheduleEntry entry = schedule.GetEntry(1);
        entry.mode = 1;
        schedule.SetEntry(1, entry);
        QVERIFY(schedule.DisableEntry(1));
        entry = schedule.GetEntry(1);
        QCOMPARE(entry.mode, 0);
        QCOMPARE(entry.blockA.startSlot, -1);
        QVERIFY(!entry.enabled);
        QVERIFY(!schedule.EnableEntry(2)); // message 6: only by code
        QVERIFY(schedule.EnableByCode(6));
        QVERIFY(!schedule.DisableEntry(2));
    }

    void setEntryHoldsIncrements_data()
    {
        QTest::addColumn<int>("given");
        QTest::addColumn<int>("stored");
        QTest::newRow("negative") << -5 << 0;
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("day") << 3240000 << 3240000;
        QTest::newRow("four million") << 4000000 << 3240000;
        QTest::newRow("int max") << std::numeric_limits<int>::max() << 3240000;
        QTest::newRow("int min") << std::numeric_limits<int>::min() << 0;
    }

    void setEntryHoldsIncrements()
    {
        QFETCH(int, given);
        QFETCH(int, stored);
        MessageSchedule schedule(false, false, nullptr);
        ScheduleEntry entry;
        entry.blockA.increment = given;
        entry.blockB.increment = given;
        QVERIFY(schedule.SetEntry(3, entry));
        QCOMPARE(schedule.GetEntry(3).blockA.increment, stored);
        QCOMPARE(schedule.GetEntry(3).blockB.increment, stored);
    }

    void rowsFollowTheGroups()
    {
        MessageSchedule schedule(false, false, nullptr);
        // Enabled: 6 #2 and #4, 8 #1, 14 #3 and #4.
        for (int position : {3, 5, 6, 16, 17})
            EnableAt(schedule, position);
        QCOMPARE(schedule.CountVisibleEntries(), 7);
        const int expected[] = {0, 1, 3, 5, 6, 16, 17};
        for (int row = 0; row < 7; ++row)
        {
            int position = -1;
            QVERIFY2(schedule.PositionOfRow(row, position), qPrintable(QString::number(row)));
            QCOMPARE(position, expected[row]);
            int back = -1;
            if (schedule.GetEntry(position).enabled)
            {
                QVERIFY(schedule.GetVisibleRow(position, back));
                QCOMPARE(back, row);
            }
        }
        int position = 0;
        QVERIFY(!schedule.PositionOfRow(7, position));
        QVERIFY(!schedule.PositionOfRow(-1, position));
        int row = 99;
        QVERIFY(!schedule.GetVisibleRow(1, row)); // disabled second report
        QCOMPARE(row, 99);

        const std::array<bool, 4> flags = schedule.GetEnabledFlags(6);
        QCOMPARE(flags, (std::array<bool, 4>{false, true, false, true}));
        QVERIFY(!schedule.IsMessage6Enabled(1));
        QVERIFY(schedule.IsMessage6Enabled(2));
        QVERIFY(schedule.IsMessage6Enabled(4));
        QVERIFY(!schedule.IsMessage6Enabled(5));
        QVERIFY(!schedule.IsMessage6Enabled(0));
        QCOMPARE(schedule.CountEnabled(14), 2);
    }

    void messageAndIndexCountsLowerPositions()
    {
        MessageSchedule schedule(false, false, nullptr);
        int id = 0, index = 0;
        QVERIFY(schedule.GetMessageAndIndex(9, id, index));
        QCOMPARE(id, 8);
        QCOMPARE(index, 4);
        QVERIFY(schedule.GetMessageAndIndex(1, id, index));
        QCOMPARE(id, 21);
        QCOMPARE(index, 2);
    }

    void entryWithModeRestoresIndexTwo()
    {
        MessageSchedule schedule(false, false, nullptr);
        QByteArray bytes = Saved(schedule);
        MessageSchedule loaded(false, false, nullptr);
        QDataStream in(bytes);
        loaded.Load(in);
        QCOMPARE(loaded.GetEntry(1).index, 1);
        QCOMPARE(loaded.GetEntryWithMode(1, 1), ScheduleEntry()); // mode differs
        QCOMPARE(loaded.GetEntry(1).index, 2);
        QCOMPARE(loaded.GetEntryWithMode(0, 0), loaded.GetEntry(0));
    }

    void assignmentCopiesEntriesOnly()
    {
        AtoN first, second;
        MessageSchedule source(false, false, nullptr);
        source.SetAtoN(&first);
        QVERIFY(source.EnableByCode(308));
        MessageSchedule target(true, false, nullptr);
        target.SetAtoN(&second);
        target = source;
        QCOMPARE(target.GetEntries(), source.GetEntries());
        QVERIFY(target.IsVirtual());
        QCOMPARE(target.GetAtoN(), &second);
    }

    // ---- the stored form ------------------------------------------------------------------------

    void savedBytesOfAVirtualSchedule()
    {
        MessageSchedule schedule(true, false, nullptr);
        const QByteArray expected = QByteArray::fromHex("00000002"
                                                        "00000001") +
                                    EntryBytes("00000015"
                                               "00000000"
                                               "00000000"
                                               "00000000"
                                               "00001a5e"
                                               "00000000"
                                               "00000000"
                                               "00001a5e"
                                               "01"
                                               "00000000");
        QCOMPARE(Saved(schedule), expected);
    }

    void timeBasedIncrementsAreStoredInMinutes_data()
    {
        QTest::addColumn<int>("increment");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("loaded");
        QTest::newRow("three minutes") << 6750 << QByteArray::fromHex("00000003") << 6750;
        QTest::newRow("a little more") << 7000 << QByteArray::fromHex("00000003") << 6750;
        QTest::newRow("below a minute") << 2000 << QByteArray::fromHex("00000000") << 0;
        QTest::newRow("a day") << 3240000 << QByteArray::fromHex("000005a0") << 3240000;
    }

    void timeBasedIncrementsAreStoredInMinutes()
    {
        QFETCH(int, increment);
        QFETCH(QByteArray, stored);
        QFETCH(int, loaded);
        MessageSchedule schedule(true, false, nullptr);
        ScheduleEntry entry = schedule.GetEntry(0);
        entry.mode = 1;
        entry.blockA.increment = increment;
        entry.blockB.increment = increment;
        entry.blockA.startTime = QTime(13, 45);
        schedule.SetEntry(0, entry);
        const QByteArray bytes = Saved(schedule);
        // version, count, id, mode, time A, slot A, increment A
        QCOMPARE(bytes.mid(8, 4), QByteArray::fromHex("00000015"));
        QCOMPARE(bytes.mid(12, 4), QByteArray::fromHex("00000001"));
        QCOMPARE(bytes.mid(16, 4), QByteArray::fromHex("02f34f60")); // 13:45 = 49500000 ms
        QCOMPARE(bytes.mid(24, 4), stored);
        QCOMPARE(bytes.mid(36, 4), stored);

        MessageSchedule back(true, false, nullptr);
        QDataStream in(bytes);
        back.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QCOMPARE(back.GetEntry(0).blockA.increment, loaded);
        QCOMPARE(back.GetEntry(0).blockB.increment, loaded);
        QCOMPARE(back.GetEntry(0).blockA.startTime, QTime(13, 45));
    }

    void noTimeMarker()
    {
        MessageSchedule schedule(true, false, nullptr);
        ScheduleEntry entry = schedule.GetEntry(0);
        entry.blockB.noTime = true;
        schedule.SetEntry(0, entry);
        const QByteArray bytes = Saved(schedule);
        QCOMPARE(bytes.mid(16, 4), QByteArray::fromHex("00000000"));
        QCOMPARE(bytes.mid(28, 4), QByteArray::fromHex("05265c00")); // 86400000

        MessageSchedule back(true, false, nullptr);
        QDataStream in(bytes);
        back.Load(in);
        QVERIFY(!back.GetEntry(0).blockA.noTime);
        QVERIFY(back.GetEntry(0).blockB.noTime);
        QVERIFY(!back.GetEntry(0).blockB.startTime.isValid());
        QCOMPARE(Saved(back), bytes);
    }

    void loadSetsIndexOneAndKeepsEveryField()
    {
        MessageSchedule schedule(false, false, nullptr);
        ScheduleEntry entry(12);
        entry.index = 3;
        entry.mode = 0;
        entry.blockA = {false, QTime(1, 2, 3, 4), 77, 1125};
        entry.blockB = {true, QTime(), -1, 2250};
        entry.enabled = true;
        entry.further = -9;
        schedule.SetEntry(12, entry);

        MessageSchedule back(false, false, nullptr);
        const QByteArray bytes = Saved(schedule);
        QDataStream in(bytes);
        back.Load(in);
        entry.index = 1;
        QCOMPARE(back.GetEntry(12), entry);
        QCOMPARE(back.Count(), 18);
    }

    void countZeroLoadsEmpty()
    {
        MessageSchedule schedule(false, false, nullptr);
        const QByteArray bytes = QByteArray::fromHex("00000002"
                                                     "00000000");
        QDataStream in(bytes);
        schedule.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QCOMPARE(schedule.Count(), 0);
        QCOMPARE(schedule.CountVisibleEntries(), 0);
        int position = 0;
        QVERIFY(!schedule.PositionOfRow(0, position));
        QVERIFY(!schedule.FindFreeEntry(21, position));
        QVERIFY(!schedule.AddEntry(21, position));
        position = 0;
        QVERIFY(!schedule.AddEntry(6, position));
        QVERIFY(!schedule.RemoveEntry(0));
        QVERIFY(!schedule.EnableByCode(6));
        QVERIFY(!schedule.CheckCode(0));
        QCOMPARE(schedule.GetEnabledFlags(6), (std::array<bool, 4>{false, false, false, false}));
        QCOMPARE(Saved(schedule), bytes);
    }

    // A real AtoN schedule of another length (from a file or another program): every group operation
    // stays inside the list.
    void shortNormalScheduleStaysInside()
    {
        MessageSchedule source(false, false, nullptr);
        QByteArray bytes = Saved(source);
        // Keep four entries: 21, 21, 6, 6.
        bytes.replace(4, 4, QByteArray::fromHex("00000004"));
        bytes.truncate(8 + 4 * 37);
        MessageSchedule schedule(false, false, nullptr);
        QDataStream in(bytes);
        schedule.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QCOMPARE(schedule.Count(), 4);

        int position = 0;
        QVERIFY(schedule.CheckCode(106));
        QVERIFY(!schedule.CheckCode(206));
        QVERIFY(!schedule.EnableByCode(206));
        QVERIFY(!schedule.EnableByCode(8));
        position = 2;
        QVERIFY(!schedule.AddEntry(6, position)); // group position 4 is past the end
        position = 1;
        QVERIFY(schedule.AddEntry(6, position));
        QCOMPARE(position, 3);
        position = 0;
        QVERIFY(!schedule.AddEntry(14, position));
        QCOMPARE(schedule.CountEnabled(6), 1);
        QCOMPARE(schedule.CountEnabled(14), 0);
        QCOMPARE(schedule.GetEnabledFlags(6), (std::array<bool, 4>{false, true, false, false}));
        QVERIFY(schedule.PositionOfRow(2, position));
        QCOMPARE(position, 3);
        QVERIFY(!schedule.PositionOfRow(3, position));
        QVERIFY(schedule.RemoveEntry(3));
        QVERIFY(schedule.PositionOfRow(1, position));
    }

    void corruptCounts_data()
    {
        QTest::addColumn<QByteArray>("count");
        QTest::newRow("negative") << QByteArray::fromHex("ffffffff");
        QTest::newRow("int min") << QByteArray::fromHex("80000000");
        QTest::newRow("absurd") << QByteArray::fromHex("7fffffff");
        QTest::newRow("just too many") << QByteArray::fromHex("00000401");
    }

    void corruptCounts()
    {
        QFETCH(QByteArray, count);
        MessageSchedule schedule(false, false, nullptr);
        const QByteArray bytes = QByteArray::fromHex("00000002") + count + QByteArray(64, '\0');
        QDataStream in(bytes);
        schedule.Load(in);
        QCOMPARE(in.status(), QDataStream::ReadCorruptData);
        QCOMPARE(schedule.Count(), 0);
    }

    void truncatedEntriesStop()
    {
        MessageSchedule source(false, false, nullptr);
        const QByteArray bytes = Saved(source);
        for (int length : {0, 3, 7, 8, 20, 44, 45, int(bytes.size()) - 1})
        {
            MessageSchedule schedule(false, false, nullptr);
            QDataStream in(bytes.left(length));
            schedule.Load(in);
            QCOMPARE(in.status(), QDataStream::ReadPastEnd);
            QVERIFY(schedule.Count() <= (length - 8) / 37 + 1);
        }
    }

    void hugeMinutesSaturate()
    {
        // RATDMA entry whose increments in minutes overflow 32 bits once turned into slots.
        const QByteArray bytes = QByteArray::fromHex("00000002"
                                                     "00000001") +
                                 EntryBytes("00000015"
                                            "00000001"
                                            "00000000"
                                            "00000000"
                                            "7fffffff"
                                            "00000000"
                                            "00000000"
                                            "80000000"
                                            "01"
                                            "00000000");
        MessageSchedule schedule(true, false, nullptr);
        QDataStream in(bytes);
        schedule.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QCOMPARE(schedule.GetEntry(0).blockA.increment, 3240000);
        QCOMPARE(schedule.GetEntry(0).blockB.increment, 0);
    }
};

KELVANE_TEST_MAIN(TestMessageSchedule)
#include "tst_MessageSchedule.moc"
