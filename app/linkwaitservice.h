#pragma once
// While the GUI thread waits on a link itself (the settle after the control unit's port opens, between the
// packets of a transfer, for the database's answer), the photo-finish system's reaction-time requests and
// the command service are answered and the windows that wait for it are painted, so that none of them is
// held up for a whole transfer. User input stays queued for the operation's own event passes between lanes,
// or for the window that follows the wait.

// The reaction-time link served, then the windows painted.
void ServeWhileLinkWaits();
// The windows painted; the look for paints also answers the command service.
void PaintWhileLinkWaits();
