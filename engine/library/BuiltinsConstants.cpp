// The named constants the language defines: characters, compare modes, VarType numbers,
// MsgBox buttons and answers, colours, dates and week rules. They compile as literals, so
// they cost nothing at run time and cannot be assigned.

#include <array>
#include <string_view>

#include "engine/library/Builtins.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

struct SConstant {
  const char16_t* name;  // lower case
  int32_t number;
  const char16_t* text;  // null for a number
};

constexpr std::array kConstants{
    // Text
    SConstant{u"vbcr", 0, u"\r"}, SConstant{u"vblf", 0, u"\n"}, SConstant{u"vbcrlf", 0, u"\r\n"},
    SConstant{u"vbnewline", 0, u"\r\n"}, SConstant{u"vbtab", 0, u"\t"}, SConstant{u"vbformfeed", 0, u"\f"},
    SConstant{u"vbverticaltab", 0, u"\v"}, SConstant{u"vbnullstring", 0, u""},
    // Compare modes and tristate
    SConstant{u"vbbinarycompare", 0, nullptr}, SConstant{u"vbtextcompare", 1, nullptr},
    SConstant{u"vbdatabasecompare", 2, nullptr}, SConstant{u"vbusedefault", -2, nullptr},
    SConstant{u"vbtrue", -1, nullptr}, SConstant{u"vbfalse", 0, nullptr},
    SConstant{u"vbobjecterror", static_cast<int32_t>(0x80040000u), nullptr},
    // VarType
    SConstant{u"vbempty", 0, nullptr}, SConstant{u"vbnull", 1, nullptr}, SConstant{u"vbinteger", 2, nullptr},
    SConstant{u"vblong", 3, nullptr}, SConstant{u"vbsingle", 4, nullptr}, SConstant{u"vbdouble", 5, nullptr},
    SConstant{u"vbcurrency", 6, nullptr}, SConstant{u"vbdate", 7, nullptr}, SConstant{u"vbstring", 8, nullptr},
    SConstant{u"vbobject", 9, nullptr}, SConstant{u"vberror", 10, nullptr}, SConstant{u"vbboolean", 11, nullptr},
    SConstant{u"vbvariant", 12, nullptr}, SConstant{u"vbdataobject", 13, nullptr},
    SConstant{u"vbdecimal", 14, nullptr}, SConstant{u"vbbyte", 17, nullptr}, SConstant{u"vbarray", 8192, nullptr},
    // MsgBox buttons, icons, defaults, modality and answers
    SConstant{u"vbokonly", 0, nullptr}, SConstant{u"vbokcancel", 1, nullptr},
    SConstant{u"vbabortretryignore", 2, nullptr}, SConstant{u"vbyesnocancel", 3, nullptr},
    SConstant{u"vbyesno", 4, nullptr}, SConstant{u"vbretrycancel", 5, nullptr},
    SConstant{u"vbcritical", 16, nullptr}, SConstant{u"vbquestion", 32, nullptr},
    SConstant{u"vbexclamation", 48, nullptr}, SConstant{u"vbinformation", 64, nullptr},
    SConstant{u"vbdefaultbutton1", 0, nullptr}, SConstant{u"vbdefaultbutton2", 256, nullptr},
    SConstant{u"vbdefaultbutton3", 512, nullptr}, SConstant{u"vbdefaultbutton4", 768, nullptr},
    SConstant{u"vbapplicationmodal", 0, nullptr}, SConstant{u"vbsystemmodal", 4096, nullptr},
    SConstant{u"vbmsgboxhelpbutton", 16384, nullptr}, SConstant{u"vbmsgboxsetforeground", 65536, nullptr},
    SConstant{u"vbmsgboxright", 524288, nullptr}, SConstant{u"vbmsgboxrtlreading", 1048576, nullptr},
    SConstant{u"vbok", 1, nullptr}, SConstant{u"vbcancel", 2, nullptr}, SConstant{u"vbabort", 3, nullptr},
    SConstant{u"vbretry", 4, nullptr}, SConstant{u"vbignore", 5, nullptr}, SConstant{u"vbyes", 6, nullptr},
    SConstant{u"vbno", 7, nullptr},
    // Colours
    SConstant{u"vbblack", 0x000000, nullptr}, SConstant{u"vbred", 0x0000FF, nullptr},
    SConstant{u"vbgreen", 0x00FF00, nullptr}, SConstant{u"vbyellow", 0x00FFFF, nullptr},
    SConstant{u"vbblue", 0xFF0000, nullptr}, SConstant{u"vbmagenta", 0xFF00FF, nullptr},
    SConstant{u"vbcyan", 0xFFFF00, nullptr}, SConstant{u"vbwhite", 0xFFFFFF, nullptr},
    // Date formats, days of the week and first week of the year
    SConstant{u"vbgeneraldate", 0, nullptr}, SConstant{u"vblongdate", 1, nullptr},
    SConstant{u"vbshortdate", 2, nullptr}, SConstant{u"vblongtime", 3, nullptr},
    SConstant{u"vbshorttime", 4, nullptr}, SConstant{u"vbusesystemdayofweek", 0, nullptr},
    SConstant{u"vbsunday", 1, nullptr}, SConstant{u"vbmonday", 2, nullptr}, SConstant{u"vbtuesday", 3, nullptr},
    SConstant{u"vbwednesday", 4, nullptr}, SConstant{u"vbthursday", 5, nullptr},
    SConstant{u"vbfriday", 6, nullptr}, SConstant{u"vbsaturday", 7, nullptr},
    SConstant{u"vbusesystem", 0, nullptr}, SConstant{u"vbfirstjan1", 1, nullptr},
    SConstant{u"vbfirstfourdays", 2, nullptr}, SConstant{u"vbfirstfullweek", 3, nullptr},
};

}  // namespace

bool FindBuiltinConstant(std::u16string_view name, CVariant& value) {
  const std::u16string key = platform::LowerAscii(name);
  for (const SConstant& constant : kConstants) {
    if (key != constant.name) continue;
    if (constant.text != nullptr) {
      value = CVariant::String(constant.text);
    } else if (constant.number >= -32768 && constant.number <= 32767) {
      // Small values are Integers, as the same literal in a script would be.
      value = CVariant::Integer(static_cast<int16_t>(constant.number));
    } else {
      value = CVariant::Long(constant.number);
    }
    return true;
  }
  return false;
}

}  // namespace quillet::engine
