#include "model/vdl/VdlApplicationID.h"

namespace VDL
{

void RegisterMetaTypes()
{
    qRegisterMetaType<VDL::VdlApplicationID>("VDL::VdlApplicationID");
}

} // namespace VDL
