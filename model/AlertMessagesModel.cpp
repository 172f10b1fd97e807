#include "model/AlertMessagesModel.h"

#include "model/FieldText.h"

AlertMessagesModel::AlertMessagesModel(QObject* parent) : ModelObject(parent, 2) {}

AlertMessagesModel::AlertMessagesModel(const AlertMessagesModel& other) : ModelObject(other)
{
    CopyFields(other);
}

AlertMessagesModel& AlertMessagesModel::operator=(const AlertMessagesModel& other)
{
    if (this != &other)
    {
        CopyFields(other);
    }
    return *this;
}

void AlertMessagesModel::CopyFields(const AlertMessagesModel& other)
{
    biitAction = other.biitAction;
    proximityAction = other.proximityAction;
    offPositionAction = other.offPositionAction;
    biitText = other.biitText;
    proximityText = other.proximityText;
    offPositionText = other.offPositionText;
    proximityRadius = other.proximityRadius;
}

void AlertMessagesModel::Clear()
{
    biitAction = 0;
    proximityAction = 0;
    offPositionAction = 0;
    biitText = QString();
    proximityText = QString();
    offPositionText = QString();
    proximityRadius = 0;
}

void AlertMessagesModel::Save(QDataStream& stream)
{
    ModelObject::Save(stream);
    stream << biitAction << proximityAction << offPositionAction << biitText << proximityText << offPositionText
           << proximityRadius;
}

void AlertMessagesModel::Load(QDataStream& stream)
{
    ModelObject::Load(stream);
    qint32 biit = 0, proximity = 0, offPosition = 0, radius = 0;
    QString biitMessage, proximityMessage, offPositionMessage;
    stream >> biit >> proximity >> offPosition;
    FieldText::Read(stream, biitMessage);
    FieldText::Read(stream, proximityMessage);
    FieldText::Read(stream, offPositionMessage);
    stream >> radius;
    if (stream.status() != QDataStream::Ok)
        return;
    biitAction = biit;
    proximityAction = proximity;
    offPositionAction = offPosition;
    // A file may hold texts of any length. The record keeps texts the unit reports whole, longer than
    // its editors take, so a file keeps whatever a sentence from the unit carries, and no more.
    const auto carried = [](const QString& text)
    { return FieldText::Limited(FieldText::Carried(text), FieldText::MaxCarriedLength, FieldText::MaxCarriedLength); };
    biitText = carried(biitMessage);
    proximityText = carried(proximityMessage);
    offPositionText = carried(offPositionMessage);
    proximityRadius = radius;
}
