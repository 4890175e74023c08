#pragma once
// The desktop takes a new size (a display host's window was resized): the pointer, the composed pixels, the
// desktop window and the maximised windows all follow.

namespace native {

class WindowSystem;

void resizeDesktop(WindowSystem& system, int width, int height);

}  // namespace native
