#include "model/qvsettings.h"

#include "foundation/klog.h"
#include "foundation/krbool.h"
#include "foundation/kregistry.h"
#include "foundation/krfloat.h"
#include "foundation/krint.h"

namespace {

void AppendNumber(KString& text, int32_t number) {
  text.AppendInt(number);
}

void AppendNumber(KString& text, double number) {
  KRFloat::AppendNumber(text, number);
}

// The value the range lets a read use, and why the node's own is not taken.
template <typename T>
T UsedValue(T value, T builtIn, const QvSettings::Range<T>& range, KString& why) {
  const bool above = value > range.highest;
  switch (range.outside) {
    case QvSettings::Outside::kNearestEnd:
      why.Append(u"lies outside ");
      AppendNumber(why, range.lowest);
      why.Append(u" to ");
      AppendNumber(why, range.highest);
      return above ? range.highest : range.lowest;
    case QvSettings::Outside::kCapped:
      if (above) {
        why.Append(u"is too long");
        return range.highest;
      }
      break;
    case QvSettings::Outside::kBuiltIn:
      break;
  }
  why.Append(u"cannot work");
  return builtIn;
}

// Puts the value used into the node, so that the configuration file keeps it, and logs the change under
// the node's whole path.
template <typename Node, typename T>
void Replace(Node& node, T used, const KString& why) {
  KString text;
  node.AppendValue(text);
  node.Set(used);
  KString path;
  node.AppendPath(path);
  QvSettings::TellNotTaken(path, text, why, &node);
}

template <typename Node, typename T>
T Checked(const KRGroup* within, const char16_t* path, T builtIn, const QvSettings::Range<T>& range) {
  Node* node = dynamic_cast<Node*>(KRegistry::Lookup(within, KString::View(path)));
  if (node == nullptr) {
    return builtIn;
  }
  const T value = node->Value();
  if (range.lowest <= value && value <= range.highest) {
    return value;
  }
  KString why;
  const T used = UsedValue(value, builtIn, range, why);
  Replace(*node, used, why);
  return used;
}

}  // namespace

KString QvSettings::Text(const char16_t* path, const char16_t* fallback) {
  if (textLookup) {
    textLookup(path);
  }
  const KString& text = KRegistry::GetString(root, KString::View(path));
  return text.IsEmpty() ? KString(fallback) : text;
}

int32_t QvSettings::Int(const char16_t* path, int32_t fallback) {
  const KRInt* node = KRegistry::GetInt(root, KString::View(path));
  return node != nullptr ? node->Value() : fallback;
}

bool QvSettings::Bool(const char16_t* path, bool fallback) {
  const KRBool* node = KRegistry::GetBool(root, KString::View(path));
  return node != nullptr ? node->Value() != 0 : fallback;
}

int32_t QvSettings::Int(const char16_t* path, int32_t builtIn, const Range<int32_t>& range) {
  return Checked<KRInt>(root, path, builtIn, range);
}

int32_t QvSettings::Int(const KRGroup& group, const char16_t* name, int32_t builtIn,
                        const Range<int32_t>& range) {
  return Checked<KRInt>(&group, name, builtIn, range);
}

bool QvSettings::Switch(const KRGroup& group, const char16_t* name, bool builtIn) {
  if (const KRBool* node = KRegistry::GetBool(&group, KString::View(name))) {
    return node->Value() != 0;
  }
  return Int(group, name, builtIn ? 1 : 0, kSwitch) != 0;
}

double QvSettings::Float(const char16_t* path, double builtIn, const Range<double>& range) {
  return Checked<KRFloat>(root, path, builtIn, range);
}

void QvSettings::ReplaceFloat(const char16_t* path, double used, const KString& why) {
  if (KRFloat* node = KRegistry::GetFloat(root, KString::View(path));
      node != nullptr && node->Value() != used) {
    Replace(*node, used, why);
  }
}

void QvSettings::TellNotTaken(const KString& path, const KString& text, const KString& why,
                              const KRValue* node) {
  KString line(path);
  if (node != nullptr || !text.IsEmpty()) {
    line.Append(u" is ").Append(text);
  }
  line.Append(u", which ").Append(why);
  if (node == nullptr) {
    KLog::ProgramWarning(line.Append(u": the line is skipped"));
    return;
  }
  line.Append(u": ");
  node->AppendValue(line);
  KLog::ProgramWarning(line.Append(u" is used instead"));
}

bool QvSettings::Write(const KString& line) {
  return root != nullptr && KRegistry::AddLine(root, line) != nullptr;
}
