#pragma once
// Texts a configuration file hands to the model. A file is outside input: it may carry any text, and
// every text of the model ends up in a sentence to the unit. A file is bounded here, when it is read,
// by what the texts' own sources can give: an editor, a sentence from the unit or a VDL reply. What
// one of them gives loads unchanged; what none could have given is bounded, so that the tabs show
// what the unit gets.

#include <QDataStream>
#include <QString>

namespace FieldText
{

// The characters IEC 61162-1 reserves inside a sentence (! $ * , \ ^ ~): a text field carries each as
// an escape ("^" and two hexadecimal digits), and the editors count each as three against their limit.
bool IsReserved(QChar c);

// The most a text field of one sentence line takes: a line holds 82 characters, and its start mark,
// a five-character address field, the comma before the field and the "*hh" checksum take ten of them.
// No sentence from the unit carries a longer text, counted as in Limited.
constexpr int MaxCarriedLength = 72;

// Characters a text takes on the wire: each character that a sentence field carries as an escape
// ("^" and two hexadecimal digits) counts three, every other one.
int WireLength(const QString& text);

// The longest beginning of the text that has at most maxCharacters characters and at most
// maxEncodedLength once each reserved or control character counts three: what a text editor bounded
// in both ways holds, or a sentence line carries. The quotation mark, escaped on the wire but counted
// as one by the editors and carried as itself by a line from the unit, counts one.
QString Limited(const QString& text, int maxCharacters, int maxEncodedLength);

// The text as a sentence carries it to the unit: a sentence carries ISO 8859-1 and nothing beyond it,
// so each UTF-16 unit above U+00FF becomes "?", as it goes out. Any other text comes back itself.
QString Carried(const QString& text);

// Whether an MMSI text is one that some source gives: an editor's or a unit's digits (at most nine),
// or the decimal number of a VDL reply's 30-bit MMSI field (at most 1073741823).
bool IsGivenMmsi(const QString& text);

// Reads a text stored as QDataStream writes it (a 32-bit byte count, FFFFFFFF for a null text, then
// UTF-16 in the stream's byte order), but never takes a count beyond the bytes the device still holds:
// such a text is no text of the file, and the stream is marked read past its end without anything
// allocated for it.
void Read(QDataStream& stream, QString& text);

} // namespace FieldText
