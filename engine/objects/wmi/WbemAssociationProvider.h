#pragma once
// The provider of an association class: its instances pair the objects at the class's two
// reference properties (its roles), each end taken from the providers of the class the
// reference names. A provider declares an association by naming the two roles and saying which
// pairs belong together; every end is a real instance, so an association whose ends have no
// provider has no instances.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CWbemAssociationProvider : public CWbemProvider {
 public:
  // Whether an object of the first role and one of the second are paired.
  using PairTest = std::function<bool(const SWbemInstance& first, const SWbemInstance& second)>;
  // Made afresh for each enumeration, so that a test can read what it needs once.
  using PairTestMaker = std::function<PairTest()>;

  CWbemAssociationProvider(std::u16string firstRole, std::u16string secondRole, PairTestMaker makeTest,
                           std::vector<std::pair<std::u16string, CVariant>> fixedValues = {});

  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;

  // Every object of one end with every object of the other: for ends that are one of a kind
  // (this computer and its operating system).
  [[nodiscard]] static PairTestMaker EveryPair();
  // Pairs whose two properties hold the same value (an adapter and its configuration by Index).
  [[nodiscard]] static PairTestMaker SameValue(std::u16string firstProperty, std::u16string secondProperty);

 private:
  [[nodiscard]] WbemInstances EndsOf(const platform::SWmiClass& cls, const std::u16string& role) const;

  std::u16string m_firstRole;
  std::u16string m_secondRole;
  PairTestMaker m_makeTest;
  std::vector<std::pair<std::u16string, CVariant>> m_fixedValues;
};

// The full path of an instance, as a reference property holds it:
// \\HOST\namespace:Class.Key="value".
[[nodiscard]] std::u16string FullPathOf(const SWbemInstance& instance);

}  // namespace quillet::engine
