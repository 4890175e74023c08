#pragma once
// One leg of an event: its name, its capture window, its results with their views, its charts and its images
// in one list per camera. Leg notifications travel up to the event, which hands them back to every view
// attached to the leg.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "foundation/klist.h"
#include "foundation/kmessage.h"
#include "foundation/kstring.h"
#include "model/qvnotification.h"
#include "model/qvresults.h"

class QvChart;
class QvEvent;
class YLegImage;

class YLeg : public KListItem, public KMessageObject {
 public:
  static constexpr int32_t kMaxCameras = 16;
  static constexpr int32_t kMaxCharts = 16;
  static constexpr uint16_t kVersion = 1;
  // Makes an empty image for the leg; registered by the imaging library.
  using ImageFactory = std::function<YLegImage*(YLeg& leg)>;

  explicit YLeg(KMessageObject* owner = nullptr);
  ~YLeg() override;

  const KString& Name() const { return name; }
  void SetName(const KString& text);
  // The capture start and duration in milliseconds, each set between change notifications.
  int32_t Parameter1() const { return captureStart; }
  int32_t Parameter2() const { return captureDuration; }
  void SetParameter1(int32_t milliseconds);
  void SetParameter2(int32_t milliseconds);

  QvResults& Results() { return results; }
  const QvResults& Results() const { return results; }
  int32_t ChartCount() const { return charts.Count(); }
  QvChart* Chart(int32_t index) const;
  // Appends a chart; null when the leg holds the most it may.
  QvChart* NewChart();
  int32_t CameraCount() const { return static_cast<int32_t>(cameras.size()); }
  // The image list of a camera; null outside the cameras.
  KList* Images(int32_t camera) const;
  // Puts an image into a camera's list at a position (as KList::Insert places it), making the camera lists
  // up to that camera; the leg owns the image from then on. Sends 0x20000 before and 0x40007 after. Returns
  // the image, or null (and the image is deleted) for a camera outside 0 to 15.
  YLegImage* InsertImage(int32_t camera, std::unique_ptr<YLegImage> image, int32_t position);
  QvEvent* GetEvent() const;

  // Notifications to every view of the leg: 25 redraw (unset time), 25 with a row for the chart panes,
  // 12 reset, 27 chart data, 30 re-apply chart settings, 41 and 42 the results window's sensor commands.
  // A redraw sent now also serves the one that changes left pending.
  void Notify() {
    redrawPending = false;
    Send(kQvLegRedraw, YTime::kNoMilliseconds);
  }
  void RequestTime(int32_t value) { Send(kQvLegRedraw, value); }
  void RequestReset() { Send(kQvLegReset, YTime::kNoMilliseconds); }
  void Request27() { Send(kQvChartData, 0); }
  void RequestClear() { Send(kQvChartSettings, YTime::kNoMilliseconds); }
  void Request41() { Send(kQvLegCommandA, 0); }
  void Request42() { Send(kQvLegCommandB, 0); }
  // Sends the redraw that result changes since the last call left pending.
  void ServeRequests();

  // Passes a message to the results views, the chart lines and the images; changes leave a redraw pending.
  void Deliver(const KMessage& message);
  // Passes a message to the images of every camera.
  void DeliverToImages(const KMessage& message);
  // As the root of its chain (a free leg), the leg delivers its own messages.
  int32_t Receive(KMessage& message) override;

  const char* ClassName() const override { return "YLeg"; }
  void Write(KStream& stream) const override;
  void Read(KStream& stream) override;
  bool SameContents(const YLeg& other) const;

  // Class-level: the imaging library's image factory (empty: none).
  static void SetImageFactory(ImageFactory factory) { imageFactory = std::move(factory); }

 private:
  void Send(uint16_t what, intptr_t argument, uint32_t flags = 0);
  void SetParameter(int32_t& field, int32_t milliseconds);

  KString name;
  int32_t captureStart = 0;
  int32_t captureDuration = 10000;
  QvResults results;
  KList charts;
  std::vector<std::unique_ptr<KList>> cameras;
  bool redrawPending = false;

  static inline ImageFactory imageFactory;
};
