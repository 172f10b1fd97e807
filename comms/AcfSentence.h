#pragma once

#include "comms/AtoNSentence.h"

class AtoN;
class Model;

// ACF: general AtoN configuration (position, EPFS, channels, power, type, station kind) of the real
// AtoN or a virtual AtoN. A reply is written into the AtoN whose MMSI it names.
class AtoNSentenceACF : public AtoNSentence
{
    Q_OBJECT

public:
    AtoNSentenceACF(AtoN* aton, Model* owner);

    QString Encode(int index, int* count) override;
    int Decode(const NmeaSentence& sentence) override;

    // 'ddmm.mmmm' and 'dddmm.mmmm' of the absolute value. The total minutes are rounded to the
    // field's four decimals before degrees and minutes are split, so that a value just below a
    // whole degree never gives 60 minutes.
    static QString LatitudeField(double latitude);
    static QString LongitudeField(double longitude);

private:
    Model* owner;
};
