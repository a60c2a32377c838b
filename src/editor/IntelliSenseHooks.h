#pragma once
// Where IntelliSense joins the editing commands. Until it exists every hook does nothing, so
// the editing logic already calls each one at its moment.

#include "document/TextPosition.h"

namespace quillet::editor {

class IIntelliSenseHooks {
 public:
  virtual ~IIntelliSenseHooks() = default;
  // Before a word-ending character, Enter or Tab: the word that ends at wordEnd.
  virtual void CorrectWordCase(document::CTextPosition /*wordEnd*/) {}
  // Before caret keys when the text changed since IntelliSense last looked: the identifier at
  // the caret.
  virtual void CorrectIdentifierCase(document::CTextPosition /*at*/) {}
  // After a typed ".".
  virtual void OpenMemberList(document::CTextPosition /*caret*/) {}
  // After a typed blank or "(".
  virtual void OpenParameterTip(document::CTextPosition /*caret*/) {}
  // The Edit menu's commands at the caret.
  virtual void ListMembers() {}
  virtual void CompleteWord() {}
  virtual void ParametersInfo() {}
};

}  // namespace quillet::editor
