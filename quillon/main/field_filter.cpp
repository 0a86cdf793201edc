#include "field_filter.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "almacor/dialogs/input.h"

namespace quillon {

using almacor::dialogs::Beep;

FieldFilter::FieldFilter(std::function<bool(QLineEdit*)> accept, QObject* parent)
    : QObject(parent), accept_(std::move(accept)) {}

void FieldFilter::Watch(QLineEdit* field, bool decimal) {
  fields_.insert(field);
  if (decimal) decimal_.insert(field);
  field->installEventFilter(this);
}

bool FieldFilter::eventFilter(QObject* watched, QEvent* event) {
  // A field being destroyed is a QLineEdit no more (its last events arrive from ~QWidget).
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field == nullptr || !fields_.contains(watched)) return false;
  switch (event->type()) {
    case QEvent::FocusIn:
      QTimer::singleShot(0, field, &QLineEdit::selectAll);
      break;
    case QEvent::FocusOut: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
      if (!accept_(field)) QTimer::singleShot(0, field, [field] { field->setFocus(); });
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (field->isReadOnly()) break;
      if (almacor::dialogs::IsEnterKey(key)) {
        accept_(field);
        return true;
      }
      if (almacor::dialogs::IsEditingKey(key)) break;
      const QChar c = key->text().at(0);
      const bool decimal = decimal_.contains(field);
      bool allowed = c.isDigit() && c.unicode() < 128;
      if (decimal && c == '-') {
        allowed = field->cursorPosition() == 0 || field->selectionStart() == 0;
      }
      if (decimal && c == '.') {
        allowed = !field->text().contains('.') || field->selectedText().contains('.');
      }
      if (!allowed) {
        Beep();
        return true;
      }
      break;
    }
    default:
      break;
  }
  return false;
}

}  // namespace quillon
