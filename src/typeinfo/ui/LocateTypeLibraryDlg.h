#pragma once
// "Locating type library...": runs the search for a class over every registered type library
// on a thread of its own, shows its progress, and ends by itself with OK when the class turns
// up or everything is examined. Cancel asks the thread to stop; the dialog closes at once and
// the thread finishes the library in hand before it is joined.

#include <QDialog>

#include <memory>
#include <string>
#include <thread>

class QProgressBar;
class QTimer;

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::typeinfo {

class CTypeLibrarySearch;

class CLocateTypeLibraryDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kPollMilliseconds = 250;

  CLocateTypeLibraryDlg(std::shared_ptr<const platform::CClassRegistry> registry, std::u16string clsid,
                        QWidget* parent = nullptr);
  ~CLocateTypeLibraryDlg() override;

  // Empty until the dialog ended with OK after a find.
  [[nodiscard]] const std::u16string& FoundPath() const { return m_found; }
  [[nodiscard]] QProgressBar* Progress() const { return m_progress; }

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Start();
  void OnTick();
  void StopSearch();

  std::shared_ptr<const platform::CClassRegistry> m_registry;
  std::u16string m_clsid;
  std::shared_ptr<CTypeLibrarySearch> m_search;
  std::thread m_thread;
  std::u16string m_found;
  QProgressBar* m_progress = nullptr;
  QTimer* m_timer = nullptr;
};

}  // namespace quillet::typeinfo
