// The generated IWshRuntimeLibrary holds every interface and class of the reference listing, with
// its GUIDs, and every member with its DISPID, kind and number of parameters (an interface that
// extends another holds the other's members too, as a dual interface's table does).

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "engine/objects/wsh/WshLibrary.h"
#include "engine/tools/ClassHiveBuilder.h"
#include "platform/TextConvert.h"
#include "typeinfo/Guid.h"
#include "typeinfo/TypeLibrary.h"

namespace quillet::engine {
namespace {

using SMemberKey = std::tuple<std::string, int32_t, int, size_t>;  // lower-case name, DISPID, kind, parameters

struct SListedInterface {
  std::string guid;
  std::string base;
  std::set<SMemberKey> members;
};

struct SListing {
  std::map<std::string, SListedInterface> interfaces;
  std::map<std::string, std::string> classes;  // name -> GUID
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Parameters a caller passes: the [out, retval] one is the result.
size_t CountParameters(const std::string& list) {
  // Commas inside [in, optional, ...] separate attributes, not parameters.
  std::string outside;
  int depth = 0;
  for (const char c : list) {
    depth += c == '[' ? 1 : c == ']' ? -1 : 0;
    if (depth == 0 && c != ']') outside += c;
  }
  if (outside.find_first_not_of(" ") == std::string::npos) return 0;
  size_t count = 1;
  for (const char c : outside) count += c == ',' ? 1 : 0;
  return list.find("retval") != std::string::npos ? count - 1 : count;
}

SListing ReadListing(const std::string& path) {
  std::ifstream file(path);
  SListing listing;
  const std::regex interfaceLine(R"(\[uuid\(([0-9A-F-]+)\).*\] interface (\w+) : (\w+) \{)");
  const std::regex classLine(R"(\[uuid\(([0-9A-F-]+)\)\] coclass (\w+) \{)");
  const std::regex memberLine(R"(\[id\(0x([0-9a-f]+)\)([^\]]*)\] HRESULT (\w+)\((.*)\);)");
  std::string line;
  SListedInterface* current = nullptr;
  std::smatch match;
  while (std::getline(file, line)) {
    if (std::regex_search(line, match, interfaceLine)) {
      current = &listing.interfaces[match[2]];
      current->guid = match[1];
      current->base = match[3];
    } else if (std::regex_search(line, match, classLine)) {
      listing.classes[match[2]] = match[1];
      current = nullptr;
    } else if (current != nullptr && std::regex_search(line, match, memberLine)) {
      const auto id = static_cast<int32_t>(std::stoul(match[1], nullptr, 16));
      const std::string flags = match[2];
      const int kind = flags.find("propget") != std::string::npos   ? 2
                       : flags.find("propputref") != std::string::npos ? 8
                       : flags.find("propput") != std::string::npos  ? 4
                                                                      : 1;
      current->members.emplace(Lower(match[3]), id, kind, CountParameters(match[4]));
    }
  }
  return listing;
}

std::set<SMemberKey> WithInherited(const SListing& listing, const std::string& name) {
  const SListedInterface& listed = listing.interfaces.at(name);
  std::set<SMemberKey> members = listed.members;
  if (listing.interfaces.contains(listed.base)) members.merge(WithInherited(listing, listed.base));
  return members;
}

typeinfo::SGuid GuidOf(const std::string& text) {
  return typeinfo::ParseGuid(platform::Utf8ToUtf16("{" + text + "}")).value_or(typeinfo::SGuid{});
}

TEST(WshLibrary, GeneratedLibraryHoldsEveryInterfaceClassAndMemberOfTheListing) {
  const std::string listingPath = std::string(QUILLET_REFERENCE_DIR) + "/wshom.ocx.idl.txt";
  if (!std::ifstream(listingPath)) GTEST_SKIP() << "no reference listing at " << listingPath;
  const SListing listing = ReadListing(listingPath);
  ASSERT_EQ(listing.interfaces.size(), 15u);
  ASSERT_EQ(listing.classes.size(), 5u);

  const std::string tlb = std::string(QUILLET_CLASSES_DIR) + "/" + platform::Utf16ToUtf8(tools::TypeLibraryFileName(kWshLibrary));
  const auto library = typeinfo::CTypeLibrary::LoadFile(tlb, nullptr);
  ASSERT_TRUE(library);
  EXPECT_EQ(library->Desc().guid, GuidOf("F935DC20-1CF0-11D0-ADB9-00C04FD58A0B"));

  for (const auto& [name, listed] : listing.interfaces) {
    SCOPED_TRACE(name);
    const auto index = library->FindType(GuidOf(listed.guid));
    ASSERT_TRUE(index);
    EXPECT_EQ(platform::Utf16ToUtf8(library->TypeInfo(*index)->name), name);
    std::set<SMemberKey> generated;
    for (const auto& func : library->Funcs(*index)) {
      generated.emplace(Lower(platform::Utf16ToUtf8(func.name)), func.memberId, static_cast<int>(func.invokeKind),
                        func.params.size());
    }
    EXPECT_EQ(generated, WithInherited(listing, name));
  }
  for (const auto& [name, guid] : listing.classes) {
    const auto index = library->FindType(GuidOf(guid));
    ASSERT_TRUE(index) << name;
    EXPECT_EQ(platform::Utf16ToUtf8(library->TypeInfo(*index)->name), name);
  }
}

}  // namespace
}  // namespace quillet::engine
