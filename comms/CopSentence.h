#pragma once

#include "comms/AtoNSentence.h"

class Model;
class VdlModel;

// COP: the receiver wake-up settings (mode, start time, interval, duration) of the VDL model.
class AtoNSentenceCOP : public AtoNSentence
{
    Q_OBJECT

public:
    // Receivers always on: a specified on time lasting the whole day.
    static constexpr int WholeDaySeconds = 86400;

    AtoNSentenceCOP(VdlModel* vdl, Model* owner);

    QString Encode(int index, int* count) override;
    int Decode(const NmeaSentence& sentence) override;

private:
    Model* owner;
};
