// The program's entry into the toolkit: it splits the command line, makes the program's application
// object through the factory the program registered, and runs its start routine.
#ifndef TOOLKIT_KZWINMAIN_H
#define TOOLKIT_KZWINMAIN_H

#include <string>
#include <vector>

#include "framework/data/zaftypes.h"
#include "native/user/nativetypes.h"

class KZApplication;

// Makes the program's application object from the argument count and vector (which outlive it).
using KZApplicationFactory = KZApplication* (*)(int argc, ZafIChar** argv);
void KZSetApplicationFactory(KZApplicationFactory factory);

// Blanks and tabs separate arguments; a double quote starts an argument that runs to the next double
// quote (or the end), both quotes dropped; an unquoted argument also ends at a double quote, which starts
// the next, quoted, argument.
std::vector<std::u16string> KZSplitCommandLine(std::u16string_view commandLine);

// The program's whole path (0 characters when it cannot be read).
std::u16string KZProgramPath();

// Runs the program: argument 0 is the program's path, the others come from the command line (UTF-8).
// Answers the exit code: 1 with a previous instance, without an application factory, or when the
// application object comes up with status 13 (after a beep); else the start routine's answer.
int WinMain(native::HINSTANCE instance, native::HINSTANCE previousInstance, const char* commandLine,
            int show);

#endif
