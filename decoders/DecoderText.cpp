#include "decoders/DecoderText.h"

#include "comms/NmeaSentence.h"

namespace DecoderText
{

bool ContainsAny(QStringView line, std::initializer_list<QStringView> words)
{
    for (QStringView word : words)
        if (line.contains(word))
            return true;
    return false;
}

QStringView FormatterOf(const NmeaSentence& sentence, QStringView* talker)
{
    const QStringView address = sentence.FieldView(0);
    const bool proprietary = address.size() > 1 && address[1] == QLatin1Char('P');
    const qsizetype talkerLength = proprietary ? 1 : 2;
    if (talker)
        *talker = address.mid(1, talkerLength);
    return address.mid(1 + talkerLength);
}

QString DecodeTextField(QStringView field)
{
    QString text = QString::fromLatin1(field.toLatin1());
    NmeaSentence::Unescape(text);
    return text;
}

bool AddTextPart(const NmeaSentence& sentence, QString& buffer, int maxLength)
{
    if (!sentence.HasValue(1) || !sentence.HasValue(2) || !sentence.HasField(4))
        return false;
    int count = 0;
    int number = 0;
    sentence.GetInt(1, count);
    sentence.GetInt(2, number);
    const QString text = DecodeTextField(sentence.FieldView(4));
    if (number == 1)
    {
        buffer = text;
    }
    else
    {
        if (buffer.size() + text.size() > maxLength)
        {
            buffer.clear();
            return false;
        }
        buffer.append(text);
    }
    return number == count;
}

} // namespace DecoderText
