#pragma once
// Identifiers of the VDL requests and configuration messages the tool sends to a remote unit. The
// same number names the frame's function in the VDL job that carries it and comes back as the step id
// of the job's progress signals, so the type travels through queued signals between the threads.

#include <QMetaType>
#include <QObject>

namespace VDL
{
Q_NAMESPACE

enum VdlApplicationID
{
    AID_CONFIGURATION = 0,
    AID_REQUEST = 1,
    ACE_ACF_CONFIGURATION_PART_1 = 3,
    ACE_ACF_CONFIGURATION_PART_2 = 4,
    ACE_ACF_CONFIGURATION_PART_3 = 5,
    ACE_ACF_CONFIGURATION_PART_4 = 6,
    ACE_ACF_CONFIGURATION_PART_5 = 7,
    ACE_ACF_CONFIGURATION_PART_6 = 8,
    ACE_ACF_REQUEST = 9,
    AAR_CONFIGURATION = 13,
    AAR_REQUEST = 15,
    COP_REQUEST = 19,
    COP_CONFIGURATION = 35
};
Q_ENUM_NS(VdlApplicationID)

// Registers the identifier as a meta type so that queued signals can carry it.
void RegisterMetaTypes();

} // namespace VDL
