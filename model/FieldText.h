#pragma once
// Texts a configuration file hands to the model, brought within what the editors can hold. A file is
// outside input: it may carry any text, and every text of the model ends up in a sentence to the
// unit. The tabs bound what the user types; a file is bounded here, when it is read, so that what the
// tabs show is what the unit gets. Texts from the unit itself do not pass through here.

#include <QString>

namespace FieldText
{

// The characters IEC 61162-1 reserves inside a sentence (! $ * , \ ^ ~): a text field carries each as
// an escape ("^" and two hexadecimal digits), and the editors count each as three against their limit.
bool IsReserved(QChar c);

// Characters a text takes on the wire: each character that a sentence field carries as an escape
// ("^" and two hexadecimal digits) counts three, every other one.
int WireLength(const QString& text);

// The longest beginning of the text that has at most maxCharacters characters and at most
// maxEncodedLength once each reserved or control character counts three: what a text editor bounded
// in both ways holds. A text the editor accepted comes back whole; the quotation mark, escaped on the
// wire but counted as one by the editors, is counted as they count it.
QString Limited(const QString& text, int maxCharacters, int maxEncodedLength);

// The decimal digits of the text, in order, at most maxDigits of them: all an MMSI editor admits.
QString Digits(const QString& text, int maxDigits);

} // namespace FieldText
