#include "model/AtonTypeRules.h"

#include <QCoreApplication>

#include "model/AtoN.h"
#include "model/FieldText.h"

namespace AtonTypeRules
{

namespace
{
// The texts belong to the type manager's translation context, where the tabs show them.
const char* const Context = "cAtonTypeManager";

const char* const IalaTexts[TypeCount] = {
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (0)  Default"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (1)  Reference Point"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (2)  RACON"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (3)  Fixed Structure - Off Shore"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (4)  Emergency Wreck Marking Buoy"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (5)  Light Without Sectors"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (6)  Light With Sectors"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (7)  Leading Light Front"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (8)  Leading Light Rear"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (9)  Beacon Cardinal N"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(10)  Beacon Cardinal E"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(11)  Beacon Cardinal S"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(12)  Beacon cardinal W"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(13)  Beacon Port Hand"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(14)  Beacon Starboard Hand"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(15)  Beacon Preferred Channel Port Hand"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(16)  Beacon Preferred Channel Starboard Hand"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(17)  Beacon Isolated Danger"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(18)  Beacon Safe Water"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(19)  Beacon Special Mark"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(20)  Cardinal Mark N"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(21)  Cardinal Mark E"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(22)  Cardinal Mark S"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(23)  Cardinal Mark W"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(24)  Port Hand Mark"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(25)  Starboard Hand Mark"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(26)  Preferred Channel Port Hand"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(27)  Preferred Channel Starboard Hand"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(28)  Isolated Danger"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(29)  Safe Water"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(30)  Special Mark"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(31)  Light Vessel"),
};

const char* const InlandTexts[TypeCount] = {
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (0)  Default"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (1)  Channel near right bank"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (2)  Channel near left bank"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (3)  Cross-over right bank"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (4)  Cross-over left bank"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (5)  Bridge pillar"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (6)  Overhead cable"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (7)  Buoy right-hand side"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (8)  Buoy left-hand side"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", " (9)  Bifurcation"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(10)  Bifurcation, pass right-hand side"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(11)  Bifurcation, pass left-hand side"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(12)  Danger point or obstacle RH side"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(13)  Danger point or obstacle LH side"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(14)  Berth RH side"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(15)  Berth LH side"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(16)  No entry *"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(17)  Do not create wash *"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(18)  Headroom limited"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(19)  Signal float"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(20)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(21)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(22)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(23)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(24)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(25)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(26)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(27)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(28)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(29)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(30)  Reserved"),
    QT_TRANSLATE_NOOP("cAtonTypeManager", "(31)  Reserved"),
};

QList<QPair<int, QString>> MakeList(const char* const (&texts)[TypeCount])
{
    QList<QPair<int, QString>> list;
    list.reserve(TypeCount);
    for (int type = 0; type < TypeCount; ++type)
        list.append(qMakePair(type, QCoreApplication::translate(Context, texts[type])));
    return list;
}
} // namespace

QList<QPair<int, QString>> IalaTypes()
{
    return MakeList(IalaTexts);
}

QList<QPair<int, QString>> InlandTypes()
{
    return MakeList(InlandTexts);
}

bool IsFixedAtoNType(int type, bool inland)
{
    if (type < 0 || type >= TypeCount)
        return false;
    if (!inland)
        return type <= 19;
    switch (type)
    {
    case 4:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 19:
        return false;
    default:
        return true;
    }
}

bool NeedsDirectionOfImpact(bool inland, int type)
{
    return inland && (type == InlandNoEntry || type == InlandNoWash);
}

void StripDirectionOfImpact(QString& name)
{
    const qsizetype marker = name.indexOf(DirectionOfImpactMarker);
    if (marker >= 0)
        name.truncate(marker);
}

int DirectionOfImpactFromName(const QString& name)
{
    const qsizetype marker = name.indexOf(DirectionOfImpactMarker);
    if (marker < 0)
        return NoDirectionOfImpact;
    const QStringView digits = QStringView(name).mid(marker + DirectionOfImpactMarker.size());
    if (digits.isEmpty() || digits.size() > 3)
        return NoDirectionOfImpact;
    int value = 0;
    for (QChar c : digits)
    {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return NoDirectionOfImpact;
        value = value * 10 + (c.unicode() - '0');
    }
    return value < NoDirectionOfImpact ? value : NoDirectionOfImpact;
}

void AppendDirectionOfImpact(QString& name, int direction)
{
    StripDirectionOfImpact(name);
    const bool known = direction >= 0 && direction < NoDirectionOfImpact;
    const QString value = known ? QString::number(direction) : DirectionError;
    // A known direction keeps the usual reserve; "ERROR" is longer than three digits, so the name
    // gives up what it needs to stay within the limit (the unit and the file hold 34 characters).
    const int reserve = qMax<int>(DirectionSuffixReserve, int(DirectionOfImpactMarker.size() + value.size()));
    // The name travels escaped, so it gives way on the wire as well: with the suffix (which needs no
    // escape) it must still fit the line that carries a name alone beside a nine-digit MMSI, or the unit
    // never gets it and a file cuts the direction off.
    const int wireRoom = FieldText::Room(AtoN::NameLineTaken + FieldText::MmsiDigits);
    name = FieldText::Limited(name, NameLimit - reserve, wireRoom - reserve);
    name += DirectionOfImpactMarker + value;
}

} // namespace AtonTypeRules
