// Whatever the model holds, every sentence the tool builds is one line (one start mark, one
// checksum, one line end, no control character) with the fields its formatter has. And whatever a
// configuration file holds, what it loads is what the tabs show, in values an editor, the unit or a
// VDL reply could give.

#include "model/AlertMessagesModel.h"
#include "model/Model.h"
#include "support/SavedBytes.h"
#include "support/SentenceSweep.h"
#include "support/TestMain.h"

#include <QDataStream>

#include <limits>

namespace
{
using SentenceSweep::LineFault;

void LogicFlags(Model& m, int value)
{
    StatusInputConfigurationModel* status = m.GetStatusInputConfiguration();
    status->SetLightOnOffActiveHigh(value);
    status->SetLightHealthActiveHigh(value);
    status->SetRaconHealthActiveHigh(value);
}

// The same text in every MMSI, name and alert text the sentences carry, and input-logic flags that are
// no flags.
void FillEverywhere(Model& model, const QString& text)
{
    AtoN* real = model.GetRealAtoN();
    real->GetAtoNMMSI()->SetMMSI(text);
    real->GetAtoNMMSI()->SetCurrentMMSI(text);
    real->GetAtoNMMSI()->SetAddressMMSI(text);
    real->SetName(text);
    for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
    {
        model.GetVirtualAtoN(k)->GetAtoNMmsi()->SetMMSI(text);
        model.GetVirtualAtoN(k)->SetAtoNName(text);
    }
    AlertMessagesModel* alerts = model.GetAlertMessages();
    alerts->SetBiitAction(2);
    alerts->SetBiitText(text);
    alerts->SetProximityAction(1);
    alerts->SetProximityText(text);
    alerts->SetOffPositionAction(1);
    alerts->SetOffPositionText(text);
    model.GetVdlModel()->GetFirstMmsi()->SetMMSI(text);
    model.GetVdlModel()->AddMmsi(text);
    model.GetVdlModel()->targetMMSI = text;
    LogicFlags(model, std::numeric_limits<int>::max());
}

// What every row starts from: a real AtoN as the editors would set it up, and a virtual AtoN in use.
void Configured(Model& model)
{
    AtoN* real = model.GetRealAtoN();
    real->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351001"));
    real->SetName(QStringLiteral("NORTH PIER"));
    real->GetPosition()->SetLatitude(51.5);
    real->GetPosition()->SetLongitude(-1.25);
    model.GetVirtualAtoN01()->SetEnabled(true);
    model.GetVirtualAtoN01()->GetAtoNMmsi()->SetMMSI(QStringLiteral("992351002"));
    AlertMessagesModel* alerts = model.GetAlertMessages();
    alerts->SetBiitAction(2);
    alerts->SetBiitText(QStringLiteral("LIGHT FAILED"));
    alerts->SetProximityAction(1);
    alerts->SetProximityText(QStringLiteral("KEEP CLEAR"));
    alerts->SetProximityRadius(30000);
}

QByteArray Encoded(const QString& text)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << text;
    return bytes;
}

// A VDL reply's ten-digit MMSIs, the widest an MMSI of the model gets.
const QString ReplyMmsi = QStringLiteral("1073741823");
const QString SecondReplyMmsi = QStringLiteral("1073741822");

// The numbers of a configuration that go out as decimal text, with the values their editors take or a
// VDL reply's fields give: the real AtoN's and virtual AtoN 1's, the real AtoN's schedule (the message
// 21 entry and, for the scheme, which hides the start slots, the second one), the proximity radius and
// the receiver wake-up time.
struct Number
{
    void (*set)(Model&, int);
    int least;
    int most;
};
void BothStations(Model& m, void (AtoN::*set)(int), int v)
{
    (m.GetRealAtoN()->*set)(v);
    (m.GetVirtualAtoN01()->GetAtoN()->*set)(v);
}
// Changes one entry of the real AtoN's schedule.
template <typename Change> void ChangeEntry(Model& m, int position, Change change)
{
    ScheduleEntry entry = m.GetMessageSchedule()->GetEntry(position);
    change(entry);
    m.GetMessageSchedule()->SetEntry(position, entry);
}
const Number Numbers[] = {
    {[](Model& m, int v) { BothStations(m, &AtoN::SetPositionAccuracy, v); }, 0, 1},
    {[](Model& m, int v) { m.GetRealAtoN()->SetChannel1(v); }, 0, 4095},
    {[](Model& m, int v) { m.GetRealAtoN()->SetChannel2(v); }, 0, 4095},
    {[](Model& m, int v) { BothStations(m, &AtoN::SetPowerLevel, v); }, 0, 15},
    {[](Model& m, int v) { BothStations(m, &AtoN::SetTypeOfAtoN, v); }, 0, 31},
    {[](Model& m, int v) { m.GetVirtualAtoN01()->SetStationKind(v); }, 0, 2},
    // An inland AtoN's, after the type, which sets the code.
    {[](Model& m, int v)
     {
         m.GetVirtualAtoN01()->SetInland(true);
         m.GetVirtualAtoN01()->GetAtoN()->SetInlandTypeCode(v);
     },
     0, 63},
    {[](Model& m, int v) { m.GetRealAtoN()->SetOffPositionThreshold(v); }, 0, 4095},
    {[](Model& m, int v) { BothStations(m, &AtoN::SetSyncLossBehaviour, v); }, 0, 1},
    {[](Model& m, int v) { ChangeEntry(m, 0, [v](ScheduleEntry& e) { e.messageId = v; }); }, 0, 63},
    {[](Model& m, int v) { ChangeEntry(m, 0, [v](ScheduleEntry& e) { e.blockA.startSlot = e.blockB.startSlot = v; }); },
     -1, 4095},
    {[](Model& m, int v) { ChangeEntry(m, 1, [v](ScheduleEntry& e) { e.mode = v; }); }, 0, 2},
    {[](Model& m, int v) { m.GetAlertMessages()->SetProximityRadius(v); }, 0, 30000},
    {[](Model& m, int v) { m.GetVdlModel()->receiverHour = v; }, 0, 31},
    {[](Model& m, int v) { m.GetVdlModel()->receiverMinute = v; }, 0, 63},
    {[](Model& m, int v) { m.GetVdlModel()->receiverInterval = v; }, 0, 16383 * 60},
    {[](Model& m, int v) { m.GetVdlModel()->receiverDuration = v; }, 0, 2047 * 60},
};

// Puts a row's value, hostile or as the tabs show it, into one field of the model.
using Field = void (*)(Model&, const QString&);
struct Set
{
    static void RealMmsi(Model& m, const QString& v) { m.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(v); }
    static void AddressMmsi(Model& m, const QString& v) { m.GetRealAtoN()->GetAtoNMMSI()->SetAddressMMSI(v); }
    static void VirtualMmsi(Model& m, const QString& v) { m.GetVirtualAtoN01()->GetAtoNMmsi()->SetMMSI(v); }
    static void Name(Model& m, const QString& v) { m.GetRealAtoN()->SetName(v); }
    static void VirtualName(Model& m, const QString& v) { m.GetVirtualAtoN01()->SetAtoNName(v); }
    static void BiitText(Model& m, const QString& v) { m.GetAlertMessages()->SetBiitText(v); }
    static void OffPositionText(Model& m, const QString& v) { m.GetAlertMessages()->SetOffPositionText(v); }
    static void ProximityText(Model& m, const QString& v) { m.GetAlertMessages()->SetProximityText(v); }
    // A field beside other values of its line: the real AtoN's MMSI a reply's ten digits or only five, or
    // a one-digit radius.
    static void TenDigitMmsi(Model& m) { RealMmsi(m, ReplyMmsi); }
    static void FiveDigitMmsi(Model& m) { RealMmsi(m, QStringLiteral("12345")); }
    static void OneDigitRadius(Model& m) { m.GetAlertMessages()->SetProximityRadius(5); }
    template <void (*Beside)(Model&), Field field> static void With(Model& m, const QString& v)
    {
        Beside(m);
        field(m, v);
    }
    static void LogicFlags(Model& m, const QString& v) { ::LogicFlags(m, v.toInt(nullptr, 0)); }
    // The acknowledgement (ticked at 0) and off-position check (ticked at 1) tick boxes of the real
    // AtoN: both "ticked", both "unticked", or both holding the number.
    static void TickBoxes(Model& m, const QString& v)
    {
        bool number = false;
        const int n = v.toInt(&number);
        m.GetRealAtoN()->SetAckProcedure(number ? n : v == QLatin1String("ticked") ? 0 : 1);
        m.GetRealAtoN()->SetOffPositionCheck(number ? n : v == QLatin1String("ticked") ? 1 : 0);
    }
    // Every number of Numbers: the row's number, or each one's "least" or "most" value, or one beyond
    // it ("least-1", "most+1"). The MMSIs are a reply's ten digits and the names as long as the full
    // name sentence takes, so that the lines are as wide as such numbers make them.
    static void Numbers(Model& m, const QString& v)
    {
        RealMmsi(m, ReplyMmsi);
        VirtualMmsi(m, SecondReplyMmsi);
        Name(m, QString(32, u'N'));
        VirtualName(m, QString(32, u'V'));
        for (const Number& number : ::Numbers)
        {
            const int value = v.startsWith(QLatin1String("least"))  ? number.least + v.mid(5).toInt()
                              : v.startsWith(QLatin1String("most")) ? number.most + v.mid(4).toInt()
                                                                    : v.toInt();
            number.set(m, value);
        }
    }
    // The name editor never lets a long name into the model: the hostile name goes into the file in
    // place of this mark, the shown one into the model as Name (or VirtualName).
    static void NameInTheFile(Model& m, const QString&) { Name(m, Mark()); }
    static void VirtualNameInTheFile(Model& m, const QString&) { VirtualName(m, Mark()); }
    static QString Mark() { return QStringLiteral("NAME-MARK"); }
    // Where the row's shown value goes.
    static Field Shown(Field field)
    {
        return field == NameInTheFile ? Field(Name) : field == VirtualNameInTheFile ? Field(VirtualName) : field;
    }
};
} // namespace

Q_DECLARE_METATYPE(Field)

class TestHostileFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySentenceIsOneLine_data()
    {
        QTest::addColumn<QString>("hostile");
        QTest::newRow("CR LF and a second sentence")
            << QStringLiteral("992351001\r\n$UPAID,992351001,1,235000666,0,C*00\r\n");
        QTest::newRow("lone line end") << QStringLiteral("9923\n51001");
        QTest::newRow("NUL, DEL and C1 controls") << QStringLiteral("99\u0000235\u007f10\u008501");
        QTest::newRow("start and checksum marks") << QStringLiteral("!AIBBM*12$GP");
        QTest::newRow("field separators") << QStringLiteral("992351001,,,,,,EVIL,,C");
    }

    void everySentenceIsOneLine()
    {
        QFETCH(QString, hostile);
        Model model;
        FillEverywhere(model, hostile);
        Model plain;
        FillEverywhere(plain, QStringLiteral("992351001"));

        const QStringList sentences = SentenceSweep::Lines(model);
        const QStringList plainSentences = SentenceSweep::Lines(plain);
        QVERIFY(sentences.size() - sentences.count(QString()) > 60);
        QCOMPARE(sentences.size(), plainSentences.size());
        for (qsizetype i = 0; i < sentences.size(); ++i)
        {
            const QString& line = sentences[i];
            if (line.isEmpty())
                continue;
            QVERIFY2(LineFault(line).isEmpty(), qPrintable(LineFault(line) + QStringLiteral(": ") + line));
            // No value adds a field: each line has the fields of the same line built from plain values.
            QVERIFY2(line.count(QLatin1Char(',')) == plainSentences[i].count(QLatin1Char(',')), qPrintable(line));
        }
    }

    // Files the tool never wrote. Each loads bounded by what an editor, the unit or a VDL reply could
    // have given: an MMSI none of them gives as the unset MMSI, which the tabs show as not valid (never
    // as another MMSI made of its digits), a text cut to what the line that carries it holds beside the
    // file's MMSI and radius, characters beyond ISO 8859-1 as the "?" they go out as, numbers and tick
    // boxes as their editors show them. Every line the tool can then send is the line those values
    // give: one line of ASCII, at most 82 characters long.
    void hostileFileLoadsAsTheTabsShowIt_data()
    {
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("hostile");
        QTest::addColumn<QString>("shown");
        const QString unset = AtoNMMSI::Unset;
        QTest::newRow("MMSI carrying a name field") << Field(Set::RealMmsi) << "992351001,,,,,,EVIL,,C" << unset;
        QTest::newRow("MMSI carrying a second sentence")
            << Field(Set::RealMmsi) << "992351001\r\n$PKVX,0,3,0x6C28E5B0,0,option 9,0" << unset;
        QTest::newRow("MMSI carrying a position")
            << Field(Set::VirtualMmsi) << "992351002,7,0000.0000,N,00000.0000,E" << unset;
        QTest::newRow("addressed MMSI carrying fields") << Field(Set::AddressMmsi) << "99235,1003,0,,C" << unset;
        QTest::newRow("10000-digit virtual MMSI") << Field(Set::VirtualMmsi) << QString(10000, u'7') << unset;
        QTest::newRow("10-digit MMSI beyond a reply's field") << Field(Set::RealMmsi) << "1073741824" << unset;

        // "$UPMCR,992351001,BIT,1,1,12,<text>,C*hh" and CR LF leave a text 47 characters; the
        // proximity line leaves 46 less the radius's digits; the name-only line
        // "$UPACE,992351001,,,,,,<name>,,C*hh" 52, one less beside a ten-digit MMSI. An MMSI counts
        // nine digits at least, and an escaped character three.
        const QString a(47, u'A');
        QTest::newRow("72-character integrity-failure text") << Field(Set::BiitText) << QString(72, u'A') << a;
        QTest::newRow("72-character off-position text")
            << Field(Set::OffPositionText) << QString(72, u'O') << QString(47, u'O');
        QTest::newRow("47-character alert text") << Field(Set::BiitText) << a << a;
        QTest::newRow("48-character alert text") << Field(Set::BiitText) << a + u'B' << a;
        const Field tenDigitBiit = Set::With<Set::TenDigitMmsi, Set::BiitText>;
        QTest::newRow("46-character alert text, ten-digit MMSI") << tenDigitBiit << a.left(46) << a.left(46);
        QTest::newRow("47-character alert text, ten-digit MMSI") << tenDigitBiit << a << a.left(46);
        QTest::newRow("72-character proximity text, radius 30000")
            << Field(Set::ProximityText) << QString(72, u'B') << QString(41, u'B');
        const Field nearProximity = Set::With<Set::OneDigitRadius, Set::ProximityText>;
        QTest::newRow("45-character proximity text, radius 5")
            << nearProximity << QString(45, u'P') << QString(45, u'P');
        QTest::newRow("46-character proximity text, radius 5")
            << nearProximity << QString(46, u'P') << QString(45, u'P');
        const QString commas(17, u',');
        QTest::newRow("60-comma name") << Field(Set::NameInTheFile) << QString(60, u',') << commas;
        QTest::newRow("60-comma virtual AtoN name") << Field(Set::VirtualNameInTheFile) << QString(60, u',') << commas;
        QTest::newRow("name of 52 on the wire") << Field(Set::Name) << commas + u'N' << commas + u'N';
        QTest::newRow("name of 53 on the wire") << Field(Set::Name) << commas + "NN" << commas + u'N';
        const Field tenDigitName = Set::With<Set::TenDigitMmsi, Set::Name>;
        QTest::newRow("name of 51 on the wire, ten-digit MMSI") << tenDigitName << commas << commas;
        QTest::newRow("name of 52 on the wire, ten-digit MMSI") << tenDigitName << commas + u'N' << commas;
        QTest::newRow("name of 53 on the wire, five-digit MMSI")
            << Field(Set::With<Set::FiveDigitMmsi, Set::Name>) << commas + "NN" << commas + u'N';
        QTest::newRow("name of a million characters")
            << Field(Set::NameInTheFile) << QString(1000000, u'N') << QString(AtoN::MaxNameLength, u'N');
        // Quotation marks go out escaped: three characters each, on the wire and in the editors.
        QTest::newRow("name of quotation marks")
            << Field(Set::Name) << QString(AtoN::MaxNameLength, u'"') << QString(17, u'"');
        QTest::newRow("alert text of quotation marks")
            << Field(Set::BiitText) << QString(45, u'"') << QString(15, u'"');
        QTest::newRow("name of control characters")
            << Field(Set::Name) << QString(30, QChar(1)) << QString(17, QChar(1));
        // A sentence carries ISO 8859-1, beyond ASCII as escapes, and nothing else.
        QTest::newRow("ISO 8859-1 letter") << Field(Set::Name) << "CAF\u00c9"
                                           << "CAF\u00c9";
        QTest::newRow("name of ISO 8859-1 letters")
            << Field(Set::Name) << QString(30, QChar(0xC9)) << QString(17, QChar(0xC9));
        QTest::newRow("ship emoji and right-to-left mark") << Field(Set::ProximityText) << "\U0001f6a2 AHEAD\u200f"
                                                           << "?? AHEAD?";

        QTest::newRow("status-input logic flags 0x7FFFFFFF") << Field(Set::LogicFlags) << "0x7FFFFFFF"
                                                             << "0";
        QTest::newRow("ticked tick boxes") << Field(Set::TickBoxes) << "ticked"
                                           << "ticked";
        QTest::newRow("tick boxes holding -1") << Field(Set::TickBoxes) << "-1"
                                               << "unticked";
        QTest::newRow("tick boxes holding 2") << Field(Set::TickBoxes) << "2"
                                              << "unticked";
        QTest::newRow("numbers at the top of their ranges") << Field(Set::Numbers) << "most"
                                                            << "most";
        QTest::newRow("numbers one above their ranges") << Field(Set::Numbers) << "most+1"
                                                        << "most";
        QTest::newRow("numbers at the bottom of their ranges") << Field(Set::Numbers) << "least"
                                                               << "least";
        QTest::newRow("numbers one below their ranges") << Field(Set::Numbers) << "least-1"
                                                        << "least";
        QTest::newRow("numbers of -2147483648") << Field(Set::Numbers) << "-2147483648"
                                                << "least";
    }

    void hostileFileLoadsAsTheTabsShowIt()
    {
        QFETCH(Field, field);
        QFETCH(QString, hostile);
        QFETCH(QString, shown);
        Model source;
        Configured(source);
        field(source, hostile);
        QByteArray file;
        QDataStream out(&file, QIODevice::WriteOnly);
        source.Save(out);
        if (field == Set::NameInTheFile || field == Set::VirtualNameInTheFile)
        {
            QVERIFY(file.contains(Encoded(Set::Mark())));
            file.replace(Encoded(Set::Mark()), Encoded(hostile));
        }

        QDataStream in(file);
        Model loaded;
        QVERIFY(loaded.LoadOrKeep(in));
        Model expected;
        Configured(expected);
        Set::Shown(field)(expected, shown);

        QCOMPARE(loaded.GetRealAtoN()->GetName(), expected.GetRealAtoN()->GetName());
        // The model holds what the tabs show, not only what the sentences send: a later save keeps it.
        QCOMPARE(KelvaneTest::Saved(loaded), KelvaneTest::Saved(expected));
        QCOMPARE(SentenceSweep::TextFault(loaded), QString());
        QCOMPARE(SentenceSweep::LengthFault(loaded), QString());
        QCOMPARE(SentenceSweep::Lines(loaded), SentenceSweep::Lines(expected));
    }
};

KELVANE_TEST_MAIN(TestHostileFields)
#include "tst_HostileFields.moc"
