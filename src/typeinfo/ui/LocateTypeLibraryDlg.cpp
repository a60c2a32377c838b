#include "typeinfo/ui/LocateTypeLibraryDlg.h"

#include <QDialogButtonBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "typeinfo/TypeLibrarySearch.h"

namespace quillet::typeinfo {

CLocateTypeLibraryDlg::CLocateTypeLibraryDlg(std::shared_ptr<const platform::CClassRegistry> registry,
                                             std::u16string clsid, QWidget* parent)
    : QDialog(parent), m_registry(std::move(registry)), m_clsid(std::move(clsid)) {
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

CLocateTypeLibraryDlg::~CLocateTypeLibraryDlg() { StopSearch(); }

void CLocateTypeLibraryDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!m_search) Start();
}

// The thread keeps its own reference to the search, so nothing it touches goes away under it.
void CLocateTypeLibraryDlg::Start() {
  m_search = std::make_shared<CTypeLibrarySearch>(m_registry, m_clsid);
  m_thread = std::thread([search = m_search] { search->Run(); });
  m_progress->setValue(0);
  m_timer->start();
}

void CLocateTypeLibraryDlg::OnTick() {
  if (!m_search->Finished()) {
    const int total = m_search->Total();
    if (total != 0) m_progress->setValue(static_cast<int>(m_search->Examined() * 100.0 / total));
    return;
  }
  m_timer->stop();
  m_progress->setValue(100);
  m_found = m_search->FoundPath();
  accept();
}

void CLocateTypeLibraryDlg::reject() {
  m_timer->stop();
  m_found.clear();
  if (m_search) m_search->RequestStop();
  QDialog::reject();
}

void CLocateTypeLibraryDlg::StopSearch() {
  if (m_search) m_search->RequestStop();
  if (m_thread.joinable()) m_thread.join();
}

}  // namespace quillet::typeinfo
