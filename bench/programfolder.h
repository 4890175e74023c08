#pragma once
// A benchmark's program folder: the program's data files beside it, and settings under which a menu stays
// open ten minutes before its watchdog closes it (5 s by default), longer than any case settles and measures.

#include <string>

void MakeProgramFolder(const std::string& folder);
