#pragma once
// An event query being watched: SELECT * FROM __InstanceCreationEvent | __InstanceDeletionEvent |
// __InstanceModificationEvent | __InstanceOperationEvent WITHIN n WHERE TargetInstance ISA 'Class'
// [AND ...]. No provider here raises events, so the watched class is enumerated every n seconds
// and each poll is compared with the one before by the instances' keys: a new key is a creation,
// a key gone a deletion, a key whose values changed a modification.
//
// Polls happen while the script waits in Next on any watch of its thread (every due watch of
// that thread is polled then), not behind its back on another thread: the objects the engine
// hands scripts are not shared between threads. An instance that comes and goes between two polls is not seen,
// as with the service's own polling.

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "engine/objects/wmi/WbemConnection.h"
#include "engine/objects/wmi/WbemInstance.h"
#include "engine/objects/wmi/WqlQuery.h"

namespace quillet::engine {

class CWbemEventWatch {
 public:
  // Takes the first poll, which later ones are compared with. Throws CScriptError: invalid
  // query, invalid class, not an event class, or WITHIN missing.
  CWbemEventWatch(SWbemConnection connection, std::u16string_view query);
  ~CWbemEventWatch();
  CWbemEventWatch(const CWbemEventWatch&) = delete;
  CWbemEventWatch& operator=(const CWbemEventWatch&) = delete;

  // The next event, waiting up to timeoutMs (below 0: without end); null when the time ran out.
  [[nodiscard]] std::shared_ptr<SWbemInstance> Next(int32_t timeoutMs);

  [[nodiscard]] const SWbemConnection& Connection() const { return m_connection; }

 private:
  using Snapshot = std::map<std::u16string, std::shared_ptr<SWbemInstance>>;

  void CheckQuery();
  void PollIfDue(std::chrono::steady_clock::time_point now);
  [[nodiscard]] Snapshot Poll() const;
  void Compare(Snapshot now);
  void Deliver(const platform::SWmiClass& eventClass, const std::shared_ptr<SWbemInstance>& target,
               const std::shared_ptr<SWbemInstance>& previous);

  SWbemConnection m_connection;
  SWqlQuery m_query;
  const platform::SWmiClass* m_eventClass = nullptr;
  const platform::SWmiClass* m_watched = nullptr;
  std::chrono::steady_clock::duration m_interval{};
  std::chrono::steady_clock::time_point m_nextPoll;
  Snapshot m_last;
  std::deque<std::shared_ptr<SWbemInstance>> m_pending;
};

}  // namespace quillet::engine
