#include "app/yzapplication.h"

#include "app/classsetups.h"
#include "app/producttitle.h"
#include "app/programerrorsystem.h"
#include "app/programreporter.h"
#include "app/qvzcontrol.h"
#include "app/qvzstatusbar.h"
#include "app/settingsfiles.h"
#include "app/terminationsignals.h"
#include "devices/linkwaitrelay.h"
#include "devices/qvblocksensors.h"
#include "devices/qvschedule.h"
#include "devices/qvscoreboards.h"
#include "devices/yhardware.h"
#include "foundation/kfileextension.h"
#include "foundation/klog.h"
#include "foundation/kregistry.h"
#include "foundation/krstring.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"
#include "framework/core/zaficon.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafgdidisplay.h"
#include "imaging/yimageblockmanager.h"
#include "imaging/yimagereporter.h"
#include "model/qvsettings.h"
#include "native/shell/priority.h"
#include "native/user/keyboard.h"
#include "native/user/modalpasses.h"
#include "native/user/sysinfo.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzfonttable.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzsplash.h"

namespace {

// The splash texts' font: 720 over the display's 72 points to the inch, rounded up (10 points).
constexpr const char16_t* kSplashFace = u"Arial";
constexpr int32_t kSplashFontSize = 720;
constexpr int32_t kPointsPerInch = 72;
constexpr int32_t kSplashPointSize = (kSplashFontSize + kPointsPerInch - 1) / kPointsPerInch;

struct FileType {
  const char16_t* extension;
  const char16_t* descriptionPath;
  const char16_t* defaultDescription;
};

// In the order the file dialogs offer them.
constexpr FileType kFileTypes[] = {
    {u"qvw", u"\\Strings\\FileTypes\\Workout", u"Kestrove Workout (*.qvw)"},
    {u"qve", u"\\Strings\\FileTypes\\Event", u"Kestrove Event (*.qve)"},
    {u"txt", u"\\Strings\\FileTypes\\Text", u"Text (*.txt)"},
    {u"img", u"\\Strings\\FileTypes\\ROMImage", u"Kestrove ROM Image (*.img)"},
    {u"wav", u"\\Strings\\FileTypes\\Sound", u"Sound (*.wav)"},
    {u"tga", u"\\Strings\\FileTypes\\Targa", u"Targa File"},
    {u"jpg", u"\\Strings\\FileTypes\\JPEG", u"JPEG File"},
};

bool KeyHeld(native::UINT key) {
  return native::GetKeyState(static_cast<int>(key)) < 0;
}

ZafGdiDisplay* GdiDisplay() {
  return dynamic_cast<ZafGdiDisplay*>(ZafWindowObject::display);
}

}  // namespace

YZApplication::YZApplication(int argc, ZafIChar** argv)
    : KZApplication(argc, argv),
      reporter(std::make_unique<ProgramReporter>()),
      linkWaits(std::make_unique<LinkWaitRelay>(reporter.get())),
      errorSystem(std::make_unique<ProgramErrorSystem>()) {
  debug = FindArgument(u"-debug") != nullptr;
  operationFailedText = u"Operation failed";
  errorTitle = u"Error";
  messageTitle = u"Message";
  CheckInstance(kInstanceCounter);
  if (ZafGdiDisplay* display = GdiDisplay()) {
    splashFontSlot = display->ConvertToOSFont(-1, kSplashFace, kSplashPointSize, false, false);
  }
  productInfo.version = Version();
  productInfo.edition = ProductName();
  productInfo.buildDate = BuildDate();
  if (splashFontSlot >= 0) {
    productInfo.splashFont = splashFontSlot;
  }
}

YZApplication::~YZApplication() {
  EndDdeServer();
  if (ZafGdiDisplay* display = GdiDisplay(); display && splashFontSlot >= 0) {
    display->DestroyOSFont(splashFontSlot);
  }
}

YZApplication* YZApplication::Current() {
  return dynamic_cast<YZApplication*>(application);
}

bool YZApplication::RaisePriority() {
  native::SetPriorityClass(native::GetCurrentProcess(), native::HIGH_PRIORITY_CLASS);
  native::SetThreadPriority(native::GetCurrentThread(), native::THREAD_PRIORITY_LOWEST);
  return true;
}

const KString& YZApplication::Version() {
  static const KString version(kProductVersion);
  return version;
}

const KString& YZApplication::BuildDate() {
  static const KString date(u"Jul 28 2020");
  return date;
}

const KString& YZApplication::ProductName() {
  static const KString name;
  return name;
}

bool YZApplication::ConfigLoaded() const {
  return settingsFiles && settingsFiles->ConfigLoaded();
}

const KFile& YZApplication::DataInDir() const {
  static const KFile none;
  return settingsFiles ? settingsFiles->DataInDir() : none;
}

const KFile& YZApplication::DataOutDir() const {
  static const KFile none;
  return settingsFiles ? settingsFiles->DataOutDir() : none;
}

void YZApplication::ErrorAlert(int32_t number) {
  ShowError(number, -1);
}

void YZApplication::Wait(int32_t milliseconds) {
  KSleep(milliseconds);
}

void YZApplication::Reached(const char*) {}

// ---- start-up ----

int32_t YZApplication::Start() {
  KLog programLog(KLog::LogPathFor(ProgramFile().Name().ToUtf8()));
  KLog::SetProgramLog(&programLog);
  Reached("log");
  RaisePriority();
  Reached("priority");
  // From here on a termination signal ends the program as File > Exit does (at the main loop, when it
  // comes during the start).
  const TerminationSignals signals;
  // The window system's menus and dialogs run the idle work that answers the links, and wait as the
  // program's loop waits. A command another program sent is carried out by the program's loop only.
  native::ModalPasses::SetService([this] {
    ClearIdleTimeout();
    KZApplication::Idle(0);
    return IdleTimeout().value_or(native::INFINITE);
  });
  // Every alert measures its texts with the table, so it comes before anything that could show one.
  KZFontTable::InitFonts();
  Reached("screen fonts");
  // After the font table and the built-in texts: the alert of a service that cannot start measures its
  // text with the one and takes its texts from the other.
  StartBuiltInSettings();
  Reached("command service");
  if (!StartDdeServer()) {
    ShowError(kErrDdeServer, -1);
  }
  // The framework's error box would run a loop of its own, without idle ticks; the program's box runs the
  // program's loop.
  frameworkErrorSystem = ZafErrorSystem::ErrorSystem();
  ZafErrorSystem::SetErrorSystem(errorSystem.get());

  Reached("splash");
  splash = new KZSplash();
  ZafWindowObject::windowManager->Add(splash);
  Control(nullptr, true);
  const uint32_t splashDeadline = native::GetTickCount() + kSplashTime;

  StartSettings();
  int32_t exitCode = 0;
  if (!StartDataFileAndInstance(exitCode)) {
    return EndRun(exitCode);
  }
  RunClassSteps(true);
  CreateLongLivedObjects();
  CreateFileTypes();

  Reached("splash time");
  const int32_t rest = KTickDifference(splashDeadline, native::GetTickCount());
  if (rest > 0) {
    Wait(rest);
  }
  RemoveSplash();
  ShowMainFrame();
  Reached("main loop");
  Control(nullptr, false);

  Shutdown();
  return EndRun(0);
}

void YZApplication::StartBuiltInSettings() {
  Reached("built-in settings");
  KRegistry::RegisterTypes();
  settingsRoot = std::make_unique<KRegistry>();
  QvSettings::SetRoot(settingsRoot.get());
  settingsFiles = std::make_unique<SettingsFiles>(*settingsRoot, ProgramFile().Name());
  settingsFiles->LoadDefaults();
  TakeAlertTitles();
}

void YZApplication::StartSettings() {
  Reached("settings");
  if (!FindArgument(u"-noregistry")) {
    Reached("configuration");
    if (!settingsFiles->LoadConfig()) {
      ShowError(kErrConfigLoad, -1);
    }
    settingsFiles->ScanLanguages();
    if (!settingsFiles->ConfigLoaded()) {
      if (KRString* choice = KRegistry::GetStringNode(settingsRoot.get(), u"\\Language\\Choice")) {
        choice->NotifyChanged(SelectLanguage());
      }
    }
    Reached("language");
    settingsFiles->LoadLanguage();
    if (!settingsFiles->ConfigLoaded()) {
      settingsFiles->LoadFirstRunDefaults();
    }
  }
  TakeAlertTitles();
}

void YZApplication::TakeAlertTitles() {
  operationFailedText = QvSettings::Text(u"\\Strings\\Alerts\\OperationFailed");
  errorTitle = QvSettings::Text(u"\\Strings\\Alerts\\Error");
  messageTitle = QvSettings::Text(u"\\Strings\\Alerts\\Message");
}

bool YZApplication::StartDataFileAndInstance(int32_t& exitCode) {
  Reached("data file");
  if (!OpenDataFile(nullptr)) {
    ShowError(kErrResources, -1);
    exitCode = -1;
    return false;
  }
  if (InstanceNumber() > 1) {
    Reached("second copy");
    KString title(QvSettings::Text(u"\\Strings\\Alerts\\CopyTitle"));
    title.AppendChar(u' ').AppendInt(InstanceNumber());
    const KString text(QvSettings::Text(u"\\Strings\\Alerts\\CopyText"));
    if (!KZMessageWindow::Ask(title.CStr(), text.CStr(), KZDialog::kOk | KZDialog::kCancel, KZDialog::kCancel,
                              ZAF_ICON_QUESTION)) {
      exitCode = 0;
      return false;
    }
  }
  return true;
}

void YZApplication::RunClassSteps(bool setups) {
  ClassStepContext context;
  ProgramFile().GetDirectory(context.programFolder);
  context.probeSerialPorts = FindArgument(u"-noserialport") == nullptr;
  context.dataOutFolder = DataOutDir().Name();
  context.noOverlay = FindArgument(u"-nooverlay") != nullptr;
  for (const ClassStep& step : setups ? ClassSetups() : ClassCleanups()) {
    Reached(step.name);
    step.run(context);
  }
}

void YZApplication::CreateLongLivedObjects() {
  Reached("long-lived objects");
  hardware = std::make_unique<YHardware>(ZafWindowObject::display->cellWidth);
  schedule = std::make_unique<QvSchedule>(linkWaits.get());
  blockSensors = std::make_unique<QvBlockSensors>();
  QvBlockSensors::SetGlobal(blockSensors.get());
  blockSensors->SetReporter(reporter.get());
  blockSensors->SetWaitReporter(linkWaits.get());
  YImageReporter::Connect(reporter.get());
  if (QvSettings::Bool(u"\\Scoreboards\\Boot", true) && QvScoreboards::Count() > 0) {
    scoreboards = std::make_unique<QvScoreboards>();
  }
}

void YZApplication::CreateFileTypes() {
  Reached("file types");
  for (const FileType& type : kFileTypes) {
    fileTypes.Add(new KFileExtension(KString(type.extension),
                                     QvSettings::Text(type.descriptionPath, type.defaultDescription)));
  }
}

void YZApplication::RemoveSplash() {
  if (splash) {
    ZafWindowObject::windowManager->Subtract(splash);
    delete splash;
    splash = nullptr;
  }
}

void YZApplication::ShowMainFrame() {
  Reached("main frame");
  frame = new QvZControl(*hardware, schedule.get());
  mainFrame = frame;
  mainMenuBar = QvZControl::GetMenuBar();
  statusBar = QvZControl::GetStatusBar();
  ZafWindowObject::windowManager->Add(frame);
}

// ---- shutdown ----

void YZApplication::Shutdown() {
  DeleteLongLivedObjects();
  RunClassSteps(false);
  if (KeyHeld(native::VK_CONTROL) && KeyHeld(native::VK_SHIFT)) {
    Reached("language file");
    settingsFiles->WriteLanguage();
  }
  if (!FindArgument(u"-noregistry")) {
    Reached("save configuration");
    if (!settingsFiles->SaveConfig()) {
      ShowError(kErrConfigSave, -1);
    }
  }
}

void YZApplication::DeleteLongLivedObjects() {
  Reached("delete long-lived objects");
  // The frame's tool bar is entered in the hardware manager's view and shows the bitmaps of the class
  // clean-ups, so the frame goes first; the loop has ended and nothing shows it any more.
  if (frame) {
    mainFrame = nullptr;
    mainMenuBar = nullptr;
    statusBar = nullptr;
    ZafWindowObject::windowManager->Subtract(frame);
    delete frame;
    frame = nullptr;
  }
  YImageReporter::Connect(nullptr);
  scoreboards.reset();
  schedule.reset();
  hardware.reset();
  YImageBlockManager::DeleteGlobal();
  QvBlockSensors::SetGlobal(nullptr);
  blockSensors.reset();
}

int32_t YZApplication::EndRun(int32_t exitCode) {
  native::ModalPasses::SetService({});
  RemoveSplash();
  // On an early way out the class steps never ran; the font table goes all the same.
  KZFontTable::ExitFonts();
  ZafErrorSystem::SetErrorSystem(frameworkErrorSystem);
  fileTypes.Clear();
  settingsFiles.reset();
  QvSettings::SetRoot(nullptr);
  settingsRoot.reset();
  KRegistry::UnregisterTypes();
  KLog::SetProgramLog(nullptr);
  return exitCode;
}
