#pragma once

#include <QValidator>

// Validator for free text that ends up in AIS messages (AtoN names, alert texts). It admits only the AIS
// six-bit character set (space to underscore), turns lower-case letters into upper case as they are
// typed, and bounds both the number of characters and the length the text takes inside an NMEA sentence,
// where each IEC 61162-1 reserved character and the quotation mark is written as a three-character escape.
class AisValidator : public QValidator
{
public:
    AisValidator(int maxCharacters, int maxEncodedLength, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

    // Length of the text in a sentence, where every reserved character and the quotation mark travel as
    // '^' plus two hexadecimal digits.
    static int EncodedLength(const QString& text);

private:
    int maxCharacters;
    int maxEncodedLength;
};
