#pragma once
// The predefined control classes: "BUTTON", "STATIC", "EDIT" and "SCROLLBAR" exist from the start; the
// trackbar class comes with InitCommonControls.

namespace native {

class ClassRegistry;

// Registers the four predefined controls as system classes of a new window system.
void registerStandardControls(ClassRegistry& classes);
// Registers the trackbar class ("msctls_trackbar32"); later calls change nothing.
void InitCommonControls();

}  // namespace native
