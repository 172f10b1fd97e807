#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "comms/NmeaSentence.h"
#include "model/ModelObject.h"

class AtoN;
class Model;

// Outcome of every sentence decoder.
namespace SentenceStatus
{
enum Value : int
{
    Decoded = 0,          // decoded, or a sentence the decoder does not use
    FieldMissing = -1,    // a required field is missing or holds a value outside its set
    UnknownMmsi = -2,     // "000000000" or an MMSI of no AtoN the decoder may write
    WrongFormatter = -3,  // not this object's formatter
    WrongTalker = -4,     // talker neither "AI" nor "AN"
    InvalidSentence = -5, // the sentence is not valid (or, for AAR, its index is missing or 0)
    UnhandledType = -6    // an MCR reply of a type the decoder does not handle
};
}

// Common base of the AtoN configuration sentences. Each subclass handles one formatter and is bound
// to the part of the transport model it reads and writes. The job engine builds configuration
// sentences with Encode, queries with BuildQuery, and hands each received sentence with the step's
// formatter to Decode.
class AtoNSentence : public QObject
{
    Q_OBJECT

public:
    AtoNSentence(ModelObject* model, QObject* parent = nullptr);
    ~AtoNSentence() override = default;

    // One configuration sentence, complete with checksum and "\r\n". index is the repetition number
    // of the job step (from 0); a subclass that needs several sentences per step sets *count
    // (count may be null when the caller does not care).
    virtual QString Encode(int index, int* count) = 0;
    // '$UPANQ,<formatter>*hh\r\n'.
    virtual QString BuildQuery();
    // Writes a received sentence into the model; returns a SentenceStatus value.
    virtual int Decode(const NmeaSentence& sentence) = 0;

    QString GetFormatter() const { return formatter; }
    ModelObject* GetModel() const { return model; }

protected:
    // The common checks, in order: not valid -5, talker other than "AI"/"AN" -4, another formatter
    // -3; 0 when all pass.
    int CheckHeader(const NmeaSentence& sentence) const;
    bool IsAcceptedTalker(const NmeaSentence& sentence) const;
    // '$UP' + formatter + the fields, framed.
    QString BuildSentence(const QStringList& fields) const;

    // How a numeric field of a reply reads. A field that is present but empty, or holds no decimal
    // integer, leaves its model value as it is: a unit's odd field must not end the connection, and
    // the 0 it would read as is no setting of the unit. Only a missing field fails the reply.
    enum class Field
    {
        Bad,   // missing
        Empty, // present, but empty or not a decimal integer
        Value  // present, a decimal integer
    };
    static Field ReadInt(const NmeaSentence& sentence, int i, int& value);
    // Field i is present and equals text exactly.
    static bool FieldIs(const NmeaSentence& sentence, int i, const char* text);

    // The AtoN of the owner named by an MMSI: the real AtoN, else the first of virtual AtoNs 1 to 10
    // with that MMSI; null when none (or no owner). isReal tells which.
    static AtoN* FindAtoN(Model* owner, const QString& mmsi, bool* isReal = nullptr);

    ModelObject* model = nullptr;
    QString formatter = QStringLiteral("XXX");
};
