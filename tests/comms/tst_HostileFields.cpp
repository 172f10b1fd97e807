// Whatever the model holds (a configuration file can carry any text), every sentence the tool
// builds is one line: one start mark, one checksum, one line end, no control character.

#include "comms/AtoNSentence.h"
#include "comms/JobTable.h"
#include "comms/NmeaShellCommand.h"
#include "comms/TransportJob.h"
#include "model/AlertMessagesModel.h"
#include "model/Model.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QDataStream>

namespace
{
// Every line of every job: queries, each encode index a send may reach, and shell commands.
QStringList AllSentences(Model& model)
{
    JobTable table(&model);
    QStringList out;
    for (const QString& name : table.Names())
    {
        const std::shared_ptr<TransportJob> job = table.Find(name);
        for (TransportStep& step : job->steps)
        {
            if (step.command)
            {
                out << step.command->BuildSentence();
                continue;
            }
            out << step.sentence->BuildQuery();
            int count = step.count;
            for (int index = 0; index < qMax(count, 2); ++index)
                out << step.sentence->Encode(index, &count);
        }
    }
    out.removeAll(QString());
    return out;
}

// The first fault of a built sentence, or an empty text.
QString LineFault(const QString& line)
{
    if (!line.endsWith(QLatin1String("\r\n")))
        return QStringLiteral("no line end");
    const QString body = line.chopped(2);
    for (QChar c : body)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
            return QStringLiteral("control character %1").arg(c.unicode());
    if (body.count(QLatin1Char('$')) + body.count(QLatin1Char('!')) != 1 ||
        !(body.startsWith(QLatin1Char('$')) || body.startsWith(QLatin1Char('!'))))
        return QStringLiteral("not one start mark");
    if (body.count(QLatin1Char('*')) != 1 || body.indexOf(QLatin1Char('*')) != body.size() - 3)
        return QStringLiteral("not one checksum");
    return QString();
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
    }

    void everySentenceIsOneLine()
    {
        QFETCH(QString, hostile);
        Model model;
        AtoN* real = model.GetRealAtoN();
        real->GetAtoNMMSI()->SetMMSI(hostile);
        real->GetAtoNMMSI()->SetCurrentMMSI(hostile);
        real->GetAtoNMMSI()->SetAddressMMSI(hostile);
        real->SetName(hostile);
        for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
        {
            model.GetVirtualAtoN(k)->GetAtoNMmsi()->SetMMSI(hostile);
            model.GetVirtualAtoN(k)->SetAtoNName(hostile);
        }
        AlertMessagesModel* alerts = model.GetAlertMessages();
        alerts->SetBiitAction(2);
        alerts->SetBiitText(hostile);
        alerts->SetProximityAction(1);
        alerts->SetProximityText(hostile);
        alerts->SetOffPositionAction(1);
        alerts->SetOffPositionText(hostile);
        model.GetVdlModel()->GetFirstMmsi()->SetMMSI(hostile);
        model.GetVdlModel()->AddMmsi(hostile);
        model.GetVdlModel()->targetMMSI = hostile;

        const QStringList sentences = AllSentences(model);
        QVERIFY(sentences.size() > 60);
        for (const QString& line : sentences)
            QVERIFY2(LineFault(line).isEmpty(), qPrintable(LineFault(line) + QStringLiteral(": ") + line));
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
};

KELVANE_TEST_MAIN(TestHostileFields)
#include "tst_HostileFields.moc"
