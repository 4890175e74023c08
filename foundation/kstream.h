#pragma once
// Abstract byte stream under every file, serial port and socket of the program. Subclasses move raw
// bytes (ReadRaw/WriteRaw); the stream adds text in several encodings and line-end conventions and typed
// integers in a chosen byte order (little-endian unless set otherwise).

#include <cstdint>
#include <vector>

class KString;

class KStream {
 public:
  // Text encodings (read and write modes).
  enum Encoding : int32_t {
    kEncodingByte = 0,  // one byte per character: "?" out for one above U+00FF (kbytetext.h), byte widened in
    kEncodingUtf16 = 1,  // two bytes per unit; reading follows a byte-order mark, else the stream's order
    kEncodingLocal = 2,  // the local code page, which is UTF-8 here
    kEncodingAuto = 3,   // reading: byte-order mark or a look at the first bytes; see SetReadMode
  };
  // Line-end conventions (read and write line modes).
  enum LineMode : int32_t {
    kLineNone = 0,  // no translation: reading ends a line at LF and keeps a CR; writing sends text as it is
    kLineAuto = 1,  // reading takes the convention of the first line end it meets
    kLineCr = 2,
    kLineLf = 3,
    kLineCrLf = 4,
    kLineLfCr = 5,
  };
  // What ReadLine returns when the stream ends: after some text, and with nothing read at all.
  static constexpr int32_t kEndAfterText = 0;
  static constexpr int32_t kEndOfStream = -1;

  KStream() = default;
  KStream(const KStream&) = delete;
  KStream& operator=(const KStream&) = delete;
  virtual ~KStream() = default;

  // Raw bytes. Read returns how many bytes it gave (0 only at the end of the stream); Write writes all
  // of them or throws. Both throw KXStream on failure.
  int32_t Read(void* buffer, int32_t count);
  void Write(const void* buffer, int32_t count);
  // Reads exactly `count` bytes; a short read throws KXStream 3004 with the byte count got as detail.
  void ReadExact(void* buffer, int32_t count);

  // Encoding of text reading; kEncodingAuto looks at the start of the stream for a byte-order mark
  // (UTF-16 LE or BE, UTF-8) and otherwise at the first two bytes (a 0 byte beside a non-0 one means UTF-16
  // without a mark); everything else reads as UTF-8, whose invalid bytes stand for themselves.
  void SetReadMode(int32_t encoding);
  // Encoding of text writing; kEncodingAuto writes in the encoding that reading detected, UTF-8 before any.
  void SetWriteMode(int32_t encoding);
  // kLineAuto takes the convention of the first line end read and keeps it from then on.
  void SetReadLineMode(int32_t lineMode);
  // Line end of text writing; kLineAuto writes what reading detected, CR LF before any.
  void SetWriteLineMode(int32_t lineMode);
  // The encoding reading uses or detected (kEncodingAuto until detection has run).
  int32_t ReadMode() const { return readMode; }
  int32_t WriteMode() const { return writeMode; }
  int32_t ReadLineMode() const { return readLineMode; }
  int32_t WriteLineMode() const { return writeLineMode; }
  void SetBigEndian(bool on) { bigEndian = on; }
  bool IsBigEndian() const { return bigEndian; }
  // The byte order of the UTF-16 text read: what a byte-order mark or the look at the first bytes found,
  // else the stream's own. Writing text back in it takes SetBigEndian.
  bool IsTextBigEndian() const { return textBigEndianKnown ? textBigEndian : bigEndian; }

  // Appends the next line, without its line end, to `text`. Returns the character that ended the line
  // (10 for LF, 13 for CR; with CR LF and LF CR the LF, 10), kEndAfterText when the stream ended after
  // some text, kEndOfStream when nothing was left to read.
  int32_t ReadLine(KString& text);
  // Writes the byte-order mark the write mode calls for: FF FE (or FE FF in big-endian order) for UTF-16,
  // EF BB BF for UTF-8, nothing for 8-bit text.
  void WriteBOM();
  // Writes the text in the write encoding; each line end in it ("\r\n", "\n", "\r") goes out as the write
  // line mode says.
  void WriteString(const KString& text);

  void WriteInt32(int32_t value);
  // Writes `count` words in one write: the same bytes as one WriteInt32 each, without a call per word.
  void WriteInt32s(const int32_t* values, int32_t count);
  void WriteUInt32(uint32_t value);
  void WriteInt16(int16_t value);
  void WriteUInt16(uint16_t value);
  void WriteByte(uint8_t value);
  int32_t ReadInt32();
  uint32_t ReadUInt32();
  int16_t ReadInt16();
  uint16_t ReadUInt16();
  uint8_t ReadByte();

  // The bytes left to read when the stream can tell (a file or a memory stream), else -1. Record readers
  // use it to refuse counts and lengths that the stream cannot hold.
  int64_t Remaining() const;

 protected:
  // Streams over memory may be moved (returned from a function that builds a record).
  KStream(KStream&&) = default;
  KStream& operator=(KStream&&) = default;

  virtual int32_t ReadRaw(void* buffer, int32_t count) = 0;
  virtual void WriteRaw(const void* buffer, int32_t count) = 0;
  // Bytes left behind the raw position, -1 when the stream cannot tell.
  virtual int64_t RawRemaining() const { return -1; }
  // Called before a write when text reading has looked ahead: a stream whose reading and writing share
  // one position (a file) moves back by `count` bytes, so the write lands where the reader stopped, and
  // returns true. Other streams (serial ports, sockets, memory streams) keep the bytes for later reading.
  virtual bool StepBack(int32_t count) {
    (void)count;
    return false;
  }
  // Bytes read ahead by text reading and not yet given out; seeking subclasses drop them.
  int32_t LookAheadCount() const;
  void DropLookAhead() {
    lookAheadCount = 0;
    pendingUnitCount = 0;
  }
  // Gives back the bytes text reading looked ahead (StepBack) so the position is where the reader stopped.
  void SettleLookAhead();

 private:
  struct PendingUnit {
    char16_t unit;
    // The stream bytes the unit came from, so that byte reading and seeking can give them back (none for
    // the low half of a character above U+FFFF: its high half carries them).
    uint8_t bytes[4];
    int32_t byteCount;
  };

  // Text reading: one character, -1 at the end; and putting one back.
  int32_t ReadUnit();
  int32_t DecodeUnit();
  void UnreadUnit(const PendingUnit& unit);
  // Turns units put back by line reading into look-ahead bytes again, for byte reading.
  void ReturnPendingUnits();
  void UnreadBytes(const uint8_t* bytes, int32_t count);
  void DetectEncoding();
  // Appends the bytes of one unit, or of a line end, in the write encoding.
  void EncodeUnit(char32_t codePoint, int32_t encoding, std::vector<uint8_t>& out) const;
  void EncodeLineEnd(int32_t encoding, std::vector<uint8_t>& out) const;
  int32_t EffectiveWriteMode() const;
  int32_t EffectiveWriteLineMode() const;
  // The word's low `bytes` bytes in the stream's byte order.
  void EncodeWord(uint32_t value, int32_t bytes, uint8_t* out) const;
  void PutWord(uint32_t value, int32_t bytes);
  uint32_t GetWord(int32_t bytes);

  int32_t readMode = kEncodingAuto;
  int32_t writeMode = kEncodingAuto;
  int32_t readLineMode = kLineAuto;
  int32_t writeLineMode = kLineAuto;
  int32_t detectedLineMode = kLineAuto;
  bool bigEndian = false;
  bool textBigEndian = false;  // byte order of UTF-16 text, set by a byte-order mark
  bool textBigEndianKnown = false;
  // Units decoded but not yet given out: the second half of a character above U+FFFF, or units that line
  // reading looked at and put back. The last one is next.
  PendingUnit pendingUnits[4] = {};
  int32_t pendingUnitCount = 0;
  PendingUnit lastUnit = {};  // the unit ReadUnit gave last, with its bytes
  bool atTextStart = true;    // a byte-order mark is skipped only at the start
  // Bytes read ahead by text reading and not yet given out; index 0 is next.
  uint8_t lookAhead[24] = {};
  int32_t lookAheadCount = 0;
};
