#include "snippets/ui/SamplesCatalog.h"

#include <QFile>
#include <QMenu>
#include <QXmlStreamReader>

#include "base/CommandIds.h"
#include "snippets/SnippetText.h"

namespace quillet::snippets {
namespace {

constexpr int kLastSampleNumber = app::ID_SAMPLE_LAST - app::ID_SAMPLE_FIRST;
// As for the snippet library: no one nests samples this deep, and a bound keeps recursion safe.
constexpr int kMaxFolderDepth = 100;

class CSamplesReader {
 public:
  CSamplesReader(QXmlStreamReader& xml, std::map<int, QString>& scripts)
      : m_xml(xml), m_scripts(scripts) {}

  // Reads the children of the element just started, up to its end.
  bool ReadFolder(CSamplesCatalog::SFolder& folder, int depth) {
    while (m_xml.readNextStartElement()) {
      if (m_xml.name() == u"vb") {
        if (!ReadSample(folder)) return false;
      } else if (m_xml.name() == u"dd") {
        if (depth >= kMaxFolderDepth) return false;
        auto child = std::make_unique<CSamplesCatalog::SFolder>();
        child->name = m_xml.attributes().value(QStringLiteral("name")).toString();
        if (!ReadFolder(*child, depth + 1)) return false;
        folder.folders.push_back(std::move(child));
      } else {
        m_xml.skipCurrentElement();
      }
    }
    return !m_xml.hasError();
  }

 private:
  bool ReadSample(CSamplesCatalog::SFolder& folder) {
    bool isNumber = false;
    const int number = m_xml.attributes().value(QStringLiteral("n")).toInt(&isNumber);
    const QString name = m_xml.attributes().value(QStringLiteral("name")).toString();
    const QString script = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
    if (m_xml.hasError()) return false;
    // A number outside the command range would open another sample or none: such an entry is
    // left out of the menu.
    if (!isNumber || number < 0 || number > kLastSampleNumber) return true;
    folder.samples.push_back({name, number});
    m_scripts.try_emplace(number, script);
    return true;
  }

  QXmlStreamReader& m_xml;
  std::map<int, QString>& m_scripts;
};

void FillFolder(QMenu* menu, const CSamplesCatalog::SFolder& folder,
                const std::function<void(int)>& open) {
  for (const auto& sample : folder.samples) {
    QAction* action = menu->addAction(
        QString::fromStdU16String(SampleMenuText(sample.name.toStdU16String())));
    action->setData(app::ID_SAMPLE_FIRST + sample.number);
    QObject::connect(action, &QAction::triggered, menu, [open, number = sample.number] { open(number); });
  }
  for (const auto& child : folder.folders) FillFolder(menu->addMenu(child->name), *child, open);
}

}  // namespace

std::optional<CSamplesCatalog> CSamplesCatalog::Load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return Parse(file.readAll());
}

std::optional<CSamplesCatalog> CSamplesCatalog::Parse(const QByteArray& xml) {
  CSamplesCatalog catalog;
  QXmlStreamReader reader(xml);
  if (!reader.readNextStartElement() || reader.name() != u"samples") return std::nullopt;
  if (!CSamplesReader(reader, catalog.m_scripts).ReadFolder(*catalog.m_root, 0)) return std::nullopt;
  // Nothing but comments and blanks may follow the root.
  while (!reader.atEnd()) reader.readNext();
  if (reader.hasError()) return std::nullopt;
  return catalog;
}

std::optional<QString> CSamplesCatalog::ScriptText(int number) const {
  const auto found = m_scripts.find(number);
  if (found == m_scripts.end()) return std::nullopt;
  return found->second;
}

void CSamplesCatalog::FillMenu(QMenu* menu, const std::function<void(int)>& open) const {
  FillFolder(menu, *m_root, open);
}

}  // namespace quillet::snippets
