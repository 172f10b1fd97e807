#pragma once
// One MMSI as text inside the VDL codec: the remote unit's MMSI, or a target MMSI of an AID frame.

#include "model/vdl/VDLModelObject.h"

class VDLMMSI : public VDLModelObject
{
    Q_OBJECT

public:
    explicit VDLMMSI(QObject* parent = nullptr);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    QString GetMmsi() const { return mmsi; }
    void SetMmsi(const QString& text) { mmsi = text; }

private:
    QString mmsi = QStringLiteral("000000000");
};
