#pragma once
// Helpers shared by the settings-tree tests: a fixture that registers the node types, and conversions
// between the tree, settings texts and bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kregistry.h"
#include "foundation/kstream.h"
#include "foundation/kstring.h"

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { KRegistry::RegisterTypes(); }
  void TearDown() override { KRegistry::UnregisterTypes(); }
};

inline std::u16string Text(const KString& text) {
  return std::u16string(text.Data(), text.Length());
}

// The settings text of a group as UTF-8 with LF line ends, to compare trees before and after an operation.
inline std::string SavedText(const KRGroup& group) {
  KMemoryStream stream;
  stream.SetWriteMode(KStream::kEncodingLocal);
  stream.SetWriteLineMode(KStream::kLineLf);
  KRegistry::Save(stream, group);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

// Loads a settings text given as UTF-8 bytes; returns the number of lines skipped.
inline int32_t LoadText(KRegistry& registry, std::string_view utf8) {
  KMemoryStream stream(std::vector<uint8_t>(utf8.begin(), utf8.end()));
  return registry.Load(stream);
}
