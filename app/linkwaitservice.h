#pragma once
// While the GUI thread waits on a link itself (the settle after the control unit's port opens, the unit's
// or the database's answer), the photo-finish system's reaction-time requests and the command service are
// answered and the windows that wait for it are painted, so that none of them is held up for the wait.
// User input stays queued, in its order, for the windows once the operation has ended; only a download's
// break key and an exit are taken out of it.

// What a serial link's wait serves between its slices (the application's link waits): the reaction-time
// link, then the windows as ServeWindowsWhileLinkWaits serves them.
void ServeWhileLinkWaits();
// The windows painted, a download's break key read and, while an operation on the link or a wait outside
// one runs, an exit asked meanwhile taken out of the queue.
void ServeWindowsWhileLinkWaits();
// The windows painted; the look for paints also answers the command service.
void PaintWhileLinkWaits();
