#pragma once
// StartListLines: the lines of a start list, read from a stream within bounds that hold while reading. A
// line is never kept beyond what its longest allowed length needs, and reading stops after a total number
// of bytes, so a file that keeps growing, or a sender that never ends a line, cannot grow memory without
// bound. A UTF-8 byte-order mark at the start is skipped whatever the code set; in UTF-16 a byte-order mark
// gives the byte order.

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/kstring.h"

class KStream;

class StartListLines {
 public:
  enum Result : int32_t {
    kLine = 0,     // a line came
    kTooLong = 1,  // a line longer than the longest allowed was passed over
    kTooMuch = 2,  // the total was reached with more to read; a line cut by it is not given
    kEnd = 3,      // nothing more to read
  };

  // `stream` is set to its encoding: kEncodingByte, kEncodingUtf16 (low byte first unless a mark or the
  // stream's byte order says otherwise); any other reads as UTF-8. `maxLength` is in characters (UTF-16
  // units), `maxBytes` the most this reads from the stream.
  StartListLines(KStream& stream, int32_t maxLength, int64_t maxBytes);

  // The next line without its line end (CR, LF or CR LF, mixed as they come); `line` is empty unless the
  // result is kLine. Failures of the stream throw as it does.
  Result Next(KString& line);

 private:
  // Keeps at least `count` unread bytes in the buffer while the stream and the total allow; false when
  // fewer are left.
  bool Fill(size_t count);
  void SkipByteOrderMark();
  // The UTF-16 unit or byte at a byte of the buffer.
  char16_t UnitAt(size_t at) const;
  // Where the next CR or LF unit in the buffer is, or the end of the whole units there.
  size_t FindLineEnd() const;
  KString Decode(const std::string& bytes) const;

  KStream& stream;
  int32_t encoding;
  size_t unitBytes;
  bool bigEndian;
  int32_t maxLength;
  // A line of more bytes than this has more than maxLength characters before its line end.
  size_t maxLineBytes;
  int64_t maxBytes;
  int64_t readBytes = 0;
  bool started = false;
  bool ended = false;  // the stream has nothing more, or the total was passed
  std::vector<uint8_t> buffer;
  size_t next = 0;  // the first unread byte of the buffer
};
