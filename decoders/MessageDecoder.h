#pragma once

#include "decoders/AlarmData.h"

#include <QBitArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

class Model;
class NmeaSentence;

// Reads what the unit reports about itself and the AIS traffic out of the received lines (talkers
// "AI" and "AN" only): texts (TXT), alarms (ALR), the AIS messages it receives (VDM) and transmits
// (VDO), and refusals of configuration sentences (NAK). It keeps the alarm list, passes on received
// message 6 (the replies of remote units), reports the status its own AtoN transmits in message 21
// and tells when the unit refused a schedule. Lives in the GUI thread.
class MessageDecoder : public QObject
{
    Q_OBJECT

public:
    static constexpr int TextBufferCount = 256;    // TXT identifiers 0-255
    static constexpr int FragmentBufferCount = 10; // sequential message identifiers 0-9
    // A TXT text holds at most 99 sentences of at most 82 characters.
    static constexpr int MaxTextLength = 8192;
    // The longest AIS message (five slots, 1008 bits) is 168 armoured characters; a buffer far
    // beyond that lost its last fragment.
    static constexpr int MaxPayloadLength = 1024;
    // The unit hears a message on both channels; the copies arrive within this time. A message
    // received again later is news (a remote unit answering a repeated request).
    static constexpr int DefaultDuplicateWindow = 4000; // ms

    // The tab model gives the real AtoN's MMSI and inland mode (message 21, NAK); read on every
    // message, never stored. A null model is an allocation failure (std::bad_alloc).
    explicit MessageDecoder(Model* model, QObject* parent = nullptr);

    AlarmData* GetAlarmData() const { return alarmData; }
    // The bits of the last VDM message decoded (duplicate suppression).
    const QBitArray& GetLastVdmBits() const { return lastVdmBits; }
    void SetDuplicateWindow(int milliseconds) { duplicateWindow = milliseconds; }

    // AIS armoured payload to bits, six per character, most significant bit first.
    static QBitArray PayloadToBits(QStringView payload);
    // Bits [first, first + count) as an unsigned number, most significant bit first; count <= 32
    // and the range inside the array.
    static quint32 BitsValue(const QBitArray& bits, int first, int count);

Q_SIGNALS:
    void TextMessageReceived(QString message);
    void AlarmReceived(AlarmData* alarmData);
    void Message21RACONStatus(uint RACONStatus);
    void Message21LightStatus(uint lightStatus);
    void Message21HealthStatus(uint health);
    // Lent for the emission only: connect directly and copy what is needed.
    void Message6Received(QBitArray* bitArray);
    void AarNakReceived();

public Q_SLOTS:
    void OnReceived(QString received);

private:
    void DecodeTXT(const NmeaSentence& sentence);
    void DecodeALR(const NmeaSentence& sentence);
    void DecodeVDx(const NmeaSentence& sentence, bool own);
    void DecodeNAK(const NmeaSentence& sentence);
    void OnVDM(const QBitArray& bits);
    void OnVDO(const QBitArray& bits);

    Model* model;
    AlarmData* alarmData;
    QString textBuffers[TextBufferCount];
    // Whether a text has begun (its sentence 1 came) and not yet completed. Parts outside one belong
    // to no text: a repeated last part must neither give the text again nor grow it.
    bool textOpen[TextBufferCount] = {};
    // A message being put together from its fragments: the payload so far, the fragment count its
    // first fragment announced and the number of the fragment that must come next (0: none under
    // way). Only the next fragment in turn joins it; anything else ends it unread.
    struct FragmentBuffer
    {
        QString payload;
        int count = 0;
        int next = 0;
        void Clear()
        {
            payload.clear();
            count = 0;
            next = 0;
        }
    };
    FragmentBuffer vdoBuffers[FragmentBufferCount];
    FragmentBuffer vdmBuffers[FragmentBufferCount];
    QBitArray lastVdmBits;
    QElapsedTimer lastVdmTime;
    int duplicateWindow = DefaultDuplicateWindow;
};
