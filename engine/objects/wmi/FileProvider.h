#pragma once
// CIM_DataFile and Win32_Directory: files and folders named by a query, through the drive
// letters scripts see (so that "C:\x" is the file FileSystemObject calls "C:\x"). A query must
// name what it wants: a file or folder by Name, or the entries of one folder by Path (with or
// without Drive). Windows walks every disk for anything else; here such a query fails with
// "Provider is not capable of the attempted operation" instead of reading the whole machine.

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CFileProvider : public CWbemProvider {
 public:
  explicit CFileProvider(bool folders) : m_folders(folders) {}

  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
  // Rename, Copy and Delete, with Windows' return values.
  CVariant CallMethod(SWbemInstance& instance, const platform::SWmiMethod& method, std::span<CVariant> args) override;

 private:
  bool m_folders;  // Win32_Directory; else CIM_DataFile
};

}  // namespace quillet::engine
