#pragma once
// What an image asks of the capture hardware: set up a capture of a camera with its settings, start and
// stop it, and read the camera's current settings. The hardware manager, which lives in the device library
// above the imaging library, implements it and registers itself for its lifetime; with none registered an
// image's capture hooks answer false and do nothing.

#include <cstdint>

class YCamera;
class YImage;

class YCaptureService {
 public:
  virtual ~YCaptureService() = default;

  // Hands the settings to the camera with that number and readies it; true when it is ready to capture.
  virtual bool SetUpCapture(int32_t camera, const YCamera& settings) = 0;
  // Starts the camera capturing into `image`, which receives its blocks until the capture stops.
  virtual bool StartCapture(int32_t camera, YImage& image) = 0;
  // Stops the camera; false when it was not capturing or cannot be reached.
  virtual bool StopCapture(int32_t camera) = 0;
  // Fills `settings` with the camera's current settings; false when there is no such camera.
  virtual bool ReadCamera(int32_t camera, YCamera& settings) = 0;
  // The image is going away: no block may reach it any more, so a camera capturing into it is stopped.
  virtual void ReleaseImage(YImage& image) = 0;

  // The registered service, null when none.
  static YCaptureService* Registered() { return registered; }
  static void Register(YCaptureService* service) { registered = service; }
  // Unregisters `service` only while it is the registered one.
  static void Unregister(YCaptureService* service) {
    if (registered == service) {
      registered = nullptr;
    }
  }

 private:
  static inline YCaptureService* registered = nullptr;
};
