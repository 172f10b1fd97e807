#include "decoders/MessageDecoder.h"

#include "comms/NmeaSentence.h"
#include "decoders/AlarmData.h"
#include "decoders/DecoderText.h"
#include "model/AtoN.h"
#include "model/Model.h"

#include <new>

namespace
{
const int Message21Length = 272;

// A field of one decimal digit whose value lies in [low, high].
bool SingleDigit(QStringView field, int low, int high, int& out)
{
    if (field.size() != 1 || field[0] < u'0' || field[0] > u'9')
        return false;
    out = field[0].unicode() - u'0';
    return out >= low && out <= high;
}

// Every character is one of the 64 of the six-bit armouring ("0" to "W" and "`" to "w"). Any other
// would be turned into some value all the same and pass for data.
bool IsArmoured(QStringView payload)
{
    for (QChar c : payload)
    {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'W') || (u >= u'`' && u <= u'w')))
            return false;
    }
    return true;
}
} // namespace

MessageDecoder::MessageDecoder(Model* tabModel, QObject* parent) : QObject(parent), model(tabModel), alarmData(nullptr)
{
    if (!model)
        throw std::bad_alloc();
    alarmData = new AlarmData(this);
}

QBitArray MessageDecoder::PayloadToBits(QStringView payload)
{
    QBitArray bits(int(payload.size()) * 6);
    int at = 0;
    for (QChar c : payload)
    {
        const int value = NmeaSentence::SixBitValue(c.toLatin1());
        for (int b = 5; b >= 0; --b)
            bits.setBit(at++, (value >> b) & 1);
    }
    return bits;
}

quint32 MessageDecoder::BitsValue(const QBitArray& bits, int first, int count)
{
    quint32 value = 0;
    for (int i = first; i < first + count; ++i)
        value = (value << 1) | (bits.testBit(i) ? 1u : 0u);
    return value;
}

void MessageDecoder::OnReceived(QString received)
{
    // Most lines are GNSS sentences; only a line with one of these words can be ours.
    if (!DecoderText::ContainsAny(received, {u"VDM", u"VDO", u"TXT", u"ALR", u"NAK"}))
        return;
    const NmeaSentence sentence(received);
    if (!sentence.IsValid())
        return;
    QStringView talker;
    const QStringView formatter = DecoderText::FormatterOf(sentence, &talker);
    if (talker != TalkerAI && talker != TalkerAN)
        return;
    if (formatter == u"VDM")
        DecodeVDx(sentence, false);
    else if (formatter == u"VDO")
        DecodeVDx(sentence, true);
    else if (formatter == u"TXT")
        DecodeTXT(sentence);
    else if (formatter == u"ALR")
        DecodeALR(sentence);
    else if (formatter == u"NAK")
        DecodeNAK(sentence);
}

void MessageDecoder::DecodeTXT(const NmeaSentence& sentence)
{
    int id = 0;
    sentence.GetInt(3, id);
    if (id < 0 || id >= TextBufferCount)
        return;
    int number = 0;
    sentence.GetInt(2, number);
    if (number == 1)
        textOpen[id] = true;
    else if (!textOpen[id])
        return;
    if (!DecoderText::AddTextPart(sentence, textBuffers[id], MaxTextLength))
        return;
    // The text is given once; the buffer lets go of it.
    textOpen[id] = false;
    QString text;
    text.swap(textBuffers[id]);
    Q_EMIT TextMessageReceived(text);
}

void MessageDecoder::DecodeALR(const NmeaSentence& sentence)
{
    QTime time;
    if (sentence.HasValue(1))
        time = QTime::fromString(sentence.FieldView(1).left(6).toString(), QStringLiteral("hhmmss"));
    // An empty (or unreadable) time field: the alarm changed now.
    if (!time.isValid())
        time = QTime::currentTime();
    int id = 0;
    sentence.GetInt(2, id);
    const bool active = sentence.FieldView(3).startsWith(QLatin1Char('A'));
    const bool acknowledged = sentence.FieldView(4).startsWith(QLatin1Char('A'));
    QString text;
    sentence.GetString(5, text);
    NmeaSentence::Unescape(text);
    alarmData->Update(id, time, active, acknowledged, text);
    Q_EMIT AlarmReceived(alarmData);
}

void MessageDecoder::DecodeVDx(const NmeaSentence& sentence, bool own)
{
    int id = 0;
    sentence.GetDigit(3, id);
    FragmentBuffer& buffer = own ? vdoBuffers[id] : vdmBuffers[id];
    int count = 0;
    int number = 0;
    int fill = 0;
    const QStringView payload = sentence.FieldView(5);
    // A fragment that cannot be read is lost, and with it the message it belongs to: what would be
    // put together without it is not that message.
    if (!SingleDigit(sentence.FieldView(1), 1, 9, count) || !SingleDigit(sentence.FieldView(2), 1, count, number) ||
        !SingleDigit(sentence.FieldView(6), 0, 5, fill) || !sentence.HasField(5) || !IsArmoured(payload))
    {
        buffer.Clear();
        return;
    }
    if (number == 1)
    {
        buffer.payload = payload.toString();
        buffer.count = count;
    }
    else
    {
        // Only the fragment in turn, of the message begun, continues it: after a lost fragment, or
        // once a message is complete, the rest cannot be told from another message's parts.
        if (number != buffer.next || count != buffer.count || buffer.payload.size() + payload.size() > MaxPayloadLength)
        {
            buffer.Clear();
            return;
        }
        buffer.payload.append(payload);
    }
    buffer.next = number + 1;
    if (number != count)
        return;
    QBitArray bits = PayloadToBits(buffer.payload);
    // A complete message leaves nothing behind for a later fragment to be added to.
    buffer.Clear();
    // The last fragment says how many bits of its last character only pad the message. Without
    // them a message 21 one bit short is not taken as complete, and a message 6 has its true length.
    if (fill <= bits.size())
        bits.resize(bits.size() - fill);
    if (own)
        OnVDO(bits);
    else
        OnVDM(bits);
}

void MessageDecoder::OnVDM(const QBitArray& bits)
{
    // The same message heard on both channels comes twice in a row; pass it on once.
    if (bits == lastVdmBits && lastVdmTime.isValid() && lastVdmTime.elapsed() < duplicateWindow)
        return;
    lastVdmBits = bits;
    lastVdmTime.start();
    if (bits.size() < 8)
        return;
    if (BitsValue(bits, 0, 6) == 6 && !bits.testBit(6) && !bits.testBit(7))
    {
        QBitArray message = bits;
        Q_EMIT Message6Received(&message);
    }
}

void MessageDecoder::OnVDO(const QBitArray& bits)
{
    if (bits.size() < Message21Length || BitsValue(bits, 0, 6) != 21)
        return;
    const QString mmsi = QStringLiteral("%1").arg(BitsValue(bits, 8, 30), 9, 10, QLatin1Char('0'));
    const AtoN* realAtoN = model->GetRealAtoN();
    if (mmsi != realAtoN->GetAtoNMMSI()->GetCurrentMMSI() || realAtoN->IsInland())
        return;
    // AtoN status, bits 260-267: page id (3 bits), RACON (2), light (2), health (1).
    Q_EMIT Message21RACONStatus(BitsValue(bits, 263, 2));
    Q_EMIT Message21LightStatus(BitsValue(bits, 265, 2));
    Q_EMIT Message21HealthStatus(BitsValue(bits, 267, 1));
}

void MessageDecoder::DecodeNAK(const NmeaSentence& sentence)
{
    int identifier = 0;
    if (!sentence.GetInt(3, identifier) || identifier == 0)
        return;
    if (sentence.FieldView(2) != u"AAR" || sentence.FieldView(5) != u"invalid slot reservation")
        return;
    // The refused AAR carried the real AtoN's MMSI: the one the unit is known by, or the one just
    // configured when the send changed it.
    const QStringView mmsi = sentence.FieldView(3);
    const AtoNMMSI* ids = model->GetRealAtoN()->GetAtoNMMSI();
    if (mmsi == ids->GetCurrentMMSI() || mmsi == ids->GetMMSI())
        Q_EMIT AarNakReceived();
}
