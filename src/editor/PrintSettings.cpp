#include "editor/PrintSettings.h"

#include <algorithm>

#include "base/SettingsInventory.h"

namespace quillet::editor {
namespace {

namespace settings = app::settings;

std::u16string Decimal(int32_t value) {
  std::u16string text;
  for (const char c : std::to_string(value)) text += static_cast<char16_t>(c);
  return text;
}

// A margin beyond a quarter of a metre can only be a damaged value; it would leave no room.
int32_t SaneMargin(int32_t millimetres) { return std::clamp(millimetres, 0, 250); }

}  // namespace

SPrintSettings ReadPrintSettings(const app::CSettings* store) {
  SPrintSettings result;
  if (store == nullptr) return result;
  result.lineNumbers = store->Read(settings::PrintLineNumbers) != 0;
  result.wordBreak = store->Read(settings::PageWordBreak) != 0;
  result.colors = store->Read(settings::PageColors) != 0;
  result.tabSize = std::max(1, store->Read(settings::TabSize));
  result.marginLeft = SaneMargin(store->Read(settings::PageMarginLeft));
  result.marginRight = SaneMargin(store->Read(settings::PageMarginRight));
  result.marginTop = SaneMargin(store->Read(settings::PageMarginTop));
  result.marginBottom = SaneMargin(store->Read(settings::PageMarginBottom));
  result.header = store->Read(settings::PageHeader);
  result.footer = store->Read(settings::PageFooter);
  return result;
}

SPageMargins ReadPageSetupMargins(const app::CSettings& store) {
  // The stored default of 10 hundredths would show a margin of a tenth of a millimetre, so
  // until Page Setup stores its own values it shows the margins printing really uses.
  return {store.Read(settings::PageSetupLeftMargin, store.Read(settings::PageMarginLeft) * 100),
          store.Read(settings::PageSetupTopMargin, store.Read(settings::PageMarginTop) * 100),
          store.Read(settings::PageSetupRightMargin, store.Read(settings::PageMarginRight) * 100),
          store.Read(settings::PageSetupBottomMargin, store.Read(settings::PageMarginBottom) * 100)};
}

void WritePageSetupMargins(app::CSettings& store, const SPageMargins& margins) {
  const auto millimetres = [](int32_t hundredths) { return (std::max(0, hundredths) + 50) / 100; };
  store.Write(settings::PageSetupLeftMargin, margins.left);
  store.Write(settings::PageSetupTopMargin, margins.top);
  store.Write(settings::PageSetupRightMargin, margins.right);
  store.Write(settings::PageSetupBottomMargin, margins.bottom);
  store.Write(settings::PageMarginLeft, millimetres(margins.left));
  store.Write(settings::PageMarginTop, millimetres(margins.top));
  store.Write(settings::PageMarginRight, millimetres(margins.right));
  store.Write(settings::PageMarginBottom, millimetres(margins.bottom));
}

std::u16string FormatPageTemplate(std::u16string_view pattern, std::u16string_view date,
                                  std::u16string_view time, std::u16string_view title,
                                  int32_t page, int32_t pageCount) {
  // One pass over the template, so that a code inside a replacement (a script named "a&p.vbs")
  // stays as it is.
  std::u16string text;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char16_t code = i + 1 < pattern.size() && pattern[i] == u'&' ? pattern[i + 1] : u'\0';
    switch (code) {
      case u'd': text += date; break;
      case u't': text += time; break;
      case u'f': text += title; break;
      case u'p': text += Decimal(page); break;
      case u'n': text += Decimal(pageCount); break;
      default: text += pattern[i]; continue;
    }
    ++i;
  }
  return text;
}

}  // namespace quillet::editor
