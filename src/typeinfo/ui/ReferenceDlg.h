#pragma once
// "References": the user's ProgID -> type library references, edited as a working copy that
// the caller writes back only when the dialog ends with OK.

#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QPushButton;
class QTreeWidget;

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

class ITypeLibPrompts;

class CReferenceDlg : public QDialog {
  Q_OBJECT

 public:
  using ReferenceMap = std::map<std::u16string, std::u16string>;
  struct SReference {
    QString progId;
    QString path;
  };
  // Asks for a reference, starting from the given one; nothing when the user cancels.
  using ReferenceEditor = std::function<std::optional<SReference>(const SReference&)>;

  CReferenceDlg(ReferenceMap references, std::shared_ptr<const platform::CClassRegistry> registry,
                ITypeLibPrompts& prompts, QWidget* parent = nullptr);

  [[nodiscard]] const ReferenceMap& References() const { return m_references; }
  [[nodiscard]] QTreeWidget* List() const { return m_list; }
  // Tests answer "Add a type library reference" here instead of in the dialog.
  void SetReferenceEditor(ReferenceEditor editor) { m_editor = std::move(editor); }

  void OnAdd();
  void OnModify();
  void OnDelete();

 private:
  void Store(const SReference& reference);
  void AppendRow(const QString& progId, const QString& path);
  void UpdateButtons();
  [[nodiscard]] std::optional<SReference> EditInDialog(const SReference& start);

  ReferenceMap m_references;
  std::shared_ptr<const platform::CClassRegistry> m_registry;
  ITypeLibPrompts& m_prompts;
  ReferenceEditor m_editor;
  QTreeWidget* m_list = nullptr;
  QPushButton* m_modify = nullptr;
  QPushButton* m_delete = nullptr;
};

}  // namespace quillet::typeinfo
