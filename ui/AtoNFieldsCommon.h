#pragma once

#include <QString>

class GeoPosition;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QValidator;
class cAtonTypeManager;

// What the real AtoN page and the virtual AtoN pages share of their station fields: the lists, the
// position fields, the dimension panel's kind, and the name and type rules that carry an inland
// direction of impact in the name. Each page keeps its own widgets and calls these on them.
namespace AtoNFields
{

// Data of the combo's current item; 0 when it has none (an empty list).
int CurrentData(const QComboBox* combo);
// Selects the item whose data equals `data`; no item when none does.
void SelectData(QComboBox* combo, int data);

// Clears the type list and fills it with the inland or the sea (IALA) types.
void FillTypeList(QComboBox* combo, bool inland);
// "> 10m" (low) and "< 10m" (high).
void FillPositionAccuracies(QComboBox* combo);
// 12.5, 5, 2 and 1 W with their power level codes.
void FillPowerLevels(QComboBox* combo);

// Puts a stored value into its field whole. A value longer than the field takes from the keyboard (an
// MMSI of ten digits, as a VDL reply's field can hold) would otherwise be cut to a shorter one that can
// read as valid; shown whole, the field's validator marks it as not valid. Typing is still limited by
// the validator.
void ShowWhole(QLineEdit* field, const QString& text);

// Whether the validator takes the text as it stands (a copy is validated: the field is not touched).
bool IsAcceptable(const QValidator* validator, const QString& text);

// The position a field's text stands for. While the text still reads as the stored position the stored
// value itself is meant, so a load and store, or a focus passing through the field, never moves the
// AtoN by the rounding of the text. An empty or unreadable text, or a value out of range, is "no
// position" (91 / 181), never a value sent to the unit.
double TypedLatitude(const QString& text, const GeoPosition& stored);
double TypedLongitude(const QString& text, const GeoPosition& stored);
// Puts the position into its field as degrees, minutes and seconds, with a tool tip of the decimal
// degrees (`decimals` places) over the degrees and decimal minutes.
void ShowLatitude(QLineEdit* field, const GeoPosition& position, int decimals);
void ShowLongitude(QLineEdit* field, const GeoPosition& position, int decimals);

// Title, drawing and dimension A's range and tool tip of a fixed structure (A 0 to 511) or of a
// floating AtoN (A 1 to 63). The page shows or hides the other dimensions itself.
void ShowDimensionKind(QGroupBox* group, QLabel* drawing, QSpinBox* dimensionA, bool fixed);

// The name rule of a user edit of the name field. The field is first given the validator's fixup
// (upper case) by a focus round trip. Nothing happens when the text is the stored name. Otherwise the
// direction suffix of an inland type 16 or 17 is kept: true when the new name stands in the field and
// is to be stored, false when the edit removed the suffix marker and the stored name was put back.
bool EditName(QLineEdit* nameField, const QString& text, const QString& storedName, cAtonTypeManager& types,
              bool inland, int typeCode);
// The name side of a change of type: asks for the direction of impact of inland types 16 and 17 (or
// strips it for the other inland types) and puts the changed name into the field. False when the
// direction was refused: the page then takes the type back.
bool ChangeTypeName(QLineEdit* nameField, cAtonTypeManager& types, bool inland, int typeCode);

} // namespace AtoNFields
