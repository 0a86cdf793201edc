#pragma once

#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;

namespace almacor::dialogs {

class ButtonLabel;

/// "観測地点": the observer's longitude, latitude, height and time difference, edited in the
/// library's settings when the user confirms with "OK".
class LocationForm : public QDialog {
  Q_OBJECT
 public:
  explicit LocationForm(QWidget* parent = nullptr);

  /// True when the dialog was closed with "OK".
  bool OkFlag() const { return ok_; }
  /// Field 1 longitude, 2 latitude, 3 height, 4 time difference.
  QLineEdit* Field(int i) const { return fields_[i - 1]; }
  ButtonLabel* Caption(int i) const { return i <= 2 ? dmsLabels_[i - 1] : nullptr; }
  QPushButton* OkButton() const { return ok_button_; }
  /// Opens the degree-minute-second dialog for field 1 or 2, as its caption does.
  void EditAsDms(int field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Accept();
  int FieldIndex(QObject* watched) const;

  std::array<QLineEdit*, 4> fields_{};
  std::array<ButtonLabel*, 2> dmsLabels_{};
  QPushButton* ok_button_ = nullptr;
  bool ok_ = false;
};

/// "度分秒で入力": one row of degrees, minutes and seconds for a longitude (`inputNumber` 1) or
/// latitude (2), pre-filled from `value`; Result() is the combined angle after "OK".
class DmsInputForm : public QDialog {
  Q_OBJECT
 public:
  DmsInputForm(int inputNumber, double value, QWidget* parent = nullptr);

  bool OkFlag() const { return ok_; }
  double Result() const { return result_; }
  QLineEdit* Field(int i) const { return fields_[i - 1]; }
  QPushButton* OkButton() const { return ok_button_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Accept();

  int inputNumber_;
  std::array<QLineEdit*, 3> fields_{};
  QPushButton* ok_button_ = nullptr;
  bool ok_ = false;
  double result_ = 0;
};

}  // namespace almacor::dialogs
