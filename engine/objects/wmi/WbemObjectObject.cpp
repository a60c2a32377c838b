#include "engine/objects/wmi/WbemObjectObject.h"

#include <utility>
#include <vector>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemAssociationQueries.h"
#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemMethodSetObject.h"
#include "engine/objects/wmi/WbemParameterClasses.h"
#include "engine/objects/wmi/WbemQualifierSetObject.h"
#include "engine/objects/wmi/WbemQueries.h"
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
  // An embedded object (an event's TargetInstance) is written whole, as Windows writes it.
  if (value.IsObject()) {
    const auto* object = dynamic_cast<const CWbemObjectObject*>(value.AsObject());
    return object != nullptr ? u"\n" + object->MofText() : u"NULL";
  }
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
    case id::Qualifiers_:
      return CVariant::Object(new CWbemQualifierSetObject(QualifiersOfClass(*m_instance->cls, !m_instance->isClass)));
    case id::Methods_: return CVariant::Object(new CWbemMethodSetObject(*m_instance->cls, m_connection));
    case id::ExecMethod_: return ExecMethod(LetValue(args[0]).ToString(), args[1]);
    case id::SpawnInstance_: return SpawnInstance();
    case id::Instances_: return ObjectSet(InstancesOfClass(m_connection, m_instance->cls->name));
    case id::Subclasses_: return ObjectSet(SubclassesOfClass(m_connection, m_instance->cls->name));
    case id::CompareTo_: return CompareTo(args[0]);
    case id::Put_: return Put();
    case id::Delete_: Delete(); return {};
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
  return CallProvider(*method, args);
}

CVariant CWbemObjectObject::CallProvider(const platform::SWmiMethod& method, std::span<CVariant> args) {
  CWbemProvider* provider = FindWbemProvider(m_instance->cls->nameSpace, m_instance->cls->name);
  // A static method belongs to the class (StdRegProv's, Win32_Process.Create); the others need an instance.
  if (provider == nullptr || (m_instance->isClass && !method.isStatic)) wbem_error::RaiseNotAvailable(kSource, method.name);
  return provider->CallMethod(*m_instance, method, args);
}

CVariant CWbemObjectObject::ExecMethod(std::u16string_view methodName, const CVariant& inParameters) {
  const platform::SWmiMethod* method = m_instance->cls->FindMethod(methodName);
  if (method == nullptr) wbem_error::Raise(wbem_error::kInvalidMethod, kSource);
  const SWbemInstance* in = nullptr;
  const CVariant& given = inParameters.Deref();
  if (given.IsObject() && given.AsObject() != nullptr) {
    const auto* object = dynamic_cast<const CWbemObjectObject*>(given.AsObject());
    if (object == nullptr) wbem_error::Raise(wbem_error::kInvalidParameter, kSource);
    in = object->m_instance.get();
  } else if (!given.IsEmpty() && !given.IsNull() && !given.IsMissing() && !given.IsObject()) {
    wbem_error::Raise(wbem_error::kInvalidParameter, kSource);
  }
  // Out parameters are passed as references, as a script's variables are.
  const size_t count = method->parameters.size();
  std::vector<CVariant> values(count, CVariant::Null());
  std::vector<CVariant> args(count);
  for (size_t i = 0; i < count; ++i) {
    const platform::SWmiParameter& parameter = method->parameters[i];
    if (in != nullptr && parameter.in) values[i] = in->Get(parameter.name);
    args[i] = parameter.out ? CVariant::Reference(&values[i]) : values[i];
  }
  const CVariant result = CallProvider(*method, args);
  auto out = std::make_shared<SWbemInstance>(*ParametersClass(*m_instance->cls, *method, true));
  out->Set(u"ReturnValue", result);
  for (size_t i = 0; i < count; ++i) {
    if (method->parameters[i].out) out->Set(method->parameters[i].name, values[i]);
  }
  return CVariant::Object(new CWbemObjectObject(std::move(out), m_connection));
}

// An instance comes from a class; an instance has none to give.
CVariant CWbemObjectObject::SpawnInstance() const {
  if (!m_instance->isClass) wbem_error::Raise(wbem_error::kInvalidOperation, kSource);
  auto instance = std::make_shared<SWbemInstance>(*m_instance->cls);
  return CVariant::Object(new CWbemObjectObject(std::move(instance), m_connection));
}

CVariant CWbemObjectObject::CompareTo(const CVariant& other) const {
  const CVariant& given = other.Deref();
  const auto* object = given.IsObject() ? dynamic_cast<const CWbemObjectObject*>(given.AsObject()) : nullptr;
  if (object == nullptr) wbem_error::Raise(wbem_error::kInvalidParameter, kSource);
  return CVariant::Boolean(SameWbemValues(*m_instance, *object->m_instance));
}

CVariant CWbemObjectObject::ObjectSet(WbemInstances instances) const {
  return CVariant::Object(new CWbemObjectSetObject(std::move(instances), m_connection));
}

CVariant CWbemObjectObject::Put() {
  CWbemProvider* provider = FindWbemProvider(m_instance->cls->nameSpace, m_instance->cls->name);
  if (provider == nullptr || m_instance->isClass) wbem_error::Raise(wbem_error::kProviderNotCapable, kSource);
  auto written = provider->PutInstance(*m_instance);
  if (written != nullptr) m_instance = std::move(written);
  return Path();
}

void CWbemObjectObject::Delete() {
  CWbemProvider* provider = FindWbemProvider(m_instance->cls->nameSpace, m_instance->cls->name);
  if (provider == nullptr || m_instance->isClass) wbem_error::Raise(wbem_error::kProviderNotCapable, kSource);
  provider->DeleteInstance(*m_instance);
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
  if (!m_instance->isClass) {
    for (size_t i = 0; i < cls.properties.size(); ++i) {
      const platform::SWmiProperty& property = cls.properties[i];
      if (!property.isKey) continue;
      CVariant value = m_instance->values[i];
      // Keys that are numbers are written bare, whatever form the provider gave them in.
      const bool text = property.type == platform::ECimType::String || property.type == platform::ECimType::Datetime ||
                        property.type == platform::ECimType::Reference || property.type == platform::ECimType::Char16;
      if (value.IsNull()) value = text ? CVariant::String(u"") : CVariant::Long(0);
      else if (!text && value.IsString()) value = value.ToNumber();
      else if (text && !value.IsString()) value = CVariant::String(value.ToString());
      parts.keys->push_back(std::make_shared<SWbemNamedValue>(SWbemNamedValue{property.name, std::move(value)}));
    }
    parts.isSingleton = parts.keys->empty();
  }
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
CVariant CWbemObjectObject::ObjectText() const { return CVariant::String(u"\n" + MofText() + u";\n"); }

std::u16string CWbemObjectObject::MofText() const {
  const platform::SWmiClass& cls = *m_instance->cls;
  std::u16string text = (m_instance->isClass ? u"class " : u"instance of ") + cls.name + u"\n{\n";
  for (size_t i = 0; i < cls.properties.size(); ++i) {
    const CVariant& value = m_instance->values[i];
    if (value.IsNull() || m_instance->isClass) continue;
    text += u"\t" + cls.properties[i].name + u" = " + MofValue(value, cls.properties[i].type) + u";\n";
  }
  return text + u"}";
}

}  // namespace quillet::engine
