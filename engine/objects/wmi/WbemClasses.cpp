#include "engine/objects/wmi/WbemClasses.h"

#include "engine/objects/wmi/WbemInterfaces.h"
#include "engine/objects/wmi/WbemObjectFactories.h"
#include "engine/objects/wmi/WbemScriptingLibrary.h"

namespace quillet::engine {

namespace {

using namespace om;

constexpr std::u16string_view kLocatorProgIds[] = {u"WbemScripting.SWbemLocator"};
constexpr std::u16string_view kNamedValueSetProgIds[] = {u"WbemScripting.SWbemNamedValueSet"};
constexpr std::u16string_view kDateTimeProgIds[] = {u"WbemScripting.SWbemDateTime"};

}  // namespace

constinit const SClass kWbemEventSourceClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemEventSourceInterface, .typeName = u"SWbemEventSource"};
constinit const SClass kWbemObjectClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemObjectInterface, .typeName = u"SWbemObjectEx"};
constinit const SClass kWbemObjectPathClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemObjectPathInterface, .typeName = u"SWbemObjectPath"};
constinit const SClass kWbemNamedValueSetClass{
    .name = u"SWbemNamedValueSet",
    .clsid = Guid("9AED384E-CE8B-11D1-8B05-00600806D9B6"),
    .library = &kWbemScriptingLibrary,
    .defaultInterface = &kWbemNamedValueSetInterface,
    .typeName = u"SWbemNamedValueSet",
    .progIds = kNamedValueSetProgIds,
    .versionedProgId = u"WbemScripting.SWbemNamedValueSet.1",
    .server = EServer::InProcess,
    .create = NewWbemNamedValueSet,
    .help = u"A set of named values to pass along with calls.",
};
constinit const SClass kWbemNamedValueClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemNamedValueInterface, .typeName = u"SWbemNamedValue"};
constinit const SClass kWbemSecurityClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemSecurityInterface, .typeName = u"SWbemSecurity"};
constinit const SClass kWbemPrivilegeSetClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemPrivilegeSetInterface, .typeName = u"SWbemPrivilegeSet"};
constinit const SClass kWbemPrivilegeClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemPrivilegeInterface, .typeName = u"SWbemPrivilege"};
constinit const SClass kWbemObjectSetClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemObjectSetInterface, .typeName = u"SWbemObjectSet"};
constinit const SClass kWbemQualifierSetClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemQualifierSetInterface, .typeName = u"SWbemQualifierSet"};
constinit const SClass kWbemQualifierClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemQualifierInterface, .typeName = u"SWbemQualifier"};
constinit const SClass kWbemPropertySetClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemPropertySetInterface, .typeName = u"SWbemPropertySet"};
constinit const SClass kWbemPropertyClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemPropertyInterface, .typeName = u"SWbemProperty"};
constinit const SClass kWbemMethodSetClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemMethodSetInterface, .typeName = u"SWbemMethodSet"};
constinit const SClass kWbemMethodClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemMethodInterface, .typeName = u"SWbemMethod"};
constinit const SClass kWbemLocatorClass{
    .name = u"SWbemLocator",
    .clsid = Guid("76A64158-CB41-11D1-8B02-00600806D9B6"),
    .library = &kWbemScriptingLibrary,
    .defaultInterface = &kWbemLocatorInterface,
    .typeName = u"SWbemLocator",
    .progIds = kLocatorProgIds,
    .versionedProgId = u"WbemScripting.SWbemLocator.1",
    .server = EServer::InProcess,
    .create = NewWbemLocator,
    .help = u"A locator that connects scripts to namespaces of the management service.",
};
constinit const SClass kWbemServicesClass{
    .name = {}, .library = &kWbemScriptingLibrary, .defaultInterface = &kWbemServicesInterface, .typeName = u"SWbemServicesEx"};
constinit const SClass kWbemDateTimeClass{
    .name = u"SWbemDateTime",
    .clsid = Guid("47DFBE54-CF76-11D3-B38F-00105A1F473A"),
    .library = &kWbemScriptingLibrary,
    .defaultInterface = &kWbemDateTimeInterface,
    .typeName = u"SWbemDateTime",
    .progIds = kDateTimeProgIds,
    .versionedProgId = u"WbemScripting.SWbemDateTime.1",
    .server = EServer::InProcess,
    .create = NewWbemDateTime,
    .help = u"A management datetime that converts to and from the dates scripts use.",
};

}  // namespace quillet::engine
