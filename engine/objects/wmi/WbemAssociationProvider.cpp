#include "engine/objects/wmi/WbemAssociationProvider.h"

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemQueries.h"
#include "engine/objects/wmi/WbemText.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

CWbemAssociationProvider::CWbemAssociationProvider(std::u16string firstRole, std::u16string secondRole,
                                                   PairTestMaker makeTest,
                                                   std::vector<std::pair<std::u16string, CVariant>> fixedValues)
    : m_firstRole(std::move(firstRole)),
      m_secondRole(std::move(secondRole)),
      m_makeTest(std::move(makeTest)),
      m_fixedValues(std::move(fixedValues)) {}

WbemInstances CWbemAssociationProvider::EndsOf(const platform::SWmiClass& cls, const std::u16string& role) const {
  const int index = cls.PropertyIndex(role);
  if (index < 0) return {};
  const platform::SWmiProperty& reference = cls.properties[static_cast<size_t>(index)];
  const platform::SWmiClass* end = platform::CWmiCatalog::Installed().Find(cls.nameSpace, reference.refClass);
  return end == nullptr ? WbemInstances{} : InstancesOfClassAndSubclasses(*end);
}

// The condition is left to the caller: association classes are small.
void CWbemAssociationProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const WbemInstances firsts = EndsOf(cls, m_firstRole);
  if (firsts.empty()) return;
  const WbemInstances seconds = EndsOf(cls, m_secondRole);
  if (seconds.empty()) return;
  const PairTest paired = m_makeTest();
  for (const auto& first : firsts) {
    const std::u16string firstPath = FullPathOf(*first);
    for (const auto& second : seconds) {
      if (!paired(*first, *second)) continue;
      auto association = std::make_shared<SWbemInstance>(cls);
      association->Set(m_firstRole, CVariant::String(firstPath));
      association->Set(m_secondRole, CVariant::String(FullPathOf(*second)));
      for (const auto& [name, value] : m_fixedValues) association->Set(name, value);
      out.push_back(std::move(association));
    }
  }
}

CWbemAssociationProvider::PairTestMaker CWbemAssociationProvider::EveryPair() {
  return [] { return [](const SWbemInstance&, const SWbemInstance&) { return true; }; };
}

CWbemAssociationProvider::PairTestMaker CWbemAssociationProvider::SameValue(std::u16string firstProperty,
                                                                            std::u16string secondProperty) {
  return [firstProperty = std::move(firstProperty), secondProperty = std::move(secondProperty)] {
    return [=](const SWbemInstance& first, const SWbemInstance& second) {
      const CVariant& a = first.Get(firstProperty);
      const CVariant& b = second.Get(secondProperty);
      if (a.IsNull() || b.IsNull()) return false;
      if (a.IsString() || b.IsString()) return wbem_text::SameName(a.ToString(), b.ToString());
      return a.ToDouble() == b.ToDouble();
    };
  };
}

std::u16string FullPathOf(const SWbemInstance& instance) {
  return u"\\\\" + platform::Utf8ToUtf16(machine::HostName()) + u"\\" + instance.cls->nameSpace + u":" +
         RelativePathOf(instance);
}

}  // namespace quillet::engine
