#pragma once
// While the GUI thread waits on the control unit (the settle after the port opens, between the packets of
// a transfer), the photo-finish system's reaction-time requests are answered and the windows that wait for
// it are painted, so that neither is held up for a whole transfer. User input stays queued for the
// operation's own event passes between lanes.

void ServeWhileLinkWaits();
