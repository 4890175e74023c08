#pragma once
// The built-in settings: the values every setting and every shown text has before the configuration file
// and the language file are read. Each is one text of settings lines (docs/settings-format.md, without the
// header), one line per node, a group's line before the lines inside it.

extern const char16_t kDefaultSettings[];
// Lines added after the language file when the program starts without a configuration file.
extern const char16_t kFirstRunSettings[];
