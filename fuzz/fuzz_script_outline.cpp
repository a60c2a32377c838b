// Arbitrary script text through the object browser's outline scan, twice. Input: one byte of
// mode, then the text; mode bit 0 set means UTF-16LE, clear means one byte per code unit. Lines
// end at line feeds and are coloured by the editor's scanner, as in the view. The browser checks
// that every removal names something announced before and still shown, and the second scan of
// the same text must announce nothing.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editor/SyntaxScanner.h"
#include "intellisense/AnalysisSource.h"
#include "intellisense/ScriptOutline.h"
#include "intellisense/ScriptOutlineBrowser.h"
#include "typeinfo/TypeLib.h"

namespace {

using namespace quillet;

class CLines final : public intellisense::IAnalysisSource {
 public:
  explicit CLines(const std::u16string& text) {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || text[i] == u'\n') {
        m_lines.push_back(text.substr(start, i - start));
        start = i + 1;
      }
    }
    // Each line's state at its end, as the view's cache would hold it.
    uint32_t state = 0;
    for (const auto& line : m_lines) m_states.push_back(state = editor::ScanLine(state, line, nullptr));
  }
  [[nodiscard]] int32_t LineCount() const override { return static_cast<int32_t>(m_lines.size()); }
  [[nodiscard]] std::u16string_view LineText(int32_t line) const override { return m_lines.at(static_cast<size_t>(line)); }
  void ScanLine(int32_t line, std::u16string_view text, std::vector<intellisense::SColourRun>& runs) override {
    std::vector<editor::SColorBlock> blocks;
    const uint32_t before = line > 0 ? m_states[static_cast<size_t>(line - 1)] : 0;
    (void)editor::ScanLine(before, text, &blocks);
    for (const auto& block : blocks) runs.push_back({block.start, block.color});
  }

 private:
  std::vector<std::u16string> m_lines;
  std::vector<uint32_t> m_states;
};

class CCheckingBrowser final : public intellisense::IScriptOutlineBrowser {
 public:
  typeinfo::CTypeLib& ScriptLibrary() override { return *m_script; }
  void InsertScriptGroup(typeinfo::CTypeLibGroup& group) override { Insert(&group); }
  void InsertScriptMember(typeinfo::CTypeLibGroup&, typeinfo::CTypeLibMember& member) override { Insert(&member); }
  void RemoveScriptGroup(typeinfo::CTypeLibGroup& group) override {
    for (const auto& member : group.members) m_shown.erase(member.get());
    Remove(&group);
  }
  void RemoveScriptMember(typeinfo::CTypeLibGroup&, typeinfo::CTypeLibMember& member) override { Remove(&member); }
  void RefreshDescription() override {}
  std::vector<typeinfo::CTypeLib*> LoadedLibraries() override {
    std::vector<typeinfo::CTypeLib*> libraries;
    for (const auto& library : m_libraries) libraries.push_back(library.get());
    return libraries;
  }
  typeinfo::CTypeLib& AddLibrary(const std::u16string& path) override {
    ++operations;
    m_libraries.push_back(std::make_unique<typeinfo::CTypeLib>());
    m_libraries.back()->path = path;
    return *m_libraries.back();
  }
  void RemoveLibrary(typeinfo::CTypeLib& library) override {
    ++operations;
    std::erase_if(m_libraries, [&](const auto& held) { return held.get() == &library; });
  }

  int operations = 0;

 private:
  void Insert(const void* record) {
    ++operations;
    if (!m_shown.insert(record).second) std::abort();
  }
  void Remove(const void* record) {
    ++operations;
    if (m_shown.erase(record) != 1) std::abort();
  }

  std::unique_ptr<typeinfo::CTypeLib> m_script = intellisense::MakeScriptLibrary();
  std::vector<std::unique_ptr<typeinfo::CTypeLib>> m_libraries;
  std::set<const void*> m_shown;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::u16string text;
  if ((data[0] & 1) != 0) {
    for (size_t i = 1; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  } else {
    for (size_t i = 1; i < size; ++i) text += static_cast<char16_t>(data[i]);
  }
  CLines source(text);
  CCheckingBrowser browser;
  intellisense::CScriptOutline outline([](std::u16string_view progId) {
    return !progId.empty() && progId.front() == u'a' ? std::u16string(u"/a.tlb") : std::u16string();
  });
  outline.Refresh(source, u"a.vbs", u"", browser);
  if (outline.UsedProgIdList().size() > intellisense::kMaxUsedProgIds) std::abort();
  browser.operations = 0;
  outline.Refresh(source, u"a.vbs", u"", browser);
  if (browser.operations != 0) std::abort();
  return 0;
}
