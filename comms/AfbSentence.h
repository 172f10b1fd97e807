#pragma once

#include "comms/AtoNSentence.h"

class Model;
class VdlModel;

// AFB: one broadcast row of the VDL model (message id and index, UTC hour and minute, slot,
// channel). Each good reply adds a row to the VDL model's table.
class AtoNSentenceAFB : public AtoNSentence
{
    Q_OBJECT

public:
    AtoNSentenceAFB(VdlModel* vdl, Model* owner);

    QString Encode(int index, int* count) override;
    int Decode(const NmeaSentence& sentence) override;

private:
    Model* owner;
};
