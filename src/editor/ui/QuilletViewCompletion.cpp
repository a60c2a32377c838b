// The view's side of IntelliSense: it opens the member list and the parameter tip where the
// caret is, keeps its caret drawn while they have the keyboard, and carries out their
// completion message.

#include "base/CommandIds.h"
#include "document/QuilletDoc.h"
#include "editor/EditorIntelliSense.h"
#include "editor/TypeInformation.h"
#include "editor/ui/MethodsDlg.h"
#include "editor/ui/ParamDlg.h"
#include "editor/ui/QuilletView.h"

namespace quillet::editor {
namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void CQuilletView::InitIntelliSense() {
  m_ownTypes = std::make_unique<CTypeInformation>();
  m_intelliSense = std::make_unique<CEditorIntelliSense>(*m_core, *this, *m_ownTypes);
  m_core->SetIntelliSense(m_intelliSense.get());
}

void CQuilletView::ClosePopups() {
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isWindow()) continue;
    child->disconnect(this);
    delete child;
  }
}

void CQuilletView::SetTypeInformation(CTypeInformation* types) {
  m_intelliSense->SetTypeInformation(types != nullptr ? *types : *m_ownTypes);
}

QPoint CQuilletView::CaretScreenTop() const {
  const document::CTextPosition caret = m_core->Caret();
  const std::u16string_view text = m_core->Document().GetLine(caret.y);
  int sum = 0;
  for (int i = 0; i < caret.x && i < static_cast<int>(text.size()); ++i) sum += m_core->Advance(text[i], sum);
  const int x = m_core->MarginCellWidth() - m_core->FirstVisibleColumn() * m_charWidth + sum;
  const int y = (caret.y - m_core->FirstVisibleLine()) * m_lineHeight;
  return viewport()->mapToGlobal(QPoint(x, y));
}

void CQuilletView::ShowMemberList(const intellisense::CCompletionSet& set, std::u16string_view prefix) {
  auto* popup = new CMethodsDlg(set, ToQString(prefix), CaretScreenTop(), m_lineHeight, m_charWidth, this);
  connect(popup, &CMethodsDlg::Completed, this, &CQuilletView::OnCompletion);
  connect(popup, &CMethodsDlg::StatusText, this, &CQuilletView::StatusTextChanged);
  connect(popup, &CMethodsDlg::BackspaceRequested, this, [this] { m_core->ExecuteCommand(app::ID_EDIT_DELETE_BACK); });
  m_popupActive = true;
  popup->Open();
  viewport()->update();
}

void CQuilletView::ShowParameterTip(const intellisense::SParameterTip& tip) {
  auto* popup = new CParamDlg(tip, CaretScreenTop(), m_lineHeight, m_charWidth, this,
                              [this] { return m_core->Caret(); });
  connect(popup, &CParamDlg::Completed, this, &CQuilletView::OnCompletion);
  m_popupActive = true;
  m_parameterTipActive = true;
  popup->Open();
  viewport()->update();
}

void CQuilletView::OnCompletion(const QString& name, int count) {
  m_popupActive = false;
  m_parameterTipActive = false;
  emit StatusTextChanged(QString());
  if (!name.isEmpty()) {
    const std::u16string text(reinterpret_cast<const char16_t*>(name.utf16()), static_cast<size_t>(name.size()));
    m_intelliSense->ApplyCompletion(text, count);
  }
  viewport()->update();
}

}  // namespace quillet::editor
