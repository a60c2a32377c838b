#pragma once
// WScript.Arguments: the script's arguments, with the Named ("/name:value") and Unnamed views.

#include <string>
#include <vector>

#include "engine/runtime/DispatchObject.h"

namespace quillet::engine::host {

class CArgumentsObject : public CDispatchObject {
 public:
  enum class EView { All, Named, Unnamed };
  CArgumentsObject(std::vector<std::u16string> arguments, EView view);

  [[nodiscard]] std::u16string TypeName() const override { return u"Object"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;
  [[nodiscard]] CEnumerator* NewEnum() override;

 private:
  [[nodiscard]] int FindNamed(std::u16string_view key) const;
  CVariant Item(std::span<CVariant> args);

  std::vector<std::u16string> m_all;
  EView m_view;
  std::vector<std::u16string> m_items;        // what this view lists
  std::vector<std::u16string> m_namedValues;  // Named view: the value of each item
};

}  // namespace quillet::engine::host
