// The base of everything the framework keeps in lists: window objects, devices, data objects, files and
// directory entries. An element carries its list links, a number ID and an optional string ID.
#ifndef FRAMEWORK_DATA_ZAFELEMENT_H
#define FRAMEWORK_DATA_ZAFELEMENT_H

#include <memory>

#include "framework/data/zaftypes.h"

class ZafList;

class ZafElement {
 public:
  ZafElement() = default;
  // Copies both IDs; the copy is not linked into any list.
  ZafElement(const ZafElement& other);
  ZafElement& operator=(const ZafElement&) = delete;
  // An element deleted while still in a list leaves the list first, so the list never points at it.
  virtual ~ZafElement();

  virtual ZafElement* MatchNumberID(ZafNumberID id);
  // Null matches nothing, and an element without a string ID matches no name.
  virtual ZafElement* MatchStringID(const ZafIChar* id);
  virtual ZafClassID ClassID() const;
  virtual const ZafIChar* ClassName() const;
  virtual bool IsA(ZafClassID id) const;
  virtual bool IsAName(const ZafIChar* name) const;

  ZafNumberID NumberID() const { return numberID; }
  ZafNumberID SetNumberID(ZafNumberID id);
  // Null while the element has none.
  const ZafIChar* StringID() const { return stringID.get(); }
  // Replaces the string ID with a copy; null clears it. Returns the ID now held.
  const ZafIChar* SetStringID(const ZafIChar* id);

  ZafElement* Next() const { return next; }
  ZafElement* Previous() const { return previous; }
  // Number of elements before this one in its list (0 when first or unlisted).
  int ListIndex() const;
  bool Listed() const { return itsList != nullptr; }

 private:
  friend class ZafList;

  ZafElement* previous = nullptr;
  ZafElement* next = nullptr;
  // The list the element is linked into, so that it is never linked into two lists at once.
  ZafList* itsList = nullptr;
  ZafNumberID numberID = 0;
  std::unique_ptr<ZafIChar[]> stringID;
};

#endif
