#pragma once
// The classes of the WbemScripting library: three that scripts create by ProgID, the others
// only reached through them.

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

extern const om::SClass kWbemEventSourceClass;
extern const om::SClass kWbemObjectClass;
extern const om::SClass kWbemObjectPathClass;
extern const om::SClass kWbemNamedValueSetClass;
extern const om::SClass kWbemNamedValueClass;
extern const om::SClass kWbemSecurityClass;
extern const om::SClass kWbemPrivilegeSetClass;
extern const om::SClass kWbemPrivilegeClass;
extern const om::SClass kWbemObjectSetClass;
extern const om::SClass kWbemQualifierSetClass;
extern const om::SClass kWbemQualifierClass;
extern const om::SClass kWbemPropertySetClass;
extern const om::SClass kWbemPropertyClass;
extern const om::SClass kWbemMethodSetClass;
extern const om::SClass kWbemMethodClass;
extern const om::SClass kWbemLocatorClass;
extern const om::SClass kWbemServicesClass;
extern const om::SClass kWbemDateTimeClass;

}  // namespace quillet::engine
