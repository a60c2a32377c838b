#pragma once
// The search of ProgID resolution's last step, shown as "Locating type library...".

#include <memory>
#include <vector>

#include "typeinfo/TypeLibLocator.h"
#include "typeinfo/TypeLibrarySearchThread.h"

class QWidget;

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

class CDialogTypeLibLocator final : public ITypeLibLocator {
 public:
  CDialogTypeLibLocator(std::shared_ptr<const platform::CClassRegistry> registry, QWidget* parent,
                        FClassProbe probe = {})
      : m_registry(std::move(registry)), m_parent(parent), m_probe(std::move(probe)) {}
  // Waits for the searches that were cancelled while a library was still being read.
  ~CDialogTypeLibLocator() override = default;
  CDialogTypeLibLocator(const CDialogTypeLibLocator&) = delete;
  CDialogTypeLibLocator& operator=(const CDialogTypeLibLocator&) = delete;

  // Returns as soon as the dialog closes; a cancelled search finishes the library in hand
  // afterwards, kept here.
  [[nodiscard]] std::u16string LocateTypeLibrary(std::u16string_view clsid) override;

 private:
  std::shared_ptr<const platform::CClassRegistry> m_registry;
  QWidget* m_parent;
  FClassProbe m_probe;
  std::vector<std::unique_ptr<CTypeLibrarySearchThread>> m_cancelled;
};

}  // namespace quillet::typeinfo
