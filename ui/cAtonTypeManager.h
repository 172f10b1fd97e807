#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class cDirectionOfImpactInput;

// The AtoN type lists of the tabs (sea/IALA and inland), the fixed/floating rule and the direction
// of impact that inland types 16 ("No entry") and 17 ("Do not create wash") carry in the AtoN name as
// "%%" and the degrees. The rules themselves live in model/AtonTypeRules (the sentences use them
// too); this class adds the combo filling and the dialog that asks for the direction.
class cAtonTypeManager : public QObject
{
    Q_OBJECT

public:
    explicit cAtonTypeManager(QObject* parent = nullptr);
    ~cAtonTypeManager() override;

    // Append the 32 items (text, data = type number) of a list; the combo is not cleared first.
    static void FillIalaAtoNTypes(QComboBox* combo);
    static void FillInlandAtoNTypes(QComboBox* combo);
    // True for a fixed structure, false for a floating AtoN (and any type above 31).
    static bool IsFixedAtoNType(int type, bool inland);

    // Replaces the name's suffix by "%%" and the current direction ("ERROR" when none is known).
    void AppendDirectionOfImpact(QString& name);
    // For a user edit of the name: false when the edit removed the marker (the tab then restores
    // the stored name); otherwise the new name gets the suffix again.
    bool UpdateNameDirection(bool inland, int type, QString& newName, QString oldName);
    // For a type change: asks for the direction when the new type needs one; false when the user
    // refused (the tab then takes the type back).
    bool CheckDirectionOfImpact(bool inland, int type, QString& name);

    int GetDirection() const { return direction; }
    // The dialog, for tests that answer it.
    cDirectionOfImpactInput* GetDialog() const { return dialog; }

public Q_SLOTS:
    void onSetDirectionOfInput(int direction);
    void onCancelTypeChange();

private:
    cDirectionOfImpactInput* dialog = nullptr;
    qint32 direction;
};
