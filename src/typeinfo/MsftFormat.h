#pragma once
// Layout constants of the MSFT type library format shared by the reader and the writer.

#include <cstdint>

namespace quillet::typeinfo::msft {

inline constexpr std::uint32_t kMagic = 0x5446534D;  // "MSFT"
inline constexpr std::uint32_t kVersion = 0x00010002;
inline constexpr int kHeaderSize = 0x54;
inline constexpr std::uint32_t kHelpDllFlag = 0x100;
inline constexpr int kTypeInfoSize = 0x64;
inline constexpr int kSegmentCount = 15;
inline constexpr int kSegmentEntrySize = 16;
inline constexpr int kImpInfoSize = 12;
inline constexpr int kRefRecordSize = 16;
inline constexpr int kGuidEntrySize = 24;
inline constexpr int kNameIntroSize = 12;
inline constexpr int kParamRecordSize = 12;
inline constexpr int kFuncFixedSize = 0x18;
inline constexpr int kVarFixedSize = 0x14;
inline constexpr std::uint32_t kImpInfoOffsetIsGuid = 0x00010000;
inline constexpr std::int32_t kFuncHasDefaults = 0x1000;
inline constexpr char kPad = 0x57;

// Segment directory order.
enum class ESegment : int {
  TypeInfo = 0, ImpInfo, ImpFiles, RefTab, GuidHash, Guid, NameHash, Name, String, TypeDesc,
  ArrayDesc, CustData, CustDataGuid, Reserved0E, Reserved0F
};

// Integer variant types small enough to be packed into the 26 value bits of an encoded value.
[[nodiscard]] constexpr bool IsPackableType(std::uint16_t type) {
  switch (type) {
    case 2: case 3: case 10: case 11: case 16: case 17: case 18: case 19: case 22: case 23:
      return true;
    default:
      return false;
  }
}

}  // namespace quillet::typeinfo::msft
