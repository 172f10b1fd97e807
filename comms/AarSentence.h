#pragma once

#include "comms/AtoNSentence.h"

class MessageSchedule;
class Model;
struct ScheduleBlock;

// AAR: one entry of an AtoN's message schedule (message, index and, per channel, the FATDMA or
// RATDMA reservation). A send step repeats it once per schedule entry; replies are written into
// the schedule of the AtoN they name.
class AtoNSentenceAAR : public AtoNSentence
{
    Q_OBJECT

public:
    // owner may be null (the real AtoN's own schedule job); it is needed for replies that belong
    // to a virtual AtoN or to the VDL receiver schedule.
    AtoNSentenceAAR(MessageSchedule* schedule, Model* owner);

    QString Encode(int index, int* count) override;
    int Decode(const NmeaSentence& sentence) override;

private:
    MessageSchedule* Schedule() const;

    Model* owner;
};
