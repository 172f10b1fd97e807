#include "comms/CopSentence.h"

#include "model/Model.h"

#include <QTime>

namespace
{
// The unit's "not available" start time: no time of day, but a value it holds and must get back.
constexpr int NotAvailableHour = 24;
constexpr int NotAvailableMinute = 60;

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
} // namespace

AtoNSentenceCOP::AtoNSentenceCOP(VdlModel* vdl, Model* owner) : AtoNSentence(vdl, owner), owner(owner)
{
    formatter = QStringLiteral("COP");
}

QString AtoNSentenceCOP::Encode(int index, int* count)
{
    Q_UNUSED(index);
    Q_UNUSED(count);
    const VdlModel* vdl = static_cast<VdlModel*>(model);
    if (!vdl || !owner)
        return QString();
    return BuildSentence({owner->GetRealAtoN()->GetAtoNMMSI()->GetMMSI(),
                          vdl->receiverMode != 0 ? QStringLiteral("1") : QStringLiteral("0"),
                          TwoDigits(vdl->receiverHour) + TwoDigits(vdl->receiverMinute) + QStringLiteral("00"),
                          QString::number(vdl->receiverInterval), QString::number(vdl->receiverDuration),
                          QStringLiteral("C"), QStringLiteral("00000000")});
}

int AtoNSentenceCOP::Decode(const NmeaSentence& sentence)
{
    // All three header checks are made; the last one that fails names the status.
    int header = SentenceStatus::Decoded;
    if (!sentence.IsValid())
        header = SentenceStatus::InvalidSentence;
    if (!IsAcceptedTalker(sentence))
        header = SentenceStatus::WrongTalker;
    if (sentence.Formatter() != formatter)
        header = SentenceStatus::WrongFormatter;
    if (header != SentenceStatus::Decoded)
        return header;
    VdlModel* vdl = static_cast<VdlModel*>(model);
    if (!vdl)
        return SentenceStatus::UnknownMmsi;
    if (!sentence.HasField(1))
        return SentenceStatus::FieldMissing;

    // An empty field, or one that holds no value of its kind, keeps the value the model holds. A start
    // time is a time of day or the unit's "not available" 24:60, which is kept as read so that a read
    // followed by a write leaves the unit as it was.
    bool hasFlag = false;
    int flag = 0;
    if (sentence.HasValue(2))
    {
        const QChar first = sentence.FieldView(2).front();
        if (first >= QLatin1Char('0') && first <= QLatin1Char('9'))
        {
            flag = first.unicode() - '0';
            hasFlag = true;
        }
    }

    int hour = vdl->receiverHour;
    int minute = vdl->receiverMinute;
    if (sentence.HasValue(3))
    {
        const QStringView time = sentence.FieldView(3);
        int readHour = 0;
        int readMinute = 0;
        if (time.size() >= 4 && NmeaSentence::ToInt(time.mid(0, 2), readHour) &&
            NmeaSentence::ToInt(time.mid(2, 2), readMinute) &&
            (QTime::isValid(readHour, readMinute, 0) ||
             (readHour == NotAvailableHour && readMinute == NotAvailableMinute)))
        {
            hour = readHour;
            minute = readMinute;
        }
    }

    int interval = vdl->receiverInterval;
    int duration = vdl->receiverDuration;
    (void)ReadInt(sentence, 4, interval);
    (void)ReadInt(sentence, 5, duration);
    if (!FieldIs(sentence, 6, "R"))
        return SentenceStatus::FieldMissing;

    if (hasFlag)
        vdl->receiverMode = flag == 0 ? 0 : (duration == WholeDaySeconds ? 2 : 1);
    vdl->receiverHour = hour;
    vdl->receiverMinute = minute;
    vdl->receiverInterval = interval;
    vdl->receiverDuration = duration;
    return SentenceStatus::Decoded;
}
