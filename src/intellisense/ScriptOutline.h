#pragma once
// The script's own outline as the object browser shows it, kept current by a periodic scan:
// classes with their procedures and properties, the global procedures under "Global code", and
// the type libraries of the objects the script creates by a literal ProgID. Each tick reconciles
// what the scan found with what the browser holds and announces only the differences.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "intellisense/PreparedLine.h"
#include "regex/RegExpW.h"
#include "typeinfo/TypeLibMember.h"

namespace quillet::typeinfo {
class CTypeLib;
class CTypeLibGroup;
}  // namespace quillet::typeinfo

namespace quillet::intellisense {

class IAnalysisSource;
class IScriptOutlineBrowser;

inline constexpr std::u16string_view kScriptLibraryName = u"Active Script";
inline constexpr std::u16string_view kGlobalCodeGroupName = u"Global code";
// The host's own library is always shown, whatever the script creates.
inline constexpr std::u16string_view kScriptHostLibraryPath = u"wscript.exe";
inline constexpr size_t kMaxUsedProgIds = 256;
inline constexpr size_t kMaxOutlineLineLength = 512;
inline constexpr size_t kMaxProgIdLength = 256;

// "Active Script" with its "Global code" group, as the browser starts with it.
[[nodiscard]] std::unique_ptr<typeinfo::CTypeLib> MakeScriptLibrary();

class CScriptOutline {
 public:
  // The type library file of a ProgID (lower case, as the script's text gave it); empty when
  // none is known.
  using FResolveLibraryPath = std::function<std::u16string(std::u16string_view progId)>;

  explicit CScriptOutline(FResolveLibraryPath resolveLibraryPath);
  ~CScriptOutline();
  CScriptOutline(const CScriptOutline&) = delete;
  CScriptOutline& operator=(const CScriptOutline&) = delete;

  // One tick: scans every line of the source, updates the browser where the script changed and
  // brings its loaded libraries in step when the set of ProgIDs changed. A tick asked for while
  // one runs (a resolution's dialog runs the event loop, and the timer with it) does nothing.
  void Refresh(IAnalysisSource& source, std::u16string_view title, std::u16string_view path,
               IScriptOutlineBrowser& browser);

  // The ProgIDs of the last tick in the order they were first seen, lower case.
  [[nodiscard]] const std::vector<std::u16string>& UsedProgIdList() const { return m_progIds; }

 private:
  struct STick;

  void ScanLine(STick& tick, int32_t line);
  // Each returns true when the rest of the line is not to be examined.
  bool ClassAt(STick& tick, int32_t line);
  void PropertyAt(STick& tick, int32_t line);
  bool ProcedureAt(STick& tick, int32_t line);
  bool ProgIdAt(STick& tick, std::u16string_view raw, size_t after, bool stopsAtColon);
  [[nodiscard]] const char16_t* Prepared(STick& tick, int32_t line);
  void SeeMember(STick& tick, typeinfo::CTypeLibGroup& group, std::u16string_view name,
                 typeinfo::ECatalogueKind kind, int32_t line);
  void RemoveUnseen(STick& tick);
  bool TakeProgIds(std::vector<std::u16string> seen);
  void ReconcileLibraries(IScriptOutlineBrowser& browser);

  FResolveLibraryPath m_resolveLibraryPath;
  regex::CRegExpW m_classPattern;
  regex::CRegExpW m_endClassPattern;
  regex::CRegExpW m_subPattern;
  regex::CRegExpW m_functionPattern;
  regex::CRegExpW m_propertyPattern;
  std::unique_ptr<CPreparedLine> m_prepared;
  std::vector<std::u16string> m_progIds;
  std::u16string m_title;
  std::u16string m_path;
  bool m_refreshing = false;
};

}  // namespace quillet::intellisense
