#include "typeinfo/ui/LocateTypeLibraryDlg.h"

#include <QDialogButtonBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quillet::typeinfo {

CLocateTypeLibraryDlg::CLocateTypeLibraryDlg(std::shared_ptr<const platform::CClassRegistry> registry,
                                             std::u16string clsid, QWidget* parent, FClassProbe probe)
    : QDialog(parent), m_registry(std::move(registry)), m_clsid(std::move(clsid)), m_probe(std::move(probe)) {
  setWindowTitle(QStringLiteral("Locating type library..."));
  m_progress = new QProgressBar(this);
  m_progress->setObjectName(QStringLiteral("progress"));
  m_progress->setRange(0, 100);
  m_progress->setValue(0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
  connect(buttons, &QDialogButtonBox::rejected, this, &CLocateTypeLibraryDlg::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_progress);
  layout->addWidget(buttons);
  resize(360, sizeHint().height());
  m_timer = new QTimer(this);
  m_timer->setInterval(kPollMilliseconds);
  connect(m_timer, &QTimer::timeout, this, &CLocateTypeLibraryDlg::OnTick);
}

CLocateTypeLibraryDlg::~CLocateTypeLibraryDlg() = default;

void CLocateTypeLibraryDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!m_started) Start();
}

void CLocateTypeLibraryDlg::Start() {
  m_started = true;
  m_search = std::make_unique<CTypeLibrarySearchThread>(m_registry, m_clsid, m_probe);
  m_progress->setValue(0);
  m_timer->start();
}

void CLocateTypeLibraryDlg::OnTick() {
  if (!m_search) return;
  const CTypeLibrarySearch& search = m_search->Search();
  if (!search.Finished()) {
    const int total = search.Total();
    if (total != 0) m_progress->setValue(static_cast<int>(search.Examined() * 100.0 / total));
    return;
  }
  m_timer->stop();
  m_progress->setValue(100);
  m_found = search.FoundPath();
  accept();
}

void CLocateTypeLibraryDlg::reject() {
  m_timer->stop();
  m_found.clear();
  if (m_search) m_search->Search().RequestStop();
  QDialog::reject();
}

std::unique_ptr<CTypeLibrarySearchThread> CLocateTypeLibraryDlg::TakeSearch() {
  m_timer->stop();
  return std::move(m_search);
}

}  // namespace quillet::typeinfo
