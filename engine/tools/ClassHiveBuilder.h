#pragma once
// The class registrations of declared libraries, as the classes root of a hive in the regedit
// format: each ProgID (and versioned ProgID) to its class id; each class id to its ProgIDs, its
// server and its type library; each type library version to its file. Files are written as
// %QuilletHiveFolder%/<library>.tlb, which CClassRegistry expands to the folder the hive was
// read from, so that one hive serves a build folder and an installed tree alike. A class is
// served by no program of ours (the hosts make their objects themselves), so its server entry
// names the type library that describes it, the file a Windows server would carry it in.

#include <memory>
#include <span>
#include <string>

#include "engine/runtime/ObjectModel.h"
#include "platform/RegKey.h"

namespace quillet::engine::tools {

// The file a library is written to, beside the hive: its name and ".tlb".
[[nodiscard]] std::u16string TypeLibraryFileName(const om::SLibrary& library);

// An unnamed root holding HKEY_CLASSES_ROOT, ready for CRegFileWriter.
[[nodiscard]] std::unique_ptr<platform::CRegKey> BuildClassHive(std::span<const om::SLibrary* const> libraries);

}  // namespace quillet::engine::tools
