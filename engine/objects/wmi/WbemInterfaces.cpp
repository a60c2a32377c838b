#include "engine/objects/wmi/WbemInterfaces.h"

#include "engine/objects/wmi/WbemDispIds.h"

namespace quillet::engine {

namespace {

using namespace om;
using namespace om::types;
using namespace wbem_id;

constexpr SType Date{EVt::Date};

constexpr SParam kEventSourceNextEventParams[] = {Optional(u"iTimeoutMs", Long, IntegerDefault(-1))};
constexpr SParam kObjectPutParams[] = {Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kObjectPutAsyncParams[] = {In(u"objWbemSink", Dispatch), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kObjectInstancesParams[] = {Optional(u"iFlags", Long, IntegerDefault(16)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kObjectAssociatorsParams[] = {Optional(u"strAssocClass", Bstr, TextDefault(u"")), Optional(u"strResultClass", Bstr, TextDefault(u"")), Optional(u"strResultRole", Bstr, TextDefault(u"")), Optional(u"strRole", Bstr, TextDefault(u"")), Optional(u"bClassesOnly", Bool, BooleanDefault(false)), Optional(u"bSchemaOnly", Bool, BooleanDefault(false)), Optional(u"strRequiredAssocQualifier", Bstr, TextDefault(u"")), Optional(u"strRequiredQualifier", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(16)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kObjectAssociatorsAsyncParams[] = {In(u"objWbemSink", Dispatch), Optional(u"strAssocClass", Bstr, TextDefault(u"")), Optional(u"strResultClass", Bstr, TextDefault(u"")), Optional(u"strResultRole", Bstr, TextDefault(u"")), Optional(u"strRole", Bstr, TextDefault(u"")), Optional(u"bClassesOnly", Bool, BooleanDefault(false)), Optional(u"bSchemaOnly", Bool, BooleanDefault(false)), Optional(u"strRequiredAssocQualifier", Bstr, TextDefault(u"")), Optional(u"strRequiredQualifier", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kObjectReferencesParams[] = {Optional(u"strResultClass", Bstr, TextDefault(u"")), Optional(u"strRole", Bstr, TextDefault(u"")), Optional(u"bClassesOnly", Bool, BooleanDefault(false)), Optional(u"bSchemaOnly", Bool, BooleanDefault(false)), Optional(u"strRequiredQualifier", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(16)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kObjectReferencesAsyncParams[] = {In(u"objWbemSink", Dispatch), Optional(u"strResultClass", Bstr, TextDefault(u"")), Optional(u"strRole", Bstr, TextDefault(u"")), Optional(u"bClassesOnly", Bool, BooleanDefault(false)), Optional(u"bSchemaOnly", Bool, BooleanDefault(false)), Optional(u"strRequiredQualifier", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kObjectExecMethodParams[] = {In(u"strMethodName", Bstr), Optional(u"objWbemInParameters", Dispatch, SValue{}), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kObjectExecMethodAsyncParams[] = {In(u"objWbemSink", Dispatch), In(u"strMethodName", Bstr), Optional(u"objWbemInParameters", Dispatch, SValue{}), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kObjectGetObjectTextParams[] = {Optional(u"iFlags", Long, IntegerDefault(0))};
constexpr SParam kObjectCompareToParams[] = {In(u"objWbemObject", Dispatch), Optional(u"iFlags", Long, IntegerDefault(0))};
constexpr SParam kBstrValue[] = {In(u"", Bstr)};
constexpr SParam kNamedValueSetItemParams[] = {In(u"strName", Bstr), Optional(u"iFlags", Long, IntegerDefault(0))};
constexpr SParam kNamedValueSetAddParams[] = {In(u"strName", Bstr), In(u"varValue", VariantRef), Optional(u"iFlags", Long, IntegerDefault(0))};
constexpr SParam kVariantRefValue[] = {In(u"", VariantRef)};
constexpr SParam kWbemImpersonationLevelEnumValue[] = {In(u"", Enum(u"WbemImpersonationLevelEnum"))};
constexpr SParam kWbemAuthenticationLevelEnumValue[] = {In(u"", Enum(u"WbemAuthenticationLevelEnum"))};
constexpr SParam kPrivilegeSetItemParams[] = {In(u"iPrivilege", Enum(u"WbemPrivilegeEnum"))};
constexpr SParam kPrivilegeSetAddParams[] = {In(u"iPrivilege", Enum(u"WbemPrivilegeEnum")), Optional(u"bIsEnabled", Bool, BooleanDefault(true))};
constexpr SParam kPrivilegeSetAddAsStringParams[] = {In(u"strPrivilege", Bstr), Optional(u"bIsEnabled", Bool, BooleanDefault(true))};
constexpr SParam kBoolValue[] = {In(u"", Bool)};
constexpr SParam kObjectSetItemParams[] = {In(u"strObjectPath", Bstr), Optional(u"iFlags", Long, IntegerDefault(0))};
constexpr SParam kObjectSetItemIndexParams[] = {In(u"lIndex", Long)};
constexpr SParam kQualifierSetItemParams[] = {In(u"Name", Bstr), Optional(u"iFlags", Long, IntegerDefault(0))};
constexpr SParam kQualifierSetAddParams[] = {In(u"strName", Bstr), In(u"varVal", VariantRef), Optional(u"bPropagatesToSubclass", Bool, BooleanDefault(true)), Optional(u"bPropagatesToInstance", Bool, BooleanDefault(true)), Optional(u"bIsOverridable", Bool, BooleanDefault(true)), Optional(u"iFlags", Long, IntegerDefault(0))};
constexpr SParam kPropertySetAddParams[] = {In(u"strName", Bstr), In(u"iCimType", Enum(u"WbemCimtypeEnum")), Optional(u"bIsArray", Bool, BooleanDefault(false)), Optional(u"iFlags", Long, IntegerDefault(0))};
constexpr SParam kLocatorConnectServerParams[] = {Optional(u"strServer", Bstr, TextDefault(u".")), Optional(u"strNamespace", Bstr, TextDefault(u"")), Optional(u"strUser", Bstr, TextDefault(u"")), Optional(u"strPassword", Bstr, TextDefault(u"")), Optional(u"strLocale", Bstr, TextDefault(u"")), Optional(u"strAuthority", Bstr, TextDefault(u"")), Optional(u"iSecurityFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kServicesGetParams[] = {Optional(u"strObjectPath", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kServicesGetAsyncParams[] = {In(u"objWbemSink", Dispatch), Optional(u"strObjectPath", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kServicesDeleteParams[] = {In(u"strObjectPath", Bstr), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kServicesDeleteAsyncParams[] = {In(u"objWbemSink", Dispatch), In(u"strObjectPath", Bstr), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kServicesInstancesOfParams[] = {In(u"strClass", Bstr), Optional(u"iFlags", Long, IntegerDefault(16)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kServicesInstancesOfAsyncParams[] = {In(u"objWbemSink", Dispatch), In(u"strClass", Bstr), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kServicesSubclassesOfParams[] = {Optional(u"strSuperclass", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(16)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kServicesSubclassesOfAsyncParams[] = {In(u"objWbemSink", Dispatch), Optional(u"strSuperclass", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kServicesExecQueryParams[] = {In(u"strQuery", Bstr), Optional(u"strQueryLanguage", Bstr, TextDefault(u"WQL")), Optional(u"iFlags", Long, IntegerDefault(16)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kServicesExecQueryAsyncParams[] = {In(u"objWbemSink", Dispatch), In(u"strQuery", Bstr), Optional(u"strQueryLanguage", Bstr, TextDefault(u"WQL")), Optional(u"lFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kServicesAssociatorsOfParams[] = {In(u"strObjectPath", Bstr), Optional(u"strAssocClass", Bstr, TextDefault(u"")), Optional(u"strResultClass", Bstr, TextDefault(u"")), Optional(u"strResultRole", Bstr, TextDefault(u"")), Optional(u"strRole", Bstr, TextDefault(u"")), Optional(u"bClassesOnly", Bool, BooleanDefault(false)), Optional(u"bSchemaOnly", Bool, BooleanDefault(false)), Optional(u"strRequiredAssocQualifier", Bstr, TextDefault(u"")), Optional(u"strRequiredQualifier", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(16)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kServicesAssociatorsOfAsyncParams[] = {In(u"objWbemSink", Dispatch), In(u"strObjectPath", Bstr), Optional(u"strAssocClass", Bstr, TextDefault(u"")), Optional(u"strResultClass", Bstr, TextDefault(u"")), Optional(u"strResultRole", Bstr, TextDefault(u"")), Optional(u"strRole", Bstr, TextDefault(u"")), Optional(u"bClassesOnly", Bool, BooleanDefault(false)), Optional(u"bSchemaOnly", Bool, BooleanDefault(false)), Optional(u"strRequiredAssocQualifier", Bstr, TextDefault(u"")), Optional(u"strRequiredQualifier", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kServicesReferencesToParams[] = {In(u"strObjectPath", Bstr), Optional(u"strResultClass", Bstr, TextDefault(u"")), Optional(u"strRole", Bstr, TextDefault(u"")), Optional(u"bClassesOnly", Bool, BooleanDefault(false)), Optional(u"bSchemaOnly", Bool, BooleanDefault(false)), Optional(u"strRequiredQualifier", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(16)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kServicesReferencesToAsyncParams[] = {In(u"objWbemSink", Dispatch), In(u"strObjectPath", Bstr), Optional(u"strResultClass", Bstr, TextDefault(u"")), Optional(u"strRole", Bstr, TextDefault(u"")), Optional(u"bClassesOnly", Bool, BooleanDefault(false)), Optional(u"bSchemaOnly", Bool, BooleanDefault(false)), Optional(u"strRequiredQualifier", Bstr, TextDefault(u"")), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kServicesExecNotificationQueryParams[] = {In(u"strQuery", Bstr), Optional(u"strQueryLanguage", Bstr, TextDefault(u"WQL")), Optional(u"iFlags", Long, IntegerDefault(48)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kServicesExecNotificationQueryAsyncParams[] = {In(u"objWbemSink", Dispatch), In(u"strQuery", Bstr), Optional(u"strQueryLanguage", Bstr, TextDefault(u"WQL")), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kServicesExecMethodParams[] = {In(u"strObjectPath", Bstr), In(u"strMethodName", Bstr), Optional(u"objWbemInParameters", Dispatch, SValue{}), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{})};
constexpr SParam kServicesExecMethodAsyncParams[] = {In(u"objWbemSink", Dispatch), In(u"strObjectPath", Bstr), In(u"strMethodName", Bstr), Optional(u"objWbemInParameters", Dispatch, SValue{}), Optional(u"iFlags", Long, IntegerDefault(0)), Optional(u"objWbemNamedValueSet", Dispatch, SValue{}), Optional(u"objWbemAsyncContext", Dispatch, SValue{})};
constexpr SParam kLongValue[] = {In(u"", Long)};
constexpr SParam kDateTimeGetVarDateParams[] = {Optional(u"bIsLocal", Bool, BooleanDefault(true))};
constexpr SParam kDateTimeSetVarDateParams[] = {In(u"dVarDate", Date), Optional(u"bIsLocal", Bool, BooleanDefault(true))};
constexpr SParam kDateTimeSetFileTimeParams[] = {In(u"strFileTime", Bstr), Optional(u"bIsLocal", Bool, BooleanDefault(true))};

constexpr SMember kSWbemEventSourceMembers[] = {
    Method(u"NextEvent", WbemEventSource::NextEvent, Object(u"ISWbemObject"), kEventSourceNextEventParams, u"Waits for the next event, up to the given milliseconds (-1 without end), and returns it."),
    Get(u"Security_", WbemEventSource::Security_, Object(u"ISWbemSecurity"), {}, u"The security settings of calls made through this object."),
};
constexpr SMember kSWbemObjectMembers[] = {
    Method(u"Put_", WbemObject::Put_, Object(u"ISWbemObjectPath"), kObjectPutParams, u"Writes the object back through its provider, creating or updating it."),
    Method(u"PutAsync_", WbemObject::PutAsync_, Void, kObjectPutAsyncParams, u"Like Put_, delivering the results to a sink object."),
    Method(u"Delete_", WbemObject::Delete_, Void, kObjectPutParams, u"Deletes the object through its provider."),
    Method(u"DeleteAsync_", WbemObject::DeleteAsync_, Void, kObjectPutAsyncParams, u"Like Delete_, delivering the results to a sink object."),
    Method(u"Instances_", WbemObject::Instances_, Object(u"ISWbemObjectSet"), kObjectInstancesParams, u"The instances of this class."),
    Method(u"InstancesAsync_", WbemObject::InstancesAsync_, Void, kObjectPutAsyncParams, u"Like Instances_, delivering the results to a sink object."),
    Method(u"Subclasses_", WbemObject::Subclasses_, Object(u"ISWbemObjectSet"), kObjectInstancesParams, u"The classes derived from this class."),
    Method(u"SubclassesAsync_", WbemObject::SubclassesAsync_, Void, kObjectPutAsyncParams, u"Like Subclasses_, delivering the results to a sink object."),
    Method(u"Associators_", WbemObject::Associators_, Object(u"ISWbemObjectSet"), kObjectAssociatorsParams, u"The objects associated with this one."),
    Method(u"AssociatorsAsync_", WbemObject::AssociatorsAsync_, Void, kObjectAssociatorsAsyncParams, u"Like Associators_, delivering the results to a sink object."),
    Method(u"References_", WbemObject::References_, Object(u"ISWbemObjectSet"), kObjectReferencesParams, u"The association objects that refer to this one."),
    Method(u"ReferencesAsync_", WbemObject::ReferencesAsync_, Void, kObjectReferencesAsyncParams, u"Like References_, delivering the results to a sink object."),
    Method(u"ExecMethod_", WbemObject::ExecMethod_, Object(u"ISWbemObject"), kObjectExecMethodParams, u"Runs a method of this object with the given input parameters and returns the output parameters."),
    Method(u"ExecMethodAsync_", WbemObject::ExecMethodAsync_, Void, kObjectExecMethodAsyncParams, u"Like ExecMethod_, delivering the results to a sink object."),
    Method(u"Clone_", WbemObject::Clone_, Object(u"ISWbemObject"), {}, u"A copy of this object."),
    Method(u"GetObjectText_", WbemObject::GetObjectText_, Bstr, kObjectGetObjectTextParams, u"The object written out in MOF text."),
    Method(u"SpawnDerivedClass_", WbemObject::SpawnDerivedClass_, Object(u"ISWbemObject"), kObjectGetObjectTextParams, u"A new class derived from this class."),
    Method(u"SpawnInstance_", WbemObject::SpawnInstance_, Object(u"ISWbemObject"), kObjectGetObjectTextParams, u"A new instance of this class, not yet written."),
    Method(u"CompareTo_", WbemObject::CompareTo_, Bool, kObjectCompareToParams, u"Tells whether this object equals another."),
    Get(u"Qualifiers_", WbemObject::Qualifiers_, Object(u"ISWbemQualifierSet"), {}, u"The qualifiers of the object."),
    Get(u"Properties_", WbemObject::Properties_, Object(u"ISWbemPropertySet"), {}, u"The properties of the object."),
    Get(u"Methods_", WbemObject::Methods_, Object(u"ISWbemMethodSet"), {}, u"The methods of the object's class."),
    Get(u"Derivation_", WbemObject::Derivation_, Variant, {}, u"The names of the classes this class derives from, nearest first."),
    Get(u"Path_", WbemObject::Path_, Object(u"ISWbemObjectPath"), {}, u"The path of the object."),
    Get(u"Security_", WbemObject::Security_, Object(u"ISWbemSecurity"), {}, u"The security settings of calls made through this object."),
};
constexpr SMember kSWbemObjectPathMembers[] = {
    Get(u"Path", WbemObjectPath::Path, Bstr, {}, u"The full path: computer, namespace and relative path.", member::kSideEffectFree),
    Let(u"Path", WbemObjectPath::Path, kBstrValue, u"Sets the full path: computer, namespace and relative path."),
    Get(u"RelPath", WbemObjectPath::RelPath, Bstr, {}, u"The path relative to the namespace: class and key values.", member::kSideEffectFree),
    Let(u"RelPath", WbemObjectPath::RelPath, kBstrValue, u"Sets the path relative to the namespace: class and key values."),
    Get(u"Server", WbemObjectPath::Server, Bstr, {}, u"The computer the object lives on.", member::kSideEffectFree),
    Let(u"Server", WbemObjectPath::Server, kBstrValue, u"Sets the computer the object lives on."),
    Get(u"Namespace", WbemObjectPath::Namespace, Bstr, {}, u"The namespace the object lives in.", member::kSideEffectFree),
    Let(u"Namespace", WbemObjectPath::Namespace, kBstrValue, u"Sets the namespace the object lives in."),
    Get(u"ParentNamespace", WbemObjectPath::ParentNamespace, Bstr, {}, u"The namespace above the object's namespace.", member::kSideEffectFree),
    Get(u"DisplayName", WbemObjectPath::DisplayName, Bstr, {}, u"The path as a moniker, with its security settings.", member::kSideEffectFree),
    Let(u"DisplayName", WbemObjectPath::DisplayName, kBstrValue, u"Sets the path as a moniker, with its security settings."),
    Get(u"Class", WbemObjectPath::Class, Bstr, {}, u"The name of the class.", member::kSideEffectFree),
    Let(u"Class", WbemObjectPath::Class, kBstrValue, u"Sets the name of the class."),
    Get(u"IsClass", WbemObjectPath::IsClass, Bool, {}, u"Tells whether the path names a class rather than an instance.", member::kSideEffectFree),
    Method(u"SetAsClass", WbemObjectPath::SetAsClass, Void, {}, u"Makes the path name the class alone."),
    Get(u"IsSingleton", WbemObjectPath::IsSingleton, Bool, {}, u"Tells whether the path names the only instance of a class.", member::kSideEffectFree),
    Method(u"SetAsSingleton", WbemObjectPath::SetAsSingleton, Void, {}, u"Makes the path name the only instance of its class."),
    Get(u"Keys", WbemObjectPath::Keys, Object(u"ISWbemNamedValueSet"), {}, u"The key values of the path."),
    Get(u"Security_", WbemObjectPath::Security_, Object(u"ISWbemSecurity"), {}, u"The security settings of calls made through this object."),
    Get(u"Locale", WbemObjectPath::Locale, Bstr, {}, u"The language the connection asked for.", member::kSideEffectFree),
    Let(u"Locale", WbemObjectPath::Locale, kBstrValue, u"Sets the language the connection asked for."),
    Get(u"Authority", WbemObjectPath::Authority, Bstr, {}, u"The authority used to connect.", member::kSideEffectFree),
    Let(u"Authority", WbemObjectPath::Authority, kBstrValue, u"Sets the authority used to connect."),
};
constexpr SMember kSWbemNamedValueSetMembers[] = {
    Get(u"_NewEnum", WbemNamedValueSet::NewEnum, Unknown, {}, u"Walks the items for For Each.", member::kRestricted),
    Method(u"Item", WbemNamedValueSet::Item, Object(u"ISWbemNamedValue"), kNamedValueSetItemParams, u"The named value of the given name."),
    Get(u"Count", WbemNamedValueSet::Count, Long, {}, u"The number of items.", member::kSideEffectFree),
    Method(u"Add", WbemNamedValueSet::Add, Object(u"ISWbemNamedValue"), kNamedValueSetAddParams, u"Adds or replaces a named value."),
    Method(u"Remove", WbemNamedValueSet::Remove, Void, kNamedValueSetItemParams, u"Removes the named value of the given name."),
    Method(u"Clone", WbemNamedValueSet::Clone, Object(u"ISWbemNamedValueSet"), {}, u"A copy of the set."),
    Method(u"DeleteAll", WbemNamedValueSet::DeleteAll, Void, {}, u"Removes every named value."),
};
constexpr SMember kSWbemNamedValueMembers[] = {
    Get(u"Value", WbemNamedValue::Value, Variant, {}, u"The value."),
    Let(u"Value", WbemNamedValue::Value, kVariantRefValue, u"Sets the value."),
    Get(u"Name", WbemNamedValue::Name, Bstr, {}, u"The name of the value.", member::kSideEffectFree),
};
constexpr SMember kSWbemSecurityMembers[] = {
    Get(u"ImpersonationLevel", WbemSecurity::ImpersonationLevel, Enum(u"WbemImpersonationLevelEnum"), {}, u"Whose identity calls are made with; kept, with no effect on this system.", member::kSideEffectFree),
    Let(u"ImpersonationLevel", WbemSecurity::ImpersonationLevel, kWbemImpersonationLevelEnumValue, u"Sets: whose identity calls are made with; kept, with no effect on this system."),
    Get(u"AuthenticationLevel", WbemSecurity::AuthenticationLevel, Enum(u"WbemAuthenticationLevelEnum"), {}, u"How calls are authenticated; kept, with no effect on this system.", member::kSideEffectFree),
    Let(u"AuthenticationLevel", WbemSecurity::AuthenticationLevel, kWbemAuthenticationLevelEnumValue, u"Sets: how calls are authenticated; kept, with no effect on this system."),
    Get(u"Privileges", WbemSecurity::Privileges, Object(u"ISWbemPrivilegeSet"), {}, u"The privileges asked for on calls."),
};
constexpr SMember kSWbemPrivilegeSetMembers[] = {
    Get(u"_NewEnum", WbemPrivilegeSet::NewEnum, Unknown, {}, u"Walks the items for For Each.", member::kRestricted),
    Method(u"Item", WbemPrivilegeSet::Item, Object(u"ISWbemPrivilege"), kPrivilegeSetItemParams, u"The privilege of the given number."),
    Get(u"Count", WbemPrivilegeSet::Count, Long, {}, u"The number of items.", member::kSideEffectFree),
    Method(u"Add", WbemPrivilegeSet::Add, Object(u"ISWbemPrivilege"), kPrivilegeSetAddParams, u"Adds a privilege to those asked for."),
    Method(u"Remove", WbemPrivilegeSet::Remove, Void, kPrivilegeSetItemParams, u"Removes a privilege from those asked for."),
    Method(u"DeleteAll", WbemPrivilegeSet::DeleteAll, Void, {}, u"Removes every privilege."),
    Method(u"AddAsString", WbemPrivilegeSet::AddAsString, Object(u"ISWbemPrivilege"), kPrivilegeSetAddAsStringParams, u"Adds a privilege given by its name, such as SeShutdownPrivilege."),
};
constexpr SMember kSWbemPrivilegeMembers[] = {
    Get(u"IsEnabled", WbemPrivilege::IsEnabled, Bool, {}, u"Tells whether the privilege is asked for enabled.", member::kSideEffectFree),
    Let(u"IsEnabled", WbemPrivilege::IsEnabled, kBoolValue, u"Sets whether the privilege is asked for enabled."),
    Get(u"Name", WbemPrivilege::Name, Bstr, {}, u"The name of the privilege, such as SeDebugPrivilege.", member::kSideEffectFree),
    Get(u"DisplayName", WbemPrivilege::DisplayName, Bstr, {}, u"A readable name of the privilege.", member::kSideEffectFree),
    Get(u"Identifier", WbemPrivilege::Identifier, Enum(u"WbemPrivilegeEnum"), {}, u"The number of the privilege.", member::kSideEffectFree),
};
constexpr SMember kSWbemObjectSetMembers[] = {
    Get(u"_NewEnum", WbemObjectSet::NewEnum, Unknown, {}, u"Walks the items for For Each.", member::kRestricted),
    Method(u"Item", WbemObjectSet::Item, Object(u"ISWbemObject"), kObjectSetItemParams, u"The object of the set with the given relative path."),
    Get(u"Count", WbemObjectSet::Count, Long, {}, u"The number of items.", member::kSideEffectFree),
    Get(u"Security_", WbemObjectSet::Security_, Object(u"ISWbemSecurity"), {}, u"The security settings of calls made through this object."),
    Method(u"ItemIndex", WbemObjectSet::ItemIndex, Object(u"ISWbemObject"), kObjectSetItemIndexParams, u"The object at a position of the set, from 0."),
};
constexpr SMember kSWbemQualifierSetMembers[] = {
    Get(u"_NewEnum", WbemQualifierSet::NewEnum, Unknown, {}, u"Walks the items for For Each.", member::kRestricted),
    Method(u"Item", WbemQualifierSet::Item, Object(u"ISWbemQualifier"), kQualifierSetItemParams, u"The qualifier of the given name."),
    Get(u"Count", WbemQualifierSet::Count, Long, {}, u"The number of items.", member::kSideEffectFree),
    Method(u"Add", WbemQualifierSet::Add, Object(u"ISWbemQualifier"), kQualifierSetAddParams, u"Adds or replaces a qualifier."),
    Method(u"Remove", WbemQualifierSet::Remove, Void, kNamedValueSetItemParams, u"Removes the qualifier of the given name."),
};
constexpr SMember kSWbemQualifierMembers[] = {
    Get(u"Value", WbemQualifier::Value, Variant, {}, u"The value of the qualifier."),
    Let(u"Value", WbemQualifier::Value, kVariantRefValue, u"Sets the value of the qualifier."),
    Get(u"Name", WbemQualifier::Name, Bstr, {}, u"The name of the qualifier.", member::kSideEffectFree),
    Get(u"IsLocal", WbemQualifier::IsLocal, Bool, {}, u"Tells whether it was declared here rather than inherited.", member::kSideEffectFree),
    Get(u"PropagatesToSubclass", WbemQualifier::PropagatesToSubclass, Bool, {}, u"Tells whether derived classes inherit the qualifier.", member::kSideEffectFree),
    Let(u"PropagatesToSubclass", WbemQualifier::PropagatesToSubclass, kBoolValue, u"Sets whether derived classes inherit the qualifier."),
    Get(u"PropagatesToInstance", WbemQualifier::PropagatesToInstance, Bool, {}, u"Tells whether instances inherit the qualifier.", member::kSideEffectFree),
    Let(u"PropagatesToInstance", WbemQualifier::PropagatesToInstance, kBoolValue, u"Sets whether instances inherit the qualifier."),
    Get(u"IsOverridable", WbemQualifier::IsOverridable, Bool, {}, u"Tells whether derived classes and instances may change the qualifier.", member::kSideEffectFree),
    Let(u"IsOverridable", WbemQualifier::IsOverridable, kBoolValue, u"Sets whether derived classes and instances may change the qualifier."),
    Get(u"IsAmended", WbemQualifier::IsAmended, Bool, {}, u"Tells whether the qualifier is a localized one.", member::kSideEffectFree),
};
constexpr SMember kSWbemPropertySetMembers[] = {
    Get(u"_NewEnum", WbemPropertySet::NewEnum, Unknown, {}, u"Walks the items for For Each.", member::kRestricted),
    Method(u"Item", WbemPropertySet::Item, Object(u"ISWbemProperty"), kNamedValueSetItemParams, u"The property of the given name."),
    Get(u"Count", WbemPropertySet::Count, Long, {}, u"The number of items.", member::kSideEffectFree),
    Method(u"Add", WbemPropertySet::Add, Object(u"ISWbemProperty"), kPropertySetAddParams, u"Adds a property to the object."),
    Method(u"Remove", WbemPropertySet::Remove, Void, kNamedValueSetItemParams, u"Removes a property from the object."),
};
constexpr SMember kSWbemPropertyMembers[] = {
    Get(u"Value", WbemProperty::Value, Variant, {}, u"The value of the property; Null where it has none."),
    Let(u"Value", WbemProperty::Value, kVariantRefValue, u"Sets the value of the property; Null where it has none."),
    Get(u"Name", WbemProperty::Name, Bstr, {}, u"The name of the property.", member::kSideEffectFree),
    Get(u"IsLocal", WbemProperty::IsLocal, Bool, {}, u"Tells whether it was declared here rather than inherited.", member::kSideEffectFree),
    Get(u"Origin", WbemProperty::Origin, Bstr, {}, u"The class that declared it.", member::kSideEffectFree),
    Get(u"CIMType", WbemProperty::CIMType, Enum(u"WbemCimtypeEnum"), {}, u"The CIM type of the value.", member::kSideEffectFree),
    Get(u"Qualifiers_", WbemProperty::Qualifiers_, Object(u"ISWbemQualifierSet"), {}, u"The qualifiers of the property."),
    Get(u"IsArray", WbemProperty::IsArray, Bool, {}, u"Tells whether the value is an array.", member::kSideEffectFree),
};
constexpr SMember kSWbemMethodSetMembers[] = {
    Get(u"_NewEnum", WbemMethodSet::NewEnum, Unknown, {}, u"Walks the items for For Each.", member::kRestricted),
    Method(u"Item", WbemMethodSet::Item, Object(u"ISWbemMethod"), kNamedValueSetItemParams, u"The method of the given name."),
    Get(u"Count", WbemMethodSet::Count, Long, {}, u"The number of items.", member::kSideEffectFree),
};
constexpr SMember kSWbemMethodMembers[] = {
    Get(u"Name", WbemMethod::Name, Bstr, {}, u"The name of the method.", member::kSideEffectFree),
    Get(u"Origin", WbemMethod::Origin, Bstr, {}, u"The class that declared it.", member::kSideEffectFree),
    Get(u"InParameters", WbemMethod::InParameters, Object(u"ISWbemObject"), {}, u"An object whose properties are the input parameters."),
    Get(u"OutParameters", WbemMethod::OutParameters, Object(u"ISWbemObject"), {}, u"An object whose properties are the output parameters."),
    Get(u"Qualifiers_", WbemMethod::Qualifiers_, Object(u"ISWbemQualifierSet"), {}, u"The qualifiers of the method."),
};
constexpr SMember kSWbemLocatorMembers[] = {
    Method(u"ConnectServer", WbemLocator::ConnectServer, Object(u"ISWbemServices"), kLocatorConnectServerParams, u"Connects to a namespace of this computer; another computer fails as unreachable."),
    Get(u"Security_", WbemLocator::Security_, Object(u"ISWbemSecurity"), {}, u"The security settings of calls made through this object."),
};
constexpr SMember kSWbemServicesMembers[] = {
    Method(u"Get", WbemServices::Get, Object(u"ISWbemObject"), kServicesGetParams, u"The class or instance an object path names; the namespace itself when the path is empty."),
    Method(u"GetAsync", WbemServices::GetAsync, Void, kServicesGetAsyncParams, u"Like Get, delivering the results to a sink object."),
    Method(u"Delete", WbemServices::Delete, Void, kServicesDeleteParams, u"Deletes the class or instance an object path names."),
    Method(u"DeleteAsync", WbemServices::DeleteAsync, Void, kServicesDeleteAsyncParams, u"Like Delete, delivering the results to a sink object."),
    Method(u"InstancesOf", WbemServices::InstancesOf, Object(u"ISWbemObjectSet"), kServicesInstancesOfParams, u"The instances of a class."),
    Method(u"InstancesOfAsync", WbemServices::InstancesOfAsync, Void, kServicesInstancesOfAsyncParams, u"Like InstancesOf, delivering the results to a sink object."),
    Method(u"SubclassesOf", WbemServices::SubclassesOf, Object(u"ISWbemObjectSet"), kServicesSubclassesOfParams, u"The classes derived from a class, or every class when none is named."),
    Method(u"SubclassesOfAsync", WbemServices::SubclassesOfAsync, Void, kServicesSubclassesOfAsyncParams, u"Like SubclassesOf, delivering the results to a sink object."),
    Method(u"ExecQuery", WbemServices::ExecQuery, Object(u"ISWbemObjectSet"), kServicesExecQueryParams, u"Runs a WQL query and returns the objects it selects."),
    Method(u"ExecQueryAsync", WbemServices::ExecQueryAsync, Void, kServicesExecQueryAsyncParams, u"Like ExecQuery, delivering the results to a sink object."),
    Method(u"AssociatorsOf", WbemServices::AssociatorsOf, Object(u"ISWbemObjectSet"), kServicesAssociatorsOfParams, u"The objects associated with the object a path names."),
    Method(u"AssociatorsOfAsync", WbemServices::AssociatorsOfAsync, Void, kServicesAssociatorsOfAsyncParams, u"Like AssociatorsOf, delivering the results to a sink object."),
    Method(u"ReferencesTo", WbemServices::ReferencesTo, Object(u"ISWbemObjectSet"), kServicesReferencesToParams, u"The association objects that refer to the object a path names."),
    Method(u"ReferencesToAsync", WbemServices::ReferencesToAsync, Void, kServicesReferencesToAsyncParams, u"Like ReferencesTo, delivering the results to a sink object."),
    Method(u"ExecNotificationQuery", WbemServices::ExecNotificationQuery, Object(u"ISWbemEventSource"), kServicesExecNotificationQueryParams, u"Watches for the events an event query describes."),
    Method(u"ExecNotificationQueryAsync", WbemServices::ExecNotificationQueryAsync, Void, kServicesExecNotificationQueryAsyncParams, u"Like ExecNotificationQuery, delivering the results to a sink object."),
    Method(u"ExecMethod", WbemServices::ExecMethod, Object(u"ISWbemObject"), kServicesExecMethodParams, u"Runs a method of the object a path names and returns the output parameters."),
    Method(u"ExecMethodAsync", WbemServices::ExecMethodAsync, Void, kServicesExecMethodAsyncParams, u"Like ExecMethod, delivering the results to a sink object."),
    Get(u"Security_", WbemServices::Security_, Object(u"ISWbemSecurity"), {}, u"The security settings of calls made through this object."),
};
constexpr SMember kSWbemDateTimeMembers[] = {
    Get(u"Value", WbemDateTime::Value, Bstr, {}, u"The datetime in CIM form, yyyymmddHHMMSS.mmmmmmsUUU."),
    Let(u"Value", WbemDateTime::Value, kBstrValue, u"Sets the datetime in CIM form, yyyymmddHHMMSS.mmmmmmsUUU."),
    Get(u"Year", WbemDateTime::Year, Long, {}, u"The year.", member::kSideEffectFree),
    Let(u"Year", WbemDateTime::Year, kLongValue, u"Sets the year."),
    Get(u"YearSpecified", WbemDateTime::YearSpecified, Bool, {}, u"Tells whether the year is given rather than left open.", member::kSideEffectFree),
    Let(u"YearSpecified", WbemDateTime::YearSpecified, kBoolValue, u"Sets whether the year is given rather than left open."),
    Get(u"Month", WbemDateTime::Month, Long, {}, u"The month, 1 to 12.", member::kSideEffectFree),
    Let(u"Month", WbemDateTime::Month, kLongValue, u"Sets the month, 1 to 12."),
    Get(u"MonthSpecified", WbemDateTime::MonthSpecified, Bool, {}, u"Tells whether the month is given rather than left open.", member::kSideEffectFree),
    Let(u"MonthSpecified", WbemDateTime::MonthSpecified, kBoolValue, u"Sets whether the month is given rather than left open."),
    Get(u"Day", WbemDateTime::Day, Long, {}, u"The day of the month.", member::kSideEffectFree),
    Let(u"Day", WbemDateTime::Day, kLongValue, u"Sets the day of the month."),
    Get(u"DaySpecified", WbemDateTime::DaySpecified, Bool, {}, u"Tells whether the day is given rather than left open.", member::kSideEffectFree),
    Let(u"DaySpecified", WbemDateTime::DaySpecified, kBoolValue, u"Sets whether the day is given rather than left open."),
    Get(u"Hours", WbemDateTime::Hours, Long, {}, u"The hour, 0 to 23.", member::kSideEffectFree),
    Let(u"Hours", WbemDateTime::Hours, kLongValue, u"Sets the hour, 0 to 23."),
    Get(u"HoursSpecified", WbemDateTime::HoursSpecified, Bool, {}, u"Tells whether the hours is given rather than left open.", member::kSideEffectFree),
    Let(u"HoursSpecified", WbemDateTime::HoursSpecified, kBoolValue, u"Sets whether the hours is given rather than left open."),
    Get(u"Minutes", WbemDateTime::Minutes, Long, {}, u"The minutes.", member::kSideEffectFree),
    Let(u"Minutes", WbemDateTime::Minutes, kLongValue, u"Sets the minutes."),
    Get(u"MinutesSpecified", WbemDateTime::MinutesSpecified, Bool, {}, u"Tells whether the minutes is given rather than left open.", member::kSideEffectFree),
    Let(u"MinutesSpecified", WbemDateTime::MinutesSpecified, kBoolValue, u"Sets whether the minutes is given rather than left open."),
    Get(u"Seconds", WbemDateTime::Seconds, Long, {}, u"The seconds.", member::kSideEffectFree),
    Let(u"Seconds", WbemDateTime::Seconds, kLongValue, u"Sets the seconds."),
    Get(u"SecondsSpecified", WbemDateTime::SecondsSpecified, Bool, {}, u"Tells whether the seconds is given rather than left open.", member::kSideEffectFree),
    Let(u"SecondsSpecified", WbemDateTime::SecondsSpecified, kBoolValue, u"Sets whether the seconds is given rather than left open."),
    Get(u"Microseconds", WbemDateTime::Microseconds, Long, {}, u"The microseconds.", member::kSideEffectFree),
    Let(u"Microseconds", WbemDateTime::Microseconds, kLongValue, u"Sets the microseconds."),
    Get(u"MicrosecondsSpecified", WbemDateTime::MicrosecondsSpecified, Bool, {}, u"Tells whether the microseconds is given rather than left open.", member::kSideEffectFree),
    Let(u"MicrosecondsSpecified", WbemDateTime::MicrosecondsSpecified, kBoolValue, u"Sets whether the microseconds is given rather than left open."),
    Get(u"UTC", WbemDateTime::UTC, Long, {}, u"The offset from universal time in minutes.", member::kSideEffectFree),
    Let(u"UTC", WbemDateTime::UTC, kLongValue, u"Sets the offset from universal time in minutes."),
    Get(u"UTCSpecified", WbemDateTime::UTCSpecified, Bool, {}, u"Tells whether the offset is given rather than left open.", member::kSideEffectFree),
    Let(u"UTCSpecified", WbemDateTime::UTCSpecified, kBoolValue, u"Sets whether the offset is given rather than left open."),
    Get(u"IsInterval", WbemDateTime::IsInterval, Bool, {}, u"Tells whether the value is an interval rather than a point in time.", member::kSideEffectFree),
    Let(u"IsInterval", WbemDateTime::IsInterval, kBoolValue, u"Sets whether the value is an interval rather than a point in time."),
    Method(u"GetVarDate", WbemDateTime::GetVarDate, Date, kDateTimeGetVarDateParams, u"The value as a date, in local time or as written."),
    Method(u"SetVarDate", WbemDateTime::SetVarDate, Void, kDateTimeSetVarDateParams, u"Sets the value from a date, in local time or as given."),
    Method(u"GetFileTime", WbemDateTime::GetFileTime, Bstr, kDateTimeGetVarDateParams, u"The value as a file time: 100-nanosecond steps since 1601, as text."),
    Method(u"SetFileTime", WbemDateTime::SetFileTime, Void, kDateTimeSetFileTimeParams, u"Sets the value from a file time given as text."),
};

}  // namespace

constinit const SInterface kWbemEventSourceInterface{u"ISWbemEventSource", Guid("27D54D92-0EBE-11D2-8B22-00600806D9B6"), kSWbemEventSourceMembers,
    u"The events a notification query delivers, one at a time.", iface::kHidden | iface::kNonExtensible};
constinit const SInterface kWbemObjectInterface{u"ISWbemObject", Guid("76A6415A-CB41-11D1-8B02-00600806D9B6"), kSWbemObjectMembers,
    u"A class or an instance: its properties and methods, and what can be done with it.", iface::kHidden};
constinit const SInterface kWbemObjectPathInterface{u"ISWbemObjectPath", Guid("5791BC27-CE9C-11D1-97BF-0000F81E849C"), kSWbemObjectPathMembers,
    u"Where an object lives: computer, namespace, class and key values.", iface::kHidden};
constinit const SInterface kWbemNamedValueSetInterface{u"ISWbemNamedValueSet", Guid("CF2376EA-CE8C-11D1-8B05-00600806D9B6"), kSWbemNamedValueSetMembers,
    u"Named values passed along with a call.", iface::kHidden};
constinit const SInterface kWbemNamedValueInterface{u"ISWbemNamedValue", Guid("76A64164-CB41-11D1-8B02-00600806D9B6"), kSWbemNamedValueMembers,
    u"One named value of a set.", iface::kHidden};
constinit const SInterface kWbemSecurityInterface{u"ISWbemSecurity", Guid("B54D66E6-2287-11D2-8B33-00600806D9B6"), kSWbemSecurityMembers,
    u"The security settings kept for calls through an object.", iface::kHidden | iface::kNonExtensible};
constinit const SInterface kWbemPrivilegeSetInterface{u"ISWbemPrivilegeSet", Guid("26EE67BF-5804-11D2-8B4A-00600806D9B6"), kSWbemPrivilegeSetMembers,
    u"The privileges asked for on calls through an object.", iface::kHidden | iface::kNonExtensible};
constinit const SInterface kWbemPrivilegeInterface{u"ISWbemPrivilege", Guid("26EE67BD-5804-11D2-8B4A-00600806D9B6"), kSWbemPrivilegeMembers,
    u"One privilege and whether it is asked for.", iface::kHidden | iface::kNonExtensible};
constinit const SInterface kWbemObjectSetInterface{u"ISWbemObjectSet", Guid("76A6415F-CB41-11D1-8B02-00600806D9B6"), kSWbemObjectSetMembers,
    u"The objects a query or an enumeration returned.", iface::kHidden | iface::kNonExtensible};
constinit const SInterface kWbemQualifierSetInterface{u"ISWbemQualifierSet", Guid("9B16ED16-D3DF-11D1-8B08-00600806D9B6"), kSWbemQualifierSetMembers,
    u"The qualifiers of a class, an instance, a property or a method.", iface::kHidden | iface::kNonExtensible};
constinit const SInterface kWbemQualifierInterface{u"ISWbemQualifier", Guid("79B05932-D3B7-11D1-8B06-00600806D9B6"), kSWbemQualifierMembers,
    u"One qualifier: a named value that describes a schema element.", iface::kHidden | iface::kNonExtensible};
constinit const SInterface kWbemPropertySetInterface{u"ISWbemPropertySet", Guid("DEA0A7B2-D4BA-11D1-8B09-00600806D9B6"), kSWbemPropertySetMembers,
    u"The properties of an object.", iface::kHidden};
constinit const SInterface kWbemPropertyInterface{u"ISWbemProperty", Guid("1A388F98-D4BA-11D1-8B09-00600806D9B6"), kSWbemPropertyMembers,
    u"One property of an object: its value, type and qualifiers.", iface::kHidden};
constinit const SInterface kWbemMethodSetInterface{u"ISWbemMethodSet", Guid("C93BA292-D955-11D1-8B09-00600806D9B6"), kSWbemMethodSetMembers,
    u"The methods of a class.", iface::kHidden | iface::kNonExtensible};
constinit const SInterface kWbemMethodInterface{u"ISWbemMethod", Guid("422E8E90-D955-11D1-8B09-00600806D9B6"), kSWbemMethodMembers,
    u"One method of a class, with its parameters.", iface::kHidden | iface::kNonExtensible};
constinit const SInterface kWbemLocatorInterface{u"ISWbemLocator", Guid("76A6415B-CB41-11D1-8B02-00600806D9B6"), kSWbemLocatorMembers,
    u"Connects to a namespace of the management service.", iface::kHidden};
constinit const SInterface kWbemServicesInterface{u"ISWbemServices", Guid("76A6415C-CB41-11D1-8B02-00600806D9B6"), kSWbemServicesMembers,
    u"A connection to one namespace: queries, objects and method calls.", iface::kHidden};
constinit const SInterface kWbemDateTimeInterface{u"ISWbemDateTime", Guid("5E97458A-CF77-11D3-B38F-00105A1F473A"), kSWbemDateTimeMembers,
    u"Converts between management datetimes and the dates scripts use.", iface::kHidden | iface::kNonExtensible};

}  // namespace quillet::engine
