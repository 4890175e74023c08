#include "devices/scoreboardrenderer.h"

#include "foundation/kbytetext.h"
#include "foundation/kdatetime.h"
#include "foundation/kutf8.h"
#include "model/qvresult.h"
#include "model/ytime.h"

namespace {

// A board's code sets (0 one byte per character, 1 UTF-16, 2 UTF-8) are the stream encodings of those
// numbers.
static_assert(KStream::kEncodingByte == 0 && KStream::kEncodingUtf16 == 1 && KStream::kEncodingLocal == 2);

// Display resolutions of the time fields: hundredths for finish times, thousandths for reaction times.
constexpr int32_t kFinishResolution = YTime::kUnitsPerMillisecond * 10;
constexpr int32_t kReactionResolution = YTime::kUnitsPerMillisecond;

void AppendTwoDigits(KString& text, int32_t value) {
  text.AppendChar(static_cast<char16_t>(u'0' + value / 10 % 10));
  text.AppendChar(static_cast<char16_t>(u'0' + value % 10));
}

}  // namespace

ScoreboardRenderer::ScoreboardRenderer(int32_t codeSet, bool sendPlace, bool affiliationAbbreviated)
    : codeSet(codeSet), sendPlace(sendPlace), affiliationAbbreviated(affiliationAbbreviated) {}

void ScoreboardRenderer::Render(const std::vector<ScoreboardScript::Command>& commands,
                                const ScoreboardFields& fields, std::string& bytes) const {
  int32_t activeCodeSet = codeSet;
  for (const ScoreboardScript::Command& command : commands) {
    switch (command.kind) {
      case ScoreboardScript::Kind::kText:
        bytes.append(KByteText(command.text, activeCodeSet));
        break;
      case ScoreboardScript::Kind::kByte:
        bytes.push_back(static_cast<char>(command.value));
        break;
      case ScoreboardScript::Kind::kCharMode:
        activeCodeSet = command.value;
        break;
      case ScoreboardScript::Kind::kField:
        bytes.append(KByteText(Fitted(FieldText(command.field, fields), command), activeCodeSet));
        break;
    }
  }
}

KString ScoreboardRenderer::FieldText(char16_t field, const ScoreboardFields& fields) const {
  KString text;
  switch (field) {
    case u'W':
      return fields.wind;
    case u'H':
      return fields.timeOfDay;
    case u'M':
      return fields.message;
    default:
      break;
  }
  const QvResult* result = fields.result;
  if (result == nullptr) {
    return text;
  }
  switch (field) {
    case u'P':
      if (sendPlace && fields.place > 0) {
        text.AppendInt(fields.place);
      }
      break;
    case u'L':
      return result->AthleteField(QvResult::kLaneField);
    case u'I':
      return result->AthleteField(4);
    case u'N':
      return result->AthleteField(0);
    case u'F':
      return result->AthleteField(1);
    case u'A':
      return affiliationAbbreviated ? Abbreviation(result->AthleteField(2)) : result->AthleteField(2);
    case u'B':
      return Abbreviation(result->AthleteField(2));
    case u'T':
      result->GetMainTime(nullptr).Format(text, kFinishResolution);
      break;
    case u'R':
      result->GetReactionTime().Format(text, kReactionResolution);
      break;
    case u'S':
      // A valid start names only its false-start marks: a false start keeps the status Valid.
      if (result->Status() != QvResult::kValid) {
        result->GetPlaceText(text, nullptr);
      }
      result->AppendFalseStartMarks(text);
      break;
    default:
      break;
  }
  return text;
}

KString ScoreboardRenderer::Fitted(const KString& text, const ScoreboardScript::Command& command) {
  if (command.width <= 0) {
    return text;
  }
  // The width counts characters, a pair of surrogates as one, and a cut never parts a pair.
  int32_t units = 0;
  int32_t characters = 0;
  for (; units < text.Length() && characters < command.width; ++characters) {
    units += KIsHighSurrogate(text[units]) && KIsLowSurrogate(text.At(units + 1)) ? 2 : 1;
  }
  KString fitted;
  if (units < text.Length() || characters == command.width) {
    fitted.Append(text.Data(), units);
    return fitted;
  }
  const int32_t extra = command.width - characters;
  const int32_t before = command.align == ScoreboardScript::Align::kRight    ? extra
                         : command.align == ScoreboardScript::Align::kCentre ? extra / 2
                                                                             : 0;
  for (int32_t i = 0; i < before; ++i) {
    fitted.AppendChar(command.pad);
  }
  fitted.Append(text);
  for (int32_t i = before; i < extra; ++i) {
    fitted.AppendChar(command.pad);
  }
  return fitted;
}

KString ScoreboardRenderer::TimeOfDayText(const KDateTime& now, bool twentyFourHours) {
  const int32_t second = now.MillisecondOfDay() / 1000;
  const int32_t hour = second / 3600 % 24;
  KString text;
  if (twentyFourHours) {
    AppendTwoDigits(text, hour);
  } else {
    text.AppendInt(hour % 12 == 0 ? 12 : hour % 12);
  }
  text.AppendChar(u':');
  AppendTwoDigits(text, second / 60 % 60);
  text.AppendChar(u':');
  AppendTwoDigits(text, second % 60);
  return text;
}

KString ScoreboardRenderer::Abbreviation(const KString& affiliation) {
  KString text(affiliation);
  text.Trim();
  int32_t length = 0;
  while (length < text.Length() && text[length] != u' ' && text[length] != u',') {
    ++length;
  }
  text.SetLength(length);
  return text;
}
