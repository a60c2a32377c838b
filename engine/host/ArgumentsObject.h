#pragma once
// WScript.Arguments: the script's arguments, with the Named ("/name:value") and Unnamed views.

#include <string>
#include <vector>

#include "engine/runtime/AutomationObject.h"

namespace quillet::engine::host {

// Each view answers through its own interface: IArguments2, IWshNamed or IWshUnnamed.
class CArgumentsObject : public CAutomationObject {
 public:
  enum class EView { All, Named, Unnamed };
  CArgumentsObject(std::vector<std::u16string> arguments, EView view);

  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  [[nodiscard]] int FindNamed(std::u16string_view key) const;
  CVariant Item(const CVariant& key);

  std::vector<std::u16string> m_all;
  EView m_view;
  std::vector<std::u16string> m_items;        // what this view lists
  std::vector<std::u16string> m_namedValues;  // Named view: the value of each item
};

}  // namespace quillet::engine::host
