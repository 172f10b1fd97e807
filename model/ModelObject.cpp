#include "model/ModelObject.h"

ModelObject::ModelObject(QObject* parent, int version) : QObject(parent), version(version) {}

ModelObject::ModelObject(const ModelObject& other) : QObject(nullptr), version(other.version) {}

ModelObject& ModelObject::operator=(const ModelObject& other)
{
    if (this != &other)
        version = other.version;
    return *this;
}

void ModelObject::Save(QDataStream& stream)
{
    stream << version;
}

void ModelObject::Load(QDataStream& stream)
{
    qint32 stored = 0;
    stream >> stored;
    if (stream.status() == QDataStream::Ok)
        version = stored;
}

int ModelObject::GetVersion() const
{
    return version;
}
