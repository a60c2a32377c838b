#include "typeinfo/ui/ReferencesCommand.h"

#include "typeinfo/ReferenceStore.h"
#include "typeinfo/ui/ReferenceDlg.h"

namespace quillet::typeinfo {

void RunReferencesCommand(IReferenceStore& store, std::shared_ptr<const platform::CClassRegistry> registry,
                          ITypeLibPrompts& prompts, QWidget* parent) {
  CReferenceDlg dialog(store.ReadAll(), std::move(registry), prompts, parent);
  if (dialog.exec() == QDialog::Accepted) store.ReplaceAll(dialog.References());
}

}  // namespace quillet::typeinfo
