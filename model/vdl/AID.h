#pragma once
// AID: the MMSI identification of a remote AtoN unit. The configuration frame sets one MMSI entry
// of the remote unit, the request asks for its MMSIs, the response returns up to two with a count.

#include "model/vdl/VDLMMSI.h"
#include "model/vdl/VDLModelObject.h"

#include <QList>

class AtoN;
class AtoNMMSI;

class AID : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int ConfigurationK = 0;
    static constexpr int RequestK = 1;
    static constexpr int ResponseK = 2;

    explicit AID(QObject* parent = nullptr);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    QBitArray EncodeConfiguration() override;
    bool DecodeConfiguration(QBitArray frame) override;
    QBitArray EncodeRequest() override;
    bool DecodeRequest(QBitArray frame) override;
    QBitArray EncodeResponse() override;
    bool DecodeResponse(QBitArray frame) override;
    QString ResponseText() const override;

    void SetFromModel(AtoN* aton, const QString& mmsi);
    // Prepares the configuration frame of the p-th enabled MMSI. A position outside the list gives
    // a harmless frame (entry disabled, MMSI 0) rather than reading past the list.
    void SetFromModelList(AtoN* aton, const QList<AtoNMMSI*>& list, int p);

    int GetCount() const { return numberOfMmsis; }
    QString GetTargetMmsi() const { return targetMmsi.GetMmsi(); }
    QString GetTargetMmsi2() const { return targetMmsi2.GetMmsi(); }

    // Fields, public so that reply application and tests read them directly.
    bool enabled = false;
    VDLMMSI targetMmsi;
    qint32 targetType = 0;
    qint32 channel = 1;
    qint32 hour = 0;
    qint32 minute = 60;
    qint32 slot = 0;
    qint32 numberOfMmsis = 0;
    VDLMMSI targetMmsi2;
    qint32 targetType2 = 0;
};
