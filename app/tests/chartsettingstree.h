#pragma once
// A settings tree with the built-in values, handed to the model for one test and taken back after it.

#include <memory>

#include "app/defaultsettings.h"
#include "foundation/kregistry.h"
#include "model/qvsettings.h"

class ChartSettingsTree {
 public:
  ChartSettingsTree() {
    KRegistry::RegisterTypes();
    const KString all = KString::View(kDefaultSettings);
    int32_t from = 0;
    while (from < all.Length()) {
      const int32_t found = all.Find(u'\n', from);
      const int32_t end = found < 0 ? all.Length() : found;
      KRegistry::AddLine(root.get(), KString(all.Data() + from, end - from));
      from = end + 1;
    }
    previous = QvSettings::Root();
    QvSettings::SetRoot(root.get());
  }
  ~ChartSettingsTree() { QvSettings::SetRoot(previous); }
  ChartSettingsTree(const ChartSettingsTree&) = delete;
  ChartSettingsTree& operator=(const ChartSettingsTree&) = delete;

  // Replaces one setting from a settings line ("\Chart\Axes\MinX:Float=5").
  void Set(const char16_t* line) { KRegistry::AddLine(root.get(), KString(line)); }
  KRegistry* Root() const { return root.get(); }

 private:
  std::unique_ptr<KRegistry> root = std::make_unique<KRegistry>();
  KRegistry* previous = nullptr;
};
