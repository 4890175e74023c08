#include "app/eventlayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/klog.h"
#include "foundation/kregistry.h"
#include "foundation/krgroup.h"
#include "foundation/tests/ktempfolder.h"
#include "model/qvsettings.h"

namespace {

bool AnyKind(PaneKind) {
  return true;
}
bool NoChart(PaneKind kind) {
  return kind != PaneKind::kChart;
}

class EventLayoutTest : public testing::Test {
 protected:
  EventLayoutTest() {
    KRegistry::RegisterTypes();
    KLog::SetProgramLog(&log);
    NewSettings();
  }
  ~EventLayoutTest() override {
    KLog::SetProgramLog(nullptr);
    QvSettings::SetRoot(nullptr);
  }

  // A settings tree with the layout's labels and no layout.
  void NewSettings() {
    settings = std::make_unique<KRegistry>();
    QvSettings::SetRoot(settings.get());
    for (const char16_t* line : {u"\\Strings\\Event\\Layout\\Bottom:String=Bottom",
                                 u"\\Strings\\Event\\Layout\\Right:String=Right"}) {
      KRegistry::AddLine(settings.get(), KString(line));
    }
  }
  // "kind label left,top,right,bottom" for each entry.
  static std::vector<std::string> Describe(const std::vector<EventLayoutEntry>& entries) {
    static const char* const kKinds[] = {"?", "summary", "results", "chart"};
    std::vector<std::string> texts;
    for (const EventLayoutEntry& entry : entries) {
      std::ostringstream text;
      text << kKinds[static_cast<int>(entry.kind)] << ' ' << entry.label.ToUtf8() << ' ' << entry.rect.left
           << ',' << entry.rect.top << ',' << entry.rect.right << ',' << entry.rect.bottom;
      texts.push_back(text.str());
    }
    return texts;
  }
  // The log's lines from `from` on, each as its kind letter and its message.
  std::vector<std::string> LogLines(std::size_t from) const {
    std::ifstream file(folder.Path() + "/program.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
      const std::size_t message = line.find("QvZEventMDI");
      if (!line.empty() && line.back() == '\r') {
        line.pop_back();
      }
      lines.push_back(line.substr(0, 1) + " " + (message != std::string::npos ? line.substr(message) : line));
    }
    return std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size())),
                                    lines.end());
  }

  KTempFolder folder;
  std::unique_ptr<KRegistry> settings;
  KLog log{folder.Path() + "/program.log"};
};

}  // namespace

TEST_F(EventLayoutTest, EntriesAreReadInOrderUntilABadOne) {
  struct Case {
    const char* name;
    std::vector<const char16_t*> lines;  // inside "\Event\Layout\"
    bool (*canMake)(PaneKind);
    std::vector<std::string> entries;
    std::vector<std::string> logged;
  } cases[] = {
      {"two charts, both read",
       {u"Chart1:String=0,26,100,100", u"Results1:String=0,0,100,26,Top", u"CHART2:String=50,0,100,26"},
       AnyKind,
       {"chart Chart1 0,26,100,100", "results Top 0,0,100,26", "chart CHART2 50,0,100,26"},
       {}},
      {"a results entry in lower case",
       {u"results1:String=0,0,100,100"},
       AnyKind,
       {"results results1 0,0,100,100"},
       {}},
      {"Result2 ends the reading",
       {u"Summary:String=0,0,50,100,Left", u"Result2:String=50,0,100,100", u"Chart1:String=0,0,100,100"},
       AnyKind,
       {"summary Left 0,0,50,100"},
       {"E QvZEventMDI::QvZEventMDI: error loading pane"}},
      {"a summary of three fields ends the reading",
       {u"Chart1:String=0,26,100,100", u"Summary1:String=0,0,100", u"Results1:String=0,0,100,26"},
       AnyKind,
       {"chart Chart1 0,26,100,100"},
       {"E QvZEventMDI::QvZEventMDI: error loading pane"}},
      {"an edge that is no integer",
       {u"Chart1:String=0,2x,100,100"},
       AnyKind,
       {},
       {"E QvZEventMDI::QvZEventMDI: error loading pane"}},
      {"an entry that is no String ends the reading silently",
       {u"Chart1:String=0,26,100,100", u"Results1:Int=5", u"Results2:String=0,0,100,26"},
       AnyKind,
       {"chart Chart1 0,26,100,100"},
       {}},
      {"a kind without a window is left out",
       {u"Chart1:String=0,26,100,100,Bottom", u"Results1:String=0,0,100,26,Right"},
       NoChart,
       {"results Right 0,0,100,26"},
       {"W QvZEventMDI::QvZEventMDI: no window for pane Chart1"}},
      {"a long label is cut",
       {u"Summary:String=0,0,100,100,A label of twenty-six"},
       AnyKind,
       {"summary A label of twen 0,0,100,100"},
       {}},
      {"an empty group", {}, AnyKind, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewSettings();
    auto* layout =
        dynamic_cast<KRGroup*>(KRegistry::AddLine(settings.get(), KString(u"\\Event\\Layout\\:=")));
    ASSERT_NE(layout, nullptr);
    for (const char16_t* line : c.lines) {
      ASSERT_NE(KRegistry::AddLine(layout, KString(line)), nullptr);
    }
    const std::size_t logged = LogLines(0).size();
    EXPECT_EQ(Describe(ReadEventLayout(c.canMake)), c.entries);
    EXPECT_EQ(LogLines(logged), c.logged);
  }
}

TEST_F(EventLayoutTest, TheBuiltInLayoutComesOnlyWhereThereIsNone) {
  EXPECT_TRUE(ReadEventLayout(AnyKind).empty()) << "no group";
  InstallBuiltInEventLayout();
  const std::vector<std::string> builtIn = {"chart Bottom 0,26,100,100", "results Right 0,0,100,26"};
  EXPECT_EQ(Describe(ReadEventLayout(AnyKind)), builtIn);
  KRegistry::AddLine(settings.get(), KString(u"\\Event\\Layout\\Results1:String=0,0,100,50"));
  InstallBuiltInEventLayout();
  EXPECT_EQ(Describe(ReadEventLayout(AnyKind)),
            (std::vector<std::string>{"chart Bottom 0,26,100,100", "results Results1 0,0,100,50"}))
      << "a changed layout stays";
  NewSettings();
  KRegistry::AddLine(settings.get(), KString(u"\\Event\\Layout\\:="));
  InstallBuiltInEventLayout();
  EXPECT_TRUE(ReadEventLayout(AnyKind).empty()) << "an empty group stays";
}
