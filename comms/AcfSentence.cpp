#include "comms/AcfSentence.h"

#include <cmath>

#include "model/Model.h"

namespace
{
QString DegreesMinutes(double value, int degreeDigits)
{
    double magnitude = std::fabs(value);
    if (!std::isfinite(magnitude) || magnitude > 999.0)
        magnitude = 0.0;
    // Ten-thousandths of a minute.
    const qint64 total = qRound64(magnitude * 60.0 * 10000.0);
    const qint64 degrees = total / 600000;
    const qint64 minutes = total % 600000;
    return QStringLiteral("%1%2.%3")
        .arg(degrees, degreeDigits, 10, QLatin1Char('0'))
        .arg(minutes / 10000, 2, 10, QLatin1Char('0'))
        .arg(minutes % 10000, 4, 10, QLatin1Char('0'));
}

// 'ddmm.mmmm' back to degrees; false when the field is no number.
bool ReadDegrees(QStringView text, double& degrees)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    const double whole = std::trunc(v / 100.0);
    degrees = whole + (v - whole * 100.0) / 60.0;
    return true;
}
} // namespace

AtoNSentenceACF::AtoNSentenceACF(AtoN* aton, Model* owner) : AtoNSentence(aton, owner), owner(owner)
{
    formatter = QStringLiteral("ACF");
}

QString AtoNSentenceACF::LatitudeField(double latitude)
{
    return DegreesMinutes(latitude, 2);
}

QString AtoNSentenceACF::LongitudeField(double longitude)
{
    return DegreesMinutes(longitude, 3);
}

QString AtoNSentenceACF::Encode(int index, int* count)
{
    Q_UNUSED(index);
    Q_UNUSED(count);
    const AtoN* aton = static_cast<AtoN*>(model);
    if (!aton)
        return QString();
    const bool real = aton->GetStationKind() == AtoNDef::REAL;
    const double latitude = aton->GetPosition()->GetLatitude();
    const double longitude = aton->GetPosition()->GetLongitude();
    const QString channel1 = real ? QString::number(aton->GetChannel1()) : QString();
    const QString channel2 = real ? QString::number(aton->GetChannel2()) : QString();
    return BuildSentence({aton->GetAtoNMMSI()->GetMMSI(), QString::number(aton->GetEpfdType()), LatitudeField(latitude),
                          latitude >= 0 ? QStringLiteral("N") : QStringLiteral("S"), LongitudeField(longitude),
                          longitude >= 0 ? QStringLiteral("E") : QStringLiteral("W"),
                          QString::number(aton->GetPositionAccuracy()), channel1, channel2, channel1, channel2,
                          QString::number(aton->GetPowerLevel()),
                          aton->IsInland() ? QStringLiteral("0") : QString::number(aton->GetTypeOfAtoN()),
                          QString::number(aton->GetStationKind()), QStringLiteral("C")});
}

int AtoNSentenceACF::Decode(const NmeaSentence& sentence)
{
    if (CheckHeader(sentence) != SentenceStatus::Decoded)
        return SentenceStatus::FieldMissing;
    QString mmsi;
    if (!sentence.GetString(1, mmsi))
        return SentenceStatus::FieldMissing;
    if (mmsi == AtoNMMSI::Unset)
        return SentenceStatus::UnknownMmsi;
    bool isReal = false;
    AtoN* target = FindAtoN(owner, mmsi, &isReal);
    if (!target)
        return SentenceStatus::UnknownMmsi;

    int value = 0;
    Field read = ReadInt(sentence, 2, value);
    if (read == Field::Bad)
        return SentenceStatus::FieldMissing;
    if (read == Field::Value)
        target->SetGnssTypeFromEpfd(value, isReal);

    // Latitude (fields 3, 4), then longitude (5, 6): written as soon as read, so a missing
    // hemisphere still leaves the value in place (positive) before the reply fails.
    for (int i = 3; i <= 5; i += 2)
    {
        const bool latitude = i == 3;
        if (!sentence.HasField(i))
            return SentenceStatus::FieldMissing;
        // A field that holds no number is no position, like an empty one: the held value stays (its
        // hemisphere too) and the reply reads on, as every other field of it does.
        double degrees = 0.0;
        const bool present = sentence.HasValue(i) && ReadDegrees(sentence.FieldView(i), degrees);
        auto store = [&](double v)
        {
            if (!present)
                return;
            if (latitude)
                target->GetPosition()->SetLatitude(v);
            else
                target->GetPosition()->SetLongitude(v);
        };
        store(degrees);
        if (!sentence.HasField(i + 1))
            return SentenceStatus::FieldMissing;
        if (FieldIs(sentence, i + 1, latitude ? "S" : "W"))
            store(-degrees);
    }

    read = ReadInt(sentence, 7, value);
    if (read == Field::Bad)
        return SentenceStatus::FieldMissing;
    if (read == Field::Value)
        target->SetPositionAccuracy(value);

    read = ReadInt(sentence, 10, value);
    if (read == Field::Bad)
        return SentenceStatus::FieldMissing;
    if (read == Field::Value)
        target->SetChannel1(value);
    read = ReadInt(sentence, 11, value);
    if (read == Field::Bad)
        return SentenceStatus::FieldMissing;
    if (read == Field::Value)
        target->SetChannel2(value);

    read = ReadInt(sentence, 12, value);
    if (read == Field::Bad)
        return SentenceStatus::FieldMissing;
    if (read == Field::Value)
        target->SetPowerLevel(value);

    read = ReadInt(sentence, 13, value);
    if (read == Field::Bad)
        return SentenceStatus::FieldMissing;
    if (read == Field::Value)
        target->SetTypeOfAtoN(value);

    read = ReadInt(sentence, 14, value);
    if (read == Field::Bad)
        return SentenceStatus::FieldMissing;
    if (read == Field::Value)
        target->SetStationKind(isReal ? AtoNDef::REAL : (value == 0 ? AtoNDef::VIRTUAL : value));

    if (!FieldIs(sentence, 15, "R"))
        return SentenceStatus::FieldMissing;
    return SentenceStatus::Decoded;
}
