#include "app/FrameLayout.h"

#include <algorithm>

#include "base/SettingsInventory.h"

namespace quillet::app {

bool Intersects(const SRect& a, const SRect& b) {
  if (a.width <= 0 || a.height <= 0 || b.width <= 0 || b.height <= 0) return false;
  // 64-bit sums: stored values come from a file anyone can edit.
  const int64_t aRight = int64_t{a.left} + a.width, aBottom = int64_t{a.top} + a.height;
  const int64_t bRight = int64_t{b.left} + b.width, bBottom = int64_t{b.top} + b.height;
  return a.left < bRight && b.left < aRight && a.top < bBottom && b.top < aBottom;
}

std::optional<SRect> RestorablePlacement(const CSettings& settings, const SRect& current,
                                         std::span<const SRect> screens) {
  const SRect stored{settings.Read(settings::MainWindowLeft, current.left),
                     settings.Read(settings::MainWindowTop, current.top),
                     settings.Read(settings::MainWindowWidth, current.width),
                     settings.Read(settings::MainWindowHeight, current.height)};
  const bool visible = std::any_of(screens.begin(), screens.end(),
                                   [&](const SRect& screen) { return Intersects(stored, screen); });
  if (!visible) return std::nullopt;
  return stored;
}

void SavePlacement(CSettings& settings, const SRect& rect) {
  settings.Write(settings::MainWindowLeft, rect.left);
  settings.Write(settings::MainWindowTop, rect.top);
  settings.Write(settings::MainWindowWidth, rect.width);
  settings.Write(settings::MainWindowHeight, rect.height);
}

int32_t ArgumentsBoxWidth(int32_t toolbarRight, int32_t boxLeft) {
  return std::max(toolbarRight - boxLeft - 10, 50);
}

namespace {

SSize ReadSize(const CSettings& settings, std::u16string_view section, size_t first, SSize held) {
  const auto& names = settings::BarSizeNames;
  return {std::max(settings.ReadInt(section, names[first], held.width), SBarSizes::kMinimum.width),
          std::max(settings.ReadInt(section, names[first + 1], held.height), SBarSizes::kMinimum.height)};
}

void WriteSize(CSettings& settings, std::u16string_view section, size_t first, SSize size) {
  settings.WriteInt(section, settings::BarSizeNames[first], size.width);
  settings.WriteInt(section, settings::BarSizeNames[first + 1], size.height);
}

}  // namespace

void SBarSizes::Load(const CSettings& settings, std::u16string_view layout, int32_t barId) {
  const std::u16string section = settings::BarSection(layout, barId);
  horizontal = ReadSize(settings, section, 0, horizontal);
  vertical = ReadSize(settings, section, 2, vertical);
  floating = ReadSize(settings, section, 4, floating);
}

void SBarSizes::Save(CSettings& settings, std::u16string_view layout, int32_t barId) const {
  const std::u16string section = settings::BarSection(layout, barId);
  WriteSize(settings, section, 0, horizontal);
  WriteSize(settings, section, 2, vertical);
  WriteSize(settings, section, 4, floating);
}

SObjectBrowserPlacement SObjectBrowserPlacement::Load(const CSettings& settings, const SRect& workArea) {
  SObjectBrowserPlacement placement;
  placement.show = settings.Read(settings::ObjectBrowserShow) != 0;
  placement.floatingSize = {settings.Read(settings::ObjectBrowserCX),
                            settings.Read(settings::ObjectBrowserCY)};
  placement.floating = settings.Read(settings::ObjectBrowserFloating) != 0;
  placement.side = settings.Read(settings::ObjectBrowserDockSide) == settings::kDockedLeft
                       ? EDockSide::Left
                       : EDockSide::Right;
  placement.dockedWidth = settings.Read(settings::ObjectBrowserVertCX);
  placement.x = settings.Read(settings::ObjectBrowserX, workArea.left + workArea.width - 400);
  placement.y = settings.Read(settings::ObjectBrowserY, workArea.top);
  placement.splitterFromBottom = settings.Read(settings::ObjectBrowserSplitter);
  return placement;
}

void SObjectBrowserPlacement::Save(CSettings& settings) const {
  if (!show) {
    settings.Write(settings::ObjectBrowserShow, 0);
    return;
  }
  settings.Write(settings::ObjectBrowserSplitter, splitterFromBottom);
  settings.Write(settings::ObjectBrowserShow, 1);
  if (floating) {
    settings.Write(settings::ObjectBrowserCX, floatingSize.width);
    settings.Write(settings::ObjectBrowserCY, floatingSize.height);
    settings.Write(settings::ObjectBrowserFloating, 1);
    settings.Write(settings::ObjectBrowserX, x);
    settings.Write(settings::ObjectBrowserY, y);
    return;
  }
  settings.Write(settings::ObjectBrowserVertCX, dockedWidth);
  if (side != EDockSide::Other) {
    settings.Write(settings::ObjectBrowserDockSide,
                   side == EDockSide::Left ? settings::kDockedLeft : settings::kDockedRight);
  }
  settings.Write(settings::ObjectBrowserFloating, 0);
}

}  // namespace quillet::app
