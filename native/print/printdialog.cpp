#include "native/print/printdialog.h"

#include "native/controls/controlconstants.h"
#include "native/print/printerdevice.h"
#include "native/user/focusmanager.h"
#include "native/user/localtext.h"
#include "native/user/messageapi.h"
#include "native/user/styles.h"
#include "native/user/sysinfo.h"

namespace native {

namespace {

constexpr int kWidth = 380;
constexpr int kSetupHeight = 150;
constexpr int kPrintHeight = 226;
constexpr int kRowHeight = 22;
constexpr int kMaxCopies = 9999;

constexpr int kPaperA4 = 0;
constexpr int kPaperLetter = 1;
constexpr int kPaperCustom = 2;

RECT row(int left, int top, int right) {
  return RECT{left, top, right, top + kRowHeight};
}

std::u16string numberText(int value) {
  return utf16FromUtf8(std::to_string(value));
}

}  // namespace

bool PrintDialog::show(const PrintDialogRequest& request, PrintDialogChoice& choice) {
  PrintDialogChoice working = choice;
  PrintDialog dialog(request, working);
  if (!dialog.run()) {
    return false;
  }
  choice = working;
  return true;
}

PrintDialog::PrintDialog(const PrintDialogRequest& request, PrintDialogChoice& choice)
    : ModalDialog(request.owner, request.setup ? u"Print Setup" : u"Print", kWidth,
                  request.setup ? kSetupHeight : kPrintHeight),
      request_(request),
      choice_(choice) {
  addLabel(u"Printer:", row(10, 12, 86));
  HWND printers = addControl(kComboBoxClass, u"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL,
                             RECT{90, 10, 370, 130}, kPrinterList);
  for (const std::string& name : request.printers) {
    LRESULT index =
        SendMessage(printers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(utf16FromUtf8(name).c_str()));
    if (name == choice.printer) {
      SendMessage(printers, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
  }
  if (SendMessage(printers, CB_GETCURSEL, 0, 0) < 0) {
    SendMessage(printers, CB_SETCURSEL, 0, 0);
  }
  addLabel(u"File:", row(10, 42, 86));
  addControl(kEditClass, utf16FromUtf8(choice.outputFile), ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
             row(90, 40, 370), kOutputFile);

  addLabel(u"Paper:", row(10, 74, 86));
  HWND paper =
      addControl(kComboBoxClass, u"", CBS_DROPDOWNLIST | WS_TABSTOP, RECT{90, 72, 230, 160}, kPaperList);
  SendMessage(paper, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"A4"));
  SendMessage(paper, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Letter"));
  int paperIndex = kPaperCustom;
  if (choice.paper.width == Paper::kA4Width && choice.paper.length == Paper::kA4Length) {
    paperIndex = kPaperA4;
  } else if (choice.paper.width == Paper::kLetterWidth && choice.paper.length == Paper::kLetterLength) {
    paperIndex = kPaperLetter;
  } else {
    // A size set by the program stays on offer as it is, in millimetres.
    std::u16string size =
        numberText(choice.paper.width / 10) + u" x " + numberText(choice.paper.length / 10) + u" mm";
    SendMessage(paper, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size.c_str()));
  }
  SendMessage(paper, CB_SETCURSEL, static_cast<WPARAM>(paperIndex), 0);
  addControl(kButtonClass, u"Portrait", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, row(250, 72, 370),
             kPortrait);
  addControl(kButtonClass, u"Landscape", BS_AUTORADIOBUTTON, row(250, 96, 370), kLandscape);
  setChecked(choice.paper.landscape ? kLandscape : kPortrait, true);

  int buttonsTop = kSetupHeight - 32;
  if (!request.setup) {
    addControl(kButtonClass, u"All pages", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, row(10, 128, 120),
               kAllPages);
    addControl(kButtonClass, u"Pages", BS_AUTORADIOBUTTON, row(10, 152, 80), kPageRange);
    addControl(kEditClass, numberText(choice.fromPage), WS_BORDER | WS_TABSTOP, row(84, 152, 134), kFromPage);
    addLabel(u"to", row(140, 154, 160));
    addControl(kEditClass, numberText(choice.toPage), WS_BORDER | WS_TABSTOP, row(164, 152, 214), kToPage);
    setChecked(choice.pageRange && request.pageNumbers ? kPageRange : kAllPages, true);
    addLabel(u"Copies:", row(250, 130, 306));
    addControl(kEditClass, numberText(choice.copies), WS_BORDER | WS_TABSTOP, row(310, 128, 370), kCopies);
    addControl(kButtonClass, u"Collate", BS_AUTOCHECKBOX | WS_TABSTOP, row(250, 154, 370), kCollate);
    setChecked(kCollate, choice.collate);
    showPageRangeState();
    buttonsTop = kPrintHeight - 32;
  }
  addControl(kButtonClass, u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, RECT{200, buttonsTop, 280, buttonsTop + 24},
             IDOK);
  addControl(kButtonClass, u"Cancel", BS_PUSHBUTTON | WS_TABSTOP, RECT{290, buttonsTop, 370, buttonsTop + 24},
             IDCANCEL);
}

void PrintDialog::addLabel(const std::u16string& text, const RECT& rect) {
  addControl(kStaticClass, text, SS_LEFT | SS_NOPREFIX, rect, -1);
}

void PrintDialog::showPageRangeState() {
  enable(kAllPages, request_.pageNumbers);
  enable(kPageRange, request_.pageNumbers);
  bool range = request_.pageNumbers && checked(kPageRange);
  enable(kFromPage, range);
  enable(kToPage, range);
}

void PrintDialog::onCommand(int id, int code) {
  if ((id == kAllPages || id == kPageRange) && code == BN_CLICKED) {
    showPageRangeState();
  }
}

std::optional<int> PrintDialog::numberIn(int id, int lowest, int highest) const {
  std::string digits = utf8FromUtf16(text(id));
  if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  int value = std::stoi(digits);
  if (value < lowest || value > highest) {
    return std::nullopt;
  }
  return value;
}

bool PrintDialog::refuse(int id) {
  MessageBeep(0);
  focusAll(id);
  return false;
}

bool PrintDialog::accept() {
  LRESULT printerIndex = SendMessage(item(kPrinterList), CB_GETCURSEL, 0, 0);
  if (printerIndex < 0 || static_cast<std::size_t>(printerIndex) >= request_.printers.size()) {
    return refuse(kPrinterList);
  }
  // The list keeps the order it was filled in: it is not sorted.
  std::string printer = request_.printers[static_cast<std::size_t>(printerIndex)];
  std::string output = utf8FromUtf16(text(kOutputFile));
  // The setup only chooses paper and orientation: the file is asked for when printing.
  if (!request_.setup && printer == PrinterDevice::kPdfFilePrinter && output.empty()) {
    return refuse(kOutputFile);
  }
  PrintDialogChoice chosen = choice_;
  if (!request_.setup) {
    std::optional<int> copies = numberIn(kCopies, 1, kMaxCopies);
    if (!copies) {
      return refuse(kCopies);
    }
    chosen.copies = *copies;
    chosen.collate = checked(kCollate);
    chosen.pageRange = request_.pageNumbers && checked(kPageRange);
    if (chosen.pageRange) {
      std::optional<int> from = numberIn(kFromPage, request_.minPage, request_.maxPage);
      if (!from) {
        return refuse(kFromPage);
      }
      std::optional<int> to = numberIn(kToPage, *from, request_.maxPage);
      if (!to) {
        return refuse(kToPage);
      }
      chosen.fromPage = *from;
      chosen.toPage = *to;
    }
  }
  chosen.printer = printer;
  chosen.outputFile = output;
  LRESULT paper = SendMessage(item(kPaperList), CB_GETCURSEL, 0, 0);
  if (paper == kPaperA4) {
    chosen.paper.width = Paper::kA4Width;
    chosen.paper.length = Paper::kA4Length;
  } else if (paper == kPaperLetter) {
    chosen.paper.width = Paper::kLetterWidth;
    chosen.paper.length = Paper::kLetterLength;
  }
  chosen.paper.landscape = checked(kLandscape);
  choice_ = chosen;
  return true;
}

}  // namespace native
