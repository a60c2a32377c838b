#include "engine/objects/wsh/ScriptFile.h"

#include "engine/objects/scripting/FileErrors.h"
#include "platform/DriveMap.h"

namespace quillet::engine::wsh {

SScriptFile ResolveScriptFile(std::u16string_view text) {
  const platform::CDriveMap drives = platform::CDriveMap::ForUser();
  const platform::CScriptPath path = drives.Absolute(text, platform::CDriveMap::CurrentFolder());
  return {path.Text(), HostPathOrThrow(drives, path)};
}

}  // namespace quillet::engine::wsh
