#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The GUI-free rules of the AtoN types: the sea (IALA) and inland type lists, which types are fixed
// structures and which float, and the direction of impact that inland types 16 ("No entry") and 17
// ("Do not create wash") carry inside the AtoN name as "%%" and the degrees. The type manager of
// the tabs, the AtoN record and the ACE sentence all use these rules.
namespace AtonTypeRules
{

// Separates the AtoN name from its direction of impact.
inline const QString DirectionOfImpactMarker = QStringLiteral("%%");
// No direction chosen.
constexpr int NoDirectionOfImpact = 360;
// Characters kept free at the end of the name for the marker and up to three digits.
constexpr int DirectionSuffixReserve = 5;
// Longest AtoN name.
constexpr int NameLimit = 34;
// Text appended in place of the degrees when no direction is known.
inline const QString DirectionError = QStringLiteral("ERROR");

// Number of types in each list (0 to 31).
constexpr int TypeCount = 32;
// The inland types that need a direction of impact.
constexpr int InlandNoEntry = 16;
constexpr int InlandNoWash = 17;

// (type number, translated text) in list order.
QList<QPair<int, QString>> IalaTypes();
QList<QPair<int, QString>> InlandTypes();

// True for a fixed structure, false for a floating AtoN (and for any type above 31).
bool IsFixedAtoNType(int type, bool inland);

// Whether an AtoN of this mode and type carries a direction of impact in its name.
bool NeedsDirectionOfImpact(bool inland, int type);

// Cuts the name before its first marker, if any.
void StripDirectionOfImpact(QString& name);

// The direction a name carries ("LOCK%%90" gives 90), or NoDirectionOfImpact when it carries
// none, "ERROR", or a value outside 0 to 359.
int DirectionOfImpactFromName(const QString& name);

// Replaces any suffix by the marker and the direction (or "ERROR" for NoDirectionOfImpact),
// shortening the name first so that the result stays within NameLimit characters and within the line
// that carries a name alone.
void AppendDirectionOfImpact(QString& name, int direction);

} // namespace AtonTypeRules
