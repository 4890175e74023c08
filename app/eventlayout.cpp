#include "app/eventlayout.h"

#include <algorithm>
#include <optional>

#include "foundation/klog.h"
#include "foundation/kregistry.h"
#include "foundation/krgroup.h"
#include "foundation/krstring.h"
#include "model/qvsettings.h"

namespace {

constexpr const char16_t* kLayoutPath = u"\\Event\\Layout";
// The log lines of the reading, named after the event window that reads the layout.
constexpr const char16_t* kBadEntryLine = u"QvZEventMDI::QvZEventMDI: error loading pane";
constexpr const char16_t* kNoWindowLine = u"QvZEventMDI::QvZEventMDI: no window for pane ";

struct KindName {
  const char16_t* word;
  PaneKind kind;
};

// Tested in this order.
constexpr KindName kKindNames[] = {
    {u"Summary", PaneKind::kSummary}, {u"Chart", PaneKind::kChart}, {u"Results", PaneKind::kResults}};

std::optional<PaneKind> KindOf(const KString& name) {
  for (const KindName& entry : kKindNames) {
    const KString word(entry.word);
    if (name.Length() >= word.Length() && KString::EqualsNoCase(name, word, word.Length())) {
      return entry.kind;
    }
  }
  return std::nullopt;
}

// The first four fields of the value as the rectangle's edges; nothing when one is missing or no integer.
std::optional<PaneRect> EdgesOf(const KString& value) {
  int32_t edges[4] = {};
  KString field;
  for (int32_t i = 0; i < 4; ++i) {
    if (!field.GetField(value, i, u',') || !field.ParseInt(edges[i])) {
      return std::nullopt;
    }
  }
  return PaneRect{edges[0], edges[1], edges[2], edges[3]};
}

void Log(bool error, const KString& line) {
  if (KLog* log = KLog::ProgramLog()) {
    error ? log->Error(line) : log->Warning(line);
  }
}

}  // namespace

void InstallBuiltInEventLayout() {
  KRegistry* settings = QvSettings::Root();
  if (settings == nullptr || KRegistry::Lookup(settings, KString::View(kLayoutPath)) != nullptr) {
    return;
  }
  auto* layout = dynamic_cast<KRGroup*>(KRegistry::AddLine(settings, KString(kLayoutPath).Append(u"\\:=")));
  if (layout == nullptr) {
    return;
  }
  KRegistry::AddLine(
      layout,
      KString(u"Chart1:String=0,26,100,100,").Append(QvSettings::Text(u"\\Strings\\Event\\Layout\\Bottom")));
  KRegistry::AddLine(
      layout,
      KString(u"Results1:String=0,0,100,26,").Append(QvSettings::Text(u"\\Strings\\Event\\Layout\\Right")));
}

std::vector<EventLayoutEntry> ReadEventLayout(bool (*canMake)(PaneKind)) {
  std::vector<EventLayoutEntry> entries;
  const KRGroup* layout = KRegistry::GetGroup(QvSettings::Root(), KString::View(kLayoutPath));
  if (layout == nullptr) {
    return entries;
  }
  for (const KRNode* node = layout->NextChild(nullptr); node != nullptr; node = layout->NextChild(node)) {
    const auto* text = dynamic_cast<const KRString*>(node);
    if (text == nullptr) {
      break;
    }
    const std::optional<PaneKind> kind = KindOf(node->Name());
    const std::optional<PaneRect> rect = EdgesOf(text->Value());
    if (!kind || !rect) {
      Log(true, KString(kBadEntryLine));
      break;
    }
    if (!canMake(*kind)) {
      Log(false, KString(kNoWindowLine).Append(node->Name()));
      continue;
    }
    EventLayoutEntry entry;
    entry.kind = *kind;
    entry.rect = *rect;
    if (!entry.label.GetField(text->Value(), 4, u',', EventLayoutEntry::kLabelLength) ||
        entry.label.IsEmpty()) {
      entry.label =
          KString(node->Name().Data(), std::min(node->Name().Length(), EventLayoutEntry::kLabelLength));
    }
    entries.push_back(entry);
  }
  return entries;
}
