#include "engine/objects/wmi/WbemServicesObject.h"

#include <utility>

#include "engine/objects/wmi/WbemAssociationQueries.h"
#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemEventSourceObject.h"
#include "engine/objects/wmi/WbemMoniker.h"
#include "engine/objects/wmi/WbemObjectObject.h"
#include "engine/objects/wmi/WbemObjectSetObject.h"
#include "engine/objects/wmi/WbemQueries.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/vm/VirtualMachine.h"
#include "engine/objects/wmi/WbemSecurityObject.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemServicesEx";
constexpr int32_t kInvalidQueryType = static_cast<int32_t>(0x80041018);

std::u16string TextArgument(const CVariant& arg) { return LetValue(arg).ToString(); }

// What Get("") gives: a class with no name and nothing in it, the start of a new class.
std::shared_ptr<SWbemInstance> EmptyClass() {
  static const platform::SWmiClass empty;
  auto object = std::make_shared<SWbemInstance>(empty);
  object->isClass = true;
  return object;
}

// AssociatorsOf(path, assocClass, resultClass, resultRole, role, classesOnly, schemaOnly,
// requiredAssocQualifier, requiredQualifier, ...) and ReferencesTo(path, resultClass, role,
// classesOnly, schemaOnly, requiredQualifier, ...).
SWqlAssociationQuery AssociatorsRequest(std::span<CVariant> args, bool references) {
  SWqlAssociationQuery query;
  query.references = references;
  query.objectPath = TextArgument(args[0]);
  if (references) {
    FillReferencesRequest(query, args.subspan(1));
  } else {
    FillAssociatorsRequest(query, args.subspan(1));
  }
  return query;
}

}  // namespace

CWbemServicesObject::CWbemServicesObject(SWbemConnection connection)
    : CAutomationObject(DispatchTableOf<kWbemServicesClass>()), m_connection(std::move(connection)) {}

CVariant CWbemServicesObject::GetObjectAt(std::u16string_view objectPath) {
  if (wbem_text::Trimmed(objectPath).empty()) return CVariant::Object(new CWbemObjectObject(EmptyClass(), m_connection));
  return CVariant::Object(new CWbemObjectObject(ObjectAtPath(m_connection, objectPath), m_connection));
}

CVariant CWbemServicesObject::ObjectSet(WbemInstances instances) const {
  return CVariant::Object(new CWbemObjectSetObject(std::move(instances), m_connection));
}

CVariant CWbemServicesObject::ExecQuery(std::span<CVariant> args) {
  const std::u16string query = TextArgument(args[0]);
  if (!wbem_text::SameName(wbem_text::Trimmed(TextArgument(args[1])), u"WQL")) {
    wbem_error::Raise(kInvalidQueryType, kSource);
  }
  if (IsWqlAssociationQuery(query)) return ObjectSet(RunAssociationQuery(m_connection, ParseWqlAssociation(query)));
  return ObjectSet(RunWqlQuery(m_connection, query));
}

// Events come semi-synchronously: Windows refuses the call without return-immediately and
// forward-only (48, the default).
CVariant CWbemServicesObject::ExecNotificationQuery(std::span<CVariant> args) {
  constexpr int32_t kReturnImmediatelyForwardOnly = 0x30;
  const std::u16string query = TextArgument(args[0]);
  if (!wbem_text::SameName(wbem_text::Trimmed(TextArgument(args[1])), u"WQL")) {
    wbem_error::Raise(kInvalidQueryType, kSource);
  }
  if ((LetValue(args[2]).ToLong() & kReturnImmediatelyForwardOnly) != kReturnImmediatelyForwardOnly) {
    wbem_error::Raise(wbem_error::kInvalidParameter, kSource);
  }
  return CVariant::Object(new CWbemEventSourceObject(std::make_unique<CWbemEventWatch>(m_connection, query)));
}

CVariant CWbemServicesObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemServices;
  switch (member.dispId) {
    case id::Get: return GetObjectAt(TextArgument(args[0]));
    case id::ExecQuery: return ExecQuery(args);
    case id::InstancesOf: return ObjectSet(InstancesOfClass(m_connection, TextArgument(args[0])));
    case id::AssociatorsOf: return ObjectSet(RunAssociationQuery(m_connection, AssociatorsRequest(args, false)));
    case id::ReferencesTo: return ObjectSet(RunAssociationQuery(m_connection, AssociatorsRequest(args, true)));
    case id::ExecNotificationQuery: return ExecNotificationQuery(args);
    case id::ExecMethod: {
      const CVariant target = GetObjectAt(TextArgument(args[0]));
      return static_cast<CWbemObjectObject*>(target.AsObject())->ExecMethod(TextArgument(args[1]), args[2]);
    }
    case id::Delete: {
      const CVariant target = GetObjectAt(TextArgument(args[0]));
      static_cast<CWbemObjectObject*>(target.AsObject())->Delete();
      return {};
    }
    case id::SubclassesOf: return ObjectSet(SubclassesOfClass(m_connection, TextArgument(args[0])));
    case id::Security_: return CVariant::Object(new CWbemSecurityObject(m_connection.security));
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

CVariant GetWbemObject(std::u16string_view monikerText) {
  const SWbemMoniker moniker = ParseWbemMoniker(monikerText);
  auto* services = new CWbemServicesObject(ConnectWbem(moniker.server, moniker.nameSpace, {}, moniker.security));
  const CVariant held = CVariant::Object(services);
  if (moniker.objectPath.empty()) return held;
  return services->GetObjectAt(moniker.objectPath);
}

}  // namespace quillet::engine
