// A cache of native drawing objects (pens and brushes) keyed by the parameters they were made with, most
// recently used first. Objects in use are never destroyed, so the cache may grow past its capacity while
// many are held; released objects drift to the back, where the next new object pushes them out.
#ifndef FRAMEWORK_WIN32_ZAFCACHE_H
#define FRAMEWORK_WIN32_ZAFCACHE_H

#include <cstdint>
#include <functional>
#include <list>

#include "native/gdi/gditypes.h"

class ZafCache {
 public:
  using CreateFunction = std::function<native::HGDIOBJ(uint32_t key1, uintptr_t key2)>;
  using DestroyFunction = std::function<void(uint32_t key1, uintptr_t key2, native::HGDIOBJ handle)>;

  struct CacheElement {
    native::HGDIOBJ handle;
    uint32_t key1;
    uintptr_t key2;
    int32_t useCount;
  };

  ZafCache(int capacity, CreateFunction create, DestroyFunction destroy);
  // Destroys every object still in the cache.
  ~ZafCache();
  ZafCache(const ZafCache&) = delete;
  ZafCache& operator=(const ZafCache&) = delete;

  // The object for the keys with one more use, made when absent. Null, with nothing cached, when the
  // object cannot be made.
  native::HGDIOBJ Get(uint32_t key1, uintptr_t key2);
  // Gives one use back: the new use count, or -1 when the handle is not in the cache.
  int32_t Release(native::HGDIOBJ handle);

  int Count() const { return static_cast<int>(elements.size()); }
  // The elements front to back.
  const std::list<CacheElement>& Elements() const { return elements; }

 private:
  int capacity;
  CreateFunction create;
  DestroyFunction destroy;
  std::list<CacheElement> elements;
};

#endif
