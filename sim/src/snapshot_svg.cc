#include "carrowin/sim/snapshot_svg.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "carrowin/automation/utf.h"
#include "carrowin/screen/field_enumerations.h"
#include "field_text.h"

namespace carrowin {

namespace {

constexpr int32_t kCellWidth = 10;
constexpr int32_t kCellHeight = 20;
constexpr std::string_view kScreen = "#F4F4EC";
constexpr std::string_view kInk = "#101010";

// The terminal colours by `DRELscreenColor` value.
constexpr std::array<std::string_view, 16> kPalette = {
    "#000000", "#AA0000", "#00AA00", "#AAAA00", "#0000AA", "#AA00AA", "#00AAAA", "#FFFFFF",
    "#C0C0C0", "#555555", "#AA5500", "#5555FF", "#55FF55", "#55FFFF", "#FF5555", "#FF55FF"};

std::string_view Colour(int32_t value, std::string_view fallback) {
  return value >= 0 && value < static_cast<int32_t>(kPalette.size())
             ? kPalette[static_cast<size_t>(value)]
             : fallback;
}

std::string Escaped(std::u16string_view text) {
  std::string escaped;
  for (const char c : ToUtf8(text)) {
    switch (c) {
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '&':
        escaped += "&amp;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Number(int32_t value) { return std::to_string(value); }

std::string Rect(int32_t x, int32_t y, int32_t width, int32_t height, std::string_view style) {
  return "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
         "\" height=\"" + Number(height) + "\" " + std::string(style) + "/>\n";
}

std::string Text(int32_t x, int32_t y, std::string_view attributes, std::u16string_view text) {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\"" + std::string(attributes) + ">" +
         Escaped(text) + "</text>\n";
}

// One field: its background, text and underline, cut at the row's end.
std::string FieldSvg(const SimField& field, const SimOptions& options, bool input) {
  const int32_t columns = std::min(field.displayLength, options.virtualColumns - field.column);
  if (columns <= 0) return {};
  const int32_t x = field.column * kCellWidth;
  const int32_t y = field.row * kCellHeight;
  const int32_t video = std::max(field.video, 0);
  const int32_t render = field.flags & FlagsRenderMask;
  std::string_view ink = Colour(field.foreground, kInk);
  std::string_view paper = Colour(field.background, kScreen);
  if (render == FlagsReverse || (video & ExVideoAttribReverse) != 0) std::swap(ink, paper);
  std::string svg;
  if (paper != kScreen) {
    svg += Rect(x, y, columns * kCellWidth, kCellHeight, "fill=\"" + std::string(paper) + "\"");
  }
  std::string attributes = " fill=\"" + std::string(ink) + "\"";
  if (render == FlagsBold || (video & ExVideoAttribBold) != 0) {
    attributes += " font-weight=\"bold\"";
  }
  if ((video & ExVideoAttribUnderline) != 0) attributes += " text-decoration=\"underline\"";
  const std::u16string text = FieldText(field).substr(0, static_cast<size_t>(columns));
  if (!text.empty()) svg += Text(x, y + kCellHeight - 5, attributes, text);
  if (field.IsEntry()) {
    svg +=
        Rect(x, y + kCellHeight - 2, columns * kCellWidth, 1, "fill=\"" + std::string(ink) + "\"");
  }
  if (input) {
    svg += Rect(x, y, columns * kCellWidth, kCellHeight,
                "fill=\"none\" stroke=\"#0060C0\" stroke-width=\"2\"");
  }
  return svg;
}

}  // namespace

std::string SnapshotSvg(const SimState& state, const SimOptions& options) {
  const int32_t width = options.virtualColumns * kCellWidth;
  const int32_t height = (options.virtualRows + 1) * kCellHeight;
  // Kept spaces: a picture would otherwise fold a field's run of blanks into
  // one and move the text after it out of its column.
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) +
                    "\" height=\"" + Number(height) +
                    "\" font-family=\"monospace\" font-size=\"16\" xml:space=\"preserve\">\n";
  svg += Rect(0, 0, width, height, "fill=\"" + std::string(kScreen) + "\"");
  const SimField* input = state.InputField();
  if (const SimPage* screen = state.DisplayedPage()) {
    for (const auto& [number, field] : screen->fields) {
      if ((field.flags & FlagsFieldOff) != 0 || field.row >= options.virtualRows) continue;
      svg += FieldSvg(field, options, input == &field);
    }
  }
  const std::optional<std::u16string>& prompt = state.heyYou ? state.heyYou : state.advisory;
  if (prompt) {
    svg += Rect(0, options.virtualRows * kCellHeight, width, kCellHeight,
                "fill=\"" + std::string(kInk) + "\"");
    svg += Text(0, height - 5, " fill=\"" + std::string(kScreen) + "\"", *prompt);
  }
  return svg + "</svg>\n";
}

}  // namespace carrowin
