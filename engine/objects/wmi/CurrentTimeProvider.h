#pragma once
// Win32_LocalTime and Win32_UTCTime: the one instance each, the time now in its fields.

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CCurrentTimeProvider : public CWbemProvider {
 public:
  explicit CCurrentTimeProvider(bool local) : m_local(local) {}
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;

 private:
  bool m_local;
};

}  // namespace quillet::engine
