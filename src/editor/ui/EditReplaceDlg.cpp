#include "editor/ui/EditReplaceDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillet::editor {
namespace {

QString ToQ(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string FromQ(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

void Fill(QComboBox* box, const std::vector<std::u16string>& entries, const std::u16string& current) {
  box->clear();
  for (const std::u16string& entry : entries) box->addItem(ToQ(entry));
  box->setEditText(ToQ(current));
}

}  // namespace

CEditReplaceDlg::CEditReplaceDlg(EKind kind, CEditorCore& view, app::CSettings* settings,
                                 MessageSink showMessage, QWidget* parent)
    : QDialog(parent), m_session(view, settings), m_showMessage(std::move(showMessage)) {
  setWindowTitle(kind == EKind::Find ? QStringLiteral("Find") : QStringLiteral("Replace"));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  BuildControls();
  m_session.Open();
  ShowSession();
}

CEditReplaceDlg::~CEditReplaceDlg() {
  if (!m_closed) m_session.Close();
}

void CEditReplaceDlg::BuildControls() {
  auto* grid = new QGridLayout(this);
  m_find = new QComboBox(this);
  m_replace = new QComboBox(this);
  for (QComboBox* box : {m_find, m_replace}) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(24);
  }
  auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
  findLabel->setBuddy(m_find);
  auto* replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
  replaceLabel->setBuddy(m_replace);
  grid->addWidget(findLabel, 0, 0);
  grid->addWidget(m_find, 0, 1);
  grid->addWidget(replaceLabel, 1, 0);
  grid->addWidget(m_replace, 1, 1);
  m_wholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
  m_matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
  m_searchUp = new QCheckBox(QStringLiteral("Search up"), this);
  grid->addWidget(m_wholeWord, 2, 0, 1, 2);
  grid->addWidget(m_matchCase, 3, 0, 1, 2);
  grid->addWidget(m_searchUp, 4, 0, 1, 2);
  auto* scope = new QGroupBox(this);
  auto* scopeLayout = new QVBoxLayout(scope);
  m_selection = new QRadioButton(QStringLiteral("&Selection"), scope);
  m_wholeDocument = new QRadioButton(QStringLiteral("Wh&ole document"), scope);
  scopeLayout->addWidget(m_selection);
  scopeLayout->addWidget(m_wholeDocument);
  grid->addWidget(scope, 5, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  m_findNext = new QPushButton(QStringLiteral("&Find Next"), this);
  m_replaceButton = new QPushButton(QStringLiteral("&Replace"), this);
  m_replaceAll = new QPushButton(QStringLiteral("Replace &All"), this);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  m_findNext->setDefault(true);
  for (QPushButton* button : {m_findNext, m_replaceButton, m_replaceAll, close}) buttons->addWidget(button);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 6, 1);
  connect(m_findNext, &QPushButton::clicked, this, &CEditReplaceDlg::OnFindNext);
  connect(m_replaceButton, &QPushButton::clicked, this, &CEditReplaceDlg::OnReplace);
  connect(m_replaceAll, &QPushButton::clicked, this, &CEditReplaceDlg::OnReplaceAll);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void CEditReplaceDlg::ShowSession() {
  const SFindReplaceOptions& options = m_session.Options();
  ShowLists();
  m_find->lineEdit()->selectAll();
  m_matchCase->setChecked(options.matchCase);
  m_wholeWord->setChecked(options.wholeWord);
  m_searchUp->setChecked(options.searchUp);
  m_selection->setEnabled(m_session.SelectionScopeEnabled());
  (options.selectionScope ? m_selection : m_wholeDocument)->setChecked(true);
}

void CEditReplaceDlg::ShowLists() {
  const SFindReplaceOptions& options = m_session.Options();
  Fill(m_find, m_session.RecentFinds(), options.findWhat);
  Fill(m_replace, m_session.RecentReplaces(), options.replaceWith);
}

void CEditReplaceDlg::TakeControls() {
  SFindReplaceOptions& options = m_session.Options();
  options.findWhat = FromQ(m_find->currentText());
  options.replaceWith = FromQ(m_replace->currentText());
  options.matchCase = m_matchCase->isChecked();
  options.wholeWord = m_wholeWord->isChecked();
  options.searchUp = m_searchUp->isChecked();
  options.selectionScope = m_selection->isEnabled() && m_selection->isChecked();
}

void CEditReplaceDlg::Report(const std::u16string& message) {
  ShowLists();
  if (!message.empty() && m_showMessage) m_showMessage(ToQ(message));
}

void CEditReplaceDlg::OnFindNext() {
  TakeControls();
  Report(m_session.FindNext());
}

void CEditReplaceDlg::OnReplace() {
  TakeControls();
  Report(m_session.Replace());
}

void CEditReplaceDlg::OnReplaceAll() {
  TakeControls();
  m_session.ReplaceAll();
  Report({});
}

void CEditReplaceDlg::done(int result) {
  if (!m_closed) {
    TakeControls();
    m_session.Close();
    m_closed = true;
  }
  QDialog::done(result);
}

}  // namespace quillet::editor
