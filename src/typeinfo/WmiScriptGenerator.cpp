#include "typeinfo/WmiScriptGenerator.h"

#include <algorithm>

#include "typeinfo/WmiClassText.h"

namespace quillet::typeinfo {

std::vector<std::u16string> WmiScriptClassNames(const platform::CWmiCatalog& catalogue) {
  std::vector<std::u16string> names;
  if (!catalogue.LoadError().empty()) return names;
  for (const auto& cls : catalogue.Classes()) {
    if (IsScriptClass(*cls)) names.push_back(cls->name);
  }
  std::stable_sort(names.begin(), names.end(), [](const std::u16string& a, const std::u16string& b) {
    return NameLessIgnoringCase(a, b);
  });
  return names;
}

std::u16string GenerateWmiScript(std::u16string_view className, const platform::CWmiCatalog& catalogue) {
  const platform::SWmiClass* cls = catalogue.Find(kWmiScriptNamespace, className);
  if (cls == nullptr) return {};
  std::u16string script =
      u"On Error Resume Next\r\n"
      u"strComputer = \".\"\r\n"
      u"Set objWMIService = GetObject(\"winmgmts:\\\\\" & strComputer & \"\\root\\cimv2\")\r\n"
      u"Set colItems = objWMIService.ExecQuery(\"Select * from ";
  script += className;
  script +=
      u"\",,48)\r\n"
      u"\r\n"
      u"For Each objItem in colItems\r\n";
  for (const platform::SWmiProperty& property : cls->properties) {
    script += u"\tWScript.Echo \"" + property.name + u": \" & objItem." + property.name + u"\r\n";
  }
  script +=
      u"\tWScript.Echo \"\"\r\n"
      u"Next\r\n";
  return script;
}

std::u16string GenerateWmiScript(std::u16string_view className) {
  return GenerateWmiScript(className, platform::CWmiCatalog::Installed());
}

}  // namespace quillet::typeinfo
