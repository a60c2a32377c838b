#include "engine/objects/wmi/WbemObjectFactories.h"

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDateTimeObject.h"
#include "engine/objects/wmi/WbemLocatorObject.h"
#include "engine/objects/wmi/WbemPendingObject.h"
#include "engine/runtime/DispatchTable.h"

namespace quillet::engine {

CDispatchObject* NewWbemLocator() { return new CWbemLocatorObject(); }
CDispatchObject* NewWbemNamedValueSet() {
  return new CWbemPendingObject(DispatchTableOf<kWbemNamedValueSetClass>());
}
CDispatchObject* NewWbemDateTime() { return new CWbemDateTimeObject(); }

}  // namespace quillet::engine
