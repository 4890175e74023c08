#include "app/chartbitmapexport.h"

#include <new>

#include "app/busypointer.h"
#include "app/chartrows.h"
#include "app/chartstatus.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/yzapplication.h"
#include "devices/qxffile.h"
#include "foundation/kbitmap.h"
#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/kx.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvsettings.h"
#include "native/gdi/bitmapapi.h"
#include "native/gdi/dcapi.h"
#include "native/gdi/gditypes.h"
#include "native/gdi/objectapi.h"
#include "native/print/printapi.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "toolkit/kzapplication.h"

namespace {

constexpr int32_t kBytesPerPixel = 3;

KString Text(const char16_t* path, const char16_t* fallback) {
  return QvSettings::Text(path, fallback);
}

void ShowError(const char16_t* path, const char16_t* fallback) {
  if (YZApplication* application = YZApplication::Current()) {
    application->Error(Text(path, fallback));
  }
}

void ShowGeneralError() {
  ShowError(u"\\Strings\\Event\\Chart\\ExportBitmap\\Error\\General", u"Unable to export bitmap");
}

// Lets the windows repaint what the file dialog covered before the desktop is taken.
void DispatchPendingMessages() {
  native::MSG message{};
  while (native::PeekMessage(&message, nullptr, 0, 0, native::PM_REMOVE)) {
    native::TranslateMessage(&message);
    native::DispatchMessage(&message);
  }
}

// Hands the captured rows to the writer, one after the other, until the break key stops it.
struct RowFeed {
  const ChartBitmapExport::Capture* capture;
  bool aborted = false;

  static const uint8_t* Next(int32_t row, void* context) {
    auto& feed = *static_cast<RowFeed*>(context);
    KZApplication* application = KZApplication::application;
    if (application != nullptr && application->TakeBreakKey()) {
      feed.aborted = true;
      return nullptr;
    }
    const ChartBitmapExport::Capture& shot = *feed.capture;
    if (row < 0 || row >= shot.height) {
      return nullptr;
    }
    ShowChartStatus(Text(u"\\Strings\\Event\\Chart\\ExportBitmap\\Exporting", u"Exporting bitmap..."),
                    row * 100 / shot.height);
    return shot.rows.data() + static_cast<size_t>(row) * shot.width * kBytesPerPixel;
  }
};

}  // namespace

KString& ChartBitmapExport::RememberedFile() {
  static KString file = [] {
    KFile folder;
    if (const KString path = QvSettings::Text(u"\\Database\\File\\DataOutDir"); !path.IsEmpty()) {
      KFile::AppendName(folder, path);
    }
    return folder.Name();
  }();
  return file;
}

KString ChartBitmapExport::DefaultName(const QvEvent* event, const ChartRows& rows) {
  KString name(u"Qv-");
  if (event != nullptr && !event->GetEventRoundHeatText(name)) {
    event->GetFileTitle(name);
  }
  // The lane as the result holds it: in a race with a lane left out, a row's position is not its lane.
  if (const QvResult* result = rows.ShownResult(); result != nullptr) {
    if (const KString& lane = result->AthleteField(QvResult::kLaneField); !lane.IsEmpty()) {
      name.AppendChar(u'-').Append(lane);
    }
  }
  return QxfFile::SafeName(name);
}

std::optional<ChartBitmapExport::Capture> ChartBitmapExport::CaptureScreen() {
  const native::HDC screen = native::CreateDC("DISPLAY", nullptr, nullptr, nullptr);
  if (screen == nullptr) {
    return std::nullopt;
  }
  Capture shot;
  shot.width = native::GetDeviceCaps(screen, native::HORZRES);
  shot.height = native::GetDeviceCaps(screen, native::VERTRES);
  bool taken = false;
  if (shot.width > 0 && shot.height > 0) {
    const native::HDC memory = native::CreateCompatibleDC(screen);
    const native::HBITMAP bitmap =
        memory ? native::CreateCompatibleBitmap(screen, shot.width, shot.height) : nullptr;
    if (bitmap != nullptr) {
      const native::HGDIOBJ previous = native::SelectObject(memory, bitmap);
      const bool copied =
          native::BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, native::SRCCOPY);
      native::SelectObject(memory, previous);
      native::BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof info.bmiHeader;
      info.bmiHeader.biWidth = shot.width;
      info.bmiHeader.biHeight = -shot.height;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 24;
      info.bmiHeader.biCompression = native::BI_RGB;
      // The copy's rows are padded to 4 bytes; the writer takes them packed.
      const size_t packed = static_cast<size_t>(shot.width) * kBytesPerPixel;
      const size_t stride = (packed + 3) & ~static_cast<size_t>(3);
      std::vector<uint8_t> padded(stride * static_cast<size_t>(shot.height));
      taken = copied && native::GetDIBits(memory, bitmap, 0, shot.height, padded.data(), &info,
                                          native::DIB_RGB_COLORS) == shot.height;
      if (taken) {
        shot.rows.resize(packed * static_cast<size_t>(shot.height));
        for (int32_t row = 0; row < shot.height; ++row) {
          std::copy_n(padded.data() + row * stride, packed, shot.rows.data() + row * packed);
        }
      }
      native::DeleteObject(bitmap);
    }
    if (memory != nullptr) {
      native::DeleteDC(memory);
    }
  }
  native::DeleteDC(screen);
  return taken ? std::optional<Capture>(std::move(shot)) : std::nullopt;
}

void ChartBitmapExport::Export(QvZChartPane& pane) {
  const std::optional<ChartRows> rows = pane.ShownRows();
  const QvEvent* event = pane.Owner() != nullptr ? pane.Owner()->EventDocument() : nullptr;
  KFile file;
  file.SetName(RememberedFile());
  KFile::SetFileName(file, DefaultName(event, rows.value_or(ChartRows{})));
  const bool jpeg = KBitmap::FileFormat(RememberedFile()) == KBitmap::kFormatJpeg;
  if (KSaveFileDialog(file, jpeg ? KString(u"jpg,tga") : KString(u"tga,jpg"), false,
                      KFileDialogRequest::OwnExtension::kPicture) < 0) {
    return;
  }
  RememberedFile() = file.Name();
  DispatchPendingMessages();

  RowFeed feed;
  // Why the writing failed, when it did.
  enum class Failure { kNone, kCoded, kUncoded, kMemory, kOther } failure = Failure::kNone;
  int32_t failureCode = 0;
  {
    BusyPointer busy;
    ShowChartStatus(Text(u"\\Strings\\Event\\Chart\\ExportBitmap\\Exporting", u"Exporting bitmap..."), 0);
    try {
      const std::optional<Capture> shot = CaptureScreen();
      if (!shot) {
        ShowChartStatus(KString(), -1);
        ShowGeneralError();
        return;
      }
      feed.capture = &*shot;
      const KBitmap picture(shot->width, shot->height, KBitmap::kRgb24 | KBitmap::kAlign1);
      const KString path = file.Name();
      KFile::SaveSafely(path, [&](KStream& stream) {
        picture.Export(stream, KBitmap::FileFormat(path), &RowFeed::Next, &feed);
      });
    } catch (const KX& failed) {
      failureCode = failed.Code();
      failure = failureCode != kErrNone ? Failure::kCoded : Failure::kUncoded;
    } catch (const std::bad_alloc&) {
      failure = Failure::kMemory;
    } catch (...) {
      // The safe save has taken its temporary file away and kept the earlier file; the export only says
      // it failed.
      failure = Failure::kOther;
    }
    ShowChartStatus(KString(), -1);
  }
  if (feed.aborted) {
    ShowChartStatus(Text(u"\\Strings\\Alerts\\UserAborted", u"Operation aborted by user."), -1);
    return;
  }
  switch (failure) {
    case Failure::kNone:
      break;
    case Failure::kCoded:
      if (YZApplication* application = YZApplication::Current()) {
        application->ShowError(failureCode, -1);
      }
      break;
    case Failure::kUncoded:
      ShowError(u"\\Strings\\Event\\Chart\\ExportBitmap\\Failed", u"Unable to Export Bitmap");
      break;
    case Failure::kMemory:
      ShowError(u"\\Strings\\Event\\Chart\\ExportBitmap\\Error\\Memory",
                u"A memory error occurred exporting the bitmap");
      break;
    case Failure::kOther:
      ShowGeneralError();
      break;
  }
}
