#include "native/gdi/drawtext.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "native/gdi/canvas.h"
#include "native/gdi/dcapi.h"
#include "native/gdi/textdrawing.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// Takes the "&" prefixes out of one paragraph, remembering the underlined character.
TextLine stripPrefixes(std::u16string_view paragraph, bool prefixes) {
  TextLine line;
  for (std::size_t i = 0; i < paragraph.size(); ++i) {
    if (prefixes && paragraph[i] == u'&') {
      if (i + 1 >= paragraph.size()) {
        break;  // a lone "&" at the end shows nothing
      }
      ++i;
      if (paragraph[i] != u'&') {
        line.underline = static_cast<int>(line.text.size());
      }
    }
    line.text.push_back(paragraph[i]);
  }
  return line;
}

int clampToInt(std::int64_t value) {
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

std::vector<TextLine> layoutText(std::u16string_view text, UINT format, int width,
                                 const std::function<int(std::u16string_view)>& measure) {
  bool prefixes = (format & DT_NOPREFIX) == 0;
  std::vector<std::u16string_view> paragraphs;
  std::u16string joined;
  if ((format & DT_SINGLELINE) != 0) {
    for (char16_t character : text) {
      if (character != u'\r' && character != u'\n') {
        joined.push_back(character);
      }
    }
    paragraphs.push_back(joined);
  } else {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || text[i] == u'\n' || text[i] == u'\r') {
        paragraphs.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n') {
          ++i;
        }
        start = i + 1;
      }
    }
  }
  std::vector<TextLine> lines;
  bool wrap = (format & DT_WORDBREAK) != 0 && (format & DT_SINGLELINE) == 0;
  for (std::u16string_view paragraph : paragraphs) {
    TextLine whole = stripPrefixes(paragraph, prefixes);
    if (!wrap) {
      lines.push_back(std::move(whole));
      continue;
    }
    // Greedy: take words while the line still fits; the space at a break is dropped.
    std::size_t begin = 0;
    do {
      std::size_t end = begin;
      std::size_t fit = std::u16string::npos;
      while (end < whole.text.size()) {
        std::size_t next = whole.text.find(u' ', end + 1);
        if (next == std::u16string::npos) {
          next = whole.text.size();
        }
        if (measure(std::u16string_view(whole.text).substr(begin, next - begin)) > width &&
            fit != std::u16string::npos) {
          break;
        }
        fit = next;
        end = next;
      }
      if (fit == std::u16string::npos) {
        fit = whole.text.size();
      }
      TextLine line;
      line.text = whole.text.substr(begin, fit - begin);
      if (whole.underline >= static_cast<int>(begin) && whole.underline < static_cast<int>(fit)) {
        line.underline = whole.underline - static_cast<int>(begin);
      }
      lines.push_back(std::move(line));
      begin = fit < whole.text.size() ? fit + 1 : fit;
    } while (begin < whole.text.size());
  }
  return lines;
}

int alignedLeft(const RECT& rect, int width, UINT format) {
  std::int64_t spare = std::int64_t{rect.right} - rect.left - width;
  std::int64_t shift = (format & DT_CENTER) != 0 ? spare / 2 : (format & DT_RIGHT) != 0 ? spare : 0;
  return clampToInt(rect.left + shift);
}

int alignedTop(const RECT& rect, int height, UINT format) {
  std::int64_t spare = std::int64_t{rect.bottom} - rect.top - height;
  bool single = (format & DT_SINGLELINE) != 0;
  std::int64_t shift = !single                      ? 0
                       : (format & DT_VCENTER) != 0 ? spare / 2
                       : (format & DT_BOTTOM) != 0  ? spare
                                                    : 0;
  return clampToInt(rect.top + shift);
}

int DrawText(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
  const DeviceContext* context = WindowSystem::get().gdi().dc(dc);
  if (context == nullptr || rect == nullptr || (text == nullptr && count != 0)) {
    return 0;
  }
  std::shared_ptr<const FontFace> held = faceOf(*context);
  const FontFace& face = *held;
  // Layout and alignment count in logical units; the face draws in device pixels.
  int lineHeight = context->logicalLengthY(face.metrics().tmHeight);
  std::vector<TextLine> lines =
      layoutText(textOf(text, count), format, rect->right - rect->left,
                 [&](std::u16string_view part) { return context->logicalLengthX(face.width(part)); });
  // Each line is measured once; aligning and drawing it reuse the width.
  std::vector<int> deviceWidths;
  std::vector<int> widths;
  deviceWidths.reserve(lines.size());
  widths.reserve(lines.size());
  for (const TextLine& line : lines) {
    deviceWidths.push_back(face.width(line.text));
    widths.push_back(context->logicalLengthX(deviceWidths.back()));
  }
  int widest = widths.empty() ? 0 : *std::max_element(widths.begin(), widths.end());
  int height = lineHeight * static_cast<int>(lines.size());
  if ((format & DT_CALCRECT) != 0) {
    rect->right = rect->left + widest;
    rect->bottom = rect->top + height;
    return height;
  }
  int top = alignedTop(*rect, height, format);
  int saved = SaveDC(dc);
  if ((format & DT_NOCLIP) == 0) {
    IntersectClipRect(dc, rect->left, rect->top, rect->right, rect->bottom);
  }
  Canvas canvas;
  if (canvas.open(dc)) {
    int y = top;
    for (std::size_t index = 0; index < lines.size(); ++index) {
      const TextLine& line = lines[index];
      POINT at = canvas.toTarget(POINT{alignedLeft(*rect, widths[index], format), y});
      drawTextRun(canvas, face, at, line.text, deviceWidths[index]);
      if (line.underline >= 0) {
        std::u16string_view shown(line.text);
        int start = face.width(shown.substr(0, static_cast<std::size_t>(line.underline)));
        int end = face.width(shown.substr(0, static_cast<std::size_t>(line.underline) + 1));
        int underlineY = at.y + face.metrics().tmAscent + 1;
        canvas.raster().fillRect(RECT{at.x + start, underlineY, at.x + end, underlineY + 1},
                                 Paint::of(canvas.pixel(canvas.dc().state.textColor)), R2_COPYPEN);
      }
      y += lineHeight;
    }
  }
  RestoreDC(dc, saved);
  return top == rect->top ? height : top - rect->top + height;
}

}  // namespace native
