#include "apparent_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "almacor/calendar.h"
#include "almacor/dialogs/input.h"
#include "almacor/error.h"
#include "apparent_values.h"
#include "help_window.h"
#include "main_window_host.h"
#include "program_settings.h"
#include "program_strings.h"
#include "tool_window.h"

namespace quillon {

using almacor::dialogs::TwipsRect;
using almacor::dialogs::TwipsToPixels;
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kBodyCount = 10;
constexpr int kLabelHeight = 255;
constexpr int kBoxHeight = 300;

}  // namespace

ApparentForm::ApparentForm(MainWindowHost& host)
    : QWidget(host.HostWidget(), Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                     Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      host_(host) {
  setAttribute(Qt::WA_DeleteOnClose);
  ApplyWindowFont(*this);
  setFixedSize(TwipsToPixels(4560), TwipsToPixels(3330));
  setWindowIcon(HostIcon(host.HostWidget()));
  InstallHelpKey(*this, help::kApparentDistance);
  const QString title = Q(StripAccelerator(kApparentMenuCaption));
  setWindowTitle(title);
  titleBase_ = title + QStringLiteral(" - ");

  const std::array<int, 2> bodyTops = {240, 600};
  for (int i = 0; i < 2; ++i) {
    auto* label = new QLabel(Q(kApparentBodyLabels[static_cast<std::size_t>(i)]), this);
    label->setGeometry(
        TwipsRect(240, bodyTops[static_cast<std::size_t>(i)] + 45, 1095, kLabelHeight));
    auto* combo = new QComboBox(this);
    combo->setGeometry(TwipsRect(1320, bodyTops[static_cast<std::size_t>(i)], 2895, kBoxHeight));
    for (int k = 0; k < kBodyCount; ++k) combo->addItem(Q(ProgramString(ids::kFirstBody + k)));
    combo->setCurrentIndex(-1);
    combo->setMaxVisibleItems(kBodyCount);
    label->setBuddy(combo);
    bodyBoxes_[static_cast<std::size_t>(i)] = combo;
  }

  const std::array<int, 3> valueTops = {1320, 1680, 2040};
  for (int i = 0; i < 3; ++i) {
    const int top = valueTops[static_cast<std::size_t>(i)];
    auto* label = new QLabel(Q(kApparentValueLabels[static_cast<std::size_t>(i)]), this);
    label->setGeometry(TwipsRect(240, top + 30, 1095, kLabelHeight));
    auto* box = new QLineEdit(this);
    box->setGeometry(TwipsRect(1320, top, 1695, kBoxHeight));
    box->setReadOnly(true);
    valueBoxes_[static_cast<std::size_t>(i)] = box;
  }

  dmsCheck_ = new QCheckBox(QStringLiteral("度分秒(&D)"), this);
  dmsCheck_->setGeometry(TwipsRect(3120, 1320, 1095, kBoxHeight));
  dmsCheck_->setChecked(ProgramSettings().Read(keys::kApparentDMS) != 0);

  copyButton_ = new QPushButton(QStringLiteral("コピー(&C)"), this);
  copyButton_->setGeometry(TwipsRect(1800, 2760, 1215, 330));
  copyButton_->setAutoDefault(true);
  copyButton_->setEnabled(false);
  closeButton_ = new QPushButton(QStringLiteral("終了(&Q)"), this);
  closeButton_->setGeometry(TwipsRect(3120, 2760, 1215, 330));
  closeButton_->setAutoDefault(true);

  for (QComboBox* combo : bodyBoxes_) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { Calc_Apparent(); });
  }
  connect(dmsCheck_, &QCheckBox::clicked, this, [this] { Calc_Apparent(); });
  connect(copyButton_, &QPushButton::clicked, this, [this] { CopyToClipboard(); });
  connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
}

ApparentForm::~ApparentForm() {
  // Destroyed with its parent without being closed: keep the option all the same. The host is
  // not told, being itself on its way out.
  StoreSettings();
}

void ApparentForm::Calc_Apparent() {
  const int reference = bodyBoxes_[0]->currentIndex();
  const int target = bodyBoxes_[1]->currentIndex();
  if (reference < 0 || target < 0) return;
  almacor::Calendar& calendar = host_.HostCalendar();
  try {
    setWindowTitle(Q(ApparentCaption(titleBase_.toStdString(),
                                     host_.DisplayedField(0).toStdString(), calendar.DateTime())));
    const HorizontalPoint from = BodyHorizontal(calendar, reference);
    const HorizontalPoint to = BodyHorizontal(calendar, target);
    const ApparentAngles angles =
        ComputeApparent(calendar.Math(), from, to, calendar.ObsLatitude());
    const auto texts = ApparentTexts(calendar.Math(), angles, dmsCheck_->isChecked());
    for (std::size_t i = 0; i < texts.size(); ++i) valueBoxes_[i]->setText(Q(texts[i]));
  } catch (const almacor::Error&) {
    // A body whose position cannot be computed at this instant: the previous values stay.
    return;
  }
  copyButton_->setEnabled(true);
}

void ApparentForm::CopyToClipboard() {
  const bool timerWasRunning = host_.SuspendTimer();
  std::array<std::string, 6> fields;
  for (int i = 0; i < 6; ++i)
    fields[static_cast<std::size_t>(i)] = host_.DisplayedField(i).toStdString();
  std::array<std::string, 3> values;
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = valueBoxes_[i]->text().toStdString();
  const std::string text = ApparentCopyText(fields, bodyBoxes_[0]->currentText().toStdString(),
                                            bodyBoxes_[1]->currentText().toStdString(), values);
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  clipboard->setText(QString::fromStdString(text));
  host_.ResumeTimer(timerWasRunning);
}

void ApparentForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawEtchedLine(painter, *this, TwipsToPixels(1080));
  DrawEtchedLine(painter, *this, TwipsToPixels(2520));
}

void ApparentForm::closeEvent(QCloseEvent* event) {
  StoreSettings();
  host_.AuxWindowClosed(MainWindowHost::AuxWindow::Apparent);
  event->accept();
}

void ApparentForm::StoreSettings() {
  if (settingsStored_) return;
  settingsStored_ = true;
  ProgramSettings().Write(keys::kApparentDMS, dmsCheck_->isChecked() ? 1 : 0);
}

}  // namespace quillon
