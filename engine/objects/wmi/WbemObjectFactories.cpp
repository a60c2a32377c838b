#include "engine/objects/wmi/WbemObjectFactories.h"

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDateTimeObject.h"
#include "engine/objects/wmi/WbemLocatorObject.h"
#include "engine/objects/wmi/WbemNamedValueSetObject.h"

namespace quillet::engine {

CDispatchObject* NewWbemLocator() { return new CWbemLocatorObject(); }
CDispatchObject* NewWbemNamedValueSet() { return new CWbemNamedValueSetObject(); }
CDispatchObject* NewWbemDateTime() { return new CWbemDateTimeObject(); }

}  // namespace quillet::engine
