#pragma once
// One file type of the program's file-type list: an extension ("qve", without the dot) and the text that
// describes it in the file dialogs ("Kestrove Event (*.qve)"). The program builds the list at start.

#include "foundation/klist.h"
#include "foundation/kstring.h"

class KFileExtension : public KListItem {
 public:
  KFileExtension(const KString& extension, const KString& description)
      : extension(extension), description(description) {}

  const KString& Extension() const { return extension; }
  const KString& Description() const { return description; }
  const char* ClassName() const override { return "KFileExtension"; }

 private:
  KString extension;
  KString description;
};
