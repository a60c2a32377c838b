#include "engine/objects/wmi/WbemErrors.h"

#include <array>
#include <string>

#include "engine/runtime/ScriptError.h"

namespace quillet::engine::wbem_error {

namespace {

struct SErrorText {
  int32_t number;
  std::u16string_view text;
};

constexpr std::array kTexts{
    SErrorText{kFailed, u"Generic failure"},
    SErrorText{kNotFound, u"Not found"},
    SErrorText{kInvalidParameter, u"Invalid parameter"},
    SErrorText{kNotAvailable, u"Not available"},
    SErrorText{kNotSupported, u"Not supported"},
    SErrorText{kInvalidNamespace, u"Invalid namespace"},
    SErrorText{kInvalidClass, u"Invalid class"},
    SErrorText{kInvalidQuery, u"Invalid query"},
    SErrorText{kInvalidOperation, u"Invalid operation"},
    SErrorText{kProviderNotCapable, u"Provider is not capable of the attempted operation"},
    SErrorText{kInvalidSyntax, u"Invalid syntax"},
    SErrorText{kInvalidMethod, u"Invalid method"},
    SErrorText{kInvalidObjectPath, u"Invalid object path"},
    SErrorText{kNotEventClass, u"Not an event class"},
    SErrorText{kWithinMissing, u"A WITHIN clause was not used in this query"},
    SErrorText{kTimedOut, u"Timed out"},
    SErrorText{kServerUnavailable, u"The RPC server is unavailable."},
};

std::u16string TextOf(int32_t number) {
  for (const SErrorText& entry : kTexts) {
    if (entry.number == number) return std::u16string(entry.text);
  }
  return u"Generic failure";
}

}  // namespace

void Raise(int32_t number, std::u16string_view source) {
  throw CScriptError(number, TextOf(number), std::u16string(source));
}

void RaiseNotAvailable(std::u16string_view source, std::u16string_view memberName) {
  throw CScriptError(kNotAvailable, std::u16string(memberName) + u" is not available on this system",
                     std::u16string(source));
}

}  // namespace quillet::engine::wbem_error
