#include "framework/data/zafformatdata.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafscanf.h"
#include "framework/data/zafstrlib.h"

std::u16string ZafDataObjectFormat(const ZafIChar* format) {
  std::u16string text = format ? format : u"";
  const std::size_t percent = text.find(u'%');
  if (percent != std::u16string::npos) {
    text.insert(percent + 1, 1, u'Z');
  }
  return text;
}

ZafFormatData::ZafFormatData(const ZafFormatData& other)
    : ZafData(other), format(other.format), formatList(other.formatList) {}

ZafFormatData::ZafFormatData(const ZafIChar* name, ZafDataPersistence& persistence) : ZafData(name) {
  if (ZafFile* file = persistence.File()) {
    ReadFormats(*file);
  }
}

ZafClassID ZafFormatData::ClassID() const {
  return ID_ZAF_FORMAT_DATA;
}

const ZafIChar* ZafFormatData::ClassName() const {
  return u"ZafFormatData";
}

bool ZafFormatData::IsA(ZafClassID id) const {
  return id == ID_ZAF_FORMAT_DATA || ZafData::IsA(id);
}

bool ZafFormatData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafFormatData") == 0) || ZafData::IsAName(name);
}

void ZafFormatData::ReadFormats(ZafFile& file) {
  ZafIChar* text = nullptr;
  file.ReadString(text);
  std::unique_ptr<ZafIChar[]> owned(text);
  uint16_t count = 0;
  file.ReadUInt16(count);
  std::vector<std::u16string> formats;
  // Each stored format takes at least its 2-byte count, so the file's length bounds how many can follow.
  for (int index = 0; index < count && file.Error() == ZAF_ERROR_NONE; ++index) {
    if (file.Length() - file.Tell() < 2) {
      file.SetError(ZAF_ERROR_READ);
      break;
    }
    ZafIChar* entry = nullptr;
    file.ReadString(entry);
    std::unique_ptr<ZafIChar[]> ownedEntry(entry);
    formats.emplace_back(entry ? entry : u"");
  }
  if (file.Error() != ZAF_ERROR_NONE) {
    SetError(ZAF_ERROR_READ);
    return;
  }
  format = text ? text : u"";
  formatList = std::move(formats);
}

void ZafFormatData::WriteFormats(ZafFile& file) const {
  file.WriteString(format.c_str());
  const std::size_t count = std::min<std::size_t>(formatList.size(), UINT16_MAX);
  file.WriteUInt16(static_cast<uint16_t>(count));
  for (std::size_t index = 0; index < count; ++index) {
    file.WriteString(formatList[index].c_str());
  }
}

ZafError ZafFormatData::Write(ZafDataPersistence& persistence) {
  ZafData::Write(persistence);
  if (ZafFile* file = persistence.File()) {
    WriteFormats(*file);
    if (file->Error() != ZAF_ERROR_NONE) {
      persistence.SetError(file->Error());
    }
  }
  return persistence.Error();
}

int ZafFormatData::FormattedText(ZafIChar* buffer, int maximumLength, const ZafIChar* outputFormat) const {
  if (!buffer || maximumLength < 0) {
    return 0;
  }
  const std::u16string objectFormat = ZafDataObjectFormat(outputFormat ? outputFormat : format.c_str());
  // Bounded by the buffer: the text is never written past it, and a text that did not fit is not kept.
  const int length = ZafSNPrintf(buffer, static_cast<std::size_t>(maximumLength) + 1, objectFormat.c_str(),
                                 static_cast<const ZafData*>(this));
  if (length > maximumLength) {
    buffer[0] = 0;
    return 0;
  }
  return length;
}

bool ZafFormatData::ScanText(const ZafIChar* text, const ZafIChar* inputFormat) {
  std::vector<std::u16string> candidates;
  if (inputFormat) {
    candidates.emplace_back(inputFormat);
  } else {
    candidates = formatList;
  }
  BeginChange();
  bool assigned = false;
  for (const std::u16string& candidate : candidates) {
    if (ZafSScanf(text, ZafDataObjectFormat(candidate.c_str()).c_str(), static_cast<ZafData*>(this)) > 0) {
      assigned = true;
      break;
    }
  }
  EndChange(assigned);
  return assigned;
}

const ZafIChar* ZafFormatData::SetFormat(const ZafIChar* newFormat) {
  format = newFormat ? newFormat : u"";
  return format.c_str();
}

void ZafFormatData::AddFormat(const ZafIChar* newFormat) {
  if (newFormat) {
    formatList.emplace_back(newFormat);
  }
}

void ZafFormatData::ClearFormats() {
  formatList.clear();
}
