#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace quillon {

class MainWindowHost;

/// "天体間の視距離": the apparent angular distance between two bodies chosen from the Sun, the
/// Moon and the planets, and the direction of the second seen from the first, measured from the
/// zenith direction and from the north-pole direction, for the main window's instant and observer.
///
/// A modeless top-level window over the host's window; it deletes itself when closed and then
/// reports AuxWindow::Apparent through MainWindowHost::AuxWindowClosed. Each opening starts with
/// both lists empty.
class ApparentForm : public QWidget {
 public:
  explicit ApparentForm(MainWindowHost& host);
  ~ApparentForm() override;

  /// Recomputes and shows the values for the host's current instant; does nothing until both
  /// bodies are chosen. The main window calls it after each display while the window is open.
  void Calc_Apparent();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CopyToClipboard();
  void StoreSettings();

  MainWindowHost& host_;
  QString titleBase_;
  std::array<QComboBox*, 2> bodyBoxes_{};
  std::array<QLineEdit*, 3> valueBoxes_{};
  QCheckBox* dmsCheck_ = nullptr;
  QPushButton* copyButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
  bool settingsStored_ = false;
};

}  // namespace quillon
