#pragma once
// "Locating type library...": runs the search for a class over every registered type library
// on a thread of its own, shows its progress, and ends by itself with OK when the class turns
// up or everything is examined. Cancel asks the thread to stop and closes the dialog at once;
// the thread still finishes the library in hand, so a caller that must not wait for that takes
// the search over (TakeSearch) before the dialog goes, which would otherwise wait for it.

#include <QDialog>

#include <memory>
#include <string>

#include "typeinfo/TypeLibrarySearchThread.h"

class QProgressBar;
class QTimer;

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

class CLocateTypeLibraryDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kPollMilliseconds = 250;

  CLocateTypeLibraryDlg(std::shared_ptr<const platform::CClassRegistry> registry, std::u16string clsid,
                        QWidget* parent = nullptr, FClassProbe probe = {});
  ~CLocateTypeLibraryDlg() override;

  // Empty until the dialog ended with OK after a find.
  [[nodiscard]] const std::u16string& FoundPath() const { return m_found; }
  [[nodiscard]] QProgressBar* Progress() const { return m_progress; }
  // The search, perhaps still running after a Cancel; null when it never started or was taken.
  [[nodiscard]] std::unique_ptr<CTypeLibrarySearchThread> TakeSearch();

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Start();
  void OnTick();

  std::shared_ptr<const platform::CClassRegistry> m_registry;
  std::u16string m_clsid;
  FClassProbe m_probe;
  std::unique_ptr<CTypeLibrarySearchThread> m_search;
  bool m_started = false;
  std::u16string m_found;
  QProgressBar* m_progress = nullptr;
  QTimer* m_timer = nullptr;
};

}  // namespace quillet::typeinfo
