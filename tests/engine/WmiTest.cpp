// The management scripting objects as scripts reach them: what CreateObject and GetObject give,
// the monikers and connections, and the errors scripts test Err.Number against.

#include <gtest/gtest.h>

#include <string>

#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"
#include "platform/TextConvert.h"

namespace quillet::engine {
namespace {

class CLog : public CDispatchObject {
 public:
  std::u16string TypeName() const override { return u"Log"; }
  CVariant Invoke(std::u16string_view, EInvokeKind, std::span<CVariant> args) override {
    std::u16string line;
    for (auto& arg : args) {
      if (!line.empty()) line += u' ';
      line += arg.Deref().IsNull() ? u"Null" : arg.Deref().ToString();
    }
    lines += line + u"\n";
    return {};
  }
  std::u16string lines;
};

// The script's Log lines, then "error N" if it ended with a runtime error.
std::string RunLogged(std::u16string_view source) {
  CScriptEngine engine;
  auto* log = new CLog();
  engine.AddNamedItem(u"Log", CVariant::Object(log));
  std::string tail;
  try {
    engine.Run(source);
  } catch (const CScriptError& e) {
    tail = "error " + std::to_string(e.Number());
  }
  std::string out = platform::Utf16ToUtf8(log->lines) + tail;
  engine.Close();
  return out;
}

TEST(WbemScripting, CreatableClassesAndMembersNotProvidedYet) {
  EXPECT_EQ(RunLogged(u"Log TypeName(CreateObject(\"WbemScripting.SWbemLocator\"))\n"
                      u"Log TypeName(CreateObject(\"WbemScripting.SWbemLocator.1\"))\n"
                      u"Log TypeName(CreateObject(\"WbemScripting.SWbemNamedValueSet\"))\n"
                      u"Log TypeName(CreateObject(\"WbemScripting.SWbemDateTime\"))\n"),
            "SWbemLocator\nSWbemLocator\nSWbemNamedValueSet\nSWbemDateTime\n");
  // A declared member this system lacks says so, with the service's number, rather than
  // claiming the object has no such member.
  EXPECT_EQ(RunLogged(u"Set dt = CreateObject(\"WbemScripting.SWbemDateTime\")\n"
                      u"On Error Resume Next\n"
                      u"dt.SetFileTime \"0\"\n"
                      u"Log Hex(Err.Number), Err.Description, Err.Source\n"
                      u"Err.Clear\n"
                      u"dt.NoSuchMember\n"
                      u"Log Err.Number\n"),
            "80041009 SetFileTime is not available on this system SWbemDateTime\n438\n");
}

}  // namespace
}  // namespace quillet::engine
