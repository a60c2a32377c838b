#pragma once
// The base of everything a script holds in an Object variant: script class instances, the
// host's objects, Err, enumerators. Members are reached by name, as late binding does it.

#include <span>
#include <string>
#include <string_view>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

enum class EInvokeKind {
  Get,   // property read or function call whose result is used
  Call,  // statement call; the result is dropped
  Let,   // property assignment; the value is the last argument
  Set,   // object assignment; the value is the last argument
};

class CEnumerator;

class CDispatchObject {
 public:
  CDispatchObject() = default;
  CDispatchObject(const CDispatchObject&) = delete;
  CDispatchObject& operator=(const CDispatchObject&) = delete;
  virtual ~CDispatchObject() = default;

  void AddRef() noexcept { ++m_refs; }
  void Release() noexcept;

  [[nodiscard]] virtual std::u16string TypeName() const = 0;
  // An empty name is the default member. Arguments may be references (ByRef passing); an
  // implementation that keeps one must copy the value it points to.
  virtual CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) = 0;
  // For Each; null when the object is not a collection.
  [[nodiscard]] virtual CEnumerator* NewEnum() { return nullptr; }

 protected:
  // Runs once the last reference is gone, before deletion; script code may run here.
  virtual void OnLastRelease() noexcept {}

 private:
  long m_refs = 0;
};

class CEnumerator : public CDispatchObject {
 public:
  [[nodiscard]] std::u16string TypeName() const override { return u"Object"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;
  // False when the collection is exhausted.
  virtual bool Next(CVariant& value) = 0;
};

// Throws 438 naming nothing: the common answer of an object to a member it lacks.
[[noreturn]] void ThrowNoSuchMember();

}  // namespace quillet::engine
