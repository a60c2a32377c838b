#include "engine/objects/wmi/PingStatusProvider.h"

#include <cmath>
#include <optional>
#include <vector>

#include "engine/objects/wmi/EchoRequest.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WbemValues.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

constexpr int32_t kProviderNotCapable = static_cast<int32_t>(0x80041024);

bool IsPropertyNamed(const SWqlOperand& operand, std::u16string_view property) {
  return operand.isProperty && wbem_text::SameName(operand.property, property);
}

void CollectEqualities(const SWqlCondition& where, std::u16string_view property, std::vector<CVariant>& out) {
  switch (where.kind) {
    case SWqlCondition::EKind::And:
    case SWqlCondition::EKind::Or:
      CollectEqualities(*where.left, property, out);
      CollectEqualities(*where.right, property, out);
      return;
    case SWqlCondition::EKind::Not: return;
    case SWqlCondition::EKind::Compare:
      if (where.op != EWqlOperator::Equal) return;
      if (IsPropertyNamed(where.first, property) && !where.second.isProperty) out.push_back(where.second.literal);
      if (IsPropertyNamed(where.second, property) && !where.first.isProperty) out.push_back(where.first.literal);
      return;
  }
}

// A number the query gives for a setting (Timeout = 500), when it gives a sensible one.
std::optional<uint32_t> NumberSetting(const SWqlCondition& where, std::u16string_view property) {
  for (const CVariant& literal : EqualityLiterals(where, property)) {
    // A number from a query, or the text of one from an object path's keys.
    double value = 0;
    if (literal.Type() == EVarType::Double) {
      value = literal.AsDouble();
    } else if (literal.IsString() && !literal.AsString().empty() &&
               literal.AsString().find_first_not_of(u"0123456789") == std::u16string_view::npos) {
      value = literal.ToDouble();
    } else {
      continue;
    }
    if (value >= 0 && value <= 4294967295.0 && std::floor(value) == value) return static_cast<uint32_t>(value);
  }
  return std::nullopt;
}

// The keys as the query asked for them, so that the instance passes the query's own condition.
void SetKeys(SWbemInstance& ping, const CVariant& address, const SWqlCondition& where) {
  ping.Set(u"Address", address);
  ping.Set(u"BufferSize", Uint32(NumberSetting(where, u"BufferSize").value_or(32)));
  ping.Set(u"Timeout", Uint32(NumberSetting(where, u"Timeout").value_or(1000)));
  ping.Set(u"NoFragmentation", CVariant::Boolean(false));
  ping.Set(u"ResolveAddressNames", CVariant::Boolean(false));
  ping.Set(u"SourceRoute", Text(u""));
  ping.Set(u"TimeToLive", Uint32(NumberSetting(where, u"TimeToLive").value_or(80)));
  for (const std::u16string_view zero : {u"RecordRoute", u"SourceRouteType", u"TimestampRoute", u"TypeofService"}) {
    ping.Set(zero, Uint32(NumberSetting(where, zero).value_or(0)));
  }
}

void SetReply(SWbemInstance& ping, const machine::SEchoReply& reply) {
  ping.Set(u"PrimaryAddressResolutionStatus", Uint32(reply.resolutionStatus));
  if (reply.resolutionStatus != 0) return;  // nothing was sent: the rest stays Null, as on Windows
  ping.Set(u"ProtocolAddress", Text(reply.protocolAddress));
  if (reply.status) ping.Set(u"StatusCode", Uint32(*reply.status));
  if (reply.responseTimeMs) ping.Set(u"ResponseTime", Uint32(*reply.responseTimeMs));
  if (reply.timeToLive) ping.Set(u"ResponseTimeToLive", Uint32(*reply.timeToLive));
  if (reply.replySize) ping.Set(u"ReplySize", Uint32(*reply.replySize));
  if (reply.status == machine::kEchoSuccess) ping.Set(u"ReplyInconsistency", CVariant::Boolean(false));
}

}  // namespace

std::vector<CVariant> EqualityLiterals(const SWqlCondition& where, std::u16string_view property) {
  std::vector<CVariant> literals;
  CollectEqualities(where, property, literals);
  return literals;
}

void CPingStatusProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) {
  std::vector<CVariant> addresses;
  if (where != nullptr) {
    for (CVariant& literal : EqualityLiterals(*where, u"Address")) {
      if (literal.IsString()) addresses.push_back(std::move(literal));
    }
  }
  if (addresses.empty()) {
    throw CScriptError(kProviderNotCapable, u"Provider is not capable of the attempted operation", u"SWbemServicesEx");
  }
  for (const CVariant& address : addresses) {
    machine::SEchoRequest request;
    request.address = platform::Utf16ToUtf8(address.AsString());
    // SendEchoRequest bounds both: a script cannot make the query wait for hours.
    request.timeoutMs = NumberSetting(*where, u"Timeout").value_or(1000);
    request.bufferSize = NumberSetting(*where, u"BufferSize").value_or(32);
    auto ping = std::make_shared<SWbemInstance>(cls);
    SetKeys(*ping, address, *where);
    SetReply(*ping, machine::SendEchoRequest(request));
    out.push_back(std::move(ping));
  }
}

}  // namespace quillet::engine
