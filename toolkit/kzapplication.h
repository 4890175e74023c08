// The program's application object: the one event loop that every window and modal dialog runs, the idle
// step with its idle tick to the main frame, the main menu's hot keys, the mouse capture, the running
// instance count, the framework data file, the command-line options, the exit query and the draining of
// queued keys. The program derives its own application from it.
#ifndef TOOLKIT_KZAPPLICATION_H
#define TOOLKIT_KZAPPLICATION_H

#include <cstdint>
#include <memory>
#include <optional>

#include "foundation/kfile.h"
#include "foundation/kstring.h"
#include "framework/core/zafapplication.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafeventtypes.h"
#include "framework/core/zafwindowmanager.h"
#include "native/user/nativetypes.h"
#include "toolkit/kzproductinfo.h"

class KZPullDownMenu;
class ZafObjectPersistence;
class ZafStorage;
class ZafWindow;
class ZafWindowObject;

class KZApplication : public ZafApplication {
 public:
  // Capture flags: hide the pointer while captured; feed the last mouse event to the capturing object on
  // every idle pass; keep sending the idle tick while captured.
  static constexpr uint32_t kCaptureHidesPointer = 1;
  static constexpr uint32_t kCaptureFeedsMouse = 2;
  static constexpr uint32_t kCaptureKeepsIdleTick = 4;
  // How often a capture that feeds the mouse is fed, in milliseconds.
  static constexpr uint32_t kCaptureFeedMs = 1;
  // The numbered alert of an exception that escaped a handler in the loop.
  static constexpr int32_t kLoopExceptionAlert = 1001;

  KZApplication(int argc, ZafIChar** argv);
  ~KZApplication() override;

  // One idle step: false stops the idle steps until the next event.
  virtual bool Idle(int32_t idleCount);
  // Idle work that must run again within `milliseconds` says so during its idle step: after the pass the
  // loop waits for input no longer than the earliest such time. Work that asks nothing lets the loop wait
  // until input comes. Without an application object nothing waits, so nothing is asked.
  static void IdleAgainWithin(uint32_t milliseconds);
  // How long the loop may now wait for input before the next idle pass, in milliseconds; none for as
  // long as it takes.
  std::optional<uint32_t> IdleTimeout() const;
  // Forgets the times asked for, as the loop does before each idle pass.
  void ClearIdleTimeout() { idleDue.reset(); }
  // The next event; false when none was there. A key the main menu's hot keys take answers the command it
  // queued, at once. They are offered when nothing holds the pointer capture, or an in-place field does and
  // no modal window runs.
  virtual bool GetEvent(ZafEventRecord& event, uint32_t flags);
  // The loop: runs until the program exits (LoopExitResult), the modal window loses its native window
  // (LoopModalGoneResult) or answers an event that closes it (that event's type). With `once` it returns
  // at the first pass that finds no event, without an idle step.
  virtual ZafEventType Control(ZafWindow* modal, bool once);
  // The idle count after an idle step that answered `answer`: one more, held at the largest int32, or -1
  // (no idle steps until the next event) when the step refused.
  static int32_t NextIdleCount(int32_t idleCount, bool answer);
  // The program's start routine, run by KZWinMain; its answer is the process exit code.
  virtual int32_t Start() = 0;

  // The instance number under the named counter: 1 for the only running instance, else one more than the
  // last instance started while any was running.
  int32_t CheckInstance(const char* counterName);
  int32_t InstanceNumber() const { return instanceNumber; }
  // The first argument after the program's path that begins with `option`, ignoring case; null when none.
  const ZafIChar* FindArgument(const ZafIChar* option) const;
  const KFile& ProgramFile() const { return programFile; }

  // Asks the mouse device for the pointer image.
  void SetMouseImage(ZafEventType image);
  // Gives the object the mouse capture with the flags (a held capture keeps its object and flags and only
  // renews the system capture); null releases it.
  void SetCapture(ZafWindowObject* object, uint32_t flags);
  ZafWindowObject* CaptureObject() const { return captureObject; }

  // Throws away every queued key message of the thread; true when there was any. It takes the keys the
  // display host holds too, but leaves the screen for the loop's next wait: it is asked as something is
  // about to be drawn (a box about to show), whose picture then goes out once, whole.
  bool FlushKeys();
  // Takes the main frame's break key (BreakEvent) out of the queue where it lies, each one queued, and
  // leaves every other key and click where it is, in its order: what is typed and clicked while the
  // program works or waits is acted on after it. True when the break key was there. TakeBreakKey first
  // lets in what the display holds; TakeQueuedBreakKey looks only at the input let in already, for a
  // wait whose look for paints has just let it in.
  bool TakeBreakKey();
  bool TakeQueuedBreakKey();

  // Opens the framework data file: `name`, or the program's path with the extension "znc" when that file
  // exists. True when it is open.
  bool OpenDataFile(const ZafIChar* name);
  ZafObjectPersistence* ObjectPersistence() const { return objectPersistence.get(); }

  // The window manager's exit function: without a main frame the program may end; otherwise the main
  // frame is asked with QueryExitEvent and a 0 answer refuses (ExitRefusedResult).
  static ZafEventType QueryExit(ZafDisplay* display, ZafEventManager* eventManager,
                                ZafWindowManager* windowManager);

  // The language and locale code ("de_DE.65001"): from "VESK_LANG", completed from the user's locale and
  // the code page; worked out once per run.
  static const KString& SelectLanguage();

  // Set by the program: the application object, the top-level window that receives the application's
  // events, and the main menu bar.
  static KZApplication* application;
  static ZafWindow* mainFrame;
  static KZPullDownMenu* mainMenuBar;

  // The program's texts for the splash window, set by the program.
  KZProductInfo productInfo;

 protected:
  // Shows the program's numbered error alert; the program fills it in. The loop calls it with
  // kLoopExceptionAlert when an exception escapes a handler.
  virtual void ErrorAlert(int32_t number);
  // The pause after an idle pass: waits until input comes on any of the native layer's sources, or until
  // the time the idle work asked for (IdleTimeout).
  virtual void IdleWait();
  // Whether a dialog's or a box's loop runs now; the program's own loop does not count.
  bool InModalLoop() const { return modalWindow != nullptr; }

  ZafEventRecord lastMouseEvent;

 private:
  // Whether a queued key message is the main frame's break key.
  static bool IsBreakKey(const native::MSG& message);

  int32_t instanceNumber = 1;
  ZafWindowObject* captureObject = nullptr;
  uint32_t captureFlags = 0;
  // The window of the innermost modal loop that runs; null outside them.
  ZafWindow* modalWindow = nullptr;
  // The tick count by which the idle work wants its next pass; none when it asked for none.
  std::optional<uint32_t> idleDue;
  native::HANDLE instanceSemaphore = nullptr;
  KFile programFile;
  std::unique_ptr<ZafStorage> dataStorage;
  std::unique_ptr<ZafObjectPersistence> objectPersistence;
};

#endif
