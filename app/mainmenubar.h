#pragma once
// The main frame's menu bar: seven pull-downs whose labels and hot keys come from the
// "\Strings\MenuBar\..." texts of the settings, each item with its command. The developers' chart views
// and the audio upload are shown only when the program was started with the options that ask for them.

class KZPullDownItem;
class KZPullDownMenu;

struct MainMenuOptions {
  // "-devel": the chart's data views and the local reaction-time algorithm, and Load Audio.
  bool developer = false;
  // "-gunaudio": Load Audio.
  bool gunAudio = false;
};

struct MainMenuBar {
  KZPullDownMenu* bar;
  // The Window pull-down, below whose items the frame lists its document windows.
  KZPullDownItem* windowMenu;
};

// A new menu bar (its watchdog delay from "\Hardware\MenuTimeOut") with every pull-down built.
MainMenuBar BuildMainMenuBar(const MainMenuOptions& options);
