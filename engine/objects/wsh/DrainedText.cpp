#include "engine/objects/wsh/DrainedText.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/TextConvert.h"

namespace quillet::engine::wsh {

namespace {

constexpr size_t kNone = std::u16string::npos;
constexpr size_t kMinimumCapacity = size_t{1} << 16;
constexpr size_t kGrowFast = size_t{1} << 27;
constexpr size_t kCompactAfter = size_t{1} << 16;
constexpr uintptr_t kHugePage = uintptr_t{2} << 20;

// A large buffer filled once from end to end faults in a page at a time; asking for huge pages
// turns the fifty thousand faults of a 200 MB text into about a hundred. Only a hint: where the
// system has none, nothing changes.
void AdviseHugePages(void* data, size_t size) {
  const auto begin = (reinterpret_cast<uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
  const auto end = (reinterpret_cast<uintptr_t>(data) + size) & ~(kHugePage - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

std::u16string Decode(std::string_view bytes) {
  bool ascii = true;
  for (const char c : bytes) ascii &= static_cast<unsigned char>(c) < 0x80;
  if (!ascii) return platform::Utf8ToUtf16(bytes);
  return std::u16string(bytes.begin(), bytes.end());
}

void CountBreaks(CDrainedText::STaken& taken) {
  taken.lineBreaks = static_cast<size_t>(std::count(taken.text.begin(), taken.text.end(), u'\n'));
  taken.lastBreak = taken.lineBreaks > 0 ? taken.text.rfind(u'\n') : kNone;
}

// Widens the ASCII bytes at the front into `out`, counting line feeds; returns how many there were.
size_t WidenAscii(const char* bytes, size_t size, char16_t* out, size_t& lineFeeds) {
  size_t i = 0;
#ifdef __SSE2__
  // Line feeds are counted per byte lane, and the lanes summed before any can pass 255.
  const __m128i zero = _mm_setzero_si128();
  const __m128i lineFeed = _mm_set1_epi8('\n');
  bool other = false;
  while (!other && i + 16 <= size) {
    __m128i lanes = zero;
    for (int round = 0; round < 255 && i + 16 <= size; ++round, i += 16) {
      const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
      if (_mm_movemask_epi8(block) != 0) {
        other = true;
        break;
      }
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(block, lineFeed));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(block, zero));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(block, zero));
    }
    const __m128i sums = _mm_sad_epu8(lanes, zero);
    lineFeeds += static_cast<size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
  }
#endif
  for (; i < size; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x80) break;
    out[i] = c;
    lineFeeds += c == '\n' ? 1 : 0;
  }
  return i;
}

}  // namespace

void CDrainedText::Append(const char* bytes, size_t size) {
  if (m_ascii) {
    const size_t widened = AppendAscii(bytes, size);
    if (widened == size) return;
    TurnToBytes();
    bytes += widened;
    size -= widened;
  }
  m_bytes.append(bytes, size);
}

size_t CDrainedText::AppendAscii(const char* bytes, size_t size) {
  ReserveWide(size);
  const size_t old = m_wide.size();
  m_wide.resize(old + size);
  size_t lineFeeds = 0;
  const size_t widened = WidenAscii(bytes, size, m_wide.data() + old, lineFeeds);
  m_wide.resize(old + widened);
  if (lineFeeds > 0) {
    m_wideBreaks += lineFeeds;
    const void* last = ::memrchr(bytes, '\n', widened);
    m_wideLastBreak = old + static_cast<size_t>(static_cast<const char*>(last) - bytes);
  }
  return widened;
}

// Grows into a new string that leaves out what was taken. Each growth copies the text into
// fresh memory, which costs far more than address space that is never touched: eightfold up
// to 128 M characters, then doubling, keeps the copies to a small part of a long output.
void CDrainedText::ReserveWide(size_t more) {
  if (m_wide.size() + more <= m_wide.capacity()) return;
  const size_t kept = m_wide.size() - m_start;
  const size_t factor = kept < kGrowFast ? 8 : 2;
  std::u16string grown;
  try {
    grown.reserve(std::max({kept + more, factor * kept, kMinimumCapacity}));
  } catch (const std::bad_alloc&) {
    // A system that will not promise the room ahead may still have what is needed now.
    grown.reserve(std::max(kept + more, kept + kept / 2));
  }
  AdviseHugePages(grown.data(), grown.capacity() * sizeof(char16_t));
  grown.append(m_wide, m_start);
  if (m_wideLastBreak != kNone) m_wideLastBreak -= m_start;
  m_start = 0;
  m_wide.swap(grown);
}

void CDrainedText::TurnToBytes() {
  m_bytes.reserve(m_wide.size() - m_start);
  for (size_t i = m_start; i < m_wide.size(); ++i) m_bytes.push_back(static_cast<char>(m_wide[i]));
  std::u16string().swap(m_wide);
  m_start = 0;
  m_wideBreaks = 0;
  m_wideLastBreak = kNone;
  m_ascii = false;
}

unsigned char CDrainedText::At(size_t offset) const {
  return m_ascii ? static_cast<unsigned char>(m_wide[m_start + offset])
                 : static_cast<unsigned char>(m_bytes[m_start + offset]);
}

size_t CDrainedText::FindLineFeed(size_t from) const {
  const size_t found = m_ascii ? m_wide.find(u'\n', m_start + from) : m_bytes.find('\n', m_start + from);
  return found == kNone ? kNone : found - m_start;
}

CDrainedText::STaken CDrainedText::Take(size_t count) {
  count = std::min(count, Size());
  return m_ascii ? TakeWide(count) : TakeBytes(count);
}

CDrainedText::STaken CDrainedText::TakeWide(size_t count) {
  STaken taken;
  if (m_start == 0 && count == m_wide.size()) {
    taken.text.swap(m_wide);
    taken.lineBreaks = std::exchange(m_wideBreaks, 0);
    taken.lastBreak = std::exchange(m_wideLastBreak, kNone);
    return taken;
  }
  taken.text.assign(m_wide, m_start, count);
  CountBreaks(taken);
  m_wideBreaks -= taken.lineBreaks;
  m_start += count;
  if (m_wideLastBreak != kNone && m_wideLastBreak < m_start) m_wideLastBreak = kNone;
  if (m_start == m_wide.size()) {
    m_wide.clear();
    m_start = 0;
  } else if (m_start > kCompactAfter && m_start > m_wide.size() / 2) {
    m_wide.erase(0, m_start);
    if (m_wideLastBreak != kNone) m_wideLastBreak -= m_start;
    m_start = 0;
  }
  return taken;
}

CDrainedText::STaken CDrainedText::TakeBytes(size_t count) {
  STaken taken;
  taken.text = Decode(std::string_view(m_bytes).substr(m_start, count));
  CountBreaks(taken);
  m_start += count;
  if (m_start == m_bytes.size()) {
    m_bytes.clear();
    m_start = 0;
  } else if (m_start > kCompactAfter && m_start > m_bytes.size() / 2) {
    m_bytes.erase(0, m_start);
    m_start = 0;
  }
  return taken;
}

}  // namespace quillet::engine::wsh
