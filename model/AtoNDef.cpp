#include "model/AtoNDef.h"

namespace AtoNDef
{

void RegisterMetaTypes()
{
    qRegisterMetaType<AtoNDef::eGnssSystem>("AtoNDef::eGnssSystem");
    qRegisterMetaType<AtoNDef::TypeOfEPFS>("AtoNDef::TypeOfEPFS");
    qRegisterMetaType<AtoNDef::PositionAccuracy>("AtoNDef::PositionAccuracy");
    qRegisterMetaType<AtoNDef::ChannelNumber>("AtoNDef::ChannelNumber");
    qRegisterMetaType<AtoNDef::PowerLevel>("AtoNDef::PowerLevel");
    qRegisterMetaType<AtoNDef::TypeOfAtoN>("AtoNDef::TypeOfAtoN");
    qRegisterMetaType<AtoNDef::VirtualAtoNFlag>("AtoNDef::VirtualAtoNFlag");
    qRegisterMetaType<AtoNDef::OffPositionBehaviour>("AtoNDef::OffPositionBehaviour");
    qRegisterMetaType<AtoNDef::SyncLostBehaviour>("AtoNDef::SyncLostBehaviour");
}

} // namespace AtoNDef
