#pragma once
// A search of the registered type libraries running on a thread of its own. Going away, it asks
// the search to stop and waits for the library in hand; a caller that must not wait hands it to
// an owner that lives longer.

#include <memory>
#include <string>
#include <thread>

#include "typeinfo/TypeLibrarySearch.h"

namespace quillet::typeinfo {

class CTypeLibrarySearchThread {
 public:
  CTypeLibrarySearchThread(std::shared_ptr<const platform::CClassRegistry> registry, std::u16string clsid,
                           FClassProbe probe);
  ~CTypeLibrarySearchThread();
  CTypeLibrarySearchThread(const CTypeLibrarySearchThread&) = delete;
  CTypeLibrarySearchThread& operator=(const CTypeLibrarySearchThread&) = delete;

  [[nodiscard]] CTypeLibrarySearch& Search() { return m_search; }
  [[nodiscard]] const CTypeLibrarySearch& Search() const { return m_search; }

 private:
  CTypeLibrarySearch m_search;
  std::thread m_thread;
};

}  // namespace quillet::typeinfo
