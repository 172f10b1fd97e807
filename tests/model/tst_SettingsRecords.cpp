#include "model/ADCSettingsModel.h"
#include "model/AlertMessagesModel.h"
#include "model/MessageSettingsModel.h"
#include "model/RepeaterModel.h"
#include "model/SensorSettingsModel.h"
#include "model/StatusInputConfigurationModel.h"
#include "support/SavedBytes.h"
#include "support/TestMain.h"

#include <QtEndian>

namespace
{
QByteArray Ints(std::initializer_list<qint32> values)
{
    QByteArray out;
    for (qint32 v : values)
    {
        char b[4];
        qToBigEndian(v, b);
        out.append(b, 4);
    }
    return out;
}

QByteArray Utf16(const QString& s)
{
    QByteArray out = Ints({qint32(s.size() * 2)});
    for (QChar c : s)
    {
        out.append(char(c.unicode() >> 8));
        out.append(char(c.unicode() & 0xff));
    }
    return out;
}

using KelvaneTest::Saved;
} // namespace

class TestSettingsRecords : public QObject
{
    Q_OBJECT

private slots:
    void storedLayouts()
    {
        RepeaterModel repeater;
        QCOMPARE(Saved(repeater).toHex(), Ints({2, 0, 0, 30, 0, 0, 30, 0, 30}).toHex());

        StatusInputConfigurationModel status;
        QCOMPARE(Saved(status).toHex(), Ints({2, 0, 0, 0, 0, 1, 1, 1, 0, -1, 0, -1, -1, 1, 0}).toHex());

        AlertMessagesModel alerts;
        alerts.SetBiitAction(2);
        alerts.SetProximityAction(1);
        alerts.SetOffPositionAction(1);
        alerts.SetBiitText("BIIT");
        alerts.SetOffPositionText("OFF POS");
        alerts.SetProximityRadius(250);
        const QByteArray expected = Ints({2, 2, 1, 1}) + Utf16("BIIT") + Ints({-1}) + Utf16("OFF POS") + Ints({250});
        // An empty (never set) text is a null QString, stored as length 0xFFFFFFFF.
        QCOMPARE(Saved(alerts).toHex(), expected.toHex());

        AlertMessagesModel loaded;
        QDataStream in(expected);
        loaded.Load(in);
        QCOMPARE(loaded.GetBiitAction(), 2);
        QCOMPARE(loaded.GetOffPositionText(), QString("OFF POS"));
        QCOMPARE(loaded.GetProximityRadius(), 250);
    }

    void userPowerAnyNonZero()
    {
        StatusInputConfigurationModel status;
        QByteArray bytes = Ints({2, 1, 1, 1, 2, 0, 0, 0, 1, 3, 1, 2, 4, 0, 5});
        QDataStream in(bytes);
        status.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(status.GetUserPower());
        QCOMPARE(status.GetStatusBitSource(), 2);
        QCOMPARE(status.GetMessage6Index(), 3);
        QCOMPARE(status.GetOffPositionIndex(), 4);
        QCOMPARE(status.GetMessage6Format(), 0);

        // Truncated: nothing changes.
        StatusInputConfigurationModel untouched;
        QDataStream cut(bytes.left(30));
        untouched.Load(cut);
        QCOMPARE(untouched.GetLightOnOffActiveHigh(), 1);
        QVERIFY(!untouched.GetUserPower());
    }

    void unitOnlyRecordsWriteNothing()
    {
        SensorSettingsModel sensor;
        ADCSettingsModel adc;
        MessageSettingsModel message;
        sensor.SetConfigurationCode(3);
        adc.SetVoltageUnit(0.5);
        message.SetBatteryVoltageThreshold(12.5);
        QVERIFY(Saved(sensor).isEmpty());
        QVERIFY(Saved(adc).isEmpty());
        QVERIFY(Saved(message).isEmpty());

        QByteArray junk = Ints({7, 7, 7});
        QDataStream in(junk);
        sensor.Load(in);
        QCOMPARE(sensor.GetConfigurationCode(), 3);
        QCOMPARE(in.device()->pos(), 0);
    }

    void defaultsAndCopies()
    {
        ADCSettingsModel adc;
        QCOMPARE(adc.GetInternalCurrentDividend(), 5000);
        QCOMPARE(adc.GetInternalCurrentDivisor(), 4095);
        QCOMPARE(adc.GetInternalCurrentOffset(), 12);
        QCOMPARE(adc.GetInternalVoltageDividend(), 180);
        QCOMPARE(adc.GetInternalVoltageDivisor(), 823);
        QCOMPARE(adc.GetVoltageUnit(), 0.1);
        adc.SetCurrentSenseThreshold(7);
        ADCSettingsModel copy;
        copy = adc;
        QCOMPARE(copy.GetCurrentSenseThreshold(), 7);
        adc.Clear();
        QCOMPARE(adc.GetCurrentSenseThreshold(), 100);

        MessageSettingsModel message;
        QCOMPARE(message.GetMessage8Format(), 2);
        QCOMPARE(message.GetBatteryVoltageThreshold(), 100.0);
        SensorSettingsModel sensor;
        QCOMPARE(sensor.GetConfigurationCode(), 99);

        RepeaterModel repeater;
        repeater.SetMsg21Range(55);
        RepeaterModel other;
        other = repeater;
        QCOMPARE(other.GetMsg21Range(), 55);
    }
};

KELVANE_TEST_MAIN(TestSettingsRecords)
#include "tst_SettingsRecords.moc"
