#pragma once
// The dual interfaces of the WbemScripting library, declared once for the objects, the type
// library and the debugger.

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine {

extern const om::SInterface kWbemEventSourceInterface;
extern const om::SInterface kWbemObjectInterface;
extern const om::SInterface kWbemObjectPathInterface;
extern const om::SInterface kWbemNamedValueSetInterface;
extern const om::SInterface kWbemNamedValueInterface;
extern const om::SInterface kWbemSecurityInterface;
extern const om::SInterface kWbemPrivilegeSetInterface;
extern const om::SInterface kWbemPrivilegeInterface;
extern const om::SInterface kWbemObjectSetInterface;
extern const om::SInterface kWbemQualifierSetInterface;
extern const om::SInterface kWbemQualifierInterface;
extern const om::SInterface kWbemPropertySetInterface;
extern const om::SInterface kWbemPropertyInterface;
extern const om::SInterface kWbemMethodSetInterface;
extern const om::SInterface kWbemMethodInterface;
extern const om::SInterface kWbemLocatorInterface;
extern const om::SInterface kWbemServicesInterface;
extern const om::SInterface kWbemDateTimeInterface;

}  // namespace quillet::engine
