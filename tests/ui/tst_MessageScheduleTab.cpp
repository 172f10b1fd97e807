#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QtTest/QtTest>
#include <memory>

#include "model/Model.h"
#include "support/GuiTestMain.h"
#include "ui/MessageScheduleTab.h"

class TestMessageScheduleTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void form();
    void messageCombo();
    void newConfigurationShowsTwoReports();
    void addTakesTheIndexOnce();
    void addedRowsKeepTheirOrder();
    void removeFreesTheIndex();
    void activateAndDeactivateReports_data();
    void activateAndDeactivateReports();
    void offPositionCheckBoxFollowsTheSchedule();
    void oddReportsCanStillBeSwitched_data();
    void oddReportsCanStillBeSwitched();
    void scheduleChangedNotifications_data();
    void scheduleChangedNotifications();
    void cellEditsMarkTheTabEdited();
    void loadTakesTheSourceSchedule();
    void nullModelIsRefused();

private:
    void SelectRow(int row);
    void ChooseCode(int code);
    QString ActionText() const { return action->text(); }
    int PositionOfRow(int row) const;

    std::unique_ptr<Model> model;
    std::unique_ptr<MessageScheduleTab> tab;
    QComboBox* combo = nullptr;
    QPushButton* add = nullptr;
    QPushButton* action = nullptr;
    QTableView* table = nullptr;
};

void TestMessageScheduleTab::init()
{
    model = std::make_unique<Model>();
    tab = std::make_unique<MessageScheduleTab>(model.get());
    combo = tab->findChild<QComboBox*>(QStringLiteral("comboMessageID"));
    add = tab->findChild<QPushButton*>(QStringLiteral("buttonAdd"));
    action = tab->findChild<QPushButton*>(QStringLiteral("buttonAction"));
    table = tab->findChild<QTableView*>(QStringLiteral("tableSchedules"));
    QVERIFY(combo && add && action && table);
    new QAbstractItemModelTester(table->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, tab.get());
    tab->show();
    QVERIFY(QTest::qWaitForWindowExposed(tab.get()));
}

void TestMessageScheduleTab::cleanup()
{
    tab.reset();
    model.reset();
}

void TestMessageScheduleTab::SelectRow(int row)
{
    table->setCurrentIndex(table->model()->index(row, 0));
}

void TestMessageScheduleTab::ChooseCode(int code)
{
    const int item = combo->findData(code);
    QVERIFY(item >= 0);
    combo->setCurrentIndex(item);
}

int TestMessageScheduleTab::PositionOfRow(int row) const
{
    int position = -1;
    model->GetMessageSchedule()->PositionOfRow(row, position);
    return position;
}

void TestMessageScheduleTab::form()
{
    QCOMPARE(combo->maxVisibleItems(), 18);
    QCOMPARE(combo->toolTip(), QStringLiteral("Select Real AtoN message"));
    QCOMPARE(add->text(), QStringLiteral("Add"));
    QVERIFY(!table->verticalHeader()->isVisible());
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(table->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(table->editTriggers(),
             QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

void TestMessageScheduleTab::messageCombo()
{
    const QList<QPair<QString, int>> expected = {
        {QStringLiteral("6 1 ( Binary Addressed Message )"), 6},
        {QStringLiteral("6 2 ( Binary Addressed Message )"), 106},
        {QStringLiteral("6 3 ( Binary Addressed Message )"), 206},
        {QStringLiteral("6 4 ( Binary Addressed Message )"), 306},
        {QStringLiteral("8 1 ( Binary Broadcast Message )"), 8},
        {QStringLiteral("8 2 ( Binary Broadcast Message )"), 108},
        {QStringLiteral("8 3 ( Binary Broadcast Message )"), 208},
        {QStringLiteral("8 4 ( Binary Broadcast Message )"), 308},
        {QStringLiteral("12 1 ( Addressed BIIT Failure Message )"), 12},
        {QStringLiteral("12 2 ( Addressed Off Position Text Alert )"), 112},
        {QStringLiteral("12 3 ( Addressed Vessel Proximity Alert )"), 212},
        {QStringLiteral("12 4 ( Addressed Safety Related Message )"), 312},
        {QStringLiteral("14 1 ( Broadcast BIIT Failure Message )"), 14},
        {QStringLiteral("14 2 ( Broadcast Off Position Text Alert )"), 114},
        {QStringLiteral("14 3 ( Broadcast Safety Related Message )"), 214},
        {QStringLiteral("14 4 ( Broadcast Safety Related Message )"), 314},
    };
    QCOMPARE(combo->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
    {
        QCOMPARE(combo->itemText(i), expected.at(i).first);
        QCOMPARE(combo->itemData(i).toInt(), expected.at(i).second);
        // Every code names a free entry of a new schedule.
        QVERIFY(model->GetMessageSchedule()->CheckCode(expected.at(i).second));
    }
}

void TestMessageScheduleTab::newConfigurationShowsTwoReports()
{
    QCOMPARE(table->model()->rowCount(), 2);
    QVERIFY(add->isEnabled());
    QVERIFY(add->toolTip().isEmpty());
    QCOMPARE(ActionText(), QStringLiteral("Remove"));
    QVERIFY(!action->isEnabled());
    QVERIFY(!tab->IsEdited());

    SelectRow(0);
    QCOMPARE(ActionText(), QStringLiteral("Deactivate"));
    QVERIFY(action->isEnabled());
    QCOMPARE(table->model()->data(table->model()->index(0, 2), Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    SelectRow(1);
    QCOMPARE(ActionText(), QStringLiteral("Activate"));
    QCOMPARE(table->model()->data(table->model()->index(1, 2), Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray));
}

void TestMessageScheduleTab::addTakesTheIndexOnce()
{
    QSignalSpy edited(tab.get(), &AtoNConfiguration::Edited);
    ChooseCode(106);
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(table->model()->rowCount(), 3);
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.at(0).at(0).value<QWidget*>(), tab.get());
    QVERIFY(tab->IsEdited());

    // The index is taken: Add is refused although indices 1, 3 and 4 of message 6 are free.
    QVERIFY(!add->isEnabled());
    QCOMPARE(add->toolTip(), QStringLiteral("Can't create a message as all the message indices are in use"));
    add->click(); // disabled: nothing happens
    QCOMPARE(table->model()->rowCount(), 3);

    ChooseCode(6);
    QVERIFY(add->isEnabled());
    QVERIFY(add->toolTip().isEmpty());

    const ScheduleEntry entry = model->GetMessageSchedule()->GetEntry(3);
    QCOMPARE(entry.messageId, 6);
    QVERIFY(entry.enabled);
    QCOMPARE(entry.mode, 0);
    QCOMPARE(entry.blockA.startSlot, 0);
    QCOMPARE(entry.blockB.startSlot, 0);
    QCOMPARE(entry.blockA.increment, 6750);
    QCOMPARE(entry.blockB.increment, 6750);
}

void TestMessageScheduleTab::addedRowsKeepTheirOrder()
{
    for (int code : {8, 106, 208, 314, 6, 12})
    {
        ChooseCode(code);
        QTest::mouseClick(add, Qt::LeftButton);
    }
    QAbstractItemModel* m = table->model();
    QCOMPARE(m->rowCount(), 8);
    const QStringList ids = {QStringLiteral("21"), QStringLiteral("21"), QStringLiteral("6"),  QStringLiteral("6"),
                             QStringLiteral("8"),  QStringLiteral("8"),  QStringLiteral("12"), QStringLiteral("14")};
    const QList<QVariant> indices = {QStringLiteral("1"), QStringLiteral("2"), 1, 2, 1, 3, QStringLiteral("1 (?)"), 4};
    for (int row = 0; row < ids.size(); ++row)
    {
        QCOMPARE(m->data(m->index(row, 0)).toString(), ids.at(row));
        QCOMPARE(m->data(m->index(row, 1)), indices.at(row));
    }
    tab->grab().save(KelvaneTest::ArtefactDir() + QStringLiteral("/MessageScheduleTab.png"));
}

void TestMessageScheduleTab::removeFreesTheIndex()
{
    ChooseCode(208);
    QTest::mouseClick(add, Qt::LeftButton);
    ChooseCode(8);
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(table->model()->rowCount(), 4);
    QVERIFY(!add->isEnabled());

    // Row 3 is message 8 index 3.
    SelectRow(3);
    QCOMPARE(ActionText(), QStringLiteral("Remove"));
    QSignalSpy edited(tab.get(), &AtoNConfiguration::Edited);
    QTest::mouseClick(action, Qt::LeftButton);
    QCOMPARE(table->model()->rowCount(), 3);
    QCOMPARE(edited.count(), 1);
    const ScheduleEntry removed = model->GetMessageSchedule()->GetEntry(8);
    QCOMPARE(removed.messageId, 8);
    QVERIFY(!removed.enabled);
    QCOMPARE(removed.blockA.startSlot, -1);

    ChooseCode(208);
    QVERIFY(add->isEnabled());
    ChooseCode(8);
    QVERIFY(!add->isEnabled());
}

void TestMessageScheduleTab::activateAndDeactivateReports_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("firstAction");
    QTest::addColumn<QList<bool>>("offPositionSignals");

    QTest::newRow("normal report") << 0 << QStringLiteral("Deactivate") << QList<bool>{};
    QTest::newRow("off-position report") << 1 << QStringLiteral("Activate") << QList<bool>{true, false};
}

void TestMessageScheduleTab::activateAndDeactivateReports()
{
    QFETCH(int, row);
    QFETCH(QString, firstAction);
    QFETCH(QList<bool>, offPositionSignals);

    QSignalSpy offPosition(tab.get(), &MessageScheduleTab::off_position_checked);
    QSignalSpy edited(tab.get(), &AtoNConfiguration::Edited);
    SelectRow(row);
    const bool wasEnabled = model->GetMessageSchedule()->GetEntry(row).enabled;

    QCOMPARE(ActionText(), firstAction);
    QTest::mouseClick(action, Qt::LeftButton);
    QCOMPARE(model->GetMessageSchedule()->GetEntry(row).enabled, !wasEnabled);
    QCOMPARE(ActionText(), wasEnabled ? QStringLiteral("Activate") : QStringLiteral("Deactivate"));
    QTest::mouseClick(action, Qt::LeftButton);
    QCOMPARE(model->GetMessageSchedule()->GetEntry(row).enabled, wasEnabled);
    QCOMPARE(ActionText(), firstAction);

    QCOMPARE(edited.count(), 2);
    QCOMPARE(table->model()->rowCount(), 2);
    QCOMPARE(offPosition.count(), offPositionSignals.size());
    for (int i = 0; i < offPositionSignals.size(); ++i)
    {
        QCOMPARE(offPosition.at(i).at(0).toBool(), offPositionSignals.at(i));
    }
}

void TestMessageScheduleTab::offPositionCheckBoxFollowsTheSchedule()
{
    QSignalSpy offPosition(tab.get(), &MessageScheduleTab::off_position_checked);
    QSignalSpy edited(tab.get(), &AtoNConfiguration::Edited);
    SelectRow(1);

    tab->offPositionSelected(true);
    QVERIFY(model->GetMessageSchedule()->GetEntry(1).enabled);
    QCOMPARE(ActionText(), QStringLiteral("Deactivate"));
    QCOMPARE(edited.count(), 1);
    // Already in that state (the echo of our own off_position_checked): nothing changes.
    tab->offPositionSelected(true);
    QCOMPARE(edited.count(), 1);

    tab->offPositionSelected(false);
    QVERIFY(!model->GetMessageSchedule()->GetEntry(1).enabled);
    QCOMPARE(model->GetMessageSchedule()->GetEntry(1).blockA.startSlot, -1);
    QCOMPARE(ActionText(), QStringLiteral("Activate"));
    QCOMPARE(edited.count(), 2);
    QCOMPARE(offPosition.count(), 0);
}

void TestMessageScheduleTab::oddReportsCanStillBeSwitched_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("startSlot");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("enabledAfter");

    // States a file or the unit can leave behind; every one offers an action that works.
    QTest::newRow("enabled without start slots") << true << -1 << QStringLiteral("Activate") << true;
    QTest::newRow("disabled with start slots") << false << 100 << QStringLiteral("Activate") << true;
}

void TestMessageScheduleTab::oddReportsCanStillBeSwitched()
{
    QFETCH(bool, enabled);
    QFETCH(int, startSlot);
    QFETCH(QString, label);
    QFETCH(bool, enabledAfter);

    ScheduleEntry entry = model->GetMessageSchedule()->GetEntry(1);
    entry.enabled = enabled;
    entry.blockA.startSlot = startSlot;
    entry.blockB.startSlot = startSlot;
    QVERIFY(model->GetMessageSchedule()->SetEntry(1, entry));
    QVERIFY(tab->UpdateTabFromModel());

    QSignalSpy offPosition(tab.get(), &MessageScheduleTab::off_position_checked);
    SelectRow(1);
    QCOMPARE(ActionText(), label);
    QTest::mouseClick(action, Qt::LeftButton);
    const ScheduleEntry after = model->GetMessageSchedule()->GetEntry(1);
    QCOMPARE(after.enabled, enabledAfter);
    QCOMPARE(after.blockA.startSlot, 0);
    QCOMPARE(after.blockB.startSlot, 0);
    QCOMPARE(ActionText(), QStringLiteral("Deactivate"));
    QCOMPARE(offPosition.count(), 1);
    QVERIFY(offPosition.at(0).at(0).toBool());
    QVERIFY(tab->IsEdited());
}

void TestMessageScheduleTab::scheduleChangedNotifications_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("addNotifications");

    QTest::newRow("6 1") << 6 << 1;
    QTest::newRow("6 2") << 106 << 1;
    QTest::newRow("6 4") << 306 << 1;
    QTest::newRow("8 1") << 8 << 0;
    QTest::newRow("14 4") << 314 << 0;
}

void TestMessageScheduleTab::scheduleChangedNotifications()
{
    QFETCH(int, code);
    QFETCH(int, addNotifications);

    QSignalSpy changed(tab.get(), &MessageScheduleTab::messageScheduleChanged);
    ChooseCode(code);
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(changed.count(), addNotifications);

    // Every remove, activate and deactivate notifies.
    SelectRow(2);
    QTest::mouseClick(action, Qt::LeftButton);
    QCOMPARE(changed.count(), addNotifications + 1);
    SelectRow(0);
    QTest::mouseClick(action, Qt::LeftButton);
    QCOMPARE(changed.count(), addNotifications + 2);
    QTest::mouseClick(action, Qt::LeftButton);
    QCOMPARE(changed.count(), addNotifications + 3);
}

void TestMessageScheduleTab::cellEditsMarkTheTabEdited()
{
    QSignalSpy edited(tab.get(), &AtoNConfiguration::Edited);
    const QModelIndex interval = table->model()->index(0, 5);
    table->setCurrentIndex(interval);
    table->edit(interval);
    auto* spin = table->findChild<QSpinBox*>(QStringLiteral("Channel1Interval"));
    QVERIFY(spin);
    QCOMPARE(edited.count(), 0); // opening an editor is not an edit
    QVERIFY(!tab->IsEdited());

    spin->stepUp();
    QCOMPARE(model->GetMessageSchedule()->GetEntry(0).blockA.increment, 6751);
    QCOMPARE(edited.count(), 1);
    spin->stepDown(); // back to the old value: still an edit
    QCOMPARE(model->GetMessageSchedule()->GetEntry(0).blockA.increment, 6750);
    QCOMPARE(edited.count(), 2);
    QVERIFY(tab->IsEdited());

    tab->ClearEdited();
    QVERIFY(!tab->IsEdited());
}

void TestMessageScheduleTab::loadTakesTheSourceSchedule()
{
    Model transport;
    QVERIFY(transport.GetMessageSchedule()->EnableByCode(12));
    QVERIFY(transport.GetMessageSchedule()->EnableByCode(114));
    QVERIFY(transport.GetMessageSchedule()->EnableEntry(1));
    QSignalSpy edited(tab.get(), &AtoNConfiguration::Edited);

    SelectRow(1);
    QVERIFY(tab->UpdateTabFromModel(&transport));
    QCOMPARE(table->model()->rowCount(), 4);
    QVERIFY(model->GetMessageSchedule()->GetEntry(10).enabled);
    QVERIFY(model->GetMessageSchedule()->GetEntry(1).enabled);
    QCOMPARE(edited.count(), 0);
    QVERIFY(!tab->IsEdited());

    ChooseCode(12);
    QVERIFY(!add->isEnabled());
    ChooseCode(6);
    QVERIFY(add->isEnabled());

    // Loading from its own model shows what is there.
    QVERIFY(model->GetMessageSchedule()->EnableByCode(6));
    QVERIFY(tab->UpdateTabFromModel());
    QCOMPARE(table->model()->rowCount(), 5);
    QVERIFY(!add->isEnabled());

    // Storing copies nothing: the tab edits the tab model directly.
    Model target;
    QVERIFY(tab->UpdateModelFromTab(&target));
    QCOMPARE(target.GetMessageSchedule()->CountVisibleEntries(), 2);
}

void TestMessageScheduleTab::nullModelIsRefused()
{
    QVERIFY_THROWS_EXCEPTION(std::bad_alloc, MessageScheduleTab(nullptr));
}

KELVANE_TEST_GUI_MAIN(TestMessageScheduleTab)
#include "tst_MessageScheduleTab.moc"
