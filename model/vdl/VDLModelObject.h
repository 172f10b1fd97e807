#pragma once
// Common base of the VDL binary messages exchanged with remote AtoN units over the VHF data link.
// A frame is a QBitArray whose bit 0 travels first; every field is written most significant bit
// first. The bit operations are stateless (they only touch the frame and cursor passed in), so the
// codec can be filled in the transport worker thread and decode replies in the GUI thread.

#include "model/ModelObject.h"

#include <QBitArray>
#include <QString>
#include <QVariant>

#include <initializer_list>

class VDLCodecModel;

class VDLModelObject : public ModelObject
{
    Q_OBJECT

public:
    // Every frame starts with 990 * 64 + k: designated area code 990 and function identifier k.
    static constexpr int IdentifierBase = 63360;
    static constexpr int IdentifierBits = 16;
    static constexpr int MmsiBits = 30;
    static constexpr int EnvelopeBits = IdentifierBits + MmsiBits;
    static constexpr int FrameBits = 128;

    explicit VDLModelObject(QObject* parent = nullptr);
    ~VDLModelObject() override = default;

    void Clear() override = 0;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;
    int GetVersion() const override;

    virtual QBitArray EncodeConfiguration();
    virtual bool DecodeConfiguration(QBitArray frame);
    virtual QBitArray EncodeRequest();
    virtual bool DecodeRequest(QBitArray frame);
    virtual QBitArray EncodeResponse();
    virtual bool DecodeResponse(QBitArray frame);
    virtual QVariant GetValue(const QString& key) const;
    virtual void SetValue(const QString& key, const QVariant& value);
    virtual QString ResponseText() const;
    virtual int GetVdlVersion() const;

    // Shared frame operations that classes put in place of the defaults above.
    static QBitArray EncodeEmptyFrame();
    static bool DecodeAccept(const QBitArray& frame);
    static QBitArray EncodeNothing();
    static bool DecodeReject(const QBitArray& frame);

    // Bit cursor operations. Each starts at `position` and advances it by the bits handled. Bits
    // that would fall outside the frame are not written (and read as 0), so a wrong width can never
    // touch memory beyond the frame; decoders still check the frame size before they read.
    static void PutBits(qint32 value, int n, QBitArray& frame, int& position);
    static void PutBits64(quint64 value, int n, QBitArray& frame, int& position);
    static void PutSixBitText(const QString& text, int c, QBitArray& frame, int& position);
    static void PutSixBitTextPadded(const QString& text, int c, QBitArray& frame, int& position);
    static void PutSixBitTextBits(const QString& text, int n, QBitArray& frame, int& position);
    static quint32 GetBits(int n, const QBitArray& frame, int& position);
    static quint64 GetBits64(int n, const QBitArray& frame, int& position);
    static qint32 GetSignedBits(int n, const QBitArray& frame, int& position);
    static QString GetSixBitText(int c, const QBitArray& frame, int& position);
    static void AppendChecksum(QBitArray& frame);

    // The six-bit value of one character of ITU-R M.1371 six-bit ASCII.
    static int SixBitValueOf(QChar character);
    // A text as a number in base 10; 0 when it is no number.
    static qint32 MmsiToNumber(const QString& text);
    // Identifier of frame number k.
    static constexpr int Identifier(int k) { return IdentifierBase + k; }
    // Degrees to 1/10000 minute, truncated toward zero (the wire form of positions).
    static qint32 DegreesToWire(double degrees);
    static double WireToDegrees(qint32 value);

    // The remote unit's MMSI, held by the codec that owns this object.
    QString GetRemoteMmsiText() const;
    void SetRemoteMmsiText(const QString& text);

protected:
    // Starts a frame: `bits` zero bits, the identifier of frame k and the remote MMSI.
    QBitArray BeginFrame(int k, int& position, int bits = FrameBits) const;
    // Checks the frame's size and identifier and reads the MMSI into the remote MMSI. Returns false
    // (and changes nothing) when the frame is shorter than minimumBits or carries another identifier.
    bool BeginDecode(const QBitArray& frame, int minimumBits, std::initializer_list<int> accepted, int& position);

    // The request block that every request frame carries after the envelope.
    static void PutRequestBlock(qint32 channel, qint32 hour, qint32 minute, qint32 slot, QBitArray& frame,
                                int& position);
    static void GetRequestBlock(qint32& channel, qint32& hour, qint32& minute, qint32& slot, const QBitArray& frame,
                                int& position);
    // A whole request frame k: the envelope, the request block and the checksum; and its decoder,
    // which changes nothing when the frame is short or carries another identifier.
    QBitArray EncodeRequestFrame(int k, qint32 channel, qint32 hour, qint32 minute, qint32 slot) const;
    bool DecodeRequestFrame(const QBitArray& frame, int k, qint32& channel, qint32& hour, qint32& minute, qint32& slot);

    VDLCodecModel* Codec() const;

    qint32 vdlVersion = 1;

private:
    // Stands in for the codec's remote MMSI when the object is used without a codec.
    QString detachedRemoteMmsi = QStringLiteral("000000000");
};
