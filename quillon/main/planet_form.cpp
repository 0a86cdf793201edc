#include "planet_form.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProgressDialog>
#include <QScreen>
#include <QShortcut>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <cmath>

#include "about_form.h"
#include "almacor/calendar.h"
#include "almacor/constants.h"
#include "almacor/error.h"
#include "almacor/math_object.h"
#include "almacor/moon.h"
#include "almacor/sun.h"
#include "apparent_form.h"
#include "beep.h"
#include "button_label.h"
#include "cli.h"
#include "convert_form.h"
#include "copy_text.h"
#include "help_window.h"
#include "moon_picture.h"
#include "program_settings.h"
#include "program_strings.h"
#include "qx_module.h"
#include "simulation_form.h"
#include "tool_window.h"
#include "year_table.h"

namespace quillon {

namespace {

using almacor::Date;

// Positions and sizes of the window are laid out in twips, 15 to a (device-independent) pixel.
constexpr int Px(int twips) { return (twips + 7) / 15; }
constexpr int Twips(int px) { return px * 15; }

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

constexpr int kColumnWidthWide = 1200;   // columns 1–6
constexpr int kColumnWidthNarrow = 900;  // columns 7–9
constexpr int kColumnWidthEvent = 720;   // rise, culmination, set

// Keys that edit or move without typing a character pass every key filter.
bool IsEditingKey(const QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
      return true;
    default:
      break;
  }
  return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
         key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo) ||
         key->matches(QKeySequence::SelectAll) || key->text().isEmpty();
}

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

/// The table's ten body rows and twelve quantity columns; the title row and column are its
/// headers. Hidden columns keep their texts. Each cell keeps its laid-out text, so that a repaint
/// after a step shapes only the texts that changed.
class MainTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetTexts(const MainTableTexts& texts) {
    for (int r = 1; r < kTableRows; ++r) {
      for (int c = 1; c < kTableColumns; ++c) {
        const QString text = Q(texts.cells[r][c]);
        if (text == cells_[r][c]) continue;
        cells_[r][c] = text;
        laidOut_[r][c] = QStaticText(text);
        laidOut_[r][c].setTextFormat(Qt::PlainText);
      }
    }
    emit dataChanged(index(0, 0), index(kTableRows - 2, kTableColumns - 2));
  }
  const QStaticText& LaidOut(const QModelIndex& index) const {
    return laidOut_[index.row() + 1][index.column() + 1];
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : kTableRows - 1;
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : kTableColumns - 1;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::DisplayRole) return cells_[index.row() + 1][index.column() + 1];
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
      return Q(ProgramString(ids::kFirstColumnTitle + section));
    }
    return Q(ProgramString(ids::kFirstBody + section));
  }

 private:
  std::array<std::array<QString, kTableColumns>, kTableRows> cells_;
  std::array<std::array<QStaticText, kTableColumns>, kTableRows> laidOut_;
};

/// Draws a cell as black text on white, numbers to the right and event times centred, the
/// current cell highlighted.
class CellDelegate : public QStyledItemDelegate {
 public:
  explicit CellDelegate(const MainTableModel* model, QObject* parent)
      : QStyledItemDelegate(parent), model_(model) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool current = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect,
                      current ? option.palette.color(QPalette::Highlight) : QColor(Qt::white));
    const QStaticText& text = model_->LaidOut(index);
    const QSizeF size = text.size();
    constexpr int kPadding = 4;
    const qreal x = index.column() >= 9 ? option.rect.x() + (option.rect.width() - size.width()) / 2
                                        : option.rect.right() - kPadding - size.width();
    const qreal y = option.rect.y() + (option.rect.height() - size.height()) / 2;
    painter->setPen(current ? option.palette.color(QPalette::HighlightedText) : QColor(Qt::black));
    painter->drawStaticText(QPointF(x, y), text);
  }

 private:
  const MainTableModel* model_;
};

PlanetForm::PlanetForm(std::function<qint64()> nowUtcMs, QWidget* parent)
    : QMainWindow(parent), nowUtcMs_(std::move(nowUtcMs)) {
  if (!nowUtcMs_) nowUtcMs_ = [] { return QDateTime::currentMSecsSinceEpoch(); };
  entry_ = std::make_unique<TimeEntry>(TimeEntry::Hooks{
      [this](int i, int v) { text1_[i]->setText(QString::number(v)); },
      [this](int days) { text1_[2]->setToolTip(QStringLiteral("1日～%1日").arg(days)); },
      [this](const almacor::CivilDateTime& t) {
        calendar_->SetDateTime(Date::FromCivil(t));
        Display();
      },
      [this] { return loaded_; }});
  timer1_ = new QTimer(this);
  connect(timer1_, &QTimer::timeout, this, &PlanetForm::OnTimer);
  BuildControls();
  BuildMenus();
  LoadSettings();
  loaded_ = true;
}

PlanetForm::~PlanetForm() = default;

QAction* PlanetForm::MenuItem(const QString& name) const { return findChild<QAction*>(name); }

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

  for (int i = 0; i < 6; ++i) {
    auto* field = new QLineEdit(client_);
    field->setObjectName(QStringLiteral("Text1_%1").arg(i));
    field->setMaxLength(kFieldLength[i]);
    field->setAlignment(Qt::AlignRight);
    field->setTextMargins(0, 0, Px(225), 0);
    field->setToolTip(QString::fromUtf8(kFieldTips[i]));
    field->installEventFilter(this);
    const int width = i == 0 ? 855 : 735;
    field->setGeometry(Px(kFieldX[i]), Px(120), Px(width), Px(300));
    text1_[i] = field;
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
    label1_[i] = label;
  }

  const auto placeBox = [this](const BoxPlace& place, QWidget* caption, QLineEdit* box) {
    box->setReadOnly(true);
    box->setGeometry(Px(place.boxX), Px(place.y), Px(place.width), Px(270));
    const int captionWidth =
        std::max(caption->sizeHint().width(), Px(place.boxX - place.captionX) - 6);
    caption->setGeometry(Px(place.boxX) - 4 - captionWidth, Px(place.y), captionWidth, Px(270));
  };
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
    label2_[i] = caption;
    text2_[i] = new QLineEdit(client_);
    text2_[i]->setObjectName(QStringLiteral("Text2_%1").arg(i));
    text2_[i]->setFocusPolicy(Qt::ClickFocus);
    placeBox(kBoxes[i], caption, text2_[i]);
  }
  label3_ = new ButtonLabel(Q(ProgramString(ids::kDeltaTEstimated)), client_);
  text3_ = new QLineEdit(client_);
  text3_->setObjectName(QStringLiteral("Text3"));
  text3_->setMaxLength(16);
  text3_->installEventFilter(this);
  placeBox(kDeltaTPlace, label3_, text3_);
  text3_->setFocusPolicy(Qt::NoFocus);
  label3_->setAlignment(Qt::AlignCenter);
  connect(label3_, &ButtonLabel::clicked, this, &PlanetForm::ToggleDeltaTMode);

  hoverFrame_ = new HoverFrame(client_);
  for (ButtonLabel* label : label1_) {
    connect(label, &ButtonLabel::hovered, this,
            [this, label](bool over) { hoverFrame_->ShowAround(over ? label : nullptr); });
  }
  for (ButtonLabel* label : {siderealCaption_, label3_}) {
    connect(label, &ButtonLabel::hovered, this,
            [this, label](bool over) { hoverFrame_->ShowAround(over ? label : nullptr); });
  }

  picture1_ = new QLabel(client_);
  picture1_->setObjectName(QStringLiteral("Picture1"));
  picture1_->setAlignment(Qt::AlignCenter);
  picture1_->setAutoFillBackground(true);
  picture1_->setGeometry(Px(7680), Px(120), Px(1575), Px(1575));
  picture1_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(picture1_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (syzygyMenu_->isEnabled()) syzygyMenu_->popup(picture1_->mapToGlobal(at));
  });

  model_ = new MainTableModel(this);
  grid1_ = new QTableView(client_);
  grid1_->setObjectName(QStringLiteral("Grid1"));
  grid1_->setModel(model_);
  grid1_->setItemDelegate(new CellDelegate(model_, grid1_));
  grid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid1_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid1_->setWordWrap(false);
  grid1_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid1_->horizontalHeader()->setHighlightSections(false);
  grid1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid1_->verticalHeader()->setHighlightSections(false);
  grid1_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  grid1_->setAutoFillBackground(true);
  grid1_->verticalHeader()->setMinimumSectionSize(1);
  grid1_->verticalHeader()->setDefaultSectionSize(
      std::max(Px(kTableHeight) / kTableRows, fontMetrics().height() + 3));
  const int rowHeight = grid1_->verticalHeader()->defaultSectionSize();
  grid1_->horizontalHeader()->setFixedHeight(rowHeight);
  grid1_->verticalHeader()->setFixedWidth(
      std::max(Px(810), fontMetrics().horizontalAdvance(QStringLiteral("冥王星")) + 14));
  for (int c = 10; c <= 12; ++c) grid1_->setColumnWidth(c - 1, Px(kColumnWidthEvent));
  grid1_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid1_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { itemMenu_->popup(grid1_->viewport()->mapToGlobal(at)); });

  // Room for the title row, ten bodies and a horizontal scroll bar should the window be narrowed
  // below the shown columns.
  const int tableHeight =
      std::max(Px(kTableHeight), rowHeight * kTableRows + 2 * grid1_->frameWidth() + 1);
  client_->setFixedHeight(Px(kTableTop) + tableHeight);
  client_->setMinimumWidth(Px(kTableMinWidth));
  grid1_->setGeometry(0, Px(kTableTop), Px(kClientWidth), tableHeight);
  for (int i = 0; i < 6; ++i) text1_[i]->setText(QString::number(entry_->Value(i)));
  resize(Px(kClientWidth), height());
}

void PlanetForm::BuildMenus() {
  const auto item = [this](QMenu* menu, const char* caption, const QString& name) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    return action;
  };
  const auto submenu = [this](QMenu* parent, std::string_view caption, const QString& name) {
    QMenu* menu = parent->addMenu(Q(caption));
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
  };

  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  connect(item(file, "年間暦の書き出し(&E)...", "mnuFileExportYear"), &QAction::triggered, this,
          &PlanetForm::ExportYear);
  file->addSeparator();
  connect(item(file, "Quillonの終了(&X)", "mnuFileEnd"), &QAction::triggered, this,
          &QWidget::close);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  connect(item(edit, "コピー(&C)", "mnuEditCopy"), &QAction::triggered, this, &PlanetForm::Copy);
  edit->addSeparator();
  connect(item(edit, "角度換算(A)", "mnuEditConvert"), &QAction::triggered, this,
          &PlanetForm::OpenConvert);

  QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
  itemMenu_ = submenu(view, "項目(&I)", "mnuViewItem");
  for (int k = 1; k <= 9; ++k) {
    QAction* column = item(itemMenu_, "", QStringLiteral("mnuViewColumn%1").arg(k));
    column->setText(Q(kColumnCaptions[k]));
    column->setCheckable(true);
    connect(column, &QAction::triggered, this, [this, k] { ToggleColumn(k); });
    columnItems_[k] = column;
  }
  view->addSeparator();
  siderealMenu_ = submenu(view, "恒星時(&D)", "mnuViewSidereal");
  for (int k = 0; k < 4; ++k) {
    QAction* kind = item(siderealMenu_, "", QStringLiteral("mnuViewSiderealTime%1").arg(k));
    kind->setText(Q(kSiderealKindCaptions[k]));
    kind->setCheckable(true);
    connect(kind, &QAction::triggered, this, [this, k] { ChooseSiderealKind(k); });
    siderealItems_[k] = kind;
  }
  connect(siderealCaption_, &ButtonLabel::clicked, this, [this] {
    siderealMenu_->popup(siderealCaption_->mapToGlobal(QPoint(0, siderealCaption_->height())));
  });
  view->addSeparator();
  syzygyMenu_ = submenu(view, "朔望検索(&M)", "mnuViewSyzygy");
  eclipseMenu_ = submenu(view, "日食・月食検索(&E)", "mnuViewEclipse");
  for (int k = 0; k < 5; ++k) {
    if (k == 2) {
      syzygyMenu_->addSeparator();
      eclipseMenu_->addSeparator();
      continue;
    }
    syzygyItems_[k] = item(syzygyMenu_, "", QStringLiteral("mnuViewSyzygyDay%1").arg(k));
    syzygyItems_[k]->setText(Q(kSyzygyCaptions[k]));
    connect(syzygyItems_[k], &QAction::triggered, this, [this, k] { Search(k, false); });
    eclipseItems_[k] = item(eclipseMenu_, "", QStringLiteral("mnuViewEclipseTime%1").arg(k));
    eclipseItems_[k]->setText(Q(kEclipseCaptions[k]));
    connect(eclipseItems_[k], &QAction::triggered, this, [this, k] { Search(k, true); });
  }
  connect(syzygyMenu_, &QMenu::aboutToShow, this, [this] { UpdateSearchMenu(false); });
  connect(eclipseMenu_, &QMenu::aboutToShow, this, [this] { UpdateSearchMenu(true); });
  view->addSeparator();
  simulationMenu_ = submenu(view, "シミュレーション(&S)", "mnuSimulation");
  {
    // Until the simulation window opens, only the view items are shown.
    QList<QAction*> simulationOnly;
    simulationOnly << item(simulationMenu_, "コピー(&C)", "mnuSimCopy")
                   << simulationMenu_->addSeparator()
                   << item(simulationMenu_, "サイズ初期化(&I)", "mnuSimResetSize")
                   << simulationMenu_->addSeparator();
    QMenu* azimuth = submenu(simulationMenu_, "方角(&A)", "mnuSimAzimuth");
    for (int k = 0; k < 4; ++k) {
      static constexpr std::array<const char*, 4> kDirections = {"北(N)", "東(&E)", "南(&S)",
                                                                 "西(&W)"};
      item(azimuth, kDirections[k], QStringLiteral("mnuSimAzimuth%1").arg(k))->setCheckable(true);
    }
    simulationOnly << azimuth->menuAction()
                   << item(simulationMenu_, "前の食(&P)", "mnuSimPrevEclipse")
                   << item(simulationMenu_, "次の食(&N)", "mnuSimNextEclipse")
                   << simulationMenu_->addSeparator();
    for (int k = 0; k < 13; ++k) {
      const QString caption = SimulationViewCaption(k);
      if (caption == QStringLiteral("-")) {
        simulationMenu_->addSeparator();
        continue;
      }
      QAction* view = simulationMenu_->addAction(caption);
      view->setObjectName(QStringLiteral("mnuViewSimulation%1").arg(k));
      connect(view, &QAction::triggered, this, [this, k] { OpenSimulation(k); });
    }
    QAction* endSeparator = simulationMenu_->addSeparator();
    endSeparator->setObjectName(QStringLiteral("mnuSimEndSeparator"));
    simulationOnly << endSeparator << item(simulationMenu_, "終了(&Q)", "mnuSimEnd");
    for (QAction* action : simulationOnly) action->setVisible(false);
    connect(MenuItem(QStringLiteral("mnuSimCopy")), &QAction::triggered, this,
            &PlanetForm::CopySimulation);
    connect(MenuItem(QStringLiteral("mnuSimResetSize")), &QAction::triggered, this, [this] {
      if (simulation_) simulation_->ResetSize();
    });
    for (int k = 0; k < 4; ++k) {
      connect(MenuItem(QStringLiteral("mnuSimAzimuth%1").arg(k)), &QAction::triggered, this,
              [this, k] {
                if (simulation_) simulation_->SetSkyAzimuth(k);
              });
    }
    for (int next = 0; next < 2; ++next) {
      const QString name =
          next ? QStringLiteral("mnuSimNextEclipse") : QStringLiteral("mnuSimPrevEclipse");
      connect(MenuItem(name), &QAction::triggered, this, [this, next] {
        if (simulation_) RunEclipseSearch((simulation_->DrawIndex() == 8 ? 0 : 3) + next);
      });
    }
    connect(MenuItem(QStringLiteral("mnuSimEnd")), &QAction::triggered, this, [this] {
      if (simulation_) simulation_->close();
    });
  }
  connect(item(view, "天体間の視距離(&A)", "mnuViewApparent"), &QAction::triggered, this,
          &PlanetForm::OpenApparent);

  QMenu* setting = menuBar()->addMenu(QStringLiteral("設定(&S)"));
  connect(item(setting, "観測地点(&L)...", "mnuSettingPlace"), &QAction::triggered, this,
          &PlanetForm::OpenLocation);
  setting->addSeparator();
  realTimeItem_ = item(setting, "リアルタイム(&R)", "mnuSettingRealTime");
  realTimeItem_->setCheckable(true);
  connect(realTimeItem_, &QAction::triggered, this, &PlanetForm::ToggleRealTime);
  sweepMenu_ = submenu(setting, "連続推算(&S)", "mnuSettingSweep");
  static constexpr std::array<const char*, 8> kSweep = {"年(&Y)", "月(&M)", "日(&D)", "時(&H)",
                                                        "分(&N)", "秒(&S)", "-",      "停止(&Q)"};
  for (int k = 0; k < 8; ++k) {
    if (k == 6) {
      sweepSeparator_ = sweepMenu_->addSeparator();
      sweepItems_[k] = sweepSeparator_;
      continue;
    }
    sweepItems_[k] = item(sweepMenu_, kSweep[k], QStringLiteral("mnuSettingSweepTime%1").arg(k));
    sweepItems_[k]->setCheckable(k < 6);
    connect(sweepItems_[k], &QAction::triggered, this, [this, k] { Sweep(k); });
  }
  setting->addSeparator();
  static constexpr std::array<const char*, 5> kPresets = {
      "現在の日時(&C)", "地方時正午(&N)", "地方時正子(&M)", "UTC00:00(U)", "UTC12:00(J)"};
  for (int k = 0; k < 5; ++k) {
    presetItems_[k] = item(setting, kPresets[k], QStringLiteral("mnuSettingTime%1").arg(k));
    connect(presetItems_[k], &QAction::triggered, this, [this, k] { Preset(k); });
  }
  setting->addSeparator();
  static constexpr std::array<const char*, 2> kZero = {"正時(&H)", "0秒(Z)"};
  for (int k = 0; k < 2; ++k) {
    zeroItems_[k] = item(setting, kZero[k], QStringLiteral("mnuSettingZero%1").arg(k));
    connect(zeroItems_[k], &QAction::triggered, this, [this, k] { entry_->Zero(k == 0); });
  }

  QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  QAction* helpContents = item(help, "Quillonヘルプ(&H)", "mnuHelpHelp");
  helpContents->setShortcut(QKeySequence::HelpContents);
  connect(helpContents, &QAction::triggered, this, [] { ShowHelp(0); });
  help->addSeparator();
  connect(item(help, "Ferrant Laboratory Webページ(&W)", "mnuHelpWebpage"), &QAction::triggered,
          this, &PlanetForm::OpenWebPage);
  help->addSeparator();
  connect(item(help, "バージョン情報(&A)...", "mnuHelpAbout"), &QAction::triggered, this, [this] {
    AboutForm about(*this);
    about.exec();
  });
  // Fixed height, minimum width: only the table grows, and only in width.
  setFixedHeight(menuBar()->sizeHint().height() + client_->height());
  setMinimumWidth(client_->minimumWidth());
}

void PlanetForm::LoadSettings() {
  ProgramSettings settings;
  const int mask = settings.Read(keys::kViewColumn) & kAllColumnsMask;
  for (int k = 1; k <= 9; ++k) {
    columnItems_[k]->setChecked((mask >> (k - 1) & 1) == 0);
    columnItems_[k]->trigger();
  }
  const QPoint at(Twips(x()), Twips(y()));
  const QPoint saved(settings.Read(keys::kLeft, std::optional<int>(at.x())),
                     settings.Read(keys::kTop, std::optional<int>(at.y())));
  // A position off every screen (another monitor set-up, a damaged file) keeps the design one.
  const QRect wanted(QPoint(Px(saved.x()), Px(saved.y())), size());
  bool visible = false;
  for (const QScreen* screen : QGuiApplication::screens()) {
    visible |=
        screen->availableGeometry().intersects(wanted.adjusted(40, 0, -40, -wanted.height() + 30));
  }
  if (visible) move(wanted.topLeft());
  setWindowTitle(QStringLiteral("Quillon"));
  setWindowIcon(ProgramIcon());

  calendar_ = std::make_unique<almacor::Calendar>();
  calendar_->SetPause(true);
  // A stored value the library refuses (a file edited by hand) falls back to its default.
  const auto apply = [](auto setter, auto stored, auto fallback) {
    try {
      setter(stored);
    } catch (const almacor::Error&) {
      setter(fallback);
    }
  };
  apply([this](double v) { calendar_->SetObsLongitude(v); }, settings.Read(keys::kObsLongitude),
        keys::kObsLongitude.fallback);
  apply([this](double v) { calendar_->SetObsLatitude(v); }, settings.Read(keys::kObsLatitude),
        keys::kObsLatitude.fallback);
  apply([this](double v) { calendar_->SetObsHeight(v); }, settings.Read(keys::kObsHeight),
        keys::kObsHeight.fallback);
  apply([this](float v) { calendar_->SetTimeZone(v); }, settings.Read(keys::kTimeZone),
        keys::kTimeZone.fallback);
  horizonDipCorrection_ = HorizonDipCorrection(calendar_->ObsHeight());
  calendar_->SetDtEstimated(true);
  calendar_->SetPause(false);
  calendar_->SetDateTime(Now());

  siderealKind_ = static_cast<almacor::SiderealTimeConstant>(settings.Read(keys::kSiderealTime));
  siderealItems_[siderealKind_]->setChecked(true);
  text2_[2]->setToolTip(Q(StripAccelerator(kSiderealKindCaptions[siderealKind_])));

  if (settings.Read(keys::kRealTime)) mode_.ToggleRealTime();
  ApplyMode();
  loaded_ = true;
  SetDisplayedDateTime(Now());
}

void PlanetForm::SaveSettings() {
  ProgramSettings settings;
  // The outer corner of the restored window, also when it is maximised or minimised now.
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  const QPoint frameOffset = geometry().topLeft() - frameGeometry().topLeft();
  settings.Write(keys::kLeft, Twips(normal.x() - frameOffset.x()));
  settings.Write(keys::kTop, Twips(normal.y() - frameOffset.y()));
  settings.Write(keys::kObsHeight, calendar_->ObsHeight());
  settings.Write(keys::kObsLatitude, calendar_->ObsLatitude());
  settings.Write(keys::kObsLongitude, calendar_->ObsLongitude());
  settings.Write(keys::kTimeZone, calendar_->TimeZone());
  settings.Write(keys::kRealTime, mode_.RealTime());
  settings.Write(keys::kSiderealTime, static_cast<int>(siderealKind_));
  settings.Write(keys::kViewColumn, ColumnMask());
  settings.Sync();
}

void PlanetForm::closeEvent(QCloseEvent* event) {
  timer1_->stop();
  SaveSettings();
  CloseHelpWindows();
  if (simulationFlag_ && simulation_) simulation_->close();
  if (apparentFlag_ && apparent_) apparent_->close();
  if (convertFlag_ && convert_) convert_->close();
  QMainWindow::closeEvent(event);
}

int PlanetForm::ColumnMask() const {
  int mask = 0;
  for (int k = 1; k <= 9; ++k) {
    if (columnItems_[k]->isChecked()) mask |= 1 << (k - 1);
  }
  return mask;
}

void PlanetForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutControls();
}

void PlanetForm::LayoutControls() {
  const int width = client_->width();
  separators_[0]->setGeometry(0, 0, width, 2);
  separators_[1]->setGeometry(Px(120), Px(480), Px(7560 - 120), 2);
  grid1_->setGeometry(0, grid1_->y(), width, grid1_->height());
}

Date PlanetForm::Now() const {
  // Whole seconds of the present instant, in the local time of the configured zone.
  const double unixSeconds = std::floor(static_cast<double>(nowUtcMs_()) / 1000.0);
  const double zoneHours = calendar_ ? static_cast<double>(calendar_->TimeZone()) : 0.0;
  return Date::FromDays(almacor::kUnixEpochDays + (unixSeconds + zoneHours * 3600.0) / 86400.0);
}

void PlanetForm::SetDisplayedDateTime(Date date) {
  entry_->Load(date.ToCivil());
  calendar_->SetDateTime(date);
  Display();
}

void PlanetForm::Display() {
  ++displayCount_;
  try {
    texts_ = BuildMainTable(*calendar_, entry_->Value(2), siderealKind_);
  } catch (const almacor::Error&) {
    Beep();  // the previous values stay
    grid1_->setEnabled(true);
    grid1_->show();
    return;
  }
  for (int i = 0; i < 7; ++i) {
    text2_[i]->setText(Q(texts_.boxes[i]));
    text2_[i]->setCursorPosition(0);
  }
  text2_[2]->setToolTip(Q(StripAccelerator(kSiderealKindCaptions[siderealKind_])));
  text3_->setText(Q(texts_.deltaT));
  text3_->setCursorPosition(0);
  model_->SetTexts(texts_);
  ShowSky();
  if (simulationFlag_ && simulation_) simulation_->Draw();
  if (apparentFlag_ && apparent_) apparent_->Calc_Apparent();
}

void PlanetForm::OpenApparent() {
  apparentFlag_ = true;
  if (!apparent_) apparent_ = new ApparentForm(*this);
  apparent_->show();
  apparent_->raise();
  apparent_->activateWindow();
}

void PlanetForm::OpenConvert() {
  convertFlag_ = true;
  if (!convert_) convert_ = new ConvertForm(*this);
  convert_->show();
  convert_->raise();
  convert_->activateWindow();
}

SimulationForm* PlanetForm::Simulation() const { return simulation_.data(); }

void PlanetForm::OpenSimulation(int view) {
  simulationFlag_ = true;
  if (!simulation_) {
    simulation_ = new SimulationForm(*this, this);
    // F1 in the simulation window opens the topic of the view it shows.
    auto* help = new QShortcut(QKeySequence::HelpContents, simulation_);
    connect(help, &QShortcut::activated, this, [this] { ShowHelp(simulation_->HelpContext()); });
  }
  simulation_->SetDrawIndex(view);
  simulation_->show();
  simulation_->raise();
  simulation_->activateWindow();
}

void PlanetForm::CopySimulation() {
  if (!simulation_) return;
  const bool wasRunning = SuspendTimer();
  QApplication::clipboard()->setImage(simulation_->Picture());
  ResumeTimer(wasRunning);
}

void PlanetForm::ShowSky() {
  almacor::SunObject& sun = calendar_->Sun();
  const Rgb rgb = SkyColour(sun.Altitude(), sun.Radius(), horizonDipCorrection_);
  const QColor sky(rgb.red, rgb.green, rgb.blue);
  // A new palette restyles the widget: only when the colour changes.
  if (sky != sky_) {
    sky_ = sky;
    QPalette palette = grid1_->palette();
    palette.setColor(QPalette::Base, sky_);
    palette.setColor(QPalette::Window, sky_);
    grid1_->setPalette(palette);
    QPalette picturePalette = picture1_->palette();
    picturePalette.setColor(QPalette::Window, sky_);
    picture1_->setPalette(picturePalette);
  }
  picture1_->setPixmap(
      QPixmap::fromImage(MoonPicture(MoonTexture(), calendar_->Moon().Elongation(), sky_)));
}

QString PlanetForm::DisplayedField(int i) const { return text1_[i]->text(); }

bool PlanetForm::SuspendTimer() {
  const bool running = timer1_->isActive();
  timer1_->stop();
  return running;
}

void PlanetForm::ResumeTimer(bool wasRunning) {
  if (mode_.RealTime()) SetDisplayedDateTime(Now());
  if (wasRunning) timer1_->start();
}

void PlanetForm::AuxWindowClosed(AuxWindow window) {
  switch (window) {
    case AuxWindow::Simulation:
      simulationFlag_ = false;
      break;
    case AuxWindow::Apparent:
      apparentFlag_ = false;
      break;
    case AuxWindow::Convert:
      convertFlag_ = false;
      break;
  }
}

void PlanetForm::ApplyMode() {
  const bool entry = mode_.EntryEnabled();
  for (int i = 0; i < 6; ++i) {
    text1_[i]->setReadOnly(!entry);
    text1_[i]->setFocusPolicy(entry ? Qt::StrongFocus : Qt::NoFocus);
    spinUp_[i]->setEnabled(entry);
    spinDown_[i]->setEnabled(entry);
  }
  syzygyMenu_->setEnabled(entry);
  eclipseMenu_->setEnabled(entry);
  for (QAction* preset : presetItems_) preset->setEnabled(entry);
  for (QAction* zero : zeroItems_) zero->setEnabled(entry);
  sweepMenu_->setEnabled(mode_.SweepMenuEnabled());
  realTimeItem_->setEnabled(mode_.RealTimeMenuEnabled());
  realTimeItem_->setChecked(mode_.RealTime());
  for (int k = 0; k < 6; ++k) sweepItems_[k]->setChecked(k == mode_.ActiveModeLabel());
  sweepItems_[6]->setVisible(mode_.Sweeping());
  sweepItems_[7]->setVisible(mode_.Sweeping());
  for (int i = 0; i < 7; ++i) {
    label1_[i]->setEnabled(i < 6 ? mode_.SweepMenuEnabled() : mode_.RealTimeMenuEnabled());
    label1_[i]->SetLatched(i == mode_.ActiveModeLabel());
  }
  timer1_->stop();
  if (mode_.TimerPeriod() > 0) timer1_->start(mode_.TimerPeriod());
}

void PlanetForm::ToggleRealTime() {
  mode_.ToggleRealTime();
  ApplyMode();
  SetDisplayedDateTime(Now());
}

void PlanetForm::Sweep(int index) {
  mode_.Sweep(index);
  ApplyMode();
}

void PlanetForm::OnTimer() {
  if (mode_.Sweeping()) {
    const std::optional<almacor::CivilDateTime> next =
        AddUnit(calendar_->DateTime().ToCivil(), mode_.ActiveModeLabel());
    if (!next) {
      Sweep(ModeState::kStopItem);
      Beep();
      return;
    }
    SetDisplayedDateTime(Date::FromCivil(*next));
  } else if (mode_.RealTime()) {
    const Date now = Now();
    if (now.ToCivil().second != entry_->DisplayedSecond()) SetDisplayedDateTime(now);
  }
}

void PlanetForm::Preset(int index) {
  if (index == 0) {
    SetDisplayedDateTime(Now());
    return;
  }
  const almacor::CivilDateTime shown = calendar_->DateTime().ToCivil();
  const double zone = static_cast<double>(calendar_->TimeZone());
  double h = index == 1 ? 12 : index == 2 ? 0 : index == 3 ? zone : zone + 12;
  if (h >= 24) h -= 24;
  if (h < 0) h += 24;
  const double day = almacor::CivilToDays(shown.year, shown.month, shown.day, h * 3600);
  SetDisplayedDateTime(Date::FromDays(day));
}

void PlanetForm::UpdateSearchMenu(bool eclipse) {
  auto& items = eclipse ? eclipseItems_ : syzygyItems_;
  for (int k = 0; k < 5; ++k) {
    if (k != 2) items[k]->setEnabled(SearchEnabled(*calendar_, MenuSearchCommand(k, eclipse)));
  }
}

void PlanetForm::Search(int k, bool eclipse) {
  const Date before = calendar_->DateTime();
  try {
    const std::optional<Date> found = RunSearch(*calendar_, MenuSearchCommand(k, eclipse));
    if (found) {
      SetDisplayedDateTime(*found);
      return;
    }
  } catch (const almacor::Error&) {
    // Reported below like a search that found nothing.
  }
  Beep();
  calendar_->SetDateTime(before);
  Display();
}

void PlanetForm::RunEclipseSearch(int k) {
  if (mode_.EntryEnabled()) Search(k, true);
}

void PlanetForm::ToggleColumn(int index) {
  if (index < 1 || index > 9) return;
  const bool shown = columnItems_[index]->isChecked();
  grid1_->setColumnHidden(index - 1, !shown);
  if (shown) {
    grid1_->setColumnWidth(index - 1, Px(index < 7 ? kColumnWidthWide : kColumnWidthNarrow));
  }
}

void PlanetForm::ChooseSiderealKind(int index) {
  for (int k = 0; k < 4; ++k) siderealItems_[k]->setChecked(k == index);
  siderealKind_ = static_cast<almacor::SiderealTimeConstant>(index);
  texts_.boxes[2] = calendar_->Math().FormatHourAngle(calendar_->SiderealTime(siderealKind_),
                                                      "00\\:", "00\\:", "00.000");
  text2_[2]->setText(Q(texts_.boxes[2]));
  text2_[2]->setToolTip(Q(StripAccelerator(kSiderealKindCaptions[index])));
}

void PlanetForm::ToggleDeltaTMode() {
  const bool estimated = calendar_->DtEstimated();
  label3_->setText(Q(ProgramString(estimated ? ids::kDeltaTEntered : ids::kDeltaTEstimated)));
  if (estimated) {
    try {
      calendar_->SetDeltaT(LeadingNumber(text3_->text().toStdString()).value_or(0));
    } catch (const almacor::Error&) {
      Beep();  // the entered ΔT keeps its previous value
    }
  }
  calendar_->SetDtEstimated(!estimated);
  text3_->setReadOnly(!estimated);
  text3_->setFocusPolicy(estimated ? Qt::StrongFocus : Qt::NoFocus);
  if (estimated) text3_->setFocus();
  Display();
}

bool PlanetForm::ValidateField(int i) {
  if (text1_[i]->isReadOnly()) return true;
  if (entry_->Validate(i, text1_[i]->text().toStdString())) return true;
  text1_[i]->setText(QString::number(entry_->Value(i)));
  Beep();
  return false;
}

bool PlanetForm::ValidateDeltaT() {
  if (calendar_->DtEstimated()) return true;
  const QString text = text3_->text();
  const std::optional<double> v = LeadingNumber(text.toStdString());
  if (!text.isEmpty() && v && *v >= -10 && *v <= 259200) {
    calendar_->SetDeltaT(*v);
    Display();
    return true;
  }
  Beep();
  return false;
}

bool PlanetForm::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (!field) return QMainWindow::eventFilter(watched, event);
  const bool isDeltaT = field == text3_;
  const int component =
      isDeltaT ? -1
               : static_cast<int>(std::find(text1_.begin(), text1_.end(), field) - text1_.begin());
  const auto validate = [&] { return isDeltaT ? ValidateDeltaT() : ValidateField(component); };
  switch (event->type()) {
    case QEvent::FocusIn:
      QTimer::singleShot(0, field, &QLineEdit::selectAll);
      break;
    case QEvent::FocusOut: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
      if (!validate()) QTimer::singleShot(0, field, [field] { field->setFocus(); });
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (field->isReadOnly()) break;
      if (IsEnter(key)) {
        validate();
        return true;
      }
      if (IsEditingKey(key)) break;
      const QString text = key->text();
      const QChar c = text.at(0);
      bool allowed = c.isDigit() && c.unicode() < 128;
      if (isDeltaT && c == '-')
        allowed = field->cursorPosition() == 0 || field->selectionStart() == 0;
      if (isDeltaT && c == '.')
        allowed = !field->text().contains('.') || field->selectedText().contains('.');
      if (!allowed) {
        Beep();
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void PlanetForm::Copy() {
  const bool wasRunning = SuspendTimer();
  const std::string text = BuildCopyText(entry_->Instant(), texts_, ColumnMask(), siderealKind_);
  QApplication::clipboard()->setText(QString::fromStdString(text));
  ResumeTimer(wasRunning);
}

namespace {

// The formats of the year's export, in the order of the save dialog's filters.
struct ExportFormat {
  YearFormat format;
  const char* filter;
  const char* suffix;
};
constexpr std::array<ExportFormat, 3> kExportFormats = {
    {{YearFormat::Csv, "CSV (*.csv)", "csv"},
     {YearFormat::Json, "JSON Lines (*.jsonl)", "jsonl"},
     {YearFormat::Ics, "iCalendar (*.ics)", "ics"}}};

}  // namespace

QFileDialog* PlanetForm::CreateExportDialog() {
  QStringList filters;
  for (const ExportFormat& f : kExportFormats) filters << QString::fromUtf8(f.filter);
  auto* dialog = new QFileDialog(this, QStringLiteral("年間暦の書き出し"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setNameFilters(filters);
  dialog->setDirectory(QDir::home());
  dialog->selectFile(QStringLiteral("koyomi-%1.csv").arg(entry_->Value(0)));
  // The suggested name follows the chosen format.
  connect(dialog, &QFileDialog::filterSelected, dialog, [dialog, filters](const QString& filter) {
    const QString suffix = QString::fromUtf8(kExportFormats[filters.indexOf(filter)].suffix);
    dialog->setDefaultSuffix(suffix);
  });
  dialog->setDefaultSuffix(QStringLiteral("csv"));
  return dialog;
}

void PlanetForm::ExportYear() {
  std::unique_ptr<QFileDialog> dialog(CreateExportDialog());
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
  const QStringList filters = dialog->nameFilters();
  const int format =
      std::max<int>(0, static_cast<int>(filters.indexOf(dialog->selectedNameFilter())));
  const QString error = ExportYearTo(dialog->selectedFiles().front(), format);
  if (!error.isEmpty()) {
    QMessageBox::warning(this, dialog->windowTitle(),
                         QStringLiteral("書き出せませんでした。\n%1").arg(error));
  }
}

QString PlanetForm::ExportYearTo(const QString& path, int format) {
  const int year = entry_->Value(0);
  const bool wasRunning = SuspendTimer();
  QProgressDialog progress(QStringLiteral("%1年の暦を書き出しています…").arg(year), QString(), 0,
                           DaysInMonth(year, 2) == 29 ? 366 : 365, this);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(400);
  QString error;
  try {
    WriteFileAtomically(path.toStdString(), [&](std::ostream& out) {
      WriteYear(year, kExportFormats[format].format, almacor::LibrarySettings(), out,
                [&](int day) { progress.setValue(day); });
    });
  } catch (const std::exception& e) {
    error = QString::fromUtf8(e.what());
  }
  progress.reset();
  ResumeTimer(wasRunning);
  return error;
}

void PlanetForm::OpenWebPage() {
  // The pages installed with the program; from a build tree, the same pages in the help window.
  const QUrl installed(Q(ProgramString(ids::kWebPage)));
  const QString besideBinary =
      QDir(QApplication::applicationDirPath())
          .filePath(QStringLiteral("../share/doc/quillon/help/topic0.html"));
  if (QFile::exists(installed.toLocalFile())) {
    QDesktopServices::openUrl(installed);
  } else if (QFile::exists(besideBinary)) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(besideBinary).canonicalFilePath()));
  } else {
    ShowHelp(0);
  }
}

void PlanetForm::OpenLocation() {
  bool ok = false;
  calendar_->LocationInput(ok);
  if (!ok) return;
  horizonDipCorrection_ = HorizonDipCorrection(calendar_->ObsHeight());
  Display();
}

}  // namespace quillon
