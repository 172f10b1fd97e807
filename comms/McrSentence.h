#pragma once

#include "comms/AtoNSentence.h"

class AtoN;
class Model;

// MCR: the unit settings, one message type at a time (status inputs, alert messages, repeater).
// Replies are accepted only for the real AtoN's MMSI and written into the owner's settings records.
class AtoNSentenceMCR : public AtoNSentence
{
    Q_OBJECT

public:
    enum Type
    {
        SBS = 0,  // status bit source
        LRC = 1,  // light fitted, RACON fitted, RACON monitored
        BIT = 2,  // integrity-failure alert
        PRX = 3,  // vessel proximity alert
        OFP = 4,  // off-position alert
        LIS = 5,  // active-high flags of the status inputs
        SRL = 6,  // SART repeat indicator
        MSS = 7,  // message 6 source and index
        MSO = 8,  // position report enabled, on- and off-position schedule index
        RPT = 9,  // message 21, 8 and 6 repeat settings (one per step index)
        MST = 10, // message 6 format
        UPW = 11  // user power
    };

    AtoNSentenceMCR(AtoN* aton, Model* owner, int type);

    QString Encode(int index, int* count) override;
    // '$UPMCR,<real AtoN MMSI>,Q,<code>'.
    QString BuildQuery() override;
    int Decode(const NmeaSentence& sentence) override;

    int GetType() const { return type; }
    // The three-letter code of a type; empty for an unknown type.
    static QString TypeCode(int type);

private:
    QString RealMmsi() const;
    int DecodeAlert(const NmeaSentence& sentence, const QString& code);

    Model* owner;
    int type;
};
