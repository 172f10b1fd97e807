#include "ui/AisValidator.h"

#include "model/FieldText.h"

AisValidator::AisValidator(int maxCharacters, int maxEncodedLength, QObject* parent)
    : QValidator(parent), maxCharacters(maxCharacters), maxEncodedLength(maxEncodedLength)
{
}

int AisValidator::EncodedLength(const QString& text)
{
    // Counted as the sentences send the text: the quotation mark, which the six-bit set holds, goes out
    // as an escape like every reserved character.
    return FieldText::WireLength(text);
}

QValidator::State AisValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);

    State state = Acceptable;
    if (EncodedLength(input) > maxEncodedLength || input.size() > maxCharacters)
    {
        state = Invalid;
    }

    for (qsizetype i = 0; i < input.size(); ++i)
    {
        const char16_t c = input.at(i).unicode();
        if (c >= 0x20 && c <= 0x5F)
        {
            continue; // the AIS six-bit character set
        }
        if (c >= u'a' && c <= u'z')
        {
            // Upper-case in place so that the line edit shows the letter as it will be sent. Once the
            // text is refused anyway it is left as typed: the line edit will not take it.
            if (state != Invalid)
            {
                state = Intermediate;
                input[i] = QChar(c - (u'a' - u'A'));
            }
            continue;
        }
        state = Invalid;
    }
    return state;
}

void AisValidator::fixup(QString& input) const
{
    input = input.toUpper();
    if (input.size() > maxCharacters)
    {
        input.truncate(maxCharacters < 0 ? 0 : maxCharacters);
    }
}
