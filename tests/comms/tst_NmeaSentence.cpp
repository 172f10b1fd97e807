#include "comms/NmeaSentence.h"
#include "support/TestMain.h"

#include <QFile>
#include <QRegularExpression>

namespace
{
// Independent oracle for checksums of test lines: XOR of the bytes after the start character.
QString Sum(const QString& body)
{
    const QByteArray bytes = body.toLatin1();
    unsigned x = 0;
    for (int i = 1; i < bytes.size(); ++i)
        x ^= quint8(bytes[i]);
    return QString::asprintf("%02X", x);
}

QString Line(const QString& body)
{
    return body + QLatin1Char('*') + Sum(body);
}

// The parse as a regular expression states it, used to check the hand-written scanner.
struct Reference
{
    bool valid = false;
    QStringList fields;
};

Reference ParseWithRegex(QString line)
{
    Reference r;
    r.valid = true;
    if (line.contains(QLatin1String("\\$")) || line.contains(QLatin1String("\\!")))
    {
        const QStringList pieces = line.split(QLatin1Char('\\'));
        for (const QString& p : pieces)
            if (p.startsWith(QLatin1Char('$')) || p.startsWith(QLatin1Char('!')))
                line = p;
    }
    if (line.size() > 82)
        r.valid = false;
    static const QRegularExpression sentence(QStringLiteral("[!\\$][0-9A-Z]{4,5}.+\\*[0-9A-F]{2}"));
    static const QRegularExpression separators(QStringLiteral("[\\*,]"));
    QString matched;
    bool any = false;
    auto it = sentence.globalMatch(line);
    while (it.hasNext())
    {
        matched = it.next().captured(0);
        any = true;
    }
    if (!any)
    {
        r.valid = false;
        return r;
    }
    r.fields = matched.split(separators);
    const qsizetype star = matched.lastIndexOf(QLatin1Char('*'));
    QString covered = matched.left(star);
    covered.replace(QLatin1Char('*'), QLatin1Char(','));
    if (Sum(covered) != r.fields.last().left(2))
        r.valid = false;
    r.fields.removeLast();
    return r;
}
} // namespace

class TestNmeaSentence : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("talker");
        QTest::addColumn<QString>("formatter");
        QTest::addColumn<QStringList>("fields");

        QTest::newRow("text message") << QStringLiteral("$GPTXT,01,01,02,HELLO*0F\r\n") << true << "GP"
                                      << "TXT" << QStringList{"$GPTXT", "01", "01", "02", "HELLO"};
        QTest::newRow("proprietary") << QStringLiteral("$PKVX,255,appver,1,V1.2*6D\n") << true << "P"
                                     << "KVX" << QStringList{"$PKVX", "255", "appver", "1", "V1.2"};
        QTest::newRow("binary") << Line("!AIVDM,1,1,,B,13aDp<PP000IwSlN?Wm@0?wN2<1T,0") << true << "AI"
                                << "VDM"
                                << QStringList{"!AIVDM", "1", "1", "", "B", "13aDp<PP000IwSlN?Wm@0?wN2<1T", "0"};
        QTest::newRow("lower-case checksum") << QStringLiteral("$PKVX,255,appver,1,V1.2*6d") << false << ""
                                             << "" << QStringList();
        QTest::newRow("wrong checksum keeps fields") << QStringLiteral("$GPTXT,01,01,02,HELLO*0E") << false << ""
                                                     << "" << QStringList{"$GPTXT", "01", "01", "02", "HELLO"};
        QTest::newRow("tag block") << QStringLiteral("\\s:r003669,c:1241544035*4A\\") + Line("$GPTXT,01,01,02,HELLO")
                                   << true << "GP"
                                   << "TXT" << QStringList{"$GPTXT", "01", "01", "02", "HELLO"};
        QTest::newRow("shell prompt before") << "ais> " + Line("$AIALR,,001,A,V,LOW POWER") << true << "AI"
                                             << "ALR" << QStringList{"$AIALR", "", "001", "A", "V", "LOW POWER"};
        QTest::newRow("text after checksum") << Line("$GPTXT,01,01,02,HELLO") + "garbage" << true << "GP"
                                             << "TXT" << QStringList{"$GPTXT", "01", "01", "02", "HELLO"};
        QTest::newRow("star inside counts as comma") << "$GPXYZ,1*2,3*" + Sum("$GPXYZ,1,2,3") << true << "GP"
                                                     << "XYZ" << QStringList{"$GPXYZ", "1", "2", "3"};
        QTest::newRow("no sentence") << QStringLiteral("hello world") << false << ""
                                     << "" << QStringList();
        QTest::newRow("short address") << QStringLiteral("$GPT,1*00") << false << ""
                                       << "" << QStringList();
        QTest::newRow("last of two lines") << Line("$GPAAA,1") + "\n" + Line("$GPBBB,2") << true << "GP"
                                           << "BBB" << QStringList{"$GPBBB", "2"};
        QTest::newRow("broken surrogate") << Line("$GPTXT,1") + QChar(0xD800) << false << ""
                                          << "" << QStringList();

        // Leading noise counts toward the limit of 82 characters.
        const QString body = "$GPTXT,01,01,02," + QString(60, QLatin1Char('A'));
        const QString sentence = Line(body); // 79 characters
        QCOMPARE(sentence.size(), 79);
        QStringList fields{"$GPTXT", "01", "01", "02", QString(60, QLatin1Char('A'))};
        QTest::newRow("82 characters") << "abc" + sentence << true << "GP"
                                       << "TXT" << fields;
        QTest::newRow("83 characters") << "abcd" + sentence << false << ""
                                       << "" << fields;
    }

    void parse()
    {
        QFETCH(QString, line);
        QFETCH(bool, valid);
        QFETCH(QString, talker);
        QFETCH(QString, formatter);
        QFETCH(QStringList, fields);

        NmeaSentence s(line);
        QCOMPARE(s.IsValid(), valid);
        QCOMPARE(s.Talker(), talker);
        QCOMPARE(s.Formatter(), formatter);
        QCOMPARE(s.Fields(), fields);

        const Reference r = ParseWithRegex(line);
        QCOMPARE(s.IsValid(), r.valid);
        QCOMPARE(s.Fields(), r.fields);
    }

    void reusedRecordForgetsThePreviousLine()
    {
        NmeaSentence s(QStringLiteral("$GPTXT,01,01,02,HELLO*0F"));
        QVERIFY(s.IsValid());
        QVERIFY(!s.Parse(QStringLiteral("no sentence here")));
        QCOMPARE(s.FieldCount(), 0);
        QVERIFY(s.Talker().isEmpty());
        QVERIFY(s.Formatter().isEmpty());
        QString out = QStringLiteral("x");
        QVERIFY(!s.GetString(0, out));
        QVERIFY(out.isEmpty());
    }

    void getters()
    {
        const NmeaSentence s(Line("$GPXXX,,12.5,12,A,-7,99999999999"));
        QVERIFY(s.IsValid());
        QString text = QStringLiteral("x");
        QVERIFY(s.GetString(1, text));
        QCOMPARE(text, QString());
        int value = 5;
        QVERIFY(!s.GetInt(1, value));
        QCOMPARE(value, 0);
        QVERIFY(s.GetInt(2, value));
        QCOMPARE(value, 0);
        QVERIFY(s.GetDigit(3, value));
        QCOMPARE(value, 1);
        QVERIFY(s.GetInt(3, value));
        QCOMPARE(value, 12);
        QVERIFY(s.GetDigit(4, value));
        QCOMPARE(value, 0);
        QChar c;
        QVERIFY(s.GetChar(4, c));
        QCOMPARE(c, QLatin1Char('A'));
        QVERIFY(!s.GetChar(1, c));
        QCOMPARE(c, QChar());
        QVERIFY(s.GetInt(5, value));
        QCOMPARE(value, -7);
        QVERIFY(s.GetInt(6, value)); // too large for an int: not a number
        QCOMPARE(value, 0);
        QVERIFY(!s.GetString(7, text));
        QVERIFY(!s.GetString(-1, text));
        QVERIFY(!s.GetInt(99, value));
    }

    void checksum_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digits");
        QTest::newRow("empty") << QString() << "00";
        QTest::newRow("start only") << "$"
                                    << "00";
        QTest::newRow("one character") << "$A"
                                       << "41";
        QTest::newRow("query") << "$UPANQ,ACE"
                               << "30";
    }

    void checksum()
    {
        QFETCH(QString, text);
        QFETCH(QString, digits);
        QChar high;
        QChar low;
        NmeaSentence::Checksum(text, high, low);
        QCOMPARE(QString(high) + low, digits);
    }

    void escapes_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("separators") << "a,b*c"
                                    << "a^2Cb^2Ac";
        QTest::newRow("all reserved") << "!\"$*,\\^~"
                                      << "^21^22^24^2A^2C^5C^5E^7E";
        QTest::newRow("line ends and DEL") << QStringLiteral("a\r\nb\x7f") << "a^0D^0Ab^7F";
        QTest::newRow("plain") << "LAMP FAIL 12"
                               << "LAMP FAIL 12";
        QTest::newRow("non Latin-1 passes")
            << QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac") << QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac");
    }

    void escapes()
    {
        QFETCH(QString, raw);
        QFETCH(QString, escaped);
        QString text = raw;
        NmeaSentence::Escape(text);
        QCOMPARE(text, escaped);
        NmeaSentence::Unescape(text);
        QCOMPARE(text, raw);
        // An escaped text can never end or split the sentence it is put in.
        const QString line = NmeaSentence::Build(QStringLiteral("$UPMCR"), {escaped, QStringLiteral("C")});
        NmeaSentence parsed(line);
        QVERIFY(parsed.IsValid() || line.size() > 82);
        if (parsed.IsValid())
            QCOMPARE(parsed.FieldCount(), 3);
    }

    void unescapeOddities_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("not hex") << "^ZZx"
                                 << ".x";
        QTest::newRow("short tail") << "ab^4"
                                    << "ab^4";
        QTest::newRow("lower-case hex") << "^2c"
                                        << ",";
        QTest::newRow("caret at end") << "a^"
                                      << "a^";
    }

    void unescapeOddities()
    {
        QFETCH(QString, text);
        QFETCH(QString, result);
        NmeaSentence::Unescape(text);
        QCOMPARE(text, result);
    }

    void sixBitArmour()
    {
        QCOMPARE(NmeaSentence::SixBitValue('w'), 63);
        QCOMPARE(NmeaSentence::SixBitValue('`'), 40);
        QCOMPARE(NmeaSentence::SixBitValue('0'), 0);
        QCOMPARE(NmeaSentence::SixBitValue('W'), 39);
        QCOMPARE(NmeaSentence::SixBitValue('X'), 40);
        QCOMPARE(NmeaSentence::SixBitChar(39), 'W');
        QCOMPARE(NmeaSentence::SixBitChar(40), '`');
        QCOMPARE(NmeaSentence::SixBitChar(0), '0');
        for (int v = 0; v < 64; ++v)
            QCOMPARE(NmeaSentence::SixBitValue(NmeaSentence::SixBitChar(v)), v);
    }

    void building()
    {
        QCOMPARE(NmeaSentence::BuildQuery(QStringLiteral("ACE")), QStringLiteral("$UPANQ,ACE*30\r\n"));
        QCOMPARE(NmeaSentence::Build(QStringLiteral("$PKVX"), {"1", "SDQ"}), QStringLiteral("$PKVX,1,SDQ*62\r\n"));
        QCOMPARE(NmeaSentence::Build(QStringLiteral("!AIBBM"), {"1", "1", "0", "0", "25", "", "4"}),
                 QStringLiteral("!AIBBM,1,1,0,0,25,,4*5A\r\n"));
    }

    void recordedTrafficMatchesTheRegularExpression()
    {
        int lines = 0;
        int valid = 0;
        for (const char* name : {"nmea/ais-nmea.log", "nmea/ublox-neo-m9n-nmea.log"})
        {
            const QString path = KelvaneTest::TestDataPath(QLatin1String(name));
            if (path.isEmpty())
                QFAIL("recorded traffic missing from tests/data");
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            NmeaSentence s;
            while (!file.atEnd())
            {
                const QString line = QString::fromLatin1(file.readLine());
                const Reference r = ParseWithRegex(line);
                QCOMPARE(s.Parse(line), r.valid);
                QCOMPARE(s.Fields(), r.fields);
                ++lines;
                valid += r.valid ? 1 : 0;
            }
        }
        QVERIFY(lines > 2000);
        QVERIFY(valid > lines / 2);
    }
};

KELVANE_TEST_MAIN(TestNmeaSentence)
#include "tst_NmeaSentence.moc"
