#include "framework/win32/zafwindowkeys.h"

#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "native/user/virtualkeys.h"

namespace {

ZafWindowObject* AsObject(ZafElement* element) {
  return static_cast<ZafWindowObject*>(element);
}

// The edges compared by an arrow key, in pixels whatever the children's coordinate type.
ZafRegionStruct PixelRegion(const ZafWindowObject& object) {
  return object.Region().Converted(ZAF_PIXEL, ZafWindowObject::display);
}

// A child and the edge it is judged by.
struct Candidate {
  ZafWindowObject* object = nullptr;
  int32_t edge = 0;

  // Keeps the child when its edge is strictly better, so an earlier child keeps a tie.
  void Consider(ZafWindowObject* other, int32_t otherEdge, bool greatestWins) {
    if (!object || (greatestWins ? otherEdge > edge : otherEdge < edge)) {
      object = other;
      edge = otherEdge;
    }
  }
};

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
  const bool across = virtualKey == native::VK_LEFT || virtualKey == native::VK_RIGHT;
  const bool greatestWins = virtualKey == native::VK_LEFT || virtualKey == native::VK_UP;
  // The edge each direction is judged by: Left the right edge, Right the left edge, Up the bottom,
  // Down the top.
  auto edgeOf = [virtualKey](const ZafRegionStruct& area) {
    switch (virtualKey) {
      case native::VK_LEFT:
        return area.right;
      case native::VK_RIGHT:
        return area.left;
      case native::VK_UP:
        return area.bottom;
      default:
        return area.top;
    }
  };
  const ZafRegionStruct from = PixelRegion(*current);
  const int32_t fromEdge = edgeOf(from);
  Candidate ahead;
  Candidate wrapped;
  for (ZafElement* element = window.First(); element; element = element->Next()) {
    ZafWindowObject* child = AsObject(element);
    if (child == current || !Eligible(*child)) {
      continue;
    }
    const ZafRegionStruct area = PixelRegion(*child);
    const bool overlaps = across ? area.top <= from.bottom && area.bottom >= from.top
                                 : area.left <= from.right && area.right >= from.left;
    if (!overlaps) {
      continue;
    }
    const int32_t edge = edgeOf(area);
    const bool inDirection = greatestWins ? edge < fromEdge : edge > fromEdge;
    (inDirection ? ahead : wrapped).Consider(child, edge, greatestWins);
  }
  return ahead.object ? ahead.object : wrapped.object;
}
