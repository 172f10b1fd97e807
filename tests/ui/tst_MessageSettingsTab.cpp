// The Message Settings tab: load and store of every field (codes the tab does not know, the threshold's
// tenths and its 36 V bound, the inversion mask's eight bits), the Zeni Lite format's dependent widgets,
// and the bit check boxes, which store when clicked and must not leave a stale mask after a load.

#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>

#include "model/MessageSettingsModel.h"
#include "model/Model.h"
#include "support/GuiTestMain.h"
#include "support/WidgetTestTools.h"
#include "ui/settings/MessageSettingsTab.h"

namespace
{
// Format, FI, DAC, sub id, threshold (tenths of a volt), voltage source, supply, inversion mask, format 8.
using Fields = QList<int>;

void SetFields(MessageSettingsModel& r, const Fields& f, double threshold)
{
    r.SetMessage6Format(f[0]);
    r.SetMessage6FI(f[1]);
    r.SetMessage6DAC(f[2]);
    r.SetMessage6SubId(f[3]);
    r.SetBatteryVoltageThreshold(threshold);
    r.SetVoltageSource(f[5]);
    r.SetPowerSupplyType(f[6]);
    r.SetStatusBitInversionMask(f[7]);
    r.SetMessage8Format(f[8]);
}

Fields FieldsOf(const MessageSettingsModel& r)
{
    return {r.GetMessage6Format(),
            r.GetMessage6FI(),
            r.GetMessage6DAC(),
            r.GetMessage6SubId(),
            qRound(r.GetBatteryVoltageThreshold() * 1000),
            r.GetVoltageSource(),
            r.GetPowerSupplyType(),
            r.GetStatusBitInversionMask(),
            r.GetMessage8Format()};
}

using KelvaneTest::Child;

const char* const ZeniLiteWidgets[] = {"message6DACSpinBox",
                                       "message6FISpinBox",
                                       "message6SubIDSpinBox",
                                       "voltageThresholdBatteryStatusDoubleSpinBox",
                                       "internalVoltageADCRadioButton",
                                       "externalIsolatedADC1RadioButton",
                                       "ACRadioButton",
                                       "DCRadioButton",
                                       "label_sub_id",
                                       "label_dac",
                                       "label_fi",
                                       "label_voltage",
                                       "groupBox_voltage_source",
                                       "groupBox_power_type"};
} // namespace

class TestMessageSettingsTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Loaded into a new tab, then stored into another model. The threshold column is in millivolts.
    void loadThenStore_data()
    {
        QTest::addColumn<Fields>("loaded");
        QTest::addColumn<double>("threshold");
        QTest::addColumn<Fields>("stored");
        // Mask bits above the eight boxes go back unchanged while nobody edits; a threshold goes to a tenth,
        // and never beyond the unit's 0 to 36 V (the record's default of 100 V goes as 36 V).
        QTest::newRow("defaults") << Fields{1, 0, 0, 1, 0, 1, 1, 0, 2} << 100.0
                                  << Fields{1, 0, 0, 1, 36000, 1, 1, 0, 2};
        QTest::newRow("zeni lite") << Fields{2, 33, 235, 10, 0, 2, 0, 421, 1} << 12.34
                                   << Fields{2, 33, 235, 10, 12300, 2, 0, 421, 1};
        QTest::newRow("every bit") << Fields{2, 63, 1023, 65535, 0, 1, 1, 255, 2} << 0.1
                                   << Fields{2, 63, 1023, 65535, 100, 1, 1, 255, 2};
        // Unknown codes: format 3 leaves GLA checked, voltage source 0 is the external ADC, supply 5 is DC,
        // message 8 format 0 is FI31.
        QTest::newRow("unknown codes") << Fields{3, 64, 1024, 70000, 0, 0, 5, 0, 0} << -2.0
                                       << Fields{1, 64, 1024, 70000, 0, 2, 1, 0, 2};
    }

    void loadThenStore()
    {
        QFETCH(Fields, loaded);
        QFETCH(double, threshold);
        QFETCH(Fields, stored);
        Model own;
        Model source;
        Model target;
        SetFields(*source.GetMessageSettings(), loaded, threshold);
        MessageSettingsTab tab(&own);
        QVERIFY(tab.UpdateTabFromModel(&source));
        QVERIFY(tab.UpdateModelFromTab(&target));
        QCOMPARE(FieldsOf(*target.GetMessageSettings()), stored);
        QVERIFY(!tab.IsEdited());
    }

    void zeniLiteFormatEnablesItsSettings()
    {
        Model own;
        Model source;
        MessageSettingsTab tab(&own);
        source.GetMessageSettings()->SetMessage6Format(2);
        tab.UpdateTabFromModel(&source);
        QVERIFY(Child<QRadioButton>(tab, "zeniLiteFormatRadioButton")->isChecked());
        for (const char* name : ZeniLiteWidgets)
            QVERIFY2(Child<QWidget>(tab, name)->isEnabled(), name);
        source.GetMessageSettings()->SetMessage6Format(1);
        tab.UpdateTabFromModel(&source);
        for (const char* name : ZeniLiteWidgets)
            QVERIFY2(!Child<QWidget>(tab, name)->isEnabled(), name);
        // The status bits and message 8 stay editable under either format.
        QVERIFY(Child<QWidget>(tab, "checkBox_bit_7")->isEnabled());
        QVERIFY(Child<QWidget>(tab, "FI11RadioButton")->isEnabled());
    }

    void clickingABitStoresEveryWidget()
    {
        Model own;
        MessageSettingsTab tab(&own);
        auto* dac = Child<QSpinBox>(tab, "message6DACSpinBox");
        dac->blockSignals(true);
        dac->setValue(200);
        dac->blockSignals(false);
        Child<QCheckBox>(tab, "checkBox_bit_3")->click();
        QCOMPARE(own.GetMessageSettings()->GetStatusBitInversionMask(), 8);
        QCOMPARE(own.GetMessageSettings()->GetMessage6DAC(), 200);
        QCOMPARE(own.GetMessageSettings()->GetMessage6Format(), 1);
    }

    // A load whose earlier widgets store before the bits are set must still leave the new bits in the record.
    void loadedBitsReachTheRecord()
    {
        Model own;
        Model source;
        MessageSettingsTab tab(&own);
        SetFields(*source.GetMessageSettings(), {2, 0, 0, 1, 0, 1, 1, 5, 2}, 10.0);
        tab.UpdateTabFromModel(&source);
        QCOMPARE(own.GetMessageSettings()->GetMessage6Format(), 2);
        QCOMPARE(own.GetMessageSettings()->GetStatusBitInversionMask(), 5);
        QVERIFY(Child<QCheckBox>(tab, "checkBox_bit_2")->isChecked());
    }
};

KELVANE_TEST_GUI_MAIN(TestMessageSettingsTab)
#include "tst_MessageSettingsTab.moc"
