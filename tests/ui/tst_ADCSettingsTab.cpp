// The ADC Settings tab: a new tab stores the record's defaults, load and store of all twenty-two fields
// (the scalings' ranges included), and current sensing switching its dependent choices.

#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>

#include "model/ADCSettingsModel.h"
#include "model/Model.h"
#include "support/GuiTestMain.h"
#include "support/WidgetTestTools.h"
#include "ui/settings/ADCSettingsTab.h"

namespace
{
// Sensing, threshold, source, light "on" source, the sixteen scaling values, current unit, and the
// voltage unit in tenths of a volt.
using Fields = QList<int>;

struct IntField
{
    int (ADCSettingsModel::*get)() const;
    void (ADCSettingsModel::*set)(int);
};

const QList<IntField> IntFields = {
    {&ADCSettingsModel::GetCurrentSenseThreshold, &ADCSettingsModel::SetCurrentSenseThreshold},
    {&ADCSettingsModel::GetCurrentSenseSource, &ADCSettingsModel::SetCurrentSenseSource},
    {&ADCSettingsModel::GetLightOnSource, &ADCSettingsModel::SetLightOnSource},
    {&ADCSettingsModel::GetInternalCurrentDividend, &ADCSettingsModel::SetInternalCurrentDividend},
    {&ADCSettingsModel::GetInternalCurrentDivisor, &ADCSettingsModel::SetInternalCurrentDivisor},
    {&ADCSettingsModel::GetInternalCurrentKFactor, &ADCSettingsModel::SetInternalCurrentKFactor},
    {&ADCSettingsModel::GetInternalCurrentOffset, &ADCSettingsModel::SetInternalCurrentOffset},
    {&ADCSettingsModel::GetExternalCurrentDividend, &ADCSettingsModel::SetExternalCurrentDividend},
    {&ADCSettingsModel::GetExternalCurrentDivisor, &ADCSettingsModel::SetExternalCurrentDivisor},
    {&ADCSettingsModel::GetExternalCurrentKFactor, &ADCSettingsModel::SetExternalCurrentKFactor},
    {&ADCSettingsModel::GetExternalCurrentOffset, &ADCSettingsModel::SetExternalCurrentOffset},
    {&ADCSettingsModel::GetInternalVoltageDividend, &ADCSettingsModel::SetInternalVoltageDividend},
    {&ADCSettingsModel::GetInternalVoltageDivisor, &ADCSettingsModel::SetInternalVoltageDivisor},
    {&ADCSettingsModel::GetInternalVoltageKFactor, &ADCSettingsModel::SetInternalVoltageKFactor},
    {&ADCSettingsModel::GetInternalVoltageOffset, &ADCSettingsModel::SetInternalVoltageOffset},
    {&ADCSettingsModel::GetExternalVoltageDividend, &ADCSettingsModel::SetExternalVoltageDividend},
    {&ADCSettingsModel::GetExternalVoltageDivisor, &ADCSettingsModel::SetExternalVoltageDivisor},
    {&ADCSettingsModel::GetExternalVoltageKFactor, &ADCSettingsModel::SetExternalVoltageKFactor},
    {&ADCSettingsModel::GetExternalVoltageOffset, &ADCSettingsModel::SetExternalVoltageOffset},
    {&ADCSettingsModel::GetCurrentUnit, &ADCSettingsModel::SetCurrentUnit},
};

void SetFields(ADCSettingsModel& r, const Fields& f)
{
    r.SetCurrentSensingEnabled(f[0]);
    for (int i = 0; i < IntFields.size(); ++i)
        (r.*IntFields.at(i).set)(f[i + 1]);
    r.SetVoltageUnit(f[21] / 10.0);
}

Fields FieldsOf(const ADCSettingsModel& r)
{
    Fields f{r.GetCurrentSensingEnabled()};
    for (const IntField& field : IntFields)
        f << (r.*field.get)();
    f << qRound(r.GetVoltageUnit() * 10);
    return f;
}

using KelvaneTest::Child;

const char* const SenseDependent[] = {"groupBox_4", "currentSenseRadioButton", "label", "currentSenseThresholdSpinBox"};
} // namespace

class TestADCSettingsTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newTabStoresTheDefaults()
    {
        Model own;
        Model target;
        target.GetADCSettings()->SetCurrentSenseThreshold(5);
        ADCSettingsTab tab(&own);
        QVERIFY(tab.UpdateModelFromTab(&target));
        QCOMPARE(FieldsOf(*target.GetADCSettings()),
                 (Fields{0, 100, 0, 1, 5000, 4095, 0, 12, 1, 42, 0, 0, 180, 823, 0, 0, 1, 42, 0, 0, 1, 1}));
        QCOMPARE(FieldsOf(*target.GetADCSettings()), FieldsOf(ADCSettingsModel()));
    }

    void loadThenStore_data()
    {
        QTest::addColumn<Fields>("loaded");
        QTest::addColumn<Fields>("stored");
        const Fields distinct{1, 2500, 1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 250, 125};
        QTest::newRow("every field its own value") << distinct << distinct;
        QTest::newRow("upper bounds") << Fields{1,     10000, 1,     1,     10000, 4095, 4095, 4095,
                                                65535, 65535, 65535, 65535, 10000, 4095, 4095, 4095,
                                                65535, 65535, 65535, 65535, 10000, 360}
                                      << Fields{1,     10000, 1,     1,     10000, 4095, 4095, 4095,
                                                65535, 65535, 65535, 65535, 10000, 4095, 4095, 4095,
                                                65535, 65535, 65535, 65535, 10000, 360};
        // Beyond the widgets: the boxes show the nearest bound but the unit's values go back unchanged; a
        // source of 2 is the external input. Sensing off with the light "on" source on current sense keeps
        // that choice.
        QTest::newRow("beyond the widgets")
            << Fields{0, 20000, 2, 0, 0, 5000, -1, 5000, 70000, 0, 70000, 0, 20000, 0, 5000, 5000, 0, 0, 0, 0, 0, 400}
            << Fields{0, 20000, 1, 0, 0, 5000, -1, 5000, 70000, 0, 70000, 0, 20000, 0, 5000, 5000, 0, 0, 0, 0, 0, 400};
    }

    void loadThenStore()
    {
        QFETCH(Fields, loaded);
        QFETCH(Fields, stored);
        Model own;
        Model source;
        Model target;
        SetFields(*source.GetADCSettings(), loaded);
        ADCSettingsTab tab(&own);
        QVERIFY(tab.UpdateTabFromModel(&source));
        QVERIFY(tab.UpdateModelFromTab(&target));
        QCOMPARE(FieldsOf(*target.GetADCSettings()), stored);
        // Every widget change during the load stored, so the tab model already holds what the widgets show.
        if (loaded != FieldsOf(ADCSettingsModel()))
            QCOMPARE(FieldsOf(*own.GetADCSettings()), stored);
        QVERIFY(!tab.IsEdited());
    }

    void currentSensingSwitchesItsChoices()
    {
        Model own;
        ADCSettingsTab tab(&own);
        auto* sense = Child<QCheckBox>(tab, "enableCurrentSenseCheckBox");
        sense->click();
        for (const char* name : SenseDependent)
            QVERIFY2(Child<QWidget>(tab, name)->isEnabled(), name);
        Child<QRadioButton>(tab, "currentSenseRadioButton")->click();
        Child<QSpinBox>(tab, "ivsOffsetSpinBox")->setValue(7);
        QCOMPARE(own.GetADCSettings()->GetLightOnSource(), 0);

        sense->click();
        QVERIFY(Child<QRadioButton>(tab, "ISODI1RadioButton")->isChecked());
        for (const char* name : SenseDependent)
            QVERIFY2(!Child<QWidget>(tab, name)->isEnabled(), name);
        QVERIFY(!own.GetADCSettings()->GetCurrentSensingEnabled());
        QCOMPARE(own.GetADCSettings()->GetLightOnSource(), 1);

        const Fields before = FieldsOf(*own.GetADCSettings());
        sense->click();
        for (const char* name : SenseDependent)
            QVERIFY2(Child<QWidget>(tab, name)->isEnabled(), name);
        Fields after = FieldsOf(*own.GetADCSettings());
        QCOMPARE(after.takeFirst(), 1);
        QCOMPARE(after, before.mid(1));
        QCOMPARE(own.GetADCSettings()->GetInternalVoltageOffset(), 7);
    }

    void loadedLightChoiceStaysWithSensingOff()
    {
        Model own;
        Model source;
        source.GetADCSettings()->SetLightOnSource(0);
        ADCSettingsTab tab(&own);
        tab.UpdateTabFromModel(&source);
        auto* currentSense = Child<QRadioButton>(tab, "currentSenseRadioButton");
        QVERIFY(currentSense->isChecked());
        QVERIFY(!currentSense->isEnabled());
        QCOMPARE(own.GetADCSettings()->GetLightOnSource(), 0);
    }
};

KELVANE_TEST_GUI_MAIN(TestADCSettingsTab)
#include "tst_ADCSettingsTab.moc"
