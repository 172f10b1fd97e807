#include "model/FieldText.h"

#include <limits>

namespace
{
// The characters the sentence builders escape in a text field: the IEC 61162-1 reserved characters,
// the quotation mark, line ends, DEL and the C0 and C1 controls.
bool IsEscaped(char16_t c)
{
    switch (c)
    {
    case u'!':
    case u'"':
    case u'$':
    case u'*':
    case u',':
    case u'\\':
    case u'^':
    case u'~':
        return true;
    default:
        return c < 0x20 || (c >= 0x7F && c <= 0x9F);
    }
}

constexpr int EscapeLength = 3;
} // namespace

namespace FieldText
{

int WireLength(const QString& text)
{
    qsizetype length = 0;
    for (const QChar c : text)
        length += IsEscaped(c.unicode()) ? EscapeLength : 1;
    return int(qMin(length, qsizetype(std::numeric_limits<int>::max())));
}

QString Limited(const QString& text, int maxCharacters, int maxWireLength)
{
    const qsizetype limit = qMax(0, maxCharacters);
    qsizetype taken = 0;
    int wire = 0;
    for (; taken < text.size() && taken < limit; ++taken)
    {
        const int cost = IsEscaped(text.at(taken).unicode()) ? EscapeLength : 1;
        if (wire + cost > maxWireLength)
            break;
        wire += cost;
    }
    // A surrogate pair is one character to the user: never keep half of one.
    if (taken > 0 && taken < text.size() && text.at(taken - 1).isHighSurrogate())
        --taken;
    return taken == text.size() ? text : text.left(taken);
}

QString Digits(const QString& text, int maxDigits)
{
    QString digits;
    for (const QChar c : text)
    {
        if (digits.size() >= maxDigits)
            break;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    }
    // The text itself when it needed no change, so that a file the tool wrote reads back unchanged.
    return digits.size() == text.size() ? text : digits;
}

} // namespace FieldText
