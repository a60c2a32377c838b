#pragma once
// IntelliSense in one view: member lists after a dot and on request, Complete Word, the case of
// a finished word, and parameter tips. Each request reads the document afresh through source
// analysis; what it decides becomes an edit of the core or a popup of the window.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "editor/IntelliSenseHooks.h"

namespace quillet::intellisense {
class CCompletionSet;
class CSourceAnalysis;
}

namespace quillet::editor {

class CDocumentAnalysisSource;
class CEditorCore;
class IIntelliSensePopups;
class CTypeInformation;

class CEditorIntelliSense final : public IIntelliSenseHooks {
 public:
  // The type information finds the classes that CreateObject names, the libraries they import
  // and the script host's library. It must outlive this object.
  CEditorIntelliSense(CEditorCore& core, IIntelliSensePopups& popups, CTypeInformation& types);
  ~CEditorIntelliSense() override;

  void SetTypeInformation(CTypeInformation& types) { m_types = &types; }

  // IIntelliSenseHooks
  void CorrectWordCase(document::CTextPosition wordEnd) override;
  void CorrectIdentifierCase(document::CTextPosition at) override;
  void OpenMemberList(document::CTextPosition caret) override;
  void OpenParameterTip(document::CTextPosition caret) override;
  void ListMembers() override;
  void CompleteWord() override;
  void ParametersInfo() override;

  // The popup's answer: name in place of the count characters before the caret; an empty name
  // means it closed without choosing.
  void ApplyCompletion(std::u16string_view name, int32_t count);

 private:
  // The member list for the chain that ends at column, with the word typed after it.
  void MemberListAt(int32_t column, int32_t line, std::u16string_view prefix, bool correctCaseOnly);
  void ShowCompletion(const intellisense::CCompletionSet& set, std::u16string_view prefix, bool correctCaseOnly);
  void CorrectCase(int32_t column, int32_t line, bool wordEndsAtColumn);
  [[nodiscard]] bool IsCorrectableRun(int32_t column, int32_t line);
  [[nodiscard]] std::unique_ptr<intellisense::CSourceAnalysis> NewAnalysis(CDocumentAnalysisSource& source) const;

  CEditorCore& m_core;
  IIntelliSensePopups& m_popups;
  CTypeInformation* m_types;
};

}  // namespace quillet::editor
