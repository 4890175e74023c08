// The printer's page-setup dialog: the four margins in inches or centimetres.
#include <cfloat>

#include "framework/data/zafrealdata.h"
#include "model/qvsettings.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzprinter.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzreal.h"

namespace {

// The dialog's texts, under "\Strings\Print\PageSetupDlg\".
KString PageSetupText(const char16_t* key) {
  KString path(u"\\Strings\\Print\\PageSetupDlg\\");
  path.Append(key);
  return QvSettings::Text(path.CStr());
}

// Cells of a margin field, and how it shows its value (as MarginText writes it).
constexpr int32_t kMarginFieldWidth = 5;
constexpr const ZafIChar* kMarginFormat = u"%0.2lf";

}  // namespace

bool KZPrinter::PageSetupDialog() {
  KZDialog dialog(PageSetupText(u"Title").CStr(), KZDialog::kOk | KZDialog::kCancel, KZDialog::kOk);
  dialog.BeginNotebook(0, 0);
  dialog.AddPage(PageSetupText(u"Margins\\Tab").CStr());

  // Two rows of two margins, each a prompt and its field; the fields and the second prompts line up.
  struct Row {
    Side side;
    const char16_t* key;
  };
  static constexpr Row kRows[2][2] = {{{kLeft, u"Margins\\Left"}, {kRight, u"Margins\\Right"}},
                                      {{kTop, u"Margins\\Top"}, {kBottom, u"Margins\\Bottom"}}};
  KZReal* fields[4] = {};
  for (const auto& row : kRows) {
    for (const Row& margin : row) {
      dialog.AddPrompt(PageSetupText(margin.key).CStr(), -1);
      // Any positive number is taken; the range of a real field leaves it unchecked.
      KZReal* field = dialog.AddReal(0.0, kMarginFieldWidth, DBL_MIN, DBL_MAX);
      field->RealData()->SetFormat(kMarginFormat);
      field->RealData()->SetFormattedText(MarginText(margins[margin.side], unit).CStr());
      fields[margin.side] = field;
    }
    dialog.NewLine();
  }
  constexpr int32_t kFirstField = 1;
  constexpr int32_t kSecondPrompt = 2;
  constexpr int32_t kSecondField = 3;
  for (const int32_t column : {kFirstField, kSecondPrompt, kSecondField}) {
    dialog.AlignColumn(column, 0);
  }

  dialog.AddPrompt(PageSetupText(u"Margins\\Unit").CStr(), -1);
  dialog.ResetRadioColumn();
  dialog.AddRadioButton(PageSetupText(u"Margins\\Inches").CStr(), 0, -1);
  dialog.AddRadioButton(PageSetupText(u"Margins\\Centimeters").CStr(), 0, -1);
  KZRadioGroup* units = dialog.AddRadioGroup(unit);
  dialog.EndPage();
  dialog.EndNotebook(0);

  if (dialog.Execute() != KZDialog::kOkResult) {
    return false;
  }
  SetUnit(units->GetSelection() == kCentimetres ? kCentimetres : kInches);
  for (const Side side : {kLeft, kTop, kRight, kBottom}) {
    SetMargin(side, MarginFromValue(fields[side]->ZafReal::Value(), unit));
  }
  return true;
}
