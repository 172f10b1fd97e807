#pragma once
// One object of each VDL message class together with the remote unit's MMSI. The members reach
// the remote MMSI through their Qt parent, this codec. A codec is used by one thread at a time: the
// binary broadcast sentence makes a fresh one per sentence in the worker thread; the VDL page keeps
// one in the GUI thread for the replies.

#include "model/vdl/AAR.h"
#include "model/vdl/ACE_ACF.h"
#include "model/vdl/AFB.h"
#include "model/vdl/AFC.h"
#include "model/vdl/AID.h"
#include "model/vdl/AKE.h"
#include "model/vdl/COP.h"
#include "model/vdl/MCR.h"
#include "model/vdl/MPR.h"
#include "model/vdl/Msg21.h"
#include "model/vdl/VDLMMSI.h"
#include "model/vdl/VDLModelObject.h"
#include "model/vdl/VER.h"

class AtoN;
class MessageSchedule;
class Model;

class VDLCodecModel : public VDLModelObject
{
    Q_OBJECT

public:
    explicit VDLCodecModel(QObject* parent = nullptr);
    ~VDLCodecModel() override = default;

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    AID* GetAid() { return &aid; }
    COP* GetCop() { return &cop; }
    AAR* GetAar() { return &aar; }
    ACE_ACF* GetAceAcf() { return &aceAcf; }
    Msg21* GetMsg21() { return &msg21; }
    VER* GetVer() { return &ver; }
    AFC* GetAfc() { return &afc; }
    MPR* GetMpr() { return &mpr; }
    AFB* GetAfb() { return &afb; }
    AKE* GetAke() { return &ake; }
    MCR* GetMcr() { return &mcr; }
    VDLMMSI* GetRemoteMmsi() { return &remoteMmsi; }
    const VDLMMSI* GetRemoteMmsi() const { return &remoteMmsi; }

    // Addresses the frames to `mmsi`: the AtoN's MMSI becomes the text, so pass a working copy of the
    // AtoN when the model's own record must stay as it is.
    void SetMmsi(AtoN* aton, const QString& mmsi);
    void SetCopFromModel(Model* model);
    void ResetAar(MessageSchedule* schedule);

    // "!AIBBM,total,number,sequence,channel,identifier," with -1 leaving sequence or channel empty.
    static QString BuildBbmHeader(int total, int number, int sequence, int channel, int messageIdentifier);
    // The frame as six-bit armoured characters; the last character is completed with zero bits.
    static QString BitsToSixBitText(const QBitArray& bits);

private:
    VDLMMSI remoteMmsi;
    AID aid;
    COP cop;
    AAR aar;
    Msg21 msg21;
    ACE_ACF aceAcf;
    VER ver;
    AFC afc;
    MPR mpr;
    AFB afb;
    AKE ake;
    MCR mcr;
};
