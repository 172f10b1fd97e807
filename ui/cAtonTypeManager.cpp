#include "ui/cAtonTypeManager.h"

#include <QComboBox>

#include "model/AtonTypeRules.h"
#include "ui/Prompts.h"
#include "ui/cDirectionOfImpactInput.h"

namespace
{
void Fill(QComboBox* combo, const QList<QPair<int, QString>>& types)
{
    if (!combo)
        return;
    for (const auto& type : types)
        combo->addItem(type.second, type.first);
}
} // namespace

cAtonTypeManager::cAtonTypeManager(QObject* parent)
    : QObject(parent), dialog(new cDirectionOfImpactInput(nullptr)), direction(AtonTypeRules::NoDirectionOfImpact)
{
    connect(dialog, &cDirectionOfImpactInput::setDirectionOfInput, this, &cAtonTypeManager::onSetDirectionOfInput);
    connect(dialog, &cDirectionOfImpactInput::cancelTypeChange, this, &cAtonTypeManager::onCancelTypeChange);
}

cAtonTypeManager::~cAtonTypeManager()
{
    disconnect(dialog, nullptr, this, nullptr);
    delete dialog;
}

void cAtonTypeManager::FillIalaAtoNTypes(QComboBox* combo)
{
    Fill(combo, AtonTypeRules::IalaTypes());
}

void cAtonTypeManager::FillInlandAtoNTypes(QComboBox* combo)
{
    Fill(combo, AtonTypeRules::InlandTypes());
}

bool cAtonTypeManager::IsFixedAtoNType(int type, bool inland)
{
    return AtonTypeRules::IsFixedAtoNType(type, inland);
}

void cAtonTypeManager::AppendDirectionOfImpact(QString& name)
{
    AtonTypeRules::AppendDirectionOfImpact(name, direction);
}

bool cAtonTypeManager::UpdateNameDirection(bool inland, int type, QString& newName, QString oldName)
{
    if (!AtonTypeRules::NeedsDirectionOfImpact(inland, type))
        return true;
    const QString& marker = AtonTypeRules::DirectionOfImpactMarker;
    if (oldName.contains(marker) && !newName.contains(marker))
        return false;

    // The stored name is the latest word on the direction: it carries what a file or the unit
    // gave, or what the dialog set. Taking it keeps a loaded direction through the first edit
    // instead of turning it into "ERROR".
    const int stored = AtonTypeRules::DirectionOfImpactFromName(oldName);
    if (stored != AtonTypeRules::NoDirectionOfImpact)
        direction = stored;
    AppendDirectionOfImpact(newName);
    return true;
}

bool cAtonTypeManager::CheckDirectionOfImpact(bool inland, int type, QString& name)
{
    if (!inland)
        return true;
    if (AtonTypeRules::NeedsDirectionOfImpact(inland, type))
    {
        // Asked through the one prompting object, so that no test ever waits on the dialog.
        const int result = Prompts::Current().Run(dialog);
        AppendDirectionOfImpact(name);
        return result == QDialog::Accepted;
    }
    AtonTypeRules::StripDirectionOfImpact(name);
    return true;
}

void cAtonTypeManager::onSetDirectionOfInput(int value)
{
    direction = value;
}

void cAtonTypeManager::onCancelTypeChange()
{
    direction = AtonTypeRules::NoDirectionOfImpact;
}
