#include "devices/qxffile.h"

#include <cstdlib>

#include "devices/csvfields.h"
#include "foundation/kbufferedfile.h"
#include "foundation/kbytetext.h"
#include "foundation/kx.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresultfilter.h"
#include "model/qvresults.h"
#include "model/yleg.h"

namespace {

constexpr int32_t kFileBufferSize = 4096;
// Results are at most 100 per leg, so a longer file is not one of ours.
constexpr int32_t kMaxLines = QvResults::kMaxResults + 1;

// Seconds with three decimals ("0.145", "-0.020"); empty for a time that holds no value.
KString SecondsText(const YTime& time) {
  KString text;
  if (!time.HasResolution()) {
    return text;
  }
  const int64_t milliseconds = time.ToMilliseconds();
  const int64_t magnitude = std::llabs(milliseconds);
  if (milliseconds < 0) {
    text.AppendChar(u'-');
  }
  text.AppendInt(magnitude / 1000).AppendChar(u'.');
  const int64_t fraction = magnitude % 1000;
  if (fraction < 100) {
    text.AppendChar(u'0');
  }
  if (fraction < 10) {
    text.AppendChar(u'0');
  }
  text.AppendInt(fraction);
  return text;
}

KString IntText(int64_t value) {
  KString text;
  text.AppendInt(value);
  return text;
}

// 0 no false start, 1 a false start, 2 a false start charged to the athlete.
int32_t FalseStartMark(const QvResult& result) {
  if (!result.IsFalseStart()) {
    return 0;
  }
  return result.IsFalseStartCharged() ? 2 : 1;
}

// The first line: the race and its title.
KString HeaderLine(const KString& event, const KString& round, const KString& heat, const KString& title) {
  return CsvFields::Join({event, round, heat, title});
}

// One result; the fields are described in docs/photo-finish-interface.md.
KString ResultLine(const QvResult& result) {
  return CsvFields::Join({
      result.AthleteField(QvResult::kLaneField),
      result.AthleteField(4),  // id
      result.AthleteField(0),  // last name
      result.AthleteField(1),  // first name
      result.AthleteField(2),  // affiliation
      result.AthleteField(5),  // licence
      IntText(result.Status()),
      SecondsText(result.GetReactionTime()),
      IntText(FalseStartMark(result)),
      result.HasPower() ? IntText(result.GetPower()) : KString(),
  });
}

}  // namespace

std::vector<KString> QxfFile::Lines(const QvEvent& event) {
  std::vector<KString> lines;
  lines.push_back(HeaderLine(event.EventNumber(), event.RoundNumber(), event.HeatNumber(), event.GetTitle()));
  const YLeg* leg = event.Leg(0);
  if (leg == nullptr) {
    return lines;
  }
  const QvResults& results = leg->Results();
  for (const QvResult* result = results.NextInOrder(nullptr, QvResultFilter::kByLane); result != nullptr;
       result = results.NextInOrder(result, QvResultFilter::kByLane)) {
    if (!result->IsStatus7()) {
      lines.push_back(ResultLine(*result));
    }
  }
  return lines;
}

KString QxfFile::SafeName(const KString& name) {
  KString safe;
  for (int32_t i = 0; i < name.Length(); ++i) {
    const char16_t c = name[i];
    const bool hides = i == 0 && c == u'.';
    safe.AppendChar(hides || c == u'/' || c == u'\\' || c < 0x20 || c == 0x7F ? u'_' : c);
  }
  return safe;
}

KString QxfFile::FileName(const QvEvent& event) {
  KString name;
  if (!event.GetEventRoundHeatText(name) && !event.FileName().IsEmpty()) {
    event.GetFileTitle(name);
  }
  return SafeName(name);
}

void QxfFile::Write(const KString& path, const std::vector<KString>& lines, int32_t encoding) {
  KFile::SaveSafely(path, [&](KStream& stream) {
    stream.SetWriteMode(encoding);
    stream.SetWriteLineMode(KStream::kLineCrLf);
    if (encoding == KStream::kEncodingUtf16) {
      stream.WriteBOM();
    }
    const KString lineEnd(u"\r\n");
    for (const KString& line : lines) {
      const std::string bytes = KByteText(line, encoding);
      stream.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
      stream.WriteString(lineEnd);
    }
  });
}

bool QxfFile::Read(const KString& path, int32_t encoding, std::vector<KString>& lines) {
  lines.clear();
  if (!KFileExists(path)) {
    return false;
  }
  try {
    KBufferedFile file(kFileBufferSize, path);
    file.Open(KFile::kRead);
    if (file.Size() > kMaxFileBytes) {
      return false;
    }
    file.SetReadMode(encoding);
    file.SetReadLineMode(KStream::kLineNone);
    KString line;
    while (file.ReadLine(line) != KStream::kEndOfStream) {
      if (line.At(line.Length() - 1) == u'\r') {
        line.SetLength(line.Length() - 1);
      }
      if (static_cast<int32_t>(lines.size()) >= kMaxLines) {
        lines.clear();
        return false;
      }
      lines.push_back(line);
      line.Clear();
    }
  } catch (const KX&) {
    lines.clear();
    return false;
  }
  return !lines.empty();
}
