#include "engine/host/ArgumentsObject.h"

#include "engine/host/HostClasses.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine::host {

namespace {

class CListEnumerator : public CEnumerator {
 public:
  explicit CListEnumerator(std::vector<std::u16string> items) : m_items(std::move(items)) {}
  bool Next(CVariant& value) override {
    if (m_next >= m_items.size()) return false;
    value = CVariant::String(m_items[m_next++]);
    return true;
  }

 private:
  std::vector<std::u16string> m_items;
  size_t m_next = 0;
};

// "/name:value" or "/name"; false for anything else.
bool SplitNamed(const std::u16string& arg, std::u16string& name, std::u16string& value) {
  if (arg.size() < 2 || arg[0] != u'/') return false;
  const size_t colon = arg.find(u':');
  name = arg.substr(1, colon == std::u16string::npos ? std::u16string::npos : colon - 1);
  value = colon == std::u16string::npos ? std::u16string() : arg.substr(colon + 1);
  return !name.empty();
}

const CDispatchTable& TableOf(CArgumentsObject::EView view) {
  switch (view) {
    case CArgumentsObject::EView::Named: return DispatchTableOf<kNamedArgumentsClass>();
    case CArgumentsObject::EView::Unnamed: return DispatchTableOf<kUnnamedArgumentsClass>();
    case CArgumentsObject::EView::All: break;
  }
  return DispatchTableOf<kArgumentsClass>();
}

}  // namespace

CArgumentsObject::CArgumentsObject(std::vector<std::u16string> arguments, EView view)
    : CAutomationObject(TableOf(view)), m_all(std::move(arguments)), m_view(view) {
  for (const auto& arg : m_all) {
    std::u16string name, value;
    const bool named = SplitNamed(arg, name, value);
    if (view == EView::All || (view == EView::Unnamed && !named)) m_items.push_back(arg);
    if (view == EView::Named && named) {
      m_items.push_back(name);
      m_namedValues.push_back(value);
    }
  }
}

int CArgumentsObject::FindNamed(std::u16string_view key) const {
  for (size_t i = 0; i < m_items.size(); ++i) {
    if (platform::EqualsIgnoringAsciiCase(m_items[i], key)) return static_cast<int>(i);
  }
  return -1;
}

CVariant CArgumentsObject::Item(const CVariant& keyArg) {
  const CVariant& key = keyArg.Deref();
  if (m_view == EView::Named && key.IsString()) {
    const int at = FindNamed(key.AsString());
    if (at < 0) return {};
    return CVariant::String(m_namedValues[static_cast<size_t>(at)]);
  }
  const int32_t index = key.ToLong();
  if (index < 0 || static_cast<size_t>(index) >= m_items.size()) throw CScriptError(err::SubscriptRange);
  return CVariant::String(m_items[static_cast<size_t>(index)]);
}

CVariant CArgumentsObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = arguments_id;
  switch (member.dispId) {
    case id::Item: return Item(args[0]);
    case id::Count:
    case id::Length: return CVariant::Long(static_cast<int32_t>(m_items.size()));
    case id::Exists: return CVariant::Boolean(FindNamed(args[0].Deref().ToString()) >= 0);
    case id::Named: return CVariant::Object(new CArgumentsObject(m_all, EView::Named));
    case id::Unnamed: return CVariant::Object(new CArgumentsObject(m_all, EView::Unnamed));
    case id::ShowUsage: return {};
    default: ThrowNoSuchMember();
  }
}

CEnumerator* CArgumentsObject::NewEnum() { return new CListEnumerator(m_items); }

}  // namespace quillet::engine::host
