#pragma once
// Texts and numbers a configuration file hands to the model. A file is outside input: it may carry any
// value, and every value of the model ends up in a sentence to the unit. A file is bounded here, when it
// is read, by what the values' own sources can give: an editor, a sentence from the unit or a VDL reply,
// and by what one sentence line holds. What a source gives and a line carries loads unchanged; any
// other value is bounded, so that the tabs show what the unit gets.

#include <QDataStream>
#include <QString>

namespace FieldText
{

// The characters IEC 61162-1 reserves inside a sentence (! $ * , \ ^ ~): a text field carries each as
// an escape ("^" and two hexadecimal digits), and the editors count each as three against their limit.
bool IsReserved(QChar c);

// The longest line of a sentence, its CR LF included. A line from the unit that reports a text is as
// long as the line that sends the text back, so a text that fits one fits the other.
constexpr int MaxLineLength = 82;

// The digits an MMSI takes in a sentence: those of the MMSI, but never fewer than the nine of a valid
// one, to which a shorter MMSI can still be edited.
constexpr int MmsiDigits = 9;
int MmsiWidth(const QString& mmsi);

// The characters a number takes in a sentence as decimal text, its sign included.
constexpr int NumberWidth(qint64 value)
{
    int width = value < 0 ? 2 : 1;
    for (qint64 rest = value / 10; rest != 0; rest /= 10)
        ++width;
    return width;
}

// What one line leaves a text when the rest of the sentence takes `taken` characters.
constexpr int Room(int taken)
{
    return MaxLineLength - taken;
}

// Characters a text takes on the wire: each character that a sentence field carries as an escape
// ("^" and two hexadecimal digits) counts three, every other one.
int WireLength(const QString& text);

// The longest beginning of the text that has at most maxCharacters characters and takes at most
// maxWireLength characters on the wire, counted as in WireLength: what a sentence line carries. Half a
// surrogate pair is never kept.
QString Limited(const QString& text, int maxCharacters, int maxWireLength);

// The values a number of a file may keep: what its editor takes or a VDL reply's field gives. Any other
// loads as the nearest of them, which is what the editor shows.
struct Range
{
    qint32 least;
    qint32 most;
    constexpr qint32 Nearest(qint32 value) const { return value < least ? least : value > most ? most : value; }
};

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
