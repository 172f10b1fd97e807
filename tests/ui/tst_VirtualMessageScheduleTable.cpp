// A virtual AtoN's schedule table: what its cells read and allow, and every editor road from a changed
// value into the record's schedule.

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyleOptionViewItem>
#include <QTimeEdit>
#include <QtTest/QtTest>
#include <memory>

#include "model/VirtualAtoNModel.h"
#include "support/GuiTestMain.h"
#include "ui/VirtualMessageScheduleDelegate.h"
#include "ui/VirtualMessageScheduleTableModel.h"

class TestVirtualMessageScheduleTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void cells_data();
    void cells();
    void flagsFollowTheScheme();
    void editors_data();
    void editors();
    void schemeChangeRepaintsTheRow();

private:
    ScheduleEntry Entry() const { return record->GetMessageSchedule()->GetEntry(0); }
    void SetEntry(const ScheduleEntry& entry) { QVERIFY(record->GetMessageSchedule()->SetEntry(0, entry)); }

    std::unique_ptr<QObject> owner;
    VirtualAtoNModel* record = nullptr;
    VirtualMessageScheduleTableModel* table = nullptr;
    VirtualMessageScheduleDelegate* delegate = nullptr;
};

void TestVirtualMessageScheduleTable::init()
{
    owner = std::make_unique<QObject>();
    record = new VirtualAtoNModel(owner.get());
    table = new VirtualMessageScheduleTableModel(record->GetMessageSchedule(), owner.get());
    delegate = new VirtualMessageScheduleDelegate(record->GetMessageSchedule(), owner.get());
    new QAbstractItemModelTester(table, QAbstractItemModelTester::FailureReportingMode::QtTest, owner.get());
}

void TestVirtualMessageScheduleTable::cleanup()
{
    owner.reset();
}

void TestVirtualMessageScheduleTable::cells_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("increment");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("message") << 0 << 6750 << 0 << "21"
                             << "21 ( AtoN Report )";
    QTest::newRow("index") << 0 << 6750 << 1 << "1"
                           << "1 ( Normal Report )";
    QTest::newRow("scheme") << 1 << 6750 << 2 << "RATDMA"
                            << "RATDMA";
    QTest::newRow("start time") << 0 << 6750 << 3 << "10:05"
                                << "10:05";
    QTest::newRow("FATDMA slot") << 0 << 6750 << 4 << "200"
                                 << "200";
    QTest::newRow("RATDMA slot") << 1 << 6750 << 7 << ""
                                 << "Start slots only valid if the Access Scheme is FATDMA";
    QTest::newRow("FATDMA interval") << 0 << 6750 << 5 << "6750 Slots"
                                     << "6750 Slots";
    QTest::newRow("RATDMA minutes") << 1 << 6750 << 8 << "3 Minutes"
                                    << "3 Minutes";
    QTest::newRow("RATDMA part minute") << 1 << 3000 << 5 << "1 Minutes"
                                        << "1 Minutes";
    QTest::newRow("RATDMA off") << 1 << 0 << 5 << "0 Minutes"
                                << "Interval is 0 minutes, therefore this channel is deactivated";
}

void TestVirtualMessageScheduleTable::cells()
{
    QFETCH(int, mode);
    QFETCH(int, increment);
    QFETCH(int, column);
    QFETCH(QString, display);
    QFETCH(QString, toolTip);
    ScheduleEntry entry = Entry();
    entry.mode = mode;
    entry.blockA.startTime = QTime(10, 5);
    entry.blockA.startSlot = 200;
    entry.blockA.increment = increment;
    entry.blockB.increment = increment;
    SetEntry(entry);

    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->columnCount(), 9);
    const QModelIndex index = table->index(0, column);
    QCOMPARE(table->data(index, Qt::DisplayRole).toString(), display);
    QCOMPARE(table->data(index, Qt::ToolTipRole).toString(), toolTip);
    QVERIFY(!table->data(index, Qt::ForegroundRole).isValid());
    QCOMPARE(table->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().isEmpty(), false);
    QVERIFY(!table->headerData(column, Qt::Vertical, Qt::DisplayRole).isValid());
}

void TestVirtualMessageScheduleTable::flagsFollowTheScheme()
{
    // Columns 0 and 1 are never edited; the start slots only under FATDMA; an entry that is not enabled
    // is edited all the same.
    ScheduleEntry entry = Entry();
    entry.enabled = false;
    SetEntry(entry);
    auto editable = [this](int column) { return bool(table->flags(table->index(0, column)) & Qt::ItemIsEditable); };
    QVERIFY(!editable(0));
    QVERIFY(!editable(1));
    for (int column = 2; column < 9; ++column)
        QVERIFY(editable(column));
    QVERIFY(table->setData(table->index(0, 2), 1, Qt::EditRole));
    QVERIFY(!editable(4));
    QVERIFY(!editable(7));
    QVERIFY(editable(5));
    QVERIFY(!table->setData(table->index(0, 0), 8, Qt::EditRole));
    QVERIFY(!table->setData(table->index(0, 3), QTime(1, 2), Qt::DisplayRole));
}

void TestVirtualMessageScheduleTable::editors_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QVariant>("typed");
    QTest::addColumn<ScheduleEntry>("expected");

    const VirtualAtoNModel fresh;
    const ScheduleEntry start = fresh.GetMessageSchedule()->GetEntry(0);
    auto with = [start](auto change)
    {
        ScheduleEntry e = start;
        change(e);
        return e;
    };
    QTest::newRow("scheme") << 0 << 2 << "AccessScheme" << 0 << 0 << QVariant(1)
                            << with([](ScheduleEntry& e) { e.mode = 1; });
    QTest::newRow("time 1") << 0 << 3 << "Channel1StartUTC" << 0 << 0 << QVariant(QTime(7, 45))
                            << with([](ScheduleEntry& e) { e.blockA.startTime = QTime(7, 45); });
    QTest::newRow("slot 2") << 0 << 7 << "Channel2StartSlot" << -1 << 2249 << QVariant(-1)
                            << with([](ScheduleEntry& e) { e.blockB.startSlot = -1; });
    QTest::newRow("slots") << 0 << 5 << "Channel1Interval" << 0 << 3240000 << QVariant(3240000)
                           << with([](ScheduleEntry& e) { e.blockA.increment = 3240000; });
    QTest::newRow("minutes") << 1 << 8 << "Channel2Interval" << 0 << 1440 << QVariant(1440)
                             << with(
                                    [](ScheduleEntry& e)
                                    {
                                        e.mode = 1;
                                        e.blockB.increment = 3240000;
                                    });
}

void TestVirtualMessageScheduleTable::editors()
{
    QFETCH(int, mode);
    QFETCH(int, column);
    QFETCH(QString, objectName);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QVariant, typed);
    QFETCH(ScheduleEntry, expected);
    ScheduleEntry entry = Entry();
    entry.mode = mode;
    SetEntry(entry);
    QWidget parent;
    QSignalSpy edited(delegate, &VirtualMessageScheduleDelegate::DelegateEdited);
    const QModelIndex index = table->index(0, column);
    QVERIFY(!delegate->createEditor(&parent, QStyleOptionViewItem(), table->index(0, 0)));
    QVERIFY(!delegate->createEditor(&parent, QStyleOptionViewItem(), table->index(0, 1)));
    QWidget* editor = delegate->createEditor(&parent, QStyleOptionViewItem(), index);
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), objectName);
    delegate->setEditorData(editor, index);
    // Commit as the view does: every change of the editor goes through commitData to setModelData.
    connect(delegate, &QAbstractItemDelegate::commitData, this,
            [&](QWidget* w) { delegate->setModelData(w, table, index); });

    // An editor opened and closed again writes nothing (a time-based interval is never rounded by it).
    delegate->setModelData(editor, table, index);
    QCOMPARE(edited.size(), 0);

    if (auto* spin = qobject_cast<QSpinBox*>(editor))
    {
        QCOMPARE(spin->minimum(), minimum);
        QCOMPARE(spin->maximum(), maximum);
        spin->setValue(typed.toInt());
    }
    else if (auto* time = qobject_cast<QTimeEdit*>(editor))
    {
        QCOMPARE(time->displayFormat(), QStringLiteral("hh:mm"));
        time->setTime(typed.toTime());
    }
    else
    {
        auto* combo = qobject_cast<QComboBox*>(editor);
        QCOMPARE(combo->count(), 2);
        combo->setCurrentIndex(combo->findData(typed));
    }
    QCOMPARE(edited.size(), 1);
    QCOMPARE(Entry(), expected);
}

void TestVirtualMessageScheduleTable::schemeChangeRepaintsTheRow()
{
    // The scheme changes the row's start slot and interval texts and whether the slots may be edited.
    QSignalSpy changed(table, &QAbstractItemModel::dataChanged);
    QVERIFY(table->setData(table->index(0, 2), 1, Qt::EditRole));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), table->index(0, 0));
    QCOMPARE(changed.at(0).at(1).toModelIndex(), table->index(0, 8));
    changed.clear();
    QVERIFY(table->setData(table->index(0, 5), 2, Qt::EditRole));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), table->index(0, 5));
    QCOMPARE(Entry().blockA.increment, 4500);
}

KELVANE_TEST_GUI_MAIN(TestVirtualMessageScheduleTable)
#include "tst_VirtualMessageScheduleTable.moc"
