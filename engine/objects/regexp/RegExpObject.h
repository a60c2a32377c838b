#pragma once
// The RegExp object (New RegExp, CreateObject("VBScript.RegExp")): Pattern, IgnoreCase,
// Global and Multiline; Test, Execute and Replace. The pattern is compiled on first use and
// kept until Pattern, IgnoreCase or Multiline changes; a bad pattern fails at that first use.

#include <memory>
#include <string>

#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CRegExpPattern;
struct SRegExpMatchList;

class CRegExpObject : public CAutomationObject {
 public:
  CRegExpObject();
  ~CRegExpObject() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  // Shared, so that a search keeps its pattern while a replacement function changes Pattern.
  std::shared_ptr<CRegExpPattern> Compiled();
  CVariant Flag(bool& flag, const om::SMember& member, std::span<CVariant> args, bool recompile);
  CVariant SetPattern(const CVariant& value);
  CVariant Test(const CVariant& subject);
  CVariant Execute(const CVariant& subject);
  CVariant Replace(std::span<CVariant> args);

  std::u16string m_pattern;
  bool m_ignoreCase = false;
  bool m_global = false;
  bool m_multiline = false;
  std::shared_ptr<CRegExpPattern> m_compiled;
};

}  // namespace quillet::engine
