#pragma once
// Helpers the settings tabs share to move a record's many fields to and from their widgets. Each tab
// lists its fields once, in a table of (widget, getter, setter), and both directions walk that same
// table, so loading and storing can never drift apart.

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QList>
#include <QRadioButton>
#include <QSpinBox>

#include <cmath>

namespace SettingsBinding
{

// An integer record field edited in a spin box.
template <typename Record> struct SpinField
{
    QSpinBox* box;
    int (Record::*get)() const;
    void (Record::*set)(int);
};

// An integer record field chosen in a combo box whose item data are the codes, item i holding code i.
template <typename Record> struct ComboField
{
    QComboBox* box;
    int (Record::*get)() const;
    void (Record::*set)(int);
};

template <typename Record> void Show(const QList<SpinField<Record>>& fields, const Record& values)
{
    for (const SpinField<Record>& field : fields)
        field.box->setValue((values.*field.get)());
}

template <typename Record> void Store(const QList<SpinField<Record>>& fields, Record& record)
{
    for (const SpinField<Record>& field : fields)
        (record.*field.set)(field.box->value());
}

// The value to write back for a box that was loaded with `loaded`. A unit may hold values beyond the box's
// bounds, which the box shows as the nearest bound; while it still shows that bound, the unit's own value
// goes back, so that a read followed by a write without an edit leaves the unit as it was. Once the user
// moves the box, its value holds. A value within the bounds is written as the box holds it (a double
// spin box rounds to the decimals it shows, and what is shown is what is sent).
template <typename Box, typename Value> Value Kept(const Box* box, Value loaded)
{
    const bool beyond = loaded < box->minimum() || loaded > box->maximum();
    return beyond && box->value() == qBound(box->minimum(), loaded, box->maximum()) ? loaded : Value(box->value());
}

// As Store, keeping the loaded record's values that the boxes could not show (see Kept).
template <typename Record> void Store(const QList<SpinField<Record>>& fields, Record& record, const Record& loaded)
{
    for (const SpinField<Record>& field : fields)
        (record.*field.set)(Kept(field.box, (loaded.*field.get)()));
}

// A code outside the list leaves the combo box without a current item.
template <typename Record> void Show(const QList<ComboField<Record>>& fields, const Record& values)
{
    for (const ComboField<Record>& field : fields)
    {
        const int code = (values.*field.get)();
        field.box->setCurrentIndex(code >= 0 && code < field.box->count() ? code : -1);
    }
}

// A combo box without a current item stores 0.
template <typename Record> void Store(const QList<ComboField<Record>>& fields, Record& record)
{
    for (const ComboField<Record>& field : fields)
        (record.*field.set)(field.box->currentData().toInt());
}

// As Store, except that a combo box still without a current item after loading a code outside its list
// writes that code back rather than 0.
template <typename Record> void Store(const QList<ComboField<Record>>& fields, Record& record, const Record& loaded)
{
    for (const ComboField<Record>& field : fields)
    {
        const int code = (loaded.*field.get)();
        const bool unlisted = code < 0 || code >= field.box->count();
        (record.*field.set)(unlisted && field.box->currentIndex() < 0 ? code : field.box->currentData().toInt());
    }
}

// Checks one of a pair of exclusive radio buttons.
inline void CheckOneOf(QRadioButton* whenTrue, QRadioButton* whenFalse, bool condition)
{
    (condition ? whenTrue : whenFalse)->setChecked(true);
}

// A value shown with one decimal as the whole tenths the unit counts in, truncated toward zero. The
// shown value is the nearest double to its decimal text, which may lie a hair below it (x.x99999...):
// the small allowance keeps that from losing a tenth.
inline int Tenths(double value)
{
    const double scaled = value * 10.0;
    return int(std::trunc(scaled + (scaled >= 0 ? 1e-7 : -1e-7)));
}

} // namespace SettingsBinding
