#include "comms/AceSentence.h"

#include "model/AtonTypeRules.h"
#include "model/FieldText.h"
#include "model/Model.h"

namespace
{
QString ZeroFilled(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// A dimension limited to the digits its place in the field has.
QString Dimension(int value, int width)
{
    const int limit = width == 3 ? 999 : 99;
    return ZeroFilled(qBound(0, value, limit), width);
}

// Hexadecimal digits only (the field is two of them); false for anything else.
bool ReadHex(QStringView text, int& value)
{
    value = 0;
    if (text.isEmpty() || text.size() > 4)
        return false;
    for (QChar c : text)
    {
        const char16_t u = c.unicode();
        int digit = -1;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit < 0)
            return false;
        value = value * 16 + digit;
    }
    return true;
}
} // namespace

AtoNSentenceACE::AtoNSentenceACE(AtoN* aton, Model* owner) : AtoNSentence(aton, owner), owner(owner)
{
    formatter = QStringLiteral("ACE");
}

QString AtoNSentenceACE::DimensionsField(const AtoN& aton)
{
    if (aton.GetStationKind() == AtoNDef::VIRTUAL || aton.GetTypeOfAtoN() == AtoNDef::REFERENCE_POINT)
        return QStringLiteral("0000000000");
    if (AtonTypeRules::IsFixedAtoNType(aton.GetTypeOfAtoN(), aton.IsInland()))
        return Dimension(aton.GetDimensionA(), 3) + Dimension(aton.GetDimensionB(), 3) +
               Dimension(aton.GetDimensionC(), 2) + Dimension(aton.GetDimensionD(), 2);
    // A floating AtoN swings about its mooring: the unit takes its radius A in every direction.
    const int a = aton.GetDimensionA();
    return Dimension(a, 3) + Dimension(a, 3) + Dimension(a, 2) + Dimension(a, 2);
}

QString AtoNSentenceACE::Encode(int index, int* count)
{
    const AtoN* aton = static_cast<AtoN*>(model);
    if (!aton)
        return QString();
    const QString mmsi = aton->GetAtoNMMSI()->GetMMSI();
    const QString name = NmeaSentence::Escaped(aton->GetName());

    if (index != 0)
    {
        // The second sentence of a long name carries the name alone.
        if (count)
            *count = 0;
        return BuildSentence(
            {mmsi, QString(), QString(), QString(), QString(), QString(), name, QString(), QStringLiteral("C")});
    }

    const bool real = aton->GetStationKind() == AtoNDef::REAL;
    const QString inlandCode = aton->IsInland()
                                   ? QStringLiteral("%1").arg(aton->GetInlandTypeCode(), 2, 16, QLatin1Char('0'))
                                   : QStringLiteral("00");
    QString nameField = name;
    // Measured as the name travels, every escape included, so that the full sentence never grows past
    // what a name from the editor gives it, whatever characters the name holds.
    if (FieldText::WireLength(aton->GetName()) > MaxNameInFullSentence)
    {
        nameField.clear();
        if (count)
            *count += 1;
    }
    return BuildSentence({mmsi, inlandCode, real ? ZeroFilled(aton->GetOffPositionThreshold(), 4) : QString(),
                          QString::number(aton->GetAckProcedure()),
                          real ? QString::number(aton->GetOffPositionCheck()) : QString(),
                          real ? QString::number(aton->GetSyncLossBehaviour()) : QString(), nameField,
                          DimensionsField(*aton), QStringLiteral("C")});
}

int AtoNSentenceACE::Decode(const NmeaSentence& sentence)
{
    // Any header failure reads as a reply that could not be parsed.
    if (CheckHeader(sentence) != SentenceStatus::Decoded)
        return SentenceStatus::FieldMissing;
    QString mmsi;
    if (!sentence.GetString(1, mmsi))
        return SentenceStatus::FieldMissing;
    if (mmsi == AtoNMMSI::Unset)
        return SentenceStatus::UnknownMmsi;
    AtoN* target = FindAtoN(owner, mmsi);
    // A reply for no AtoN we know is written nowhere, not even its name: taking it for the AtoN
    // this step encodes would give that AtoN another station's name.
    if (!target)
        return SentenceStatus::UnknownMmsi;

    auto blank = [&sentence](int i) { return !sentence.HasValue(i); };
    if (blank(3) && blank(4) && blank(5) && blank(6) && sentence.HasField(7) && sentence.HasValue(9))
    {
        target->SetName(NmeaSentence::Unescaped(sentence.FieldView(7).toString()));
        return SentenceStatus::Decoded;
    }

    // Field 2: the inland type code, which also says whether the AtoN is inland.
    if (!sentence.HasField(2))
        return SentenceStatus::FieldMissing;
    // A code that is no hexadecimal number keeps the AtoN's: read as 0 it would make an inland AtoN
    // a sea one.
    int code = 0;
    if (sentence.HasValue(2) && ReadHex(sentence.FieldView(2), code))
    {
        target->SetInland(code >= 32 && code <= 63);
        target->SetInlandTypeCode(code);
    }

    for (int i = 3; i <= 6; ++i)
    {
        int value = 0;
        const Field read = ReadInt(sentence, i, value);
        if (read == Field::Bad)
            return SentenceStatus::FieldMissing;
        if (read != Field::Value)
            continue;
        switch (i)
        {
        case 3:
            target->SetOffPositionThreshold(value);
            break;
        case 4:
            target->SetAckProcedure(value);
            break;
        case 5:
            target->SetOffPositionCheck(value);
            break;
        default:
            target->SetSyncLossBehaviour(value);
            break;
        }
    }

    // An empty name is the unit's name too; keeping the one before would send another unit's name back.
    if (sentence.HasField(7))
        target->SetName(NmeaSentence::Unescaped(sentence.FieldView(7).toString()));

    if (!sentence.HasField(8))
        return SentenceStatus::FieldMissing;
    // The four dimensions are read by their places in a ten-digit field. A field of another length
    // has no places to read them from, and a place without a number has no dimension: the AtoN keeps
    // what it has there.
    const QStringView dimensions = sentence.FieldView(8);
    if (dimensions.size() == 10)
    {
        const struct
        {
            int from;
            int width;
            void (AtoN::*set)(int);
        } places[] = {{0, 3, &AtoN::SetDimensionA},
                      {3, 3, &AtoN::SetDimensionB},
                      {6, 2, &AtoN::SetDimensionC},
                      {8, 2, &AtoN::SetDimensionD}};
        for (const auto& place : places)
        {
            int value = 0;
            if (NmeaSentence::ToInt(dimensions.mid(place.from, place.width), value) && value >= 0)
                (target->*place.set)(value);
        }
    }

    if (!FieldIs(sentence, 9, "R"))
        return SentenceStatus::FieldMissing;
    return SentenceStatus::Decoded;
}
