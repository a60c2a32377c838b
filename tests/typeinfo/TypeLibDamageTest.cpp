// Type libraries are untrusted files: every damaged form below must give a clean failure or a
// library with what could be read, without faults (the sanitizer build checks that) and within
// bounds of time and memory.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "TypeLibFixtures.h"
#include "typeinfo/MsftReader.h"
#include "typeinfo/MsftWriter.h"
#include "typeinfo/PeResource.h"
#include "typeinfo/TypeLibrary.h"

using namespace quillet::typeinfo;
using namespace quillet::test;

namespace {

std::int32_t Get32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return static_cast<std::int32_t>(value);
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// File offset of a segment (directory order) of a library written by our writer.
std::size_t Segment(const std::string& bytes, int index) {
  const std::size_t directory = 0x54 + 4 * static_cast<std::size_t>(Get32(bytes, 0x20));
  return static_cast<std::size_t>(Get32(bytes, directory + 16 * static_cast<std::size_t>(index)));
}

std::size_t TypeInfoRecord(const std::string& bytes, int type) { return Segment(bytes, 0) + 0x64 * static_cast<std::size_t>(type); }

std::size_t CountRecords(const SLibraryDesc& library) {
  std::size_t count = 0;
  for (const auto& type : library.types) {
    count += type.vars.size() + type.implTypes.size();
    for (const auto& func : type.funcs) count += 1 + func.params.size();
  }
  return count;
}

}  // namespace

TEST(TypeLibDamage, EveryTruncationAndManyMutationsReadCleanly) {
  const std::string whole = CMsftWriter::Write(RichLibrary());
  for (std::size_t length = 0; length < whole.size(); ++length) {
    const auto read = CMsftReader::Read(std::string_view(whole).substr(0, length));
    if (read) {
      EXPECT_LE(read->types.size(), 7u);
    }
  }
  // A fixed-seed stream of small corruptions, each on a fresh copy.
  std::uint32_t state = 12345;
  const auto next = [&state] { return state = state * 1664525u + 1013904223u, state >> 8; };
  for (int round = 0; round < 4000; ++round) {
    std::string bytes = whole;
    for (int k = 0; k < 1 + round % 4; ++k) {
      const std::size_t at = next() % bytes.size();
      bytes[at] = static_cast<char>(round % 3 == 0 ? 0xFF : next());
    }
    const auto library = CTypeLibrary::LoadBytes(bytes, nullptr);
    if (!library) continue;
    for (int i = 0; i < library->TypeInfoCount(); ++i)
      for (const auto& impl : library->TypeInfo(i)->implTypes) (void)library->ResolveRef(impl.ref);
  }
}

TEST(TypeLibDamage, CyclesAndHugeCountsStayBounded) {
  // Coclass Canvas (type 4): a reference list whose last link points back to its first, with
  // a declared count of 32767.
  std::string bytes = CMsftWriter::Write(RichLibrary());
  const std::size_t coclass = TypeInfoRecord(bytes, 4);
  bytes[coclass + 0x4C] = static_cast<char>(0xFF);
  bytes[coclass + 0x4D] = 0x7F;
  Put32(bytes, Segment(bytes, 3) + 2 * 16 + 12, static_cast<std::uint32_t>(Get32(bytes, coclass + 0x54)));
  // A pointer type description that points at itself.
  const std::size_t typeDescs = Segment(bytes, 9);
  Put32(bytes, typeDescs + 4, 0);
  // A type claiming 65535 functions and as many variables.
  Put32(bytes, TypeInfoRecord(bytes, 0) + 0x18, 0xFFFFFFFF);
  const auto read = CMsftReader::Read(bytes);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->types.size(), 7u);
  EXPECT_LE(read->types[4].implTypes.size(), 3u) << "no more links than the table holds";
  EXPECT_TRUE(read->types[0].vars.empty()) << "member tables beyond the file are not read";

  std::string huge = CMsftWriter::Write(RichLibrary());
  Put32(huge, 0x20, 0x7FFFFFFF);
  EXPECT_FALSE(CMsftReader::Read(huge)) << "the segment directory would lie beyond the file";
}

TEST(TypeLibDamage, SharedMemberBlocksCannotMultiplyBeyondTheFileSize) {
  SLibraryDesc library;
  STypeInfoDesc big;
  big.kind = ETypeKind::Dispatch;
  big.name = u"Big";
  for (int i = 0; i < 400; ++i) {
    SFuncDesc func;
    func.memberId = i;
    func.name = u"F";
    for (int p = 0; p < 8; ++p) func.params.push_back(SParamDesc{u"p", Simple(vt::kI4), flags::kParamIn, std::nullopt});
    big.funcs.push_back(func);
  }
  library.types.push_back(big);
  for (int i = 0; i < 300; ++i) library.types.push_back(STypeInfoDesc{});
  std::string bytes = CMsftWriter::Write(library);
  const std::int32_t block = Get32(bytes, TypeInfoRecord(bytes, 0) + 4);
  for (int i = 1; i <= 300; ++i) {
    Put32(bytes, TypeInfoRecord(bytes, i) + 4, static_cast<std::uint32_t>(block));
    Put32(bytes, TypeInfoRecord(bytes, i) + 0x18, 400);
  }
  const auto read = CMsftReader::Read(bytes);
  ASSERT_TRUE(read);
  EXPECT_GT(CountRecords(*read), 3600u) << "the honest type is read in full";
  EXPECT_LT(CountRecords(*read), 301u * 400 * 9 / 10) << "the copies stop once the budget is spent";
}

TEST(TypeLibDamage, PeDirectoriesOutOfRangeFailCleanly) {
  const std::string image = BuildPeWithTypeLib(CMsftWriter::Write(RichLibrary()), true);
  for (std::size_t at = 0; at < 0x200 + 104; ++at) {
    for (const std::uint8_t value : {0x00, 0x7F, 0xFF}) {
      std::string bytes = image;
      bytes[at] = static_cast<char>(value);
      const auto found = CPeResource::FindTypeLib(bytes);
      if (found) {
        EXPECT_LE(found->size(), bytes.size());
      }
    }
  }
  for (std::size_t length = 0; length < image.size(); length += 7)
    (void)CPeResource::FindTypeLib(std::string_view(image).substr(0, length));
}
