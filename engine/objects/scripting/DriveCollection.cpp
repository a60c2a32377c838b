#include "engine/objects/scripting/DriveCollection.h"

#include "engine/objects/scripting/DriveObject.h"
#include "engine/objects/scripting/FileErrors.h"
#include "engine/objects/scripting/FileSystemClasses.h"
#include "engine/runtime/ScriptError.h"
#include "engine/runtime/SequenceEnumerator.h"

namespace quillet::engine {

CDriveCollection::CDriveCollection(FileSystemContext context)
    : CAutomationObject(DispatchTableOf<kDrivesClass>()), m_context(std::move(context)) {}

CVariant CDriveCollection::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = file_collection_id;
  switch (member.dispId) {
    case id::Count: return CVariant::Long(static_cast<int32_t>(m_context->Drives().Letters().size()));
    case id::Item: {
      const CVariant& key = args[0].Deref();
      if (!key.IsString()) throw CScriptError(engine::err::InvalidCall);
      const char16_t letter = DriveLetterOf(key.ToString());
      if (letter == 0) throw CScriptError(engine::err::InvalidCall);
      if (m_context->Drives().Letters().find(letter) == std::u16string::npos) throw CScriptError(err::DiskNotReady);
      return CVariant::Object(new CDriveObject(m_context, letter));
    }
    default: ThrowNoSuchMember();
  }
}

CEnumerator* CDriveCollection::NewEnum() {
  const FileSystemContext context = m_context;
  const std::u16string letters = context->Drives().Letters();
  return new CSequenceEnumerator([context, letters](size_t index, CVariant& value) {
    if (index >= letters.size()) return false;
    value = CVariant::Object(new CDriveObject(context, letters[index]));
    return true;
  });
}

}  // namespace quillet::engine
