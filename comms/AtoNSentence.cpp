#include "comms/AtoNSentence.h"

#include <QThread>

#include "model/Model.h"

namespace
{
// The job engine rebuilds some sentences in the worker thread while their model lives in the GUI
// thread; Qt cannot parent an object across threads, so such a sentence simply has no parent (its
// job owns it).
QObject* SameThreadParent(QObject* parent)
{
    return parent && parent->thread() == QThread::currentThread() ? parent : nullptr;
}
} // namespace

AtoNSentence::AtoNSentence(ModelObject* model, QObject* parent) : QObject(SameThreadParent(parent)), model(model) {}

QString AtoNSentence::BuildQuery()
{
    return NmeaSentence::BuildQuery(formatter);
}

bool AtoNSentence::IsAcceptedTalker(const NmeaSentence& sentence) const
{
    const QString talker = sentence.Talker();
    return talker == TalkerAI || talker == TalkerAN;
}

int AtoNSentence::CheckHeader(const NmeaSentence& sentence) const
{
    if (!sentence.IsValid())
        return SentenceStatus::InvalidSentence;
    if (!IsAcceptedTalker(sentence))
        return SentenceStatus::WrongTalker;
    if (sentence.Formatter() != formatter)
        return SentenceStatus::WrongFormatter;
    return SentenceStatus::Decoded;
}

QString AtoNSentence::BuildSentence(const QStringList& fields) const
{
    return NmeaSentence::Build(QLatin1Char('$') + TalkerUP + formatter, fields);
}

AtoNSentence::Field AtoNSentence::ReadInt(const NmeaSentence& sentence, int i, int& value)
{
    if (!sentence.HasField(i))
        return Field::Bad;
    if (!sentence.HasValue(i))
        return Field::Empty;
    int read = 0;
    if (!NmeaSentence::ToInt(sentence.FieldView(i), read))
        return Field::Empty;
    value = read;
    return Field::Value;
}

bool AtoNSentence::FieldIs(const NmeaSentence& sentence, int i, const char* text)
{
    return sentence.HasField(i) && sentence.FieldView(i) == QLatin1String(text);
}

AtoN* AtoNSentence::FindAtoN(Model* owner, const QString& mmsi, bool* isReal)
{
    if (isReal)
        *isReal = false;
    if (!owner)
        return nullptr;
    if (owner->GetRealAtoN()->GetAtoNMMSI()->GetMMSI() == mmsi)
    {
        if (isReal)
            *isReal = true;
        return owner->GetRealAtoN();
    }
    for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
    {
        VirtualAtoNModel* virtualAtoN = owner->GetVirtualAtoN(k);
        if (virtualAtoN && virtualAtoN->GetAtoNMmsi()->GetMMSI() == mmsi)
            return virtualAtoN->GetAtoN();
    }
    return nullptr;
}
