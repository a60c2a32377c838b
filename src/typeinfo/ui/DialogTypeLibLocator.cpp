#include "typeinfo/ui/DialogTypeLibLocator.h"

#include "typeinfo/ui/LocateTypeLibraryDlg.h"

namespace quillet::typeinfo {

std::u16string CDialogTypeLibLocator::LocateTypeLibrary(std::u16string_view clsid) {
  CLocateTypeLibraryDlg dialog(m_registry, std::u16string(clsid), m_parent);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.FoundPath();
}

}  // namespace quillet::typeinfo
