#pragma once

#include "comms/AtoNSentence.h"

class AtoN;
class Model;

// ACE: extended AtoN configuration (inland type, off-position and acknowledgement settings, name,
// dimensions) of the real AtoN or a virtual AtoN. A reply is written into the AtoN whose MMSI it
// names, which need not be the one this object encodes.
class AtoNSentenceACE : public AtoNSentence
{
    Q_OBJECT

public:
    // Longest escaped name that travels in the full sentence; a longer one follows alone.
    static constexpr int MaxNameInFullSentence = 32;

    AtoNSentenceACE(AtoN* aton, Model* owner);

    QString Encode(int index, int* count) override;
    int Decode(const NmeaSentence& sentence) override;

    // Dimensions as one field 'AAABBBCCDD' (A and B at most 999, C and D at most 99, so that the
    // field keeps the fixed positions the reader splits it at).
    static QString DimensionsField(const AtoN& aton);

private:
    Model* owner;
};
