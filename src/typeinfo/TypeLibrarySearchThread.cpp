#include "typeinfo/TypeLibrarySearchThread.h"

namespace quillet::typeinfo {

CTypeLibrarySearchThread::CTypeLibrarySearchThread(std::shared_ptr<const platform::CClassRegistry> registry,
                                                   std::u16string clsid, FClassProbe probe)
    : m_search(std::move(registry), std::move(clsid), std::move(probe)), m_thread([this] { m_search.Run(); }) {}

CTypeLibrarySearchThread::~CTypeLibrarySearchThread() {
  m_search.RequestStop();
  m_thread.join();
}

}  // namespace quillet::typeinfo
