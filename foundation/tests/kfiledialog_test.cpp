#include "foundation/kfiledialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/kfile.h"
#include "foundation/kstring.h"

namespace {

std::string Narrow(const KString& text) {
  return text.ToUtf8();
}

// A scripted dialog: records each request and answers with the next scripted path and result.
class ScriptedDialogs {
 public:
  struct Answer {
    const char* path;  // null leaves the file as the dialog got it
    int32_t result;
  };
  struct Seen {
    KFileDialogRequest::Kind kind;
    std::string start;
    std::string filter;
    bool extensionList;
    std::string title;
    void* owner;
    int32_t flags;
  };

  explicit ScriptedDialogs(std::vector<Answer> script) : script(std::move(script)) {
    KSetFileDialogHook([this](KFileDialogRequest& request) {
      seen.push_back({request.kind, Narrow(request.file->Name()), Narrow(request.filter),
                      request.extensionList, Narrow(request.title), request.owner, request.flags});
      Answer answer = this->script.at(seen.size() - 1);
      if (answer.path != nullptr) {
        request.file->SetName(KString(answer.path));
      }
      return answer.result;
    });
  }
  ~ScriptedDialogs() { KSetFileDialogHook(nullptr); }

  std::vector<Answer> script;
  std::vector<Seen> seen;
};

TEST(KFileDialog, WithoutAHookEveryDialogIsCancelled) {
  KFile file(KString("/data/start.qve"));
  EXPECT_EQ(KOpenFileDialog(file, KString("qve")), -1);
  EXPECT_EQ(KSaveFileDialog(file, KString("jpg,tga")), -1);
  EXPECT_EQ(KBrowseForFolder(file, 1, nullptr), -1);
  EXPECT_EQ(Narrow(file.Name()), "/data/start.qve");
}

TEST(KFileDialog, OpenOverAnExtensionListAnswersTheChosenFilter) {
  struct Case {
    const char* extensions;
    int32_t hookAnswer;
    int32_t answer;
  } cases[] = {{"qve", 0, 0}, {"jpg,tga", 1, 1}, {"jpg,tga", 2, 2}, {"jpg,tga", 7, 2}, {"qvw,qve,qxf", 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.extensions << " " << c.hookAnswer);
    ScriptedDialogs dialogs({{"/events/chosen.qve", c.hookAnswer}});
    KFile file(KString("/events/"));
    EXPECT_EQ(KOpenFileDialog(file, KString(c.extensions), nullptr, nullptr), c.answer);
    EXPECT_EQ(Narrow(file.Name()), "/events/chosen.qve");
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(dialogs.seen[0].kind, KFileDialogRequest::Kind::kOpen);
    EXPECT_TRUE(dialogs.seen[0].extensionList);
    EXPECT_EQ(dialogs.seen[0].filter, c.extensions);
    EXPECT_EQ(dialogs.seen[0].start, "/events/");
  }
}

TEST(KFileDialog, OpenWithTheToolkitsFilterTextHandsTitleAndOwnerOn) {
  ScriptedDialogs dialogs({{"/home/u/notes.txt", 3}});
  KFile file(KString("notes.txt"));
  KString title("Pick a file");
  int ownerWindow = 0;
  EXPECT_EQ(KOpenFileDialog(file, KString("Text files|*.txt"), &title, &ownerWindow), 0);
  EXPECT_EQ(Narrow(file.Name()), "/home/u/notes.txt");
  ASSERT_EQ(dialogs.seen.size(), 1u);
  EXPECT_FALSE(dialogs.seen[0].extensionList);
  EXPECT_EQ(dialogs.seen[0].filter, "Text files|*.txt");
  EXPECT_EQ(dialogs.seen[0].title, "Pick a file");
  EXPECT_EQ(dialogs.seen[0].owner, &ownerWindow);
}

TEST(KFileDialog, ACancelledDialogLeavesTheFileAsItWas) {
  for (int32_t cancel : {-1, -1004}) {
    SCOPED_TRACE(cancel);
    ScriptedDialogs dialogs({{"/changed/by/dialog", cancel}, {"/changed/too", cancel}, {"/x", cancel}});
    KFile file(KString("/kept/name.jpg"));
    EXPECT_EQ(KOpenFileDialog(file, KString("jpg")), -1);
    EXPECT_EQ(KSaveFileDialog(file, KString("jpg")), -1);
    EXPECT_EQ(KBrowseForFolder(file, 0, nullptr), -1);
    EXPECT_EQ(Narrow(file.Name()), "/kept/name.jpg");
  }
}

TEST(KFileDialog, SaveGivesANameWithoutExtensionTheChosenOne) {
  using Own = KFileDialogRequest::OwnExtension;
  struct Case {
    const char* extensions;
    const char* chosen;
    int32_t hookAnswer;
    int32_t answer;
    const char* path;
    Own own = Own::kAny;
    bool fixedExtension = false;
  } cases[] = {
      {"jpg,tga", "/out/Qv-1-2-3", 0, 0, "/out/Qv-1-2-3.jpg", Own::kPicture},
      {"jpg,tga", "/out/Qv-1-2-3", 1, 1, "/out/Qv-1-2-3.tga", Own::kPicture},
      {"tga,jpg", "/out/Qv-1-2-3", 5, 2, "/out/Qv-1-2-3.tga", Own::kPicture},  // "all files": the default
      {"jpg,tga", "/out/picture.png", 0, 0, "/out/picture.png.jpg", Own::kPicture},
      {"jpg,tga", "/out/Qv-Heat 1.2", 2, 2, "/out/Qv-Heat 1.2.jpg", Own::kPicture},
      {"tga,jpg", "/out/chart.jpeg", 2, 2, "/out/chart.jpeg", Own::kPicture},
      {"jpg,tga", "/out/chart.TGA", 1, 1, "/out/chart.TGA", Own::kPicture},
      {"qve", "/out/Heat 1.2", 1, 1, "/out/Heat 1.2.qve", Own::kListed},
      {"qve", "/out/HEAT.QVE", 0, 0, "/out/HEAT.QVE", Own::kListed},
      {"txt", "/out.d/export", 0, 0, "/out.d/export.txt"},
      {"ps", "/out/job.ps", 0, 0, "/out/job.ps"},
      {"ps", "/out/results.pdf", 1, 1, "/out/results.pdf"},
      {"txt", "/out/data.csv", 1, 1, "/out/data.txt", Own::kAny, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    ScriptedDialogs dialogs({{c.chosen, c.hookAnswer}});
    KFile file(KString("/out/default.jpg"));
    EXPECT_EQ(KSaveFileDialog(file, KString(c.extensions), c.fixedExtension, c.own), c.answer);
    EXPECT_EQ(Narrow(file.Name()), c.path);
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(dialogs.seen[0].kind, KFileDialogRequest::Kind::kSave);
    EXPECT_EQ(dialogs.seen[0].start, "/out/default.jpg");
  }
}

TEST(KFileDialog, BrowseForFolderLeavesTheFolderInTheFile) {
  ScriptedDialogs dialogs({{"/data/events/", 12}});
  KFile file(KString("/data/"));
  int ownerWindow = 0;
  EXPECT_EQ(KBrowseForFolder(file, 0x41, &ownerWindow), 0);
  EXPECT_EQ(Narrow(file.Name()), "/data/events/");
  ASSERT_EQ(dialogs.seen.size(), 1u);
  EXPECT_EQ(dialogs.seen[0].kind, KFileDialogRequest::Kind::kFolder);
  EXPECT_EQ(dialogs.seen[0].flags, 0x41);
  EXPECT_EQ(dialogs.seen[0].owner, &ownerWindow);
}

}  // namespace
