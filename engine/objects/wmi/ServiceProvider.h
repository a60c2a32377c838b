#pragma once
// Win32_Service from systemd's service units: what the unit files say, and the live state when
// systemd runs the machine (else every service reads as stopped, as Windows shows a service
// that is not running). StartService, StopService and ChangeStartMode go through systemctl and
// answer Windows' return values; every systemctl run is bounded in time.

#include "engine/objects/wmi/SystemdUnits.h"
#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CServiceProvider : public CWbemProvider {
 public:
  CServiceProvider() : m_setup(systemd::SSetup::ForThisSystem()) {}
  explicit CServiceProvider(systemd::SSetup setup) : m_setup(std::move(setup)) {}

  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
  CVariant CallMethod(SWbemInstance& instance, const platform::SWmiMethod& method, std::span<CVariant> args) override;

  // The return value for a systemctl run that failed, from what it printed.
  [[nodiscard]] static int32_t ReturnValueOfFailure(bool started, bool timedOut, std::string_view output);

 private:
  [[nodiscard]] systemd::SUnit CurrentUnit(const SWbemInstance& instance) const;
  [[nodiscard]] int32_t Systemctl(const std::vector<std::string>& arguments) const;
  [[nodiscard]] int32_t ChangeStartMode(const systemd::SUnit& unit, std::u16string_view mode) const;

  systemd::SSetup m_setup;
};

}  // namespace quillet::engine
