#include "engine/objects/scripting/SpecialFolders.h"

#include <filesystem>

#include "engine/objects/scripting/FileErrors.h"
#include "engine/runtime/ScriptError.h"
#include "platform/AppPaths.h"

namespace quillet::engine {
namespace {

platform::CScriptPath MadeOnDriveC(std::vector<std::u16string> names, const platform::CDriveMap& drives) {
  platform::CScriptPath path(u"C:", std::move(names));
  const std::string host = HostPathOrThrow(drives, path);
  std::error_code ignored;  // a folder that cannot be made shows as the error of its first use
  std::filesystem::create_directories(host, ignored);
  return path;
}

}  // namespace

platform::CScriptPath SpecialFolderPath(int32_t which, const platform::CDriveMap& drives) {
  switch (static_cast<ESpecialFolder>(which)) {
    case ESpecialFolder::Windows: return MadeOnDriveC({u"Windows"}, drives);
    case ESpecialFolder::System: return MadeOnDriveC({u"Windows", u"System32"}, drives);
    case ESpecialFolder::Temporary: {
      const std::string temp = platform::TempFolderPath();
      std::error_code ignored;
      std::filesystem::create_directories(temp, ignored);
      return drives.FromHost(temp);
    }
  }
  throw CScriptError(engine::err::InvalidCall);
}

}  // namespace quillet::engine
