#pragma once
// A docking bar that keeps one size for each of its three states (docked along a horizontal
// edge, docked along a vertical edge, floating) and returns to that size whenever it enters the
// state again. The sizes are saved and loaded under a layout name.

#include <QDockWidget>

#include <string_view>

#include "app/FrameLayout.h"

class QMainWindow;

namespace quillet::app {

class CSettings;

class CSizingControlBar : public QDockWidget {
  Q_OBJECT

 public:
  CSizingControlBar(const QString& title, int barId, QMainWindow* frame);

  [[nodiscard]] int BarId() const { return m_barId; }
  [[nodiscard]] const SBarSizes& Sizes() const { return m_sizes; }
  void SetSizes(const SBarSizes& sizes);

  void LoadState(const CSettings& settings, std::u16string_view layout);
  void SaveState(CSettings& settings, std::u16string_view layout) const;

  [[nodiscard]] QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  enum class EState { Horizontal, Vertical, Floating };

  [[nodiscard]] EState State() const;
  [[nodiscard]] SSize& SizeFor(EState state);
  [[nodiscard]] const SSize& SizeFor(EState state) const;
  void ApplySize();

  QMainWindow* m_frame;
  int m_barId;
  SBarSizes m_sizes;
};

}  // namespace quillet::app
