#pragma once
// The catalogue of management classes: what each class of a namespace holds (properties with
// their CIM types, arrays and keys; methods with their parameters) and a description of each,
// read from MOF text (resources/wmi/). The engine's providers fill instances of these classes
// and the editor's object browser lists them, so both see the same classes.
//
// The reader takes the part of MOF that describes classes: #pragma namespace, qualifier lists,
// class declarations with a superclass, properties (arrays, "Class ref" references) and
// methods. Anything else is an error with its line, never a fault.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::platform {

// The CIM types, numbered as the scripting library numbers them (wbemCimtype...).
enum class ECimType : int32_t {
  Sint16 = 2, Sint32 = 3, Real32 = 4, Real64 = 5, String = 8, Boolean = 11, Object = 13, Sint8 = 16,
  Uint8 = 17, Uint16 = 18, Uint32 = 19, Sint64 = 20, Uint64 = 21, Datetime = 101, Reference = 102, Char16 = 103,
};

// The type's MOF keyword ("sint32", "datetime"...); "string" for a reference, which has none
// of its own.
[[nodiscard]] std::u16string_view CimTypeKeyword(ECimType type);

// A qualifier as the MOF text gives it: a flag (Key, Association) is true, others carry a text or
// a number.
struct SWmiQualifier {
  enum class EKind { Flag, Text, Number } kind = EKind::Flag;
  std::u16string name;
  std::u16string value;  // Text and Number
};

// The qualifier named so (without regard to case), or null.
[[nodiscard]] const SWmiQualifier* FindQualifier(const std::vector<SWmiQualifier>& qualifiers, std::u16string_view name);

struct SWmiProperty {
  std::u16string name;
  ECimType type = ECimType::String;
  bool isArray = false;
  bool isKey = false;
  std::u16string description;
  std::u16string origin;  // the class that declared it
  std::u16string refClass;  // the class a reference points at ("Class ref Name")
  std::vector<SWmiQualifier> qualifiers;
};

struct SWmiParameter {
  std::u16string name;
  ECimType type = ECimType::String;
  bool isArray = false;
  bool in = false;
  bool out = false;
};

struct SWmiMethod {
  std::u16string name;
  ECimType returnType = ECimType::Uint32;
  bool isStatic = false;
  std::vector<SWmiParameter> parameters;
  std::u16string description;
  std::u16string origin;
  std::vector<SWmiQualifier> qualifiers;
};

struct SWmiClass {
  std::u16string nameSpace;  // "root\cimv2"
  std::u16string name;
  std::u16string superclass;  // empty for a root class
  std::u16string description;
  bool isAssociation = false;
  std::vector<SWmiQualifier> qualifiers;  // the class's own
  // Inherited members first, in their superclass's order, then the class's own.
  std::vector<SWmiProperty> properties;
  std::vector<SWmiMethod> methods;

  // Index into properties, or -1; names compare without regard to case.
  [[nodiscard]] int PropertyIndex(std::u16string_view propertyName) const;
  [[nodiscard]] const SWmiMethod* FindMethod(std::u16string_view methodName) const;
};

class CWmiCatalog {
 public:
  // Adds the classes of one MOF text (UTF-8). On error nothing of that text is added and
  // Error() says what and where.
  bool AddMof(std::string_view text);
  [[nodiscard]] const std::string& Error() const { return m_error; }

  // Adds every .mof file of the folder, in name order. A file that does not read adds nothing
  // and the first such failure stays in LoadError() ("name.mof: line N: what") whatever follows,
  // so that a damaged catalogue can be told from a small one.
  void AddMofFolder(const std::filesystem::path& folder);
  [[nodiscard]] const std::string& LoadError() const { return m_loadError; }

  // Null when the namespace has no such class; names compare without regard to case.
  [[nodiscard]] const SWmiClass* Find(std::u16string_view nameSpace, std::u16string_view className) const;
  [[nodiscard]] const std::vector<std::unique_ptr<SWmiClass>>& Classes() const { return m_classes; }
  // True when derived is base or derives from it.
  [[nodiscard]] bool DerivesFrom(const SWmiClass& derived, std::u16string_view base) const;

  // The catalogue installed with the program (share/quillet/wmi/*.mof beside it), or the one in
  // the source tree when run from the build folder; empty if neither can be read.
  [[nodiscard]] static const CWmiCatalog& Installed();

 private:
  std::vector<std::unique_ptr<SWmiClass>> m_classes;
  std::string m_error;
  std::string m_loadError;
};

}  // namespace quillet::platform
