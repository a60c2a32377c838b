#pragma once
// The DISPIDs of the WbemScripting interfaces, as Windows numbers them: compiled clients and
// type libraries in a Wine prefix depend on these numbers.

#include <cstdint>

namespace quillet::engine::wbem_id {

namespace WbemEventSource {
enum : int32_t {
  NextEvent = 1,
  Security_ = 2,
};
}  // namespace WbemEventSource

namespace WbemObject {
enum : int32_t {
  Put_ = 1,
  PutAsync_ = 2,
  Delete_ = 3,
  DeleteAsync_ = 4,
  Instances_ = 5,
  InstancesAsync_ = 6,
  Subclasses_ = 7,
  SubclassesAsync_ = 8,
  Associators_ = 9,
  AssociatorsAsync_ = 10,
  References_ = 11,
  ReferencesAsync_ = 12,
  ExecMethod_ = 13,
  ExecMethodAsync_ = 14,
  Clone_ = 15,
  GetObjectText_ = 16,
  SpawnDerivedClass_ = 17,
  SpawnInstance_ = 18,
  CompareTo_ = 19,
  Qualifiers_ = 20,
  Properties_ = 21,
  Methods_ = 22,
  Derivation_ = 23,
  Path_ = 24,
  Security_ = 25,
};
}  // namespace WbemObject

namespace WbemObjectPath {
enum : int32_t {
  Path = 0,
  RelPath = 1,
  Server = 2,
  Namespace = 3,
  ParentNamespace = 4,
  DisplayName = 5,
  Class = 6,
  IsClass = 7,
  SetAsClass = 8,
  IsSingleton = 9,
  SetAsSingleton = 10,
  Keys = 11,
  Security_ = 12,
  Locale = 13,
  Authority = 14,
};
}  // namespace WbemObjectPath

namespace WbemNamedValueSet {
enum : int32_t {
  NewEnum = -4,
  Item = 0,
  Count = 1,
  Add = 2,
  Remove = 3,
  Clone = 4,
  DeleteAll = 5,
};
}  // namespace WbemNamedValueSet

namespace WbemNamedValue {
enum : int32_t {
  Value = 0,
  Name = 2,
};
}  // namespace WbemNamedValue

namespace WbemSecurity {
enum : int32_t {
  ImpersonationLevel = 1,
  AuthenticationLevel = 2,
  Privileges = 3,
};
}  // namespace WbemSecurity

namespace WbemPrivilegeSet {
enum : int32_t {
  NewEnum = -4,
  Item = 0,
  Count = 1,
  Add = 2,
  Remove = 3,
  DeleteAll = 4,
  AddAsString = 5,
};
}  // namespace WbemPrivilegeSet

namespace WbemPrivilege {
enum : int32_t {
  IsEnabled = 0,
  Name = 1,
  DisplayName = 2,
  Identifier = 3,
};
}  // namespace WbemPrivilege

namespace WbemObjectSet {
enum : int32_t {
  NewEnum = -4,
  Item = 0,
  Count = 1,
  Security_ = 4,
  ItemIndex = 5,
};
}  // namespace WbemObjectSet

namespace WbemQualifierSet {
enum : int32_t {
  NewEnum = -4,
  Item = 0,
  Count = 1,
  Add = 2,
  Remove = 3,
};
}  // namespace WbemQualifierSet

namespace WbemQualifier {
enum : int32_t {
  Value = 0,
  Name = 1,
  IsLocal = 2,
  PropagatesToSubclass = 3,
  PropagatesToInstance = 4,
  IsOverridable = 5,
  IsAmended = 6,
};
}  // namespace WbemQualifier

namespace WbemPropertySet {
enum : int32_t {
  NewEnum = -4,
  Item = 0,
  Count = 1,
  Add = 2,
  Remove = 3,
};
}  // namespace WbemPropertySet

namespace WbemProperty {
enum : int32_t {
  Value = 0,
  Name = 1,
  IsLocal = 2,
  Origin = 3,
  CIMType = 4,
  Qualifiers_ = 5,
  IsArray = 6,
};
}  // namespace WbemProperty

namespace WbemMethodSet {
enum : int32_t {
  NewEnum = -4,
  Item = 0,
  Count = 1,
};
}  // namespace WbemMethodSet

namespace WbemMethod {
enum : int32_t {
  Name = 1,
  Origin = 2,
  InParameters = 3,
  OutParameters = 4,
  Qualifiers_ = 5,
};
}  // namespace WbemMethod

namespace WbemLocator {
enum : int32_t {
  ConnectServer = 1,
  Security_ = 2,
};
}  // namespace WbemLocator

namespace WbemServices {
enum : int32_t {
  Get = 1,
  GetAsync = 2,
  Delete = 3,
  DeleteAsync = 4,
  InstancesOf = 5,
  InstancesOfAsync = 6,
  SubclassesOf = 7,
  SubclassesOfAsync = 8,
  ExecQuery = 9,
  ExecQueryAsync = 10,
  AssociatorsOf = 11,
  AssociatorsOfAsync = 12,
  ReferencesTo = 13,
  ReferencesToAsync = 14,
  ExecNotificationQuery = 15,
  ExecNotificationQueryAsync = 16,
  ExecMethod = 17,
  ExecMethodAsync = 18,
  Security_ = 19,
};
}  // namespace WbemServices

namespace WbemDateTime {
enum : int32_t {
  Value = 0,
  Year = 1,
  YearSpecified = 2,
  Month = 3,
  MonthSpecified = 4,
  Day = 5,
  DaySpecified = 6,
  Hours = 7,
  HoursSpecified = 8,
  Minutes = 9,
  MinutesSpecified = 10,
  Seconds = 11,
  SecondsSpecified = 12,
  Microseconds = 13,
  MicrosecondsSpecified = 14,
  UTC = 15,
  UTCSpecified = 16,
  IsInterval = 17,
  GetVarDate = 18,
  SetVarDate = 19,
  GetFileTime = 20,
  SetFileTime = 21,
};
}  // namespace WbemDateTime

}  // namespace quillet::engine::wbem_id
