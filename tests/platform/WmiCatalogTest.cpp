// The class catalogue of the management service: what the MOF reader keeps of a declaration,
// inheritance, the errors it gives instead of guessing, and the catalogue that ships.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/TextConvert.h"
#include "platform/WmiCatalog.h"

namespace quillet::platform {
namespace {

constexpr std::string_view kMof = R"(
// comment
#pragma namespace("\\\\.\\root\\test")
[Description("Base " "class.")]
class Base_Thing
{
  [key, Description("Its id.")] string Id;
  string Label;
  uint32 Stop([in] uint32 Reason);
};
/* a block
   comment */
[association]
class Derived_Thing : Base_Thing
{
  [Description("Overridden.")] string Label;
  uint64 Sizes[];
  Base_Thing ref Owner;
  [static] uint32 Make([in] string Text, [out] uint32 Id, [in, out] datetime When[]);
};
)";

TEST(WmiCatalog, ReadsDeclarationsAndInheritance) {
  CWmiCatalog catalogue;
  ASSERT_TRUE(catalogue.AddMof(kMof)) << catalogue.Error();
  const SWmiClass* base = catalogue.Find(u"ROOT\\test", u"base_thing");
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(base->description, u"Base class.");
  EXPECT_EQ(catalogue.Find(u"root\\cimv2", u"Base_Thing"), nullptr);  // classes belong to their namespace

  const SWmiClass* derived = catalogue.Find(u"root\\test", u"Derived_Thing");
  ASSERT_NE(derived, nullptr);
  EXPECT_TRUE(derived->isAssociation);
  ASSERT_EQ(derived->properties.size(), 4u);
  EXPECT_EQ(derived->properties[0].name, u"Id");
  EXPECT_TRUE(derived->properties[0].isKey);
  EXPECT_EQ(derived->properties[0].origin, u"Base_Thing");
  // A redeclared property keeps its place and takes the new declaration.
  EXPECT_EQ(derived->properties[1].description, u"Overridden.");
  EXPECT_EQ(derived->properties[1].origin, u"Derived_Thing");
  EXPECT_EQ(derived->properties[2].type, ECimType::Uint64);
  EXPECT_TRUE(derived->properties[2].isArray);
  EXPECT_EQ(derived->properties[3].type, ECimType::Reference);
  EXPECT_EQ(derived->properties[3].refClass, u"Base_Thing");
  EXPECT_EQ(derived->PropertyIndex(u"OWNER"), 3);
  // Every qualifier is kept as written, so that scripts can list them.
  ASSERT_NE(FindQualifier(derived->qualifiers, u"ASSOCIATION"), nullptr);
  EXPECT_EQ(FindQualifier(derived->qualifiers, u"association")->kind, SWmiQualifier::EKind::Flag);
  const SWmiQualifier* described = FindQualifier(base->qualifiers, u"description");
  ASSERT_NE(described, nullptr);
  EXPECT_EQ(described->kind, SWmiQualifier::EKind::Text);
  EXPECT_EQ(described->value, u"Base class.");
  EXPECT_NE(FindQualifier(derived->properties[0].qualifiers, u"key"), nullptr);
  EXPECT_EQ(FindQualifier(derived->properties[0].qualifiers, u"Association"), nullptr);
  EXPECT_EQ(derived->PropertyIndex(u"Nope"), -1);

  const SWmiMethod* make = derived->FindMethod(u"make");
  ASSERT_NE(make, nullptr);
  EXPECT_TRUE(make->isStatic);
  ASSERT_EQ(make->parameters.size(), 3u);
  EXPECT_TRUE(make->parameters[0].in);
  EXPECT_FALSE(make->parameters[0].out);
  EXPECT_TRUE(make->parameters[1].out);
  EXPECT_FALSE(make->parameters[1].in);
  EXPECT_TRUE(make->parameters[2].in && make->parameters[2].out && make->parameters[2].isArray);
  EXPECT_NE(derived->FindMethod(u"Stop"), nullptr);
  EXPECT_TRUE(catalogue.DerivesFrom(*derived, u"base_thing"));
  EXPECT_FALSE(catalogue.DerivesFrom(*base, u"Derived_Thing"));
}

TEST(WmiCatalog, ErrorsNameTheLineAndAddNothing) {
  CWmiCatalog catalogue;
  EXPECT_FALSE(catalogue.AddMof("class A {\n  string X;\n  strang Y;\n};"));
  EXPECT_EQ(catalogue.Error(), "line 3: unknown type strang");
  EXPECT_FALSE(catalogue.AddMof("class A { string X; };\nclass B : Missing { };"));
  EXPECT_EQ(catalogue.Find(u"root\\cimv2", u"A"), nullptr);  // the whole text is refused
  EXPECT_FALSE(catalogue.AddMof("class A { string X; }; class A { };"));
  for (const std::string_view bad :
       {"class", "class A {", "class A { string X }", "[Description(\"x) class A {};", "/* open", "#pragma",
        "class A { uint32 M([in] string); };", "[key class A {};", "junk"}) {
    EXPECT_FALSE(catalogue.AddMof(bad)) << bad;
    EXPECT_FALSE(catalogue.Error().empty());
  }
  EXPECT_TRUE(catalogue.Classes().empty());
}

TEST(WmiCatalog, ShippedCatalogueReads) {
  const CWmiCatalog& catalogue = CWmiCatalog::Installed();
  const SWmiClass* process = catalogue.Find(u"root\\cimv2", u"Win32_Process");
  ASSERT_NE(process, nullptr);
  EXPECT_TRUE(catalogue.DerivesFrom(*process, u"CIM_ManagedSystemElement"));
  const int handle = process->PropertyIndex(u"Handle");
  ASSERT_GE(handle, 0);
  EXPECT_TRUE(process->properties[static_cast<size_t>(handle)].isKey);
  EXPECT_NE(process->FindMethod(u"Terminate"), nullptr);
  for (const auto& cls : catalogue.Classes()) {
    EXPECT_FALSE(cls->description.empty()) << Utf16ToUtf8(cls->name);
    for (const SWmiProperty& property : cls->properties) {
      EXPECT_FALSE(property.description.empty()) << Utf16ToUtf8(cls->name) << "." << Utf16ToUtf8(property.name);
    }
  }
}


// The shipped catalogue is read file by file, and a file that fails to read is skipped whole;
// so every file must read, in the order the catalogue reads them.
TEST(WmiCatalog, EveryShippedFileReads) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(QUILLET_WMI_RESOURCES)) {
    if (entry.path().extension() == ".mof") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  CWmiCatalog catalogue;
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(catalogue.AddMof(text)) << file << ": " << catalogue.Error();
  }
  for (const std::u16string_view nameSpace : {u"root\\default", u"root\\cimv2"}) {
    const SWmiClass* registry = catalogue.Find(nameSpace, u"StdRegProv");
    ASSERT_NE(registry, nullptr) << Utf16ToUtf8(nameSpace);
    ASSERT_NE(registry->FindMethod(u"EnumValues"), nullptr);
    EXPECT_TRUE(registry->FindMethod(u"GetStringValue")->isStatic);
  }
  for (const std::u16string_view name : {u"Win32_Service", u"CIM_DataFile", u"Win32_Directory"}) {
    const SWmiClass* cls = catalogue.Find(u"root\\cimv2", name);
    ASSERT_NE(cls, nullptr) << Utf16ToUtf8(name);
    const int key = cls->PropertyIndex(u"Name");
    ASSERT_GE(key, 0);
    EXPECT_TRUE(cls->properties[static_cast<size_t>(key)].isKey) << Utf16ToUtf8(name) << " is found by its Name";
  }
  EXPECT_TRUE(catalogue.Find(u"root\\cimv2", u"Win32_Process")->FindMethod(u"Create")->isStatic);
}

}  // namespace
}  // namespace quillet::platform
