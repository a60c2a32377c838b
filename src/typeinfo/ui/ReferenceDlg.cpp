#include "typeinfo/ui/ReferenceDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/ClassRegistry.h"
#include "typeinfo/ui/TypeLibraryDlg.h"

namespace quillet::typeinfo {

CReferenceDlg::CReferenceDlg(ReferenceMap references, std::shared_ptr<const platform::CClassRegistry> registry,
                             ITypeLibPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_references(std::move(references)), m_registry(std::move(registry)), m_prompts(prompts) {
  setWindowTitle(QStringLiteral("References"));
  m_list = new QTreeWidget(this);
  m_list->setObjectName(QStringLiteral("references"));
  m_list->setRootIsDecorated(false);
  m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_list->setHeaderLabels({QStringLiteral("Prog ID"), QStringLiteral("TypeLib path")});
  m_list->setColumnWidth(0, 120);
  m_list->setColumnWidth(1, 300);
  for (const auto& [progId, path] : m_references)
    AppendRow(QString::fromStdU16String(progId), QString::fromStdU16String(path));

  auto* add = new QPushButton(QStringLiteral("Add..."), this);
  m_modify = new QPushButton(QStringLiteral("Modify..."), this);
  m_delete = new QPushButton(QStringLiteral("Delete"), this);
  connect(add, &QPushButton::clicked, this, &CReferenceDlg::OnAdd);
  connect(m_modify, &QPushButton::clicked, this, &CReferenceDlg::OnModify);
  connect(m_delete, &QPushButton::clicked, this, &CReferenceDlg::OnDelete);
  connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CReferenceDlg::UpdateButtons);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CReferenceDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CReferenceDlg::reject);

  auto* side = new QVBoxLayout;
  side->addWidget(add);
  side->addWidget(m_modify);
  side->addWidget(m_delete);
  side->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(m_list, 1);
  top->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  resize(560, 320);
  m_editor = [this](const SReference& start) { return EditInDialog(start); };
  UpdateButtons();
}

void CReferenceDlg::AppendRow(const QString& progId, const QString& path) {
  auto* row = new QTreeWidgetItem(m_list);
  row->setText(0, progId);
  row->setText(1, path);
}

void CReferenceDlg::UpdateButtons() {
  const bool selected = !m_list->selectedItems().isEmpty();
  m_modify->setEnabled(selected);
  m_delete->setEnabled(selected);
}

std::optional<CReferenceDlg::SReference> CReferenceDlg::EditInDialog(const SReference& start) {
  CTypeLibraryDlg dialog(m_registry, m_prompts, this);
  dialog.SetProgId(start.progId);
  dialog.SetPath(start.path);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return SReference{dialog.ProgId(), dialog.Path()};
}

void CReferenceDlg::OnAdd() {
  if (const auto reference = m_editor(SReference{})) Store(*reference);
}

// Changing the ProgID adds a reference beside the old one rather than renaming it.
void CReferenceDlg::OnModify() {
  const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
  if (selected.isEmpty()) return;
  // The first selected row in list order, whatever order the user selected in.
  QTreeWidgetItem* first = nullptr;
  for (int i = 0; i < m_list->topLevelItemCount() && !first; ++i)
    if (m_list->topLevelItem(i)->isSelected()) first = m_list->topLevelItem(i);
  if (const auto reference = m_editor(SReference{first->text(0), first->text(1)})) Store(*reference);
}

void CReferenceDlg::OnDelete() {
  for (QTreeWidgetItem* row : m_list->selectedItems()) {
    m_references.erase(row->text(0).toStdU16String());
    delete row;
  }
  UpdateButtons();
}

// The map tells whether the ProgID is new, spelt exactly, and the row to change is the one
// spelt exactly: with "Foo" and "foo" both listed, a row matched ignoring case could show a
// path that the map (and so the store) does not hold.
void CReferenceDlg::Store(const SReference& reference) {
  const std::u16string progId = reference.progId.toStdU16String();
  const bool known = m_references.contains(progId);
  m_references[progId] = reference.path.toStdU16String();
  if (known) {
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
      QTreeWidgetItem* row = m_list->topLevelItem(i);
      if (row->text(0) != reference.progId) continue;
      row->setText(1, reference.path);
      return;
    }
  }
  AppendRow(reference.progId, reference.path);
}

}  // namespace quillet::typeinfo
