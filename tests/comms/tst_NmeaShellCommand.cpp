#include "comms/CoreSettings.h"
#include "comms/NmeaShellCommand.h"
#include "model/AtoN.h"
#include "support/TestMain.h"

#include <QSignalSpy>

namespace
{
QString Line(const QString& body)
{
    const QByteArray bytes = body.toLatin1();
    unsigned x = 0;
    for (int i = 1; i < bytes.size(); ++i)
        x ^= quint8(bytes[i]);
    return body + QString::asprintf("*%02X\r\n", x);
}
} // namespace

class TestNmeaShellCommand : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CoreSettings::Reset(); }

    void buildsTheCommandSentence()
    {
        NmeaShellCommand appver(QStringLiteral("appver"), 0, 2, 1);
        QCOMPARE(appver.BuildSentence(), QStringLiteral("$PKVX,0,0,0x5E1D0A47,2,appver,1*29\r\n"));
        NmeaShellCommand level3(QStringLiteral("option 2"), 3, 0, 75);
        QCOMPARE(level3.BuildSentence(), Line("$PKVX,0,3,0x6C28E5B0,0,option 2,75"));
    }

    void storesTheCommandEscapedAcrossReplies()
    {
        NmeaShellCommand relay(QStringLiteral("setrelay 1,5"), 0, 0, 53);
        QCOMPARE(relay.GetCommand(), QStringLiteral("setrelay 1^2C5"));
        const QString sent = QStringLiteral("$PKVX,0,0,0x5E1D0A47,0,setrelay 1^2C5,53*16\r\n");
        QCOMPARE(relay.BuildSentence(), sent);

        // The reply that echoes the command unescaped splits it into two fields: another command.
        QCOMPARE(relay.CheckResponse(NmeaSentence(Line("$PKVX,255,setrelay 1,5,53,OK"))), -1);
        QCOMPARE(relay.CheckResponse(NmeaSentence(Line("$PKVX,255,setrelay 1^2C5,53,OK^2C done"))), 1);
        QCOMPARE(relay.GetResponse(), QStringLiteral("OK, done"));
        // A good reply must not change what the next send carries, nor how the next reply matches.
        QCOMPARE(relay.GetCommand(), QStringLiteral("setrelay 1^2C5"));
        QCOMPARE(relay.BuildSentence(), sent);
        QCOMPARE(relay.CheckResponse(NmeaSentence(Line("$PKVX,255,setrelay 1^2C5,53,OK"))), 1);
    }

    // The unit's identifier is taken over and carried by the next send; a reply without one
    // leaves 0.
    void replyIdReplacesTheStoredId()
    {
        NmeaShellCommand vswr(QStringLiteral("vswr"), 0, 2, 5);
        QCOMPARE(vswr.CheckResponse(NmeaSentence(Line("$PKVX,255,vswr,9,23"))), 1);
        QCOMPARE(vswr.GetId(), 9);
        QVERIFY(vswr.BuildSentence().contains(QLatin1String(",vswr,9*")));
        QCOMPARE(vswr.CheckResponse(NmeaSentence(Line("$PKVX,255,vswr,,23"))), 0);
        QCOMPARE(vswr.GetId(), 0);
    }

    void refusesACommandTooLongForItsField()
    {
        const QString longCommand = QStringLiteral("cellstouse ") + QString(39, QLatin1Char('1')); // 50
        NmeaShellCommand fits(longCommand, 0, 0, 60);
        QVERIFY(fits.IsSendable());
        QVERIFY(!fits.BuildSentence().isEmpty());

        // 49 characters plus one comma, escaped to three: 52.
        NmeaShellCommand tooLong(QStringLiteral("setisensescale ") + QString(34, QLatin1Char('9')) + ",", 0, 0, 70);
        QVERIFY(!tooLong.IsSendable());
        QCOMPARE(tooLong.BuildSentence(), QString());
        QVERIFY(tooLong.GetLastError().contains(tooLong.GetCommand()));
    }

    void replyCodes_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("vendor");
        QTest::addColumn<int>("code");
        QTest::newRow("good") << Line("$PKVX,255,vswr,5,23") << "" << 1;
        QTest::newRow("lower-case maker") << Line("$Pkvx,255,vswr,5,23") << "" << -6; // not a sentence address
        QTest::newRow("invalid") << "$PKVX,255,vswr,5,23*00"
                                 << "" << -6;
        QTest::newRow("not proprietary") << Line("$GPTXT,01,01,02,HELLO") << "" << -5;
        QTest::newRow("other maker") << Line("$PABC,255,vswr,5,23") << "" << -4;
        QTest::newRow("other maker named by VendorID") << Line("$PABC,255,vswr,5,23") << "abc" << 1;
        QTest::newRow("log line") << Line("$PKVX,7,R,1,3,5,010125,1200,FAULT") << "" << 0;
        QTest::newRow("no command") << Line("$PKVX,255") << "" << 0;
        QTest::newRow("other command") << Line("$PKVX,255,vin,6,12000") << "" << -1;
        QTest::newRow("no id") << Line("$PKVX,255,vswr") << "" << 0;
        QTest::newRow("empty id") << Line("$PKVX,255,vswr,,23") << "" << 0;
        QTest::newRow("no text") << Line("$PKVX,255,vswr,5") << "" << 1;
    }

    void replyCodes()
    {
        QFETCH(QString, reply);
        QFETCH(QString, vendor);
        QFETCH(int, code);
        if (!vendor.isEmpty())
            CoreSettings::SetVendorID(vendor);
        NmeaShellCommand vswr(QStringLiteral("vswr"), 0, 2, 5);
        QCOMPARE(vswr.CheckResponse(NmeaSentence(reply)), code);
    }

    void replySignals()
    {
        NmeaShellCommand vswr(QStringLiteral("vswr"), 0, 2, 5);
        QSignalSpy ratio(&vswr, &NmeaShellCommand::VSWR);
        QCOMPARE(vswr.CheckResponse(NmeaSentence(Line("$PKVX,255,vswr,5,23"))), 1);
        QCOMPARE(ratio.count(), 1);
        QCOMPARE(ratio.at(0).at(0).toDouble(), 2.3);

        NmeaShellCommand appver(QStringLiteral("appver"), 0, 2, 1);
        QSignalSpy version(&appver, &NmeaShellCommand::Version);
        QSignalSpy variant(&appver, &NmeaShellCommand::Variant);
        QCOMPARE(appver.CheckResponse(NmeaSentence(Line("$PKVX,255,appver,1"))), 1);
        QCOMPARE(version.count(), 1);
        QCOMPARE(version.at(0).at(0).toString(), QString());
        QCOMPARE(variant.at(0).at(0).toString(), QString());
        QCOMPARE(appver.CheckResponse(NmeaSentence(Line("$PKVX,255,appver,1,V1.2AB-7"))), 1);
        QCOMPARE(version.at(1).at(0).toString(), QStringLiteral("V1.2AB-7"));
        QCOMPARE(variant.at(1).at(0).toString(), QStringLiteral("AB"));

        NmeaShellCommand vin(QStringLiteral("vin"), 0, 2, 6);
        QSignalSpy volts(&vin, &NmeaShellCommand::VIN);
        QCOMPARE(vin.CheckResponse(NmeaSentence(Line("$PKVX,255,vin,6,twelve"))), 1);
        QCOMPARE(volts.at(0).at(0).toDouble(), 0.0);

        NmeaShellCommand filter(QStringLiteral("gpsfilt 49"), 0, 0, 8);
        QSignalSpy anything(&filter, &NmeaShellCommand::gnssSetSignal);
        QCOMPARE(filter.CheckResponse(NmeaSentence(Line("$PKVX,255,gpsfilt 49,8,OK"))), 1);
        QCOMPARE(anything.count(), 0);
    }

    void setGnssFollowsTheAtoN()
    {
        AtoN aton;
        aton.SetGnssType(3);
        NmeaShellCommand setgnss(QStringLiteral("setgnss"), 0, 0, 9, &aton);
        QCOMPARE(setgnss.BuildSentence(), QStringLiteral("$PKVX,0,0,0x5E1D0A47,0,setgnss 3,9*5B\r\n"));
        QCOMPARE(setgnss.BuildSentence(), QStringLiteral("$PKVX,0,0,0x5E1D0A47,0,setgnss 3,9*5B\r\n"));
        aton.SetGnssType(13);
        QVERIFY(setgnss.BuildSentence().contains(QLatin1String(",setgnss 13,9*")));
        QSignalSpy set(&setgnss, &NmeaShellCommand::gnssSetSignal);
        QCOMPARE(setgnss.CheckResponse(NmeaSentence(Line("$PKVX,255,setgnss 13,9,13"))), 1);
        QCOMPARE(set.at(0).at(0).toInt(), 13);
    }
};

KELVANE_TEST_MAIN(TestNmeaShellCommand)
#include "tst_NmeaShellCommand.moc"
