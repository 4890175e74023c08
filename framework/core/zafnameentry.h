// The small stored entries that hold nothing but a name: the entries under "userFunction" and "userObject"
// that list the hooks a stored window refers to, and a window's "compareFunction" file that names the
// compare function of its child list. Reader and writer are kept together so that both sides agree.
#ifndef FRAMEWORK_CORE_ZAFNAMEENTRY_H
#define FRAMEWORK_CORE_ZAFNAMEENTRY_H

#include <string>

#include "framework/data/zafclassid.h"
#include "framework/data/zafobjectpersistence.h"

class ZafNameEntry {
 public:
  // Where an entry lives: the class name and type word it is tagged with, and its storage type.
  struct Kind {
    const ZafIChar* className;
    ZafClassID classID;
    int storageType;
  };
  // ~userFunction~name~objectData and ~userObject~name~objectData.
  static const Kind userFunction;
  static const Kind userObject;
  // The file "compareFunction" in the directory of the window being read or written.
  static const Kind compareFunction;

  // Writes `text` as the entry's only field. The entry is named `objectName`, or after its kind when that
  // is null. Answers the context's error, where a failure is also recorded.
  static ZafError Write(ZafObjectPersistence& persistence, const Kind& kind, const ZafIChar* objectName,
                        const ZafIChar* text);
  // Reads the name held by the entry into `text` (empty when the entry holds none). An absent entry
  // answers false and leaves the context's error as it was; a short or overlong entry is refused with
  // ZAF_ERROR_READ, recorded in the context.
  static bool Read(ZafObjectPersistence& persistence, const Kind& kind, const ZafIChar* objectName,
                   std::u16string& text);
};

#endif
