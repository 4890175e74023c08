#pragma once
// The program's application object. Its start routine owns the whole run: the log, the settings tree, the
// framework data file, the question before a second copy runs, the class set-ups, the long-lived device
// objects, the splash window, the main frame and the main loop; after the loop it undoes all of it in a
// fixed order and writes the configuration back. It also shows the program's alerts and questions.

#include <cstdint>
#include <memory>

#include "foundation/kfile.h"
#include "foundation/klist.h"
#include "foundation/kstring.h"
#include "native/shell/ddeapi.h"
#include "toolkit/kzapplication.h"

class KRegistry;
class KZSplash;
class KZStatusBar;
class LinkWaitRelay;
class ProgramErrorSystem;
class ProgramReporter;
class QvBlockSensors;
class QvSchedule;
class QvScoreboards;
class QvZControl;
class SettingsFiles;
class ZafErrorSystem;
class YHardware;

class YZApplication : public KZApplication {
 public:
  // The name the running copies are counted under.
  static constexpr const char* kInstanceCounter = "Kestrove Pellacorvine";
  // The shortest time the splash window stays up, in milliseconds.
  static constexpr int32_t kSplashTime = 3000;

  YZApplication(int argc, ZafIChar** argv);
  ~YZApplication() override;
  YZApplication(const YZApplication&) = delete;
  YZApplication& operator=(const YZApplication&) = delete;

  // The application object of the run, null when there is none (or it is not the program's).
  static YZApplication* Current();

  // Runs the program; the exit code: 0 after a normal run or when the user declines to run a second copy,
  // -1 when the framework data file cannot be opened.
  int32_t Start() override;

  // Asks for the high priority class and the lowest priority of the GUI thread; true whatever is granted.
  static bool RaisePriority();
  static const KString& Version();
  static const KString& BuildDate();
  // The edition shown after the version: none.
  static const KString& ProductName();

  // The command service: offered by the first running copy unless "-noddeserver" is given. True when it
  // runs or is not to run, false when it could not start.
  bool StartDdeServer();
  bool DdeServerRunning() const { return ddeInstance != 0; }
  // The command another program sent, waiting for the main loop's next idle step or being carried out;
  // empty when there is none.
  const KString& PendingCommand() const { return ddeCommand; }
  // Serves the waiting command (in the main loop only), then the toolkit's idle step.
  bool Idle(int32_t idleCount) override;
  // Takes the scoreboards' Initialize and Refresh (and the codes between) out of the stream: no window sees
  // them.
  bool GetEvent(ZafEventRecord& event, uint32_t flags) override;

  bool ConfigLoaded() const;
  bool Debug() const { return debug; }
  // The folders of "\Database\File\DataInDir" and "...\DataOutDir", each with a trailing '/'; empty before
  // the settings exist.
  const KFile& DataInDir() const;
  const KFile& DataOutDir() const;
  // The program's file types, in the order the open and save dialogs offer them.
  const KList& FileTypes() const { return fileTypes; }

  // The long-lived objects; null outside the run (the scoreboards also when none are configured).
  KRegistry* Settings() const { return settingsRoot.get(); }
  SettingsFiles* Files() const { return settingsFiles.get(); }
  YHardware* Hardware() const { return hardware.get(); }
  QvSchedule* Schedule() const { return schedule.get(); }
  QvBlockSensors* BlockSensors() const { return blockSensors.get(); }
  QvScoreboards* Scoreboards() const { return scoreboards.get(); }
  QvZControl* Frame() const { return frame; }
  KZStatusBar* StatusBar() const { return statusBar; }
  // The reporter of every wait of a serial link that holds the GUI thread: it lives as long as the object.
  LinkWaitRelay* LinkWaits() const { return linkWaits.get(); }

  // ---- alerts (GUI thread only) ----
  // The numbered error alert: the text of "\Strings\Errors\<code>", else of the code's thousand, else the
  // operation-failed text, then " (code)." or " (code,subCode)." (a sub-code below 0 is left out).
  void ShowError(int32_t code, int32_t subCode);
  // The sentence of the numbered error alert.
  KString ErrorText(int32_t code, int32_t subCode) const;
  // Error and message windows with an Ok button; true when the answer was Ok or Yes.
  bool Error(const KString& text);
  bool Error(const KString& title, const KString& text);
  bool Message(const KString& text);
  bool Message(const KString& title, const KString& text);
  // Questions offering Abort and Retry (and Ignore), Retry the default; the result code of the button
  // (-2996 Abort, -2995 Retry, -2994 Ignore), or whatever the window ended with when it was closed.
  int32_t Ask(const KString& title, const KString& text);
  int32_t AskCancel(const KString& title, const KString& text);

  const KString& OperationFailedText() const { return operationFailedText; }
  const KString& ErrorTitle() const { return errorTitle; }
  const KString& MessageTitle() const { return messageTitle; }

 protected:
  // An exception escaped a handler in the loop: the numbered alert of the number.
  void ErrorAlert(int32_t number) override;
  // The program's clock seam: waits the milliseconds (the rest of the splash time). Tests move their
  // virtual clock instead of sleeping.
  virtual void Wait(int32_t milliseconds);
  // Called with the name of each step of the start routine and of each class set-up and clean-up as it
  // begins; tests record the order.
  virtual void Reached(const char* step);

 private:
  // The settings tree with the built-in texts and values, and the alert titles: every alert's texts and
  // button labels are among them.
  void StartBuiltInSettings();
  // The configuration and the language over the built-in settings, and the alert titles they give.
  void StartSettings();
  // The framework data file and the question before a second copy; false, with the exit code, when the
  // run ends there.
  bool StartDataFileAndInstance(int32_t& exitCode);
  void CreateLongLivedObjects();
  void CreateFileTypes();
  void ShowMainFrame();
  void Shutdown();
  void DeleteLongLivedObjects();
  void RunClassSteps(bool setups);
  // Takes the splash window down when it is up.
  void RemoveSplash();
  // What every way out of the start routine does last: the settings tree and the log go.
  int32_t EndRun(int32_t exitCode);
  void TakeAlertTitles();
  static native::HDDEDATA DdeCallback(native::UINT type, native::UINT format, native::HCONV conversation,
                                      native::HSZ topic, native::HSZ service, native::HDDEDATA data,
                                      native::ULONG_PTR data1, native::ULONG_PTR data2);
  native::HDDEDATA TakeCommand(native::HDDEDATA data);
  void ServeCommand();
  void EndDdeServer();
  int32_t RunQuestion(const KString& title, const KString& text, uint32_t buttons);

  // The alert titles start with room for 31 characters and grow with longer texts.
  static constexpr int32_t kAlertTitleCapacity = 31;

  bool debug = false;
  native::DWORD ddeInstance = 0;
  native::HSZ serviceName = nullptr;
  native::HSZ topicName = nullptr;
  KString511 ddeCommand;
  bool servingCommand = false;
  KString operationFailedText{kAlertTitleCapacity};
  KString errorTitle{kAlertTitleCapacity};
  KString messageTitle{kAlertTitleCapacity};
  // The display's font slot of the splash texts, -1 when it could not be made.
  int32_t splashFontSlot = -1;

  std::unique_ptr<KRegistry> settingsRoot;
  std::unique_ptr<SettingsFiles> settingsFiles;
  // The reporter and the relay come before the devices that are handed them, so that they outlive the
  // devices when a start that threw leaves the devices to these members' destruction.
  std::unique_ptr<ProgramReporter> reporter;
  std::unique_ptr<LinkWaitRelay> linkWaits;
  std::unique_ptr<ProgramErrorSystem> errorSystem;
  std::unique_ptr<YHardware> hardware;
  std::unique_ptr<QvSchedule> schedule;
  std::unique_ptr<QvBlockSensors> blockSensors;
  std::unique_ptr<QvScoreboards> scoreboards;
  // The framework's own, put back when the run ends.
  ZafErrorSystem* frameworkErrorSystem = nullptr;
  KList fileTypes;
  // Owned by the window manager while shown.
  KZSplash* splash = nullptr;
  QvZControl* frame = nullptr;
  KZStatusBar* statusBar = nullptr;
};
