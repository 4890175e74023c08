#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafmaximizebutton.h"
#include "framework/core/zafminimizebutton.h"
#include "framework/core/zafsystembutton.h"
#include "framework/core/zaftitle.h"
#include "framework/core/zafwindow.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaflanguagedata.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafstringdata.h"

namespace {

int g_hookCalls = 0;

ZafLong CountingHook(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
  ++g_hookCalls;
  return code;
}

// What each class keeps whatever it is given.
struct FrameClass {
  const char* name;
  std::function<std::unique_ptr<ZafFrameButton>()> make;
  ZafClassID classID;
  const char16_t* className;
  ZafNumberID numberID;
  const char16_t* stringID;
  bool neverFocused;
  bool nonCurrent;
  int32_t kind;
  int32_t depth;
  bool chooseOnDoubleClick;
  bool messageOnSelect;
  bool plain;
  int32_t firstCode;
};

const std::vector<FrameClass>& FrameClasses() {
  static const std::vector<FrameClass> classes = {
      {"maximize", [] { return std::make_unique<ZafMaximizeButton>(); }, ID_ZAF_MAXIMIZE_BUTTON,
       u"ZafMaximizeButton", 0xFFFE, u"ZAF_NUMID_MAXIMIZE", true, true, ZAF_PUSH_BUTTON_3, 1, false, true,
       false, MaximizeEvent},
      {"minimize", [] { return std::make_unique<ZafMinimizeButton>(); }, ID_ZAF_MINIMIZE_BUTTON,
       u"ZafMinimizeButton", 0xFFFD, u"ZAF_NUMID_MINIMIZE", true, true, ZAF_PUSH_BUTTON_3, 1, false, true,
       false, MinimizeEvent},
      {"system", [] { return std::make_unique<ZafSystemButton>(0); }, ID_ZAF_SYSTEM_BUTTON,
       u"ZafSystemButton", 0xFFFC, u"ZAF_NUMID_SYSTEM", false, false, ZAF_PUSH_BUTTON_3, 1, false, false,
       false, 0},
      {"title", [] { return std::make_unique<ZafTitle>(u"Heat 1"); }, ID_ZAF_TITLE, u"ZafTitle", 0xFFFB,
       u"ZAF_NUMID_TITLE", true, true, ZAF_FLAT_BUTTON, 0, true, true, true, 0},
  };
  return classes;
}

void ExpectFixedSettings(ZafFrameButton& button, const FrameClass& expected) {
  EXPECT_EQ(button.NumberID(), expected.numberID);
  EXPECT_EQ(std::u16string(button.StringID()), expected.stringID);
  EXPECT_FALSE(button.Bordered());
  EXPECT_TRUE(button.SupportObject());
  EXPECT_FALSE(button.OwnNativeWindow());
  EXPECT_EQ(button.Placement(), 2);
  EXPECT_TRUE(button.AutoSize());
  EXPECT_FALSE(button.Toggles());
  EXPECT_EQ(button.Kind(), expected.kind);
  EXPECT_EQ(button.Depth(), expected.depth);
  EXPECT_EQ(button.NonCurrent(), expected.nonCurrent);
  EXPECT_EQ(button.ChooseOnDoubleClick(), expected.chooseOnDoubleClick);
  EXPECT_EQ(button.ChooseOnPress(), expected.chooseOnDoubleClick);
  EXPECT_EQ(button.MessageOnSelect(), expected.messageOnSelect);
  EXPECT_EQ(button.TextPlacement(), ZAF_TEXT_BELOW);
  EXPECT_EQ(button.VerticalPlacement(), ZAF_VERTICAL_CENTER);
  EXPECT_EQ(button.HotKeyChar(), 0);
  EXPECT_EQ(button.HotKeyIndex(), -1);
  EXPECT_EQ(button.MessageText(), nullptr);
  EXPECT_EQ(button.UserFunction(), nullptr);
  EXPECT_EQ(button.Value(), expected.firstCode);
}

TEST_F(ZafCoreTest, FrameButtonsStartWithTheirClassSettings) {
  for (const FrameClass& frame : FrameClasses()) {
    SCOPED_TRACE(frame.name);
    std::unique_ptr<ZafFrameButton> button = frame.make();
    ExpectFixedSettings(*button, frame);
  }
}

TEST_F(ZafCoreTest, FrameButtonSettersKeepTheClassValues) {
  for (const FrameClass& frame : FrameClasses()) {
    SCOPED_TRACE(frame.name);
    std::unique_ptr<ZafFrameButton> button = frame.make();
    ZafFrameButton& b = *button;
    EXPECT_FALSE(b.SetBordered(true));
    EXPECT_FALSE(b.SetAcceptDrop(true));
    EXPECT_FALSE(b.SetDefaultCapable(true));
    EXPECT_FALSE(b.SetToggles(true));
    EXPECT_FALSE(b.SetAutoRepeat(true));
    EXPECT_FALSE(b.SetDisabled(true));
    EXPECT_FALSE(b.SetSelected(true));
    EXPECT_FALSE(b.SetCtrlDrag(true));
    EXPECT_FALSE(b.SetShiftCtrlDrag(true));
    EXPECT_FALSE(b.SetShiftDrag(true));
    EXPECT_FALSE(b.SetParentDrawBorder(true));
    EXPECT_FALSE(b.SetParentDrawFocus(true));
    EXPECT_FALSE(b.SetParentPalette(true));
    EXPECT_TRUE(b.SetAutoSize(false));
    EXPECT_TRUE(b.SetSupportObject(false));
    EXPECT_EQ(b.SetNonCurrent(!frame.nonCurrent), frame.nonCurrent);
    EXPECT_EQ(b.SetKind(ZAF_CHECK_BOX), frame.kind);
    EXPECT_EQ(b.SetDepth(5), frame.depth);
    EXPECT_EQ(b.SetHotKey(u'q', 1), 0);
    EXPECT_EQ(b.SetTextPlacement(ZAF_TEXT_RIGHT), ZAF_TEXT_BELOW);
    EXPECT_EQ(b.SetVerticalPlacement(ZAF_VERTICAL_TOP), ZAF_VERTICAL_CENTER);
    EXPECT_EQ(b.SetChooseOnDoubleClick(!frame.chooseOnDoubleClick), frame.chooseOnDoubleClick);
    EXPECT_EQ(b.SetChooseOnPress(!frame.chooseOnDoubleClick), frame.chooseOnDoubleClick);
    EXPECT_EQ(b.SetMessageOnSelect(!frame.messageOnSelect), frame.messageOnSelect);
    EXPECT_EQ(b.SetMessageText(u"text"), nullptr);
    EXPECT_EQ(b.SetUserFunction(CountingHook), nullptr);
    EXPECT_EQ(b.SetHelpContext(u"help"), nullptr);
    EXPECT_EQ(b.SetTipText(u"tip"), nullptr);
    EXPECT_EQ(b.SetThirdText(u"third"), nullptr);
    EXPECT_EQ(b.SetPlacement(0), 2);
    if (frame.neverFocused) {
      EXPECT_FALSE(b.SetFocus(true));
    }
    if (frame.plain) {
      EXPECT_FALSE(b.SetPressedLook(true));
    }
    ExpectFixedSettings(b, frame);
    EXPECT_FALSE(b.AcceptDrop() || b.Disabled() || b.Selected() || b.AnyDrag() || b.ParentDrawBorder() ||
                 b.ParentDrawFocus() || b.ParentPalette() || b.DefaultCapable() || b.AutoRepeat());
    EXPECT_EQ(b.HelpContext(), nullptr);
    EXPECT_EQ(b.TipText(), nullptr);
    EXPECT_EQ(b.ThirdText(), nullptr);
  }
}

TEST_F(ZafCoreTest, TitleRefusesAPictureTheOtherFrameButtonsTakeOne) {
  ZafTitle title(u"Final");
  auto picture = std::make_unique<ZafBitmapData>(3, 3);
  picture->SetDestroyable(false);
  EXPECT_EQ(title.SetBitmap(picture.get()), 1);
  EXPECT_EQ(title.Bitmap(), nullptr);
  EXPECT_EQ(picture->Count(), 0) << "a refused picture is not observed by the title";

  ZafMaximizeButton maximize;
  EXPECT_EQ(maximize.SetBitmap(picture.get()), ZAF_ERROR_NONE);
  EXPECT_EQ(maximize.Bitmap(), picture.get());
  EXPECT_EQ(maximize.SetBitmap(nullptr), ZAF_ERROR_NONE);
}

TEST_F(ZafCoreTest, MessageCodesAreTakenOnlyFromTheClassCodes) {
  struct Case {
    const char* name;
    std::function<std::unique_ptr<ZafFrameButton>()> make;
    int32_t code;
    int32_t answer;
  };
  auto maximize = [] { return std::make_unique<ZafMaximizeButton>(); };
  auto minimize = [] { return std::make_unique<ZafMinimizeButton>(); };
  auto title = [] { return std::make_unique<ZafTitle>(u"t"); };
  auto system = [] { return std::make_unique<ZafSystemButton>(0); };
  const Case cases[] = {
      {"maximize refuses -7", maximize, -7, MaximizeEvent},
      {"maximize refuses minimize", maximize, MinimizeEvent, MaximizeEvent},
      {"maximize refuses the child minimize", maximize, ChildMinimizeEvent, MaximizeEvent},
      {"maximize takes restore", maximize, RestoreEvent, RestoreEvent},
      {"maximize takes the child maximize", maximize, ChildMaximizeEvent, ChildMaximizeEvent},
      {"maximize takes the child restore", maximize, ChildRestoreEvent, ChildRestoreEvent},
      {"minimize refuses maximize", minimize, MaximizeEvent, MinimizeEvent},
      {"minimize refuses 0", minimize, 0, MinimizeEvent},
      {"minimize takes restore", minimize, RestoreEvent, RestoreEvent},
      {"minimize takes the child minimize", minimize, ChildMinimizeEvent, ChildMinimizeEvent},
      {"minimize takes the child restore", minimize, ChildRestoreEvent, ChildRestoreEvent},
      {"title refuses -7", title, -7, 0},
      {"title refuses minimize", title, MinimizeEvent, 0},
      {"title takes maximize", title, MaximizeEvent, MaximizeEvent},
      {"title takes the child maximize", title, ChildMaximizeEvent, ChildMaximizeEvent},
      {"system keeps 0", system, MaximizeEvent, 0},
      {"system keeps 0 for restore", system, RestoreEvent, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    std::unique_ptr<ZafFrameButton> button = test.make();
    EXPECT_EQ(button->SetValue(test.code), test.answer);
    EXPECT_EQ(button->Value(), test.answer);
  }
}

TEST_F(ZafCoreTest, ChoosingAFrameButtonQueuesItsCodeAtTheEnd) {
  struct Case {
    const char* name;
    std::function<std::unique_ptr<ZafFrameButton>()> make;
    ZafEventType choice;
    std::vector<int32_t> queued;
  };
  constexpr int32_t kEarlier = 4000;
  auto maximize = [] { return std::make_unique<ZafMaximizeButton>(); };
  auto minimize = [] { return std::make_unique<ZafMinimizeButton>(); };
  auto title = [] {
    auto made = std::make_unique<ZafTitle>(u"t");
    made->SetValue(MaximizeEvent);
    return made;
  };
  auto system = [] { return std::make_unique<ZafSystemButton>(1); };
  const Case cases[] = {
      {"maximize chosen", maximize, ChosenEvent, {kEarlier, MaximizeEvent}},
      {"maximize double-clicked", maximize, ChosenByDoubleClickEvent, {kEarlier, MaximizeEvent}},
      {"minimize chosen", minimize, ChosenEvent, {kEarlier, MinimizeEvent}},
      {"title chosen once", title, ChosenEvent, {kEarlier}},
      {"title double-clicked", title, ChosenByDoubleClickEvent, {kEarlier, MaximizeEvent}},
      {"system chosen", system, ChosenEvent, {kEarlier}},
      {"system double-clicked", system, ChosenByDoubleClickEvent, {kEarlier}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    std::unique_ptr<ZafFrameButton> button = test.make();
    g_hookCalls = 0;
    button->SetUserFunction(CountingHook);
    events.Put(ZafEventRecord(kEarlier, 0), Q_END);
    button->Choose(ZafEventRecord(test.choice, 0), test.choice);
    std::vector<int32_t> types;
    ZafEventRecord event;
    while (events.TakeQueued(event)) {
      types.push_back(event.type);
      if (event.type != kEarlier) {
        EXPECT_EQ(event.windowObject, button.get());
        EXPECT_EQ(event.Text(), nullptr);
      }
    }
    EXPECT_EQ(types, test.queued);
    EXPECT_EQ(g_hookCalls, 0) << "a frame button has no user function";
  }
}

TEST_F(ZafCoreTest, FrameButtonsAnswerTheirIdentity) {
  const ZafClassID frameIDs[] = {ID_ZAF_MAXIMIZE_BUTTON, ID_ZAF_MINIMIZE_BUTTON, ID_ZAF_SYSTEM_BUTTON,
                                 ID_ZAF_TITLE};
  for (const FrameClass& frame : FrameClasses()) {
    SCOPED_TRACE(frame.name);
    std::unique_ptr<ZafFrameButton> button = frame.make();
    EXPECT_EQ(button->ClassID(), frame.classID);
    EXPECT_EQ(std::u16string(button->ClassName()), frame.className);
    EXPECT_TRUE(button->IsA(ID_ZAF_BUTTON));
    EXPECT_TRUE(button->IsAName(u"ZafButton"));
    EXPECT_TRUE(button->IsAName(frame.className));
    for (ZafClassID id : frameIDs) {
      EXPECT_EQ(button->IsA(id), id == frame.classID) << id;
    }
    std::unique_ptr<ZafWindowObject> copy(button->Duplicate());
    EXPECT_EQ(copy->ClassID(), frame.classID);
    ExpectFixedSettings(static_cast<ZafFrameButton&>(*copy), frame);
  }
}

TEST_F(ZafCoreTest, DuplicatedTitleHasItsOwnTextAndCode) {
  ZafTitle title(u"Heat 2");
  title.SetValue(RestoreEvent);
  std::unique_ptr<ZafWindowObject> copy(title.Duplicate());
  title.SetText(u"Heat 3");
  EXPECT_EQ(std::u16string(copy->Text()), u"Heat 2");
  EXPECT_EQ(static_cast<ZafTitle&>(*copy).Value(), RestoreEvent);
}

TEST_F(ZafCoreTest, TitleShowsSharedStringData) {
  ZafStringData shared(u"Lane draw");
  shared.SetDestroyable(false);
  {
    ZafTitle title(&shared);
    EXPECT_EQ(title.StringData(), &shared);
    shared.SetText(u"Start list");
    EXPECT_EQ(std::u16string(title.Text()), u"Start list");
  }
  EXPECT_EQ(std::u16string(shared.Text()), u"Start list") << "shared text outlives the title";
}

TEST_F(ZafCoreTest, WindowFindsTheTitleByItsNumber) {
  ZafWindow window(0, 0, 20, 8);
  auto* title = new ZafTitle(u"Results");
  window.Add(title);
  EXPECT_EQ(window.TitleObject(), title);
  EXPECT_EQ(std::u16string(window.Text()), u"Results");
  EXPECT_EQ(window.SetText(u"Results 100 m"), 0);
  EXPECT_EQ(std::u16string(title->Text()), u"Results 100 m");
  EXPECT_EQ(window.Count(), 0) << "frame parts are support objects";
}

// ---- Pictures ----

TEST_F(ZafCoreTest, FramePicturesHaveTheirSizesAndAreShared) {
  ZafMaximizeButton maximize;
  ZafMinimizeButton minimize;
  ZafSystemButton system(0);
  for (int index = 0; index < 4; ++index) {
    SCOPED_TRACE(index);
    for (ZafBitmapData* image : {ZafMaximizeButton::Image(index), ZafMinimizeButton::Image(index)}) {
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(image->Width(), ZAF_FRAME_IMAGE_WIDTH);
      EXPECT_EQ(image->Height(), ZAF_FRAME_IMAGE_HEIGHT);
      EXPECT_FALSE(image->Destroyable());
    }
  }
  for (int outside : {-1, 4}) {
    EXPECT_EQ(ZafMaximizeButton::Image(outside), nullptr);
    EXPECT_EQ(ZafMinimizeButton::Image(outside), nullptr);
  }
  ASSERT_NE(ZafSystemButton::Image(), nullptr);
  EXPECT_EQ(ZafSystemButton::Image()->Width(), ZAF_SYSTEM_IMAGE_WIDTH);
  EXPECT_EQ(ZafSystemButton::Image()->Height(), ZAF_SYSTEM_IMAGE_HEIGHT);

  ZafBitmapData* first = ZafMaximizeButton::Image(0);
  { ZafMaximizeButton another; }
  EXPECT_EQ(ZafMaximizeButton::Image(0), first)
      << "one set of pictures for every button, kept after one goes";
}

TEST_F(ZafCoreTest, FramePicturesAreRecognisableArrows) {
  ZafMaximizeButton maximize;
  ZafMinimizeButton minimize;
  auto pixels = [](ZafBitmapData* image) {
    return std::vector<uint8_t>(image->Pixels(), image->Pixels() + image->Width() * image->Height());
  };
  auto blackRows = [&pixels](ZafBitmapData* image) {
    std::vector<int> widths;
    const std::vector<uint8_t> all = pixels(image);
    for (int row = 0; row < ZAF_FRAME_IMAGE_HEIGHT; ++row) {
      int count = 0;
      for (int column = 0; column < ZAF_FRAME_IMAGE_WIDTH; ++column) {
        count += all[row * ZAF_FRAME_IMAGE_WIDTH + column] == 0 ? 1 : 0;
      }
      if (count > 0) {
        widths.push_back(count);
      }
    }
    return widths;
  };
  EXPECT_EQ(blackRows(ZafMaximizeButton::Image(0)), (std::vector<int>{2, 4, 6, 8})) << "points up";
  EXPECT_EQ(blackRows(ZafMinimizeButton::Image(0)), (std::vector<int>{8, 6, 4, 2})) << "points down";
  EXPECT_EQ(blackRows(ZafMaximizeButton::Image(2)), (std::vector<int>{2, 4, 6, 8, 8, 6, 4, 2})) << "restore";
  EXPECT_EQ(pixels(ZafMaximizeButton::Image(2)), pixels(ZafMinimizeButton::Image(2)));
  EXPECT_NE(pixels(ZafMaximizeButton::Image(0)), pixels(ZafMaximizeButton::Image(1))) << "pressed moves";
  EXPECT_EQ(blackRows(ZafMaximizeButton::Image(1)), blackRows(ZafMaximizeButton::Image(0)));
}

TEST_F(ZafCoreTest, FramePicturesGoWithTheStaticDataAndComeBack) {
  { ZafMaximizeButton first; }
  ASSERT_NE(ZafMaximizeButton::Image(0), nullptr);
  ZafI18nData::Shutdown();
  EXPECT_EQ(ZafMaximizeButton::Image(0), nullptr) << "deleted by the framework's clean-up";
  ZafMaximizeButton again;
  EXPECT_NE(ZafMaximizeButton::Image(0), nullptr);
  ZafI18nData::SetLanguage(nullptr);
  EXPECT_NE(ZafMaximizeButton::Image(0), nullptr) << "made again after a language change";
}

// ---- System button ----

TEST_F(ZafCoreTest, SystemButtonTextsComeFromItsTable) {
  ZafSystemButton system(0);
  ASSERT_NE(system.LanguageData(), nullptr);
  struct Row {
    ZafNumberID number;
    const char16_t* text;
    ZafIChar hotKey;
    int32_t hotKeyIndex;
  };
  const Row rows[] = {{6, u"Restore", u'R', 0},  {5, u"Move", u'M', 0},     {8, u"Size", u'S', 0},
                      {4, u"Minimize", u'N', 2}, {3, u"Maximize", u'X', 2}, {7, u"", 0, -1},
                      {2, u"Close", 0, -1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.number);
    ZafIChar hotKey = 1;
    int32_t index = 99;
    const ZafIChar* text = system.LanguageData()->GetMessage(row.number, false, &hotKey, &index);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text), row.text);
    EXPECT_EQ(hotKey, row.hotKey);
    EXPECT_EQ(index, row.hotKeyIndex);
  }
  ZafSystemButton second(0);
  EXPECT_EQ(second.LanguageData(), system.LanguageData()) << "one table for the class";
}

TEST_F(ZafCoreTest, SystemMenuBelongsToTheButton) {
  ZafSystemButton system(3);
  EXPECT_EQ(system.SystemOptions(), 3);
  ZafPopUpMenu& menu = system.SystemMenu();
  EXPECT_EQ(menu.Parent(), &system);
  EXPECT_EQ(menu.NumberID(), ZAF_NUMID_SYSTEM_BUTTON_MENU);
  EXPECT_EQ(std::u16string(menu.StringID()), u"ZAF_NUMID_SYSTEM_BUTTON_MENU");
  EXPECT_TRUE(menu.Temporary());
  EXPECT_FALSE(menu.Destroyable());
  EXPECT_EQ(system.SetSystemOptions(0), 0) << "changed freely before the native window";
}

TEST_F(ZafCoreTest, SystemButtonMenuItemsAreAddedSortedFoundAndTakenOut) {
  ZafSystemButton system(1);
  auto* close = new ZafButton(0, 0, 10, 1, u"Close");
  close->SetStringID(u"close");
  close->SetNumberID(40);
  auto* about = new ZafButton(0, 1, 10, 1, u"About");
  about->SetStringID(u"about");
  about->SetNumberID(41);
  EXPECT_EQ(system.AddMenuItem(close), close);
  EXPECT_EQ(system.AddMenuItem(about), about);
  EXPECT_EQ(close->Parent(), &system.SystemMenu());

  EXPECT_EQ(system.FindObject(ZAF_NUMID_SYSTEM), &system) << "the button first";
  EXPECT_EQ(system.FindObject(41), about);
  EXPECT_EQ(system.FindObject(ZAF_NUMID_SYSTEM_BUTTON_MENU), &system.SystemMenu());
  EXPECT_EQ(system.FindObjectByName(u"close"), close);
  EXPECT_EQ(system.FindObjectByName(u"ZAF_NUMID_SYSTEM"), &system);
  EXPECT_EQ(system.FindObjectByName(u"missing"), nullptr);
  EXPECT_EQ(system.FindObjectByName(nullptr), nullptr);

  system.SystemMenu().SetCompareFunction(ZafWindow::CompareAscending);
  system.SortMenuItems();
  EXPECT_EQ(system.SystemMenu().FirstChild(), about);

  EXPECT_EQ(system.SubtractMenuItem(close), close);
  EXPECT_EQ(close->Parent(), nullptr);
  EXPECT_EQ(system.FindObject(40), nullptr);
  delete close;

  system.DestroyMenuItems();
  EXPECT_EQ(system.SystemMenu().Count(), 0);
}

TEST_F(ZafCoreTest, DuplicatedSystemButtonCopiesMenuAndOptions) {
  ZafSystemButton system(-1);
  system.AddMenuItem(new ZafButton(0, 0, 10, 1, u"Close"));
  std::unique_ptr<ZafWindowObject> made(system.Duplicate());
  auto& copy = static_cast<ZafSystemButton&>(*made);
  EXPECT_EQ(copy.SystemOptions(), -1);
  ASSERT_EQ(copy.SystemMenu().Count(), 1);
  EXPECT_NE(copy.SystemMenu().FirstChild(), system.SystemMenu().FirstChild());
  EXPECT_EQ(std::u16string(copy.SystemMenu().FirstChild()->Text()), u"Close");
  EXPECT_EQ(copy.SystemMenu().Parent(), &copy);
  EXPECT_EQ(copy.SystemMenu().NumberID(), ZAF_NUMID_SYSTEM_BUTTON_MENU);
}

// ---- Storage ----

// The levels of an object file from the top: class name, class ID and object name of the top-level
// object, then of each object inside it.
struct Level {
  const ZafIChar* className;
  ZafClassID classID;
  const ZafIChar* name;
};
using Path = std::vector<Level>;

class FrameStorageTest : public ZafCoreTest {
 protected:
  // The bytes of an object file.
  std::vector<uint8_t> Bytes(const Path& path) {
    std::vector<uint8_t> bytes;
    Visit(path, ZAF_PERSIST_READ, [&bytes](ZafFile& file) {
      bytes.resize(file.Length());
      file.ReadData(bytes.data(), static_cast<int>(bytes.size()));
    });
    return bytes;
  }
  void Replace(const Path& path, const std::vector<uint8_t>& bytes) {
    Visit(path, ZAF_PERSIST_WRITE,
          [&bytes](ZafFile& file) { file.WriteData(bytes.data(), static_cast<int>(bytes.size())); });
  }

  TemporaryFolder folder;
  ZafStorage storage{folder.Path("frames").c_str(), ZAF_STORAGE_CREATE};
  ZafObjectPersistence persistence{&storage};

 private:
  template <typename Use>
  void Visit(const Path& path, uint16_t lastMode, Use use) {
    int levels = 0;
    bool open = true;
    for (std::size_t step = 0; step < path.size() && open; ++step) {
      persistence.PushLevel(path[step].className, path[step].classID,
                            step == 0 ? ZAF_STORAGE_TYPE_NAMED : ZAF_STORAGE_TYPE_CHILD);
      ++levels;
      const uint16_t mode = step + 1 == path.size() ? lastMode : ZAF_PERSIST_READ;
      open = persistence.CurrentFile(path[step].name, mode) == ZAF_ERROR_NONE && persistence.File();
    }
    if (open) {
      use(*persistence.File());
    }
    while (levels-- > 0) {
      persistence.PopLevel();
    }
    persistence.SetError(ZAF_ERROR_NONE);
  }
};

TEST_F(FrameStorageTest, WindowFrameReadsBackAsWritten) {
  ZafWindow window(2, 1, 40, 10);
  window.SetStringID(u"results");
  auto* maximize = new ZafMaximizeButton;
  maximize->SetValue(ChildMaximizeEvent);
  auto* minimize = new ZafMinimizeButton;
  auto* system = new ZafSystemButton(7);
  auto* close = new ZafButton(0, 0, 10, 1, u"Close");
  close->SetStringID(u"close");
  system->AddMenuItem(close);
  auto* title = new ZafTitle(u"Results 100 m");
  title->SetValue(RestoreEvent);
  for (ZafWindowObject* part : std::initializer_list<ZafWindowObject*>{maximize, minimize, system, title}) {
    window.Add(part);
  }
  ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);

  ZafWindow copy(u"results", persistence);
  ASSERT_EQ(copy.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(copy.Count(), 0);
  auto* readTitle = copy.TitleObject();
  ASSERT_NE(readTitle, nullptr);
  EXPECT_EQ(std::u16string(copy.Text()), u"Results 100 m");
  EXPECT_EQ(static_cast<ZafTitle*>(readTitle)->Value(), RestoreEvent);
  EXPECT_EQ(static_cast<ZafTitle*>(readTitle)->Kind(), ZAF_FLAT_BUTTON);

  ZafWindowObject* readMaximize = copy.SupportObjectByID(ZAF_NUMID_MAXIMIZE);
  ASSERT_NE(readMaximize, nullptr);
  ASSERT_TRUE(readMaximize->IsA(ID_ZAF_MAXIMIZE_BUTTON));
  EXPECT_EQ(static_cast<ZafMaximizeButton*>(readMaximize)->Value(), MaximizeEvent)
      << "a maximize button stores nothing but its presence";
  ZafWindowObject* readMinimize = copy.SupportObjectByID(ZAF_NUMID_MINIMIZE);
  ASSERT_NE(readMinimize, nullptr);
  EXPECT_TRUE(readMinimize->IsA(ID_ZAF_MINIMIZE_BUTTON));

  ZafWindowObject* readSystem = copy.SupportObjectByID(ZAF_NUMID_SYSTEM);
  ASSERT_NE(readSystem, nullptr);
  ASSERT_TRUE(readSystem->IsA(ID_ZAF_SYSTEM_BUTTON));
  auto& systemCopy = static_cast<ZafSystemButton&>(*readSystem);
  EXPECT_EQ(systemCopy.SystemOptions(), 7);
  ASSERT_EQ(systemCopy.SystemMenu().Count(), 1);
  EXPECT_EQ(std::u16string(systemCopy.SystemMenu().FirstChild()->Text()), u"Close");
  EXPECT_EQ(systemCopy.SystemMenu().Parent(), &systemCopy);
  EXPECT_EQ(systemCopy.SystemMenu().NumberID(), ZAF_NUMID_SYSTEM_BUTTON_MENU);
  EXPECT_EQ(systemCopy.FindObjectByName(u"close"), systemCopy.SystemMenu().FirstChild());

  EXPECT_TRUE(Bytes({{u"ZafWindow", ID_ZAF_WINDOW, u"results"},
                     {u"ZafMaximizeButton", ID_ZAF_MAXIMIZE_BUTTON, u"ZAF_NUMID_MAXIMIZE"}})
                  .empty());
  EXPECT_TRUE(Bytes({{u"ZafWindow", ID_ZAF_WINDOW, u"results"},
                     {u"ZafMinimizeButton", ID_ZAF_MINIMIZE_BUTTON, u"ZAF_NUMID_MINIMIZE"}})
                  .empty());
}

TEST_F(FrameStorageTest, SystemOptionsRoundTripThroughSixteenBits) {
  struct Case {
    int32_t options;
    int32_t readBack;
  };
  const Case cases[] = {{0, 0},
                        {1, 1},
                        {-1, -1},
                        {32767, 32767},
                        {-32768, -32768},
                        // Only 0 or not 0 matters: wider values stay non-zero.
                        {0x10000, 32767},
                        {-0x10000, -32768}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.options);
    ZafSystemButton system(test.options);
    ASSERT_EQ(system.Write(persistence), ZAF_ERROR_NONE);
    ZafSystemButton copy(u"ZAF_NUMID_SYSTEM", persistence);
    EXPECT_EQ(copy.Error(), ZAF_ERROR_NONE);
    EXPECT_EQ(copy.SystemOptions(), test.readBack);
  }
}

TEST_F(FrameStorageTest, SystemButtonWithoutOptionsNeitherWritesNorReadsItems) {
  const Path path = {{u"ZafSystemButton", ID_ZAF_SYSTEM_BUTTON, u"ZAF_NUMID_SYSTEM"}};
  ZafSystemButton withItems(1);
  withItems.AddMenuItem(new ZafButton(0, 0, 10, 1, u"Close"));
  ASSERT_EQ(withItems.Write(persistence), ZAF_ERROR_NONE);
  std::vector<uint8_t> record = Bytes(path);

  ZafSystemButton plain(0);
  plain.AddMenuItem(new ZafButton(0, 0, 10, 1, u"Close"));
  ASSERT_EQ(plain.Write(persistence), ZAF_ERROR_NONE);
  const std::vector<uint8_t> plainRecord = Bytes(path);
  // The menu's name follows the options: a count of 28 and the name's bytes.
  const std::size_t nameBytes = 2 + 28;
  ASSERT_EQ(record.size(), plainRecord.size() + nameBytes);
  EXPECT_EQ(std::vector<uint8_t>(plainRecord.end() - 2, plainRecord.end()), (std::vector<uint8_t>{0, 0}));
  ZafSystemButton plainCopy(u"ZAF_NUMID_SYSTEM", persistence);
  EXPECT_EQ(plainCopy.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(plainCopy.SystemMenu().Count(), 0);

  // The same record with its options put to 0: the menu that is there is not read.
  record[record.size() - nameBytes - 2] = 0;
  record[record.size() - nameBytes - 1] = 0;
  Replace(path, record);
  ZafSystemButton zeroed(u"ZAF_NUMID_SYSTEM", persistence);
  EXPECT_EQ(zeroed.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(zeroed.SystemOptions(), 0);
  EXPECT_EQ(zeroed.SystemMenu().Count(), 0);
}

TEST_F(FrameStorageTest, TitleRecordIsTheButtonRecordAndKeepsTheFrameSettings) {
  ZafTitle title(u"Wind");
  title.SetValue(ChildRestoreEvent);
  ASSERT_EQ(title.Write(persistence), ZAF_ERROR_NONE);
  ZafButton button(0, 0, 0, 0, u"Wind", nullptr, ZAF_FLAT_BUTTON);
  button.SetStringID(u"ZAF_NUMID_TITLE");
  button.SetNumberID(ZAF_NUMID_TITLE);
  ASSERT_EQ(button.Write(persistence), ZAF_ERROR_NONE);
  EXPECT_EQ(Bytes({{u"ZafTitle", ID_ZAF_TITLE, u"ZAF_NUMID_TITLE"}}).size(),
            Bytes({{u"ZafButton", ID_ZAF_BUTTON, u"ZAF_NUMID_TITLE"}}).size());

  // A button record with settings no title has: the frame settings are put back, the text is kept.
  ZafButton odd(3, 3, 10, 2, u"Odd", nullptr, ZAF_CHECK_BOX);
  odd.SetStringID(u"odd");
  odd.SetBordered(true);
  odd.SetValue(-7);
  odd.SetHotKey(u'o', 0);
  odd.SetMessageText(u"message");
  ASSERT_EQ(odd.Write(persistence), ZAF_ERROR_NONE);
  Replace({{u"ZafTitle", ID_ZAF_TITLE, u"odd"}}, Bytes({{u"ZafButton", ID_ZAF_BUTTON, u"odd"}}));
  ZafTitle read(u"odd", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(std::u16string(read.Text()), u"Odd");
  ExpectFixedSettings(read, FrameClasses()[3]);

  ZafTitle copy(u"ZAF_NUMID_TITLE", persistence);
  EXPECT_EQ(copy.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(std::u16string(copy.Text()), u"Wind");
  EXPECT_EQ(copy.Value(), ChildRestoreEvent);
}

TEST_F(FrameStorageTest, GarbledRecordsAreRefusedAndTheFrameSettingsStay) {
  ZafTitle title(u"Relay");
  ASSERT_EQ(title.Write(persistence), ZAF_ERROR_NONE);
  const std::vector<uint8_t> titleRecord = Bytes({{u"ZafTitle", ID_ZAF_TITLE, u"ZAF_NUMID_TITLE"}});
  ZafSystemButton system(1);
  system.AddMenuItem(new ZafButton(0, 0, 10, 1, u"Close"));
  ASSERT_EQ(system.Write(persistence), ZAF_ERROR_NONE);
  const std::vector<uint8_t> systemRecord =
      Bytes({{u"ZafSystemButton", ID_ZAF_SYSTEM_BUTTON, u"ZAF_NUMID_SYSTEM"}});

  struct Case {
    const char* name;
    bool isTitle;
    std::vector<uint8_t> bytes;
    ZafError error;
  };
  std::vector<Case> cases;
  for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{20}, titleRecord.size() - 1}) {
    cases.push_back(
        {"title cut short", true, {titleRecord.begin(), titleRecord.begin() + cut}, ZAF_ERROR_READ});
  }
  // The options are the two bytes in front of the menu's name (count 28 and its bytes).
  const std::size_t optionsAt = systemRecord.size() - 30 - 2;
  cases.push_back({"system without options",
                   false,
                   {systemRecord.begin(), systemRecord.begin() + optionsAt},
                   ZAF_ERROR_READ});
  cases.push_back({"system with half the options",
                   false,
                   {systemRecord.begin(), systemRecord.begin() + optionsAt + 1},
                   ZAF_ERROR_READ});
  cases.push_back({"system with half the menu name",
                   false,
                   {systemRecord.begin(), systemRecord.begin() + optionsAt + 10},
                   ZAF_ERROR_READ});
  std::vector<uint8_t> elsewhere(systemRecord.begin(), systemRecord.begin() + optionsAt + 2);
  for (uint8_t byte : {uint8_t{4}, uint8_t{0}, uint8_t{'n'}, uint8_t{'o'}, uint8_t{'n'}, uint8_t{'e'}}) {
    elsewhere.push_back(byte);
  }
  cases.push_back({"system menu named where nothing is", false, elsewhere, ZAF_ERROR_OPEN});

  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    SCOPED_TRACE(test.bytes.size());
    if (test.isTitle) {
      Replace({{u"ZafTitle", ID_ZAF_TITLE, u"ZAF_NUMID_TITLE"}}, test.bytes);
      ZafTitle read(u"ZAF_NUMID_TITLE", persistence);
      EXPECT_EQ(read.Error(), test.error);
      ExpectFixedSettings(read, FrameClasses()[3]);
    } else {
      Replace({{u"ZafSystemButton", ID_ZAF_SYSTEM_BUTTON, u"ZAF_NUMID_SYSTEM"}}, test.bytes);
      ZafSystemButton read(u"ZAF_NUMID_SYSTEM", persistence);
      EXPECT_EQ(read.Error(), test.error);
      ExpectFixedSettings(read, FrameClasses()[2]);
      EXPECT_EQ(read.SystemMenu().Count(), 0);
      EXPECT_EQ(read.SystemMenu().NumberID(), ZAF_NUMID_SYSTEM_BUTTON_MENU);
      EXPECT_EQ(read.SystemOptions(), 0) << "a refused button leaves the platform's system menu alone";
    }
    persistence.SetError(ZAF_ERROR_NONE);
  }
}

}  // namespace
