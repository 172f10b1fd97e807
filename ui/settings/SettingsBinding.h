#pragma once
// Helpers the settings tabs share to move a record's many fields to and from their widgets. Each tab
// lists its fields once, in a table of (widget, getter, setter), and both directions walk that same
// table, so loading and storing can never drift apart.

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QList>
#include <QRadioButton>
#include <QSpinBox>
#include <QVariant>
#include <QWidget>

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

// Whether the user moved a box since the load is kept on the box itself, so that it lives and dies with
// it. A box counts as moved once its value changes after the load showed it, even when it comes back to
// where it was: the tab then sends what the box shows. A box's own change signal cannot tell a load from
// the user, so the load marks the box while it sets it.
namespace Moves
{
inline constexpr char Watched[] = "settingsBindingWatched";
inline constexpr char Showing[] = "settingsBindingShowing";
inline constexpr char Moved[] = "settingsBindingMoved";
inline constexpr char Shown[] = "settingsBindingShown";
} // namespace Moves

// Called first in a load: every spin box of the tab stops counting as moved, so that a store made while
// the load is still setting the boxes does not judge a box by what the user did before.
inline void ForgetMoves(QWidget* tab)
{
    const QList<QAbstractSpinBox*> boxes = tab->findChildren<QAbstractSpinBox*>();
    for (QAbstractSpinBox* box : boxes)
    {
        box->setProperty(Moves::Moved, QVariant());
        box->setProperty(Moves::Shown, QVariant());
    }
}

// Sets a box to a loaded value; the box counts as not moved until its value next changes.
template <typename Box, typename Value> void ShowLoaded(Box* box, Value value)
{
    if (!box->property(Moves::Watched).toBool())
    {
        box->setProperty(Moves::Watched, true);
        QObject::connect(box, &Box::valueChanged, box,
                         [box]
                         {
                             if (!box->property(Moves::Showing).toBool())
                                 box->setProperty(Moves::Moved, true);
                         });
    }
    box->setProperty(Moves::Showing, true);
    box->setValue(value);
    box->setProperty(Moves::Showing, QVariant());
    box->setProperty(Moves::Moved, QVariant());
    box->setProperty(Moves::Shown, box->value());
}

// Whether the box changed since a load showed it. The comparison with the shown value answers for a
// change whose signal is still being delivered to the tab's own slot (which may store before the mark
// above is set).
template <typename Box> bool Moved(const Box* box)
{
    if (box->property(Moves::Showing).toBool())
        return false;
    const QVariant shown = box->property(Moves::Shown);
    return box->property(Moves::Moved).toBool() ||
           (shown.isValid() && shown.value<decltype(box->value())>() != box->value());
}

template <typename Record> void Show(const QList<SpinField<Record>>& fields, const Record& values)
{
    for (const SpinField<Record>& field : fields)
        ShowLoaded(field.box, (values.*field.get)());
}

template <typename Record> void Store(const QList<SpinField<Record>>& fields, Record& record)
{
    for (const SpinField<Record>& field : fields)
        (record.*field.set)(field.box->value());
}

// The value to write back for a box that was loaded with `loaded` (by ShowLoaded or Show). A unit may hold
// values beyond the box's bounds, which the box shows as the nearest bound; until the box moves, the
// unit's own value goes back, so that a read followed by a write without an edit leaves the unit as it
// was. Once the box moved, even back to that bound, its value holds. A value within the bounds is written
// as the box holds it (a double spin box rounds to the decimals it shows, and what is shown is what is
// sent). `moved` lets boxes that make one value between them be released together.
template <typename Box, typename Value> Value Kept(const Box* box, Value loaded, bool moved)
{
    const bool beyond = loaded < box->minimum() || loaded > box->maximum();
    return !moved && beyond && box->value() == qBound(box->minimum(), loaded, box->maximum()) ? loaded
                                                                                              : Value(box->value());
}

template <typename Box, typename Value> Value Kept(const Box* box, Value loaded)
{
    return Kept(box, loaded, Moved(box));
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
