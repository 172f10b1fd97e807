#include "comms/McrSentence.h"

#include "model/Model.h"

namespace
{
const char* const TypeCodes[] = {"SBS", "LRC", "BIT", "PRX", "OFP", "LIS", "SRL", "MSS", "MSO", "RPT", "MST", "UPW"};

// The alert message numbers of the unit and the actions of the alert record.
constexpr int NoMessage = 0;
constexpr int SafetyMessage12 = 12;
constexpr int SafetyMessage14 = 14;

using StatusGetter = int (StatusInputConfigurationModel::*)() const;
using StatusSetter = void (StatusInputConfigurationModel::*)(int);
struct StatusField
{
    StatusGetter get;
    StatusSetter set;
};

// The status-input fields each plain type carries, in sentence order; read and written from the
// same table so the two directions cannot drift apart.
QList<StatusField> StatusFields(int type)
{
    using S = StatusInputConfigurationModel;
    switch (type)
    {
    case AtoNSentenceMCR::LRC:
        return {{&S::GetLightFitted, &S::SetLightFitted},
                {&S::GetRaconFitted, &S::SetRaconFitted},
                {&S::GetRaconMonitored, &S::SetRaconMonitored}};
    case AtoNSentenceMCR::MSS:
        return {{&S::GetMessage6Source, &S::SetMessage6Source}, {&S::GetMessage6Index, &S::SetMessage6Index}};
    case AtoNSentenceMCR::MSO:
        return {{&S::GetPositionReportEnabled, &S::SetPositionReportEnabled},
                {&S::GetOnPositionIndex, &S::SetOnPositionIndex},
                {&S::GetOffPositionIndex, &S::SetOffPositionIndex}};
    case AtoNSentenceMCR::MST:
        return {{&S::GetMessage6Format, &S::SetMessage6Format}};
    default:
        return {};
    }
}

QString Number(int value)
{
    return QString::number(value);
}
} // namespace

AtoNSentenceMCR::AtoNSentenceMCR(AtoN* aton, Model* owner, int type)
    : AtoNSentence(aton, owner), owner(owner), type(type)
{
    formatter = QStringLiteral("MCR");
}

QString AtoNSentenceMCR::TypeCode(int type)
{
    if (type < 0 || type >= int(std::size(TypeCodes)))
        return QString();
    return QLatin1String(TypeCodes[type]);
}

QString AtoNSentenceMCR::RealMmsi() const
{
    return owner ? owner->GetRealAtoN()->GetAtoNMMSI()->GetMMSI() : AtoNMMSI::Unset;
}

QString AtoNSentenceMCR::BuildQuery()
{
    return BuildSentence({RealMmsi(), QStringLiteral("Q"), TypeCode(type)});
}

QString AtoNSentenceMCR::Encode(int index, int* count)
{
    Q_UNUSED(count);
    if (!owner)
        return QString();
    const StatusInputConfigurationModel* status = owner->GetStatusInputConfiguration();
    const AlertMessagesModel* alerts = owner->GetAlertMessages();
    const RepeaterModel* repeater = owner->GetRepeater();

    QStringList fields{RealMmsi(), TypeCode(type)};
    auto alert = [&fields](int action, const QString& text)
    {
        fields << QStringLiteral("1") << QStringLiteral("1");
        switch (action)
        {
        case 0:
            fields << Number(NoMessage) << QString();
            return true;
        case 1:
        case 2:
            // An alert that is switched on but has no text is not sent at all.
            if (text.isEmpty())
                return false;
            fields << Number(action == 1 ? SafetyMessage12 : SafetyMessage14) << NmeaSentence::Escaped(text);
            return true;
        default:
            if (text.isEmpty())
                return false;
            fields << QString();
            return true;
        }
    };

    switch (type)
    {
    case SBS:
        fields << (owner->GetRealAtoN()->IsInland() ? QStringLiteral("0") : Number(status->GetStatusBitSource()));
        break;
    case LRC:
    case MSS:
    case MSO:
    case MST:
        for (const StatusField& f : StatusFields(type))
            fields << Number((status->*f.get)());
        break;
    case BIT:
        if (!alert(alerts->GetBiitAction(), alerts->GetBiitText()))
            return QString();
        break;
    case OFP:
        if (!alert(alerts->GetOffPositionAction(), alerts->GetOffPositionText()))
            return QString();
        break;
    case PRX:
    {
        const int action = alerts->GetProximityAction();
        const QString text = alerts->GetProximityText();
        if (action != 0 && text.isEmpty())
            return QString();
        fields << QStringLiteral("1") << QStringLiteral("1");
        if (action == 0)
            fields << Number(NoMessage) << QString() << QString();
        else if (action == 1)
            fields << Number(SafetyMessage12) << NmeaSentence::Escaped(text) << Number(alerts->GetProximityRadius());
        else
            fields << QString();
        break;
    }
    case LIS:
    {
        // One bit per input, set as its tick box shows it (1 ticked, anything else not), whatever the
        // record holds.
        const auto bit = [](int flag, int place) { return flag == 1 ? 1 << place : 0; };
        fields << Number(bit(status->GetLightOnOffActiveHigh(), 0) | bit(status->GetLightHealthActiveHigh(), 1) |
                         bit(status->GetRaconHealthActiveHigh(), 2));
        break;
    }
    case SRL:
        fields << Number(repeater->GetSartRepeat());
        break;
    case RPT:
        if (index == 0)
            fields << QStringLiteral("21") << Number(repeater->GetMsg21Repeat())
                   << Number(repeater->GetMsg21GuardTime()) << Number(repeater->GetMsg21Range());
        else if (index == 1)
            fields << QStringLiteral("8") << Number(repeater->GetMsg8Repeat()) << Number(repeater->GetMsg8GuardTime())
                   << QStringLiteral("0");
        else if (index == 2)
            fields << QStringLiteral("6") << Number(repeater->GetMsg6Repeat()) << Number(repeater->GetMsg6GuardTime())
                   << QStringLiteral("0");
        else
            fields << QString();
        break;
    case UPW:
        fields << (status->GetUserPower() ? QStringLiteral("1") : QStringLiteral("0"));
        break;
    default:
        break;
    }
    fields << QStringLiteral("C");
    return BuildSentence(fields);
}

int AtoNSentenceMCR::DecodeAlert(const NmeaSentence& sentence, const QString& code)
{
    AlertMessagesModel* alerts = owner->GetAlertMessages();
    // Fields 3 and 4 are not used; 5 is the message number, 6 the text (7 the PRX radius).
    if (!sentence.HasField(3) || !sentence.HasField(4))
        return SentenceStatus::FieldMissing;
    int message = 0;
    const Field read = ReadInt(sentence, 5, message);
    if (read == Field::Bad)
        return SentenceStatus::FieldMissing;
    if (!sentence.HasField(6))
        return SentenceStatus::FieldMissing;
    const QString text = NmeaSentence::Unescaped(sentence.FieldView(6).toString());

    if (code == QLatin1String("PRX"))
    {
        int radius = 0;
        const Field radiusRead = ReadInt(sentence, 7, radius);
        if (radiusRead == Field::Bad)
            return SentenceStatus::FieldMissing;
        if (read == Field::Value && message == NoMessage)
            alerts->SetProximityAction(0);
        if (read == Field::Value && message == SafetyMessage12)
            alerts->SetProximityAction(1);
        alerts->SetProximityText(text);
        if (radiusRead == Field::Value)
            alerts->SetProximityRadius(radius);
        return SentenceStatus::Decoded;
    }

    const bool integrity = code == QLatin1String("BIT");
    int action = -1;
    if (read == Field::Value)
        action = message == NoMessage ? 0 : message == SafetyMessage12 ? 1 : message == SafetyMessage14 ? 2 : -1;
    if (integrity)
    {
        if (action >= 0)
            alerts->SetBiitAction(action);
        alerts->SetBiitText(text);
    }
    else
    {
        if (action >= 0)
            alerts->SetOffPositionAction(action);
        alerts->SetOffPositionText(text);
    }
    return SentenceStatus::Decoded;
}

int AtoNSentenceMCR::Decode(const NmeaSentence& sentence)
{
    if (CheckHeader(sentence) != SentenceStatus::Decoded)
        return SentenceStatus::FieldMissing;
    QString mmsi;
    if (!sentence.GetString(1, mmsi))
        return SentenceStatus::FieldMissing;
    if (!owner || mmsi == AtoNMMSI::Unset || mmsi != RealMmsi())
        return SentenceStatus::UnknownMmsi;
    QString code;
    if (!sentence.GetString(2, code))
        return SentenceStatus::Decoded;

    StatusInputConfigurationModel* status = owner->GetStatusInputConfiguration();
    RepeaterModel* repeater = owner->GetRepeater();
    int value = 0;
    auto readInto = [&](int field, auto* record, auto setter)
    {
        const Field read = ReadInt(sentence, field, value);
        if (read == Field::Value)
            (record->*setter)(value);
        return read != Field::Bad;
    };

    if (code == QLatin1String("SBS"))
    {
        const Field read = ReadInt(sentence, 3, value);
        if (read == Field::Bad || !FieldIs(sentence, 4, "R"))
            return SentenceStatus::FieldMissing;
        if (read == Field::Value)
            status->SetStatusBitSource(value);
        return SentenceStatus::Decoded;
    }
    if (code == QLatin1String("LRC") || code == QLatin1String("MSS") || code == QLatin1String("MSO") ||
        code == QLatin1String("MST"))
    {
        const int codeType = code == QLatin1String("LRC")   ? LRC
                             : code == QLatin1String("MSS") ? MSS
                             : code == QLatin1String("MSO") ? MSO
                                                            : MST;
        const QList<StatusField> fields = StatusFields(codeType);
        for (int i = 0; i < fields.size(); ++i)
            if (!readInto(3 + int(i), status, fields[i].set))
                return SentenceStatus::FieldMissing;
        if (codeType == LRC && !FieldIs(sentence, 3 + int(fields.size()), "R"))
            return SentenceStatus::FieldMissing;
        return SentenceStatus::Decoded;
    }
    if (code == QLatin1String("BIT") || code == QLatin1String("PRX") || code == QLatin1String("OFP"))
        return DecodeAlert(sentence, code);
    if (code == QLatin1String("LIS"))
    {
        const Field read = ReadInt(sentence, 3, value);
        if (read == Field::Bad)
            return SentenceStatus::FieldMissing;
        if (read == Field::Value)
        {
            status->SetLightOnOffActiveHigh(value & 1);
            status->SetLightHealthActiveHigh((value >> 1) & 1);
            status->SetRaconHealthActiveHigh((value >> 2) & 1);
        }
        return SentenceStatus::Decoded;
    }
    if (code == QLatin1String("SRL"))
        return readInto(3, repeater, &RepeaterModel::SetSartRepeat) ? SentenceStatus::Decoded
                                                                    : SentenceStatus::FieldMissing;
    if (code == QLatin1String("RPT"))
    {
        int message = 0;
        if (ReadInt(sentence, 3, message) != Field::Value)
            return SentenceStatus::FieldMissing;
        bool ok = false;
        if (message == 6)
            ok = readInto(4, repeater, &RepeaterModel::SetMsg6Repeat) &&
                 readInto(5, repeater, &RepeaterModel::SetMsg6GuardTime);
        else if (message == 8)
            ok = readInto(4, repeater, &RepeaterModel::SetMsg8Repeat) &&
                 readInto(5, repeater, &RepeaterModel::SetMsg8GuardTime);
        else if (message == 21)
            ok = readInto(4, repeater, &RepeaterModel::SetMsg21Repeat) &&
                 readInto(5, repeater, &RepeaterModel::SetMsg21GuardTime) &&
                 readInto(6, repeater, &RepeaterModel::SetMsg21Range);
        return ok ? SentenceStatus::Decoded : SentenceStatus::FieldMissing;
    }
    if (code == QLatin1String("UPW"))
    {
        const Field read = ReadInt(sentence, 3, value);
        if (read == Field::Bad)
            return SentenceStatus::FieldMissing;
        if (read == Field::Value)
            status->SetUserPower(value != 0);
        return SentenceStatus::Decoded;
    }
    return SentenceStatus::UnhandledType;
}
