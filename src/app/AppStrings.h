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

// String 102: the Options dialog's caption.
inline constexpr std::u16string_view kOptionsCaption = u"Options";
// The help-file picker's filter: pairs of name and patterns, each followed by '|'.
inline constexpr std::u16string_view kHelpFileFilter = u"Help files (*.chm)|*.chm|All files (*.*)|*.*||";
inline constexpr std::u16string_view kAutomaticColor = u"Automatic";
inline constexpr std::u16string_view kTabSizeRange = u"Enter an integer between 1 and 20.";
inline constexpr std::u16string_view kStopDebuggerQuestion = u"This command will stop the debugger.";
inline constexpr std::u16string_view kHelpWhileDebugging = u"Sorry, Help is not available while debugging.";
// %1 is the version.
inline constexpr std::u16string_view kAboutText = u"Quillet\nVersion %1";
inline constexpr std::u16string_view kArgumentsLabel = u"Arguments";
inline constexpr std::u16string_view kArgumentsCue = u"<Command-Line Arguments>";
// String 37903: sizes the caret position pane of the status bar.
inline constexpr std::u16string_view kPositionPaneSizer = u"============";
inline constexpr std::u16string_view kPositionPaneFormat = u"Ln %1, Col %2";
inline constexpr std::u16string_view kReadyMessage = u"Ready";
inline constexpr std::u16string_view kOverwritePane = u"OVR";
inline constexpr std::u16string_view kCapsLockPane = u"CAP";
inline constexpr std::u16string_view kNumLockPane = u"NUM";
inline constexpr std::u16string_view kOutputBarTitle = u"Output";
inline constexpr std::u16string_view kVariablesBarTitle = u"Variables";
inline constexpr std::u16string_view kObjectBrowserBarTitle = u"Object Browser";
inline constexpr std::u16string_view kRunningScriptsTitle = u"Running scripts";
inline constexpr std::u16string_view kMainToolbarTitle = u"Toolbar";
inline constexpr std::u16string_view kDebugToolbarTitle = u"Debug";

}  // namespace quillet::app
