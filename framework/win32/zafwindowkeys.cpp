#include "framework/win32/zafwindowkeys.h"

#include <optional>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "native/user/arrowtarget.h"

namespace {

ZafWindowObject* AsObject(ZafElement* element) {
  return static_cast<ZafWindowObject*>(element);
}

// The area an arrow key judges a child by, in pixels whatever the children's coordinate type, its right and
// bottom edges past the region's last pixels as native rectangles have them.
native::RECT PixelRect(const ZafWindowObject& object) {
  const ZafRegionStruct area = object.Region().Converted(ZAF_PIXEL, ZafWindowObject::display);
  return native::RECT{area.left, area.top, area.right + 1, area.bottom + 1};
}

void CollectTabStops(ZafWindow& window, std::vector<ZafWindowObject*>& stops) {
  for (ZafElement* element = window.First(); element; element = element->Next()) {
    ZafWindowObject* child = AsObject(element);
    if (!ZafWindowKeys::Eligible(*child)) {
      continue;
    }
    const ZafClassID kind = child->ClassID();
    if (kind == ID_ZAF_NOTEBOOK) {
      // The tab row, then the shown page: only it has controls on the screen.
      stops.push_back(child);
      if (auto* page = static_cast<ZafWindow*>(static_cast<ZafWindow*>(child)->CurrentChild())) {
        CollectTabStops(*page, stops);
      }
    } else if (kind == ID_ZAF_WINDOW && static_cast<ZafWindow*>(child)->SelectionType() != 0) {
      CollectTabStops(*static_cast<ZafWindow*>(child), stops);
    } else {
      stops.push_back(child);
    }
  }
}

}  // namespace

bool ZafWindowKeys::Holds(const ZafWindowObject* container, const ZafWindowObject* object) {
  for (; object; object = object->Parent()) {
    if (object == container) {
      return true;
    }
  }
  return false;
}

std::vector<ZafWindowObject*> ZafWindowKeys::DialogTabStops(ZafWindow& dialog) {
  std::vector<ZafWindowObject*> stops;
  CollectTabStops(dialog, stops);
  return stops;
}

ZafWindowObject* ZafWindowKeys::DialogTabTarget(ZafWindow& dialog, const ZafWindowObject* from,
                                                bool backward) {
  const std::vector<ZafWindowObject*> stops = DialogTabStops(dialog);
  if (stops.empty()) {
    return nullptr;
  }
  const std::size_t count = stops.size();
  // The last stop holding `from` is the innermost: a notebook comes before its page's controls.
  std::size_t at = count;
  for (std::size_t index = 0; index < count; ++index) {
    if (Holds(stops[index], from)) {
      at = index;
    }
  }
  // From outside every control the walk starts at the end it moves from.
  if (at == count) {
    return stops[backward ? count - 1 : 0];
  }
  return stops[(at + (backward ? count - 1 : 1)) % count];
}

bool ZafWindowKeys::Eligible(const ZafWindowObject& object) {
  return !object.IsDisabledUp() && !object.IsNonCurrentUp();
}

ZafEventType ZafWindowKeys::Offer(ZafWindow& window, const ZafEventRecord& event, ZafWindowObject* first,
                                  bool refusalPasses) {
  auto passes = [refusalPasses](ZafEventType answer) {
    return answer == UnknownEventResult || (refusalPasses && answer == -1);
  };
  ZafEventType answer = UnknownEventResult;
  if (first) {
    answer = first->Event(event);
    if (!passes(answer)) {
      return answer;
    }
  }
  for (ZafList* list : {&window.SupportList(), static_cast<ZafList*>(&window)}) {
    for (ZafElement* element = list->First(); element;) {
      // Taken first: an object may leave the window while it answers.
      ZafElement* next = element->Next();
      if (AsObject(element) != first) {
        answer = AsObject(element)->Event(event);
        if (!passes(answer)) {
          return answer;
        }
      }
      element = next;
    }
  }
  return answer;
}

ZafWindowObject* ZafWindowKeys::TabTarget(ZafWindow& window, bool backward) {
  ZafWindowObject* current = window.CurrentChild();
  if (current && current->SupportObject()) {
    return nullptr;
  }
  ZafElement* const start = backward ? window.Last() : window.First();
  auto step = [&](ZafElement* element) -> ZafElement* {
    ZafElement* following = backward ? element->Previous() : element->Next();
    return following ? following : start;
  };
  // Without a current child the walk starts at the end it moves from, so it takes the first eligible
  // child in its direction.
  ZafElement* element = current ? step(current) : start;
  for (int visited = 0; element && visited < window.Count(); ++visited, element = step(element)) {
    if (Eligible(*AsObject(element))) {
      return AsObject(element);
    }
  }
  return nullptr;
}

ZafWindowObject* ZafWindowKeys::ArrowTarget(ZafWindow& window, native::UINT virtualKey) {
  ZafWindowObject* current = window.CurrentChild();
  if (!current) {
    return nullptr;
  }
  std::vector<ZafWindowObject*> children;
  std::vector<native::RECT> areas;
  for (ZafElement* element = window.First(); element; element = element->Next()) {
    ZafWindowObject* child = AsObject(element);
    if (child != current && Eligible(*child)) {
      children.push_back(child);
      areas.push_back(PixelRect(*child));
    }
  }
  const std::optional<std::size_t> target = native::arrowTarget(PixelRect(*current), areas, virtualKey);
  return target ? children[*target] : nullptr;
}
