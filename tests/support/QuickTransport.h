#pragma once
// The product's transport with a shorter wait for open-ended replies: the simulated unit answers at once,
// and a whole transfer would otherwise spend most of its time waiting out 2 s per step.

#include "comms/SerialTransport.h"

namespace KelvaneTest
{

class QuickTransport : public SerialTransport
{
public:
    using SerialTransport::SerialTransport;
    int ResponseTimeout() const override { return 400; }
};

} // namespace KelvaneTest
