#include "engine/objects/wmi/WbemScriptingLibrary.h"

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemInterfaces.h"

namespace quillet::engine {

namespace {

using namespace om;

constexpr SEnumValue kWbemImpersonationLevelEnumValues[] = {
    {u"wbemImpersonationLevelAnonymous", 1},
    {u"wbemImpersonationLevelIdentify", 2},
    {u"wbemImpersonationLevelImpersonate", 3},
    {u"wbemImpersonationLevelDelegate", 4},
};
constexpr SEnumValue kWbemAuthenticationLevelEnumValues[] = {
    {u"wbemAuthenticationLevelDefault", 0},
    {u"wbemAuthenticationLevelNone", 1},
    {u"wbemAuthenticationLevelConnect", 2},
    {u"wbemAuthenticationLevelCall", 3},
    {u"wbemAuthenticationLevelPkt", 4},
    {u"wbemAuthenticationLevelPktIntegrity", 5},
    {u"wbemAuthenticationLevelPktPrivacy", 6},
};
constexpr SEnumValue kWbemPrivilegeEnumValues[] = {
    {u"wbemPrivilegeCreateToken", 1},
    {u"wbemPrivilegePrimaryToken", 2},
    {u"wbemPrivilegeLockMemory", 3},
    {u"wbemPrivilegeIncreaseQuota", 4},
    {u"wbemPrivilegeMachineAccount", 5},
    {u"wbemPrivilegeTcb", 6},
    {u"wbemPrivilegeSecurity", 7},
    {u"wbemPrivilegeTakeOwnership", 8},
    {u"wbemPrivilegeLoadDriver", 9},
    {u"wbemPrivilegeSystemProfile", 10},
    {u"wbemPrivilegeSystemtime", 11},
    {u"wbemPrivilegeProfileSingleProcess", 12},
    {u"wbemPrivilegeIncreaseBasePriority", 13},
    {u"wbemPrivilegeCreatePagefile", 14},
    {u"wbemPrivilegeCreatePermanent", 15},
    {u"wbemPrivilegeBackup", 16},
    {u"wbemPrivilegeRestore", 17},
    {u"wbemPrivilegeShutdown", 18},
    {u"wbemPrivilegeDebug", 19},
    {u"wbemPrivilegeAudit", 20},
    {u"wbemPrivilegeSystemEnvironment", 21},
    {u"wbemPrivilegeChangeNotify", 22},
    {u"wbemPrivilegeRemoteShutdown", 23},
    {u"wbemPrivilegeUndock", 24},
    {u"wbemPrivilegeSyncAgent", 25},
    {u"wbemPrivilegeEnableDelegation", 26},
    {u"wbemPrivilegeManageVolume", 27},
};
constexpr SEnumValue kWbemCimtypeEnumValues[] = {
    {u"wbemCimtypeSint16", 2},
    {u"wbemCimtypeSint32", 3},
    {u"wbemCimtypeReal32", 4},
    {u"wbemCimtypeReal64", 5},
    {u"wbemCimtypeString", 8},
    {u"wbemCimtypeBoolean", 11},
    {u"wbemCimtypeObject", 13},
    {u"wbemCimtypeSint8", 16},
    {u"wbemCimtypeUint8", 17},
    {u"wbemCimtypeUint16", 18},
    {u"wbemCimtypeUint32", 19},
    {u"wbemCimtypeSint64", 20},
    {u"wbemCimtypeUint64", 21},
    {u"wbemCimtypeDatetime", 101},
    {u"wbemCimtypeReference", 102},
    {u"wbemCimtypeChar16", 103},
};
constexpr SEnumValue kWbemTimeoutValues[] = {
    {u"wbemTimeoutInfinite", -1},
};
constexpr SEnumValue kWbemChangeFlagEnumValues[] = {
    {u"wbemChangeFlagCreateOrUpdate", 0},
    {u"wbemChangeFlagUpdateOnly", 1},
    {u"wbemChangeFlagCreateOnly", 2},
    {u"wbemChangeFlagUpdateCompatible", 0},
    {u"wbemChangeFlagUpdateSafeMode", 32},
    {u"wbemChangeFlagUpdateForceMode", 64},
    {u"wbemChangeFlagStrongValidation", 128},
    {u"wbemChangeFlagAdvisory", 65536},
};
constexpr SEnumValue kWbemFlagEnumValues[] = {
    {u"wbemFlagReturnImmediately", 16},
    {u"wbemFlagReturnWhenComplete", 0},
    {u"wbemFlagBidirectional", 0},
    {u"wbemFlagForwardOnly", 32},
    {u"wbemFlagNoErrorObject", 64},
    {u"wbemFlagReturnErrorObject", 0},
    {u"wbemFlagSendStatus", 128},
    {u"wbemFlagDontSendStatus", 0},
    {u"wbemFlagEnsureLocatable", 256},
    {u"wbemFlagDirectRead", 512},
    {u"wbemFlagSendOnlySelected", 0},
    {u"wbemFlagUseAmendedQualifiers", 131072},
    {u"wbemFlagGetDefault", 0},
    {u"wbemFlagSpawnInstance", 1},
    {u"wbemFlagUseCurrentTime", 1},
};
constexpr SEnumValue kWbemQueryFlagEnumValues[] = {
    {u"wbemQueryFlagDeep", 0},
    {u"wbemQueryFlagShallow", 1},
    {u"wbemQueryFlagPrototype", 2},
};
constexpr SEnumValue kWbemComparisonFlagEnumValues[] = {
    {u"wbemComparisonFlagIncludeAll", 0},
    {u"wbemComparisonFlagIgnoreQualifiers", 1},
    {u"wbemComparisonFlagIgnoreObjectSource", 2},
    {u"wbemComparisonFlagIgnoreDefaultValues", 4},
    {u"wbemComparisonFlagIgnoreClass", 8},
    {u"wbemComparisonFlagIgnoreCase", 16},
    {u"wbemComparisonFlagIgnoreFlavor", 32},
};
constexpr SEnumValue kWbemErrorEnumValues[] = {
    {u"wbemNoErr", 0},
    {u"wbemErrFailed", -2147217407},
    {u"wbemErrNotFound", -2147217406},
    {u"wbemErrAccessDenied", -2147217405},
    {u"wbemErrProviderFailure", -2147217404},
    {u"wbemErrTypeMismatch", -2147217403},
    {u"wbemErrOutOfMemory", -2147217402},
    {u"wbemErrInvalidContext", -2147217401},
    {u"wbemErrInvalidParameter", -2147217400},
    {u"wbemErrNotAvailable", -2147217399},
    {u"wbemErrCriticalError", -2147217398},
    {u"wbemErrInvalidStream", -2147217397},
    {u"wbemErrNotSupported", -2147217396},
    {u"wbemErrInvalidSuperclass", -2147217395},
    {u"wbemErrInvalidNamespace", -2147217394},
    {u"wbemErrInvalidObject", -2147217393},
    {u"wbemErrInvalidClass", -2147217392},
    {u"wbemErrProviderNotFound", -2147217391},
    {u"wbemErrInvalidProviderRegistration", -2147217390},
    {u"wbemErrProviderLoadFailure", -2147217389},
    {u"wbemErrInitializationFailure", -2147217388},
    {u"wbemErrTransportFailure", -2147217387},
    {u"wbemErrInvalidOperation", -2147217386},
    {u"wbemErrInvalidQuery", -2147217385},
    {u"wbemErrInvalidQueryType", -2147217384},
    {u"wbemErrAlreadyExists", -2147217383},
    {u"wbemErrOverrideNotAllowed", -2147217382},
    {u"wbemErrPropagatedQualifier", -2147217381},
    {u"wbemErrPropagatedProperty", -2147217380},
    {u"wbemErrUnexpected", -2147217379},
    {u"wbemErrIllegalOperation", -2147217378},
    {u"wbemErrCannotBeKey", -2147217377},
    {u"wbemErrIncompleteClass", -2147217376},
    {u"wbemErrInvalidSyntax", -2147217375},
    {u"wbemErrNondecoratedObject", -2147217374},
    {u"wbemErrReadOnly", -2147217373},
    {u"wbemErrProviderNotCapable", -2147217372},
    {u"wbemErrClassHasChildren", -2147217371},
    {u"wbemErrClassHasInstances", -2147217370},
    {u"wbemErrQueryNotImplemented", -2147217369},
    {u"wbemErrIllegalNull", -2147217368},
    {u"wbemErrInvalidQualifierType", -2147217367},
    {u"wbemErrInvalidPropertyType", -2147217366},
    {u"wbemErrValueOutOfRange", -2147217365},
    {u"wbemErrCannotBeSingleton", -2147217364},
    {u"wbemErrInvalidCimType", -2147217363},
    {u"wbemErrInvalidMethod", -2147217362},
    {u"wbemErrInvalidMethodParameters", -2147217361},
    {u"wbemErrSystemProperty", -2147217360},
    {u"wbemErrInvalidProperty", -2147217359},
    {u"wbemErrCallCancelled", -2147217358},
    {u"wbemErrShuttingDown", -2147217357},
    {u"wbemErrPropagatedMethod", -2147217356},
    {u"wbemErrUnsupportedParameter", -2147217355},
    {u"wbemErrMissingParameter", -2147217354},
    {u"wbemErrInvalidParameterId", -2147217353},
    {u"wbemErrNonConsecutiveParameterIds", -2147217352},
    {u"wbemErrParameterIdOnRetval", -2147217351},
    {u"wbemErrInvalidObjectPath", -2147217350},
    {u"wbemErrOutOfDiskSpace", -2147217349},
    {u"wbemErrBufferTooSmall", -2147217348},
    {u"wbemErrUnsupportedPutExtension", -2147217347},
    {u"wbemErrUnknownObjectType", -2147217346},
    {u"wbemErrUnknownPacketType", -2147217345},
    {u"wbemErrMarshalVersionMismatch", -2147217344},
    {u"wbemErrMarshalInvalidSignature", -2147217343},
    {u"wbemErrInvalidQualifier", -2147217342},
    {u"wbemErrInvalidDuplicateParameter", -2147217341},
    {u"wbemErrTooMuchData", -2147217340},
    {u"wbemErrServerTooBusy", -2147217339},
    {u"wbemErrInvalidFlavor", -2147217338},
    {u"wbemErrCircularReference", -2147217337},
    {u"wbemErrUnsupportedClassUpdate", -2147217336},
    {u"wbemErrCannotChangeKeyInheritance", -2147217335},
    {u"wbemErrCannotChangeIndexInheritance", -2147217328},
    {u"wbemErrTooManyProperties", -2147217327},
    {u"wbemErrUpdateTypeMismatch", -2147217326},
    {u"wbemErrUpdateOverrideNotAllowed", -2147217325},
    {u"wbemErrUpdatePropagatedMethod", -2147217324},
    {u"wbemErrMethodNotImplemented", -2147217323},
    {u"wbemErrMethodDisabled", -2147217322},
    {u"wbemErrRefresherBusy", -2147217321},
    {u"wbemErrUnparsableQuery", -2147217320},
    {u"wbemErrNotEventClass", -2147217319},
    {u"wbemErrMissingGroupWithin", -2147217318},
    {u"wbemErrMissingAggregationList", -2147217317},
    {u"wbemErrPropertyNotAnObject", -2147217316},
    {u"wbemErrAggregatingByObject", -2147217315},
    {u"wbemErrUninterpretableProviderQuery", -2147217313},
    {u"wbemErrBackupRestoreWinmgmtRunning", -2147217312},
    {u"wbemErrQueueOverflow", -2147217311},
    {u"wbemErrPrivilegeNotHeld", -2147217310},
    {u"wbemErrInvalidOperator", -2147217309},
    {u"wbemErrLocalCredentials", -2147217308},
    {u"wbemErrCannotBeAbstract", -2147217307},
    {u"wbemErrAmendedObject", -2147217306},
    {u"wbemErrClientTooSlow", -2147217305},
    {u"wbemErrNullSecurityDescriptor", -2147217304},
    {u"wbemErrTimeout", -2147217303},
    {u"wbemErrInvalidAssociation", -2147217302},
    {u"wbemErrAmbiguousOperation", -2147217301},
    {u"wbemErrQuotaViolation", -2147217300},
    {u"wbemErrTransactionConflict", -2147217299},
    {u"wbemErrForcedRollback", -2147217298},
    {u"wbemErrUnsupportedLocale", -2147217297},
    {u"wbemErrHandleOutOfDate", -2147217296},
    {u"wbemErrConnectionFailed", -2147217295},
    {u"wbemErrInvalidHandleRequest", -2147217294},
    {u"wbemErrPropertyNameTooWide", -2147217293},
    {u"wbemErrClassNameTooWide", -2147217292},
    {u"wbemErrMethodNameTooWide", -2147217291},
    {u"wbemErrQualifierNameTooWide", -2147217290},
    {u"wbemErrRerunCommand", -2147217289},
    {u"wbemErrDatabaseVerMismatch", -2147217288},
    {u"wbemErrVetoPut", -2147217287},
    {u"wbemErrVetoDelete", -2147217286},
    {u"wbemErrInvalidLocale", -2147217280},
    {u"wbemErrProviderSuspended", -2147217279},
    {u"wbemErrSynchronizationRequired", -2147217278},
    {u"wbemErrNoSchema", -2147217277},
    {u"wbemErrProviderAlreadyRegistered", -2147217276},
    {u"wbemErrProviderNotRegistered", -2147217275},
    {u"wbemErrFatalTransportError", -2147217274},
    {u"wbemErrEncryptedConnectionRequired", -2147217273},
    {u"wbemErrRegistrationTooBroad", -2147213311},
    {u"wbemErrRegistrationTooPrecise", -2147213310},
    {u"wbemErrTimedout", -2147209215},
    {u"wbemErrResetToDefault", -2147209214},
};

constexpr SEnum kWbemImpersonationLevel{u"WbemImpersonationLevelEnum", kWbemImpersonationLevelEnumValues, u"Whose identity calls are made with."};
constexpr SEnum kWbemAuthenticationLevel{u"WbemAuthenticationLevelEnum", kWbemAuthenticationLevelEnumValues, u"How calls are authenticated."};
constexpr SEnum kWbemPrivilege{u"WbemPrivilegeEnum", kWbemPrivilegeEnumValues, u"The privileges a call can ask for."};
constexpr SEnum kWbemCimtype{u"WbemCimtypeEnum", kWbemCimtypeEnumValues, u"The CIM types of properties and qualifiers."};
constexpr SEnum kWbemTimeout{u"WbemTimeout", kWbemTimeoutValues, u"Timeouts with a meaning of their own."};
constexpr SEnum kWbemChangeFlag{u"WbemChangeFlagEnum", kWbemChangeFlagEnumValues, u"How Put_ writes an object."};
constexpr SEnum kWbemFlag{u"WbemFlagEnum", kWbemFlagEnumValues, u"How calls return their results."};
constexpr SEnum kWbemQueryFlag{u"WbemQueryFlagEnum", kWbemQueryFlagEnumValues, u"How deep an enumeration goes."};
constexpr SEnum kWbemComparisonFlag{u"WbemComparisonFlagEnum", kWbemComparisonFlagEnumValues, u"What CompareTo_ leaves out of the comparison."};
constexpr SEnum kWbemError{u"WbemErrorEnum", kWbemErrorEnumValues, u"The error numbers of the management service."};

constexpr const SEnum* kEnums[] = {&kWbemImpersonationLevel, &kWbemAuthenticationLevel, &kWbemPrivilege, &kWbemCimtype, &kWbemTimeout, &kWbemChangeFlag, &kWbemFlag, &kWbemQueryFlag, &kWbemComparisonFlag, &kWbemError};

constexpr const SInterface* kInterfaces[] = {
    &kWbemEventSourceInterface, &kWbemObjectInterface,     &kWbemObjectPathInterface,  &kWbemNamedValueSetInterface,
    &kWbemNamedValueInterface,  &kWbemSecurityInterface,   &kWbemPrivilegeSetInterface, &kWbemPrivilegeInterface,
    &kWbemObjectSetInterface,   &kWbemQualifierSetInterface, &kWbemQualifierInterface, &kWbemPropertySetInterface,
    &kWbemPropertyInterface,    &kWbemMethodSetInterface,  &kWbemMethodInterface,      &kWbemLocatorInterface,
    &kWbemServicesInterface,    &kWbemDateTimeInterface};

constexpr const SClass* kClasses[] = {&kWbemLocatorClass, &kWbemNamedValueSetClass, &kWbemDateTimeClass};

}  // namespace

constinit const SLibrary kWbemScriptingLibrary{
    .name = u"WbemScripting",
    .libid = Guid("565783C6-CB41-11D1-8B02-00600806D9B6"),
    .majorVersion = 1,
    .minorVersion = 2,
    .help = u"The scripting objects of the management service: connections, queries, objects and events.",
    .interfaces = kInterfaces,
    .enums = kEnums,
    .classes = kClasses,
};

}  // namespace quillet::engine
