#include "typeinfo/TypeLibrarySearch.h"

#include "platform/ClassRegistry.h"
#include "platform/TextConvert.h"
#include "typeinfo/ProgIdResolver.h"

namespace quillet::typeinfo {

CTypeLibrarySearch::CTypeLibrarySearch(std::shared_ptr<const platform::CClassRegistry> registry,
                                       std::u16string clsid, FClassProbe probe)
    : m_registry(std::move(registry)),
      m_clsid(std::move(clsid)),
      m_probe(probe ? std::move(probe) : FClassProbe(LibraryHasCoClass)) {}

// TypeLib\{guid}\<version>\0\win32 of every registered library, in registry order.
std::vector<std::u16string> CTypeLibrarySearch::Win32Keys() const {
  std::vector<std::u16string> keys;
  if (!m_registry) return keys;
  for (const std::u16string& guid : m_registry->SubkeyNames(u"TypeLib")) {
    if (guid.size() > kMaxKeyNameLength) continue;
    for (const std::u16string& version : m_registry->SubkeyNames(u"TypeLib\\" + guid)) {
      if (version.size() > kMaxKeyNameLength) continue;
      std::u16string key = u"TypeLib\\" + guid + u"\\" + version + u"\\0\\win32";
      if (m_registry->KeyExists(key)) keys.push_back(std::move(key));
    }
  }
  return keys;
}

void CTypeLibrarySearch::Run() {
  const std::vector<std::u16string> keys = Win32Keys();
  m_total.store(static_cast<int>(keys.size()), std::memory_order_relaxed);
  for (const std::u16string& key : keys) {
    if (m_stop.load(std::memory_order_relaxed)) break;
    const auto value = m_registry->ReadDefaultString(key);
    if (!value || value->size() > kMaxRegistryPathLength) continue;
    const std::u16string path = platform::Utf8ToUtf16(m_registry->MapToLinuxPath(*value));
    m_examined.fetch_add(1, std::memory_order_relaxed);
    if (m_probe(m_clsid, path)) {
      m_found = path;
      break;
    }
  }
  // A stopped search leaves no partial result, even when the stop came just after a find.
  if (m_stop.load(std::memory_order_relaxed)) m_found.clear();
  m_finished.store(true, std::memory_order_release);
}

}  // namespace quillet::typeinfo
