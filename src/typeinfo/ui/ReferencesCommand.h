#pragma once
// Tools > References...: the reference store edited through the References dialog.

#include <memory>

class QWidget;

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

class IReferenceStore;
class ITypeLibPrompts;

// Rewrites the store from the dialog's list when it ends with OK; Cancel leaves it untouched.
void RunReferencesCommand(IReferenceStore& store, std::shared_ptr<const platform::CClassRegistry> registry,
                          ITypeLibPrompts& prompts, QWidget* parent);

}  // namespace quillet::typeinfo
