#include "model/FieldText.h"

#include <QIODevice>
#include <QtEndian>

#include <limits>

#include "model/vdl/VDLModelObject.h"

namespace
{
// What the sentence builders send as an escape: the reserved characters, the quotation mark (escaped
// as well by the text escape), every control character and every other character beyond ASCII that a
// sentence carries (by the framing).
bool IsEscaped(QChar c)
{
    return FieldText::IsReserved(c) || c == u'"' || c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0xFF);
}

constexpr int EscapeLength = 3;

int WireCost(QChar c)
{
    return IsEscaped(c) ? EscapeLength : 1;
}

// The highest MMSI a VDL reply's field holds.
constexpr qint64 MaxReplyMmsi = (qint64(1) << VDLModelObject::MmsiBits) - 1;
constexpr int MaxMmsiDigits = 10;
static_assert(MaxReplyMmsi >= 1000000000 && MaxReplyMmsi < 10000000000, "a reply's MMSI has ten digits at most");

// Texts are read in steps of this many characters, so that even a device that cannot tell what it
// still holds only ever gets memory for bytes it delivered.
constexpr quint32 ReadStep = 64 * 1024;
} // namespace

namespace FieldText
{

bool IsReserved(QChar c)
{
    switch (c.unicode())
    {
    case u'!':
    case u'$':
    case u'*':
    case u',':
    case u'\\':
    case u'^':
    case u'~':
        return true;
    default:
        return false;
    }
}

int MmsiWidth(const QString& mmsi)
{
    return int(qMax(qsizetype(MmsiDigits), mmsi.size()));
}

int WireLength(const QString& text)
{
    qsizetype length = 0;
    for (const QChar c : text)
        length += WireCost(c);
    return int(qMin(length, qsizetype(std::numeric_limits<int>::max())));
}

QString Limited(const QString& text, int maxCharacters, int maxWireLength)
{
    const qsizetype limit = qMax(0, maxCharacters);
    qsizetype taken = 0;
    int length = 0;
    for (; taken < text.size() && taken < limit; ++taken)
    {
        const int cost = WireCost(text.at(taken));
        if (length + cost > maxWireLength)
            break;
        length += cost;
    }
    // A surrogate pair is one character to the user: never keep half of one.
    if (taken > 0 && taken < text.size() && text.at(taken - 1).isHighSurrogate())
        --taken;
    return taken == text.size() ? text : text.left(taken);
}

QString Carried(const QString& text)
{
    qsizetype first = 0;
    while (first < text.size() && text.at(first).unicode() <= 0xFF)
        ++first;
    if (first == text.size())
        return text;
    QString carried = text;
    for (qsizetype i = first; i < carried.size(); ++i)
        if (carried.at(i).unicode() > 0xFF)
            carried[i] = QLatin1Char('?');
    return carried;
}

bool IsGivenMmsi(const QString& text)
{
    if (text.size() > MaxMmsiDigits)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    if (text.size() < MaxMmsiDigits)
        return true;
    // Ten digits come only from a reply's number, which has no leading zero.
    return text.at(0) != QLatin1Char('0') && text.toLongLong() <= MaxReplyMmsi;
}

void Read(QDataStream& stream, QString& text)
{
    text = QString();
    quint32 bytes = 0;
    stream >> bytes;
    if (stream.status() != QDataStream::Ok || bytes == 0xFFFFFFFFu)
        return;
    if (bytes % 2 != 0)
    {
        stream.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    QIODevice* device = stream.device();
    if (!device || (!device->isSequential() && bytes > quint64(device->bytesAvailable())))
    {
        stream.setStatus(QDataStream::ReadPastEnd);
        return;
    }
    const quint32 units = bytes / 2;
    QString read = QStringLiteral(""); // an empty text stays empty, not null
    for (quint32 done = 0; done < units;)
    {
        const quint32 step = qMin(ReadStep, units - done);
        read.resize(qsizetype(done + step));
        char* at = reinterpret_cast<char*>(read.data() + done);
        if (stream.readRawData(at, int(2 * step)) != int(2 * step))
        {
            stream.setStatus(QDataStream::ReadPastEnd);
            return;
        }
        done += step;
    }
    char16_t* units16 = reinterpret_cast<char16_t*>(read.data());
    if (stream.byteOrder() == QDataStream::BigEndian)
        qFromBigEndian<char16_t>(units16, units, units16);
    else
        qFromLittleEndian<char16_t>(units16, units, units16);
    text = read;
}

} // namespace FieldText
