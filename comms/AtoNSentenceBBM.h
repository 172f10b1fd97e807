#pragma once
// "!AIBBM" binary broadcast: wraps one VDL frame, addressed to the VDL model's target MMSI, into a
// sentence that the connected unit transmits over the VHF data link. The remote unit's replies come
// back as AIS message 6, so Decode has nothing to do.

#include "comms/AtoNSentence.h"

class Model;

class AtoNSentenceBBM : public AtoNSentence
{
    Q_OBJECT

public:
    // Frame kinds that differ from the VDL application identifiers.
    static constexpr int AarConfigurationKind = 14;
    static constexpr int UnknownKind = 34;
    // Armoured characters a sentence carries; a longer frame is cut.
    static constexpr int MaxPayloadCharacters = 48;

    // kind: the VDL application identifier of the frame (14 for the AAR configuration); above 100
    // stands for no frame.
    AtoNSentenceBBM(Model* owner, int kind, QObject* parent = nullptr);

    // One sentence. For an AAR configuration (one per schedule block) and an AID configuration (one
    // per enabled MMSI) index 0 also sets *count to the number of further sentences. An AID
    // configuration of a model without any enabled MMSI gives an empty text: nothing to send.
    QString Encode(int index, int* count) override;
    int Decode(const NmeaSentence& sentence) override;

    int GetKind() const { return kind; }

private:
    Model* owner = nullptr;
    int kind = UnknownKind;
    // Walk of an AAR configuration through the schedule from one sentence of the step to the next:
    // the position of the next entry and whether its channel A half went out already. Kept per
    // object (one object per job step) so that no two threads ever share them.
    int aarPosition = 0;
    bool aarHalfSent = false;
};
