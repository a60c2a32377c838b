#pragma once
// The sample scripts described by "samples.xml": a root "samples" holding "vb" elements (a
// sample: attributes "name" and "n", the script as text) and "dd" elements (a folder: attribute
// "name", holding more of both). Read with Qt's stream reader; the whole file is taken or none
// of it, so a damaged file leaves the menu as it was.

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QMenu;

namespace quillet::snippets {

class CSamplesCatalog {
 public:
  struct SSample {
    QString name;
    int number = 0;
  };
  struct SFolder {
    QString name;
    std::vector<SSample> samples;
    std::vector<std::unique_ptr<SFolder>> folders;
  };

  // None when the file is missing, is not well-formed XML or has no root "samples".
  [[nodiscard]] static std::optional<CSamplesCatalog> Load(const QString& path);
  [[nodiscard]] static std::optional<CSamplesCatalog> Parse(const QByteArray& xml);

  [[nodiscard]] const SFolder& Root() const { return *m_root; }
  // The script of the first sample with that number, as the XML holds it.
  [[nodiscard]] std::optional<QString> ScriptText(int number) const;
  [[nodiscard]] size_t SampleCount() const { return m_scripts.size(); }

  // Appends the tree to menu: a folder's samples (command ID_SAMPLE_FIRST + number, in document
  // order) before its sub-folders; open gets the number of the sample picked.
  void FillMenu(QMenu* menu, const std::function<void(int)>& open) const;

 private:
  CSamplesCatalog() : m_root(std::make_unique<SFolder>()) {}
  std::unique_ptr<SFolder> m_root;
  std::map<int, QString> m_scripts;
};

}  // namespace quillet::snippets
