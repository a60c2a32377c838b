#pragma once
// Every value of the settings store in one place: its section, name, type and default. Code
// elsewhere reads and writes settings only through these entries and CSettings, never by
// spelling a section or value name itself.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::platform {
class CSettingsStore;
}

namespace quillet::app {

struct SIntSetting {
  std::u16string_view section;
  std::u16string_view name;
  int32_t defaultValue;
};

struct SStringSetting {
  std::u16string_view section;
  std::u16string_view name;
  std::u16string_view defaultValue;
};

// A most-recently-used list: values namePrefix + number, numbers from firstNumber on.
struct SListSetting {
  std::u16string_view section;
  std::u16string_view namePrefix;
  int32_t firstNumber;
  int32_t size;
};

// Colours are COLORREF values: 0x00BBGGRR.
namespace settings {

// "Options": editor and run options.
inline constexpr SIntSetting TabSize{u"Options", u"TabSize", 4};
inline constexpr SIntSetting InsertSpaces{u"Options", u"InsertSpaces", 0};
inline constexpr SIntSetting AutomaticallySave{u"Options", u"AutomaticallySave", 1};
inline constexpr SIntSetting DisplayLogo{u"Options", u"DisplayLogo", 1};
inline constexpr SIntSetting FirstStep{u"Options", u"FirstStep", 0};
inline constexpr SIntSetting PrintLineNumbers{u"Options", u"PrintLineNumbers", 1};

// "Colors": syntax colours. LineNumbers defaults to the system's grey-text colour; callers that
// know it pass it as the default, the Options dialog uses 0x808080.
inline constexpr SIntSetting CommentsColor{u"Colors", u"Comments", 0x008000};
inline constexpr SIntSetting StringsColor{u"Colors", u"Strings", 0x808080};
inline constexpr SIntSetting KeywordsColor{u"Colors", u"Keywords", 0xFF0000};
inline constexpr SIntSetting NumbersColor{u"Colors", u"Numbers", 0x000080};
inline constexpr SIntSetting LineNumbersColor{u"Colors", u"LineNumbers", 0x808080};
inline constexpr SIntSetting FieldsColor{u"Colors", u"Fields", 0x0000FF};

// "View"
inline constexpr SIntSetting ViewTabs{u"View", u"Tabs", 0};
inline constexpr SIntSetting ViewLineNumbers{u"View", u"LineNumbers", 1};

// "Font": the editor font. Height2 defaults to DefaultFontHeight() of the screen.
inline constexpr SStringSetting FontFace{u"Font", u"Face2", u"Courier New"};
inline constexpr SIntSetting FontHeight{u"Font", u"Height2", -13};
inline constexpr SIntSetting FontWeight{u"Font", u"Weight2", 400};

// "Help"
inline constexpr SStringSetting HelpFile{u"Help", u"File", u""};
inline constexpr SStringSetting HelpWeb{u"Help", u"Web", u"https://duckduckgo.com/?q=%1+vbscript"};

// "Debug"
inline constexpr SIntSetting ConsoleMode{u"Debug", u"ConsoleMode", 1};
inline constexpr SIntSetting RedirectConsole{u"Debug", u"RedirectConsole", 1};

// "Debugger"
inline constexpr SIntSetting DebuggerDisplayMessage{u"Debugger", u"DisplayMessage", 0};

// "Engine": the console host's executable name, without ".exe".
inline constexpr SStringSetting ConsoleHost{u"Engine", u"CScript", u"CScript"};

// "Replace": the find and replace dialogs; read when one opens, written when it closes.
inline constexpr SIntSetting ReplaceMatchCase{u"Replace", u"MatchCase", 0};
inline constexpr SIntSetting ReplaceWholeWord{u"Replace", u"WholeWord", 0};
inline constexpr SStringSetting ReplaceFindWhat{u"Replace", u"FindWhat", u""};
inline constexpr SStringSetting ReplaceReplaceWith{u"Replace", u"ReplaceWith", u""};

// "Page": read when printing; margins in millimetres. Page Setup writes the four margins too,
// rounded to whole millimetres, so that its choice is what gets printed.
inline constexpr SStringSetting PageHeader{u"Page", u"Header", u"&f"};
inline constexpr SStringSetting PageFooter{u"Page", u"Footer", u"Page &p/&n"};
inline constexpr SIntSetting PageColors{u"Page", u"Colors", 1};
inline constexpr SIntSetting PageWordBreak{u"Page", u"WordBreak", 1};
inline constexpr SIntSetting PageMarginLeft{u"Page", u"MarginLeft", 10};
inline constexpr SIntSetting PageMarginRight{u"Page", u"MarginRight", 10};
inline constexpr SIntSetting PageMarginTop{u"Page", u"MarginTop", 10};
inline constexpr SIntSetting PageMarginBottom{u"Page", u"MarginBottom", 10};

// "PageSetup": the Page Setup command's own record; margins in hundredths of a millimetre. Read
// and written only by that command, which shows the "Page" margins until it has stored these.
inline constexpr SIntSetting PageSetupLeftMargin{u"PageSetup", u"LeftMargin", 10};
inline constexpr SIntSetting PageSetupRightMargin{u"PageSetup", u"RightMargin", 10};
inline constexpr SIntSetting PageSetupTopMargin{u"PageSetup", u"TopMargin", 10};
inline constexpr SIntSetting PageSetupBottomMargin{u"PageSetup", u"BottomMargin", 10};

// "MainWindow": placement; the caller passes the current value as the default.
inline constexpr SIntSetting MainWindowLeft{u"MainWindow", u"Left", 0};
inline constexpr SIntSetting MainWindowTop{u"MainWindow", u"Top", 0};
inline constexpr SIntSetting MainWindowWidth{u"MainWindow", u"Width", 0};
inline constexpr SIntSetting MainWindowHeight{u"MainWindow", u"Height", 0};

// "Settings": the object browser's bar and print preview.
inline constexpr SIntSetting ObjectBrowserShow{u"Settings", u"ObjectBrowserShow", 1};
inline constexpr SIntSetting ObjectBrowserCX{u"Settings", u"ObjectBrowserCX", 400};
inline constexpr SIntSetting ObjectBrowserCY{u"Settings", u"ObjectBrowserCY", 350};
inline constexpr SIntSetting ObjectBrowserFloating{u"Settings", u"ObjectBrowserFloating", 0};
inline constexpr int32_t kDockedRight = 0x4000;
inline constexpr int32_t kDockedLeft = 0x1000;
inline constexpr SIntSetting ObjectBrowserDockSide{u"Settings", u"ObjectBrowserDockSide", kDockedRight};
inline constexpr SIntSetting ObjectBrowserVertCX{u"Settings", u"ObjectBrowserVertCX", 250};
// Floating position; the caller passes the desktop work area's right edge less 400 and its top.
inline constexpr SIntSetting ObjectBrowserX{u"Settings", u"ObjectBrowserX", 0};
inline constexpr SIntSetting ObjectBrowserY{u"Settings", u"ObjectBrowserY", 0};
inline constexpr SIntSetting ObjectBrowserSplitter{u"Settings", u"ObjectBrowserSplitter", 100};
inline constexpr SIntSetting PreviewPages{u"Settings", u"PreviewPages", 0};

// "TypeLib": one string per ProgID, the type library's path or "unknown".
inline constexpr std::u16string_view TypeLibSection = u"TypeLib";
inline constexpr std::u16string_view TypeLibUnknown = u"unknown";

// Most-recently-used lists.
inline constexpr SListSetting RecentFiles{u"Recent File List", u"File", 1, 6};
inline constexpr SListSetting RecentFinds{u"Recent Find List", u"Arg", 0, 20};
inline constexpr SListSetting RecentReplaces{u"Recent Replace List", u"Arg", 0, 20};
inline constexpr SListSetting RecentArguments{u"Recent Arg List", u"Arg", 0, 20};
inline constexpr SListSetting RecentObjectBrowserSearches{u"ObjectBrowser Recent List", u"Arg", 0, 20};

// Docking-bar layouts: a bar's sizes live in the section "<layout>-SCBar-<bar id>".
inline constexpr std::u16string_view ShellBarLayout = u"ShellBarState";
inline constexpr std::u16string_view VariableBarLayout = u"VariableBarState";
inline constexpr int32_t kOutputBarId = 123;
inline constexpr int32_t kVariablesBarId = 124;
inline constexpr int32_t kObjectBrowserBarId = 125;
inline constexpr std::u16string_view BarSizeNames[] = {u"sizeHorzCX", u"sizeHorzCY", u"sizeVertCX",
                                                       u"sizeVertCY", u"sizeFloatCX", u"sizeFloatCY"};
[[nodiscard]] std::u16string BarSection(std::u16string_view layout, int32_t barId);

// The negated pixel height of a 10-point font at dotsPerInch, rounded as MulDiv rounds.
[[nodiscard]] int32_t DefaultFontHeight(int32_t dotsPerInch);

}  // namespace settings

// Reads and writes inventory entries through the store.
class CSettings {
 public:
  explicit CSettings(platform::CSettingsStore& store) : m_store(store) {}

  [[nodiscard]] int32_t Read(const SIntSetting& setting) const;
  // For entries whose default is the caller's current value or a property of the system.
  [[nodiscard]] int32_t Read(const SIntSetting& setting, int32_t defaultValue) const;
  [[nodiscard]] std::u16string Read(const SStringSetting& setting) const;
  bool Write(const SIntSetting& setting, int32_t value);
  bool Write(const SStringSetting& setting, std::u16string_view value);

  // Entries in number order, stopping at the first missing one.
  [[nodiscard]] std::vector<std::u16string> ReadList(const SListSetting& list) const;
  void WriteList(const SListSetting& list, const std::vector<std::u16string>& entries);
  // Every non-empty entry in number order, passing over gaps.
  [[nodiscard]] std::vector<std::u16string> ReadNonEmptyList(const SListSetting& list) const;

  // Arbitrary sections named at run time (type libraries, bar layouts).
  [[nodiscard]] int32_t ReadInt(std::u16string_view section, std::u16string_view name,
                                int32_t defaultValue) const;
  [[nodiscard]] std::u16string ReadString(std::u16string_view section, std::u16string_view name,
                                          std::u16string_view defaultValue) const;
  bool WriteInt(std::u16string_view section, std::u16string_view name, int32_t value);
  bool WriteString(std::u16string_view section, std::u16string_view name, std::u16string_view value);

  [[nodiscard]] platform::CSettingsStore& Store() const { return m_store; }

 private:
  platform::CSettingsStore& m_store;
};

}  // namespace quillet::app
