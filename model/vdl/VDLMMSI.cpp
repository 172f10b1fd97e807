#include "model/vdl/VDLMMSI.h"

VDLMMSI::VDLMMSI(QObject* parent) : VDLModelObject(parent) {}

void VDLMMSI::Clear()
{
    mmsi = QStringLiteral("000000000");
}

void VDLMMSI::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    stream << mmsi;
}

void VDLMMSI::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    QString stored;
    stream >> stored;
    if (stream.status() == QDataStream::Ok)
        mmsi = stored;
}
