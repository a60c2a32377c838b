#pragma once
// The search behind "Locating type library...": every registered type library file is loaded
// and asked for the class. Run() belongs to one worker thread; the counters, the stop request
// and the result may be read and made from any thread while it runs.

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

// Whether the type library file at the path declares the class. Runs on the search thread; an
// empty probe stands for LibraryHasCoClass.
using FClassProbe = std::function<bool(std::u16string_view clsid, std::u16string_view path)>;

class CTypeLibrarySearch {
 public:
  CTypeLibrarySearch(std::shared_ptr<const platform::CClassRegistry> registry, std::u16string clsid,
                     FClassProbe probe = {});

  // Counts the registered libraries, then scans them until the class turns up, everything is
  // examined or a stop is requested. Libraries are loaded here, by this thread alone.
  void Run();
  // Checked between two libraries, so a stop waits at most for the library being loaded.
  void RequestStop() { m_stop.store(true, std::memory_order_relaxed); }

  [[nodiscard]] int Examined() const { return m_examined.load(std::memory_order_relaxed); }
  [[nodiscard]] int Total() const { return m_total.load(std::memory_order_relaxed); }
  [[nodiscard]] bool Finished() const { return m_finished.load(std::memory_order_acquire); }
  // Valid once Finished(); empty when nothing was found or the search was stopped.
  [[nodiscard]] std::u16string FoundPath() const { return Finished() ? m_found : std::u16string(); }

 private:
  [[nodiscard]] std::vector<std::u16string> Win32Keys() const;

  std::shared_ptr<const platform::CClassRegistry> m_registry;
  std::u16string m_clsid;
  FClassProbe m_probe;
  std::u16string m_found;  // written by Run() before m_finished is set
  std::atomic<int> m_examined{0};
  std::atomic<int> m_total{0};
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_finished{false};
};

}  // namespace quillet::typeinfo
