#include "ui/VirtualAtoNWidget.h"

#include <QRegularExpression>

#include <new>

#include "model/Model.h"

VirtualAtoNWidget::VirtualAtoNWidget(Model* model, VirtualAtoNModel* record, QBoxLayout* placeholder, QWidget* parent)
    : AtoNConfiguration(model, parent), record(record)
{
    // The page's form goes into the placeholder when the page gets its widgets.
    Q_UNUSED(placeholder);
    if (!record)
        throw std::bad_alloc();
    UpdateTabFromModel();
}

VirtualAtoNWidget::~VirtualAtoNWidget() = default;

bool VirtualAtoNWidget::UpdateTabFromModel(Model* source)
{
    Q_UNUSED(source);
    updating = true;
    updating = false;
    return true;
}

bool VirtualAtoNWidget::UpdateModelFromTab(Model* target)
{
    Q_UNUSED(target);
    return true;
}

void VirtualAtoNWidget::SetModel(VirtualAtoNModel* source)
{
    if (source && source != record)
        *record = *source;
    UpdateTabFromModel();
}

bool VirtualAtoNWidget::IsValid() const
{
    const AtoNMMSI* mmsi = record->GetAtoNMmsi();
    if (!mmsi->IsEnabled())
        return true;
    static const QRegularExpression validMmsi(QStringLiteral("^(?!000000000)([0-9]{9,9})$"));
    if (!validMmsi.match(mmsi->GetMMSI()).hasMatch())
        return false;
    if (record->GetAtoNName().isEmpty())
        return false;
    const GeoPosition* position = record->GetPosition();
    return position->GetLatitude() != 91.0 && position->GetLongitude() != 181.0;
}
