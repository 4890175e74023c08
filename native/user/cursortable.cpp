#include "native/user/cursortable.h"

#include <algorithm>
#include <cstring>

#include "native/host/desktop.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

struct StandardShape {
  IntResource id;
  POINT hotSpot;
};

constexpr StandardShape kStandardShapes[] = {
    {IDC_ARROW, {0, 0}},    {IDC_IBEAM, {15, 15}},    {IDC_WAIT, {15, 15}},     {IDC_CROSS, {15, 15}},
    {IDC_UPARROW, {15, 0}}, {IDC_SIZENWSE, {15, 15}}, {IDC_SIZENESW, {15, 15}}, {IDC_SIZEWE, {15, 15}},
    {IDC_SIZENS, {15, 15}}, {IDC_SIZEALL, {15, 15}},  {IDC_NO, {15, 15}},
};

constexpr int kStandardSize = 32;
constexpr int kMaxCursorSize = 256;

WORD idOf(LPCWSTR name) {
  return static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
}

}  // namespace

CursorTable::CursorTable() {
  for (const StandardShape& shape : kStandardShapes) {
    CursorShape record;
    record.standardId = shape.id.id;
    record.width = kStandardSize;
    record.height = kStandardSize;
    record.hotSpot = shape.hotSpot;
    standard_.push_back(create(record));
  }
  current_ = standard_.front();
}

HCURSOR CursorTable::standard(WORD id) const {
  auto it = std::find_if(standard_.begin(), standard_.end(),
                         [&](HCURSOR cursor) { return find(cursor)->standardId == id; });
  return it == standard_.end() ? nullptr : *it;
}

bool CursorTable::destroy(HCURSOR cursor) {
  const CursorShape* shape = find(cursor);
  if (shape == nullptr) {
    return false;
  }
  // The standard shapes are shared by everyone and stay.
  if (shape->standardId == 0) {
    if (current_ == cursor) {
      current_ = nullptr;
    }
    table_.remove(cursor);
  }
  return true;
}

HCURSOR CursorTable::setCurrent(HCURSOR cursor) {
  HCURSOR previous = current_;
  current_ = find(cursor) != nullptr ? cursor : nullptr;
  return previous;
}

HCURSOR LoadCursor(HINSTANCE instance, LPCWSTR name) {
  // The program has no cursor resources of its own; only the standard shapes load.
  if (instance != nullptr || name == nullptr || !IS_INTRESOURCE(name)) {
    return nullptr;
  }
  return WindowSystem::get().cursors().standard(idOf(name));
}

HCURSOR CreateCursor(HINSTANCE, int hotX, int hotY, int width, int height, const void* andPlane,
                     const void* xorPlane) {
  if (andPlane == nullptr || xorPlane == nullptr || width < 1 || height < 1 || width > kMaxCursorSize ||
      height > kMaxCursorSize) {
    return nullptr;
  }
  CursorShape shape;
  shape.width = width;
  shape.height = height;
  shape.hotSpot = POINT{std::clamp(hotX, 0, width - 1), std::clamp(hotY, 0, height - 1)};
  std::size_t planeBytes =
      static_cast<std::size_t>(CursorShape::bytesPerRow(width)) * static_cast<std::size_t>(height);
  shape.andPlane.resize(planeBytes);
  shape.xorPlane.resize(planeBytes);
  std::memcpy(shape.andPlane.data(), andPlane, planeBytes);
  std::memcpy(shape.xorPlane.data(), xorPlane, planeBytes);
  return WindowSystem::get().cursors().create(shape);
}

BOOL DestroyCursor(HCURSOR cursor) {
  return WindowSystem::get().cursors().destroy(cursor) ? TRUE : FALSE;
}
HCURSOR SetCursor(HCURSOR cursor) {
  return WindowSystem::get().cursors().setCurrent(cursor);
}
HCURSOR GetCursor() {
  return WindowSystem::get().cursors().current();
}
int ShowCursor(BOOL show) {
  return WindowSystem::get().cursors().changeShowCount(show != FALSE);
}

BOOL GetCursorPos(POINT* position) {
  if (position == nullptr) {
    return FALSE;
  }
  *position = WindowSystem::get().desktop().cursorPosition();
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  WindowSystem::get().desktop().moveMouse(POINT{x, y});
  return TRUE;
}

}  // namespace native
