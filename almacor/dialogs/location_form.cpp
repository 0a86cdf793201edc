#include "almacor/dialogs/location_form.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "almacor/calendar.h"
#include "almacor/dialogs/dialogs.h"
#include "almacor/settings.h"

namespace almacor::dialogs {
namespace {

// Layout in twips, 15 to a pixel.
constexpr int Px(int twips) { return (twips + 7) / 15; }

bool IsEditingKey(const QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      return true;
    default:
      break;
  }
  return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
         key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo) ||
         key->matches(QKeySequence::SelectAll) || key->text().isEmpty();
}

QLineEdit* MakeField(QWidget* parent, QObject* filter, const QRect& twips) {
  auto* field = new QLineEdit(parent);
  field->setGeometry(Px(twips.x()), Px(twips.y()), Px(twips.width()), Px(twips.height()));
  field->installEventFilter(filter);
  return field;
}

// The focus events every field shares: gaining it selects the text, leaving it with text the
// field refuses beeps and takes the focus back.
bool FilterFocus(QLineEdit* field, QEvent* event, const std::function<bool()>& accepts) {
  if (event->type() == QEvent::FocusIn) {
    QTimer::singleShot(0, field, &QLineEdit::selectAll);
  } else if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !accepts()) {
      Beep();
      QTimer::singleShot(0, field, [field] { field->setFocus(); });
    }
  }
  return false;
}

// Pasted text must pass the same rule as typed text.
void RefuseForeignPaste(QLineEdit* field, const std::function<bool(QChar)>& allowed) {
  QObject::connect(field, &QLineEdit::textEdited, field, [field, allowed](const QString& text) {
    for (QChar c : text) {
      if (!allowed(c)) {
        field->undo();
        Beep();
        return;
      }
    }
  });
}

}  // namespace

DmsLabel::DmsLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setMouseTracking(true);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void DmsLabel::SetLook(bool sunk, bool raised) {
  sunk_ = sunk;
  setFrameStyle(sunk     ? (QFrame::Box | QFrame::Plain)
                : raised ? (QFrame::Panel | QFrame::Raised)
                         : QFrame::NoFrame);
  setLineWidth(1);
}

void DmsLabel::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  if (!pressed_) SetLook(false, true);
}

void DmsLabel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  if (!pressed_) SetLook(false, false);
}

void DmsLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
  pressed_ = true;
  SetLook(true, false);
}

void DmsLabel::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_) SetLook(rect().contains(event->position().toPoint()), false);
  QLabel::mouseMoveEvent(event);
}

void DmsLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return QLabel::mouseReleaseEvent(event);
  pressed_ = false;
  const bool wasSunk = sunk_;
  SetLook(false, false);
  if (wasSunk) emit clicked();
}

LocationForm::LocationForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("観測地点"));
  setFixedSize(Px(3000), Px(2340));
  static constexpr std::array<const char*, 4> kCaptions = {"経度(&L)", "緯度(&I)", "海抜(&H)",
                                                           "時差(&T)"};
  static constexpr std::array<const char*, 4> kTips = {"東経：+、西経：-", "北緯：+、南緯：-",
                                                       "m単位", "UTCとの時差"};
  const Settings& settings = LibrarySettings();
  const std::array<double, 4> values = {settings.observer.longitude, settings.observer.latitude,
                                        settings.observer.height,
                                        static_cast<double>(settings.time.timeZone)};
  for (int i = 0; i < 4; ++i) {
    const int top = 240 + 360 * i;
    QLabel* caption = nullptr;
    if (i < 2) {
      dmsLabels_[i] = new DmsLabel(QString::fromUtf8(kCaptions[i]), this);
      connect(dmsLabels_[i], &DmsLabel::clicked, this, [this, i] { EditAsDms(i + 1); });
      caption = dmsLabels_[i];
    } else {
      caption = new QLabel(QString::fromUtf8(kCaptions[i]), this);
    }
    caption->setGeometry(Px(240), Px(top), Px(735), Px(270));
    fields_[i] = MakeField(this, this, QRect(1080, top, 1695, 270));
    fields_[i]->setToolTip(QString::fromUtf8(kTips[i]));
    fields_[i]->setText(QString::fromStdString(LocationFieldText(values[i])));
    caption->setBuddy(fields_[i]);
    const bool signs = LocationFieldRange(i + 1).signed_;
    RefuseForeignPaste(fields_[i], [signs](QChar c) {
      return (c.isDigit() && c.unicode() < 128) || c == '.' || (signs && (c == '+' || c == '-'));
    });
  }
  ok_button_ = new QPushButton(QStringLiteral("OK"), this);
  ok_button_->setGeometry(Px(240), Px(1800), Px(1215), Px(330));
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &LocationForm::Accept);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel->setGeometry(Px(1560), Px(1800), Px(1215), Px(330));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int LocationForm::FieldIndex(QObject* watched) const {
  for (int i = 0; i < 4; ++i) {
    if (fields_[i] == watched) return i + 1;
  }
  return 0;
}

bool LocationForm::eventFilter(QObject* watched, QEvent* event) {
  const int field = FieldIndex(watched);
  if (field == 0) return QDialog::eventFilter(watched, event);
  QLineEdit* edit = fields_[field - 1];
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsEditingKey(key)) return false;
    const QChar c = key->text().at(0);
    const bool sign = c == '+' || c == '-';
    if ((c.isDigit() && c.unicode() < 128) || c == '.' ||
        (sign && LocationFieldRange(field).signed_)) {
      return false;
    }
    Beep();
    return true;
  }
  return FilterFocus(edit, event, [field, edit] {
    return LocationFieldAccepts(field, edit->text().toStdString());
  });
}

void LocationForm::Accept() {
  // Text that is not a valid value never reaches the settings: the field gets the focus back.
  for (int i = 1; i <= 4; ++i) {
    if (!LocationFieldAccepts(i, fields_[i - 1]->text().toStdString())) {
      Beep();
      fields_[i - 1]->setFocus();
      return;
    }
  }
  const auto value = [this](int i) { return *ParseNumber(fields_[i - 1]->text().toStdString()); };
  Settings& settings = LibrarySettings();
  settings.observer.longitude = value(1);
  settings.observer.latitude = value(2);
  settings.observer.height = value(3);
  settings.time.timeZone = static_cast<float>(value(4));
  ok_ = true;
  accept();
}

void LocationForm::EditAsDms(int field) {
  const std::optional<double> current = ParseNumber(fields_[field - 1]->text().toStdString());
  DmsInputForm dms(field, current.value_or(0), this);
  // Just below the edited field, aligned with this dialog's inner area.
  dms.move(mapToGlobal(QPoint(0, fields_[field - 1]->geometry().bottom() + 1)));
  dms.exec();
  if (!dms.OkFlag()) return;
  fields_[field - 1]->setText(QString::fromStdString(DmsResultText(dms.Result())));
  fields_[field - 1]->setFocus();
}

DmsInputForm::DmsInputForm(int inputNumber, double value, QWidget* parent)
    : QDialog(parent), inputNumber_(inputNumber) {
  setWindowTitle(QStringLiteral("度分秒で入力"));
  setFixedSize(Px(3735), Px(270));
  const DmsTexts texts = SplitDms(value);
  const std::array<std::string, 3> initial = {texts.degrees, texts.minutes, texts.seconds};
  static constexpr std::array<int, 3> kLeft = {0, 960, 1920};
  static constexpr std::array<int, 3> kWidth = {615, 615, 855};
  static constexpr std::array<const char*, 3> kUnits = {"度", "分", "秒"};
  static constexpr std::array<int, 3> kUnitLeft = {600, 1560, 2760};
  for (int i = 0; i < 3; ++i) {
    fields_[i] = MakeField(this, this, QRect(kLeft[i], 0, kWidth[i], 270));
    fields_[i]->setText(QString::fromStdString(initial[i]));
    auto* unit = new QLabel(QString::fromUtf8(kUnits[i]), this);
    unit->setGeometry(Px(kUnitLeft[i]) + 2, 0, Px(375), Px(270));
    const bool degrees = i == 0;
    const bool seconds = i == 2;
    RefuseForeignPaste(fields_[i], [degrees, seconds](QChar c) {
      return (c.isDigit() && c.unicode() < 128) || (degrees && (c == '+' || c == '-')) ||
             (seconds && c == '.');
    });
  }
  ok_button_ = new QPushButton(QStringLiteral("OK"), this);
  ok_button_->setGeometry(Px(3240), 0, Px(495), Px(270));
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &DmsInputForm::Accept);
}

bool DmsInputForm::eventFilter(QObject* watched, QEvent* event) {
  int field = 0;
  for (int i = 0; i < 3; ++i) {
    if (fields_[i] == watched) field = i + 1;
  }
  if (field == 0) return QDialog::eventFilter(watched, event);
  QLineEdit* edit = fields_[field - 1];
  const double limit = inputNumber_ == 1 ? 180 : 90;
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsEditingKey(key)) return false;
    const QChar c = key->text().at(0);
    bool allowed = c.isDigit() && c.unicode() < 128;
    if (c == '+' || c == '-') allowed = field == 1 && edit->cursorPosition() == 0;
    if (c == '.') allowed = field == 3 && !edit->text().contains('.');
    if (allowed) return false;
    Beep();
    return true;
  }
  return FilterFocus(edit, event, [field, edit, limit] {
    return DmsFieldAccepts(field, edit->text().toStdString(), limit);
  });
}

void DmsInputForm::Accept() {
  const double limit = inputNumber_ == 1 ? 180 : 90;
  for (int i = 1; i <= 3; ++i) {
    if (!DmsFieldAccepts(i, fields_[i - 1]->text().toStdString(), limit)) {
      Beep();
      fields_[i - 1]->setFocus();
      return;
    }
  }
  const double v = JoinDms({fields_[0]->text().toStdString(), fields_[1]->text().toStdString(),
                            fields_[2]->text().toStdString()});
  // 180° and 59' 59.9999999" would pass each field but not the observer's range.
  if (std::fabs(v) > limit) {
    Beep();
    fields_[0]->setFocus();
    return;
  }
  result_ = v;
  ok_ = true;
  accept();
}

void RegisterDialogs() {
  RegisterLocationEditor([] {
    LocationForm form(QApplication::activeWindow());
    form.exec();
    return form.OkFlag();
  });
}

}  // namespace almacor::dialogs
