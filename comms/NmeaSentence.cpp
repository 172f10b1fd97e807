#include "comms/NmeaSentence.h"

#include "model/FieldText.h"

#include <limits>
#include <utility>

namespace
{

constexpr char HexDigits[] = "0123456789ABCDEF";

// "^" and the character's code in two upper-case hexadecimal digits (codes up to 0xFF).
void AppendEscape(QString& out, char16_t c)
{
    out.append(QLatin1Char('^'));
    out.append(QLatin1Char(HexDigits[(c >> 4) & 0xF]));
    out.append(QLatin1Char(HexDigits[c & 0xF]));
}

inline bool IsAddressChar(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z');
}

inline bool IsUpperHex(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

inline int HexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// Latin-1 code of a character as it goes on the wire; characters outside Latin-1 become "?", as
// the serial controller writes them.
inline unsigned Latin1(char16_t c)
{
    return c < 0x100 ? unsigned(c) : unsigned('?');
}

// True when the text holds a surrogate that is not part of a proper pair. Such a text cannot be
// matched as a sentence at all.
bool HasBrokenSurrogate(const char16_t* d, int n)
{
    for (int i = 0; i < n; ++i)
    {
        const char16_t c = d[i];
        if (c < 0xD800 || c > 0xDFFF)
            continue;
        if (c <= 0xDBFF && i + 1 < n && d[i + 1] >= 0xDC00 && d[i + 1] <= 0xDFFF)
        {
            ++i;
            continue;
        }
        return true;
    }
    return false;
}

// Finds the last sentence in the text: the last match of [!$][0-9A-Z]{4,5}.+\*[0-9A-F]{2} (the dot
// not crossing a line feed), as a global regular-expression search would report it, without running
// a regular expression per line. Within one stretch between line feeds the greedy ".+" always ends
// at the last "*hh" of the stretch, and the match starts at the first start character that leaves
// room for four address characters and at least one more character before that "*". Linear time.
bool FindLastSentence(const char16_t* d, int n, int& matchStart, int& starPos)
{
    bool found = false;
    int pos = 0;
    while (pos < n)
    {
        int end = pos;
        while (end < n && d[end] != u'\n')
            ++end;

        int star = -1;
        for (int p = end - 3; p >= pos; --p)
        {
            if (d[p] == u'*' && IsUpperHex(d[p + 1]) && IsUpperHex(d[p + 2]))
            {
                star = p;
                break;
            }
        }
        for (int s = pos; star >= 0 && s <= star - 6; ++s)
        {
            if ((d[s] == u'$' || d[s] == u'!') && IsAddressChar(d[s + 1]) && IsAddressChar(d[s + 2]) &&
                IsAddressChar(d[s + 3]) && IsAddressChar(d[s + 4]))
            {
                matchStart = s;
                starPos = star;
                found = true;
                break;
            }
        }
        pos = end + 1;
    }
    return found;
}

} // namespace

NmeaSentence::NmeaSentence(const QString& line)
{
    Parse(line);
}

void NmeaSentence::Reset()
{
    text.clear();
    spans.clear();
    talker = Span();
    formatter = Span();
    valid = false;
}

bool NmeaSentence::Parse(const QString& line)
{
    Reset();
    valid = true;
    text = line;

    // TAG blocks: the sentence is the last piece between backslashes that starts like one.
    if (line.contains(QLatin1String("\\$")) || line.contains(QLatin1String("\\!")))
    {
        const char16_t* d = reinterpret_cast<const char16_t*>(line.constData());
        const int n = int(line.size());
        int pieceStart = 0;
        int chosenStart = -1;
        int chosenEnd = -1;
        for (int i = 0; i <= n; ++i)
        {
            if (i == n || d[i] == u'\\')
            {
                if (pieceStart < n && i > pieceStart && (d[pieceStart] == u'$' || d[pieceStart] == u'!'))
                {
                    chosenStart = pieceStart;
                    chosenEnd = i;
                }
                pieceStart = i + 1;
            }
        }
        if (chosenStart >= 0)
            text = line.mid(chosenStart, chosenEnd - chosenStart);
    }

    if (text.size() > MaxLineLength)
        valid = false;

    const char16_t* d = reinterpret_cast<const char16_t*>(text.constData());
    const int n = int(text.size());
    int start = 0;
    int star = 0;
    if (HasBrokenSurrogate(d, n) || !FindLastSentence(d, n, start, star))
    {
        Reset();
        return false;
    }

    // Fields: the matched text up to its last "*", split at every "*" and ",". Any other "*" inside
    // counts as "," for the checksum.
    unsigned sum = 0;
    int fieldStart = start;
    for (int i = start; i < star; ++i)
    {
        char16_t c = d[i];
        if (c == u'*' || c == u',')
        {
            spans.append(Span{fieldStart, i - fieldStart});
            fieldStart = i + 1;
            c = u',';
        }
        if (i > start)
            sum ^= Latin1(c);
    }
    spans.append(Span{fieldStart, star - fieldStart});

    if (d[star + 1] != char16_t(HexDigits[(sum >> 4) & 0xF]) || d[star + 2] != char16_t(HexDigits[sum & 0xF]))
        valid = false;

    if (valid)
    {
        const Span& address = spans[0];
        if (d[address.start + 1] == u'P')
        {
            talker = Span{address.start + 1, 1};
            formatter = Span{address.start + 2, address.length - 2};
        }
        else
        {
            talker = Span{address.start + 1, 2};
            formatter = Span{address.start + 3, address.length - 3};
        }
    }
    return valid;
}

QString NmeaSentence::Talker() const
{
    return text.mid(talker.start, talker.length);
}

QString NmeaSentence::Formatter() const
{
    return text.mid(formatter.start, formatter.length);
}

QStringList NmeaSentence::Fields() const
{
    QStringList out;
    out.reserve(spans.size());
    for (const Span& s : spans)
        out.append(text.mid(s.start, s.length));
    return out;
}

QStringView NmeaSentence::FieldView(int i) const
{
    if (!HasField(i))
        return QStringView();
    return QStringView(text).mid(spans[i].start, spans[i].length);
}

bool NmeaSentence::GetString(int i, QString& out) const
{
    out = QString();
    if (!HasField(i))
        return false;
    out = text.mid(spans[i].start, spans[i].length);
    return true;
}

bool NmeaSentence::GetChar(int i, QChar& out) const
{
    out = QChar();
    if (!HasValue(i))
        return false;
    out = text.at(spans[i].start);
    return true;
}

bool NmeaSentence::GetDigit(int i, int& out) const
{
    out = 0;
    if (!HasValue(i))
        return false;
    const QChar c = text.at(spans[i].start);
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        out = c.unicode() - '0';
    return true;
}

bool NmeaSentence::GetInt(int i, int& out) const
{
    out = 0;
    if (!HasValue(i))
        return false;
    if (!ToInt(FieldView(i), out))
        out = 0;
    return true;
}

bool NmeaSentence::ToInt(QStringView t, int& out)
{
    out = 0;
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
    {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i == t.size())
        return false;
    qint64 value = 0;
    for (; i < t.size(); ++i)
    {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
        if (value > qint64(1) << 31)
            return false;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return false;
    out = int(value);
    return true;
}

void NmeaSentence::Checksum(QStringView t, QChar& high, QChar& low)
{
    unsigned sum = 0;
    for (qsizetype i = 1; i < t.size(); ++i)
        sum ^= Latin1(t[i].unicode());
    high = QLatin1Char(HexDigits[(sum >> 4) & 0xF]);
    low = QLatin1Char(HexDigits[sum & 0xF]);
}

QString NmeaSentence::Checksum(QStringView t)
{
    QChar high;
    QChar low;
    Checksum(t, high, low);
    return QString(high) + low;
}

void NmeaSentence::Escape(QString& t)
{
    // Beyond the reserved characters, line ends and DEL are escaped too, so that no text can end
    // or break the sentence it travels in.
    auto reserved = [](QChar c)
    { return FieldText::IsReserved(c) || c == u'"' || c == u'\r' || c == u'\n' || c == QChar(0x7F); };
    QString out;
    out.reserve(t.size());
    bool changed = false;
    for (QChar qc : std::as_const(t))
    {
        const char16_t c = qc.unicode();
        if (reserved(qc))
        {
            AppendEscape(out, c);
            changed = true;
        }
        else
        {
            out.append(qc);
        }
    }
    if (changed)
        t = out;
}

void NmeaSentence::Unescape(QString& t)
{
    if (!t.contains(QLatin1Char('^')))
        return;
    QString out;
    out.reserve(t.size());
    const qsizetype n = t.size();
    for (qsizetype i = 0; i < n; ++i)
    {
        const QChar c = t.at(i);
        if (c == QLatin1Char('^') && i + 2 < n)
        {
            const int hi = HexValue(t.at(i + 1).unicode());
            const int lo = HexValue(t.at(i + 2).unicode());
            if (hi >= 0 && lo >= 0)
                out.append(QChar(char16_t((hi << 4) | lo)));
            else
                out.append(QLatin1Char('.'));
            i += 2;
        }
        else
        {
            out.append(c);
        }
    }
    t = out;
}

int NmeaSentence::SixBitValue(char c)
{
    const int v = int(c);
    return v < 89 ? ((v + 80) & 63) : ((v + 72) & 63);
}

char NmeaSentence::SixBitChar(int v)
{
    v &= 63;
    return v < 40 ? char('0' + v) : char('8' + v);
}

QString NmeaSentence::Frame(const QString& body)
{
    QChar high;
    QChar low;
    Checksum(body, high, low);
    QString out;
    out.reserve(body.size() + 5);
    out.append(body);
    out.append(QLatin1Char('*'));
    out.append(high);
    out.append(low);
    out.append(QLatin1String("\r\n"));
    return out;
}

namespace
{
// A field must never end the line, start another sentence on it or split into several fields,
// whatever the model holds (a configuration file can carry any text): control characters, the
// sentence start and checksum marks and the field separator go out as escapes. Text fields come
// escaped already: what is left for this are the control characters their escape lets through ("^"
// itself is never touched, so nothing is escaped twice). A sentence is ASCII: the other ISO 8859-1
// characters go out as escapes too, which is how a sentence carries them, rather than as raw bytes.
void AppendFramable(QString& body, const QString& field)
{
    for (QChar c : field)
    {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0xFF) || u == u'$' || u == u'!' || u == u'*' || u == u',')
            AppendEscape(body, u);
        else
            body.append(c);
    }
}
} // namespace

QString NmeaSentence::Build(const QString& addressField, const QStringList& fields)
{
    QString body = addressField;
    for (const QString& f : fields)
    {
        body.append(QLatin1Char(','));
        AppendFramable(body, f);
    }
    return Frame(body);
}

QString NmeaSentence::BuildQuery(const QString& formatter)
{
    return Build(QLatin1Char('$') + TalkerUP + TalkerAN + QLatin1Char('Q'), {formatter});
}
