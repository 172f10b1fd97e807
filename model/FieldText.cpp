#include "model/FieldText.h"

#include <limits>

namespace
{
bool IsControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// What the sentence builders send as an escape: the reserved characters, the quotation mark (escaped
// as well by the text escape) and every control character (by the framing).
bool IsEscaped(QChar c)
{
    return FieldText::IsReserved(c) || c == u'"' || IsControl(c.unicode());
}

constexpr int EscapeLength = 3;

// What a character counts against an editor's encoded limit: three for a reserved character, as the
// editors' validator counts it. The editors admit no control character; one from a file counts three
// as well, since it travels as an escape.
int EditorCost(QChar c)
{
    return FieldText::IsReserved(c) || IsControl(c.unicode()) ? EscapeLength : 1;
}
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

int WireLength(const QString& text)
{
    qsizetype length = 0;
    for (const QChar c : text)
        length += IsEscaped(c) ? EscapeLength : 1;
    return int(qMin(length, qsizetype(std::numeric_limits<int>::max())));
}

QString Limited(const QString& text, int maxCharacters, int maxEncodedLength)
{
    const qsizetype limit = qMax(0, maxCharacters);
    qsizetype taken = 0;
    int encoded = 0;
    for (; taken < text.size() && taken < limit; ++taken)
    {
        const int cost = EditorCost(text.at(taken));
        if (encoded + cost > maxEncodedLength)
            break;
        encoded += cost;
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
