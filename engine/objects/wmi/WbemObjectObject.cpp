#include "engine/objects/wmi/WbemObjectObject.h"

#include <utility>
#include <vector>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemAssociationQueries.h"
#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemObjectPathObject.h"
#include "engine/objects/wmi/WbemObjectSetObject.h"
#include "engine/objects/wmi/WbemPropertySetObject.h"
#include "engine/objects/wmi/WbemProvider.h"
#include "engine/objects/wmi/WbemSecurityObject.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/VirtualMachine.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemObjectEx";

std::u16string MofValue(const CVariant& value, platform::ECimType type) {
  if (value.IsArray()) {
    std::u16string text = u"{";
    CSafeArray* array = value.AsArray();
    for (size_t i = 0; i < array->Size(); ++i) text += (i ? u", " : u"") + MofValue(array->At(i), type);
    return text + u"}";
  }
  if (value.IsString() && type != platform::ECimType::Uint64 && type != platform::ECimType::Sint64) {
    std::u16string text = u"\"";
    for (const char16_t c : value.AsString()) {
      if (c == u'"' || c == u'\\') text += u'\\';
      text += c;
    }
    return text + u"\"";
  }
  if (value.Type() == EVarType::Boolean) return value.ToDouble() != 0 ? u"TRUE" : u"FALSE";
  return value.ToString();
}

}  // namespace

CWbemObjectObject::CWbemObjectObject(std::shared_ptr<SWbemInstance> instance, SWbemConnection connection)
    : CAutomationObject(DispatchTableOf<kWbemObjectClass>()),
      m_instance(std::move(instance)),
      m_connection(std::move(connection)) {}

CVariant CWbemObjectObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemObject;
  switch (member.dispId) {
    case id::Properties_: return CVariant::Object(new CWbemPropertySetObject(m_instance));
    case id::Path_: return Path();
    case id::Derivation_: return Derivation();
    case id::GetObjectText_: return ObjectText();
    case id::Clone_:
      return CVariant::Object(new CWbemObjectObject(std::make_shared<SWbemInstance>(*m_instance), m_connection));
    case id::Security_: return CVariant::Object(new CWbemSecurityObject(m_connection.security));
    case id::Associators_: return Associated(args, false);
    case id::References_: return Associated(args, true);
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

CVariant CWbemObjectObject::InvokeUndeclared(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  const int index = m_instance->cls->PropertyIndex(name);
  if (index >= 0) {
    CVariant& value = m_instance->values[static_cast<size_t>(index)];
    if (kind == EInvokeKind::Let) {
      if (args.size() != 1) throw CScriptError(err::WrongArgCount);
      value = LetValue(args[0]);
      return {};
    }
    if (kind == EInvokeKind::Set) ThrowNoSuchMember();
    // objItem.IPAddress(0): arguments index the array the property holds.
    return args.empty() ? value : ApplyArgs(value, args, std::u16string(name));
  }
  const platform::SWmiMethod* method = m_instance->cls->FindMethod(name);
  if (method == nullptr || kind == EInvokeKind::Let || kind == EInvokeKind::Set) ThrowNoSuchMember();
  if (args.size() > method->parameters.size()) throw CScriptError(err::WrongArgCount);
  CWbemProvider* provider = FindWbemProvider(m_instance->cls->nameSpace, m_instance->cls->name);
  if (provider == nullptr || m_instance->isClass) wbem_error::RaiseNotAvailable(kSource, method->name);
  return provider->CallMethod(*m_instance, *method, args);
}

CVariant CWbemObjectObject::Associated(std::span<CVariant> args, bool references) const {
  SWqlAssociationQuery query;
  query.references = references;
  query.objectPath = RelativePathOf(*m_instance);
  if (references) {
    FillReferencesRequest(query, args);
  } else {
    FillAssociatorsRequest(query, args);
  }
  return CVariant::Object(new CWbemObjectSetObject(RunAssociationQuery(m_connection, query), m_connection));
}

CVariant CWbemObjectObject::Path() const {
  const platform::SWmiClass& cls = *m_instance->cls;
  SWbemPathParts parts;
  parts.server = platform::Utf8ToUtf16(machine::HostName());
  parts.nameSpace = cls.nameSpace;
  parts.className = cls.name;
  parts.isClass = m_instance->isClass;
  parts.relPath = RelativePathOf(*m_instance);
  parts.isSingleton = !parts.isClass && parts.relPath.ends_with(u"=@");
  return CVariant::Object(new CWbemObjectPathObject(std::move(parts), m_connection));
}

// The classes this one derives from, nearest first.
CVariant CWbemObjectObject::Derivation() const {
  const platform::CWmiCatalog& catalogue = platform::CWmiCatalog::Installed();
  std::vector<CVariant> names;
  const platform::SWmiClass* cls = m_instance->cls;
  while (cls != nullptr && !cls->superclass.empty() && names.size() < 64) {
    names.push_back(CVariant::String(cls->superclass));
    cls = catalogue.Find(cls->nameSpace, cls->superclass);
  }
  return CVariant::Array(CSafeArray::FromValues(std::move(names)));
}

// The object in MOF, as Windows writes an instance: the properties that have values.
CVariant CWbemObjectObject::ObjectText() const {
  const platform::SWmiClass& cls = *m_instance->cls;
  std::u16string text = (m_instance->isClass ? u"\nclass " : u"\ninstance of ") + cls.name + u"\n{\n";
  for (size_t i = 0; i < cls.properties.size(); ++i) {
    const CVariant& value = m_instance->values[i];
    if (value.IsNull() || m_instance->isClass) continue;
    text += u"\t" + cls.properties[i].name + u" = " + MofValue(value, cls.properties[i].type) + u";\n";
  }
  return CVariant::String(text + u"};\n");
}

}  // namespace quillet::engine
