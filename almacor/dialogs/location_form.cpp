#include "almacor/dialogs/location_form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "almacor/calendar.h"
#include "almacor/dialogs/dialogs.h"
#include "almacor/dialogs/input.h"
#include "almacor/settings.h"

namespace almacor::dialogs {
namespace {

// Enter and Escape go on to the dialog's buttons.
bool PassesFilter(const QKeyEvent* key) {
  return IsEditingKey(key) || IsEnterKey(key) || key->key() == Qt::Key_Escape;
}

QLineEdit* MakeField(QWidget* parent, QObject* filter, const QRect& twips) {
  auto* field = new QLineEdit(parent);
  field->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
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

LocationForm::LocationForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("観測地点"));
  setFixedSize(TwipsToPixels(3000), TwipsToPixels(2340));
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
      dmsLabels_[i] = new ButtonLabel(QString::fromUtf8(kCaptions[i]), this);
      dmsLabels_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      dmsLabels_[i]->SetRaisedOnHover(true);
      connect(dmsLabels_[i], &ButtonLabel::clicked, this, [this, i] { EditAsDms(i + 1); });
      caption = dmsLabels_[i];
    } else {
      caption = new QLabel(QString::fromUtf8(kCaptions[i]), this);
    }
    caption->setGeometry(TwipsRect(240, top, 735, 270));
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
  ok_button_->setGeometry(TwipsRect(240, 1800, 1215, 330));
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &LocationForm::Accept);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel->setGeometry(TwipsRect(1560, 1800, 1215, 330));
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
    if (PassesFilter(key)) return false;
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
  setFixedSize(TwipsToPixels(3735), TwipsToPixels(270));
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
    unit->setGeometry(TwipsRect(kUnitLeft[i], 0, 375, 270).translated(2, 0));
    const bool degrees = i == 0;
    const bool seconds = i == 2;
    RefuseForeignPaste(fields_[i], [degrees, seconds](QChar c) {
      return (c.isDigit() && c.unicode() < 128) || (degrees && (c == '+' || c == '-')) ||
             (seconds && c == '.');
    });
  }
  ok_button_ = new QPushButton(QStringLiteral("OK"), this);
  ok_button_->setGeometry(TwipsRect(3240, 0, 495, 270));
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
    if (PassesFilter(key)) return false;
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
