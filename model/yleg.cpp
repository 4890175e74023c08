#include "model/yleg.h"

#include "foundation/kpersistent.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "model/qvchange.h"
#include "model/qvchart.h"
#include "model/qvevent.h"
#include "model/qvnotification.h"
#include "model/ylegimage.h"

YLeg::YLeg(KMessageObject* owner) : KMessageObject(owner), results(this) {
  NewChart();
}

YLeg::~YLeg() = default;

void YLeg::SetName(const KString& text) {
  QvChange change(this, kQvLegParameters);
  name = text;
}

void YLeg::SetParameter(int32_t& field, int32_t milliseconds) {
  QvChange change(this, kQvLegParameters);
  field = milliseconds;
}

void YLeg::SetParameter1(int32_t milliseconds) {
  SetParameter(captureStart, milliseconds);
}
void YLeg::SetParameter2(int32_t milliseconds) {
  SetParameter(captureDuration, milliseconds);
}

QvChart* YLeg::Chart(int32_t index) const {
  return static_cast<QvChart*>(charts.Item(index));
}

QvChart* YLeg::NewChart() {
  if (charts.Count() >= kMaxCharts) {
    return nullptr;
  }
  auto* chart = new QvChart(this);
  charts.Add(chart);
  return chart;
}

KList* YLeg::Images(int32_t camera) const {
  return camera >= 0 && camera < CameraCount() ? cameras[static_cast<size_t>(camera)].get() : nullptr;
}

YLegImage* YLeg::InsertImage(int32_t camera, std::unique_ptr<YLegImage> image, int32_t position) {
  if (camera < 0 || camera >= kMaxCameras || image == nullptr) {
    return nullptr;
  }
  Send(0, 0, KMessage::kBefore);
  while (CameraCount() <= camera) {
    cameras.push_back(std::make_unique<KList>());
  }
  YLegImage* inserted = image.release();
  cameras[static_cast<size_t>(camera)]->Insert(inserted, position);
  Send(kQvImageAdded, 0, KMessage::kAfter);
  return inserted;
}

QvEvent* YLeg::GetEvent() const {
  return dynamic_cast<QvEvent*>(Owner());
}

void YLeg::Send(uint16_t what, intptr_t argument, uint32_t flags) {
  KMessage message;
  KMessageObject::Send(this, KMessageObject::Message(message, flags | what, argument, this));
}

void YLeg::ServeRequests() {
  if (redrawPending) {
    Notify();
  }
}

void YLeg::Deliver(const KMessage& message) {
  if ((message.code & KMessage::kAfter) != 0) {
    redrawPending = true;
  }
  results.Deliver(message);
  for (KListItem* item = charts.Next(nullptr); item != nullptr; item = charts.Next(item)) {
    static_cast<QvChart*>(item)->Deliver(message);
  }
  DeliverToImages(message);
}

void YLeg::DeliverToImages(const KMessage& message) {
  for (const auto& images : cameras) {
    for (KListItem* item = images->Next(nullptr); item != nullptr; item = images->Next(item)) {
      // Each image hears its own copy: a receiver may fill in the record.
      KMessage copy = message;
      static_cast<YLegImage*>(item)->Deliver(copy);
    }
  }
}

int32_t YLeg::Receive(KMessage& message) {
  Deliver(message);
  return 0;
}

void YLeg::Write(KStream& stream) const {
  KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, kVersion);
  name.Write(stream);
  stream.WriteInt32(captureStart);
  stream.WriteInt32(captureDuration);
  results.Write(stream);
  charts.Write(stream);
  stream.WriteInt32(CameraCount());
  for (const auto& images : cameras) {
    images->Write(stream);
  }
}

void YLeg::Read(KStream& stream) {
  KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, kVersion, kVersion);
  KString newName;
  newName.Read(stream);
  const int32_t newStart = stream.ReadInt32();
  const int32_t newDuration = stream.ReadInt32();
  results.Read(stream);
  KList newCharts;
  newCharts.Read(
      stream, [this] { return new QvChart(this); }, kMaxCharts);
  // An image list is at least its list word and count.
  const int32_t cameraCount = KPersistent::ReadCount(stream, 8, kMaxCameras);
  std::vector<std::unique_ptr<KList>> newCameras;
  for (int32_t i = 0; i < cameraCount; ++i) {
    auto images = std::make_unique<KList>();
    images->Read(stream, [this]() -> KListItem* {
      // Without the imaging library the image records cannot be read past.
      if (!imageFactory) {
        throw KXPersistent(kErrFileContents);
      }
      return imageFactory(*this);
    });
    newCameras.push_back(std::move(images));
  }
  name = newName;
  captureStart = newStart;
  captureDuration = newDuration;
  charts.Clear();
  charts.TakeAll(newCharts);
  cameras = std::move(newCameras);
  for (const auto& images : cameras) {
    for (KListItem* item = images->Next(nullptr); item != nullptr; item = images->Next(item)) {
      static_cast<YLegImage*>(item)->OnLegLoaded(*this);
    }
  }
}

bool YLeg::SameContents(const YLeg& other) const {
  if (!(name == other.name) || captureStart != other.captureStart ||
      captureDuration != other.captureDuration || !results.SameContents(other.results) ||
      ChartCount() != other.ChartCount() || CameraCount() != other.CameraCount()) {
    return false;
  }
  for (int32_t i = 0; i < ChartCount(); ++i) {
    if (!Chart(i)->SameContents(*other.Chart(i))) {
      return false;
    }
  }
  for (int32_t i = 0; i < CameraCount(); ++i) {
    if (Images(i)->Count() != other.Images(i)->Count()) {
      return false;
    }
  }
  return true;
}
