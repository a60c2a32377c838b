#pragma once
// "Add a type library reference": a ProgID (typed, or picked from those the class registry
// knows) and the type library file that describes its class.

#include <QDialog>

#include <memory>

class QComboBox;
class QLineEdit;

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

class ITypeLibPrompts;

class CTypeLibraryDlg : public QDialog {
  Q_OBJECT

 public:
  CTypeLibraryDlg(std::shared_ptr<const platform::CClassRegistry> registry, ITypeLibPrompts& prompts,
                  QWidget* parent = nullptr);

  void SetProgId(const QString& progId);
  void SetPath(const QString& path);
  [[nodiscard]] QString ProgId() const;
  [[nodiscard]] QString Path() const;
  [[nodiscard]] QComboBox* ProgIdBox() const { return m_progId; }
  [[nodiscard]] QLineEdit* PathBox() const { return m_path; }

  void OnBrowse();
  void accept() override;

 private:
  void FillProgIds();

  std::shared_ptr<const platform::CClassRegistry> m_registry;
  ITypeLibPrompts& m_prompts;
  QComboBox* m_progId = nullptr;
  QLineEdit* m_path = nullptr;
};

}  // namespace quillet::typeinfo
