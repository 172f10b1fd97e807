#include "model/vdl/COP.h"

#include "model/Model.h"
#include "model/VdlModel.h"

COP::COP(QObject* parent) : VDLModelObject(parent)
{
    Clear();
}

void COP::Clear()
{
    mode = 0;
    wakeUpTime = QTime(0, 0);
    interval = 1;
    duration = 1;
    channel = 1;
    hour = 0;
    minute = 60;
    slot = 0;
}

void COP::Save(QDataStream& stream)
{
    ModelObject::Save(stream);
    stream << mode << wakeUpTime << interval << duration << channel << hour << minute << slot;
}

void COP::Load(QDataStream& stream)
{
    ModelObject::Load(stream);
    stream >> mode >> wakeUpTime >> interval >> duration >> channel >> hour >> minute >> slot;
}

QBitArray COP::EncodeConfiguration()
{
    int at = 0;
    QBitArray frame = BeginFrame(ConfigurationK, at);
    // The remote units know "specified on-time" (1) and "own schedule" (0) only; "always on" (2)
    // goes out as 1, as they expect.
    PutBits(mode >= 1 ? 1 : 0, 2, frame, at);
    PutBits(wakeUpTime.isValid() ? wakeUpTime.hour() : -1, 5, frame, at);
    PutBits(wakeUpTime.isValid() ? wakeUpTime.minute() : -1, 6, frame, at);
    PutBits(interval / 60, 14, frame, at);
    PutBits(duration / 60, 11, frame, at);
    AppendChecksum(frame);
    return frame;
}

bool COP::DecodeConfiguration(QBitArray frame)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {ConfigurationK, ResponseK}, at))
        return false;
    mode = static_cast<qint32>(GetBits(2, frame, at));
    const int wakeHour = static_cast<int>(GetBits(5, frame, at));
    const int wakeMinute = static_cast<int>(GetBits(6, frame, at));
    // An hour above 23 or a minute above 59 leaves the time not valid.
    wakeUpTime = QTime(wakeHour, wakeMinute, 0);
    interval = static_cast<qint32>(GetBits(14, frame, at)) * 60;
    duration = static_cast<qint32>(GetBits(11, frame, at)) * 60;
    return true;
}

QBitArray COP::EncodeRequest()
{
    return EncodeRequestFrame(RequestK, channel, hour, minute, slot);
}

QBitArray COP::EncodeResponse()
{
    return EncodeConfiguration();
}

bool COP::DecodeResponse(QBitArray frame)
{
    return DecodeConfiguration(frame);
}

QString COP::ResponseText() const
{
    return tr("COPResponse\n") + tr("  MMSI: %1\n").arg(GetRemoteMmsiText()) + tr("  Mode: %1\n").arg(mode) +
           tr("  Receiver wake-up hour: %1\n").arg(wakeUpTime.isValid() ? wakeUpTime.hour() : -1) +
           tr("  Receiver wake-up minute: %1\n").arg(wakeUpTime.isValid() ? wakeUpTime.minute() : -1) +
           tr("  Receiver wake-up interval: %1\n").arg(interval) +
           tr("  Receiver wake-up duration: %1\n").arg(duration);
}

void COP::SetFromVdlModel(Model* model)
{
    if (!model)
        throw std::bad_alloc();
    const VdlModel* vdl = model->GetVdlModel();
    mode = vdl->receiverMode;
    wakeUpTime = QTime(vdl->receiverHour, vdl->receiverMinute, 0, 0);
    interval = vdl->receiverInterval;
    duration = vdl->receiverDuration;
    channel = 0;
    hour = 24;
    minute = 60;
}
