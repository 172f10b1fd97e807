#pragma once

#include "comms/AtoNSentence.h"

class Model;

// The unit's proprietary "$PKVX" data sentences (not its shell): the queries for the fault log,
// the proximity-alert log and the sensor configuration, and the replies to them. Log lines are
// passed on as signals; sensor configuration records are written into the owner's settings.
class AtoNSentencePKVX : public AtoNSentence
{
    Q_OBJECT

public:
    enum Type
    {
        SensorConfigurationQuery = 1,
        FaultLog = 7,
        ProximityAlertLog = 8
    };
    // Record types of the sensor configuration reply.
    enum Record
    {
        SensorRecord = 10,
        CurrentSenseRecord = 11,
        VoltageScaleRecord = 12,
        MessageRecord = 13,
        CountUnitRecord = 14
    };

    AtoNSentencePKVX(ModelObject* model, Model* owner, int type);

    QString Encode(int index, int* count) override;
    int Decode(const NmeaSentence& sentence) override;

    int GetType() const { return type; }

Q_SIGNALS:
    void FaultLogMessage(int sentenceNumber, int totalNumberOfSentences, QString dateString, QString timeString,
                         QString faultDescriptionString);
    void ProximityAlertLogMessage(int sentenceNumber, int totalNumberOfSentences, QString dateString,
                                  QString timeString, QString descriptionString);
    void FaultLogRequestComplete();
    void ProximityAlertLogRequestComplete();

private:
    int DecodeLogLine(const NmeaSentence& sentence, int logType);
    int DecodeSensorRecord(const NmeaSentence& sentence, int record);

    Model* owner;
    int type;
};
