#pragma once
// The management service's error numbers as scripts see them in Err.Number (its HRESULTs), and
// the errors its objects raise.

#include <cstdint>
#include <string_view>

namespace quillet::engine::wbem_error {

inline constexpr int32_t kFailed = static_cast<int32_t>(0x80041001);
inline constexpr int32_t kNotFound = static_cast<int32_t>(0x80041002);
inline constexpr int32_t kInvalidParameter = static_cast<int32_t>(0x80041008);
inline constexpr int32_t kNotAvailable = static_cast<int32_t>(0x80041009);
inline constexpr int32_t kNotSupported = static_cast<int32_t>(0x8004100C);
inline constexpr int32_t kInvalidNamespace = static_cast<int32_t>(0x8004100E);
inline constexpr int32_t kInvalidClass = static_cast<int32_t>(0x80041010);
inline constexpr int32_t kInvalidOperation = static_cast<int32_t>(0x80041016);
inline constexpr int32_t kProviderNotCapable = static_cast<int32_t>(0x80041024);
inline constexpr int32_t kInvalidQuery = static_cast<int32_t>(0x80041017);
inline constexpr int32_t kInvalidMethod = static_cast<int32_t>(0x8004102E);
inline constexpr int32_t kInvalidObjectPath = static_cast<int32_t>(0x8004103A);
inline constexpr int32_t kInvalidSyntax = static_cast<int32_t>(0x80041021);
inline constexpr int32_t kNotEventClass = static_cast<int32_t>(0x80041059);
// An event query on a class no event provider serves, without WITHIN to poll it.
inline constexpr int32_t kWithinMissing = static_cast<int32_t>(0x80042002);
// NextEvent's wait ended with nothing to deliver.
inline constexpr int32_t kTimedOut = static_cast<int32_t>(0x80043001);
// The RPC server is unavailable: what a remote computer gives, since there is no transport.
inline constexpr int32_t kServerUnavailable = static_cast<int32_t>(0x800706BA);

// Raises the error with the text Windows gives for the number, from the object scripts see as
// the source (SWbemServicesEx, SWbemObjectEx, ...).
[[noreturn]] void Raise(int32_t number, std::u16string_view source);
// A member of the library that this system does not provide.
[[noreturn]] void RaiseNotAvailable(std::u16string_view source, std::u16string_view memberName);

}  // namespace quillet::engine::wbem_error
