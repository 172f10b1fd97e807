// The VDL tab as one configuration tab (its two pages loaded, stored and cleared together) and its
// Receiver On Time page: the mode rules, the interval and duration checks and the conversions between
// the record's seconds and the page's minutes. Also how a page keeps a unit's value beyond its boxes
// until the user moves one, here and on the Repeater tab that shares the same way.

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <memory>

#include "model/Model.h"
#include "support/GuiTestMain.h"
#include "support/WidgetTestTools.h"
#include "ui/settings/RepeaterControlsTab.h"
#include "ui/vdl/VdlControlTab.h"
#include "ui/vdl/VdlCopTab.h"
#include "ui/vdl/VdlTab.h"

namespace
{
using KelvaneTest::Child;

struct Schedule
{
    int mode;
    int hour;
    int minute;
    int interval;
    int duration;
};

void Store(VdlModel* vdl, const Schedule& s)
{
    vdl->receiverMode = s.mode;
    vdl->receiverHour = s.hour;
    vdl->receiverMinute = s.minute;
    vdl->receiverInterval = s.interval;
    vdl->receiverDuration = s.duration;
}

Schedule Read(const VdlModel* vdl)
{
    return {vdl->receiverMode, vdl->receiverHour, vdl->receiverMinute, vdl->receiverInterval, vdl->receiverDuration};
}

bool operator==(const Schedule& a, const Schedule& b)
{
    return a.mode == b.mode && a.hour == b.hour && a.minute == b.minute && a.interval == b.interval &&
           a.duration == b.duration;
}

// What QCOMPARE prints for a schedule that differs.
char* toString(const Schedule& s)
{
    return qstrdup(QStringLiteral("mode %1, start %2:%3, interval %4 s, duration %5 s")
                       .arg(s.mode)
                       .arg(s.hour)
                       .arg(s.minute)
                       .arg(s.interval)
                       .arg(s.duration)
                       .toLatin1()
                       .constData());
}
} // namespace

Q_DECLARE_METATYPE(Schedule)

class TestVdlTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void containerHoldsTwoPagesInOrder();
    void containerLoadsStoresAndClearsBothPages();
    void loadShowsTheScheduleWithoutMarkingEdited_data();
    void loadShowsTheScheduleWithoutMarkingEdited();
    void userEdits_data();
    void userEdits();
    void movedBoxesSendWhatTheyShow_data();
    void movedBoxesSendWhatTheyShow();
};

void TestVdlTab::containerHoldsTwoPagesInOrder()
{
    Model model;
    VdlTab tab(&model, nullptr);
    auto* pages = Child<QTabWidget>(&tab, "tabWidget");
    QCOMPARE(pages->count(), 2);
    QCOMPARE(pages->tabText(0), QStringLiteral("Control"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Receiver On Time"));
    QCOMPARE(pages->widget(0)->objectName(), QStringLiteral("tabVdlControl"));
    QCOMPARE(pages->widget(1)->objectName(), QStringLiteral("tabVdlCop"));
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(!tab.findChild<QWidget*>(QStringLiteral("tab")));
    QVERIFY(!tab.findChild<QWidget*>(QStringLiteral("tab_2")));
}

void TestVdlTab::containerLoadsStoresAndClearsBothPages()
{
    Model model;
    VdlTab tab(&model, nullptr);
    QSignalSpy controlEdits(tab.GetControlTab(), &AtoNConfiguration::Edited);
    QSignalSpy copEdits(tab.GetCopTab(), &AtoNConfiguration::Edited);

    // A record read from the unit: both pages show it, and the tab model takes it over whole.
    Model unit;
    VdlModel* read = unit.GetVdlModel();
    read->sendDelay = 7;
    read->responseTimeout = 25;
    Store(read, {1, 5, 30, 3600, 1800});
    QVERIFY(tab.UpdateTabFromModel(&unit));
    QCOMPARE(Child<QSpinBox>(tab.GetControlTab(), "spinBoxSendDelay")->value(), 7);
    QCOMPARE(Child<QSpinBox>(tab.GetControlTab(), "spinBoxResponseTimeout")->value(), 25);
    QCOMPARE(Child<QComboBox>(tab.GetCopTab(), "comboBoxMode")->currentIndex(), 1);
    QCOMPARE(Child<QSpinBox>(tab.GetCopTab(), "spinBoxDuration")->value(), 30);
    QCOMPARE(model.GetVdlModel()->sendDelay, 7);
    QCOMPARE(model.GetVdlModel()->responseTimeout, 25);
    QCOMPARE(model.GetVdlModel()->receiverInterval, 3600);
    QVERIFY(!tab.GetControlTab()->IsEdited() && !tab.GetCopTab()->IsEdited());
    QCOMPARE(controlEdits.count() + copEdits.count(), 0);

    // Stored into another model, both pages' values arrive.
    Model target;
    QVERIFY(tab.UpdateModelFromTab(&target));
    QCOMPARE(Read(target.GetVdlModel()), (Schedule{1, 5, 30, 3600, 1800}));
    QCOMPARE(target.GetVdlModel()->sendDelay, 7);
    QCOMPARE(target.GetVdlModel()->responseTimeout, 25);

    // One edit on each page; clearing the tab clears both.
    Child<QSpinBox>(tab.GetControlTab(), "spinBoxSendDelay")->setValue(9);
    Child<QSpinBox>(tab.GetCopTab(), "spinBoxUtcHour")->setValue(6);
    QVERIFY(tab.GetControlTab()->IsEdited() && tab.GetCopTab()->IsEdited());
    QCOMPARE(model.GetVdlModel()->sendDelay, 9);
    QCOMPARE(model.GetVdlModel()->receiverHour, 6);
    tab.ClearEdited();
    QVERIFY(!tab.GetControlTab()->IsEdited() && !tab.GetCopTab()->IsEdited());
}

void TestVdlTab::loadShowsTheScheduleWithoutMarkingEdited_data()
{
    QTest::addColumn<Schedule>("record");
    QTest::addColumn<int>("modeIndex");
    QTest::addColumn<int>("intervalIndex");
    QTest::addColumn<int>("durationMinutes");
    QTest::addColumn<bool>("inputsEnabled");
    QTest::addColumn<Schedule>("storedBack");

    QTest::newRow("own schedule") << Schedule{0, 0, 0, 0, 0} << 0 << 0 << 0 << false << Schedule{0, 0, 0, 0, 0};
    QTest::newRow("on time") << Schedule{1, 23, 59, 86400, 3600} << 1 << 19 << 60 << true
                             << Schedule{1, 23, 59, 86400, 3600};
    QTest::newRow("always on") << Schedule{2, 0, 0, 0, 86400} << 2 << 0 << 1440 << false << Schedule{2, 0, 0, 0, 86400};
    // Seconds the page cannot show in minutes are cut to whole minutes.
    QTest::newRow("90 s shows 1 minute") << Schedule{1, 0, 0, 600, 90} << 1 << 7 << 1 << true
                                         << Schedule{1, 0, 0, 600, 60};
    // An interval not in the list shows no item, and the record keeps it.
    QTest::newRow("unlisted interval") << Schedule{1, 2, 3, 420, 120} << 1 << -1 << 2 << true
                                       << Schedule{1, 2, 3, 420, 120};
    // A mode the page does not know shows no mode, inputs off.
    QTest::newRow("unknown mode") << Schedule{3, 0, 0, 0, 0} << -1 << 0 << 0 << false << Schedule{-1, 0, 0, 0, 0};
    // The unit's "not available" 24:60 is beyond the boxes: stored back as loaded until a box moves.
    QTest::newRow("start time not available")
        << Schedule{1, 24, 60, 600, 300} << 1 << 7 << 5 << true << Schedule{1, 24, 60, 600, 300};
}

void TestVdlTab::loadShowsTheScheduleWithoutMarkingEdited()
{
    QFETCH(Schedule, record);
    QFETCH(int, modeIndex);
    QFETCH(int, intervalIndex);
    QFETCH(int, durationMinutes);
    QFETCH(bool, inputsEnabled);
    QFETCH(Schedule, storedBack);

    Model model;
    Store(model.GetVdlModel(), record);
    VdlCopTab page(&model);
    QSignalSpy edits(&page, &AtoNConfiguration::Edited);
    QVERIFY(page.UpdateTabFromModel());

    QCOMPARE(Child<QComboBox>(&page, "comboBoxMode")->count(), 3);
    QCOMPARE(Child<QComboBox>(&page, "IntervalcomboBox")->count(), 20);
    QCOMPARE(Child<QComboBox>(&page, "comboBoxMode")->currentIndex(), modeIndex);
    QCOMPARE(Child<QComboBox>(&page, "IntervalcomboBox")->currentIndex(), intervalIndex);
    QCOMPARE(Child<QSpinBox>(&page, "spinBoxDuration")->value(), durationMinutes);
    for (const char* name : {"spinBoxUtcHour", "spinBoxUtcMinute", "IntervalcomboBox", "spinBoxDuration"})
        QCOMPARE(Child<QWidget>(&page, name)->isEnabled(), inputsEnabled);
    QCOMPARE(Child<QComboBox>(&page, "IntervalcomboBox")->styleSheet(),
             inputsEnabled ? QStringLiteral("background-color: rgb(255, 255, 255);")
                           : QStringLiteral("background-color: rgb(220, 220, 220);"));
    QCOMPARE(edits.count(), 0);
    QVERIFY(!page.IsEdited());

    Model target;
    page.UpdateModelFromTab(&target);
    QCOMPARE(Read(target.GetVdlModel()), storedBack);
}

void TestVdlTab::userEdits_data()
{
    QTest::addColumn<Schedule>("record");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<int>("value");
    QTest::addColumn<Schedule>("expected");

    // Choosing a mode starts its schedule afresh.
    QTest::newRow("choose on time") << Schedule{0, 0, 0, 0, 0} << "comboBoxMode" << 1 << Schedule{1, 0, 0, 0, 0};
    QTest::newRow("choose always on") << Schedule{1, 4, 5, 3600, 600} << "comboBoxMode" << 2
                                      << Schedule{2, 0, 0, 0, 86400};
    QTest::newRow("choose own schedule") << Schedule{2, 0, 0, 0, 86400} << "comboBoxMode" << 0
                                         << Schedule{0, 0, 0, 0, 0};
    // On time: the duration may reach the interval but not pass it, and never be a whole day.
    QTest::newRow("duration equal to interval")
        << Schedule{1, 0, 0, 3600, 600} << "spinBoxDuration" << 60 << Schedule{1, 0, 0, 3600, 3600};
    QTest::newRow("duration over interval reverts")
        << Schedule{1, 0, 0, 3600, 600} << "spinBoxDuration" << 61 << Schedule{1, 0, 0, 3600, 600};
    QTest::newRow("whole day reverts") << Schedule{1, 0, 0, 86400, 600} << "spinBoxDuration" << 1440
                                       << Schedule{1, 0, 0, 86400, 600};
    QTest::newRow("interval under duration reverts")
        << Schedule{1, 0, 0, 3600, 1800} << "IntervalcomboBox" << 9 << Schedule{1, 0, 0, 3600, 1800};
    QTest::newRow("interval equal to duration")
        << Schedule{1, 0, 0, 3600, 1800} << "IntervalcomboBox" << 11 << Schedule{1, 0, 0, 1800, 1800};
    QTest::newRow("hour") << Schedule{1, 0, 0, 3600, 1800} << "spinBoxUtcHour" << 17 << Schedule{1, 17, 0, 3600, 1800};
    QTest::newRow("minute") << Schedule{1, 0, 0, 3600, 1800} << "spinBoxUtcMinute" << 45
                            << Schedule{1, 0, 45, 3600, 1800};
    // A remote unit reported an interval the list does not hold: editing the hour must not lose it.
    QTest::newRow("hour, unlisted interval")
        << Schedule{1, 0, 0, 420, 300} << "spinBoxUtcHour" << 8 << Schedule{1, 8, 0, 420, 300};
    // Once a box moves, both boxes' values are stored, not the unit's "not available".
    QTest::newRow("hour from not available")
        << Schedule{1, 24, 60, 600, 300} << "spinBoxUtcHour" << 8 << Schedule{1, 8, 59, 600, 300};
    QTest::newRow("minute from not available")
        << Schedule{1, 24, 60, 600, 300} << "spinBoxUtcMinute" << 15 << Schedule{1, 23, 15, 600, 300};
}

void TestVdlTab::userEdits()
{
    QFETCH(Schedule, record);
    QFETCH(QString, widget);
    QFETCH(int, value);
    QFETCH(Schedule, expected);

    Model model;
    Store(model.GetVdlModel(), record);
    VdlCopTab page(&model);
    QSignalSpy edits(&page, &AtoNConfiguration::Edited);
    QWidget* input = Child<QWidget>(&page, widget.toLatin1().constData());
    if (auto* combo = qobject_cast<QComboBox*>(input))
        combo->setCurrentIndex(value);
    else
        qobject_cast<QSpinBox*>(input)->setValue(value);

    QCOMPARE(Read(model.GetVdlModel()), expected);
    // What the page shows is what it stored, and even a reverted edit marks the page edited.
    QCOMPARE(Child<QSpinBox>(&page, "spinBoxDuration")->value(), expected.duration / 60);
    QVERIFY(page.IsEdited());
    QVERIFY(edits.count() >= 1);
    QCOMPARE(edits.last().at(0).value<QWidget*>(), &page);
    QCOMPARE(Child<QWidget>(&page, "spinBoxDuration")->isEnabled(), expected.mode == 1);
}

void TestVdlTab::movedBoxesSendWhatTheyShow_data()
{
    // On the Receiver On Time page the values are the start hour and minute; on the Repeater tab the
    // message 6 guard time (box 0 to 30 s) and the message 21 range in tenths (box 0.0 to 50.0 NM).
    QTest::addColumn<bool>("repeater");
    QTest::addColumn<QList<int>>("loaded");
    // Each step: "<box> up" or "<box> down" as the arrow keys, or "load" to read the source again.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("sent");

    const QList<int> notAvailable{24, 60};
    QTest::newRow("start time untouched") << false << notAvailable << QStringList{} << notAvailable;
    QTest::newRow("hour away and back") << false << notAvailable
                                        << QStringList{"spinBoxUtcHour down", "spinBoxUtcHour up"}
                                        << QList<int>{23, 59};
    QTest::newRow("only the minute edited")
        << false << notAvailable << QStringList{"spinBoxUtcMinute down"} << QList<int>{23, 58};
    QTest::newRow("minute away and back, hour beyond")
        << false << QList<int>{24, 30} << QStringList{"spinBoxUtcMinute up", "spinBoxUtcMinute down"}
        << QList<int>{23, 30};
    QTest::newRow("moved, then loaded again")
        << false << notAvailable << QStringList{"spinBoxUtcHour down", "spinBoxUtcHour up", "load"} << notAvailable;
    QTest::newRow("guard time away and back")
        << true << QList<int>{45, 600} << QStringList{"spinBox_6_timeout down", "spinBox_6_timeout up"}
        << QList<int>{30, 600};
    QTest::newRow("range away and back") << true << QList<int>{45, 600}
                                         << QStringList{"doubleSpinBox_message_21_range down",
                                                        "doubleSpinBox_message_21_range up"}
                                         << QList<int>{45, 500};
}

void TestVdlTab::movedBoxesSendWhatTheyShow()
{
    QFETCH(bool, repeater);
    QFETCH(QList<int>, loaded);
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, sent);

    Model own;
    Model unit;
    Model target;
    std::unique_ptr<AtoNConfiguration> page;
    if (repeater)
    {
        unit.GetRepeater()->SetMsg6GuardTime(loaded.at(0));
        unit.GetRepeater()->SetMsg21Range(loaded.at(1));
        page = std::make_unique<RepeaterControlsTab>(&own);
    }
    else
    {
        Store(unit.GetVdlModel(), {1, loaded.at(0), loaded.at(1), 600, 300});
        page = std::make_unique<VdlCopTab>(&own);
    }
    QVERIFY(page->UpdateTabFromModel(&unit));
    for (const QString& step : std::as_const(steps))
    {
        if (step == QLatin1String("load"))
        {
            QVERIFY(page->UpdateTabFromModel(&unit));
            continue;
        }
        auto* box = Child<QAbstractSpinBox>(page.get(), step.section(QLatin1Char(' '), 0, 0));
        QTest::keyClick(box, step.endsWith(QLatin1String("up")) ? Qt::Key_Up : Qt::Key_Down);
    }
    QVERIFY(page->UpdateModelFromTab(&target));
    const QList<int> got =
        repeater ? QList<int>{target.GetRepeater()->GetMsg6GuardTime(), target.GetRepeater()->GetMsg21Range()}
                 : QList<int>{target.GetVdlModel()->receiverHour, target.GetVdlModel()->receiverMinute};
    QCOMPARE(got, sent);
}

KELVANE_TEST_GUI_MAIN(TestVdlTab)
#include "tst_VdlTab.moc"
