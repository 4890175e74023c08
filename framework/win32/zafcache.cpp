#include "framework/win32/zafcache.h"

#include <algorithm>
#include <utility>

ZafCache::ZafCache(int capacity, CreateFunction create, DestroyFunction destroy)
    : capacity(capacity), create(std::move(create)), destroy(std::move(destroy)) {}

ZafCache::~ZafCache() {
  for (const CacheElement& element : elements) {
    destroy(element.key1, element.key2, element.handle);
  }
}

native::HGDIOBJ ZafCache::Get(uint32_t key1, uintptr_t key2) {
  const auto found = std::find_if(elements.begin(), elements.end(), [&](const CacheElement& element) {
    return element.key1 == key1 && element.key2 == key2;
  });
  if (found != elements.end()) {
    elements.splice(elements.begin(), elements, found);
    ++elements.front().useCount;
    return elements.front().handle;
  }
  // A failed creation is not cached: a null handle would match every later release of null.
  const native::HGDIOBJ handle = create(key1, key2);
  if (!handle) {
    return nullptr;
  }
  elements.push_front({handle, key1, key2, 1});
  if (Count() >= capacity && elements.back().useCount < 1) {
    const CacheElement last = elements.back();
    elements.pop_back();
    destroy(last.key1, last.key2, last.handle);
  }
  return handle;
}

int32_t ZafCache::Release(native::HGDIOBJ handle) {
  const auto found = std::find_if(elements.begin(), elements.end(),
                                  [&](const CacheElement& element) { return element.handle == handle; });
  if (found == elements.end()) {
    return -1;
  }
  const int32_t useCount = --found->useCount;
  if (useCount == 0) {
    // Keep the unused elements together at the back: the released one goes in front of the first unused
    // element after it, so the least recently used unused element stays last.
    const auto successor = std::next(found);
    const auto firstUnused = std::find_if(successor, elements.end(),
                                          [](const CacheElement& element) { return element.useCount <= 0; });
    if (firstUnused != elements.end() && firstUnused != successor) {
      elements.splice(firstUnused, elements, found);
    }
  }
  return useCount;
}
