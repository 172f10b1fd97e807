// Whatever the model holds, every sentence the tool builds is one line (one start mark, one
// checksum, one line end, no control character) with the fields its formatter has. And whatever a
// configuration file holds, what it loads is what the tabs show, in values an editor, the unit or a
// VDL reply could give.

#include "model/AlertMessagesModel.h"
#include "model/Model.h"
#include "support/SentenceSweep.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QDataStream>

#include <limits>

namespace
{
// Every line the jobs of the model send.
QStringList AllSentences(Model& model)
{
    QStringList out = SentenceSweep::Lines(model);
    out.removeAll(QString());
    return out;
}

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

// Changes one model: a hostile file's values, or what the editors show of them.
using Setup = void (*)(Model&);

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

void RealMmsi(Model& m, const QString& mmsi)
{
    m.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(mmsi);
}

void VirtualMmsi(Model& m, const QString& mmsi)
{
    m.GetVirtualAtoN01()->GetAtoNMmsi()->SetMMSI(mmsi);
}

// The file of a model whose real AtoN is named `name`, however long (the name editor would never
// let such a name into the model, so its bytes are put into the file directly).
QByteArray FileWithName(Model& model, const QString& name)
{
    const QString marker = QStringLiteral("NAME-MARK");
    model.GetRealAtoN()->SetName(marker);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    model.Save(out);
    QByteArray encodedMarker;
    QDataStream m(&encodedMarker, QIODevice::WriteOnly);
    m << marker;
    QByteArray encodedName;
    QDataStream n(&encodedName, QIODevice::WriteOnly);
    n << name;
    const int at = int(bytes.indexOf(encodedMarker));
    return at < 0 ? QByteArray() : bytes.replace(at, encodedMarker.size(), encodedName);
}
} // namespace

Q_DECLARE_METATYPE(Setup)

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
        QVERIFY(AllSentences(model).size() > 60);
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

    // A file the tool never wrote: an MMSI that carries a second sentence and a name of a million
    // characters. The name is limited as the editor limits it, and the MMSI cannot break the line.
    void hostileFileBuildsOneSentencePerLine()
    {
        Model source;
        source.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351001\r\n$PKVX,0,3,0x6C28E5B0,0,option 9,0"));
        const QByteArray file = FileWithName(source, QString(1000000, QLatin1Char('N')));
        QVERIFY(!file.isEmpty());
        QBuffer buffer;
        buffer.setData(file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QDataStream in(&buffer);
        Model loaded;
        QVERIFY(loaded.LoadOrKeep(in));
        QCOMPARE(loaded.GetRealAtoN()->GetName(), QString(AtoN::MaxNameLength, QLatin1Char('N')));
        for (const QString& line : AllSentences(loaded))
            QVERIFY2(LineFault(line).isEmpty(), qPrintable(LineFault(line) + QStringLiteral(": ") + line));
    }

    // Files the tool never wrote. Each loads bounded by what an editor, the unit or a VDL reply could
    // have given: an MMSI none of them gives as the unset MMSI, which the tabs show as not valid (never
    // as another MMSI made of its digits), texts cut to what a sentence carries, characters beyond
    // ISO 8859-1 as the "?" they go out as, tick boxes as they show. Every line the tool can then send
    // is the line those values give, one line of ASCII, and no longer than such values make it.
    void hostileFileLoadsAsTheTabsShowIt_data()
    {
        QTest::addColumn<Setup>("hostile");
        QTest::addColumn<Setup>("shown");
        QTest::newRow("MMSI carrying a name field")
            << Setup([](Model& m) { RealMmsi(m, QStringLiteral("992351001,,,,,,EVIL,,C")); })
            << Setup([](Model& m) { RealMmsi(m, AtoNMMSI::Unset); });
        QTest::newRow("MMSI carrying a position")
            << Setup([](Model& m) { VirtualMmsi(m, QStringLiteral("992351002,7,0000.0000,N,00000.0000,E")); })
            << Setup([](Model& m) { VirtualMmsi(m, AtoNMMSI::Unset); });
        QTest::newRow("addressed MMSI carrying fields")
            << Setup([](Model& m)
                     { m.GetRealAtoN()->GetAtoNMMSI()->SetAddressMMSI(QStringLiteral("99235,1003,0,,C")); })
            << Setup([](Model& m) { m.GetRealAtoN()->GetAtoNMMSI()->SetAddressMMSI(AtoNMMSI::Unset); });
        QTest::newRow("10000-digit virtual MMSI")
            << Setup([](Model& m) { VirtualMmsi(m, QString(10000, QLatin1Char('7'))); })
            << Setup([](Model& m) { VirtualMmsi(m, AtoNMMSI::Unset); });
        QTest::newRow("10-digit MMSI beyond a reply's field")
            << Setup([](Model& m) { RealMmsi(m, QStringLiteral("1073741824")); })
            << Setup([](Model& m) { RealMmsi(m, AtoNMMSI::Unset); });
        QTest::newRow("5000-character alert text")
            << Setup([](Model& m) { m.GetAlertMessages()->SetBiitText(QString(5000, QLatin1Char('A'))); })
            << Setup([](Model& m) { m.GetAlertMessages()->SetBiitText(QString(72, QLatin1Char('A'))); });
        QTest::newRow("5000-character proximity text")
            << Setup([](Model& m) { m.GetAlertMessages()->SetProximityText(QString(5000, QLatin1Char('B'))); })
            << Setup([](Model& m) { m.GetAlertMessages()->SetProximityText(QString(72, QLatin1Char('B'))); });
        QTest::newRow("name of escaped characters")
            << Setup([](Model& m) { m.GetRealAtoN()->SetName(QString(40, QLatin1Char(','))); })
            << Setup([](Model& m) { m.GetRealAtoN()->SetName(QString(24, QLatin1Char(','))); });
        // Quotation marks go out escaped, yet the editors count each as one: such a text is the
        // editor's own and comes back whole.
        const Setup quotes = [](Model& m)
        {
            m.GetRealAtoN()->SetName(QString(AtoN::MaxNameLength, QLatin1Char('"')));
            m.GetAlertMessages()->SetBiitText(QString(AlertMessagesModel::MaxTextLength, QLatin1Char('"')));
        };
        QTest::newRow("texts the editors take, quotation marks included") << quotes << quotes;
        QTest::newRow("name of control characters")
            << Setup([](Model& m) { m.GetRealAtoN()->SetName(QString(30, QChar(1))); })
            << Setup([](Model& m) { m.GetRealAtoN()->SetName(QString(24, QChar(1))); });
        // A sentence carries ISO 8859-1, beyond ASCII as escapes, and nothing else.
        QTest::newRow("ISO 8859-1 letter")
            << Setup([](Model& m) { m.GetRealAtoN()->SetName(QStringLiteral("CAF\u00c9")); })
            << Setup([](Model& m) { m.GetRealAtoN()->SetName(QStringLiteral("CAF\u00c9")); });
        QTest::newRow("ship emoji and right-to-left mark")
            << Setup([](Model& m) { m.GetAlertMessages()->SetProximityText(QStringLiteral("\U0001f6a2 AHEAD\u200f")); })
            << Setup([](Model& m) { m.GetAlertMessages()->SetProximityText(QStringLiteral("?? AHEAD?")); });
        QTest::newRow("status-input logic flags 0x7FFFFFFF")
            << Setup([](Model& m) { LogicFlags(m, 0x7FFFFFFF); }) << Setup([](Model& m) { LogicFlags(m, 0); });
    }

    void hostileFileLoadsAsTheTabsShowIt()
    {
        QFETCH(Setup, hostile);
        QFETCH(Setup, shown);
        Model source;
        Configured(source);
        hostile(source);
        QByteArray file;
        QDataStream out(&file, QIODevice::WriteOnly);
        source.Save(out);

        QDataStream in(file);
        Model loaded;
        QVERIFY(loaded.LoadOrKeep(in));
        Model expected;
        Configured(expected);
        shown(expected);

        QCOMPARE(SentenceSweep::TextFault(loaded), QString());
        QCOMPARE(SentenceSweep::LengthFault(loaded), QString());
        QCOMPARE(SentenceSweep::Lines(loaded), SentenceSweep::Lines(expected));
    }
};

KELVANE_TEST_MAIN(TestHostileFields)
#include "tst_HostileFields.moc"
