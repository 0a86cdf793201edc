#pragma once

#include <QObject>
#include <QSet>
#include <functional>

class QLineEdit;

namespace quillon {

/// The typing rules of the main window's fields. Gaining the focus selects a field's text;
/// leaving it (other than to another window or a popup) with a value the window refuses beeps
/// and takes the focus back; Enter asks the window to take the value and goes no further. Only
/// ASCII digits are typed, and in a decimal field (ΔT) also a leading '-' and one '.'; any other
/// character beeps and is dropped. Read-only fields are left alone.
class FieldFilter : public QObject {
 public:
  /// `accept` takes a field's value and says whether it was accepted.
  FieldFilter(std::function<bool(QLineEdit*)> accept, QObject* parent);

  void Watch(QLineEdit* field, bool decimal = false);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool(QLineEdit*)> accept_;
  QSet<QObject*> fields_;
  QSet<QObject*> decimal_;
};

}  // namespace quillon
