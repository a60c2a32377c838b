#pragma once
// The rules by which the main window places itself and its bars, apart from any window system:
// where the window reopens, how wide the arguments box grows, and where the object browser stands.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quillet::app {

class CSettings;

struct SRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const SRect&, const SRect&) = default;
};

struct SSize {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const SSize&, const SSize&) = default;
};

// Empty rectangles intersect nothing.
[[nodiscard]] bool Intersects(const SRect& a, const SRect& b);

// The stored main-window rectangle, read with current as the default, when it intersects one of
// the screens; otherwise nothing, so that a window saved on a screen since removed cannot reopen
// where nobody can reach it.
[[nodiscard]] std::optional<SRect> RestorablePlacement(const CSettings& settings, const SRect& current,
                                                       std::span<const SRect> screens);
void SavePlacement(CSettings& settings, const SRect& rect);

// The arguments box reaches to 10 pixels short of the toolbar's right edge, and is never
// narrower than 50 pixels.
[[nodiscard]] int32_t ArgumentsBoxWidth(int32_t toolbarRight, int32_t boxLeft);

// A docking bar's three sizes: docked along a horizontal edge, along a vertical edge, floating.
struct SBarSizes {
  static constexpr SSize kInitial{200, 200};
  static constexpr SSize kMinimum{33, 32};

  SSize horizontal = kInitial;
  SSize vertical = kInitial;
  SSize floating = kInitial;

  // Absent values keep the sizes held; a stored size below the minimum becomes the minimum.
  void Load(const CSettings& settings, std::u16string_view layout, int32_t barId);
  void Save(CSettings& settings, std::u16string_view layout, int32_t barId) const;
};

enum class EDockSide { Left, Right, Other };

// The object browser's placement, as stored when the window closes.
struct SObjectBrowserPlacement {
  bool show = true;
  SSize floatingSize{400, 350};
  bool floating = false;
  EDockSide side = EDockSide::Right;
  int32_t dockedWidth = 250;
  int32_t x = 0;
  int32_t y = 0;
  int32_t splitterFromBottom = 100;

  // The floating position defaults to the work area's top right, 400 pixels in.
  [[nodiscard]] static SObjectBrowserPlacement Load(const CSettings& settings, const SRect& workArea);
  // A hidden bar stores only that; a bar docked on neither side keeps its stored side.
  void Save(CSettings& settings) const;
};

}  // namespace quillet::app
