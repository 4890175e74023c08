#include <gtest/gtest.h>

#include <string>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafbutton.h"
#include "framework/core/zafdialogwindow.h"
#include "framework/core/zaficon.h"
#include "framework/core/zafmessagewindow.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/core/zafsystembutton.h"
#include "framework/core/zaftext.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaficondata.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafstringdata.h"

namespace {

class DialogStorageTest : public ZafCoreTest {
 protected:
  TemporaryFolder folder;
  ZafStorage storage{folder.Path("dialogs").c_str(), ZAF_STORAGE_CREATE};
  ZafObjectPersistence persistence{&storage};
};

int ButtonCount(ZafMessageWindow& window) {
  int count = 0;
  for (ZafElement* element = window.FirstButton(); element; element = element->Next()) {
    ++count;
  }
  return count;
}

std::u16string TextOf(const ZafIChar* text) {
  return text ? std::u16string(text) : std::u16string(u"(none)");
}

TEST_F(DialogStorageTest, DialogsAndIconsReadBackAsWritten) {
  ZafDialogWindow dialog(2, 3, 30, 8);
  dialog.SetStringID(u"dialog");
  dialog.SetModal(true);
  dialog.Add(new ZafButton(1, 1, 10, 1, u"Go"));
  ASSERT_EQ(dialog.Write(persistence), ZAF_ERROR_NONE);
  ZafDialogWindow readDialog(u"dialog", persistence);
  ASSERT_EQ(readDialog.Error(), ZAF_ERROR_NONE);
  EXPECT_TRUE(readDialog.Modal());
  EXPECT_EQ(readDialog.Region(), dialog.Region());
  EXPECT_EQ(readDialog.Count(), 1);
  EXPECT_EQ(dialog.ReadFunction(), &ZafDialogWindow::Read);

  ZafIcon icon(1, 1, nullptr, u"Start");
  icon.SetStringID(u"icon");
  ASSERT_TRUE(icon.SetSystemImage(ZAF_ICON_APPLICATION));
  EXPECT_FALSE(icon.SetSystemImage(6)) << "an unknown number leaves the picture";
  icon.SetIconType(ZAF_WINDOW_ICON);
  ASSERT_EQ(icon.Write(persistence), ZAF_ERROR_NONE);
  ZafIcon readIcon(u"icon", persistence);
  ASSERT_EQ(readIcon.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(TextOf(readIcon.Text()), u"Start");
  EXPECT_EQ(readIcon.IconType(), ZAF_WINDOW_ICON);
  ASSERT_NE(readIcon.IconData(), nullptr);
  const ZafIconStruct* application = ZafIcon::SystemImage(ZAF_ICON_APPLICATION);
  ASSERT_EQ(readIcon.IconData()->Width(), application->width);
  EXPECT_TRUE(std::equal(application->pixels, application->pixels + 32 * 32, readIcon.IconData()->Pixels()));

  ZafMessageWindow message(new ZafStringData(u"Heading"), ZAF_ICON_HAND, ZAF_MESSAGE_OK | ZAF_MESSAGE_CANCEL,
                           ZAF_MESSAGE_CANCEL, u"%d%% done, %s", 50, u"%s%n");
  message.SetStringID(u"message");
  message.Event(ZafEventRecord(PrepareEvent, 0));
  ASSERT_EQ(message.Write(persistence), ZAF_ERROR_NONE);
  ZafMessageWindow readMessage(u"message", persistence);
  ASSERT_EQ(readMessage.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(readMessage.Count(), 0) << "the objects are built again, not stored";
  EXPECT_EQ(readMessage.IconNumber(), ZAF_ICON_HAND);
  EXPECT_EQ(readMessage.Buttons(), ZAF_MESSAGE_OK | ZAF_MESSAGE_CANCEL);
  EXPECT_EQ(readMessage.DefaultButtonBit(), ZAF_MESSAGE_CANCEL);
  EXPECT_EQ(TextOf(readMessage.MessageText()), u"50% done, %s%n") << "a stored message is no format";
  readMessage.Event(ZafEventRecord(PrepareEvent, 0));
  EXPECT_EQ(TextOf(readMessage.Text()), u"Heading");
  EXPECT_EQ(ButtonCount(readMessage), 2);
}

// The message is formatted once into a bounded buffer; what comes out, and what is copied or stored, is
// shown as it stands.
TEST_F(DialogStorageTest, MessagesAreBoundedAndNeverFormattedTwice) {
  const std::u16string longText(5000, u'x');
  ZafMessageWindow formatted(new ZafStringData(u""), 0, ZAF_MESSAGE_OK, ZAF_MESSAGE_OK, u"%s",
                             longText.c_str());
  EXPECT_EQ(TextOf(formatted.MessageText()), longText.substr(0, ZAF_MESSAGE_LENGTH - 1));

  ZafMessageWindow percent(new ZafStringData(u""), 0, ZAF_MESSAGE_OK, ZAF_MESSAGE_OK, u"%s", u"100%d %s");
  ZafMessageWindow copy(percent);
  EXPECT_EQ(TextOf(copy.MessageText()), u"100%d %s");

  ZafMessageWindow stored(new ZafStringData(u""), 0, ZAF_MESSAGE_OK, ZAF_MESSAGE_OK, u"x");
  stored.SetStringID(u"long");
  stored.MessageObject()->SetText(longText.c_str());
  ASSERT_EQ(stored.Write(persistence), ZAF_ERROR_NONE);
  ZafMessageWindow read(u"long", persistence);
  EXPECT_EQ(TextOf(read.MessageText()), longText.substr(0, ZAF_MESSAGE_LENGTH - 1));
}

TEST_F(DialogStorageTest, BuildingTwiceLeavesOneSetOfObjects) {
  ZafMessageWindow window(new ZafStringData(u"Twice"), ZAF_ICON_ASTERISK, 0x00C1, ZAF_MESSAGE_HELP, u"Text");
  window.Event(ZafEventRecord(PrepareEvent, 0));
  window.Event(ZafEventRecord(PrepareEvent, 0));
  EXPECT_EQ(ButtonCount(window), 3);
  // Icon, message and the three buttons.
  EXPECT_EQ(window.Count(), 5);
  ASSERT_NE(window.DefaultButton(true), nullptr);
  EXPECT_EQ(static_cast<ZafButton*>(window.DefaultButton(true))->Value(), HelpEvent);
  EXPECT_EQ(window.CurrentChild(), window.DefaultButton(true));
  EXPECT_NE(window.SystemButton(), nullptr);
}

TEST_F(DialogStorageTest, NamedLookupsAnswerOnlyTheirClass) {
  ZafWindow window(0, 0, 20, 10);
  EXPECT_EQ(window.SystemButton(), nullptr);
  EXPECT_EQ(window.PullDownMenu(), nullptr);
  EXPECT_EQ(window.SystemMenu(), nullptr);
  auto* system = new ZafSystemButton();
  auto* bar = new ZafPullDownMenu();
  window.Add(system);
  window.Add(bar);
  EXPECT_EQ(window.SystemButton(), system);
  EXPECT_EQ(window.PullDownMenu(), bar);
  EXPECT_EQ(window.SystemMenu(), &system->SystemMenu());

  // An object of another class under the same number is not what the lookup names.
  ZafWindow other(0, 0, 20, 10);
  auto* impostor = new ZafButton(0, 0, 5, 1, u"x");
  impostor->SetNumberID(ZAF_NUMID_SYSTEM);
  other.SupportList().Add(impostor);
  EXPECT_EQ(other.SystemButton(), nullptr);
  EXPECT_EQ(other.SystemMenu(), nullptr);
  other.SupportList().Subtract(impostor);
  delete impostor;
}

}  // namespace
