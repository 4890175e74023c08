#include "toolkit/kzdialog.h"

#include <algorithm>
#include <optional>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafnotebook.h"
#include "framework/core/zafscrollbar.h"
#include "framework/core/zaftextlines.h"
#include "framework/core/zaftitle.h"
#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/zafwindowkeys.h"
#include "model/qvsettings.h"
#include "native/controls/controlconstants.h"
#include "native/native.h"
#include "native/user/modalpasses.h"
#include "toolkit/kzanchoredpopupmenu.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzbrowsebutton.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzreal.h"
#include "toolkit/kzslider.h"
#include "toolkit/kzstring.h"
#include "toolkit/kztext.h"

namespace {

// The dialogs' text font.
constexpr uint8_t kDialogFont = 1;
// Standard buttons are at least this many cells wide, and stand this many cells apart.
constexpr int32_t kMinButtonCells = 10;
constexpr int32_t kButtonSpacing = 2;
// Rows between the fields and the buttons, and under the buttons: one each on a dialog nearly as tall as
// the screen, two otherwise.
constexpr int32_t kTallGap = 1;
constexpr int32_t kGap = 2;
// A text's background: the dialog's own, and on a monochrome palette the background index 254.
constexpr uint8_t kMonochromeBackground = 254;
// Pixels a bitmap button adds around its bitmap.
constexpr int32_t kBitmapButtonFrame = 6;
// The pop-up button, in pixels, and how far above the row's bottom it starts.
constexpr int32_t kPopUpWidth = 17;
constexpr int32_t kPopUpHeight = 16;
constexpr int32_t kPopUpRise = 20;

struct StandardButton {
  uint32_t flag;
  const char16_t* key;
  ZafEventType result;
};

constexpr StandardButton kStandardButtons[] = {
    {KZDialog::kOk, u"\\Strings\\Dialog\\Ok", KZDialog::kOkResult},
    {KZDialog::kYes, u"\\Strings\\Dialog\\Yes", KZDialog::kYesResult},
    {KZDialog::kNo, u"\\Strings\\Dialog\\No", KZDialog::kNoResult},
    {KZDialog::kCancel, u"\\Strings\\Dialog\\Cancel", KZDialog::kCancelResult},
    {KZDialog::kAbort, u"\\Strings\\Dialog\\Abort", KZDialog::kAbortResult},
    {KZDialog::kRetry, u"\\Strings\\Dialog\\Retry", KZDialog::kRetryResult},
    {KZDialog::kIgnore, u"\\Strings\\Dialog\\Ignore", KZDialog::kIgnoreResult},
};

const StandardButton* FindStandardButton(uint32_t flag) {
  for (const StandardButton& button : kStandardButtons) {
    if (button.flag == flag) {
      return &button;
    }
  }
  return nullptr;
}

// The cells that a window's children cover: one past the rightmost and the lowest edges, and the leftmost
// edge (the first child's left to start with; 0 without children).
struct Extent {
  int32_t left = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

ZafRegionStruct InCells(const ZafWindowObject& object) {
  ZafRegionStruct region = object.Region();
  region.ConvertCoordinates(ZAF_CELL, ZafWindowObject::display);
  return region;
}

Extent ChildExtent(const ZafWindow& window) {
  Extent extent;
  bool first = true;
  for (auto* child = window.FirstChild(); child; child = static_cast<ZafWindowObject*>(child->Next())) {
    const ZafRegionStruct cells = InCells(*child);
    extent.left = first ? cells.left : std::min(extent.left, cells.left);
    extent.right = std::max(extent.right, cells.right + 1);
    extent.bottom = std::max(extent.bottom, cells.bottom + 1);
    first = false;
  }
  return extent;
}

bool IsEscapePress(const ZafEventRecord& event) {
  return event.type == E_OSEVENT && event.osEvent.message == native::WM_KEYDOWN &&
         event.osEvent.wParam == native::VK_ESCAPE;
}

// Whether the drop-down list of the combo box with the focus (or around the edit field with it) is open:
// Escape then closes the list, not the dialog.
bool ListDropped() {
  const native::HWND focus = native::GetFocus();
  for (const native::HWND window : {focus, focus ? native::GetParent(focus) : nullptr}) {
    if (window && native::SendMessage(window, native::CB_GETDROPPEDSTATE, 0, 0) != 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

KZDialog* KZDialog::innermost = nullptr;

KZDialog::KZDialog(const ZafIChar* title, uint32_t buttonFlags, uint32_t defaultButton,
                   KeysTypedAhead keysTypedAhead)
    : ZafDialogWindow(0, 0, 0, 0),
      KZWindowLeech(this),
      buttonFlags(buttonFlags),
      defaultButton(defaultButton),
      keysTypedAhead(keysTypedAhead),
      container(this),
      cursor(&dialogCursor) {
  dialogCursor.column = leftMargin;
  SetFont(kDialogFont);
  SetSelectMultiple(true);
  AddStandardFrame(title);
}

KZDialog::~KZDialog() {
  // A page still open was never given to anyone.
  if (container != this) {
    delete container;
  }
}

void KZDialog::ProcessResult(ZafEventType) {}

KString KZDialog::ButtonText(uint32_t flag) {
  const StandardButton* button = FindStandardButton(flag);
  return button ? QvSettings::Text(button->key) : KString();
}

ZafEventType KZDialog::ButtonResult(uint32_t flag) {
  const StandardButton* button = FindStandardButton(flag);
  return button ? button->result : 0;
}

ZafEventType KZDialog::Event(const ZafEventRecord& event) {
  if (executing && IsEscapePress(event) && !ListDropped()) {
    // Escape closes the dialog, and closing answers Cancel.
    if (eventManager) {
      ZafEventRecord close(CloseEvent, 0);
      close.windowObject = this;
      eventManager->Put(close, Q_END);
    }
    return 0;
  }
  if (event.type == CloseQueryEvent && executing) {
    // A close (the close box, Escape, a close request) answers Cancel: the answer ends the innermost loop,
    // so only the dialog that loop runs gives it; one behind it ignores the close. The window manager,
    // refused here, leaves the dialog to Execute.
    if (this == innermost && eventManager) {
      eventManager->Put(ZafEventRecord(kCancelResult, 0), Q_END);
    }
    return CloseQueryEvent;
  }
  if (const ZafEventType taken = KZWindowLeech::Event(event)) {
    return taken;
  }
  return ZafDialogWindow::Event(event);
}

ZafEventType KZDialog::Execute() {
  CreateButtons();
  if (!KZApplication::application || !windowManager) {
    return LoopModalGoneResult;
  }
  // The dialog belongs to the caller, often on its stack: nothing that takes it off the screen while the
  // loop runs may delete it.
  const bool wasDestroyable = Destroyable();
  SetDestroyable(false);
  executing = true;
  KZDialog* const outer = innermost;
  innermost = this;
  // Modal: the program's other windows take no input until the dialog is answered.
  const bool wasModal = Modal();
  SetModal(true);
  // Raised before the dialog is added, and lowered once it is gone, so that the held input lands where it
  // then lands. Its look leaves the screen as it was shown: what changed up to now (a menu closed) goes
  // out with the painted dialog, in one picture.
  std::optional<native::InputFloor> madeBefore;
  if (keysTypedAhead == KeysTypedAhead::kLeftForAfter) {
    madeBefore.emplace();
  }
  windowManager->Add(this);
  // Counted among the open modal loops: asked to end them all, the loop is given the Cancel answer, and
  // once it has ended it hands the answer on to the dialog around it.
  const native::ModalPasses loop;
  const ZafEventType result = KZApplication::application->Control(this, false);
  if (loop.ending() && outer != nullptr && eventManager) {
    eventManager->Put(ZafEventRecord(kCancelResult, 0), 0);
  }
  innermost = outer;
  executing = false;
  SetDestroyable(wasDestroyable);
  ProcessResult(result);
  windowManager->Subtract(this);
  SetModal(wasModal);
  return result;
}

void KZDialog::CreateButtons() {
  const int32_t cellWidth = CellWidth();
  const int32_t cellHeight = CellHeight();
  const Extent fields = ChildExtent(*this);
  int32_t height = fields.bottom;
  const int32_t screenHeight = display ? display->lines : 0;
  const bool tall = (height + 4) * cellHeight > screenHeight;
  const int32_t gap = tall ? kTallGap : kGap;
  height += gap;

  std::vector<uint32_t> requested;
  int32_t labelWidth = kMinButtonCells * cellWidth;
  for (int bit = 0; bit < 32; ++bit) {
    const uint32_t flag = 1u << bit;
    if (buttonFlags & flag) {
      requested.push_back(flag);
      labelWidth = std::max(labelWidth, TextWidth(ButtonText(flag).CStr()));
    }
  }
  // The widest label rounded up to cells, with a cell on each side.
  const int32_t buttonWidth = (3 * cellWidth + labelWidth - 1) / std::max(cellWidth, 1);
  const int32_t count = static_cast<int32_t>(requested.size());
  const int32_t buttonsWidth = (buttonWidth + kButtonSpacing) * count;
  // Wide enough for the fields, the buttons and the whole title in the caption.
  const int32_t titleWidth = (LeastClientWidthForTitle() + cellWidth - 1) / std::max(cellWidth, 1);
  const int32_t width = std::max({fields.right + fields.left + 1, buttonsWidth + 5, titleWidth});

  int32_t column = (width - buttonsWidth) / 2 + 1;
  const int32_t row = height - 1;
  // The dialog opens with the focus in its first field (not a notebook's tab row); one without fields, on
  // its default button.
  const std::vector<ZafWindowObject*> stops = ZafWindowKeys::DialogTabStops(*this);
  const auto field = std::find_if(stops.begin(), stops.end(),
                                  [](const ZafWindowObject* stop) { return !stop->IsA(ID_ZAF_NOTEBOOK); });
  ZafWindowObject* firstField = field != stops.end() ? *field : nullptr;
  ZafWindowObject* byDefault = nullptr;
  for (const uint32_t flag : requested) {
    auto* button = new KZButton(column, row, buttonWidth, 1, ButtonText(flag).CStr(), nullptr,
                                ZAF_PUSH_BUTTON, ButtonResult(flag));
    button->SetDefaultCapable(true);
    Add(button);
    if (flag == defaultButton) {
      byDefault = button;
    }
    column += buttonWidth + kButtonSpacing;
  }
  if (byDefault) {
    // Return pressed in any field that leaves it alone presses this button too.
    SetDefaultButton(byDefault, true);
  }
  for (ZafWindowObject* object = firstField ? firstField : byDefault; object && object != this;
       object = object->Parent()) {
    static_cast<ZafWindow*>(object->Parent())->SetCurrent(object);
  }

  height += gap;
  SetRegion(ZafRegionStruct{0, 0, width - 1, height - 1, ZAF_CELL});
  if (windowManager) {
    windowManager->Center(this);
  }
  // A little above the middle: by half the space left above.
  ZafRegionStruct placed = Region();
  const int32_t rise = placed.top / 2;
  placed.top -= rise;
  placed.bottom -= rise;
  SetRegion(placed);
}

// ---- The layout cursor ----

void KZDialog::NewLine() {
  ++cursor->row;
  cursor->column = leftMargin;
}

void KZDialog::MoveCursor(int32_t columns, int32_t rows) {
  cursor->column += columns;
  cursor->row += rows;
}

void KZDialog::AlignColumn(int32_t index, int32_t firstChild) {
  if (!container) {
    return;
  }
  // The children from firstChild on, each with its place in its row.
  struct Placed {
    ZafWindowObject* child;
    ZafRegionStruct cells;
    int32_t position;
  };
  std::vector<Placed> placed;
  int32_t number = 0;
  for (auto* child = container->FirstChild(); child; child = static_cast<ZafWindowObject*>(child->Next())) {
    if (number++ < firstChild) {
      continue;
    }
    const ZafRegionStruct cells = InCells(*child);
    const bool sameRow = !placed.empty() && placed.back().cells.top == cells.top;
    placed.push_back({child, cells, sameRow ? placed.back().position + 1 : 0});
  }
  bool found = false;
  int32_t alignedLeft = 0;
  for (const Placed& entry : placed) {
    if (entry.position == index) {
      alignedLeft = found ? std::max(alignedLeft, entry.cells.left) : entry.cells.left;
      found = true;
    }
  }
  if (!found) {
    return;
  }
  int32_t shift = 0;
  for (const Placed& entry : placed) {
    if (entry.position == 0) {
      shift = 0;
    }
    if (entry.position == index) {
      shift = alignedLeft - entry.cells.left;
    }
    if (shift == 0 || entry.position < index) {
      continue;
    }
    ZafRegionStruct region = entry.child->Region();
    const int32_t by = region.coordinateType == ZAF_CELL    ? shift
                       : region.coordinateType == ZAF_PIXEL ? shift * CellWidth()
                                                            : 0;
    region.left += by;
    region.right += by;
    entry.child->SetRegion(region);
  }
}

// ---- Fields ----

int32_t KZDialog::CellWidth() {
  return display ? display->cellWidth : 0;
}

int32_t KZDialog::CellHeight() {
  return display ? display->cellHeight : 0;
}

int32_t KZDialog::WidthOr(int32_t width, const ZafIChar* text) const {
  return width < 0 ? CharWidthUnits(text) : width;
}

template <typename Field>
Field* KZDialog::Place(Field* field, int32_t width) {
  cursor->column += width + fieldGap;
  if (!container) {
    delete field;
    return nullptr;
  }
  container->Add(field);
  return field;
}

void KZDialog::PlaceInPixels(ZafWindowObject* field, int32_t width, int32_t height) const {
  const int32_t left = cursor->column * CellWidth();
  const int32_t top = cursor->row * CellHeight();
  field->SetCoordinateType(ZAF_PIXEL);
  field->SetRegion(ZafRegionStruct{left, top, left + width - 1, top + height - 1, ZAF_PIXEL});
}

KZDialog::TextLines KZDialog::MeasureLines(const ZafIChar* text) const {
  TextLines measured;
  ZafForEachLine(text, [&](const ZafIChar* line, int32_t length) {
    measured.widest = std::max(measured.widest, length > 0 ? CharWidthUnits(line, length) : 0);
    ++measured.count;
  });
  return measured;
}

KZPrompt* KZDialog::AddPrompt(const ZafIChar* text, int32_t width) {
  const auto [widest, lines] = MeasureLines(text);
  const int32_t cells = (width < 0 ? widest : width) + promptExtra;
  // A text of several lines takes a row for each; the cursor goes on from its last row.
  auto* prompt = new KZPrompt(cursor->column, cursor->row, cells, lines, text);
  cursor->row += lines - 1;
  return Place(prompt, cells);
}

KZPrompt* KZDialog::AddFieldPrompt(ZafStringData* field, int32_t width) {
  const ZafIChar* text = field ? field->Text() : u"";
  const int32_t cells = WidthOr(width, text) + promptExtra;
  auto* prompt = new KZPrompt(cursor->column, cursor->row, cells, text);
  if (field) {
    prompt->SetStringData(field);
  }
  return Place(prompt, cells);
}

KZText* KZDialog::AddText(const ZafIChar* text, int32_t width, int32_t height) {
  const auto [widest, lines] = MeasureLines(text);
  const int32_t cells = width < 0 ? widest : width;
  const int32_t pixels = height < 0 ? lines * FontHeight(kDialogFont) : height;
  auto* field = new KZText(cursor->column, cursor->row, cells, 1, text);
  PlaceInPixels(field, cells * CellWidth(), pixels);
  field->SetBackgroundColor(ZAF_COLOR_INHERIT, kMonochromeBackground);
  field->SetBordered(false);
  field->SetNonCurrent(true);
  field->SetViewOnly(true);
  field->SetWordWrap(true);
  return Place(field, cells);
}

KZText* KZDialog::AddTextBox(const ZafIChar* text, int32_t width, int32_t height) {
  return Place(new KZText(cursor->column, cursor->row, width, height, text), width);
}

KZString* KZDialog::AddString(const ZafIChar* text, int32_t width, int32_t maxLength) {
  const int32_t cells = width + fieldExtra;
  return Place(new KZString(cursor->column, cursor->row, cells, text, maxLength), cells);
}

KZString* KZDialog::AddBrowseDirectory(const ZafIChar* text, int32_t width, int32_t maxLength) {
  KZString* field = AddString(text, width, maxLength);
  const int32_t cells = CharWidthUnits(KZBrowseButton::Label().CStr()) + buttonExtra;
  Place(new KZBrowseDirectoryButton(cursor->column, cursor->row, cells, field, this), cells);
  return field;
}

KZString* KZDialog::AddBrowseFile(const ZafIChar* text, const KString& filter, int32_t width,
                                  int32_t maxLength) {
  KZString* field = AddString(text, width, maxLength);
  const int32_t cells = CharWidthUnits(KZBrowseButton::Label().CStr()) + buttonExtra;
  Place(new KZBrowseFileButton(cursor->column, cursor->row, cells, field, this, filter), cells);
  return field;
}

KZInteger* KZDialog::AddInteger(int32_t value, int32_t width, int32_t minimum, int32_t maximum) {
  const int32_t cells = width + fieldExtra;
  return Place(new KZInteger(cursor->column, cursor->row, cells, value, minimum, maximum), cells);
}

KZReal* KZDialog::AddReal(double value, int32_t width, double minimum, double maximum) {
  const int32_t cells = width + fieldExtra;
  return Place(new KZReal(cursor->column, cursor->row, cells, value, minimum, maximum), cells);
}

KZSlider* KZDialog::AddSlider(int32_t minimum, int32_t maximum, int32_t current, int32_t smallStep,
                              int32_t largeStep, int32_t width, ZafEventType eventCode) {
  return Place(new KZSlider(cursor->column, cursor->row, width, 1, minimum, maximum, current, smallStep,
                            largeStep, eventCode, this),
               width);
}

KZButton* KZDialog::AddButton(const ZafIChar* text, int32_t value, int32_t width) {
  const int32_t cells = (width < 0 ? CharWidthUnits(text) + 4 : width) + buttonExtra;
  return Place(new KZButton(cursor->column, cursor->row, cells, 1, text, nullptr, ZAF_PUSH_BUTTON, value),
               cells);
}

KZButton* KZDialog::AddBitmapButton(ZafBitmapData* bitmap, int32_t value) {
  const int32_t width = (bitmap ? bitmap->Width() : 0) + kBitmapButtonFrame;
  const int32_t height = (bitmap ? bitmap->Height() : 0) + kBitmapButtonFrame;
  auto* button = new KZButton(cursor->column, cursor->row, 1, 1, u"", bitmap, ZAF_PUSH_BUTTON, value);
  PlaceInPixels(button, width, height);
  button->SetNonCurrent(true);
  const int32_t cellWidth = std::max(CellWidth(), 1);
  return Place(button, (width + cellWidth - 1) / cellWidth);
}

KZButton* KZDialog::AddCheckBox(const ZafIChar* text, bool checked, int32_t value, int32_t width) {
  const int32_t cells = WidthOr(width, text) + checkExtra;
  auto* box = new KZButton(cursor->column, cursor->row, cells, 1, text, nullptr, ZAF_CHECK_BOX, value);
  box->SetSelected(checked);
  return Place(box, cells);
}

KZButton* KZDialog::AddRadioButton(const ZafIChar* text, int32_t value, int32_t width) {
  const int32_t cells = WidthOr(width, text) + radioExtra;
  radioButtons.push_back(
      std::make_unique<KZButton>(radioWidth, 0, cells, 1, text, nullptr, ZAF_RADIO_BUTTON, value));
  radioWidth += cells + fieldGap;
  return radioButtons.back().get();
}

KZRadioGroup* KZDialog::AddRadioGroup(int32_t selection) {
  const int32_t width = radioWidth - fieldGap;
  auto* group = new KZRadioGroup(cursor->column, cursor->row, width, 1);
  for (auto& button : radioButtons) {
    group->Add(button.release());
  }
  radioButtons.clear();
  group->SetSelection(selection);
  return Place(group, width);
}

void KZDialog::ResetRadioColumn() {
  radioWidth = 0;
}

void KZDialog::AddComboItem(const ZafIChar* text, int32_t value) {
  auto item =
      std::make_unique<KZButton>(0, 0, CharWidthUnits(text), 1, text, nullptr, ZAF_PUSH_BUTTON, value);
  comboWidth = std::max(comboWidth, CharWidthUnits(text));
  comboItems.push_back(std::move(item));
}

void KZDialog::ResetComboWidth() {
  comboWidth = 0;
}

KZComboBox* KZDialog::AddComboBox(int32_t selection, bool editable, int32_t visibleRows) {
  const int32_t width = comboWidth + comboExtra;
  const int32_t count = static_cast<int32_t>(comboItems.size());
  const bool scrolls = count > visibleRows;
  const int32_t rows = scrolls ? visibleRows * FontHeight(kDialogFont) / std::max(CellHeight(), 1) : count;
  auto* combo = new KZComboBox(cursor->column, cursor->row, width, rows, editable);
  for (auto& item : comboItems) {
    combo->Add(item.release());
  }
  comboItems.clear();
  if (scrolls) {
    combo->List()->Add(new ZafScrollBar(ZAF_VERTICAL_SCROLL));
  }
  combo->Select(selection);
  return Place(combo, width);
}

KZAnchoredPopUpMenu* KZDialog::AddPopUpButton() {
  const int32_t cellWidth = std::max(CellWidth(), 1);
  const int32_t left = cursor->column * cellWidth;
  const int32_t top = (cursor->row + 1) * CellHeight() - kPopUpRise;
  auto* button = new KZAnchoredPopUpMenu(left, top, kPopUpWidth, kPopUpHeight);
  return Place(button, (cellWidth + kPopUpWidth - 1) / cellWidth);
}

// ---- Notebook pages ----

void KZDialog::BeginNotebook(int32_t minWidth, int32_t minHeight) {
  cursor = &notebookCursor;
  container = nullptr;
  notebookMinWidth = minWidth;
  notebookMinHeight = minHeight + pageRowsExtra;
}

ZafWindow* KZDialog::AddPage(const ZafIChar* title) {
  EndPage();
  auto* page = new ZafWindow(0, 0, 0, 0);
  page->SetSelectMultiple(true);
  page->Add(new ZafTitle(title));
  notebookCursor = Cursor{1, leftMargin};
  container = page;
  return page;
}

void KZDialog::EndPage() {
  if (!container || container == this) {
    return;
  }
  const Extent fields = ChildExtent(*container);
  container->SetRegion(
      ZafRegionStruct{0, 0, fields.right + fields.left, fields.bottom + pageRowsExtra - 1, ZAF_CELL});
  pages.emplace_back(container);
  container = nullptr;
}

void KZDialog::EndNotebook(int32_t currentPage) {
  int32_t width = notebookMinWidth;
  int32_t height = notebookMinHeight;
  for (const auto& page : pages) {
    const ZafRegionStruct region = page->Region();
    width = std::max(width, region.right + 1);
    height = std::max(height, region.bottom + 1);
  }
  cursor = &dialogCursor;
  auto* notebook = new ZafNotebook(cursor->column, cursor->row, width, height);
  notebook->SetBordered(false);
  // A framework notebook fills its parent; in a dialog it keeps its own region, so the fields and the
  // buttons under it stay visible.
  notebook->SetPlacement(0);
  for (auto& page : pages) {
    page->SetRegion(ZafRegionStruct{0, 0, width - 1, height - 1, ZAF_CELL});
    notebook->Add(page.release());
  }
  pages.clear();
  container = this;
  Add(notebook);
  notebook->SetCurrentPageIndex(currentPage < 0 ? notebook->PageCount() - 1 : currentPage);
  cursor->column = leftMargin;
  cursor->row += height;
}
