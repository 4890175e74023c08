// The mouse table that toolkit windows share: raw mouse states to the logical press, drag, release and
// move events of the two buttons.
#ifndef TOOLKIT_KZMOUSETABLE_H
#define TOOLKIT_KZMOUSETABLE_H

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafeventtypes.h"

class ZafWindowObject;

// `frameworkCode` is what the object's own event map made of the event. A code from 0 to 99 for a mouse
// event becomes the table's logical event for the event's raw mouse state; a state the table does not
// hold, and every other event, keeps the framework's code.
ZafEventType KZMapMouseState(ZafWindowObject& object, const ZafEventRecord& event,
                             ZafEventType frameworkCode);

#endif
