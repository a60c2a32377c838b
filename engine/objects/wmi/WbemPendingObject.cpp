#include "engine/objects/wmi/WbemPendingObject.h"

#include "engine/objects/wmi/WbemErrors.h"

namespace quillet::engine {

CVariant CWbemPendingObject::InvokeMember(const om::SMember& member, std::span<CVariant>) {
  wbem_error::RaiseNotAvailable(Table().Class().typeName, member.name);
}

}  // namespace quillet::engine
