// A new event without a file goes by "Event", the name Save As proposes: in its caption, in the frame's
// caption while it is maximised, and in the questions before it closes and before the program exits.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/producttitle.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/windowapi.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzcontrol.h"
#include "toolkit/kzdialog.h"

namespace {

using DocumentNameTest = ProgramTest;

// The caption of the window's native frame (the window's own native window lies in it).
std::string Caption(ZafWindowObject* object) {
  std::array<char16_t, 128> text{};
  const native::HWND window = native::GetParent(object->ScreenID());
  native::SendMessage(window, native::WM_GETTEXT, text.size(), reinterpret_cast<native::LPARAM>(text.data()));
  return KString(text.data()).ToUtf8();
}

TEST_F(DocumentNameTest, ANewEventIsCalledEventWhereverTheUserLooks) {
  std::vector<std::string> captions;
  const auto note = [&captions] {
    captions.push_back(Caption(KZApplication::mainFrame));
    if (QvZEventMDI* window = CurrentEventWindow()) {
      captions.push_back(Caption(window));
    }
  };
  Then([] { Post(10001); });  // File > New: the event comes maximised.
  When(
      "the new event", [] { return CurrentEventWindow() != nullptr; }, note);
  Then([] { Post(CascadeCommand); });  // Window > Cascade restores it.
  Then(note);
  Then([] {
    // Its maximise box.
    native::SendMessage(native::GetParent(CurrentEventWindow()->ScreenID()), native::WM_SYSCOMMAND,
                        native::SC_MAXIMIZE, 0);
  });
  Then([&] {
    note();
    CurrentEventWindow()->GetEvent()->SetModified(true);
    Post(CloseWindowEvent);  // File > Close window
  });
  AnswerWithClick(u"Close Event Window", KZDialog::kNoResult);
  When(
      "the window to close", [] { return CurrentEventWindow() == nullptr; }, note);
  Then([] { Post(10001); });
  When(
      "another new event", [] { return CurrentEventWindow() != nullptr; },
      [] { CurrentEventWindow()->GetEvent()->SetModified(true); });
  ExitProgram();
  AnswerWithClick(u"Exit Kestrove Pellacorvine", KZDialog::kNoResult);
  EXPECT_EQ(Run(), 0);
  const std::string frame = ProductTitle().ToUtf8();
  EXPECT_EQ(captions, (std::vector<std::string>{frame + " - [Event]", "Event", frame, "Event",
                                                frame + " - [Event]", "Event", frame}));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(KString(seen[0].text.c_str()).ToUtf8(), "'Event' has changed. Save before closing?");
  EXPECT_EQ(KString(seen[1].text.c_str()).ToUtf8(), "'Event' has changed. Save before exiting?");
}

}  // namespace
