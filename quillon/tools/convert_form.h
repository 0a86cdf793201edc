#pragma once

#include <QWidget>
#include <array>

#include "angle_conversion.h"

class QPushButton;

namespace quillon {

class MainWindowHost;
class ConvertField;

/// "角度換算": converts one angle between decimal degrees, arcminutes, arcseconds,
/// degrees-minutes-seconds, decimal hours, hours-minutes-seconds and radians. The user types into
/// one row and presses its "換算" button (or Enter); every row is then filled in.
///
/// A modeless top-level window over the host's window; it deletes itself when closed and then
/// reports AuxWindow::Convert through MainWindowHost::AuxWindowClosed.
class ConvertForm : public QWidget {
 public:
  explicit ConvertForm(MainWindowHost& host);

  /// "クリア(&L)": empties every field and disables every "換算" button.
  void Clear();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class ConvertField;
  void FieldFocused(int field);
  void UpdateRowButton(int row);
  void PressRowButton(int field);
  void Convert(int row);
  convert::Fields FieldTexts() const;

  MainWindowHost& host_;
  std::array<ConvertField*, convert::kFieldCount> fields_{};
  std::array<QPushButton*, convert::kRowCount> convertButtons_{};
  QPushButton* clearButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
};

}  // namespace quillon
