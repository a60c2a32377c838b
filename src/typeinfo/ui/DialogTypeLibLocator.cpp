#include "typeinfo/ui/DialogTypeLibLocator.h"

#include "typeinfo/ui/LocateTypeLibraryDlg.h"

namespace quillet::typeinfo {

std::u16string CDialogTypeLibLocator::LocateTypeLibrary(std::u16string_view clsid) {
  std::erase_if(m_cancelled, [](const auto& search) { return search->Search().Finished(); });
  CLocateTypeLibraryDlg dialog(m_registry, std::u16string(clsid), m_parent, m_probe);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (auto search = dialog.TakeSearch(); search && !search->Search().Finished()) {
    m_cancelled.push_back(std::move(search));
  }
  return accepted ? dialog.FoundPath() : std::u16string();
}

}  // namespace quillet::typeinfo
