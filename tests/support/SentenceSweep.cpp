#include "support/SentenceSweep.h"

#include "comms/AceSentence.h"
#include "comms/JobTable.h"
#include "comms/NmeaShellCommand.h"
#include "comms/TransportJob.h"
#include "model/FieldText.h"
#include "model/Model.h"

namespace
{
QList<AtoN*> Stations(Model& model)
{
    QList<AtoN*> stations{model.GetRealAtoN()};
    for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
        stations << model.GetVirtualAtoN(k)->GetAtoN();
    return stations;
}

// The longest line IEC 61162-1 allows, CR LF included: the limit itself, never a figure of the code
// under test.
constexpr int LongestLine = 82;

// A plain text in place of each name and alert text that holds one (the MMSIs stay: they choose the
// stations). A name stays on its side of the split between the full name sentence and the name-only
// one, so that each line of the model has its counterpart with the fields it must have.
void PlainTexts(Model& model)
{
    const auto plain = [](const QString& text) { return text.isEmpty() ? text : QStringLiteral("A"); };
    for (AtoN* aton : Stations(model))
        aton->SetName(FieldText::WireLength(aton->GetName()) <= AtoNSentenceACE::MaxNameInFullSentence
                          ? plain(aton->GetName())
                          : QString(AtoNSentenceACE::MaxNameInFullSentence + 1, QLatin1Char('A')));
    AlertMessagesModel* alerts = model.GetAlertMessages();
    alerts->SetBiitText(plain(alerts->GetBiitText()));
    alerts->SetOffPositionText(plain(alerts->GetOffPositionText()));
    alerts->SetProximityText(plain(alerts->GetProximityText()));
}
} // namespace

namespace SentenceSweep
{

QStringList Lines(Model& model)
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
    return out;
}

QString LineFault(const QString& line)
{
    if (!line.endsWith(QLatin1String("\r\n")))
        return QStringLiteral("no line end");
    const QString body = line.chopped(2);
    for (QChar c : body)
    {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
            return QStringLiteral("control character %1").arg(c.unicode());
        if (c.unicode() > 0x7F)
            return QStringLiteral("character %1 beyond ASCII").arg(c.unicode());
    }
    if (body.count(QLatin1Char('$')) + body.count(QLatin1Char('!')) != 1 ||
        !(body.startsWith(QLatin1Char('$')) || body.startsWith(QLatin1Char('!'))))
        return QStringLiteral("not one start mark");
    if (body.count(QLatin1Char('*')) != 1 || body.indexOf(QLatin1Char('*')) != body.size() - 3)
        return QStringLiteral("not one checksum");
    return QString();
}

QString TextFault(Model& model)
{
    for (AtoN* aton : Stations(model))
    {
        const AtoNMMSI* mmsi = aton->GetAtoNMMSI();
        for (const QString& value : {mmsi->GetCurrentMMSI(), mmsi->GetMMSI(), mmsi->GetAddressMMSI()})
            if (!FieldText::IsGivenMmsi(value))
                return QStringLiteral("MMSI ") + value.left(40);
        if (FieldText::Carried(aton->GetName()) != aton->GetName() || aton->GetName().size() > AtoN::MaxNameLength)
            return QStringLiteral("name ") + aton->GetName().left(40);
    }
    const AlertMessagesModel* alerts = model.GetAlertMessages();
    for (const QString& text : {alerts->GetBiitText(), alerts->GetOffPositionText(), alerts->GetProximityText()})
        if (FieldText::Carried(text) != text)
            return QStringLiteral("alert text ") + text.left(80);
    return QString();
}

QString LengthFault(Model& model)
{
    Model plain(nullptr);
    plain = model;
    PlainTexts(plain);
    const QStringList lines = Lines(model);
    const QStringList plainLines = Lines(plain);
    if (lines.size() != plainLines.size())
        return QStringLiteral("%1 lines where plain texts give %2").arg(lines.size()).arg(plainLines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
    {
        const QString& line = lines[i];
        if (line.isEmpty())
            continue;
        const QString fault = LineFault(line);
        if (!fault.isEmpty())
            return fault + QStringLiteral(": ") + line.left(200);
        if (line.size() > LongestLine)
            return QStringLiteral("%1 characters: ").arg(line.size()) + line;
        if (line.count(QLatin1Char(',')) != plainLines[i].count(QLatin1Char(',')))
            return QStringLiteral("fields beyond its formatter's: ") + line.left(200) + QStringLiteral(" against ") +
                   plainLines[i];
    }
    return QString();
}

} // namespace SentenceSweep
