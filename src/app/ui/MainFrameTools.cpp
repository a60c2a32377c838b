// The main window's handlers of the Tools commands that belong to other subsystems' dialogs.

#include "app/SettingsReferenceStore.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ProcessesDlg.h"
#include "base/SettingsInventory.h"
#include "platform/ClassRegistry.h"
#include "typeinfo/ui/ReferencesCommand.h"
#include "typeinfo/ui/TypeLibPrompts.h"

namespace quillet::app {

// The class registry is read afresh each time, so libraries registered meanwhile are offered.
void CMainFrame::OnReferences() {
  CSettingsReferenceStore store(m_settings);
  typeinfo::CTypeLibDialogPrompts prompts;
  auto registry = std::make_shared<const platform::CClassRegistry>(platform::CClassRegistry::LoadDefault());
  typeinfo::RunReferencesCommand(store, std::move(registry), prompts, this);
}

void CMainFrame::OnRunningScripts() {
  CProcessesDlg dialog(m_settings.Read(settings::ConsoleHost), this);
  dialog.exec();
}

}  // namespace quillet::app
