#pragma once
// The search of ProgID resolution's last step, shown as "Locating type library...".

#include <memory>

#include "typeinfo/TypeLibLocator.h"

class QWidget;

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

class CDialogTypeLibLocator final : public ITypeLibLocator {
 public:
  CDialogTypeLibLocator(std::shared_ptr<const platform::CClassRegistry> registry, QWidget* parent)
      : m_registry(std::move(registry)), m_parent(parent) {}

  [[nodiscard]] std::u16string LocateTypeLibrary(std::u16string_view clsid) override;

 private:
  std::shared_ptr<const platform::CClassRegistry> m_registry;
  QWidget* m_parent;
};

}  // namespace quillet::typeinfo
