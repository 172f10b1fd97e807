// The Repeater tab: what a new tab shows, load and store of every field (ranges included), the range in
// tenths of a nautical mile, and the edit road (a real change stores and marks the tab, a load never does).

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalSpy>
#include <QSpinBox>

#include "model/Model.h"
#include "model/RepeaterModel.h"
#include "support/GuiTestMain.h"
#include "support/WidgetTestTools.h"
#include "ui/settings/RepeaterControlsTab.h"

namespace
{
using Fields = QList<int>;

Fields FieldsOf(const RepeaterModel& r)
{
    return {r.GetSartRepeat(), r.GetMsg21Repeat(),   r.GetMsg21GuardTime(), r.GetMsg21Range(),
            r.GetMsg8Repeat(), r.GetMsg8GuardTime(), r.GetMsg6Repeat(),     r.GetMsg6GuardTime()};
}

void SetFields(RepeaterModel& r, const Fields& f)
{
    r.SetSartRepeat(f[0]);
    r.SetMsg21Repeat(f[1]);
    r.SetMsg21GuardTime(f[2]);
    r.SetMsg21Range(f[3]);
    r.SetMsg8Repeat(f[4]);
    r.SetMsg8GuardTime(f[5]);
    r.SetMsg6Repeat(f[6]);
    r.SetMsg6GuardTime(f[7]);
}

using KelvaneTest::Child;
} // namespace

class TestRepeaterControlsTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newTabShowsTheDefaults()
    {
        Model model;
        RepeaterControlsTab tab(&model);
        QCOMPARE(FieldsOf(*model.GetRepeater()), (Fields{0, 0, 30, 0, 0, 30, 0, 30}));
        for (const char* name :
             {"comboBox_SartControls", "comboBox_message_21_RI", "comboBox_message_8_RI", "comboBox_message_6_RI"})
        {
            auto* combo = Child<QComboBox>(tab, name);
            QCOMPARE(combo->count(), 4);
            QCOMPARE(combo->currentText(), QStringLiteral(" Off"));
            QCOMPARE(combo->itemText(3), QStringLiteral(" Repeat up to RI 2"));
            QCOMPARE(combo->itemData(3).toInt(), 3);
        }
        QCOMPARE(Child<QSpinBox>(tab, "spinBox_8_timeout")->value(), 30);
        QCOMPARE(Child<QDoubleSpinBox>(tab, "doubleSpinBox_message_21_range")->text(), QStringLiteral("0.0  NM"));
        QVERIFY(!tab.IsEdited());
    }

    // Load from a source, then store into a target: every field comes back as it was loaded.
    void loadThenStore_data()
    {
        QTest::addColumn<Fields>("loaded");
        QTest::addColumn<Fields>("stored");
        QTest::newRow("defaults") << Fields{0, 0, 30, 0, 0, 30, 0, 30} << Fields{0, 0, 30, 0, 0, 30, 0, 30};
        QTest::newRow("every field set") << Fields{1, 2, 7, 123, 3, 0, 2, 15} << Fields{1, 2, 7, 123, 3, 0, 2, 15};
        QTest::newRow("upper bounds") << Fields{3, 3, 30, 500, 3, 30, 3, 30} << Fields{3, 3, 30, 500, 3, 30, 3, 30};
        // Beyond the widgets: shown as the nearest bound or no choice, and written back as the unit had it.
        QTest::newRow("out of range") << Fields{7, -1, 45, 600, 4, -5, 1, 31} << Fields{7, -1, 45, 600, 4, -5, 1, 31};
    }

    void loadThenStore()
    {
        QFETCH(Fields, loaded);
        QFETCH(Fields, stored);
        Model own;
        Model source;
        Model target;
        RepeaterControlsTab tab(&own);
        SetFields(*source.GetRepeater(), loaded);
        QSignalSpy edits(&tab, &AtoNConfiguration::Edited);
        QVERIFY(tab.UpdateTabFromModel(&source));
        // The unit's record replaces the tab model's as it is; loading is no edit.
        QCOMPARE(FieldsOf(*own.GetRepeater()), loaded);
        QVERIFY(edits.isEmpty());
        QVERIFY(!tab.IsEdited());
        QVERIFY(tab.UpdateModelFromTab(&target));
        QCOMPARE(FieldsOf(*target.GetRepeater()), stored);
        // A store into another model leaves the own record alone.
        QCOMPARE(FieldsOf(*own.GetRepeater()), loaded);
    }

    void rangeIsKeptInTenths()
    {
        Model model;
        RepeaterControlsTab tab(&model);
        auto* range = Child<QDoubleSpinBox>(tab, "doubleSpinBox_message_21_range");
        for (int tenths = 0; tenths <= 500; ++tenths)
        {
            range->setValue(tenths / 10.0);
            QCOMPARE(model.GetRepeater()->GetMsg21Range(), tenths);
        }
        // A record of 123 shows 12.3 NM; setting the same value again finds no change.
        model.GetRepeater()->SetMsg21Range(123);
        tab.UpdateTabFromModel();
        tab.ClearEdited();
        QCOMPARE(range->text(), QStringLiteral("12.3  NM"));
        QSignalSpy edits(&tab, &AtoNConfiguration::Edited);
        tab.on_doubleSpinBox_message_21_range_valueChanged(12.3);
        QVERIFY(edits.isEmpty());
        QVERIFY(!tab.IsEdited());
    }

    void userChoiceStoresTheWholeTabAndMarksIt()
    {
        Model model;
        RepeaterControlsTab tab(&model);
        Child<QSpinBox>(tab, "spinBox_6_timeout")->blockSignals(true);
        Child<QSpinBox>(tab, "spinBox_6_timeout")->setValue(12);
        Child<QSpinBox>(tab, "spinBox_6_timeout")->blockSignals(false);
        QSignalSpy edits(&tab, &AtoNConfiguration::Edited);
        Child<QComboBox>(tab, "comboBox_message_8_RI")->setCurrentIndex(3);
        QCOMPARE(FieldsOf(*model.GetRepeater()), (Fields{0, 0, 30, 0, 3, 30, 0, 12}));
        QCOMPARE(edits.size(), 1);
        QCOMPARE(edits.at(0).at(0).value<QWidget*>(), &tab);
        QVERIFY(tab.IsEdited());
    }
};

KELVANE_TEST_GUI_MAIN(TestRepeaterControlsTab)
#include "tst_RepeaterControlsTab.moc"
