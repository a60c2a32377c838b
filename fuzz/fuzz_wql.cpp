// Any text given to the WQL readers (SELECT, and ASSOCIATORS OF / REFERENCES OF) and to the
// winmgmts: moniker reader gives a query (or a moniker) or the service's error, never a fault;
// a query that reads can be evaluated against an instance whose every property is the same text.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/objects/wmi/WbemMoniker.h"
#include "engine/objects/wmi/WqlAssociationQuery.h"
#include "engine/objects/wmi/WqlQuery.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillet::engine;
  const std::u16string text =
      quillet::platform::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  try {
    const SWqlQuery query = ParseWql(text);
    if (query.className.empty()) std::abort();
    if (query.where) {
      (void)WqlMatches(*query.where, [&](std::u16string_view) { return CVariant::String(text); });
    }
  } catch (const CScriptError& error) {
    if (error.Number() != static_cast<int>(0x80041017)) std::abort();
  }
  try {
    // The association reader takes the text whatever it starts with, so that every input
    // reaches its clauses; the prefix test must agree with what the reader accepts.
    const std::u16string body = IsWqlAssociationQuery(text) ? text : u"associators of {x} where " + text;
    const SWqlAssociationQuery query = ParseWqlAssociation(body);
    if (query.objectPath.empty() || (query.classDefsOnly && query.schemaOnly)) std::abort();
    if (query.references && (!query.assocClass.empty() || !query.resultRole.empty())) std::abort();
  } catch (const CScriptError& error) {
    if (error.Number() != static_cast<int>(0x80041017)) std::abort();
  }
  try {
    (void)ParseWbemMoniker(u"winmgmts:" + text);
  } catch (const CScriptError& error) {
    if (error.Number() != static_cast<int>(0x800401E4)) std::abort();
  }
  return 0;
}
