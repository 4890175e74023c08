#pragma once
// The results interface file: the results of an event as comma-separated lines for the photo-finish system,
// a first line of event, round, heat and title and then one line per lane. The same lines answer the
// photo-finish system's reaction-time requests. docs/photo-finish-interface.md describes the fields.

#include <cstdint>
#include <vector>

#include "foundation/kstring.h"

class QvEvent;

class QxfFile {
 public:
  static constexpr const char16_t* kExtension = u"qxf";
  // A results interface file larger than this (in bytes) is not read back.
  static constexpr int64_t kMaxFileBytes = 256 * 1024;

  // The first line and one line per result of the event's first leg in lane order; lanes that are not in
  // use are left out.
  static std::vector<KString> Lines(const QvEvent& event);

  // The file name, without folder, for an event: its event-round-heat text, else the title of its document
  // file; empty when it has neither. Characters that would leave the folder or hide the file become "_".
  static KString FileName(const QvEvent& event);
  static KString SafeName(const KString& name);

  // Writes the lines, each ended by CR LF, in the stream encoding given as kbytetext.h makes it (UTF-16
  // after a byte-order mark; control characters blank), through a temporary file that is renamed over `path`
  // only when complete. Throws KXStream on failure, leaving any earlier file as it was.
  static void Write(const KString& path, const std::vector<KString>& lines, int32_t encoding);
  // Reads the lines of a file back in the stream encoding it was written in; false, with `lines` empty,
  // when it is missing, unreadable or too large.
  static bool Read(const KString& path, int32_t encoding, std::vector<KString>& lines);
};
