#include "engine/objects/wmi/WbemEventWatch.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemObjectObject.h"
#include "engine/objects/wmi/WbemQueries.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WbemValues.h"
#include "engine/runtime/SafeArray.h"

namespace quillet::engine {

namespace {

using platform::CWmiCatalog;
using platform::SWmiClass;
using namespace wbem_text;
using Clock = std::chrono::steady_clock;

constexpr std::u16string_view kSource = u"SWbemServicesEx";
constexpr std::u16string_view kTarget = u"TargetInstance";
constexpr std::u16string_view kPrevious = u"PreviousInstance";

const CWmiCatalog& Catalogue() { return CWmiCatalog::Installed(); }

[[noreturn]] void RaiseInvalidQuery() { wbem_error::Raise(wbem_error::kInvalidQuery, kSource); }

// The class a TargetInstance ISA 'Class' names, found among the conditions every event must meet
// (those joined by AND at the top); empty when the query has none.
std::u16string WatchedClassName(const SWqlCondition* condition) {
  if (condition == nullptr) return {};
  if (condition->kind == SWqlCondition::EKind::And) {
    std::u16string name = WatchedClassName(condition->left.get());
    return name.empty() ? WatchedClassName(condition->right.get()) : name;
  }
  if (condition->kind == SWqlCondition::EKind::Compare && condition->op == EWqlOperator::Isa &&
      SameName(condition->first.property, kTarget)) {
    return std::u16string(condition->second.literal.AsString());
  }
  return {};
}

bool IsSystemProperty(std::u16string_view name) { return SameName(name, u"__CLASS") || SameName(name, u"__DERIVATION"); }

CVariant DerivationOf(const SWmiClass& cls) {
  std::vector<CVariant> names;
  for (const SWmiClass* at = &cls; at != nullptr && !at->superclass.empty() && names.size() < 64;
       at = Catalogue().Find(at->nameSpace, at->superclass)) {
    names.push_back(CVariant::String(at->superclass));
  }
  return CVariant::Array(CSafeArray::FromValues(std::move(names)));
}

// Now, as the service stamps events: 100-nanosecond units since 1601 in universal time.
CVariant TimeCreated() {
  constexpr uint64_t kSecondsFrom1601To1970 = 11644473600ULL;
  const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count() / 100;
  return wbem_value::Uint64(kSecondsFrom1601To1970 * 10000000ULL + static_cast<uint64_t>(ticks));
}

// A property of an event as its condition reads it: its own, or one of the instance it carries
// (TargetInstance.Name), with the class facts ISA asks for.
CVariant ReadEventProperty(std::u16string_view name, const SWbemInstance& event, const SWbemInstance& target,
                           const SWbemInstance* previous) {
  const size_t dot = name.find(u'.');
  if (dot == std::u16string_view::npos) return event.Get(name);
  const std::u16string_view head = name.substr(0, dot);
  const std::u16string_view rest = name.substr(dot + 1);
  const SWbemInstance* embedded = SameName(head, kTarget) ? &target : SameName(head, kPrevious) ? previous : nullptr;
  if (embedded == nullptr) return CVariant::Null();
  if (SameName(rest, u"__CLASS")) return CVariant::String(embedded->cls->name);
  if (SameName(rest, u"__DERIVATION")) return DerivationOf(*embedded->cls);
  return embedded->Get(rest);
}

// Every watch, with the thread it was made on: waiting on one polls the others of that thread
// when they are due, so that a script with several event sources misses nothing of one while
// it waits on another. A watch is only ever polled on its own thread, where its script runs.
struct SWatchEntry {
  CWbemEventWatch* watch;
  std::thread::id thread;
};

std::mutex& WatchesLock() {
  static std::mutex lock;
  return lock;
}

std::vector<SWatchEntry>& Watches() {
  static std::vector<SWatchEntry> watches;
  return watches;
}

std::vector<CWbemEventWatch*> WatchesOfThisThread() {
  const std::lock_guard<std::mutex> guard(WatchesLock());
  std::vector<CWbemEventWatch*> mine;
  for (const SWatchEntry& entry : Watches()) {
    if (entry.thread == std::this_thread::get_id()) mine.push_back(entry.watch);
  }
  return mine;
}

}  // namespace

CWbemEventWatch::~CWbemEventWatch() {
  const std::lock_guard<std::mutex> guard(WatchesLock());
  std::erase_if(Watches(), [this](const SWatchEntry& entry) { return entry.watch == this; });
}

CWbemEventWatch::CWbemEventWatch(SWbemConnection connection, std::u16string_view query)
    : m_connection(std::move(connection)), m_query(ParseWql(query)) {
  CheckQuery();
  m_interval = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(m_query.within));
  m_last = Poll();
  m_nextPoll = Clock::now() + m_interval;
  const std::lock_guard<std::mutex> guard(WatchesLock());
  Watches().push_back(SWatchEntry{this, std::this_thread::get_id()});
}

void CWbemEventWatch::PollIfDue(Clock::time_point now) {
  if (now < m_nextPoll) return;
  Compare(Poll());
  m_nextPoll = Clock::now() + m_interval;
}

void CWbemEventWatch::CheckQuery() {
  m_eventClass = Catalogue().Find(m_connection.nameSpace, m_query.className);
  if (m_eventClass == nullptr) wbem_error::Raise(wbem_error::kInvalidClass, kSource);
  if (!Catalogue().DerivesFrom(*m_eventClass, u"__InstanceOperationEvent")) {
    wbem_error::Raise(wbem_error::kNotEventClass, kSource);
  }
  for (const std::u16string& name : m_query.properties) {
    if (m_eventClass->PropertyIndex(name) < 0) RaiseInvalidQuery();
  }
  const std::u16string watched = WatchedClassName(m_query.where.get());
  if (watched.empty()) RaiseInvalidQuery();  // every instance of every class is more than a poll can watch
  m_watched = Catalogue().Find(m_connection.nameSpace, watched);
  if (m_watched == nullptr) wbem_error::Raise(wbem_error::kInvalidClass, kSource);
  std::vector<std::u16string> read;
  CollectWqlProperties(*m_query.where, read);
  for (const std::u16string& name : read) {
    const size_t dot = name.find(u'.');
    if (dot == std::u16string::npos) {
      if (m_eventClass->PropertyIndex(name) < 0) RaiseInvalidQuery();
      continue;
    }
    const std::u16string_view head = std::u16string_view(name).substr(0, dot);
    const std::u16string_view rest = std::u16string_view(name).substr(dot + 1);
    const bool embedded = SameName(head, kTarget) || (SameName(head, kPrevious) && m_eventClass->PropertyIndex(kPrevious) >= 0);
    if (!embedded || (m_watched->PropertyIndex(rest) < 0 && !IsSystemProperty(rest))) RaiseInvalidQuery();
  }
  if (!(m_query.within > 0)) wbem_error::Raise(wbem_error::kWithinMissing, kSource);
}

CWbemEventWatch::Snapshot CWbemEventWatch::Poll() const {
  Snapshot snapshot;
  for (auto& instance : InstancesOfClassAndSubclasses(*m_watched)) {
    snapshot.emplace(Lowered(RelativePathOf(*instance)), std::move(instance));
  }
  return snapshot;
}

// Each kind of change is told when its event class is the one the query names or derives
// from it (__InstanceOperationEvent asks for all three).
void CWbemEventWatch::Compare(Snapshot now) {
  const auto wanted = [&](std::u16string_view eventClass) -> const SWmiClass* {
    const SWmiClass* cls = Catalogue().Find(m_connection.nameSpace, eventClass);
    return cls != nullptr && Catalogue().DerivesFrom(*cls, m_eventClass->name) ? cls : nullptr;
  };
  const SWmiClass* creation = wanted(u"__InstanceCreationEvent");
  const SWmiClass* modification = wanted(u"__InstanceModificationEvent");
  const SWmiClass* deletion = wanted(u"__InstanceDeletionEvent");
  for (const auto& [key, instance] : now) {
    const auto before = m_last.find(key);
    if (before == m_last.end()) {
      if (creation != nullptr) Deliver(*creation, instance, nullptr);
    } else if (modification != nullptr && !SameWbemValues(*before->second, *instance)) {
      Deliver(*modification, instance, before->second);
    }
  }
  if (deletion != nullptr) {
    for (const auto& [key, instance] : m_last) {
      if (!now.contains(key)) Deliver(*deletion, instance, nullptr);
    }
  }
  m_last = std::move(now);
}

void CWbemEventWatch::Deliver(const SWmiClass& eventClass, const std::shared_ptr<SWbemInstance>& target,
                              const std::shared_ptr<SWbemInstance>& previous) {
  auto event = std::make_shared<SWbemInstance>(eventClass);
  event->Set(u"TIME_CREATED", TimeCreated());
  event->Set(kTarget, CVariant::Object(new CWbemObjectObject(target, m_connection)));
  if (previous != nullptr) event->Set(kPrevious, CVariant::Object(new CWbemObjectObject(previous, m_connection)));
  const bool passes = WqlMatches(*m_query.where, [&](std::u16string_view name) {
    return ReadEventProperty(name, *event, *target, previous.get());
  });
  if (passes) m_pending.push_back(std::move(event));
}

std::shared_ptr<SWbemInstance> CWbemEventWatch::Next(int32_t timeoutMs) {
  const Clock::time_point deadline =
      timeoutMs < 0 ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (!m_pending.empty()) {
      auto event = std::move(m_pending.front());
      m_pending.pop_front();
      return event;
    }
    const Clock::time_point now = Clock::now();
    Clock::time_point wake = deadline;
    for (CWbemEventWatch* watch : WatchesOfThisThread()) {
      watch->PollIfDue(now);
      wake = std::min(wake, watch->m_nextPoll);
    }
    if (!m_pending.empty()) continue;
    if (now >= deadline) return nullptr;
    std::this_thread::sleep_until(wake);
  }
}

}  // namespace quillet::engine
