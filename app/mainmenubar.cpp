#include "app/mainmenubar.h"

#include "foundation/kstring.h"
#include "model/qvsettings.h"
#include "toolkit/kzcontrol.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

// The watchdog closes a menu left open this long (ms) when the setting is missing.
constexpr int32_t kDefaultMenuTimeOut = 5000;

// Who sees an item.
enum class Shown { kAlways, kDeveloper, kDeveloperOrGunAudio };

// One entry of a pull-down: a command whose text ("label,keys") is the setting `key` of the menu's group,
// a command with a fixed label and no hot key (`key` null), or a separator (`command` 0).
struct MenuEntry {
  const char16_t* key;
  int32_t command;
  Shown shown = Shown::kAlways;
  const char16_t* fixedLabel = nullptr;
};

constexpr MenuEntry kSeparator{nullptr, 0};
constexpr MenuEntry kDeveloperSeparator{nullptr, 0, Shown::kDeveloper};

constexpr MenuEntry Developer(const char16_t* label, int32_t command) {
  return {nullptr, command, Shown::kDeveloper, label};
}

constexpr MenuEntry kFileMenu[] = {
    {u"New", 10001},
    {u"Open", 10002},
    {u"CloseWindow", CloseWindowEvent},
    {u"Save", 10003},
    {u"SaveAs", 10004},
    {u"SaveAsFalse", 10005},
    {u"SaveQXF", 10127},
    kSeparator,
    {u"SchedulePrev", 10582},
    {u"ScheduleGoto", 10583},
    {u"ScheduleNext", 10584},
    kSeparator,
    {u"Options", 10131},
    kSeparator,
    {u"Exit", ExitEvent},
};

constexpr MenuEntry kChartMenu[] = {
    {u"ExportBitmap", 10480},
    kSeparator,
    {u"OverlayMode", 10531},
    {u"OverlayClear", 10532},
    kSeparator,
    {u"Options", 10133},
    kSeparator,
    {u"PrinterSetup", 10481},
    {u"Print", 10482},
    kDeveloperSeparator,
    Developer(u"Show Data...", 10167),
    kDeveloperSeparator,
    Developer(u"Raw X Only", 10169),
    Developer(u"Raw Y Only", 10170),
    Developer(u"Filtered X Only", 10171),
    Developer(u"Filtered Y Only", 10172),
    Developer(u"Summed X and Y", 10173),
    kDeveloperSeparator,
    Developer(u"Modify Local Algorithm Settings...", 10174),
    Developer(u"Show Local Algorithm Reaction Time", 10175),
};

constexpr MenuEntry kResultsMenu[] = {
    {u"AddKestroves", 10528},
    {u"DownloadTraces", 10529},
    kSeparator,
    {u"PrinterSetup", 10526},
    {u"Print", 10527},
    kSeparator,
    {u"AllChartsMode", 10533},
    kSeparator,
    {u"Options", 10135},
};

constexpr MenuEntry kHardwareMenu[] = {
    {u"UpdateFirmware", 10176},
    {u"LoadAudio", 10177, Shown::kDeveloperOrGunAudio},
    kSeparator,
    {u"Options", 10132},
};

constexpr MenuEntry kScoreboardMenu[] = {
    {u"Initialize", 10152},
    {u"Refresh", 10157},
    kSeparator,
    {u"TimeOfDay", 10158},
    {u"TimeOfDay24Hour", 10159},
    {u"EditMessage", 10161},
    {u"SendMessage", 10162},
    kSeparator,
    {u"Options", 10134},
};

constexpr MenuEntry kWindowMenu[] = {
    {u"Cascade", CascadeCommand},
    {u"TileHoriz", TileHorizontalCommand},
    {u"TileVert", TileVerticalCommand},
    kSeparator,
};

constexpr MenuEntry kHelpMenu[] = {
    {u"Contents", 10129},
    kSeparator,
    {u"About", 10128},
};

bool IsShown(Shown shown, const MainMenuOptions& options) {
  switch (shown) {
    case Shown::kAlways:
      return true;
    case Shown::kDeveloper:
      return options.developer;
    case Shown::kDeveloperOrGunAudio:
      return options.developer || options.gunAudio;
  }
  return false;
}

KString MenuText(const char16_t* group, const char16_t* key) {
  KString path(u"\\Strings\\MenuBar\\");
  path.Append(group).AppendChar(u'\\').Append(key);
  return QvSettings::Text(path.CStr());
}

KZPopUpItem* MakeItem(const char16_t* group, const MenuEntry& entry) {
  if (entry.command == 0) {
    return new KZPopUpItem(ZAF_ITEM_SEPARATOR);
  }
  if (!entry.key) {
    return new KZPopUpItem(entry.command, 0u, entry.fixedLabel, ZAF_ITEM_ORDINARY);
  }
  return new KZPopUpItem(entry.command, MenuText(group, entry.key).CStr(), ZAF_ITEM_ORDINARY);
}

template <size_t N>
KZPullDownItem* MakePullDown(const char16_t* group, const MenuEntry (&entries)[N],
                             const MainMenuOptions& options) {
  auto* pullDown = new KZPullDownItem(MenuText(group, u"Title").CStr());
  for (const MenuEntry& entry : entries) {
    if (IsShown(entry.shown, options)) {
      pullDown->AddMenuItem(MakeItem(group, entry));
    }
  }
  return pullDown;
}

}  // namespace

MainMenuBar BuildMainMenuBar(const MainMenuOptions& options) {
  // Milliseconds; 0 has no watchdog.
  auto* bar = new KZPullDownMenu(QvSettings::Int(u"\\Hardware\\MenuTimeOut", kDefaultMenuTimeOut,
                                                 {0, INT32_MAX, QvSettings::Outside::kNearestEnd}));
  KZPullDownItem* windowMenu = MakePullDown(u"Window", kWindowMenu, options);
  for (KZPullDownItem* pullDown : {
           MakePullDown(u"File", kFileMenu, options),
           MakePullDown(u"Chart", kChartMenu, options),
           MakePullDown(u"Results", kResultsMenu, options),
           MakePullDown(u"Hardware", kHardwareMenu, options),
           MakePullDown(u"Scoreboard", kScoreboardMenu, options),
           windowMenu,
           MakePullDown(u"Help", kHelpMenu, options),
       }) {
    bar->Add(pullDown);
  }
  return {bar, windowMenu};
}
