#include "native/print/printapi.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "native/gdi/dcapi.h"
#include "native/gdi/gdi.h"
#include "native/print/paper.h"
#include "native/print/printerdevice.h"
#include "native/print/systemprinters.h"
#include "native/user/handletable.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// Printers opened with OpenPrinter, by handle: their names.
HandleTable<std::string, HPRINTER>& openPrinters() {
  static HandleTable<std::string, HPRINTER> printers;
  return printers;
}

bool printerExists(const std::string& name) {
  std::vector<std::string> names = PrinterNames();
  return std::find(names.begin(), names.end(), name) != names.end();
}

PrinterDevice* printerOf(HDC handle) {
  DeviceContext* dc = WindowSystem::get().gdi().dc(handle);
  return dc == nullptr ? nullptr : dynamic_cast<PrinterDevice*>(dc->device.get());
}

template <typename Step>
int onPrinter(HDC handle, Step step) {
  PrinterDevice* printer = printerOf(handle);
  return printer == nullptr ? SP_ERROR : step(*printer);
}

}  // namespace

std::vector<std::string> PrinterNames() {
  std::vector<std::string> names{PrinterDevice::kPdfFilePrinter};
  for (std::string& name : SystemPrinters::list()) {
    if (name != PrinterDevice::kPdfFilePrinter) {
      names.push_back(std::move(name));
    }
  }
  return names;
}

DEVMODE DefaultDevMode(const std::string& printer) {
  DEVMODE mode{};
  std::size_t length = std::min(printer.size(), static_cast<std::size_t>(CCHDEVICENAME - 1));
  std::memcpy(mode.dmDeviceName, printer.data(), length);
  mode.dmSize = sizeof(DEVMODE);
  Paper::fromLocale().store(&mode);
  mode.dmFields |= DM_COPIES | DM_COLLATE;
  mode.dmCopies = 1;
  mode.dmCollate = DMCOLLATE_TRUE;
  return mode;
}

BOOL OpenPrinter(const char* printer, HPRINTER* handle, const void* /*defaults*/) {
  if (printer == nullptr || handle == nullptr || !printerExists(printer)) {
    return FALSE;
  }
  *handle = openPrinters().add(std::make_unique<std::string>(printer));
  return TRUE;
}

BOOL ClosePrinter(HPRINTER handle) {
  return openPrinters().remove(handle) != nullptr ? TRUE : FALSE;
}

long DocumentProperties(HWND /*owner*/, HPRINTER printer, const char* /*device*/, DEVMODE* out,
                        const DEVMODE* in, DWORD mode) {
  const std::string* name = openPrinters().find(printer);
  if (name == nullptr) {
    return -1;
  }
  if ((mode & DM_OUT_BUFFER) == 0) {
    return static_cast<long>(sizeof(DEVMODE));
  }
  if (out == nullptr) {
    return -1;
  }
  DEVMODE result = DefaultDevMode(*name);
  if ((mode & DM_IN_BUFFER) != 0 && in != nullptr) {
    Paper::fromDevMode(in, Paper::fromDevMode(&result, Paper{})).store(&result);
    if ((in->dmFields & DM_COPIES) != 0 && in->dmCopies > 0) {
      result.dmCopies = in->dmCopies;
    }
    if ((in->dmFields & DM_COLLATE) != 0) {
      result.dmCollate = in->dmCollate == DMCOLLATE_FALSE ? DMCOLLATE_FALSE : DMCOLLATE_TRUE;
    }
  }
  *out = result;
  return IDOK;
}

HDC CreateDC(const char* driver, const char* device, const char* output, const DEVMODE* mode) {
  if ((driver != nullptr && std::strcmp(driver, "DISPLAY") == 0) ||
      (device != nullptr && std::strcmp(device, "DISPLAY") == 0)) {
    return GetDC(nullptr);
  }
  if (device == nullptr || !printerExists(device)) {
    return nullptr;
  }
  Gdi& gdi = WindowSystem::get().gdi();
  Paper paper = Paper::fromDevMode(mode, Paper::fromLocale());
  auto printer = std::make_unique<PrinterDevice>(gdi, device, output != nullptr ? output : "", paper);
  HGDIOBJ page = printer->pageBitmap();
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) {
    return nullptr;
  }
  SelectObject(dc, page);
  gdi.dc(dc)->device = std::move(printer);
  return dc;
}

int StartDoc(HDC dc, const DOCINFO* info) {
  if (info == nullptr) {
    return SP_ERROR;
  }
  return onPrinter(dc, [info](PrinterDevice& printer) { return printer.startDoc(*info); });
}

int StartPage(HDC dc) {
  return onPrinter(dc, [](PrinterDevice& printer) { return printer.startPage(); });
}

int EndPage(HDC dc) {
  return onPrinter(dc, [](PrinterDevice& printer) { return printer.endPage(); });
}

int EndDoc(HDC dc) {
  return onPrinter(dc, [](PrinterDevice& printer) { return printer.endDoc(); });
}

int AbortDoc(HDC dc) {
  return onPrinter(dc, [](PrinterDevice& printer) { return printer.abortDoc(); });
}

}  // namespace native
