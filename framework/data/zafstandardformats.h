// Makes sure the data classes have registered their printf and scanf conversions. The formatting and
// scanning cores call it before every use; each registration runs once per program.
#ifndef FRAMEWORK_DATA_ZAFSTANDARDFORMATS_H
#define FRAMEWORK_DATA_ZAFSTANDARDFORMATS_H

void ZafRegisterStandardFormats();

#endif
