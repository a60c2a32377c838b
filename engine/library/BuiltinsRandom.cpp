// Rnd and Randomize with Windows' generator, so that a script seeded the same way draws the
// same numbers it draws there: a 24-bit linear congruential generator whose state lives in
// the running script's runtime state.

#include <array>
#include <cmath>
#include <cstring>
#include <ctime>

#include "engine/library/BuiltinSupport.h"
#include "engine/vm/RuntimeState.h"

namespace quillet::engine::builtin {

namespace {

constexpr uint32_t kStateMask = 0xFFFFFF;

[[nodiscard]] uint32_t NextState(uint32_t state) {
  return static_cast<uint32_t>((uint64_t{state} * 0x43FD43FD + 0xC39EC3) & kStateMask);
}

[[nodiscard]] float ValueOf(uint32_t state) { return static_cast<float>(state) / 16777216.0F; }

template <class To, class From>
[[nodiscard]] To BitsOf(From value) {
  static_assert(sizeof(To) == sizeof(From));
  To bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// A negative argument restarts the generator from the bits of its Single value, so that the
// same argument always draws the same number.
[[nodiscard]] uint32_t StateFromNegative(double x) {
  if (x < -3.402823466e38) throw CScriptError(err::Overflow);  // no Single holds it
  const uint32_t bits = BitsOf<uint32_t>(static_cast<float>(x));
  return (bits + (bits >> 24)) & kStateMask;
}

[[nodiscard]] double NumberArg(Args a, size_t i) {
  const CVariant v = Scalar(Arg(a, i));
  if (v.IsNull()) throw CScriptError(err::InvalidUseOfNull);
  return v.ToDouble();
}

// Rnd[(x)]: x > 0 or missing draws the next number, 0 repeats the last, x < 0 reseeds first.
CVariant FnRnd(Args a) {
  SRuntimeState& runtime = CurrentRuntime();
  if (Given(a, 0)) {
    const double x = NumberArg(a, 0);
    if (x == 0) return CVariant::Single(ValueOf(runtime.rndSeed));
    if (x < 0) runtime.rndSeed = StateFromNegative(x);
  }
  runtime.rndSeed = NextState(runtime.rndSeed);
  return CVariant::Single(ValueOf(runtime.rndSeed));
}

// Seconds since local midnight as the Single Timer returns.
[[nodiscard]] float TimerNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  localtime_r(&now.tv_sec, &local);
  const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
                         static_cast<double>(now.tv_nsec / 10000000) / 100.0;
  return static_cast<float>(seconds);
}

// Randomize [n]: mixes the high 32 bits of n as a Double (without n, the bits of Timer as a
// Single) into the middle 16 bits of the state; the low and high bytes stay, which is why
// Randomize n repeats a sequence only after Rnd with a negative argument.
CVariant FnRandomize(Args a) {
  const uint32_t high = Given(a, 0) ? static_cast<uint32_t>(BitsOf<uint64_t>(NumberArg(a, 0)) >> 32)
                                    : BitsOf<uint32_t>(TimerNow());
  const uint32_t mixed = (high ^ (high >> 16)) & 0xFFFF;
  SRuntimeState& runtime = CurrentRuntime();
  runtime.rndSeed = ((runtime.rndSeed & 0xFF0000FF) | (mixed << 8)) & kStateMask;
  return {};
}

constexpr std::array kRandom{
    SBuiltin{u"randomize", 0, 1, FnRandomize},
    SBuiltin{u"rnd", 0, 1, FnRnd},
};

}  // namespace

std::span<const SBuiltin> RandomLibrary() { return kRandom; }

}  // namespace quillet::engine::builtin
