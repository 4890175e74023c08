#pragma once
// The program-wide settings tree as the model reaches it. The start routine makes the tree and hands it over
// here; tests hand over a tree of their own. Every lookup tolerates a missing tree, a missing node or a node
// of another type, so that the model falls back to its own defaults.

#include <cstdint>

#include "foundation/kstring.h"

class KRegistry;

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
  // Adds or replaces one node from a settings line ("\Group\Name:Int=1"); false when there is no tree or
  // the line is refused.
  static bool Write(const KString& line);

 private:
  static inline KRegistry* root = nullptr;
  static inline TextLookup textLookup = nullptr;
};
