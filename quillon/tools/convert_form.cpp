#include "convert_form.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "almacor/calendar.h"
#include "almacor/dialogs/input.h"
#include "almacor/error.h"
#include "help_window.h"
#include "main_window_host.h"
#include "tool_window.h"

namespace quillon {

using almacor::dialogs::Beep;
using almacor::dialogs::TwipsRect;
using almacor::dialogs::TwipsToPixels;

/// One entry field of the conversion window: filters keys and pasted text, selects its text on
/// entry and holds the focus while its value is out of range.
class ConvertField : public QLineEdit {
 public:
  ConvertField(ConvertForm& form, int field) : QLineEdit(&form), form_(form), field_(field) {
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
      if (convert::IsAcceptableText(field_, text.toStdString())) accepted_ = text;
      form_.UpdateRowButton(convert::RowOfField(field_));
    });
    // Pasted or dropped text that the field cannot hold is refused as a typed key would be.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
      if (convert::IsAcceptableText(field_, text.toStdString())) return;
      Beep();
      setText(accepted_);
    });
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      form_.PressRowButton(field_);
      return;
    }
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste) ||
        event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo) ||
        event->key() == Qt::Key_Backspace) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    const QString text = event->text();
    const bool controlLetter = (event->modifiers() & Qt::ControlModifier) &&
                               event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z;
    if (!controlLetter && (text.isEmpty() || text == QChar(0x7f))) {
      // Keys that type nothing (caret movement, Delete) are not filtered.
      QLineEdit::keyPressEvent(event);
      return;
    }
    const QChar ch = text.isEmpty() ? QChar() : text.front();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
    if (!controlLetter && text.size() == 1 && ch.unicode() < 0x80 &&
        convert::AcceptsCharacter(field_, static_cast<char>(ch.unicode()),
                                  this->text().toStdString(), start, length)) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    Beep();
    event->accept();
  }

  void focusInEvent(QFocusEvent* event) override {
    QLineEdit::focusInEvent(event);
    // After the mouse press that gave the focus has placed the caret.
    QTimer::singleShot(0, this, [this] {
      if (hasFocus()) selectAll();
    });
    form_.FieldFocused(field_);
  }

  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    const bool leftInWindow = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                              reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
    if (!leftInWindow || convert::InRange(field_, text().toStdString())) return;
    Beep();
    QTimer::singleShot(0, this, [this] {
      if (!convert::InRange(field_, text().toStdString())) setFocus(Qt::OtherFocusReason);
    });
  }

 private:
  ConvertForm& form_;
  int field_;
  QString accepted_;
};

namespace {

struct RowLayout {
  int top;
  const char* label;
};
constexpr std::array<RowLayout, convert::kRowCount> kRows = {{{240, "度(&D)"},
                                                              {600, "分(&M)"},
                                                              {960, "秒(&S)"},
                                                              {1320, "度分秒(&A)"},
                                                              {1680, "時(&H)"},
                                                              {2040, "時分秒(&T)"},
                                                              {2400, "ラジアン(&R)"}}};

struct FieldLayout {
  int left;
  int width;
  const char* unit;
  int unitLeft;
};
constexpr std::array<FieldLayout, convert::kFieldCount> kFieldLayouts = {
    {{1200, 2775, "度", 3960},
     {1200, 2775, "分", 3960},
     {1200, 2775, "秒", 3960},
     {1200, 615, "度", 1800},
     {2160, 615, "分", 2760},
     {3120, 855, "秒", 3960},
     {1200, 2775, "h", 3960},
     {1200, 615, "h", 1800},
     {2160, 615, "m", 2760},
     {3120, 855, "s", 3960},
     {1200, 2775, "rad", 3960}}};

constexpr int kFieldHeight = 270;

}  // namespace

ConvertForm::ConvertForm(MainWindowHost& host)
    : QWidget(host.HostWidget(), Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                     Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      host_(host) {
  setAttribute(Qt::WA_DeleteOnClose);
  ApplyWindowFont(*this);
  setFixedSize(TwipsToPixels(5280), TwipsToPixels(3690));
  setWindowIcon(HostIcon(host.HostWidget()));
  InstallHelpKey(*this, help::kAngleConversion);
  setWindowTitle(QStringLiteral("角度換算"));

  for (int f = 0; f < convert::kFieldCount; ++f) {
    const FieldLayout& layout = kFieldLayouts[static_cast<std::size_t>(f)];
    const int top = kRows[static_cast<std::size_t>(convert::RowOfField(f))].top;
    auto* field = new ConvertField(*this, f);
    field->setGeometry(TwipsRect(layout.left, top, layout.width, kFieldHeight));
    fields_[static_cast<std::size_t>(f)] = field;
    auto* unit = new QLabel(QString::fromUtf8(layout.unit), this);
    unit->setGeometry(TwipsRect(layout.unitLeft, top + 15, 480, 255));
  }
  for (int row = 0; row < convert::kRowCount; ++row) {
    const int top = kRows[static_cast<std::size_t>(row)].top;
    auto* label = new QLabel(QString::fromUtf8(kRows[static_cast<std::size_t>(row)].label), this);
    label->setGeometry(TwipsRect(240, top + 15, 945, 255));
    label->setBuddy(fields_[static_cast<std::size_t>(convert::FirstFieldOfRow(row))]);
    auto* button = new QPushButton(QStringLiteral("換算"), this);
    button->setGeometry(TwipsRect(4440, top, 615, kFieldHeight));
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, this, [this, row] { Convert(row); });
    convertButtons_[static_cast<std::size_t>(row)] = button;
  }
  // Tab order follows the rows: each row's fields, then its button.
  QWidget* previous = nullptr;
  for (int row = 0; row < convert::kRowCount; ++row) {
    const int first = convert::FirstFieldOfRow(row);
    for (int f = first; f < first + convert::FieldCountOfRow(row); ++f) {
      QWidget* next = fields_[static_cast<std::size_t>(f)];
      if (previous != nullptr) setTabOrder(previous, next);
      previous = next;
    }
    setTabOrder(previous, convertButtons_[static_cast<std::size_t>(row)]);
    previous = convertButtons_[static_cast<std::size_t>(row)];
  }

  clearButton_ = new QPushButton(QStringLiteral("クリア(&L)"), this);
  clearButton_->setGeometry(TwipsRect(2520, 3120, 1215, 330));
  clearButton_->setAutoDefault(true);
  connect(clearButton_, &QPushButton::clicked, this, &ConvertForm::Clear);
  closeButton_ = new QPushButton(QStringLiteral("終了(&Q)"), this);
  closeButton_->setGeometry(TwipsRect(3840, 3120, 1215, 330));
  closeButton_->setAutoDefault(true);
  connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
  setTabOrder(previous, clearButton_);
  setTabOrder(clearButton_, closeButton_);

  Clear();
}

void ConvertForm::Clear() {
  for (ConvertField* field : fields_) field->clear();
  for (QPushButton* button : convertButtons_) button->setEnabled(false);
}

convert::Fields ConvertForm::FieldTexts() const {
  convert::Fields fields;
  for (std::size_t f = 0; f < fields.size(); ++f) fields[f] = fields_[f]->text().toStdString();
  return fields;
}

void ConvertForm::FieldFocused(int field) {
  const int row = convert::RowOfField(field);
  for (int r = 0; r < convert::kRowCount; ++r) {
    convertButtons_[static_cast<std::size_t>(r)]->setDefault(r == row);
  }
  UpdateRowButton(row);
}

void ConvertForm::UpdateRowButton(int row) {
  convertButtons_[static_cast<std::size_t>(row)]->setEnabled(convert::RowReady(row, FieldTexts()));
}

void ConvertForm::PressRowButton(int field) {
  QPushButton* button = convertButtons_[static_cast<std::size_t>(convert::RowOfField(field))];
  if (button->isEnabled()) {
    button->click();
  } else {
    Beep();
  }
}

void ConvertForm::Convert(int row) {
  const convert::Fields fields = FieldTexts();
  const std::optional<double> arcseconds =
      convert::RowArcseconds(row, fields, host_.HostCalendar().Math());
  if (!arcseconds) {
    // A value of the row is still out of range: back into that field.
    Beep();
    const int first = convert::FirstFieldOfRow(row);
    for (int f = first; f < first + convert::FieldCountOfRow(row); ++f) {
      if (!convert::InRange(f, fields[static_cast<std::size_t>(f)])) {
        fields_[static_cast<std::size_t>(f)]->setFocus(Qt::OtherFocusReason);
        break;
      }
    }
    return;
  }
  convert::Fields result;
  try {
    result = convert::FieldsFromArcseconds(*arcseconds);
  } catch (const almacor::Error&) {
    return;  // the fields stay as they were
  }
  for (std::size_t f = 0; f < result.size(); ++f)
    fields_[f]->setText(QString::fromStdString(result[f]));
  for (QPushButton* button : convertButtons_) button->setEnabled(true);
}

void ConvertForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawEtchedLine(painter, *this, TwipsToPixels(2880));
}

void ConvertForm::closeEvent(QCloseEvent* event) {
  host_.AuxWindowClosed(MainWindowHost::AuxWindow::Convert);
  event->accept();
}

}  // namespace quillon
