#pragma once
// The root of the settings tree, and the settings text format that fills and saves it (described for
// people who edit the files in docs/settings-format.md). Also keeps the node-type prototypes: lines are
// parsed into nodes made from the prototype of their type name, so RegisterTypes must run before any tree
// is filled, and the settings editor offers the prototypes as the types of new nodes.

#include <cstdint>
#include <functional>

#include "foundation/krgroup.h"

class KRBool;
class KRFloat;
class KRInt;
class KRString;
class KRValue;
class KStream;

class KRegistry : public KRGroup {
 public:
  // The first line of every settings text.
  static constexpr const char16_t* kHeader = u"Registry Version: 1.00";
  // Longer lines are skipped: settings texts are short, and a file is outside input.
  static constexpr int32_t kMaxLineLength = 65535;
  // The most names a path may have.
  static constexpr int32_t kMaxDepth = 64;

  // Whether a node can carry the name and be read back from a settings text: not empty, and without the
  // path separator, the colon before the type, or a line end.
  static bool IsValidName(const KString& name);

  // Creates the prototypes of the six node types, in the order Group, Bool, Int, Rat, Float, String;
  // harmless when they exist. UnregisterTypes deletes them.
  static void RegisterTypes();
  static void UnregisterTypes();
  // The prototypes in registration order: the first for null, else the one after `type`; null at the end.
  static const KRNode* NextType(const KRNode* type);
  // The prototype whose type name equals `typeName` ignoring case; null when there is none.
  static const KRNode* FindType(const KString& typeName);

  // Parses each line of the null-terminated array into the group (as KRGroup::Find does); refused lines
  // are skipped.
  static void AddLines(KRGroup* group, const char16_t* const* lines);
  // Parses one settings line relative to the group; see KRGroup::Find.
  static KRNode* AddLine(KRGroup* group, const KString& line);

  // The node at the backslash path relative to the group (a leading backslash is optional, a trailing one
  // is allowed); null when the group is null or the path names no node. Never creates nodes.
  static KRNode* Lookup(const KRGroup* group, const KString& path);
  // The text of the String node at the path, or a shared empty text; the caller must not change it.
  static const KString& GetString(const KRGroup* group, const KString& path);
  // The node of that type at the path; null when it is absent or of another type.
  static KRString* GetStringNode(const KRGroup* group, const KString& path);
  static KRGroup* GetGroup(const KRGroup* group, const KString& path);
  static KRInt* GetInt(const KRGroup* group, const KString& path);
  static KRBool* GetBool(const KRGroup* group, const KString& path);
  static KRFloat* GetFloat(const KRGroup* group, const KString& path);

  // Told of each line that Load skips: the line's path and value texts (the whole line as the path when it
  // has no colon), and the value node the path names, whose value stays (null when there is none).
  using SkippedLine = std::function<void(const KString& path, const KString& text, const KRValue* node)>;

  // Reads a settings text from the stream over the nodes of this tree, with the stream's read modes.
  // Lines that cannot be read are skipped, each told to `skipped` when given; returns how many were.
  // Throws KXPersistent 3009 for a header of another version, 3010 when the first line is not a header,
  // and the stream's own failure when it cannot be read; what was read before stays in the tree.
  int32_t Load(KStream& stream, const SkippedLine& skipped = nullptr);
  // Writes the header and the group with every node below it that is neither marked not saved nor
  // deleted, with full paths, in the stream's write modes. The group's own line is written unless it is the
  // top of its tree.
  static void Save(KStream& stream, const KRGroup& group);
  void Save(KStream& stream) const { Save(stream, *this); }
  // Replaces the file at `path` by a settings text of the group without ever losing the old file:
  // the text goes to a temporary file beside it first (KFile::SaveSafely). The file gets the encoding's
  // byte-order mark, then `firstLine` with a line end when it is not empty, then the settings text; UTF-16
  // high byte first when `bigEndian`. Throws the stream's failure; the old file then stays as it was.
  static void SaveFile(const KString& path, int32_t encoding, int32_t lineMode, const KRGroup& group,
                       const KString& firstLine = KString(), bool bigEndian = false);

 private:
  // Splits a skipped line into its path and value texts and tells `skipped` of it.
  void TellSkipped(const KString& line, const SkippedLine& skipped) const;
};
