#include "model/vdl/VDLModelObject.h"

#include "model/vdl/VDLCodecModel.h"
#include "model/vdl/VDLMMSI.h"

#include <QtGlobal>

#include <cmath>
#include <limits>

VDLModelObject::VDLModelObject(QObject* parent) : ModelObject(parent, 2) {}

void VDLModelObject::Save(QDataStream& stream)
{
    stream << vdlVersion;
}

void VDLModelObject::Load(QDataStream& stream)
{
    qint32 stored = 0;
    stream >> stored;
    if (stream.status() == QDataStream::Ok)
        vdlVersion = stored;
}

int VDLModelObject::GetVersion() const
{
    return ModelObject::GetVersion();
}

QBitArray VDLModelObject::EncodeConfiguration()
{
    return EncodeNothing();
}

bool VDLModelObject::DecodeConfiguration(QBitArray frame)
{
    return DecodeReject(frame);
}

QBitArray VDLModelObject::EncodeRequest()
{
    return EncodeNothing();
}

bool VDLModelObject::DecodeRequest(QBitArray frame)
{
    return DecodeReject(frame);
}

QBitArray VDLModelObject::EncodeResponse()
{
    return EncodeNothing();
}

bool VDLModelObject::DecodeResponse(QBitArray frame)
{
    return DecodeReject(frame);
}

QVariant VDLModelObject::GetValue(const QString& key) const
{
    Q_UNUSED(key);
    return {};
}

void VDLModelObject::SetValue(const QString& key, const QVariant& value)
{
    Q_UNUSED(key);
    Q_UNUSED(value);
}

QString VDLModelObject::ResponseText() const
{
    return tr("No log data available");
}

int VDLModelObject::GetVdlVersion() const
{
    return vdlVersion;
}

QBitArray VDLModelObject::EncodeEmptyFrame()
{
    return QBitArray(FrameBits, false);
}

bool VDLModelObject::DecodeAccept(const QBitArray& frame)
{
    Q_UNUSED(frame);
    return true;
}

QBitArray VDLModelObject::EncodeNothing()
{
    return QBitArray();
}

bool VDLModelObject::DecodeReject(const QBitArray& frame)
{
    Q_UNUSED(frame);
    return false;
}

void VDLModelObject::PutBits(qint32 value, int n, QBitArray& frame, int& position)
{
    PutBits64(static_cast<quint64>(static_cast<quint32>(value)), qBound(0, n, 32), frame, position);
}

void VDLModelObject::PutBits64(quint64 value, int n, QBitArray& frame, int& position)
{
    n = qBound(0, n, 64);
    const int size = frame.size();
    for (int i = n - 1; i >= 0; --i)
    {
        if (position >= 0 && position < size)
            frame.setBit(position, ((value >> i) & 1u) != 0);
        ++position;
    }
}

int VDLModelObject::SixBitValueOf(QChar character)
{
    const int code = character.unicode() < 256 ? character.unicode() : 0;
    const int value = (code >= 64 && code <= 95) ? code - 64 : code;
    return value & 0x3F;
}

void VDLModelObject::PutSixBitText(const QString& text, int c, QBitArray& frame, int& position)
{
    for (int i = 0; i < c; ++i)
    {
        // Characters are upper-cased one by one so that a character whose upper-case form is longer
        // (German sharp s) can never widen the field.
        const QChar character = i < text.size() ? text.at(i).toUpper() : QChar(u'@');
        PutBits(SixBitValueOf(character), 6, frame, position);
    }
}

void VDLModelObject::PutSixBitTextPadded(const QString& text, int c, QBitArray& frame, int& position)
{
    QString padded = text.left(qMax(0, c));
    while (padded.size() < c)
        padded.append(QChar(u'@'));
    PutSixBitText(padded, c, frame, position);
}

void VDLModelObject::PutSixBitTextBits(const QString& text, int n, QBitArray& frame, int& position)
{
    if (n <= 0)
        return;
    const int whole = n / 6;
    const int rest = n - 6 * whole;
    PutSixBitText(text, whole, frame, position);
    if (rest > 0)
    {
        const QChar character = whole < text.size() ? text.at(whole).toUpper() : QChar(u'@');
        PutBits(SixBitValueOf(character), rest, frame, position);
    }
}

quint32 VDLModelObject::GetBits(int n, const QBitArray& frame, int& position)
{
    return static_cast<quint32>(GetBits64(qBound(0, n, 32), frame, position));
}

quint64 VDLModelObject::GetBits64(int n, const QBitArray& frame, int& position)
{
    n = qBound(0, n, 64);
    const int size = frame.size();
    quint64 value = 0;
    for (int i = 0; i < n; ++i)
    {
        const bool bit = position >= 0 && position < size && frame.testBit(position);
        value = (value << 1) | (bit ? 1u : 0u);
        ++position;
    }
    return value;
}

qint32 VDLModelObject::GetSignedBits(int n, const QBitArray& frame, int& position)
{
    n = qBound(0, n, 32);
    const quint32 raw = GetBits(n, frame, position);
    if (n == 0 || n == 32)
        return static_cast<qint32>(raw);
    const qint64 half = qint64(1) << (n - 1);
    const qint64 value = raw;
    return static_cast<qint32>(value >= half ? value - (qint64(1) << n) : value);
}

QString VDLModelObject::GetSixBitText(int c, const QBitArray& frame, int& position)
{
    QString text;
    text.reserve(qMax(0, c));
    for (int i = 0; i < c; ++i)
    {
        const int value = static_cast<int>(GetBits(6, frame, position));
        text.append(QChar(value < 32 ? value + 64 : value));
    }
    while (text.endsWith(QChar(u'@')))
        text.chop(1);
    return text;
}

void VDLModelObject::AppendChecksum(QBitArray& frame)
{
    const int bytes = frame.size() / 8;
    if (bytes < 1)
        return;
    quint8 sum = 0;
    for (int i = 0; i < bytes - 1; ++i)
    {
        // Each byte is summed with its first bit as weight 1: the reverse of the order in which
        // fields are written. The remote units compute it the same way.
        quint8 byte = 0;
        for (int b = 0; b < 8; ++b)
        {
            if (frame.testBit(8 * i + b))
                byte = static_cast<quint8>(byte | (1u << b));
        }
        sum = static_cast<quint8>(sum + byte);
    }
    int position = 8 * (bytes - 1);
    PutBits(sum, 8, frame, position);
}

qint32 VDLModelObject::MmsiToNumber(const QString& text)
{
    bool ok = false;
    const qint32 value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

qint32 VDLModelObject::DegreesToWire(double degrees)
{
    // Truncated, not rounded: the remote units read positions the same way.
    const double wire = std::trunc(degrees * 60.0 * 10000.0);
    if (!(wire == wire))
        return 0;
    if (wire >= static_cast<double>(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (wire <= static_cast<double>(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(wire);
}

double VDLModelObject::WireToDegrees(qint32 value)
{
    return static_cast<double>(value) / 60.0 / 10000.0;
}

VDLCodecModel* VDLModelObject::Codec() const
{
    return qobject_cast<VDLCodecModel*>(parent());
}

QString VDLModelObject::GetRemoteMmsiText() const
{
    if (const VDLCodecModel* codec = Codec())
        return codec->GetRemoteMmsi()->GetMmsi();
    return detachedRemoteMmsi;
}

void VDLModelObject::SetRemoteMmsiText(const QString& text)
{
    if (VDLCodecModel* codec = Codec())
        codec->GetRemoteMmsi()->SetMmsi(text);
    else
        detachedRemoteMmsi = text;
}

QBitArray VDLModelObject::BeginFrame(int k, int& position, int bits) const
{
    QBitArray frame(bits, false);
    position = 0;
    PutBits(Identifier(k), IdentifierBits, frame, position);
    PutBits(MmsiToNumber(GetRemoteMmsiText()), MmsiBits, frame, position);
    return frame;
}

bool VDLModelObject::BeginDecode(const QBitArray& frame, int minimumBits, std::initializer_list<int> accepted,
                                 int& position)
{
    position = 0;
    if (frame.size() < minimumBits || frame.size() < EnvelopeBits)
        return false;
    const int identifier = static_cast<int>(GetBits(IdentifierBits, frame, position));
    bool known = false;
    for (int k : accepted)
        known = known || identifier == Identifier(k);
    if (!known)
        return false;
    SetRemoteMmsiText(QString::number(GetBits(MmsiBits, frame, position)));
    return true;
}

void VDLModelObject::PutRequestBlock(qint32 channel, qint32 hour, qint32 minute, qint32 slot, QBitArray& frame,
                                     int& position)
{
    PutBits(channel == 1 ? 0 : 1, 1, frame, position);
    PutBits(hour, 5, frame, position);
    PutBits(minute, 6, frame, position);
    PutBits(slot, 12, frame, position);
}

void VDLModelObject::GetRequestBlock(qint32& channel, qint32& hour, qint32& minute, qint32& slot,
                                     const QBitArray& frame, int& position)
{
    channel = static_cast<qint32>(GetBits(1, frame, position)) + 1;
    hour = static_cast<qint32>(GetBits(5, frame, position));
    minute = static_cast<qint32>(GetBits(6, frame, position));
    slot = static_cast<qint32>(GetBits(12, frame, position));
}

QBitArray VDLModelObject::EncodeRequestFrame(int k, qint32 channel, qint32 hour, qint32 minute, qint32 slot) const
{
    int at = 0;
    QBitArray frame = BeginFrame(k, at);
    PutRequestBlock(channel, hour, minute, slot, frame, at);
    AppendChecksum(frame);
    return frame;
}

bool VDLModelObject::DecodeRequestFrame(const QBitArray& frame, int k, qint32& channel, qint32& hour, qint32& minute,
                                        qint32& slot)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {k}, at))
        return false;
    GetRequestBlock(channel, hour, minute, slot, frame, at);
    return true;
}
