#pragma once
// The hardware manager: the program-wide owner of the device interfaces (cameras and timing devices that a
// device library supplies), the capture state and capture buffer, the armed events, the ring of the last
// start times and the layout model of the hardware windows. This program ships no device library: the
// interface list stays empty, so every device call answers 0 or false and no capture starts.
// It is also the images' capture service: an image starts and stops its camera through it, and the blocks
// that camera delivers go to that image.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "devices/yhardwareview.h"
#include "foundation/kmessage.h"
#include "foundation/kmutex.h"
#include "foundation/kstring.h"
#include "imaging/ycaptureservice.h"
#include "model/ytime.h"

class QvEvent;
class YCamera;
class YImage;
class YImageBlockManager;
class YImageBlocks;
class YInterface;
class YLeg;

class YHardware : public KMessageObject, public YCaptureService {
 public:
  enum CaptureState : int32_t { kIdle = 0, kPrepared = 1, kStarted = 2 };
  static constexpr int32_t kStartRingSize = 125;
  static constexpr int32_t kShownStarts = 100;
  static constexpr int32_t kBlockBytes = 16000;

  // characterWidth: the display's character width, for the view's designed columns. The manager is the
  // images' capture service from construction to destruction.
  explicit YHardware(int32_t characterWidth);
  ~YHardware() override;
  YHardware(const YHardware&) = delete;
  YHardware& operator=(const YHardware&) = delete;

  YHardwareView& View() { return view; }
  // Run on every idle tick. The devices report through their own calls (blocks, starts), so there is
  // nothing to poll between them.
  void Idle();
  // Sends a notification (21-24, 40) to the view, which passes it to its windows.
  void Notify(int32_t code);

  // ---- device interfaces ----
  // A device library hands over its interfaces.
  void AddInterface(std::unique_ptr<YInterface> device);
  int32_t Flag4342() const { return static_cast<int32_t>(interfaces.size()); }
  bool InterfaceCall8(int32_t number, YCamera& camera);
  bool InterfaceCall9(int32_t number);
  bool InterfaceCall16(int32_t id, char16_t command, char16_t mode);
  bool InterfaceCall18(int32_t number);
  int32_t LaneLineCount(int32_t id);
  int32_t LaneLine(int32_t id, int32_t index);
  bool SetLaneLine(int32_t id, int32_t index, int32_t value);
  int32_t LanesReversed(int32_t id);
  // The serial ports all interfaces offer, numbered from 256 in interface order.
  int32_t DevicePortCount();

  // ---- capture ----
  bool PrepareCapture();
  // Starts every device capturing for the event's leg; false with LastError set from
  // "\Strings\Hardware\Capture\Error\", and then no device is left running.
  bool StartCapture(QvEvent& event, YLeg& leg);
  // Stops every running device and ends the capture.
  void StopCapture();

  // ---- the images' capture service; a camera is the device interface whose id is the camera number ----
  bool SetUpCapture(int32_t camera, const YCamera& settings) override;
  // Starts the camera for the image's leg and document; its blocks go to the image from then on. False
  // for an unknown or already running camera, an image outside a leg of a document, or an image whose
  // blocks are not in the image block pool. The first running camera starts the capture.
  bool StartCapture(int32_t camera, YImage& image) override;
  // Stops a running camera; the last one to stop ends the capture.
  bool StopCapture(int32_t camera) override;
  bool ReadCamera(int32_t camera, YCamera& settings) override;
  void ReleaseImage(YImage& image) override;
  int32_t IsCaptureStarted() const { return captureState; }
  const KString& LastError() const { return lastError; }
  // A query that changes nothing: a capture has started on an interface and it is still delivering.
  bool StopAll();
  // When a capture has started: stops it, gives the capture buffer back, clears the state and notifies the
  // hardware list; true. Else false.
  bool IsCapturing();
  bool AlignCapture(int32_t number, int32_t lineRate);
  bool CaptureTrigger();
  bool CaptureControl(int32_t code);
  bool PlugInReady();
  bool ManualStart(const YTime* offset, bool flag);
  // A device hands over one captured block (16000 bytes) of a camera: it is checked out of the image
  // block pool and marked with the camera number; it goes to the image the camera captures into (see
  // YImage::AddCapturedBlock), or, for a camera started without one, is kept unsaved in the capture
  // buffer. False when no capture has started, the size is wrong, there is no pool, the pool has no block
  // to give or the image refuses the block (which then goes back to the pool).
  bool AddCapturedBlock(int32_t camera, const uint8_t* bytes, int32_t count);
  int32_t CapturedBlockCount() const;
  // The camera number of the captured block n; -1 when there is none.
  int32_t CapturedBlockCamera(int32_t n) const;

  // ---- armed events and start times ----
  void Arm(QvEvent* event);
  void Disarm(QvEvent* event);
  bool IsArmed(const QvEvent* event) const;
  const std::vector<QvEvent*>& ArmedEvents() const { return armed; }
  // A device reports a start.
  void AddStartTime(const YTime& time);
  // Under the mutex: shown = min(counter, 100), overflow = counter - shown; true.
  bool GetStartCount(int32_t& shown, int32_t& overflow);
  // Under the mutex: the start at `index` (0 the first ever recorded) while it is still in the ring of the
  // last 125; false otherwise.
  bool GetStartTime(int32_t index, YTime& time);
  // Unless a capture has started, reads "\Hardware\KeyboardButton" again; the cached flag.
  bool UseKeyboardButton();

 private:
  YInterface* ByNumber(int32_t number) const;
  YInterface* ById(int32_t id) const;
  void Fail(const char16_t* key, const char16_t* fallback);
  void ResetCapture();
  void BeginCapture(YImageBlockManager& pool);
  void EndCapture();
  bool IsRunning(const YInterface* device) const;
  YImage* Target(int32_t camera) const;

  YHardwareView view;
  std::vector<std::unique_ptr<YInterface>> interfaces;
  // The devices started and not yet stopped, and the image each started camera captures into.
  std::vector<YInterface*> running;
  std::map<int32_t, YImage*> targets;
  KMutex mutex;
  int32_t captureState = kIdle;
  int32_t capturesStarted = 0;
  int32_t capturesEnded = 0;
  KString lastError;
  std::unique_ptr<YImageBlocks> captureBuffer;
  int32_t nextBlockNumber = 0;
  std::vector<QvEvent*> armed;
  std::array<YTime, kStartRingSize> startRing{};
  int32_t startCounter = 0;
  bool keyboardButton = false;
};
