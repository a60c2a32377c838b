// A type library built from any member table is written and read back identically: our own
// declarations, and random tables that reach the corners of the format (names of 255 bytes,
// texts beyond ASCII, defaults too large to pack, vararg members, enums, classes). A table the
// format cannot carry is refused, never written damaged.

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/tools/DeclaredLibraries.h"
#include "engine/tools/TypeLibraryBuilder.h"
#include "typeinfo/MsftReader.h"
#include "typeinfo/MsftWriter.h"

namespace quillet::engine {
namespace {

void ExpectRoundTrip(const om::SLibrary& library) {
  const typeinfo::SLibraryDesc built = tools::BuildTypeLibrary(library);
  const auto read = typeinfo::CMsftReader::Read(typeinfo::CMsftWriter::Write(built));
  ASSERT_TRUE(read);
  EXPECT_TRUE(*read == built);
}

TEST(TypeLibraryRoundTrip, DeclaredLibraries) {
  for (const om::SLibrary* library : tools::DeclaredLibraries()) ExpectRoundTrip(*library);
}

// Declarations made at run time: the object model's records point into storage kept here.
class CRandomLibrary {
 public:
  explicit CRandomLibrary(unsigned seed) : m_random(seed) {
    for (int i = 0, count = Pick(0, 3); i < count; ++i) m_enums.push_back(MakeEnum());
    for (int i = 0, count = Pick(1, 4); i < count; ++i) m_interfaces.push_back(MakeInterface());
    for (size_t i = 0; i < m_interfaces.size(); ++i) {
      if (Pick(0, 1) == 0) continue;
      om::SClass cls;
      cls.name = Keep(u"Class" + Number(i));
      cls.clsid = Guid();
      cls.library = &m_library;
      cls.defaultInterface = &m_interfaces[i];
      cls.help = Keep(Sentence());
      m_classes.push_back(cls);
    }
    for (const auto& iface : m_interfaces) m_interfacePointers.push_back(&iface);
    for (const auto& enumeration : m_enums) m_enumPointers.push_back(&enumeration);
    for (const auto& cls : m_classes) m_classPointers.push_back(&cls);
    m_library = om::SLibrary{Keep(u"Lib" + Number(seed)), Guid(), static_cast<uint16_t>(Pick(0, 9)),
                             static_cast<uint16_t>(Pick(0, 20)), Keep(Sentence()), m_interfacePointers,
                             m_enumPointers, m_classPointers};
  }
  CRandomLibrary(const CRandomLibrary&) = delete;

  [[nodiscard]] const om::SLibrary& Library() const { return m_library; }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
  std::u16string_view Keep(std::u16string text) { return m_texts.emplace_back(std::move(text)); }
  static std::u16string Number(size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
  }

  // Unique by its numbered tail; sometimes as long as the format allows.
  std::u16string Name(std::u16string_view stem) {
    std::u16string name(stem);
    name += Number(m_serial++);
    if (Pick(0, 7) == 0) name.insert(0, 255 - name.size(), u'N');
    return name;
  }
  std::u16string Sentence() {
    static const std::u16string kWords[] = {u"Reads", u"the", u"caf\u00e9", u"\u20ac", u"\"quoted\"", u"$&", u"\u00c9t\u00e9"};
    std::u16string text;
    for (int i = 0, count = Pick(0, 6); i < count; ++i) text += (i ? u" " : u"") + kWords[Pick(0, 6)];
    return text;
  }
  om::SGuid Guid() {
    om::SGuid guid;
    guid.data1 = static_cast<uint32_t>(m_random());
    guid.data2 = static_cast<uint16_t>(m_random());
    guid.data3 = static_cast<uint16_t>(m_random());
    for (auto& byte : guid.data4) byte = static_cast<uint8_t>(m_random());
    return guid;
  }

  om::SType Type() {
    static const om::EVt kSimple[] = {om::EVt::I2, om::EVt::I4, om::EVt::R8, om::EVt::Date, om::EVt::Bstr,
                                      om::EVt::Dispatch, om::EVt::Bool, om::EVt::Variant, om::EVt::Unknown, om::EVt::Int};
    om::SType type{kSimple[Pick(0, 9)]};
    if (!m_enums.empty() && Pick(0, 4) == 0) type = om::types::Enum(m_enums[static_cast<size_t>(Pick(0, static_cast<int>(m_enums.size()) - 1))].name);
    if (!m_interfaces.empty() && Pick(0, 4) == 0) type = om::types::Object(m_interfaces.front().name);
    type.byRef = Pick(0, 3) == 0;
    type.arrayOf = !type.byRef && type.name.empty() && Pick(0, 5) == 0;
    return type;
  }
  om::SValue Default(const om::SType& type) {
    if (type.vt == om::EVt::Bstr) return om::TextDefault(Keep(Sentence()));
    if (type.vt == om::EVt::Bool) return om::BooleanDefault(Pick(0, 1) == 1);
    // Small values pack into the record; large and negative ones go to the custom data.
    static const int32_t kIntegers[] = {0, 1, -1, 0x03FFFFFF, 0x04000000, INT32_MIN, INT32_MAX};
    return om::IntegerDefault(kIntegers[Pick(0, 6)]);
  }

  std::span<const om::SParam> Params(bool varArg) {
    std::vector<om::SParam>& params = m_params.emplace_back();
    const int count = varArg ? 1 : Pick(0, 5);
    bool optional = false;
    for (int i = 0; i < count; ++i) {
      om::SParam param{Keep(Pick(0, 9) == 0 ? u"" : Name(u"p")), varArg ? om::types::VariantArray : Type()};
      optional = !varArg && (optional || Pick(0, 2) == 0);  // optional ones come last
      param.optional = optional;
      if (optional && !param.type.byRef && !param.type.arrayOf && param.type.vt != om::EVt::Dispatch &&
          param.type.vt != om::EVt::Unknown && Pick(0, 3) != 0) {
        param.defaultValue = Default(param.type);
      }
      params.push_back(param);
    }
    return params;
  }

  om::SInterface MakeInterface() {
    std::vector<om::SMember>& members = m_members.emplace_back();
    for (int i = 0, count = Pick(0, 8); i < count; ++i) {
      const bool varArg = Pick(0, 9) == 0;
      const auto kind = static_cast<om::EMemberKind>(varArg ? 0 : Pick(0, 3));
      const bool reads = kind == om::EMemberKind::Method || kind == om::EMemberKind::PropertyGet;
      om::SMember member{Keep(Name(u"m")), Pick(0, 3) == 0 ? -Pick(1, 600) : Pick(0, 20000), kind,
                         reads && Pick(0, 3) != 0 ? Type() : om::types::Void, Params(varArg), Keep(Sentence()),
                         static_cast<uint8_t>(Pick(0, 7) | (varArg ? om::member::kVarArg : 0))};
      members.push_back(member);
    }
    return om::SInterface{Keep(Name(u"I")), Guid(), members, Keep(Sentence()), static_cast<uint8_t>(Pick(0, 3))};
  }

  om::SEnum MakeEnum() {
    std::vector<om::SEnumValue>& values = m_enumValues.emplace_back();
    for (int i = 0, count = Pick(0, 6); i < count; ++i) {
      values.push_back({Keep(Name(u"k")), static_cast<int32_t>(m_random())});
    }
    return om::SEnum{Keep(Name(u"E")), values, Keep(Sentence())};
  }

  std::mt19937 m_random;
  int m_serial = 0;
  std::deque<std::u16string> m_texts;
  std::deque<std::vector<om::SParam>> m_params;
  std::deque<std::vector<om::SMember>> m_members;
  std::deque<std::vector<om::SEnumValue>> m_enumValues;
  std::deque<om::SInterface> m_interfaces;
  std::deque<om::SEnum> m_enums;
  std::deque<om::SClass> m_classes;
  std::vector<const om::SInterface*> m_interfacePointers;
  std::vector<const om::SEnum*> m_enumPointers;
  std::vector<const om::SClass*> m_classPointers;
  om::SLibrary m_library;
};

TEST(TypeLibraryRoundTrip, RandomTables) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    const CRandomLibrary random(seed);
    ExpectRoundTrip(random.Library());
  }
}

// Each of these would come back different from what was declared.
TEST(TypeLibraryRoundTrip, TablesTheFormatCannotCarryAreRefused) {
  using namespace om;
  using namespace om::types;
  const std::u16string longName(256, u'x');
  const SParam enumAsObject[] = {In(u"a", Object(u"Colour"))};
  const SParam unknownType[] = {In(u"a", Object(u"INowhere"))};
  const SParam defaultOutsideCodePage[] = {Optional(u"a", Bstr, TextDefault(u"\u2192"))};
  const SEnumValue colours[] = {{u"Red", 1}};
  const SEnum colour{u"Colour", colours};
  const SEnum* enums[] = {&colour};
  const auto refused = [&](const SMember& member) {
    const SMember members[] = {member};
    const SInterface iface{u"IThing", {}, members};
    const SInterface* interfaces[] = {&iface};
    const SLibrary library{u"Things", {}, 1, 0, {}, interfaces, enums, {}};
    EXPECT_THROW((void)tools::BuildTypeLibrary(library), std::invalid_argument) << std::string(member.name.begin(), member.name.end());
  };
  refused(Method(longName, 1, Void, {}, u""));
  refused(Method(u"", 1, Void, {}, u""));
  refused(Method(u"Help", 1, Void, {}, u"Goes \u2192 there"));
  refused(Method(u"EnumAsObject", 1, Void, enumAsObject, u""));
  refused(Method(u"UnknownType", 1, Void, unknownType, u""));
  refused(Method(u"Default", 1, Void, defaultOutsideCodePage, u""));
  refused(Method(u"Result", 1, Enum(u"IThing"), {}, u""));

  const SParam value[] = {In(u"", Long)};
  const SMember splitProperty[] = {Get(u"Size", 1, Long, {}, u""), Let(u"size", 2, value, u"")};
  const SInterface iface{u"IThing", {}, splitProperty};
  const SInterface* interfaces[] = {&iface};
  const SLibrary library{u"Things", {}, 1, 0, {}, interfaces, {}, {}};
  EXPECT_THROW((void)tools::BuildTypeLibrary(library), std::invalid_argument) << "one name, two DISPIDs";
}

}  // namespace
}  // namespace quillet::engine
