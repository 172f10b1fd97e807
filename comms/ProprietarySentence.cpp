#include "comms/ProprietarySentence.h"

#include <QVarLengthArray>

#include "model/Model.h"

namespace
{
const QString ProprietaryAddress = QStringLiteral("$PKVX");

// Number of values of each sensor configuration record (from field 3 on).
int RecordLength(int record)
{
    switch (record)
    {
    case AtoNSentencePKVX::SensorRecord:
        return 9;
    case AtoNSentencePKVX::CurrentSenseRecord:
        return 12;
    case AtoNSentencePKVX::VoltageScaleRecord:
        return 8;
    case AtoNSentencePKVX::MessageRecord:
        return 9;
    case AtoNSentencePKVX::CountUnitRecord:
        return 2;
    default:
        return 0;
    }
}

// The unit codes a choice between 1 and "anything else" that the records hold as 1 or 2.
int OneOrTwo(int value)
{
    return value == 1 ? 1 : 2;
}
} // namespace

AtoNSentencePKVX::AtoNSentencePKVX(ModelObject* model, Model* owner, int type)
    : AtoNSentence(model, owner), owner(owner), type(type)
{
    formatter = QStringLiteral("KVX");
}

QString AtoNSentencePKVX::Encode(int index, int* count)
{
    Q_UNUSED(index);
    Q_UNUSED(count);
    switch (type)
    {
    case SensorConfigurationQuery:
        return NmeaSentence::Build(ProprietaryAddress, {QStringLiteral("1"), QStringLiteral("SDQ")});
    case FaultLog:
    case ProximityAlertLog:
        return NmeaSentence::Build(ProprietaryAddress,
                                   {QString::number(type), QStringLiteral("Q"), QStringLiteral("0")});
    default:
        return NmeaSentence::Build(ProprietaryAddress, {QString()});
    }
}

int AtoNSentencePKVX::Decode(const NmeaSentence& sentence)
{
    if (sentence.Formatter() != formatter)
        return SentenceStatus::WrongFormatter;
    if (!sentence.IsValid())
        return SentenceStatus::InvalidSentence;
    if (!sentence.HasValue(1))
        return SentenceStatus::Decoded;

    int kind = 0;
    if (!NmeaSentence::ToInt(sentence.FieldView(1), kind))
        return SentenceStatus::FieldMissing;
    if (kind == FaultLog || kind == ProximityAlertLog)
        return DecodeLogLine(sentence, kind);
    if (kind >= SensorRecord && kind <= CountUnitRecord)
        return DecodeSensorRecord(sentence, kind);
    return SentenceStatus::FieldMissing;
}

int AtoNSentencePKVX::DecodeLogLine(const NmeaSentence& sentence, int logType)
{
    int status = SentenceStatus::Decoded;
    int number = 0;
    int total = 0;
    QString date;
    QString time;
    QString text;
    if (!FieldIs(sentence, 2, "R") || !sentence.HasValue(4) || !sentence.HasValue(5) ||
        !NmeaSentence::ToInt(sentence.FieldView(4), number) || !NmeaSentence::ToInt(sentence.FieldView(5), total) ||
        !sentence.GetString(6, date) || !sentence.GetString(7, time) || !sentence.GetString(8, text))
        status = SentenceStatus::FieldMissing;

    const bool fault = logType == FaultLog;
    if (status == SentenceStatus::Decoded)
    {
        NmeaSentence::Unescape(text);
        if (fault)
            Q_EMIT FaultLogMessage(number, total, date, time, text);
        else
            Q_EMIT ProximityAlertLogMessage(number, total, date, time, text);
    }
    // A line that cannot be read ends the log too, so that the report is never left waiting.
    if (status != SentenceStatus::Decoded || number >= total)
    {
        if (fault)
            Q_EMIT FaultLogRequestComplete();
        else
            Q_EMIT ProximityAlertLogRequestComplete();
    }
    return status;
}

int AtoNSentencePKVX::DecodeSensorRecord(const NmeaSentence& sentence, int record)
{
    if (!owner)
        return SentenceStatus::FieldMissing;
    if (sentence.HasValue(2) && !FieldIs(sentence, 2, "R"))
        return SentenceStatus::FieldMissing;

    // Every value must be there and be a decimal integer, or nothing of the record is written.
    const int length = RecordLength(record);
    QVarLengthArray<int, 12> v(length);
    for (int i = 0; i < length; ++i)
        if (!sentence.HasValue(3 + i) || !NmeaSentence::ToInt(sentence.FieldView(3 + i), v[i]))
            return SentenceStatus::FieldMissing;

    switch (record)
    {
    case SensorRecord:
    {
        SensorSettingsModel* sensor = owner->GetSensorSettings();
        sensor->SetConfigurationCode(v[0]);
        sensor->SetSurfaceCell(v[1]);
        sensor->SetLevel2Cell(v[2]);
        sensor->SetLevel3Cell(v[3]);
        sensor->SetDatumOffset(v[4]);
        // The port is the unit's own, even while RS422 is switched off: sent back, it must not move the
        // Airmar to RS232. The flag that switches RS422 on for the Airmar is set only when the unit has it on
        // already, so that a send without an edit leaves RS422 as the unit had it.
        sensor->SetAirmarPort(v[6]);
        sensor->SetAirmarOnRS422(v[5] != 0 && v[6] != 0);
        sensor->SetRS422Enabled(v[5] != 0);
        sensor->SetRelay1(v[7] != 0);
        sensor->SetRelay2(v[8] != 0);
        break;
    }
    case CurrentSenseRecord:
    {
        ADCSettingsModel* adc = owner->GetADCSettings();
        adc->SetCurrentSensingEnabled(v[0] != 0);
        adc->SetCurrentSenseThreshold(v[1]);
        adc->SetCurrentSenseSource(v[2] != 0 ? 1 : 0);
        adc->SetLightOnSource(v[3] != 0 ? 1 : 0);
        adc->SetInternalCurrentDividend(v[4]);
        adc->SetInternalCurrentDivisor(v[5]);
        adc->SetInternalCurrentKFactor(v[6]);
        adc->SetInternalCurrentOffset(v[7]);
        adc->SetExternalCurrentDividend(v[8]);
        adc->SetExternalCurrentDivisor(v[9]);
        adc->SetExternalCurrentKFactor(v[10]);
        adc->SetExternalCurrentOffset(v[11]);
        break;
    }
    case VoltageScaleRecord:
    {
        ADCSettingsModel* adc = owner->GetADCSettings();
        adc->SetInternalVoltageDividend(v[0]);
        adc->SetInternalVoltageDivisor(v[1]);
        adc->SetInternalVoltageKFactor(v[2]);
        adc->SetInternalVoltageOffset(v[3]);
        adc->SetExternalVoltageDividend(v[4]);
        adc->SetExternalVoltageDivisor(v[5]);
        adc->SetExternalVoltageKFactor(v[6]);
        adc->SetExternalVoltageOffset(v[7]);
        break;
    }
    case MessageRecord:
    {
        MessageSettingsModel* message = owner->GetMessageSettings();
        message->SetMessage6Format(OneOrTwo(v[0]));
        message->SetMessage6SubId(v[1]);
        message->SetMessage6DAC(v[2]);
        message->SetMessage6FI(v[3]);
        message->SetBatteryVoltageThreshold(v[4] / 10.0);
        message->SetVoltageSource(OneOrTwo(v[5]));
        message->SetPowerSupplyType(v[6] != 0 ? 1 : 0);
        message->SetMessage8Format(OneOrTwo(v[7]));
        message->SetStatusBitInversionMask(v[8]);
        break;
    }
    case CountUnitRecord:
    {
        ADCSettingsModel* adc = owner->GetADCSettings();
        adc->SetVoltageUnit(v[0] / 10.0);
        adc->SetCurrentUnit(v[1]);
        break;
    }
    default:
        return SentenceStatus::FieldMissing;
    }
    return SentenceStatus::Decoded;
}
