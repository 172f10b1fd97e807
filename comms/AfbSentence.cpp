#include "comms/AfbSentence.h"

#include "model/Model.h"

namespace
{
// Column of the slot: -1 means no slot and travels as an empty field.
constexpr int SlotColumn = 4;
} // namespace

AtoNSentenceAFB::AtoNSentenceAFB(VdlModel* vdl, Model* owner) : AtoNSentence(vdl, owner), owner(owner)
{
    formatter = QStringLiteral("AFB");
}

QString AtoNSentenceAFB::Encode(int index, int* count)
{
    Q_UNUSED(index);
    Q_UNUSED(count);
    const VdlModel* vdl = static_cast<VdlModel*>(model);
    if (!vdl || !owner)
        return QString();
    QStringList fields{owner->GetRealAtoN()->GetAtoNMMSI()->GetMMSI()};
    for (int column = 0; column < int(vdl->afbValues.size()); ++column)
    {
        const int value = vdl->afbValues[size_t(column)];
        fields << (column == SlotColumn && value == -1 ? QString() : QString::number(value));
    }
    fields << QStringLiteral("C");
    return BuildSentence(fields);
}

int AtoNSentenceAFB::Decode(const NmeaSentence& sentence)
{
    if (sentence.Formatter() != formatter)
        return SentenceStatus::WrongFormatter;
    if (!sentence.IsValid())
        return SentenceStatus::InvalidSentence;
    if (!IsAcceptedTalker(sentence))
        return SentenceStatus::WrongTalker;
    VdlModel* vdl = static_cast<VdlModel*>(model);
    if (!vdl)
        return SentenceStatus::UnknownMmsi;
    if (!sentence.HasField(1))
        return SentenceStatus::FieldMissing;

    std::array<int, 6> values{1, 0, 0, 0, 0, 0};
    for (int i = 0; i < 6; ++i)
        (void)ReadInt(sentence, 2 + i, values[size_t(i)]);
    if (!FieldIs(sentence, 8, "R"))
        return SentenceStatus::FieldMissing;
    vdl->AddTableRow(values[0], values[1], values[2], values[3], values[4], values[5]);
    // The values a send writes back are the ones just read, or a retrieve followed by a send would
    // overwrite the unit's broadcast with zeros. An empty slot is "no slot", which goes out empty again.
    vdl->afbValues = values;
    if (!sentence.HasValue(2 + SlotColumn))
        vdl->afbValues[size_t(SlotColumn)] = -1;
    return SentenceStatus::Decoded;
}
