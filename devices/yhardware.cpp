#include "devices/yhardware.h"

#include <algorithm>
#include <cstring>

#include "devices/yinterface.h"
#include "foundation/klog.h"
#include "foundation/kmutex.h"
#include "imaging/yimage.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageblockmanager.h"
#include "imaging/yimageblocks.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "model/yleg.h"

namespace {

// Blocks the pool keeps free for other images while a capture draws on it.
constexpr int32_t kCaptureReserve = 0;

}  // namespace

YHardware::YHardware(int32_t characterWidth) : view(this, characterWidth) {
  YCaptureService::Register(this);
}

YHardware::~YHardware() {
  YCaptureService::Unregister(this);
  ResetCapture();
}

void YHardware::Idle() {
  // The devices report through their own calls (blocks, starts); between them there is nothing to serve.
}

void YHardware::Notify(int32_t code) {
  KMessage message;
  Message(message, static_cast<uint32_t>(code), 0, this);
  view.Receive(message);
}

void YHardware::AddInterface(std::unique_ptr<YInterface> device) {
  if (device != nullptr) {
    interfaces.push_back(std::move(device));
    Notify(YHardwareView::kHardwareList);
  }
}

YInterface* YHardware::ByNumber(int32_t number) const {
  return number >= 0 && number < Flag4342() ? interfaces[number].get() : nullptr;
}

YInterface* YHardware::ById(int32_t id) const {
  const auto found =
      std::find_if(interfaces.begin(), interfaces.end(), [id](const auto& d) { return d->Id() == id; });
  return found != interfaces.end() ? found->get() : nullptr;
}

bool YHardware::InterfaceCall8(int32_t number, YCamera& camera) {
  YInterface* device = ByNumber(number);
  return device != nullptr && device->GetCamera(camera);
}

bool YHardware::InterfaceCall9(int32_t number) {
  YInterface* device = ByNumber(number);
  return device != nullptr && device->Call9();
}

bool YHardware::InterfaceCall16(int32_t id, char16_t command, char16_t mode) {
  YInterface* device = ById(id);
  return device != nullptr && device->Remote(command, mode);
}

bool YHardware::InterfaceCall18(int32_t number) {
  YInterface* device = ByNumber(number);
  return device != nullptr && device->Call18();
}

int32_t YHardware::LaneLineCount(int32_t id) {
  YInterface* device = ById(id);
  return device != nullptr ? device->LaneLineCount() : 0;
}

int32_t YHardware::LaneLine(int32_t id, int32_t index) {
  YInterface* device = ById(id);
  return device != nullptr ? device->LaneLine(index) : 0;
}

bool YHardware::SetLaneLine(int32_t id, int32_t index, int32_t value) {
  YInterface* device = ById(id);
  return device != nullptr && device->SetLaneLine(index, value);
}

int32_t YHardware::LanesReversed(int32_t id) {
  YInterface* device = ById(id);
  return device != nullptr ? device->LanesReversed() : 0;
}

int32_t YHardware::DevicePortCount() {
  int32_t count = 0;
  for (const auto& device : interfaces) {
    count += std::max(0, device->SerialPortCount());
  }
  return count;
}

void YHardware::Fail(const char16_t* key, const char16_t* fallback) {
  KString path(u"\\Strings\\Hardware\\Capture\\Error\\");
  path.Append(key);
  lastError = QvSettings::Text(path.CStr(), fallback);
  if (KLog* log = KLog::ProgramLog()) {
    KString line(u"YHardware::StartCapture: ");
    line.Append(lastError);
    log->Warning(line);
  }
}

bool YHardware::PrepareCapture() {
  if (interfaces.empty() || captureState == kStarted) {
    return false;
  }
  for (const auto& device : interfaces) {
    if (!device->Prepare()) {
      return false;
    }
  }
  captureState = kPrepared;
  return true;
}

bool YHardware::StartCapture(QvEvent& event, YLeg& leg) {
  lastError.Clear();
  if (interfaces.empty()) {
    Fail(u"NoDevice", u"No capture device is present.");
    return false;
  }
  if (captureState == kStarted) {
    Fail(u"Started", u"A capture is already running.");
    return false;
  }
  if (captureState != kPrepared && !PrepareCapture()) {
    Fail(u"NotPrepared", u"The capture devices are not ready.");
    return false;
  }
  YImageBlockManager* pool = YImageBlockManager::Global();
  if (pool == nullptr) {
    Fail(u"NoImageStore", u"There is no image memory for a capture.");
    return false;
  }
  for (const auto& device : interfaces) {
    if (!device->Start(event, leg)) {
      // The devices that did start would capture with nobody to take their blocks.
      for (YInterface* started : running) {
        started->Stop();
      }
      running.clear();
      Fail(u"StartFailed", u"A capture device did not start.");
      return false;
    }
    running.push_back(device.get());
  }
  BeginCapture(*pool);
  return true;
}

void YHardware::BeginCapture(YImageBlockManager& pool) {
  captureBuffer = std::make_unique<YImageBlocks>();
  pool.Register(captureBuffer.get());
  nextBlockNumber = 0;
  captureState = kStarted;
  ++capturesStarted;
  Notify(YHardwareView::kHardwareList);
}

void YHardware::EndCapture() {
  ++capturesEnded;
  captureState = kIdle;
  Notify(YHardwareView::kHardwareList);
}

void YHardware::StopCapture() {
  if (captureState != kStarted) {
    return;
  }
  for (YInterface* device : running) {
    device->Stop();
  }
  running.clear();
  targets.clear();
  EndCapture();
}

bool YHardware::IsRunning(const YInterface* device) const {
  return std::find(running.begin(), running.end(), device) != running.end();
}

YImage* YHardware::Target(int32_t camera) const {
  const auto found = targets.find(camera);
  return found != targets.end() ? found->second : nullptr;
}

bool YHardware::SetUpCapture(int32_t camera, const YCamera& settings) {
  YInterface* device = ById(camera);
  return device != nullptr && device->Configure(settings) && device->Prepare();
}

bool YHardware::StartCapture(int32_t camera, YImage& image) {
  YInterface* device = ById(camera);
  QvEvent* event = image.Document();
  auto* leg = dynamic_cast<YLeg*>(image.Owner());
  YImageBlockManager* pool = YImageBlockManager::Global();
  if (device == nullptr || IsRunning(device) || event == nullptr || leg == nullptr || pool == nullptr ||
      image.Blocks().Manager() != pool || !device->Start(*event, *leg)) {
    return false;
  }
  running.push_back(device);
  targets[camera] = &image;
  if (captureState != kStarted) {
    BeginCapture(*pool);
  }
  return true;
}

bool YHardware::StopCapture(int32_t camera) {
  YInterface* device = ById(camera);
  const auto found = std::find(running.begin(), running.end(), device);
  if (device == nullptr || found == running.end()) {
    return false;
  }
  device->Stop();
  running.erase(found);
  targets.erase(camera);
  if (running.empty() && captureState == kStarted) {
    EndCapture();
  }
  return true;
}

bool YHardware::ReadCamera(int32_t camera, YCamera& settings) {
  YInterface* device = ById(camera);
  return device != nullptr && device->GetCamera(settings);
}

void YHardware::ReleaseImage(YImage& image) {
  std::vector<int32_t> cameras;
  for (const auto& [camera, target] : targets) {
    if (target == &image) {
      cameras.push_back(camera);
    }
  }
  for (int32_t camera : cameras) {
    StopCapture(camera);
  }
}

bool YHardware::StopAll() {
  if (interfaces.empty() || captureState != kStarted) {
    return false;
  }
  return capturesEnded < capturesStarted ||
         std::any_of(interfaces.begin(), interfaces.end(), [](const auto& d) { return d->IsStopPending(); });
}

void YHardware::ResetCapture() {
  if (captureBuffer != nullptr) {
    captureBuffer->ReturnAll();
    captureBuffer.reset();
  }
}

bool YHardware::IsCapturing() {
  if (captureState != kStarted) {
    return false;
  }
  StopCapture();
  ResetCapture();
  captureState = kIdle;
  return true;
}

bool YHardware::AlignCapture(int32_t number, int32_t lineRate) {
  YInterface* device = ByNumber(number);
  return device != nullptr && lineRate > 0 && device->Align(lineRate);
}

bool YHardware::CaptureTrigger() {
  return captureState == kStarted &&
         std::any_of(interfaces.begin(), interfaces.end(), [](const auto& d) { return d->Trigger(); });
}

bool YHardware::CaptureControl(int32_t code) {
  return std::any_of(interfaces.begin(), interfaces.end(),
                     [code](const auto& d) { return d->Control(code); });
}

bool YHardware::PlugInReady() {
  return !interfaces.empty() &&
         std::all_of(interfaces.begin(), interfaces.end(), [](const auto& d) { return d->IsPlugInReady(); });
}

bool YHardware::ManualStart(const YTime* offset, bool flag) {
  return std::any_of(interfaces.begin(), interfaces.end(),
                     [offset, flag](const auto& d) { return d->ManualStart(offset, flag); });
}

bool YHardware::AddCapturedBlock(int32_t camera, const uint8_t* bytes, int32_t count) {
  if (captureState != kStarted || captureBuffer == nullptr || bytes == nullptr || count != kBlockBytes ||
      camera < 0 || camera > 0xFF) {
    return false;
  }
  YImageBlockManager* pool = captureBuffer->Manager();
  YImage* target = Target(camera);
  YImageBlocks* holder = target != nullptr ? &target->Blocks() : captureBuffer.get();
  YImageBlock* block = pool != nullptr ? pool->CheckOutBlock(holder, kCaptureReserve) : nullptr;
  if (block == nullptr) {
    return false;
  }
  std::memcpy(block->Data(), bytes, kBlockBytes);
  block->SetCameraNumber(static_cast<uint8_t>(camera));
  if (target != nullptr) {
    if (target->AddCapturedBlock(block)) {
      return true;
    }
    pool->PutBlock(block);
    return false;
  }
  block->SetNumber(nextBlockNumber);
  if (!captureBuffer->Add(block, true)) {
    pool->PutBlock(block);
    return false;
  }
  ++nextBlockNumber;
  return true;
}

int32_t YHardware::CapturedBlockCount() const {
  return captureBuffer != nullptr ? captureBuffer->Length() : 0;
}

int32_t YHardware::CapturedBlockCamera(int32_t n) const {
  YImageBlock* block = captureBuffer != nullptr ? (*captureBuffer)[n] : nullptr;
  return block != nullptr ? block->CameraNumber() : -1;
}

void YHardware::Arm(QvEvent* event) {
  if (event != nullptr && !IsArmed(event)) {
    armed.push_back(event);
    Notify(YHardwareView::kArmedEventsChanged);
  }
}

void YHardware::Disarm(QvEvent* event) {
  const auto found = std::find(armed.begin(), armed.end(), event);
  if (found != armed.end()) {
    armed.erase(found);
    Notify(YHardwareView::kArmedEventsChanged);
  }
}

bool YHardware::IsArmed(const QvEvent* event) const {
  return event != nullptr && std::find(armed.begin(), armed.end(), event) != armed.end();
}

void YHardware::AddStartTime(const YTime& time) {
  mutex.Lock();
  const KMutexHold hold(mutex);
  startRing[startCounter % kStartRingSize] = time;
  if (startCounter < INT32_MAX) {
    ++startCounter;
  }
}

bool YHardware::GetStartCount(int32_t& shown, int32_t& overflow) {
  mutex.Lock();
  const KMutexHold hold(mutex);
  shown = std::min(startCounter, kShownStarts);
  overflow = startCounter - shown;
  return true;
}

bool YHardware::GetStartTime(int32_t index, YTime& time) {
  mutex.Lock();
  const KMutexHold hold(mutex);
  if (index < 0 || index >= startCounter || index < startCounter - kStartRingSize) {
    return false;
  }
  time = startRing[index % kStartRingSize];
  return true;
}

bool YHardware::UseKeyboardButton() {
  if (captureState != kStarted) {
    keyboardButton = QvSettings::Bool(u"\\Hardware\\KeyboardButton", false);
  }
  return keyboardButton;
}
