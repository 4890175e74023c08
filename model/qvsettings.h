#pragma once
// The program-wide settings tree as the model reaches it. The start routine makes the tree and hands it over
// here; tests hand over a tree of their own. Every lookup tolerates a missing tree, a missing node or a node
// of another type, so that the model falls back to its own defaults.

#include <cstdint>

#include "foundation/kstring.h"

class KRGroup;
class KRegistry;
class KRValue;

class QvSettings {
 public:
  // The tree in use, null when none was handed over.
  static KRegistry* Root() { return root; }
  static void SetRoot(KRegistry* registry) { root = registry; }

  // The text at the path, or `fallback` when the tree has no non-empty text there.
  static KString Text(const char16_t* path, const char16_t* fallback = u"");
  // Called with the path of every text looked up (null: none), so that a test can list the texts the
  // windows read.
  using TextLookup = void (*)(const char16_t* path);
  static void SetTextLookup(TextLookup lookup) { textLookup = lookup; }
  static int32_t Int(const char16_t* path, int32_t fallback);
  static bool Bool(const char16_t* path, bool fallback);

  // What a checked read uses for a value outside the range its caller gives.
  enum class Outside {
    kBuiltIn,     // the built-in value: the value cannot work
    kNearestEnd,  // the nearer end of the range
    kCapped,      // above the range its highest value (a wait too long); below it the built-in value
  };
  template <typename T>
  struct Range {
    T lowest;
    T highest;
    Outside outside = Outside::kBuiltIn;
  };
  // The Int or Float setting at the path, `builtIn` when the tree has none there. A value outside `range`
  // is replaced in the tree by the value used, so that the configuration file keeps it, and the log says so.
  static int32_t Int(const char16_t* path, int32_t builtIn, const Range<int32_t>& range);
  static double Float(const char16_t* path, double builtIn, const Range<double>& range);
  // The same for the Int setting `name` within `group` (an entry of a list of like settings).
  static int32_t Int(const KRGroup& group, const char16_t* name, int32_t builtIn,
                     const Range<int32_t>& range);
  // An on/off setting kept as an Int: 0 off, 1 on, above 1 on and below 0 off.
  static constexpr Range<int32_t> kSwitch{0, 1, Outside::kNearestEnd};
  // An on/off setting within `group` kept as a Bool or as an Int in kSwitch; `builtIn` when there is none.
  static bool Switch(const KRGroup& group, const char16_t* name, bool builtIn);
  // Replaces the Float setting at the path by `used`, as a checked read does, saying `why` its value is
  // not taken; nothing when the tree holds no such setting or holds `used`.
  static void ReplaceFloat(const char16_t* path, double used, const KString& why);
  // The one log line for a setting not taken as written: its path, the text it held, why it is not taken
  // and the value used instead (null `node`: the line is skipped).
  static void TellNotTaken(const KString& path, const KString& text, const KString& why, const KRValue* node);
  // Adds or replaces one node from a settings line ("\Group\Name:Int=1"); false when there is no tree or
  // the line is refused.
  static bool Write(const KString& line);

 private:
  static inline KRegistry* root = nullptr;
  static inline TextLookup textLookup = nullptr;
};
