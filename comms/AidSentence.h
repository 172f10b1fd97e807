#pragma once

#include "comms/AtoNSentence.h"

class AtoNMMSI;
class Model;

// AID: the MMSIs of the real AtoN, its virtual AtoNs, the VDL chaining records and the addressed
// MMSI. Bound to one MMSI record; replies are written where their kind letter says.
class AtoNSentenceAID : public AtoNSentence
{
    Q_OBJECT

public:
    AtoNSentenceAID(AtoNMMSI* record, Model* owner);

    QString Encode(int index, int* count) override;
    int Decode(const NmeaSentence& sentence) override;

    // True when the MMSI is the MMSI of one of the owner's ten virtual AtoNs.
    bool IsVirtualAtoNMmsi(const QString& mmsi) const;

protected:
    AtoNMMSI* Record() const;
    // The addressed form: the record's MMSI, "1" unless it is to be deleted, the addressed MMSI, "0".
    QString EncodeAddressed() const;

    Model* owner;
};

// The addressed form of AID only; the unit's replies to it are read by the plain AID step.
class AtoNSentenceAIDaddress : public AtoNSentenceAID
{
    Q_OBJECT

public:
    AtoNSentenceAIDaddress(AtoNMMSI* record, Model* owner);

    QString Encode(int index, int* count) override;
    int Decode(const NmeaSentence& sentence) override;
};
