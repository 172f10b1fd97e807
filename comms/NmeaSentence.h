#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>

// Talkers of the sentence layer. Every decoder accepts "AI" and "AN"; "AN" is also the listener
// address of every query; "UP" is the talker of everything the tool sends, apart from the
// proprietary "$P..." sentences and the "!AIBBM" broadcast.
inline const QString TalkerAI = QStringLiteral("AI");
inline const QString TalkerAN = QStringLiteral("AN");
inline const QString TalkerUP = QStringLiteral("UP");

// One received or built IEC 61162-1 sentence. Every line from the unit becomes one of these before
// anybody looks at it: the record finds the sentence in the line (dropping TAG blocks and noise
// such as a shell prompt), checks its length and checksum, splits it into fields and separates
// talker and formatter.
//
// The record is a plain value. It keeps the line it was given (implicitly shared, so no copy is
// made) and the positions of the fields within it; field texts are made only when asked for. That
// keeps parsing free of allocations, which matters: every line of the traffic is parsed by the
// transport and by both decoders.
class NmeaSentence
{
public:
    NmeaSentence() = default;
    explicit NmeaSentence(const QString& line);

    // Parses a line into this record, replacing whatever an earlier line left; returns IsValid().
    bool Parse(const QString& line);

    bool IsValid() const { return valid; }
    // "P" for a proprietary sentence, else the two characters after the start character; empty
    // unless the line was valid.
    QString Talker() const;
    // The rest of the address field after the talker ("RMC", "KVX"); empty unless valid.
    QString Formatter() const;

    // Number of fields, the address field (index 0) included and the checksum excluded.
    int FieldCount() const { return int(spans.size()); }
    QStringList Fields() const;
    // Field i without copying; an empty view when i is out of range.
    QStringView FieldView(int i) const;
    // Field i exists (it may be empty).
    bool HasField(int i) const { return i >= 0 && i < spans.size(); }
    // Field i exists and is not empty.
    bool HasValue(int i) const { return HasField(i) && spans[i].length > 0; }

    // Each getter first resets out; false when the field is missing (and, except GetString, when
    // it is empty).
    bool GetString(int i, QString& out) const;
    bool GetChar(int i, QChar& out) const;
    // The value of the field's first character alone; 0 when that is no digit.
    bool GetDigit(int i, int& out) const;
    // The decimal value of the whole field; 0 when the field is no decimal integer.
    bool GetInt(int i, int& out) const;

    // Strict decimal integer (optional sign, digits only, within int); false otherwise.
    static bool ToInt(QStringView text, int& out);

    // XOR of the Latin-1 codes of the text from its second character on, as two upper-case
    // hexadecimal digits; "00" for a text of one character or none.
    static void Checksum(QStringView text, QChar& high, QChar& low);
    static QString Checksum(QStringView text);

    // IEC 61162-1 escapes of reserved characters: "^" and two upper-case hexadecimal digits.
    static void Escape(QString& text);
    static void Unescape(QString& text);
    static QString Escaped(QString text)
    {
        Escape(text);
        return text;
    }
    static QString Unescaped(QString text)
    {
        Unescape(text);
        return text;
    }

    // AIS six-bit armour of binary payloads.
    static int SixBitValue(char c);
    static char SixBitChar(int v);

    // Completes a sentence: body (start character, address field, comma-separated fields) +
    // "*" + checksum + "\r\n".
    static QString Frame(const QString& body);
    // Builds a sentence from its address field ("$UPAAR", "$PKVX", "!AIBBM") and data fields. Whatever
    // a field holds, it stays one field of one line: its controls, "$", "!", "*" and "," go out as
    // escapes.
    static QString Build(const QString& addressField, const QStringList& fields);
    // '$UPANQ,<formatter>*hh\r\n': the query for a formatter, addressed to the unit.
    static QString BuildQuery(const QString& formatter);

    // Longest line that can hold a valid sentence.
    static constexpr int MaxLineLength = 82;

private:
    struct Span
    {
        int start = 0;
        int length = 0;
    };

    void Reset();

    QString text; // the line parsed (or the sentence piece of it after its TAG blocks)
    QVarLengthArray<Span, 24> spans;
    Span talker;
    Span formatter;
    bool valid = false;
};
