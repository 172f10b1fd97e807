#pragma once

#include "ui/MessageScheduleDelegate.h"

// Cell editors of a virtual AtoN's schedule table. They behave exactly as the real AtoN table's: every
// change the user makes in an open editor is written into the schedule at once and reported with
// DelegateEdited(), which marks the page edited. What differs between the two tables (which cells may be
// edited, what a row shows) is the table models'.
class VirtualMessageScheduleDelegate : public MessageScheduleDelegate
{
    Q_OBJECT

public:
    // Over the schedule the table shows (not owned); null is refused with std::bad_alloc.
    using MessageScheduleDelegate::MessageScheduleDelegate;
};
