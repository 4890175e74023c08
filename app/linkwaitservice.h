#pragma once
// While the GUI thread waits on a link itself (the settle after the control unit's port opens, the unit's
// or the database's answer), the photo-finish system's reaction-time requests and the command service are
// answered and the windows that wait for it are painted, so that none of them is held up for the wait.
// User input stays queued for the operation's own event passes between lanes, or for the window that
// follows the wait.

// What a serial link's wait serves between its slices (the application's link waits): the reaction-time
// link, a download's break key, the windows painted.
void ServeWhileLinkWaits();
// The windows painted; the look for paints also answers the command service.
void PaintWhileLinkWaits();
