#include "comms/AceSentence.h"
#include "model/AtoN.h"
#include "model/AtonTypeRules.h"
#include "support/TestMain.h"

class TestAtonTypeRules : public QObject
{
    Q_OBJECT

private slots:
    void lists()
    {
        const auto iala = AtonTypeRules::IalaTypes();
        const auto inland = AtonTypeRules::InlandTypes();
        QCOMPARE(iala.size(), 32);
        QCOMPARE(inland.size(), 32);
        for (int i = 0; i < 32; ++i)
        {
            QCOMPARE(iala[i].first, i);
            QCOMPARE(inland[i].first, i);
        }
        QCOMPARE(iala[0].second, QStringLiteral(" (0)  Default"));
        QCOMPARE(iala[12].second, QStringLiteral("(12)  Beacon cardinal W"));
        QCOMPARE(iala[31].second, QStringLiteral("(31)  Light Vessel"));
        QCOMPARE(inland[16].second, QStringLiteral("(16)  No entry *"));
        QCOMPARE(inland[17].second, QStringLiteral("(17)  Do not create wash *"));
        QCOMPARE(inland[25].second, QStringLiteral("(25)  Reserved"));
    }

    void fixedOrFloating_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("inland");
        QTest::addColumn<bool>("fixed");
        QTest::newRow("sea 4") << 4 << false << true;
        QTest::newRow("sea 19") << 19 << false << true;
        QTest::newRow("sea 20") << 20 << false << false;
        QTest::newRow("sea 32") << 32 << false << false;
        QTest::newRow("inland 4") << 4 << true << false;
        QTest::newRow("inland 5") << 5 << true << true;
        QTest::newRow("inland 15") << 15 << true << false;
        QTest::newRow("inland 16") << 16 << true << true;
        QTest::newRow("inland 19") << 19 << true << false;
        QTest::newRow("inland 31") << 31 << true << true;
        QTest::newRow("inland 40") << 40 << true << false;
        QTest::newRow("negative") << -1 << false << false;
    }

    void fixedOrFloating()
    {
        QFETCH(int, type);
        QFETCH(bool, inland);
        QFETCH(bool, fixed);
        QCOMPARE(AtonTypeRules::IsFixedAtoNType(type, inland), fixed);
    }

    void appendDirection_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("result");
        QTest::newRow("short") << "LOCK GATE" << 90 << "LOCK GATE%%90";
        QTest::newRow("replaces suffix") << "LOCK GATE%%12345" << 270 << "LOCK GATE%%270";
        QTest::newRow("34 characters cut to 29")
            << QString(34, QLatin1Char('N')) << 270 << QString(29, QLatin1Char('N')) + "%%270";
        QTest::newRow("no direction") << "WEIR" << 360 << "WEIR%%ERROR";
        QTest::newRow("no direction, long name stays within 34")
            << QString(34, QLatin1Char('N')) << 360 << QString(27, QLatin1Char('N')) + "%%ERROR";
        // Commas go out as "^2C": the name gives way on the wire too, so that its line stays whole.
        const QString commas(12, QLatin1Char(','));
        QTest::newRow("escaped name that fits beside the suffix")
            << commas + QString(11, QLatin1Char('N')) << 359 << commas + QString(11, QLatin1Char('N')) + "%%359";
        QTest::newRow("escaped name one character too long for the suffix")
            << commas + QString(12, QLatin1Char('N')) << 359 << commas + QString(11, QLatin1Char('N')) + "%%359";
        QTest::newRow("escaped name of 52 on the wire")
            << commas + QString(16, QLatin1Char('N')) << 359 << commas + QString(11, QLatin1Char('N')) + "%%359";
    }

    void appendDirection()
    {
        QFETCH(QString, name);
        QFETCH(int, direction);
        QFETCH(QString, result);
        AtonTypeRules::AppendDirectionOfImpact(name, direction);
        QCOMPARE(name, result);
        QVERIFY(name.size() <= AtonTypeRules::NameLimit);
        // The line that carries the name alone stays within the 82 characters of a sentence, CR LF included.
        AtoN aton;
        aton.GetAtoNMMSI()->SetMMSI(QStringLiteral("992351234"));
        aton.SetName(name);
        AtoNSentenceACE ace(&aton, nullptr);
        const QString line = ace.Encode(1, nullptr);
        QVERIFY2(line.size() <= 82, qPrintable(line));
    }

    void directionFromName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("direction");
        QTest::newRow("degrees") << "LOCK%%90" << 90;
        QTest::newRow("zero") << "LOCK%%0" << 0;
        QTest::newRow("error") << "LOCK%%ERROR" << 360;
        QTest::newRow("none") << "LOCK" << 360;
        QTest::newRow("out of range") << "LOCK%%360" << 360;
        QTest::newRow("too many digits") << "LOCK%%0090" << 360;
        QTest::newRow("empty") << "LOCK%%" << 360;
    }

    void directionFromName()
    {
        QFETCH(QString, name);
        QFETCH(int, direction);
        QCOMPARE(AtonTypeRules::DirectionOfImpactFromName(name), direction);
    }
};

KELVANE_TEST_MAIN(TestAtonTypeRules)
#include "tst_AtonTypeRules.moc"
