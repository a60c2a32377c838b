#include "engine/objects/scripting/TextStreamObject.h"

#include "engine/objects/scripting/FileSystemClasses.h"

namespace quillet::engine {

CTextStreamObject::CTextStreamObject(std::unique_ptr<CTextFileStream> stream)
    : CAutomationObject(DispatchTableOf<kTextStreamFileClass>()), m_stream(std::move(stream)) {}

CVariant TextStreamValue(std::unique_ptr<CTextFileStream> stream) {
  return CVariant::Object(new CTextStreamObject(std::move(stream)));
}

CVariant CTextStreamObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = text_file_id;
  CTextFileStream& stream = *m_stream;
  switch (member.dispId) {
    case id::Line: return CVariant::Long(stream.Line());
    case id::Column: return CVariant::Long(stream.Column());
    case id::AtEndOfStream: return CVariant::Boolean(stream.AtEndOfStream());
    case id::AtEndOfLine: return CVariant::Boolean(stream.AtEndOfLine());
    case id::Read: return CVariant::String(stream.Read(args[0].Deref().ToLong()));
    case id::ReadLine: return CVariant::String(stream.ReadLine());
    case id::ReadAll: return CVariant::String(stream.ReadAll());
    case id::Write: stream.Write(args[0].Deref().ToString()); return {};
    case id::WriteLine: stream.WriteLine(args[0].Deref().ToString()); return {};
    case id::WriteBlankLines: stream.WriteBlankLines(args[0].Deref().ToLong()); return {};
    case id::Skip: stream.Skip(args[0].Deref().ToLong()); return {};
    case id::SkipLine: stream.SkipLine(); return {};
    case id::Close: stream.Close(); return {};
    default: ThrowNoSuchMember();
  }
}

}  // namespace quillet::engine
