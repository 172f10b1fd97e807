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
    biitText = FieldText::Carried(biitMessage);
    proximityText = FieldText::Carried(proximityMessage);
    offPositionText = FieldText::Carried(offPositionMessage);
    proximityRadius = ProximityRadiusRange.Nearest(radius);
}

void AlertMessagesModel::FitTexts(const QString& mmsi)
{
    // A file may hold texts of any length. The record keeps texts the unit reports whole, longer than
    // its editors take, so a file keeps whatever the sentence that carries a text holds, and no more.
    const int mmsiWidth = FieldText::MmsiWidth(mmsi);
    const auto fitted = [](const QString& text, int room) { return FieldText::Limited(text, room, room); };
    const int room = FieldText::Room(AlertLineTaken + mmsiWidth);
    biitText = fitted(biitText, room);
    offPositionText = fitted(offPositionText, room);
    proximityText = fitted(proximityText,
                           FieldText::Room(ProximityLineTaken + mmsiWidth + FieldText::NumberWidth(proximityRadius)));
}
