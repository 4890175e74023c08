#include "foundation/kregistry.h"

#include <memory>
#include <string_view>
#include <vector>

#include "foundation/kfile.h"
#include "foundation/krbool.h"
#include "foundation/krfloat.h"
#include "foundation/krint.h"
#include "foundation/krrat.h"
#include "foundation/krstring.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"

namespace {

std::vector<std::unique_ptr<KRNode>>& Prototypes() {
  static std::vector<std::unique_ptr<KRNode>> prototypes;
  return prototypes;
}

bool SameType(const KRNode& a, const KRNode& b) {
  return std::u16string_view(a.TypeName()) == std::u16string_view(b.TypeName());
}

KString Part(const KString& text, int32_t from, int32_t to) {
  return KString(text.Data() + from, to - from);
}

// The names of a backslash path: an optional leading and an optional trailing backslash, no empty name and
// no line end in a name. The empty path (or a lone backslash) has no names.
bool SplitPath(const KString& path, std::vector<KString>& names) {
  const int32_t first = path.At(0) == u'\\' ? 1 : 0;
  int32_t end = path.Length();
  if (end > first && path[end - 1] == u'\\') {
    --end;
  }
  names.clear();
  if (end == first) {
    return path.Length() == first;  // "" or a lone backslash; two backslashes make an empty name
  }
  for (int32_t from = first;;) {
    int32_t to = path.Find(u'\\', from);
    if (to < 0 || to > end) {
      to = end;
    }
    if (to == from) {
      return false;
    }
    names.push_back(Part(path, from, to));
    if (!KRegistry::IsValidName(names.back())) {
      return false;
    }
    if (to == end) {
      return true;
    }
    from = to + 1;
  }
}

// Texts that would not survive as they stand (line ends, blanks at either end, a leading quote) are written
// in double quotes with backslash escapes.
bool NeedsQuotes(const KString& text) {
  if (text.IsEmpty()) {
    return false;
  }
  const char16_t first = text[0];
  const char16_t last = text[text.Length() - 1];
  return first == u'"' || first == u' ' || first == u'\t' || last == u' ' || last == u'\t' ||
         text.Find(u'\r') >= 0 || text.Find(u'\n') >= 0;
}

struct Escape {
  char16_t character;
  char16_t letter;
};
constexpr Escape kEscapes[] = {{u'\\', u'\\'}, {u'"', u'"'}, {u'\r', u'r'}, {u'\n', u'n'}, {u'\t', u't'}};

void AppendQuoted(KString& line, const KString& text) {
  line.AppendChar(u'"');
  for (int32_t i = 0; i < text.Length(); ++i) {
    char16_t c = text[i];
    for (const Escape& escape : kEscapes) {
      if (escape.character == c) {
        line.AppendChar(u'\\');
        c = escape.letter;
        break;
      }
    }
    line.AppendChar(c);
  }
  line.AppendChar(u'"');
}

// A value that begins and ends with a double quote is read in the quoted form; a backslash before a
// character that is not an escape letter stands for itself.
KString Unquoted(const KString& value) {
  const int32_t length = value.Length();
  if (length < 2 || value[0] != u'"' || value[length - 1] != u'"') {
    return value;
  }
  KString text(length);
  for (int32_t i = 1; i < length - 1; ++i) {
    char16_t c = value[i];
    if (c == u'\\' && i + 1 < length - 1) {
      for (const Escape& escape : kEscapes) {
        if (escape.letter == value[i + 1]) {
          c = escape.character;
          ++i;
          break;
        }
      }
    }
    text.AppendChar(c);
  }
  return text;
}

// One settings line taken apart.
struct SettingsLine {
  std::vector<KString> names;
  const KRNode* type = nullptr;  // null for a group line
  bool hasNumber = false;
  int32_t number = 0;
  bool hasRange = false;
  KString minimum;
  KString maximum;
  KString value;
};

// The comma-separated fields of a type text such as "Int,0,1,10".
std::vector<KString> SplitFields(const KString& typeText) {
  std::vector<KString> fields;
  int32_t from = 0;
  for (;;) {
    const int32_t comma = typeText.Find(u',', from);
    if (comma < 0) {
      fields.push_back(Part(typeText, from, typeText.Length()));
      return fields;
    }
    fields.push_back(Part(typeText, from, comma));
    from = comma + 1;
  }
}

bool IsGroupTypeName(const KString& typeName) {
  return typeName.IsEmpty() || KString::EqualsNoCase(typeName, KString::View(u"Group"));
}

bool ParseLine(const KString& line, SettingsLine& parsed) {
  const int32_t colon = line.Find(u':');
  const KString path = colon < 0 ? line : Part(line, 0, colon);
  const bool groupPath = path.Length() > 0 && path[path.Length() - 1] == u'\\';
  if (!SplitPath(path, parsed.names)) {
    return false;
  }
  if (colon < 0) {
    return groupPath;  // "\Event\Layout\"
  }
  const int32_t equals = line.Find(u'=', colon + 1);
  const KString typeText = Part(line, colon + 1, equals < 0 ? line.Length() : equals);
  parsed.value = equals < 0 ? KString() : Part(line, equals + 1, line.Length());
  std::vector<KString> fields = SplitFields(typeText);
  for (KString& field : fields) {
    field.Trim();
  }
  if (groupPath) {
    // "Event\Layout\:=", "\Event\Layout\:", "\Event\Layout\:Group="
    return fields.size() == 1 && IsGroupTypeName(fields[0]) && parsed.value.IsEmpty();
  }
  if (KString::EqualsNoCase(fields[0], KString::View(u"Group"))) {
    return fields.size() == 1 && parsed.value.IsEmpty();  // "\Event\Layout:Group="
  }
  parsed.type = KRegistry::FindType(fields[0]);
  if (parsed.type == nullptr || equals < 0 ||
      (fields.size() != 1 && fields.size() != 2 && fields.size() != 4)) {
    return false;
  }
  if (fields.size() >= 2) {
    if (!fields[1].ParseInt(parsed.number)) {
      return false;
    }
    parsed.hasNumber = true;
  }
  if (fields.size() == 4) {
    parsed.hasRange = true;
    parsed.minimum = fields[2];
    parsed.maximum = fields[3];
  }
  return true;
}

// Gives an existing or a new node what the line says; false when the node refuses it (then it is
// unchanged).
bool Apply(KRNode& node, const SettingsLine& parsed) {
  if (parsed.type == nullptr) {
    return dynamic_cast<KRGroup*>(&node) != nullptr;
  }
  auto* value = dynamic_cast<KRValue*>(&node);
  if (value == nullptr || !SameType(node, *parsed.type)) {
    return false;
  }
  const KString text = dynamic_cast<KRString*>(value) != nullptr ? Unquoted(parsed.value) : parsed.value;
  const bool accepted = parsed.hasRange ? value->ParseLineValue(text, &parsed.minimum, &parsed.maximum)
                                        : value->ParseLineValue(text, nullptr, nullptr);
  if (accepted && parsed.hasNumber) {
    value->SetNumber(parsed.number);
  }
  return accepted;
}

void WriteLine(KStream& stream, KString& line) {
  line.AppendChar(u'\n');  // goes out as the stream's write line mode says
  stream.WriteString(line);
}

void WriteNode(KStream& stream, const KRNode& node) {
  if (!node.IsSaved() || node.IsDeleted()) {
    return;
  }
  KString line;
  node.AppendPath(line);
  if (const auto* group = dynamic_cast<const KRGroup*>(&node)) {
    if (group->Parent() != nullptr) {
      line.AppendChar(u'\\');
      WriteLine(stream, line);
    }
    for (const KRNode* child = group->NextChild(nullptr); child != nullptr; child = group->NextChild(child)) {
      WriteNode(stream, *child);
    }
    return;
  }
  line.AppendChar(u':').Append(node.TypeName());
  if (const auto* value = dynamic_cast<const KRValue*>(&node); value != nullptr && value->HasNumber()) {
    line.AppendChar(u',').AppendInt(value->Number());
    value->AppendRange(line);
  }
  line.AppendChar(u'=');
  KString text;
  node.AppendValue(text);
  if (dynamic_cast<const KRString*>(&node) != nullptr && NeedsQuotes(text)) {
    AppendQuoted(line, text);
  } else {
    line.Append(text);
  }
  WriteLine(stream, line);
}

// Refuses a first line that is not the header (3010) or names another version (3009). Case and blanks
// around the header and around the version are not significant.
void CheckHeader(const KString& line) {
  const std::u16string_view expected(KRegistry::kHeader);
  const auto prefixLength = static_cast<int32_t>(expected.find(u':') + 1);  // "Registry Version:"
  const KString prefix(expected.data(), prefixLength);
  KString header(line);
  header.Trim();
  if (header.Length() < prefixLength || !KString::EqualsNoCase(header, prefix, prefixLength)) {
    throw KXPersistent(kErrFileContents);
  }
  KString version = Part(header, prefixLength, header.Length());
  version.Trim();
  KString expectedVersion(expected.data() + prefixLength,
                          static_cast<int32_t>(expected.size()) - prefixLength);
  expectedVersion.Trim();
  if (version != expectedVersion) {
    throw KXPersistent(kErrFileVersion);
  }
}

}  // namespace

bool KRegistry::IsValidName(const KString& name) {
  if (name.IsEmpty()) {
    return false;
  }
  for (const char16_t reserved : {u'\\', u':', u'\r', u'\n'}) {
    if (name.Find(reserved) >= 0) {
      return false;
    }
  }
  return true;
}

void KRegistry::RegisterTypes() {
  auto& prototypes = Prototypes();
  if (!prototypes.empty()) {
    return;
  }
  prototypes.push_back(std::make_unique<KRGroup>());
  prototypes.push_back(std::make_unique<KRBool>());
  prototypes.push_back(std::make_unique<KRInt>());
  prototypes.push_back(std::make_unique<KRRat>());
  prototypes.push_back(std::make_unique<KRFloat>());
  prototypes.push_back(std::make_unique<KRString>());
}

void KRegistry::UnregisterTypes() {
  Prototypes().clear();
}

const KRNode* KRegistry::NextType(const KRNode* type) {
  const auto& prototypes = Prototypes();
  if (type == nullptr) {
    return prototypes.empty() ? nullptr : prototypes.front().get();
  }
  for (size_t i = 0; i + 1 < prototypes.size(); ++i) {
    if (prototypes[i].get() == type) {
      return prototypes[i + 1].get();
    }
  }
  return nullptr;
}

const KRNode* KRegistry::FindType(const KString& typeName) {
  for (const auto& prototype : Prototypes()) {
    if (KString::EqualsNoCase(typeName, KString::View(prototype->TypeName()))) {
      return prototype.get();
    }
  }
  return nullptr;
}

void KRegistry::AddLines(KRGroup* group, const char16_t* const* lines) {
  if (lines == nullptr) {
    return;
  }
  for (; *lines != nullptr; ++lines) {
    AddLine(group, KString::View(*lines));
  }
}

KRNode* KRegistry::AddLine(KRGroup* group, const KString& line) {
  SettingsLine parsed;
  if (group == nullptr || line.Length() > kMaxLineLength || !ParseLine(line, parsed)) {
    return nullptr;
  }
  // The limit holds for the full paths that saving writes, wherever the line was parsed.
  if (parsed.names.empty() || group->Depth() + static_cast<int32_t>(parsed.names.size()) > kMaxDepth) {
    return nullptr;
  }
  // Walk down the groups that exist; a value node in the middle of the path refuses the line.
  KRGroup* parent = group;
  size_t depth = 0;
  for (; depth + 1 < parsed.names.size(); ++depth) {
    KRNode* child = parent->Child(parsed.names[depth]);
    if (child == nullptr) {
      break;
    }
    parent = dynamic_cast<KRGroup*>(child);
    if (parent == nullptr) {
      return nullptr;
    }
  }
  if (depth + 1 == parsed.names.size()) {
    if (KRNode* existing = parent->Child(parsed.names.back())) {
      return Apply(*existing, parsed) ? existing : nullptr;
    }
  }
  // The new node takes its value before anything is created, so a refused line leaves no trace.
  std::unique_ptr<KRNode> node =
      parsed.type == nullptr ? std::make_unique<KRGroup>() : parsed.type->CreateNode();
  node->SetName(parsed.names.back());
  if (!Apply(*node, parsed)) {
    return nullptr;
  }
  for (; depth + 1 < parsed.names.size(); ++depth) {
    auto missing = std::make_unique<KRGroup>();
    missing->SetName(parsed.names[depth]);
    parent = static_cast<KRGroup*>(parent->AddChild(std::move(missing)));
  }
  return parent->AddChild(std::move(node));
}

KRNode* KRegistry::Lookup(const KRGroup* group, const KString& path) {
  std::vector<KString> names;
  if (group == nullptr || !SplitPath(path, names)) {
    return nullptr;
  }
  KRNode* node = const_cast<KRGroup*>(group);
  for (const KString& name : names) {
    const auto* parent = dynamic_cast<const KRGroup*>(node);
    if (parent == nullptr) {
      return nullptr;
    }
    node = parent->Child(name);
    if (node == nullptr) {
      return nullptr;
    }
  }
  return node;
}

const KString& KRegistry::GetString(const KRGroup* group, const KString& path) {
  static const KString empty;
  const KRString* node = GetStringNode(group, path);
  return node != nullptr ? node->Value() : empty;
}

KRString* KRegistry::GetStringNode(const KRGroup* group, const KString& path) {
  return dynamic_cast<KRString*>(Lookup(group, path));
}

KRGroup* KRegistry::GetGroup(const KRGroup* group, const KString& path) {
  return dynamic_cast<KRGroup*>(Lookup(group, path));
}

KRInt* KRegistry::GetInt(const KRGroup* group, const KString& path) {
  return dynamic_cast<KRInt*>(Lookup(group, path));
}

KRBool* KRegistry::GetBool(const KRGroup* group, const KString& path) {
  return dynamic_cast<KRBool*>(Lookup(group, path));
}

KRFloat* KRegistry::GetFloat(const KRGroup* group, const KString& path) {
  return dynamic_cast<KRFloat*>(Lookup(group, path));
}

int32_t KRegistry::Load(KStream& stream, const SkippedLine& skipped) {
  // One more than the longest line read, so that a longer line shows itself (the excess is dropped).
  KString line(256, kMaxLineLength + 1);
  if (stream.ReadLine(line) == KStream::kEndOfStream) {
    throw KXPersistent(kErrFileContents);
  }
  CheckHeader(line);
  int32_t skippedCount = 0;
  for (;;) {
    line.Clear();
    const int32_t ended = stream.ReadLine(line);
    if (ended == KStream::kEndOfStream) {
      break;
    }
    KString trimmed(line);
    trimmed.Trim();
    if (!trimmed.IsEmpty() && AddLine(this, line) == nullptr) {
      ++skippedCount;
      if (skipped) {
        TellSkipped(line, skipped);
      }
    }
    if (ended == KStream::kEndAfterText) {
      break;
    }
  }
  return skippedCount;
}

void KRegistry::TellSkipped(const KString& line, const SkippedLine& skipped) const {
  const int32_t colon = line.Find(u':');
  if (colon < 0) {
    skipped(line, KString(), nullptr);
    return;
  }
  const int32_t equals = line.Find(u'=', colon + 1);
  const KString path = Part(line, 0, colon);
  const KString text = equals < 0 ? KString() : Part(line, equals + 1, line.Length());
  skipped(path, text, dynamic_cast<const KRValue*>(Lookup(this, path)));
}

void KRegistry::Save(KStream& stream, const KRGroup& group) {
  KString header(kHeader);
  WriteLine(stream, header);
  WriteNode(stream, group);
}

void KRegistry::SaveFile(const KString& path, int32_t encoding, int32_t lineMode, const KRGroup& group,
                         const KString& firstLine, bool bigEndian) {
  KFile::SaveSafely(path, [&](KStream& stream) {
    stream.SetBigEndian(bigEndian);
    stream.SetWriteMode(encoding);
    stream.SetWriteLineMode(lineMode);
    stream.WriteBOM();
    if (!firstLine.IsEmpty()) {
      KString line(firstLine);
      WriteLine(stream, line);
    }
    Save(stream, group);
  });
}
