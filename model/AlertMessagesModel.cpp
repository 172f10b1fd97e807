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
    stream >> biit >> proximity >> offPosition >> biitMessage >> proximityMessage >> offPositionMessage >> radius;
    if (stream.status() != QDataStream::Ok)
        return;
    biitAction = biit;
    proximityAction = proximity;
    offPositionAction = offPosition;
    // A file may hold texts of any length; they are cut as the text editors cut them. (Texts the unit
    // reports are kept whole: the setters do not cut.)
    biitText = FieldText::Limited(biitMessage, MaxTextLength, MaxTextEncodedLength);
    proximityText = FieldText::Limited(proximityMessage, MaxProximityTextLength, MaxTextEncodedLength);
    offPositionText = FieldText::Limited(offPositionMessage, MaxTextLength, MaxTextEncodedLength);
    proximityRadius = radius;
}
