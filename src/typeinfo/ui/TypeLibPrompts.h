#pragma once
// What the reference dialogs ask the user: a type library file and their three messages. The
// program shows Qt dialogs; tests answer in code.

#include <QString>

#include <optional>

class QWidget;

namespace quillet::typeinfo {

class ITypeLibPrompts {
 public:
  virtual ~ITypeLibPrompts() = default;
  virtual std::optional<QString> AskTypeLibPath(QWidget* parent, const QString& current) = 0;
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  virtual void ShowWarning(QWidget* parent, const QString& text) = 0;
};

// The file picker's filter: type library files first, then everything.
inline constexpr char kTypeLibFileFilter[] = "TypeLib Files (*.tlb *.olb *.dll *.ocx *.exe);;All files (*)";

class CTypeLibDialogPrompts final : public ITypeLibPrompts {
 public:
  std::optional<QString> AskTypeLibPath(QWidget* parent, const QString& current) override;
  void ShowMessage(QWidget* parent, const QString& text) override;
  void ShowWarning(QWidget* parent, const QString& text) override;
};

}  // namespace quillet::typeinfo
