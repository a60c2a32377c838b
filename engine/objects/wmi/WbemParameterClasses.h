#pragma once
// The classes of a method's parameters, as SWbemMethod.InParameters and OutParameters and
// ExecMethod_ show them: __PARAMETERS classes whose properties are the method's in (or out)
// parameters, the out ones led by ReturnValue. They are made once per method and live as long
// as the catalogue.

#include "platform/WmiCatalog.h"

namespace quillet::engine {

// Null when the method has no in parameters (out parameters always hold ReturnValue).
[[nodiscard]] const platform::SWmiClass* ParametersClass(const platform::SWmiClass& owner,
                                                         const platform::SWmiMethod& method, bool out);

}  // namespace quillet::engine
