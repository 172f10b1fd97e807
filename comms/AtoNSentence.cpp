#include "comms/AtoNSentence.h"

AtoNSentence::AtoNSentence(ModelObject* model, QObject* parent) : QObject(parent), model(model)
{
}

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
    if (!sentence.IsValid()) return SentenceStatus::InvalidSentence;
    if (!IsAcceptedTalker(sentence)) return SentenceStatus::WrongTalker;
    if (sentence.Formatter() != formatter) return SentenceStatus::WrongFormatter;
    return SentenceStatus::Decoded;
}

QString AtoNSentence::BuildSentence(const QStringList& fields) const
{
    return NmeaSentence::Build(QLatin1Char('$') + TalkerUP + formatter, fields);
}
