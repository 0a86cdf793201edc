// The main window's controls: the six date and time fields with their spin arrows, the unit
// captions, the information boxes, the ΔT box, the Moon picture and the table, placed by the
// design's twips.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <array>

#include "almacor/dialogs/input.h"
#include "field_filter.h"
#include "main_table_view.h"
#include "planet_form.h"
#include "program_strings.h"
#include "spin_keys.h"

namespace quillon {
namespace {

using almacor::dialogs::HoverFrame;
using almacor::dialogs::TwipsToPixels;
constexpr int Px(int twips) { return TwipsToPixels(twips); }

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The client area: the etched top separator, the fields, the boxes and the Moon picture above
// the table.
constexpr int kClientWidth = 9720;
constexpr int kTableTop = 1800;
constexpr int kTableHeight = 2895;
constexpr int kTableMinWidth = 9495;

constexpr std::array<int, 6> kFieldX = {240, 1440, 2520, 3720, 4800, 5880};
constexpr std::array<int, 7> kUnitX = {1080, 2160, 3240, 4440, 5520, 6600, 7080};
constexpr std::array<const char*, 6> kFieldTips = {"100～9999年", "1月～12月", "",
                                                   "0時～23時",   "0分～59分", "0秒～59秒"};
constexpr std::array<int, 6> kFieldLength = {4, 2, 2, 2, 2, 2};

// The information boxes: caption x, box x, y and box width, in twips.
struct BoxPlace {
  int captionX;
  int boxX;
  int y;
  int width;
};
constexpr std::array<BoxPlace, 7> kBoxes = {{{240, 1080, 720, 1320},
                                             {2520, 3360, 720, 1920},
                                             {5400, 6240, 720, 1320},
                                             {240, 1080, 1080, 2160},
                                             {240, 1080, 1440, 1320},
                                             {2520, 3360, 1440, 1920},
                                             {5400, 6240, 1440, 1320}}};
// The ΔT box takes the free middle of its row: its value can run to 16 characters.
constexpr BoxPlace kDeltaTPlace = {5400, 5880, 1080, 1680};

void PlaceBox(const BoxPlace& place, QWidget* caption, QLineEdit* box) {
  box->setReadOnly(true);
  box->setGeometry(Px(place.boxX), Px(place.y), Px(place.width), Px(270));
  const int captionWidth =
      std::max(caption->sizeHint().width(), Px(place.boxX - place.captionX) - 6);
  caption->setGeometry(Px(place.boxX) - 4 - captionWidth, Px(place.y), captionWidth, Px(270));
}

}  // namespace

void PlanetForm::BuildControls() {
  client_ = new QWidget(this);
  setCentralWidget(client_);
  for (auto& line : separators_) {
    auto* frame = new QFrame(client_);
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setLineWidth(1);
    line = frame;
  }

  fieldFilter_ = new FieldFilter(
      [this](QLineEdit* field) {
        return field == deltaTBox_ ? ValidateDeltaT() : ValidateField(field);
      },
      this);
  for (int i = 0; i < 6; ++i) {
    auto* field = new QLineEdit(client_);
    field->setObjectName(QStringLiteral("Text1_%1").arg(i));
    field->setMaxLength(kFieldLength[i]);
    field->setAlignment(Qt::AlignRight);
    field->setTextMargins(0, 0, Px(225), 0);
    field->setToolTip(QString::fromUtf8(kFieldTips[i]));
    fieldFilter_->Watch(field);
    const int width = i == 0 ? 855 : 735;
    field->setGeometry(Px(kFieldX[i]), Px(120), Px(width), Px(300));
    fields_[i] = field;
    for (int up = 0; up < 2; ++up) {
      auto* arrow = new QToolButton(field);
      arrow->setArrowType(up == 0 ? Qt::UpArrow : Qt::DownArrow);
      arrow->setAutoRepeat(true);
      arrow->setFocusPolicy(Qt::NoFocus);
      arrow->setCursor(Qt::ArrowCursor);
      const int h = Px(300) / 2 - 1;
      arrow->setGeometry(Px(width) - Px(225) - 1, 1 + up * h, Px(225), h);
      arrow->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; }"));
      connect(arrow, &QToolButton::clicked, this, [this, i, up] {
        if (up == 0) {
          entry_->StepUp(i);
        } else {
          entry_->StepDown(i);
        }
      });
      (up == 0 ? spinUp_ : spinDown_)[i] = arrow;
    }
  }
  // Up, Down and the wheel step a field as its arrows do; PageUp and PageDown the next larger unit.
  for (int i = 0; i < 6; ++i) {
    AttachSpinKeys(*fields_[i], {spinUp_[i], spinDown_[i], i > 0 ? spinUp_[i - 1] : nullptr,
                                 i > 0 ? spinDown_[i - 1] : nullptr});
  }
  for (int i = 0; i < 7; ++i) {
    auto* label = new ButtonLabel(i < 6 ? Q(kUnitCaptions[i]) : QStringLiteral("RT"), client_);
    label->setGeometry(Px(kUnitX[i]), Px(150), Px(375), Px(255));
    if (i == 6) label->setToolTip(QStringLiteral("リアルタイム"));
    connect(label, &ButtonLabel::clicked, this, [this, i] {
      if (i < 6) {
        Sweep(i);
      } else {
        ToggleRealTime();
      }
    });
    unitLabels_[i] = label;
  }

  for (int i = 0; i < 7; ++i) {
    QLabel* caption = nullptr;
    if (i == 2) {
      siderealCaption_ = new ButtonLabel(Q(kBoxCaptions[i]), client_);
      caption = siderealCaption_;
    } else {
      caption = new QLabel(Q(kBoxCaptions[i]), client_);
    }
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setToolTip(Q(kBoxCaptionTips[i]));
    boxes_[i] = new QLineEdit(client_);
    boxes_[i]->setObjectName(QStringLiteral("Text2_%1").arg(i));
    boxes_[i]->setFocusPolicy(Qt::ClickFocus);
    PlaceBox(kBoxes[i], caption, boxes_[i]);
  }
  deltaTCaption_ = new ButtonLabel(Q(ProgramString(ids::kDeltaTEstimated)), client_);
  deltaTBox_ = new QLineEdit(client_);
  deltaTBox_->setObjectName(QStringLiteral("Text3"));
  deltaTBox_->setMaxLength(16);
  fieldFilter_->Watch(deltaTBox_, true);
  PlaceBox(kDeltaTPlace, deltaTCaption_, deltaTBox_);
  deltaTBox_->setFocusPolicy(Qt::NoFocus);
  deltaTCaption_->setAlignment(Qt::AlignCenter);
  connect(deltaTCaption_, &ButtonLabel::clicked, this, &PlanetForm::ToggleDeltaTMode);

  hoverFrame_ = new HoverFrame(client_);
  std::vector<ButtonLabel*> hoverable(unitLabels_.begin(), unitLabels_.end());
  hoverable.push_back(siderealCaption_);
  hoverable.push_back(deltaTCaption_);
  for (ButtonLabel* label : hoverable) {
    connect(label, &ButtonLabel::hovered, this,
            [this, label](bool over) { hoverFrame_->ShowAround(over ? label : nullptr); });
  }

  moonPicture_ = new QLabel(client_);
  moonPicture_->setObjectName(QStringLiteral("Picture1"));
  moonPicture_->setAlignment(Qt::AlignCenter);
  moonPicture_->setAutoFillBackground(true);
  moonPicture_->setGeometry(Px(7680), Px(120), Px(1575), Px(1575));
  moonPicture_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(moonPicture_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (syzygyMenu_->isEnabled()) syzygyMenu_->popup(moonPicture_->mapToGlobal(at));
  });

  table_ = new MainTableView(Px(kTableHeight), client_);
  table_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(table_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { itemMenu_->popup(table_->viewport()->mapToGlobal(at)); });
  const int tableHeight = table_->NeededHeight();
  client_->setFixedHeight(Px(kTableTop) + tableHeight);
  client_->setMinimumWidth(Px(kTableMinWidth));
  table_->setGeometry(0, Px(kTableTop), Px(kClientWidth), tableHeight);
  for (int i = 0; i < 6; ++i) fields_[i]->setText(QString::number(entry_->Value(i)));
  resize(Px(kClientWidth), height());
}

void PlanetForm::LayoutControls() {
  const int width = client_->width();
  separators_[0]->setGeometry(0, 0, width, 2);
  separators_[1]->setGeometry(Px(120), Px(480), Px(7560 - 120), 2);
  table_->setGeometry(0, table_->y(), width, table_->height());
}

}  // namespace quillon
