#pragma once
// Texts of the application shell, by string-table id where they have one.

#include <string_view>

namespace quillet::app {

inline constexpr std::u16string_view kCompanyName = u"Kelmarsh";
// String 57344: the application title, which also names the settings key.
inline constexpr std::u16string_view kAppTitle = u"Quillet";
// String 128: the document template's string.
inline constexpr std::u16string_view kDocumentTemplateString =
    u"Quillet\n\nQuillet\nVBScript (*.vbs)\n.vbs\nQuillet.Document\nQuillet Document";
inline constexpr std::u16string_view kFailedToOpenDocument = u"Failed to open document.";
inline constexpr std::u16string_view kFailedToSaveDocument = u"Failed to save document.";
// %1 is the document's title.
inline constexpr std::u16string_view kAskToSave = u"Save changes to %1?";

}  // namespace quillet::app
