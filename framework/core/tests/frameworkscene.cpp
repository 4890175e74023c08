#include "framework/core/tests/frameworkscene.h"

#include <initializer_list>

#include "framework/core/zafattachment.h"
#include "framework/core/zafcombobox.h"
#include "framework/core/zafdimensionconstraint.h"
#include "framework/core/zafgeometrymanager.h"
#include "framework/core/zaficon.h"
#include "framework/core/zafinteger.h"
#include "framework/core/zafpopupitem.h"
#include "framework/core/zafprompt.h"
#include "framework/core/zafpulldownitem.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/core/zafreal.h"
#include "framework/core/zafrelativeconstraint.h"
#include "framework/core/zafstatusbar.h"
#include "framework/core/zaftoolbar.h"
#include "framework/data/zafstringdata.h"

namespace {

// Adds the object to the window at a place given in pixels.
template <typename Object>
Object* Put(ZafWindow& window, Object* object, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  object->SetCoordinateType(ZAF_PIXEL);
  object->SetRegion({left, top, right, bottom, ZAF_PIXEL});
  window.Add(object);
  return object;
}

void Attach(ZafGeometryManager& manager, ZafWindowObject* object, ZafWindowObject* reference, int32_t side,
            int32_t offset, bool stretch) {
  auto* attachment = new ZafAttachment(object, reference, side, offset);
  attachment->SetStretch(stretch);
  manager.AddConstraint(attachment);
}

ZafGeometryManager& AddManager(ZafWindow& window) {
  auto* manager = new ZafGeometryManager;
  window.Add(manager);
  return *manager;
}

ZafPullDownItem* MenuOf(const ZafIChar* title, std::initializer_list<const ZafIChar*> entries) {
  auto* item = new ZafPullDownItem(title);
  for (const ZafIChar* entry : entries) {
    item->AddMenuItem(new ZafPopUpItem(entry));
  }
  return item;
}

// A tool bar with a button for each label and a status bar showing the text.
void AddBars(ZafWindow& window, std::initializer_list<const ZafIChar*> labels, const ZafIChar* status) {
  auto* tools = new ZafToolBar(0, 0, 1, 1);
  for (const ZafIChar* label : labels) {
    tools->Add(new ZafButton(0, 0, 8, 1, label));
  }
  window.Add(tools);
  auto* statusBar = new ZafStatusBar(0, 0, 1, 1);
  statusBar->SetRegion({0, 0, 0, 21, ZAF_PIXEL});
  statusBar->Add(new ZafPrompt(0, 0, 20, status));
  window.Add(statusBar);
}

ZafMDIWindow* Document(const ZafIChar* title) {
  auto* document = new ZafMDIWindow(0, 0, 1, 1, ZAF_MDI_CHILD);
  document->AddStandardFrame(title);
  document->SetCoordinateType(ZAF_PIXEL);
  return document;
}

}  // namespace

FrameworkScene::FrameworkScene(ZafWindowManager& windowManager, int32_t width, int32_t height)
    : windowManager(windowManager) {
  auto* bar = new ZafPullDownMenu();
  bar->Add(MenuOf(u"File", {u"New", u"Open", u"Exit"}));
  bar->Add(MenuOf(u"Window", {u"Tile", u"Cascade"}));
  frame = new ZafMDIWindow(0, 0, 1, 1, ZAF_MDI_FRAME);
  frame->AddStandardFrame(u"Meet", bar);
  frame->SetRegion({0, 0, width - 1, height - 1, ZAF_PIXEL});
  AddBars(*frame, {u"New", u"Print"}, u"Ready");

  entry = Document(u"Athlete");
  name = Put(*entry, new ZafString(0, 0, 1, u"Adams"), 70, kMargin, 200, 31);
  Put(*entry, new ZafPrompt(0, 0, 1, u"Name:"), kMargin, kMargin + 4, 66, 27);
  Put(*entry, new ZafInteger(0, 0, 1, 4), 70, 36, 120, 59);
  Put(*entry, new ZafReal(0, 0, 1, 0.145), 130, 36, 200, 59);
  lanes = Put(*entry, new ZafVtList(0, 0, 1, 1), kMargin, 66, 110, 120);
  for (const ZafIChar* text : {u"Lane 1", u"Lane 2", u"Lane 3", u"Lane 4", u"Lane 5"}) {
    lanes->Add(new ZafString(0, 0, 10, text));
  }
  auto* events = Put(*entry, new ZafComboBox(0, 0, 1, 1), 0, 66, 90, 87);
  events->List()->SetRegion({0, 0, 89, 59, ZAF_PIXEL});
  events->SetViewOnly(true);
  for (const ZafIChar* text : {u"60 m", u"100 m", u"200 m"}) {
    events->Add(new ZafString(0, 0, 10, text));
  }
  static_cast<ZafWindowObject*>(events->List()->Get(1))->SetSelected(true);
  start = Put(*entry, new ZafButton(0, 0, 1, 1, u"Start"), 0, 96, 69, 119);
  auto* clear = Put(*entry, new ZafButton(0, 0, 1, 1, u"Clear"), 0, 96, 69, 119);
  ZafGeometryManager& entryLayout = AddManager(*entry);
  Attach(entryLayout, name, nullptr, ZAF_SIDE_RIGHT, kMargin, true);
  Attach(entryLayout, lanes, nullptr, ZAF_SIDE_BOTTOM, kMargin, true);
  Attach(entryLayout, events, lanes, ZAF_SIDE_LEFT, kMargin, false);
  Attach(entryLayout, start, nullptr, ZAF_SIDE_RIGHT, kMargin, false);
  Attach(entryLayout, clear, start, ZAF_SIDE_RIGHT, kMargin, false);
  entryLayout.AddConstraint(new ZafDimensionConstraint(name, ZAF_DIMENSION_WIDTH, 0, 300));

  gauges = Document(u"Start");
  slider = Put(*gauges, new ZafScrollBar(0, 0, 1, 1, 0, 10, 7, 1, 1, ZAF_HORIZONTAL_SLIDER), kMargin, kMargin,
               100, 30);
  notebook = new ZafNotebook(0, 0, 1, 1);
  notebook->SetPlacement(0);
  Put(*gauges, notebook, kMargin, 0, 100, 100);
  for (const ZafIChar* title : {u"Wind", u"Timing"}) {
    auto* page = new ZafWindow(0, 0, 10, 5);
    page->AddStandardFrame(title);
    notebook->Add(page);
  }
  ZafGeometryManager& gaugeLayout = AddManager(*gauges);
  Attach(gaugeLayout, slider, nullptr, ZAF_SIDE_RIGHT, kMargin, true);
  Attach(gaugeLayout, notebook, slider, ZAF_SIDE_TOP, kMargin, false);
  Attach(gaugeLayout, notebook, nullptr, ZAF_SIDE_RIGHT, kMargin, true);
  Attach(gaugeLayout, notebook, nullptr, ZAF_SIDE_BOTTOM, kMargin, true);

  // The documents share the client area: the entry from the left edge to the middle, the gauges from
  // beside it to the right edge, both over the whole height.
  frame->Add(gauges);
  frame->Add(entry);
  ZafGeometryManager& frameLayout = AddManager(*frame);
  for (ZafMDIWindow* document : {entry, gauges}) {
    Attach(frameLayout, document, nullptr, ZAF_SIDE_TOP, 0, false);
    Attach(frameLayout, document, nullptr, ZAF_SIDE_BOTTOM, 0, true);
  }
  Attach(frameLayout, entry, nullptr, ZAF_SIDE_LEFT, 0, false);
  auto* middle = new ZafRelativeConstraint(entry, ZAF_SIDE_RIGHT, 50);
  middle->SetStretch(true);
  frameLayout.AddConstraint(middle);
  Attach(frameLayout, gauges, entry, ZAF_SIDE_LEFT, 0, false);
  Attach(frameLayout, gauges, nullptr, ZAF_SIDE_RIGHT, 0, true);
  windowManager.Add(frame);
  // Closing the frame ends the program.
  windowManager.SetMainWindow(frame);

  message =
      std::make_unique<ZafMessageWindow>(new ZafStringData(u"Kestrove"), ZAF_ICON_ASTERISK, ZAF_MESSAGE_OK,
                                         ZAF_MESSAGE_OK, u"%s", u"The start list is ready.");
  windowManager.Add(message.get());
}

FrameworkScene::~FrameworkScene() {
  if (windowManager.Index(message.get()) >= 0) {
    windowManager.Subtract(message.get());
  }
}
