#include <QAbstractItemModelTester>
#include <QColor>
#include <QComboBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTimeEdit>
#include <QtTest/QtTest>
#include <memory>

#include "model/Model.h"
#include "support/GuiTestMain.h"
#include "ui/MessageScheduleDelegate.h"
#include "ui/MessageScheduleTableModel.h"

namespace
{

constexpr int FATDMA = 0;
constexpr int RATDMA = 1;
constexpr int CSTDMA = 2;

} // namespace

class TestMessageScheduleTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void newScheduleShowsTwoReports();
    void headers();
    void cellTexts_data();
    void cellTexts();
    void alertIndices_data();
    void alertIndices();
    void flags_data();
    void flags();
    void setDataConversions_data();
    void setDataConversions();
    void setDataRefusals();
    void editors_data();
    void editors();
    void editorFillIsNotAnEdit();
    void untouchedEditorWritesNothing_data();
    void untouchedEditorWritesNothing();
    void everyEditorChangeCommitsAtOnce();
    void schemeEditorOnCstdmaRow();

private:
    // Enables the binary entry of a code and returns its row.
    int Enable(int code);
    ScheduleEntry EntryOfRow(int row) const;
    void SetEntryOfRow(int row, const ScheduleEntry& entry);

    std::unique_ptr<Model> model;
    MessageScheduleTableModel* table = nullptr;
    MessageScheduleDelegate* delegate = nullptr;
    std::unique_ptr<QObject> owner;
};

void TestMessageScheduleTable::init()
{
    model = std::make_unique<Model>();
    owner = std::make_unique<QObject>();
    table = new MessageScheduleTableModel(model->GetMessageSchedule(), model->GetAlertMessages(), owner.get());
    delegate = new MessageScheduleDelegate(model->GetMessageSchedule(), owner.get());
    new QAbstractItemModelTester(table, QAbstractItemModelTester::FailureReportingMode::QtTest, owner.get());
}

void TestMessageScheduleTable::cleanup()
{
    owner.reset();
    model.reset();
}

int TestMessageScheduleTable::Enable(int code)
{
    MessageSchedule* schedule = model->GetMessageSchedule();
    int position = -1;
    [&] { QVERIFY(schedule->PositionOfCode(code, position)); }();
    table->Reset();
    [&] { QVERIFY(schedule->EnableByCode(code)); }();
    table->Reset();
    int row = -1;
    schedule->GetVisibleRow(position, row);
    return row;
}

ScheduleEntry TestMessageScheduleTable::EntryOfRow(int row) const
{
    int position = -1;
    model->GetMessageSchedule()->PositionOfRow(row, position);
    return model->GetMessageSchedule()->GetEntry(position);
}

void TestMessageScheduleTable::SetEntryOfRow(int row, const ScheduleEntry& entry)
{
    int position = -1;
    QVERIFY(model->GetMessageSchedule()->PositionOfRow(row, position));
    QVERIFY(model->GetMessageSchedule()->SetEntry(position, entry));
    table->Reset();
}

void TestMessageScheduleTable::newScheduleShowsTwoReports()
{
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->columnCount(), 9);
    QCOMPARE(table->data(table->index(0, 0)).toString(), QStringLiteral("21"));
    QCOMPARE(table->data(table->index(0, 0), Qt::ToolTipRole).toString(), QStringLiteral("21 ( AtoN Report )"));
    QCOMPARE(table->data(table->index(0, 1)).toString(), QStringLiteral("1"));
    QCOMPARE(table->data(table->index(0, 1), Qt::ToolTipRole).toString(), QStringLiteral("1 ( Normal Report )"));
    QCOMPARE(table->data(table->index(1, 1)).toString(), QStringLiteral("2"));
    QCOMPARE(table->data(table->index(1, 1), Qt::ToolTipRole).toString(), QStringLiteral("2 ( Off-position Report )"));
    QCOMPARE(table->data(table->index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    QCOMPARE(table->data(table->index(1, 4), Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray));
    QVERIFY(!table->data(table->index(0, 0), Qt::EditRole).isValid());
    QVERIFY(!table->data(table->index(0, 0), Qt::BackgroundRole).isValid());
}

void TestMessageScheduleTable::headers()
{
    const QStringList expected = {QStringLiteral("Message\nID"),           QStringLiteral("Index"),
                                  QStringLiteral("Access\nScheme"),        QStringLiteral("Channel 1\nStart UTC"),
                                  QStringLiteral("Channel 1\nStart Slot"), QStringLiteral("Channel 1\nInterval"),
                                  QStringLiteral("Channel 2\nStart UTC"),  QStringLiteral("Channel 2\nStart Slot"),
                                  QStringLiteral("Channel 2\nInterval")};
    for (int section = 0; section < expected.size(); ++section)
    {
        QCOMPARE(table->headerData(section, Qt::Horizontal).toString(), expected.at(section));
        QVERIFY(!table->headerData(section, Qt::Vertical).isValid());
        QVERIFY(!table->headerData(section, Qt::Horizontal, Qt::ToolTipRole).isValid());
    }
    QVERIFY(!table->headerData(9, Qt::Horizontal).isValid());
}

void TestMessageScheduleTable::cellTexts_data()
{
    QTest::addColumn<int>("code"); // 0: the normal report row
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("incrementA");
    QTest::addColumn<int>("column");
    QTest::addColumn<QVariant>("display");
    QTest::addColumn<QVariant>("toolTip");

    const QString fatdmaOnly = QStringLiteral("Start slots only valid if the Access Scheme is FATDMA");
    const QString deactivated = QStringLiteral("Interval is 0 minutes, therefore this channel is deactivated");

    QTest::newRow("msg 6 id") << 6 << FATDMA << 6750 << 0 << QVariant(QStringLiteral("6"))
                              << QVariant(QStringLiteral("6 ( Binary Addressed Message )"));
    QTest::newRow("msg 8 id") << 108 << FATDMA << 6750 << 0 << QVariant(QStringLiteral("8"))
                              << QVariant(QStringLiteral("8 ( Binary Broadcast Message )"));
    QTest::newRow("msg 8 index 2") << 108 << FATDMA << 6750 << 1 << QVariant(2) << QVariant(2);
    QTest::newRow("msg 12 id") << 12 << FATDMA << 6750 << 0 << QVariant(QStringLiteral("12"))
                               << QVariant(QStringLiteral("12 ( Binary Broadcast Message )"));
    QTest::newRow("msg 14 id") << 14 << FATDMA << 6750 << 0 << QVariant(QStringLiteral("14"))
                               << QVariant(QStringLiteral("14 ( Binary Broadcast Message )"));
    QTest::newRow("scheme FATDMA") << 0 << FATDMA << 6750 << 2 << QVariant(QStringLiteral("FATDMA"))
                                   << QVariant(QStringLiteral("FATDMA"));
    QTest::newRow("scheme RATDMA") << 0 << RATDMA << 6750 << 2 << QVariant(QStringLiteral("RATDMA"))
                                   << QVariant(QStringLiteral("RATDMA"));
    QTest::newRow("scheme CSTDMA") << 0 << CSTDMA << 6750 << 2 << QVariant(QStringLiteral("CSTDMA"))
                                   << QVariant(QStringLiteral("CSTDMA"));
    QTest::newRow("scheme 7") << 0 << 7 << 6750 << 2 << QVariant() << QVariant();
    QTest::newRow("start time") << 0 << FATDMA << 6750 << 3 << QVariant(QStringLiteral("00:00"))
                                << QVariant(QStringLiteral("00:00"));
    QTest::newRow("FATDMA slot") << 0 << FATDMA << 6750 << 4 << QVariant(0) << QVariant(0);
    QTest::newRow("RATDMA slot") << 0 << RATDMA << 6750 << 4 << QVariant(QString()) << QVariant(fatdmaOnly);
    QTest::newRow("FATDMA interval") << 0 << FATDMA << 6750 << 5 << QVariant(QStringLiteral("6750 Slots"))
                                     << QVariant(QStringLiteral("6750 Slots"));
    QTest::newRow("RATDMA interval") << 0 << RATDMA << 6750 << 5 << QVariant(QStringLiteral("3 Minutes"))
                                     << QVariant(QStringLiteral("3 Minutes"));
    QTest::newRow("RATDMA interval rounds down")
        << 0 << RATDMA << 4499 << 5 << QVariant(QStringLiteral("1 Minutes")) << QVariant(QStringLiteral("1 Minutes"));
    QTest::newRow("RATDMA interval 0") << 0 << RATDMA << 0 << 5 << QVariant(QStringLiteral("0 Minutes"))
                                       << QVariant(deactivated);
    QTest::newRow("CSTDMA interval 0") << 0 << CSTDMA << 2249 << 5 << QVariant(QStringLiteral("0 Minutes"))
                                       << QVariant(deactivated);
    QTest::newRow("FATDMA interval 0") << 0 << FATDMA << 0 << 5 << QVariant(QStringLiteral("0 Slots"))
                                       << QVariant(QStringLiteral("0 Slots"));
    QTest::newRow("channel 2 slot") << 0 << FATDMA << 0 << 7 << QVariant(0) << QVariant(0);
    QTest::newRow("channel 2 RATDMA slot") << 0 << RATDMA << 0 << 7 << QVariant(QString()) << QVariant(fatdmaOnly);
}

void TestMessageScheduleTable::cellTexts()
{
    QFETCH(int, code);
    QFETCH(int, mode);
    QFETCH(int, incrementA);
    QFETCH(int, column);
    QFETCH(QVariant, display);
    QFETCH(QVariant, toolTip);

    const int row = code == 0 ? 0 : Enable(code);
    ScheduleEntry entry = EntryOfRow(row);
    entry.mode = mode;
    entry.blockA.increment = incrementA;
    SetEntryOfRow(row, entry);

    QCOMPARE(table->data(table->index(row, column)), display);
    QCOMPARE(table->data(table->index(row, column), Qt::ToolTipRole), toolTip);
}

void TestMessageScheduleTable::alertIndices_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("biit");
    QTest::addColumn<int>("proximity");
    QTest::addColumn<int>("offPosition");
    QTest::addColumn<QVariant>("display");
    QTest::addColumn<QVariant>("toolTip");

    QTest::newRow("12/1 configured") << 12 << 1 << 0 << 0 << QVariant(QStringLiteral("1 (OK)"))
                                     << QVariant(QStringLiteral("BIIT Failure message selected:\nLAMP FAILED"));
    QTest::newRow("12/1 sent by 14") << 12 << 2 << 0 << 0 << QVariant(QStringLiteral("1 (?)"))
                                     << QVariant(QStringLiteral("BIIT Failure message not configured"));
    QTest::newRow("14/1 configured") << 14 << 2 << 0 << 0 << QVariant(QStringLiteral("1 (OK)"))
                                     << QVariant(QStringLiteral("BIIT Failure message selected:\nLAMP FAILED"));
    QTest::newRow("12/2 configured") << 112 << 0 << 0 << 1 << QVariant(QStringLiteral("2 (OK)"))
                                     << QVariant(QStringLiteral("Off Position message selected:\nOFF STATION"));
    QTest::newRow("14/2 not configured") << 114 << 0 << 0 << 1 << QVariant(QStringLiteral("2 (?)"))
                                         << QVariant(QStringLiteral("Off Position message not configured"));
    QTest::newRow("12/3 configured") << 212 << 0 << 1 << 0 << QVariant(QStringLiteral("3 (OK)"))
                                     << QVariant(QStringLiteral("Vessel Proximity message selected:\nKEEP CLEAR"));
    QTest::newRow("12/3 not configured") << 212 << 0 << 0 << 0 << QVariant(QStringLiteral("3 (?)"))
                                         << QVariant(QStringLiteral("Vessel Proximity message not configured"));
    QTest::newRow("14/3 is a plain index") << 214 << 0 << 1 << 0 << QVariant(3) << QVariant(3);
    QTest::newRow("12/4 is a plain index") << 312 << 1 << 1 << 1 << QVariant(4) << QVariant(4);
    QTest::newRow("6/1 is a plain index") << 6 << 1 << 1 << 1 << QVariant(1) << QVariant(1);
}

void TestMessageScheduleTable::alertIndices()
{
    QFETCH(int, code);
    QFETCH(int, biit);
    QFETCH(int, proximity);
    QFETCH(int, offPosition);
    QFETCH(QVariant, display);
    QFETCH(QVariant, toolTip);

    AlertMessagesModel* alerts = model->GetAlertMessages();
    alerts->SetBiitAction(biit);
    alerts->SetProximityAction(proximity);
    alerts->SetOffPositionAction(offPosition);
    alerts->SetBiitText(QStringLiteral("LAMP FAILED"));
    alerts->SetProximityText(QStringLiteral("KEEP CLEAR"));
    alerts->SetOffPositionText(QStringLiteral("OFF STATION"));

    const int row = Enable(code);
    QCOMPARE(table->data(table->index(row, 1)), display);
    QCOMPARE(table->data(table->index(row, 1), Qt::ToolTipRole), toolTip);
}

void TestMessageScheduleTable::flags_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<int>>("editableColumns");

    QTest::newRow("active FATDMA report") << 0 << FATDMA << QList<int>{2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("active RATDMA report") << 0 << RATDMA << QList<int>{2, 3, 5, 6, 8};
    QTest::newRow("inactive off-position report") << 1 << FATDMA << QList<int>{};
}

void TestMessageScheduleTable::flags()
{
    QFETCH(int, row);
    QFETCH(int, mode);
    QFETCH(QList<int>, editableColumns);

    ScheduleEntry entry = EntryOfRow(row);
    entry.mode = mode;
    SetEntryOfRow(row, entry);

    for (int column = 0; column < 9; ++column)
    {
        const Qt::ItemFlags f = table->flags(table->index(row, column));
        QVERIFY(f.testFlag(Qt::ItemIsEnabled));
        QVERIFY(f.testFlag(Qt::ItemIsSelectable));
        QCOMPARE(f.testFlag(Qt::ItemIsEditable), editableColumns.contains(column));
    }
    QCOMPARE(table->flags(QModelIndex()), Qt::ItemFlags());
}

void TestMessageScheduleTable::setDataConversions_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("storedIncrement"); // of the block the column belongs to; -1 if not an interval
    QTest::addColumn<QString>("display");

    QTest::newRow("RATDMA 1440 minutes") << RATDMA << 5 << QVariant(1440) << 3240000 << QStringLiteral("1440 Minutes");
    QTest::newRow("RATDMA beyond a day is held to a day")
        << RATDMA << 8 << QVariant(1441) << 3240000 << QStringLiteral("1440 Minutes");
    QTest::newRow("RATDMA far beyond does not overflow")
        << RATDMA << 5 << QVariant(2000000) << 3240000 << QStringLiteral("1440 Minutes");
    QTest::newRow("RATDMA 3 minutes") << RATDMA << 5 << QVariant(3) << 6750 << QStringLiteral("3 Minutes");
    QTest::newRow("CSTDMA counts in minutes") << CSTDMA << 5 << QVariant(2) << 4500 << QStringLiteral("2 Minutes");
    QTest::newRow("FATDMA slots") << FATDMA << 5 << QVariant(6750) << 6750 << QStringLiteral("6750 Slots");
    QTest::newRow("FATDMA largest") << FATDMA << 8 << QVariant(3240000) << 3240000 << QStringLiteral("3240000 Slots");
    QTest::newRow("FATDMA above a day") << FATDMA << 5 << QVariant(4000000) << 3240000
                                        << QStringLiteral("3240000 Slots");
    QTest::newRow("negative interval") << FATDMA << 5 << QVariant(-5) << 0 << QStringLiteral("0 Slots");
    QTest::newRow("start slot") << FATDMA << 4 << QVariant(2249) << -1 << QStringLiteral("2249");
    QTest::newRow("start time") << RATDMA << 6 << QVariant(QTime(13, 45)) << -1 << QStringLiteral("13:45");
    QTest::newRow("channel 1 start time") << RATDMA << 3 << QVariant(QTime(0, 5)) << -1 << QStringLiteral("00:05");
}

void TestMessageScheduleTable::setDataConversions()
{
    QFETCH(int, mode);
    QFETCH(int, column);
    QFETCH(QVariant, value);
    QFETCH(int, storedIncrement);
    QFETCH(QString, display);

    // Both blocks as the unit reports a time-based entry without a start time.
    ScheduleEntry entry = EntryOfRow(0);
    entry.mode = mode;
    entry.blockA.noTime = true;
    entry.blockB.noTime = true;
    SetEntryOfRow(0, entry);

    const QModelIndex index = table->index(0, column);
    QSignalSpy changed(table, &QAbstractItemModel::dataChanged);
    QVERIFY(table->setData(index, value));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), index);
    QCOMPARE(changed.at(0).at(1).toModelIndex(), index);
    QCOMPARE(table->data(index).toString(), display);
    if (storedIncrement >= 0)
    {
        QCOMPARE(EntryOfRow(0).Block(column == 5 ? 1 : 2).increment, storedIncrement);
    }
    // A start time typed by the user is sent as that time; any other edit leaves "no time" alone.
    QCOMPARE(EntryOfRow(0).blockA.noTime, column != 3);
    QCOMPARE(EntryOfRow(0).blockB.noTime, column != 6);
}

void TestMessageScheduleTable::setDataRefusals()
{
    const ScheduleEntry before = EntryOfRow(0);
    QVERIFY(!table->setData(table->index(0, 0), 8));
    QVERIFY(!table->setData(table->index(0, 1), 3));
    QVERIFY(!table->setData(table->index(0, 3), QTime(1, 0), Qt::DisplayRole));
    QVERIFY(!table->setData(QModelIndex(), 1));
    QCOMPARE(EntryOfRow(0), before);

    // Changing the scheme keeps the stored slots: 6750 slots read as 3 minutes. The timing cells of the
    // row are announced as changed too, since they now read differently.
    QSignalSpy changed(table, &QAbstractItemModel::dataChanged);
    QVERIFY(table->setData(table->index(0, 2), RATDMA));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), table->index(0, 2));
    QCOMPARE(changed.at(1).at(0).toModelIndex(), table->index(0, 3));
    QCOMPARE(changed.at(1).at(1).toModelIndex(), table->index(0, 8));
    QCOMPARE(EntryOfRow(0).blockA.increment, 6750);
    QCOMPARE(table->data(table->index(0, 5)).toString(), QStringLiteral("3 Minutes"));
}

void TestMessageScheduleTable::editors_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("suffix");

    QTest::newRow("scheme") << FATDMA << 2 << QStringLiteral("AccessScheme") << 0 << 0 << QString();
    QTest::newRow("time 1") << FATDMA << 3 << QStringLiteral("Channel1StartUTC") << 0 << 0 << QString();
    QTest::newRow("slot 1") << FATDMA << 4 << QStringLiteral("Channel1StartSlot") << -1 << 2249 << QString();
    QTest::newRow("interval 1 slots") << FATDMA << 5 << QStringLiteral("Channel1Interval") << 0 << 3240000
                                      << QStringLiteral(" slots");
    QTest::newRow("interval 1 minutes") << RATDMA << 5 << QStringLiteral("Channel1Interval") << 0 << 1440
                                        << QStringLiteral(" mins");
    QTest::newRow("time 2") << RATDMA << 6 << QStringLiteral("Channel2StartUTC") << 0 << 0 << QString();
    QTest::newRow("slot 2") << FATDMA << 7 << QStringLiteral("Channel2StartSlot") << -1 << 2249 << QString();
    QTest::newRow("interval 2 minutes") << CSTDMA << 8 << QStringLiteral("Channel2Interval") << 0 << 1440
                                        << QStringLiteral(" mins");
}

void TestMessageScheduleTable::editors()
{
    QFETCH(int, mode);
    QFETCH(int, column);
    QFETCH(QString, objectName);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, suffix);

    ScheduleEntry entry = EntryOfRow(0);
    entry.mode = mode;
    SetEntryOfRow(0, entry);

    QWidget parent;
    QStyleOptionViewItem option;
    option.rect = QRect(3, 4, 120, 22);
    std::unique_ptr<QWidget> editor(delegate->createEditor(&parent, option, table->index(0, column)));
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), objectName);
    delegate->updateEditorGeometry(editor.get(), option, table->index(0, column));
    QCOMPARE(editor->geometry(), option.rect);

    if (auto* combo = qobject_cast<QComboBox*>(editor.get()))
    {
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("FATDMA"));
        QCOMPARE(combo->itemData(0).toInt(), 0);
        QCOMPARE(combo->itemText(1), QStringLiteral("RATDMA"));
        QCOMPARE(combo->itemData(1).toInt(), 1);
    }
    else if (auto* time = qobject_cast<QTimeEdit*>(editor.get()))
    {
        QCOMPARE(time->displayFormat(), QStringLiteral("hh:mm"));
    }
    else
    {
        auto* spin = qobject_cast<QSpinBox*>(editor.get());
        QVERIFY(spin);
        QCOMPARE(spin->minimum(), minimum);
        QCOMPARE(spin->maximum(), maximum);
        QCOMPARE(spin->suffix(), suffix);
    }

    QVERIFY(!delegate->createEditor(&parent, option, table->index(0, 0)));
    QVERIFY(!delegate->createEditor(&parent, option, table->index(0, 1)));
    QVERIFY(!delegate->createEditor(&parent, option, QModelIndex()));
}

void TestMessageScheduleTable::editorFillIsNotAnEdit()
{
    ScheduleEntry entry = EntryOfRow(0);
    entry.mode = RATDMA;
    entry.blockA.increment = 7000; // not a whole number of minutes
    entry.blockA.startTime = QTime(6, 30);
    SetEntryOfRow(0, entry);

    QWidget parent;
    QSignalSpy commits(delegate, &QAbstractItemDelegate::commitData);
    QSignalSpy edits(delegate, &MessageScheduleDelegate::DelegateEdited);
    for (int column = 2; column < 9; ++column)
    {
        std::unique_ptr<QWidget> editor(
            delegate->createEditor(&parent, QStyleOptionViewItem(), table->index(0, column)));
        delegate->setEditorData(editor.get(), table->index(0, column));
    }
    QCOMPARE(commits.count(), 0);
    QCOMPARE(edits.count(), 0);
    QCOMPARE(EntryOfRow(0), entry);
}

void TestMessageScheduleTable::untouchedEditorWritesNothing_data()
{
    QTest::addColumn<int>("column");
    for (int column = 2; column < 9; ++column)
    {
        QTest::addRow("column %d", column) << column;
    }
}

void TestMessageScheduleTable::untouchedEditorWritesNothing()
{
    QFETCH(int, column);

    ScheduleEntry entry = EntryOfRow(0);
    entry.mode = RATDMA;
    entry.blockA.increment = 7000;
    entry.blockB.increment = 2251;
    entry.blockB.startTime = QTime(23, 59, 30);
    SetEntryOfRow(0, entry);

    QWidget parent;
    QSignalSpy edits(delegate, &MessageScheduleDelegate::DelegateEdited);
    std::unique_ptr<QWidget> editor(delegate->createEditor(&parent, QStyleOptionViewItem(), table->index(0, column)));
    QVERIFY(editor);
    delegate->setEditorData(editor.get(), table->index(0, column));
    delegate->setModelData(editor.get(), table, table->index(0, column));
    QCOMPARE(edits.count(), 0);
    QCOMPARE(EntryOfRow(0), entry);
}

void TestMessageScheduleTable::everyEditorChangeCommitsAtOnce()
{
    QTableView view;
    view.setModel(table);
    view.setItemDelegate(delegate);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy edits(delegate, &MessageScheduleDelegate::DelegateEdited);

    // A RATDMA interval: each spin step is written at once, in minutes.
    ScheduleEntry entry = EntryOfRow(0);
    entry.mode = RATDMA;
    SetEntryOfRow(0, entry);
    view.edit(table->index(0, 5));
    auto* spin = view.findChild<QSpinBox*>(QStringLiteral("Channel1Interval"));
    QVERIFY(spin);
    QCOMPARE(spin->value(), 3);
    QCOMPARE(spin->suffix(), QStringLiteral(" mins"));
    spin->stepUp();
    QCOMPARE(EntryOfRow(0).blockA.increment, 4 * 2250);
    QCOMPARE(edits.count(), 1);
    spin->stepDown();
    QCOMPARE(EntryOfRow(0).blockA.increment, 3 * 2250);
    QCOMPARE(edits.count(), 2);
    spin->setValue(1440);
    QCOMPARE(EntryOfRow(0).blockA.increment, 3240000);
    QCOMPARE(edits.count(), 3);
    view.setFocus();
    QTest::keyClick(spin, Qt::Key_Escape);

    // The scheme combo: choosing RATDMA -> FATDMA writes at once.
    view.edit(table->index(0, 2));
    auto* combo = view.findChild<QComboBox*>(QStringLiteral("AccessScheme"));
    QVERIFY(combo);
    QCOMPARE(combo->currentIndex(), 1);
    combo->setCurrentIndex(0);
    QCOMPARE(EntryOfRow(0).mode, FATDMA);
    QCOMPARE(edits.count(), 4);
    QTest::keyClick(combo, Qt::Key_Escape);

    // A time edit.
    view.edit(table->index(0, 6));
    auto* time = view.findChild<QTimeEdit*>(QStringLiteral("Channel2StartUTC"));
    QVERIFY(time);
    time->setTime(QTime(12, 15));
    QCOMPARE(EntryOfRow(0).blockB.startTime, QTime(12, 15));
    QCOMPARE(edits.count(), 5);
}

void TestMessageScheduleTable::schemeEditorOnCstdmaRow()
{
    ScheduleEntry entry = EntryOfRow(0);
    entry.mode = CSTDMA;
    SetEntryOfRow(0, entry);

    QWidget parent;
    QSignalSpy edits(delegate, &MessageScheduleDelegate::DelegateEdited);
    std::unique_ptr<QWidget> editor(delegate->createEditor(&parent, QStyleOptionViewItem(), table->index(0, 2)));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    QVERIFY(combo);
    delegate->setEditorData(combo, table->index(0, 2));
    QCOMPARE(combo->currentIndex(), -1);

    // Nothing chosen: the row stays CSTDMA.
    delegate->setModelData(combo, table, table->index(0, 2));
    QCOMPARE(EntryOfRow(0).mode, CSTDMA);
    QCOMPARE(edits.count(), 0);

    // A choice is written.
    combo->setCurrentIndex(1);
    delegate->setModelData(combo, table, table->index(0, 2));
    QCOMPARE(EntryOfRow(0).mode, RATDMA);
    QCOMPARE(edits.count(), 1);
}

KELVANE_TEST_GUI_MAIN(TestMessageScheduleTable)
#include "tst_MessageScheduleTable.moc"
