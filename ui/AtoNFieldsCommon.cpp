#include "ui/AtoNFieldsCommon.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSpinBox>
#include <QValidator>

#include "model/AtoNDef.h"
#include "model/GeoPosition.h"
#include "ui/cAtonTypeManager.h"

namespace AtoNFields
{

namespace
{

QString Tr(const char* text)
{
    return QCoreApplication::translate("AtoNFields", text);
}

QString PositionToolTip(double degrees, const QString& degreesMinutes, int decimals)
{
    return QStringLiteral("%1\n%2").arg(degrees, 0, 'f', decimals).arg(degreesMinutes);
}

// A text without a single digit names no position at all (a position parser reads it as 0).
bool HasDigit(const QString& text)
{
    for (const QChar c : text)
    {
        if (c.isDigit())
        {
            return true;
        }
    }
    return false;
}

// The value a position field's text stands for; `parse` reads a text with a digit into a fresh position
// (no position until then) and answers the coordinate, range-checked.
template <class Parse> double Typed(const QString& text, const QString& storedText, double storedValue, Parse parse)
{
    if (text == storedText)
    {
        return storedValue;
    }
    GeoPosition typed;
    const QString trimmed = text.trimmed();
    if (!HasDigit(trimmed))
    {
        return parse(typed, QStringLiteral("_")); // the no-position text
    }
    return parse(typed, trimmed);
}

} // namespace

int CurrentData(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    return index < 0 ? 0 : combo->itemData(index).toInt();
}

void SelectData(QComboBox* combo, int data)
{
    combo->setCurrentIndex(combo->findData(data));
}

void FillTypeList(QComboBox* combo, bool inland)
{
    combo->clear();
    if (inland)
    {
        cAtonTypeManager::FillInlandAtoNTypes(combo);
    }
    else
    {
        cAtonTypeManager::FillIalaAtoNTypes(combo);
    }
}

void FillPositionAccuracies(QComboBox* combo)
{
    combo->addItem(Tr("> 10m"), int(AtoNDef::LOW));
    combo->addItem(Tr("< 10m"), int(AtoNDef::HIGH));
}

void FillPowerLevels(QComboBox* combo)
{
    combo->addItem(Tr("12.5 W"), int(AtoNDef::W_12_5));
    combo->addItem(Tr(" 5.0 W"), int(AtoNDef::W_5));
    combo->addItem(Tr(" 2.0 W"), int(AtoNDef::W_2));
    combo->addItem(Tr(" 1.0 W"), int(AtoNDef::W_1));
}

bool IsAcceptable(const QValidator* validator, const QString& text)
{
    QString candidate = text;
    int position = 0;
    return validator != nullptr && validator->validate(candidate, position) == QValidator::Acceptable;
}

void ShowWhole(QLineEdit* field, const QString& text)
{
    if (text.size() > field->maxLength())
        field->setMaxLength(text.size());
    field->setText(text);
}

double TypedLatitude(const QString& text, const GeoPosition& stored)
{
    return Typed(text, stored.LatitudeToDMS(), stored.GetLatitude(),
                 [](GeoPosition& typed, const QString& trimmed)
                 {
                     typed.SetLatitude(trimmed);
                     typed.SetLatitude(typed.GetLatitude());
                     return typed.GetLatitude();
                 });
}

double TypedLongitude(const QString& text, const GeoPosition& stored)
{
    return Typed(text, stored.LongitudeToDMS(), stored.GetLongitude(),
                 [](GeoPosition& typed, const QString& trimmed)
                 {
                     typed.SetLongitude(trimmed);
                     typed.SetLongitude(typed.GetLongitude());
                     return typed.GetLongitude();
                 });
}

void ShowLatitude(QLineEdit* field, const GeoPosition& position, int decimals)
{
    field->setText(position.LatitudeToDMS());
    field->setToolTip(PositionToolTip(position.GetLatitude(), position.LatitudeToDM(), decimals));
}

void ShowLongitude(QLineEdit* field, const GeoPosition& position, int decimals)
{
    field->setText(position.LongitudeToDMS());
    field->setToolTip(PositionToolTip(position.GetLongitude(), position.LongitudeToDM(), decimals));
}

void ShowDimensionKind(QGroupBox* group, QLabel* drawing, QSpinBox* dimensionA, bool fixed)
{
    if (fixed)
    {
        group->setTitle(Tr("AtoN Dimensions (Fixed)"));
        drawing->setPixmap(QPixmap(QStringLiteral(":/Images/SmallFixedDimensions.png")));
        dimensionA->setRange(0, 511);
        dimensionA->setToolTip(Tr("Enter the AtoN Dimension in metres (0-511)"));
    }
    else
    {
        group->setTitle(Tr("AtoN Dimensions (Floating)"));
        drawing->setPixmap(QPixmap(QStringLiteral(":/Images/SmallFloatingDimensions.png")));
        dimensionA->setRange(1, 63);
        dimensionA->setToolTip(Tr("Enter the AtoN Dimension in metres (1-63)"));
    }
}

bool EditName(QLineEdit* nameField, const QString& text, const QString& storedName, cAtonTypeManager& types,
              bool inland, int typeCode)
{
    // Losing the focus makes the line edit apply the validator's fixup (upper case, 34 characters) to
    // a text that is not yet acceptable, so the name is upper-cased while it is typed.
    nameField->clearFocus();
    nameField->setFocus(Qt::OtherFocusReason);
    const int cursor = nameField->cursorPosition();
    if (text == storedName)
    {
        return false;
    }
    QString name = nameField->text();
    const bool accepted = types.UpdateNameDirection(inland, typeCode, name, storedName);
    nameField->setText(accepted ? name : storedName);
    nameField->setCursorPosition(cursor);
    return accepted;
}

bool ChangeTypeName(QLineEdit* nameField, cAtonTypeManager& types, bool inland, int typeCode)
{
    QString name = nameField->text();
    if (!types.CheckDirectionOfImpact(inland, typeCode, name))
    {
        return false;
    }
    if (name != nameField->text())
    {
        nameField->setText(name);
    }
    return true;
}

} // namespace AtoNFields
