#include "engine/host/ArgumentsObject.h"

#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine::host {

namespace {

bool Is(std::u16string_view name, std::u16string_view word) { return platform::EqualsIgnoringAsciiCase(name, word); }

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

}  // namespace

CArgumentsObject::CArgumentsObject(std::vector<std::u16string> arguments, EView view)
    : m_all(std::move(arguments)), m_view(view) {
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

CVariant CArgumentsObject::Item(std::span<CVariant> args) {
  if (args.size() != 1) throw CScriptError(err::WrongArgCount);
  const CVariant& key = args[0].Deref();
  if (m_view == EView::Named && key.IsString()) {
    const int at = FindNamed(key.AsString());
    if (at < 0) return {};
    return CVariant::String(m_namedValues[static_cast<size_t>(at)]);
  }
  const int32_t index = key.ToLong();
  if (index < 0 || static_cast<size_t>(index) >= m_items.size()) throw CScriptError(err::SubscriptRange);
  return CVariant::String(m_items[static_cast<size_t>(index)]);
}

CVariant CArgumentsObject::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  if (kind == EInvokeKind::Let || kind == EInvokeKind::Set) throw CScriptError(err::IllegalAssignment);
  if (name.empty() || Is(name, u"item")) return Item(args);
  if (Is(name, u"count") || Is(name, u"length")) return CVariant::Long(static_cast<int32_t>(m_items.size()));
  if (Is(name, u"exists") && m_view == EView::Named) {
    if (args.size() != 1) throw CScriptError(err::WrongArgCount);
    return CVariant::Boolean(FindNamed(args[0].Deref().ToString()) >= 0);
  }
  if (m_view == EView::All && (Is(name, u"named") || Is(name, u"unnamed"))) {
    auto* view = new CArgumentsObject(m_all, Is(name, u"named") ? EView::Named : EView::Unnamed);
    CVariant holder = CVariant::Object(view);
    // WScript.Arguments.Named("x") applies the argument to the view's default member.
    return args.empty() ? holder : view->Invoke(u"", EInvokeKind::Get, args);
  }
  if (m_view == EView::All && Is(name, u"showusage")) return {};
  ThrowNoSuchMember();
}

CEnumerator* CArgumentsObject::NewEnum() { return new CListEnumerator(m_items); }

}  // namespace quillet::engine::host
