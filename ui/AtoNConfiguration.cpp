#include "ui/AtoNConfiguration.h"

#include <new>

AtoNConfiguration::AtoNConfiguration(Model* model, QWidget* parent)
    : QWidget(parent), model(model), edited(false), updating(false)
{
    if (model == nullptr)
    {
        throw std::bad_alloc();
    }
}

void AtoNConfiguration::ClearEdited()
{
    edited = false;
}

Model* AtoNConfiguration::GetModel() const
{
    return model;
}

void AtoNConfiguration::CommitUserEdit()
{
    UpdateModelFromTab();
    edited = true;
    Q_EMIT Edited(this);
}
