#include "typeinfo/ui/TypeLibraryDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ClassRegistry.h"
#include "typeinfo/ProgIdResolver.h"
#include "typeinfo/ui/TypeLibPrompts.h"

namespace quillet::typeinfo {

namespace {

// Longer defaults are not read, as the registry call's buffer would not hold them.
constexpr std::size_t kMaxClsidRead = 128;

}  // namespace

CTypeLibraryDlg::CTypeLibraryDlg(std::shared_ptr<const platform::CClassRegistry> registry, ITypeLibPrompts& prompts,
                                 QWidget* parent)
    : QDialog(parent), m_registry(std::move(registry)), m_prompts(prompts) {
  setWindowTitle(QStringLiteral("Add a type library reference"));
  m_progId = new QComboBox(this);
  m_progId->setObjectName(QStringLiteral("progId"));
  m_progId->setEditable(true);
  m_progId->setInsertPolicy(QComboBox::NoInsert);
  m_path = new QLineEdit(this);
  m_path->setObjectName(QStringLiteral("path"));
  auto* browse = new QPushButton(QStringLiteral("..."), this);
  browse->setObjectName(QStringLiteral("browse"));
  connect(browse, &QPushButton::clicked, this, &CTypeLibraryDlg::OnBrowse);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(m_path, 1);
  pathRow->addWidget(browse);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Prog ID :"), m_progId);
  form->addRow(QStringLiteral("TypeLib path:"), pathRow);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CTypeLibraryDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CTypeLibraryDlg::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(420, sizeHint().height());
  FillProgIds();
  m_progId->setEditText(QString());
}

// Every name at the root that has a class is a ProgID; with a large prefix this takes a moment.
void CTypeLibraryDlg::FillProgIds() {
  if (!m_registry) return;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  QStringList progIds;
  for (const std::u16string& name : m_registry->SubkeyNames(u"")) {
    if (name.size() <= kMaxClsidRead && m_registry->KeyExists(name + u"\\CLSID"))
      progIds.push_back(QString::fromStdU16String(name));
  }
  m_progId->addItems(progIds);
  QGuiApplication::restoreOverrideCursor();
}

void CTypeLibraryDlg::SetProgId(const QString& progId) { m_progId->setEditText(progId); }
void CTypeLibraryDlg::SetPath(const QString& path) { m_path->setText(path); }
QString CTypeLibraryDlg::ProgId() const { return m_progId->currentText(); }
QString CTypeLibraryDlg::Path() const { return m_path->text(); }

void CTypeLibraryDlg::OnBrowse() {
  if (const auto path = m_prompts.AskTypeLibPath(this, m_path->text())) m_path->setText(*path);
}

// The reference is kept even when the library does not declare the class: the user may know
// better (a library registered under another name), and is only warned.
void CTypeLibraryDlg::accept() {
  const std::u16string subkey = ProgId().toStdU16String() + u"\\CLSID";
  const QString keyText = QStringLiteral("HKEY_CLASSES_ROOT\\") + QString::fromStdU16String(subkey);
  if (!m_registry || !m_registry->KeyExists(subkey)) {
    m_prompts.ShowMessage(this, QStringLiteral("Unable to open this registry key : ") + keyText);
    return;
  }
  const auto clsid = m_registry->ReadDefaultString(subkey);
  if (!clsid || clsid->size() > kMaxClsidRead) {
    m_prompts.ShowMessage(this, QStringLiteral("Unable to read this registry key : ") + keyText);
    return;
  }
  if (!LibraryHasCoClass(*clsid, Path().toStdU16String()))
    m_prompts.ShowWarning(this, QStringLiteral("Unable to find this object in this library"));
  QDialog::accept();
}

}  // namespace quillet::typeinfo
