#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "native/native.h"
#include "native/print/filedialog.h"
#include "native/print/filefilters.h"
#include "native/print/folderlisting.h"
#include "native/testdriver.h"
#include "native/tests/dialogscript.h"
#include "native/user/localtext.h"

namespace native::test {

namespace {

void touch(const std::string& path) {
  std::ofstream(path) << "x";
}

// A small tree of files for the dialogs to show, removed afterwards:
//   a.jpg B.JPG c.tga notes.txt .hidden.jpg  Sub/ (inner.jpg Heat.qve)  zeta/
class FileTree {
 public:
  FileTree() {
    char pattern[] = "/tmp/kestrove-dialog-test-XXXXXX";
    root_ = mkdtemp(pattern);
    mkdir(path("Sub").c_str(), 0700);
    mkdir(path("zeta").c_str(), 0700);
    for (const char* name : kFiles) {
      touch(path(name));
    }
  }
  ~FileTree() {
    for (const char* name : kFiles) {
      std::remove(path(name).c_str());
    }
    rmdir(path("Sub").c_str());
    rmdir(path("zeta").c_str());
    rmdir(root_.c_str());
  }
  std::string path(const std::string& name) const { return root_ + "/" + name; }
  const std::string& root() const { return root_; }

 private:
  static constexpr const char* kFiles[] = {"a.jpg",       "B.JPG",         "c.tga",       "notes.txt",
                                           ".hidden.jpg", "Sub/inner.jpg", "Sub/Heat.qve"};
  std::string root_;
};

std::vector<std::string> names(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> result;
  for (const FolderEntry& entry : entries) {
    result.push_back(entry.isFolder ? entry.name + "/" : entry.name);
  }
  return result;
}

// The lines the dialog's list shows now.
std::vector<std::u16string> listLines(HWND dialog) {
  HWND list = DialogScript::control(dialog, FileDialog::kFileList);
  std::vector<std::u16string> lines;
  LRESULT count = SendMessage(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::u16string line(static_cast<std::size_t>(SendMessage(list, LB_GETTEXTLEN, i, 0)), u'\0');
    SendMessage(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    lines.push_back(line);
  }
  return lines;
}

std::u16string textOf(HWND window) {
  std::u16string text(static_cast<std::size_t>(SendMessage(window, WM_GETTEXTLENGTH, 0, 0)), u'\0');
  SendMessage(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()));
  return text;
}

// The texts of a dialog's controls in order: a message's lines, then its buttons.
std::vector<std::u16string> controlTexts(HWND dialog) {
  std::vector<std::u16string> texts;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    texts.push_back(textOf(child));
  }
  return texts;
}

// The focused control's text with its selection in brackets.
std::u16string focusedSelection() {
  HWND focus = GetFocus();
  DWORD start = 0;
  DWORD end = 0;
  SendMessage(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  std::u16string text = textOf(focus);
  return text.substr(0, start) + u"[" + text.substr(start, end - start) + u"]" + text.substr(end);
}

// Clicks (or double-clicks) the list line that shows `line`.
void pickLine(DialogScript& script, TestDriver& driver, std::u16string line, bool twice) {
  script.add([&script, &driver, line, twice](HWND dialog) {
    HWND list = DialogScript::control(dialog, FileDialog::kFileList);
    std::vector<std::u16string> lines = listLines(dialog);
    auto found = std::find(lines.begin(), lines.end(), line);
    ASSERT_NE(found, lines.end());
    RECT item{};
    SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(found - lines.begin()),
                reinterpret_cast<LPARAM>(&item));
    RECT screen = driver.screenRect(list);
    int x = screen.left + 2 + (item.left + item.right) / 2;
    int y = screen.top + 2 + (item.top + item.bottom) / 2;
    if (twice) {
      driver.doubleClick(x, y);
    } else {
      driver.click(x, y);
    }
  });
}

// The file dialogs answer the foundation's calls while a test runs.
class InstalledDialogs {
 public:
  InstalledDialogs() { FileDialog::install(); }
  ~InstalledDialogs() { KSetFileDialogHook(nullptr); }
};

}  // namespace

TEST(FolderListing, FoldersFirstThenMatchingFilesSortedWithoutHidden) {
  FileTree tree;
  struct Case {
    const char* name;
    std::vector<std::string> patterns;
    bool foldersOnly;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"every file", {}, false, {"../", "Sub/", "zeta/", "a.jpg", "B.JPG", "c.tga", "notes.txt"}},
      {"case-blind pattern", {"*.jpg"}, false, {"../", "Sub/", "zeta/", "a.jpg", "B.JPG"}},
      {"two patterns", {"*.tga", "*.txt"}, false, {"../", "Sub/", "zeta/", "c.tga", "notes.txt"}},
      {"folders only", {}, true, {"../", "Sub/", "zeta/"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(names(FolderListing::read(tree.root(), test.patterns, test.foldersOnly)), test.expected);
  }
  EXPECT_EQ(names(FolderListing::read(tree.path("missing"), {}, false)), std::vector<std::string>{"../"});
  EXPECT_NE(names(FolderListing::read("/", {}, true)).front(), "../") << "the root has no parent";
}

TEST(FolderListing, ResolvesPathsAgainstTheFolder) {
  struct Case {
    const char* base;
    const char* relative;
    const char* expected;
  };
  const Case cases[] = {
      {"/home/u", "file.txt", "/home/u/file.txt"},
      {"/home/u", "../v/./x", "/home/v/x"},
      {"/home/u", "/etc//hosts", "/etc/hosts"},
      {"/", "..", "/"},
      {"/home/u", "", "/home/u"},
      {"/a", "../../..", "/"},
      {"/home/u/", "sub/", "/home/u/sub"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string(test.base) + " + " + test.relative);
    EXPECT_EQ(FolderListing::resolve(test.base, test.relative), test.expected);
  }
  EXPECT_EQ(FolderListing::parentOf("/home/u"), "/home");
}

TEST(FileFilters, ReadFromExtensionListsAndFilterText) {
  struct Case {
    const char* name;
    std::vector<FileFilter> filters;
    std::vector<std::string> labels;
    std::size_t matchedBy;  // the filter of "photo.TGA"
  };
  const Case cases[] = {
      {"extensions", FileFilters::fromExtensions("jpg, tga"), {"*.jpg", "*.tga", "All files (*)"}, 1},
      {"empty field keeps its place",
       FileFilters::fromExtensions("jpg,,tga"),
       {"*.jpg", "*.", "*.tga", "All files (*)"},
       2},
      {"filter text", FileFilters::fromText("Pictures|*.jpg;*.tga|All|*.*"), {"Pictures", "All"}, 0},
      {"label without patterns dropped", FileFilters::fromText("Text|*.txt|Dangling"), {"Text"}, 1},
      {"nothing", FileFilters::fromText(""), {"All files (*)"}, 1},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    std::vector<std::string> labels;
    for (const FileFilter& filter : test.filters) {
      labels.push_back(filter.label);
    }
    EXPECT_EQ(labels, test.labels);
    EXPECT_EQ(FileFilters::filterOf(test.filters, "photo.TGA"), test.matchedBy);
  }
}

TEST(FileDialog, OpenGoesIntoAFolderByDoubleClickAndPicksAFile) {
  TestDriver driver;
  FileTree tree;
  InstalledDialogs dialogs;
  DialogScript script(driver);
  std::vector<std::u16string> shownAtStart;
  std::vector<std::u16string> shownInSub;
  script.add([&](HWND dialog) { shownAtStart = listLines(dialog); });
  pickLine(script, driver, u"Sub/", true);
  script.add([&](HWND dialog) { shownInSub = listLines(dialog); });
  pickLine(script, driver, u"inner.jpg", false);
  script.click(IDOK);
  KFile file;
  file.SetName(KString::FromUtf8(tree.path("a.jpg")));
  EXPECT_EQ(KOpenFileDialog(file, KString("jpg,tga"), nullptr, nullptr), 0);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(file.Name().ToUtf8(), tree.path("Sub/inner.jpg"));
  EXPECT_EQ(shownAtStart, (std::vector<std::u16string>{u"..", u"Sub/", u"zeta/", u"a.jpg", u"B.JPG"}));
  EXPECT_EQ(shownInSub, (std::vector<std::u16string>{u"..", u"inner.jpg"}));
}

TEST(FileDialog, KeyboardChangesTheFilterAndTypesAName) {
  TestDriver driver;
  FileTree tree;
  InstalledDialogs dialogs;
  DialogScript script(driver);
  std::vector<std::u16string> shownForTga;
  script.click(FileDialog::kFileName);
  script.press(VK_TAB);   // to the filter list
  script.press(VK_DOWN);  // "*.tga"
  script.add([&](HWND dialog) { shownForTga = listLines(dialog); });
  script.press(VK_TAB);  // OK
  script.press(VK_TAB);  // Cancel
  script.press(VK_TAB);  // folder field
  script.press(VK_TAB);  // list
  script.press(VK_TAB);  // file name
  script.type(u"c.tga");
  script.press(VK_RETURN);
  KFile file;
  file.SetName(KString::FromUtf8(tree.root() + "/"));
  EXPECT_EQ(KOpenFileDialog(file, KString("jpg,tga")), 1);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(file.Name().ToUtf8(), tree.path("c.tga"));
  EXPECT_EQ(shownForTga, (std::vector<std::u16string>{u"..", u"Sub/", u"zeta/", u"c.tga"}));
}

TEST(FileDialog, TypedFolderPathIsEnteredAndMissingFilesAreRefused) {
  TestDriver driver;
  FileTree tree;
  InstalledDialogs dialogs;
  struct Case {
    const char* name;
    const char* extensions;
    int typeDowns;  // presses of Down in Files of type
    std::u16string typed;
    const char* madeForTheRow;  // a file that exists for this row only, or null
    int32_t answer;
    std::string chosen;
    std::vector<std::u16string> message = {};  // its lines and buttons; none when the file opens
  };
  const std::vector<std::u16string> notFound = {u"absent",
                                                u"The file was not found. Check its name and folder.", u"OK"};
  const Case cases[] = {
      {"the type's extension", "qve", 0, u"Heat", nullptr, 0, "Sub/Heat.qve"},
      {"every file: the first type's extension", "qve", 1, u"Heat", nullptr, 1, "Sub/Heat.qve"},
      {"the chosen type's extension, not the first", "qve,jpg", 1, u"inner", nullptr, 1, "Sub/inner.jpg"},
      {"the name as typed comes first", "qve", 0, u"Heat", "Sub/Heat", 0, "Sub/Heat"},
      {"a dot starts no extension", "qve", 0, u"Heat 1.2", "Sub/Heat 1.2.qve", 0, "Sub/Heat 1.2.qve"},
      {"missing: a message, then back to the name", "jpg", 0, u"absent", nullptr, -1, "a.jpg", notFound},
  };
  std::u16string back;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    if (test.madeForTheRow != nullptr) {
      touch(tree.path(test.madeForTheRow));
    }
    DialogScript script(driver);
    script.press(VK_TAB);  // from File name to Files of type
    for (int i = 0; i < test.typeDowns; ++i) {
      script.press(VK_DOWN);
    }
    script.replaceText(FileDialog::kFolderField, utf16FromUtf8(tree.path("Sub")));
    script.press(VK_RETURN);
    script.replaceText(FileDialog::kFileName, test.typed);
    script.press(VK_RETURN);
    std::vector<std::u16string> message;
    if (!test.message.empty()) {
      script.add([&message](HWND dialog) { message = controlTexts(dialog); });
      script.press(VK_RETURN);
      script.add([&back](HWND) { back = focusedSelection(); });
      script.press(VK_ESCAPE);
    }
    KFile file;
    file.SetName(KString::FromUtf8(tree.path("a.jpg")));
    EXPECT_EQ(KOpenFileDialog(file, KString(test.extensions)), test.answer);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(file.Name().ToUtf8(), tree.path(test.chosen));
    EXPECT_EQ(message, test.message);
    if (test.madeForTheRow != nullptr) {
      std::remove(tree.path(test.madeForTheRow).c_str());
    }
  }
  EXPECT_EQ(back, u"[absent]");
}

TEST(FileDialog, SaveAnswersTheTypeOfTheTypedNameAndAsksBeforeReplacingIt) {
  TestDriver driver;
  FileTree tree;
  InstalledDialogs dialogs;
  struct Case {
    const char* name;
    std::u16string typed;
    int32_t answer;
    std::string chosen;
    // What the user does at the question, and its first line; none for a new file.
    std::function<void(DialogScript&)> atQuestion = nullptr;
    std::u16string question = u"";
  };
  std::u16string back;
  const Case cases[] = {
      {"no extension takes the default", u"report", 0, "report.jpg"},
      {"a listed extension", u"report.tga", 1, "report.tga"},
      {"another extension", u"report.png", 2, "report.png"},
      {"into a folder", u"Sub/report.jpg", 0, "Sub/report.jpg"},
      {"Enter answers No: back to the name as typed", u"a", -1, "start.jpg",
       [&back](DialogScript& script) {
         script.press(VK_RETURN);
         script.add([&back](HWND) { back = focusedSelection(); });
         script.press(VK_ESCAPE);
       },
       u"a.jpg already exists."},
      {"Yes replaces", u"c.tga", 1, "c.tga", [](DialogScript& script) { script.click(IDOK); },
       u"c.tga already exists."},
      {"Left goes from No to Yes, and Enter replaces", u"c.tga", 1, "c.tga",
       [](DialogScript& script) {
         script.press(VK_LEFT);
         script.press(VK_RETURN);
       },
       u"c.tga already exists."},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    DialogScript script(driver);
    script.replaceText(FileDialog::kFileName, test.typed);
    script.press(VK_RETURN);
    std::u16string question;
    if (test.atQuestion) {
      script.add([&question](HWND dialog) { question = textOf(GetWindow(dialog, GW_CHILD)); });
      test.atQuestion(script);
    }
    KFile file;
    file.SetName(KString::FromUtf8(tree.path("start.jpg")));
    EXPECT_EQ(KSaveFileDialog(file, KString("jpg,tga")), test.answer);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(file.Name().ToUtf8(), tree.path(test.chosen));
    EXPECT_EQ(question, test.question);
  }
  EXPECT_EQ(back, u"[a]");
}

TEST(FileDialog, OpenAndSaveStartInTheNameFieldWithTheNameSelected) {
  TestDriver driver;
  FileTree tree;
  InstalledDialogs dialogs;
  for (bool saving : {false, true}) {
    SCOPED_TRACE(saving ? "save" : "open");
    DialogScript script(driver);
    std::u16string shown;
    bool nameFocused = false;
    script.add([&](HWND dialog) {
      nameFocused = GetFocus() == DialogScript::control(dialog, FileDialog::kFileName);
      shown = focusedSelection();
    });
    script.press(VK_ESCAPE);
    KFile file;
    file.SetName(KString::FromUtf8(tree.path("c.tga")));
    EXPECT_EQ(saving ? KSaveFileDialog(file, KString("tga")) : KOpenFileDialog(file, KString("tga")), -1);
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(nameFocused);
    EXPECT_EQ(shown, u"[c.tga]");
  }
}

TEST(FileDialog, CancelLeavesTheFileAsItWas) {
  TestDriver driver;
  FileTree tree;
  InstalledDialogs dialogs;
  struct Case {
    const char* name;
    UINT key;
    int button;
  };
  const Case cases[] = {{"Escape", VK_ESCAPE, 0}, {"Cancel button", 0, IDCANCEL}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    DialogScript script(driver);
    script.replaceText(FileDialog::kFileName, u"c.tga");
    if (test.key != 0) {
      script.press(test.key);
    } else {
      script.click(test.button);
    }
    KFile file;
    file.SetName(KString::FromUtf8(tree.path("a.jpg")));
    EXPECT_EQ(KOpenFileDialog(file, KString("jpg,tga")), -1);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(file.Name().ToUtf8(), tree.path("a.jpg"));
  }
}

TEST(FileDialog, FolderBrowserChoosesTheSelectedOrCurrentFolder) {
  TestDriver driver;
  FileTree tree;
  InstalledDialogs dialogs;
  struct Case {
    const char* name;
    std::function<void(DialogScript&)> steps;
    std::string chosen;
  };
  const Case cases[] = {
      {"selected folder",
       [&driver](DialogScript& script) {
         pickLine(script, driver, u"zeta/", false);
         script.click(IDOK);
       },
       tree.path("zeta")},
      {"entered folder",
       [&driver](DialogScript& script) {
         pickLine(script, driver, u"Sub/", true);
         script.click(IDOK);
       },
       tree.path("Sub")},
      {"up and back by keyboard",
       [](DialogScript& script) {
         script.press(VK_TAB);     // from the folder field to the list
         script.press(VK_HOME);    // ".."
         script.press(VK_RETURN);  // goes up
         script.click(IDOK);
       },
       FolderListing::parentOf(tree.root())},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    DialogScript script(driver);
    test.steps(script);
    KFile file;
    file.SetName(KString::FromUtf8(tree.root()));
    EXPECT_EQ(KBrowseForFolder(file, 0, script.owner()), 0);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(file.Name().ToUtf8(), test.chosen);
  }
}

}  // namespace native::test
