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

// Puts a row's value, hostile or as the tabs show it, into one field of the model.
using Field = void (*)(Model&, const QString&);
struct Set
{
    static void RealMmsi(Model& m, const QString& v) { m.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(v); }
    static void AddressMmsi(Model& m, const QString& v) { m.GetRealAtoN()->GetAtoNMMSI()->SetAddressMMSI(v); }
    static void VirtualMmsi(Model& m, const QString& v) { m.GetVirtualAtoN01()->GetAtoNMmsi()->SetMMSI(v); }
    static void Name(Model& m, const QString& v) { m.GetRealAtoN()->SetName(v); }
    static void BiitText(Model& m, const QString& v) { m.GetAlertMessages()->SetBiitText(v); }
    static void ProximityText(Model& m, const QString& v) { m.GetAlertMessages()->SetProximityText(v); }
    static void LogicFlags(Model& m, const QString& v) { ::LogicFlags(m, v.toInt(nullptr, 0)); }
    // The name editor never lets a long name into the model: the hostile name goes into the file in
    // place of this mark, the shown one into the model as Name.
    static void NameInTheFile(Model& m, const QString&) { m.GetRealAtoN()->SetName(Mark()); }
    static QString Mark() { return QStringLiteral("NAME-MARK"); }
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
    // as another MMSI made of its digits), texts cut to what a sentence carries, characters beyond
    // ISO 8859-1 as the "?" they go out as, tick boxes as they show. Every line the tool can then send
    // is the line those values give, one line of ASCII, and no longer than such values make it.
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
        QTest::newRow("5000-character alert text") << Field(Set::BiitText) << QString(5000, u'A') << QString(72, u'A');
        QTest::newRow("5000-character proximity text")
            << Field(Set::ProximityText) << QString(5000, u'B') << QString(72, u'B');
        QTest::newRow("name of escaped characters") << Field(Set::Name) << QString(40, u',') << QString(24, u',');
        QTest::newRow("name of a million characters")
            << Field(Set::NameInTheFile) << QString(1000000, u'N') << QString(AtoN::MaxNameLength, u'N');
        // Quotation marks go out escaped, yet the editors count each as one: such a text is the
        // editor's own and comes back whole.
        const QString nameQuotes(AtoN::MaxNameLength, u'"');
        const QString textQuotes(AlertMessagesModel::MaxTextLength, u'"');
        QTest::newRow("name of quotation marks") << Field(Set::Name) << nameQuotes << nameQuotes;
        QTest::newRow("alert text of quotation marks") << Field(Set::BiitText) << textQuotes << textQuotes;
        QTest::newRow("name of control characters")
            << Field(Set::Name) << QString(30, QChar(1)) << QString(24, QChar(1));
        // A sentence carries ISO 8859-1, beyond ASCII as escapes, and nothing else.
        QTest::newRow("ISO 8859-1 letter") << Field(Set::Name) << "CAF\u00c9"
                                           << "CAF\u00c9";
        QTest::newRow("ship emoji and right-to-left mark") << Field(Set::ProximityText) << "\U0001f6a2 AHEAD\u200f"
                                                           << "?? AHEAD?";
        QTest::newRow("status-input logic flags 0x7FFFFFFF") << Field(Set::LogicFlags) << "0x7FFFFFFF"
                                                             << "0";
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
        if (field == Set::NameInTheFile)
        {
            QVERIFY(file.contains(Encoded(Set::Mark())));
            file.replace(Encoded(Set::Mark()), Encoded(hostile));
        }

        QDataStream in(file);
        Model loaded;
        QVERIFY(loaded.LoadOrKeep(in));
        Model expected;
        Configured(expected);
        (field == Set::NameInTheFile ? Set::Name : field)(expected, shown);

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
