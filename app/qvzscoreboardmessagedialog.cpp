#include "app/qvzscoreboardmessagedialog.h"

#include "devices/qvscoreboards.h"
#include "model/qvsettings.h"
#include "toolkit/kztext.h"

namespace {

// The message box, in cells and rows, and the toolkit font it shows its text in.
constexpr int32_t kBoxWidth = 45;
constexpr int32_t kBoxRows = 8;
constexpr uint8_t kBoxFont = 4;

KString MessageDialogText(const char16_t* name) {
  return QvSettings::Text(KString(u"\\Strings\\Scoreboards\\MessageDlg\\").Append(name).CStr());
}

}  // namespace

QvZScoreboardMessageDialog::QvZScoreboardMessageDialog(QvScoreboards& scoreboards)
    : KZDialog(MessageDialogText(u"Title").CStr(), kSend | kOk | kCancel, 0), scoreboards(scoreboards) {
  NewLine();
  KString kept;
  scoreboards.ListMessages(kept);
  messageBox = AddTextBox(kept.CStr(), kBoxWidth, kBoxRows);
  if (messageBox != nullptr) {
    messageBox->SetFont(kBoxFont);
  }
  NewLine();
}

QvZScoreboardMessageDialog::~QvZScoreboardMessageDialog() = default;

KString QvZScoreboardMessageDialog::ButtonText(uint32_t flag) {
  return flag == kSend ? MessageDialogText(u"Send") : KZDialog::ButtonText(flag);
}

ZafEventType QvZScoreboardMessageDialog::ButtonResult(uint32_t flag) {
  return flag == kSend ? kSendMessage : KZDialog::ButtonResult(flag);
}

ZafEventType QvZScoreboardMessageDialog::Event(const ZafEventRecord& event) {
  if (event.type == kSendMessage) {
    scoreboards.SendMessage(MessageText());
    scoreboards.RequestClear();
    return event.type;
  }
  return KZDialog::Event(event);
}

void QvZScoreboardMessageDialog::ProcessResult(ZafEventType result) {
  if (result == kOkResult) {
    scoreboards.SendMessage(MessageText());
  }
}

KString QvZScoreboardMessageDialog::MessageText() const {
  const ZafIChar* text = messageBox != nullptr ? messageBox->Text() : nullptr;
  return KString(text != nullptr ? text : u"");
}
