#include "simulation_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>
#include <array>
#include <cmath>
#include <exception>
#include <functional>
#include <limits>
#include <optional>

#include "almacor/calendar.h"
#include "almacor/date.h"
#include "almacor/eclipses.h"
#include "almacor/format.h"
#include "program_settings.h"
#include "program_strings.h"
#include "simulation_geometry.h"
#include "window_placement.h"

namespace quillon {

namespace {

constexpr std::array<const char*, 13> kViewCaptions = {"スカイビュー(&V)",
                                                       "天頂図(&Z)",
                                                       "パノラマビュー(&R)",
                                                       "-",
                                                       "惑星の日心黄経(&H)",
                                                       "天体の地心黄経(&G)",
                                                       "地球と月(&M)",
                                                       "-",
                                                       "日食(&S)",
                                                       "月食(&L)",
                                                       "-",
                                                       "棒の影(&B)",
                                                       "日時計(&D)"};

constexpr int kTwipsPerPixel = 15;
constexpr int kInitialSide = 432;
constexpr int kMinimumSide = 360;
constexpr int kMinimumSkyHeight = 180;

/// Whole seconds from b to a (local day counts).
long long SecondsBetween(double a, double b) { return std::llround((a - b) * 86400); }

}  // namespace

/// The drawing area: shows the last drawing, asks for a redraw when resized and reports the
/// right button's release.
class SimulationPicture : public QWidget {
 public:
  explicit SimulationPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  QImage image;
  std::function<void()> resized;
  std::function<void(QPoint)> rightReleased;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (image.isNull()) {
      painter.fillRect(rect(), Qt::black);
    } else {
      painter.drawImage(QPoint(0, 0), image);
    }
  }
  void resizeEvent(QResizeEvent*) override {
    if (resized) resized();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::RightButton && rightReleased) {
      rightReleased(event->globalPosition().toPoint());
    }
  }
};

QString SimulationViewCaption(int drawIndex) {
  if (drawIndex < 0 || drawIndex > 12) return {};
  return QString::fromUtf8(kViewCaptions[drawIndex]);
}

int SimulationHelpContext(int drawIndex) {
  if (!IsSimulationView(drawIndex)) return 0;
  int context = 11;
  for (int k = 0; k < drawIndex; ++k) context += IsSimulationView(k) ? 1 : 0;
  return context;
}

SimulationForm::SimulationForm(MainWindowHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host), picture_(new SimulationPicture(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picture_);
  picture_->resized = [this] { Draw(); };
  picture_->rightReleased = [this](QPoint p) { PopupContextMenu(p); };
  borderWidth_ = picture_->width() - picture_->contentsRect().width();

  if (QWidget* main = host_.HostWidget()) setWindowIcon(main->windowIcon());

  const ProgramSettings settings;
  const int side = (kInitialSide + borderWidth_) * kTwipsPerPixel;
  constexpr int kUnsaved = std::numeric_limits<int>::min();
  const int left = settings.Read(keys::kSimulationLeft, std::optional<int>(kUnsaved));
  const int top = settings.Read(keys::kSimulationTop, std::optional<int>(kUnsaved));
  const int width = settings.Read(keys::kSimulationWidth, std::optional<int>(side));
  const int height = settings.Read(keys::kSimulationHeight, std::optional<int>(side));
  UpdateMinimumSize();
  resize(width / kTwipsPerPixel, height / kTwipsPerPixel);
  // A first opening goes beside the main window; a saved place comes back on screen if needed.
  std::optional<QPoint> saved;
  if (left != kUnsaved && top != kUnsaved) saved = QPoint(left, top) / kTwipsPerPixel;
  PlaceWindow(*this, host_.HostWidget(), saved);
  // Left and Right, and the wheel, step the main window's instant.
  setFocusPolicy(Qt::StrongFocus);
  switch (settings.Read(keys::kSimulationWindowState)) {
    case 1:
      setWindowState(Qt::WindowMinimized);
      break;
    case 2:
      setWindowState(Qt::WindowMaximized);
      break;
    default:
      break;
  }
  skyAzimuth_ = settings.Read(keys::kSkyViewAzimuth);
  if (QMenu* azimuth = AzimuthMenu()) {
    const QList<QAction*> items = azimuth->actions();
    for (int k = 0; k < items.size(); ++k) items[k]->setChecked(k == skyAzimuth_);
  }
  SetEndItemsVisible(true);
  if (QAction* reset = MenuItem("mnuSimResetSize")) reset->setEnabled(true);
  SetDrawIndex(0);
}

SimulationForm::~SimulationForm() = default;

QAction* SimulationForm::MenuItem(const char* name) const {
  QMenu* menu = host_.SimulationMenu();
  if (!menu) return nullptr;
  for (QAction* action : menu->actions()) {
    if (action->objectName() == QLatin1String(name)) return action;
    if (action->menu() && action->menu()->objectName() == QLatin1String(name)) return action;
  }
  return nullptr;
}

QAction* SimulationForm::SeparatorAfter(QAction* action) const {
  QMenu* menu = host_.SimulationMenu();
  if (!menu || !action) return nullptr;
  const QList<QAction*> items = menu->actions();
  const qsizetype k = items.indexOf(action);
  if (k < 0 || k + 1 >= items.size() || !items[k + 1]->isSeparator()) return nullptr;
  return items[k + 1];
}

QMenu* SimulationForm::AzimuthMenu() const {
  QAction* item = MenuItem("mnuSimAzimuth");
  return item ? item->menu() : nullptr;
}

void SimulationForm::SetEndItemsVisible(bool visible) {
  for (const char* name : {"mnuSimEndSeparator", "mnuSimEnd"}) {
    if (QAction* item = MenuItem(name)) item->setVisible(visible);
  }
}

void SimulationForm::UpdateMinimumSize() {
  const int minHeight = drawIndex_ == kSkyView ? kMinimumSkyHeight : kMinimumSide;
  setMinimumSize(kMinimumSide + borderWidth_, minHeight + borderWidth_);
}

void SimulationForm::SetDrawIndex(int index) {
  if (!IsSimulationView(index)) return;
  drawIndex_ = index;
  helpContext_ = SimulationHelpContext(index);
  QString caption = SimulationViewCaption(index);
  caption.truncate(caption.indexOf(QStringLiteral("(&")));
  viewTitle_ = caption + QStringLiteral(" - ");
  UpdateMinimumSize();
  Draw();
}

void SimulationForm::SetSkyAzimuth(int azimuth) {
  if (azimuth < 0 || azimuth > 3) return;
  skyAzimuth_ = azimuth;
  if (QMenu* menu = AzimuthMenu()) {
    const QList<QAction*> items = menu->actions();
    for (int k = 0; k < items.size(); ++k) items[k]->setChecked(k == azimuth);
  }
  Draw();
}

void SimulationForm::UpdateCaption(const QString& suffix) {
  almacor::Calendar& calendar = host_.HostCalendar();
  const std::string instant = almacor::FormatDateTime(calendar.DateTime(), "/m/d hh:nn:ss");
  setWindowTitle(viewTitle_ + host_.DisplayedField(0) + QString::fromStdString(instant) + suffix);
}

void SimulationForm::Draw() {
  if (!IsSimulationView(drawIndex_)) return;
  try {
    UpdateCaption({});
    const QSize size = picture_->size();
    if (size.height() < 20 || size.width() < 1) return;
    almacor::Calendar& calendar = host_.HostCalendar();
    const SimulationInputs inputs = ReadSimulationInputs(calendar, drawIndex_, skyAzimuth_);
    float magnitude = 0;
    const Scene scene =
        BuildSimulationScene(drawIndex_, inputs, size.width(), size.height(), &magnitude);
    const qreal ratio = picture_->devicePixelRatioF();
    QImage image(QSize(std::lround(size.width() * ratio), std::lround(size.height() * ratio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    PaintScene(scene, image);
    picture_->image = std::move(image);
    picture_->update();
    if (drawIndex_ == kSolarEclipse || drawIndex_ == kLunarEclipse) {
      magnitude_ = magnitude;
      UpdateCaption(QString::fromStdString(MagnitudeCaption(magnitude)));
    }
  } catch (const std::exception&) {
    // An arithmetic fault abandons this drawing; the next Draw starts afresh.
  }
}

void SimulationForm::ResetSize() {
  if (windowState() != Qt::WindowNoState) return;
  resize(width() - picture_->width() + kInitialSide + borderWidth_,
         height() - picture_->height() + kInitialSide + borderWidth_);
}

QImage SimulationForm::Picture() const { return picture_->image; }

void SimulationForm::ShowContextItems(bool show) {
  const bool sky = drawIndex_ == kSkyView;
  const bool solar = drawIndex_ == kSolarEclipse;
  const bool eclipse = solar || drawIndex_ == kLunarEclipse;
  QAction* copy = MenuItem("mnuSimCopy");
  QAction* reset = MenuItem("mnuSimResetSize");
  QAction* azimuth = MenuItem("mnuSimAzimuth");
  QAction* previous = MenuItem("mnuSimPrevEclipse");
  QAction* next = MenuItem("mnuSimNextEclipse");
  for (QAction* item : {copy, SeparatorAfter(copy), reset, SeparatorAfter(reset)}) {
    if (item) item->setVisible(show);
  }
  if (azimuth) azimuth->setVisible(show && sky);
  if (previous) previous->setVisible(show && eclipse);
  if (next) next->setVisible(show && eclipse);
  if (QAction* separator = SeparatorAfter(next)) separator->setVisible(show && (sky || eclipse));
  if (!show || !eclipse) return;

  // The eclipses at the two ends of the supported span of years, as the view's items read them.
  const double now = host_.HostCalendar().DateTime().Days();
  const almacor::EclipseSpan limits = almacor::EclipseMenuLimits(!solar);
  if (previous) previous->setEnabled(SecondsBetween(now, limits.first) > 1);
  if (next) next->setEnabled(SecondsBetween(limits.last, now) > 1);
}

void SimulationForm::PopupContextMenu(const QPoint& globalPos) {
  QMenu* menu = host_.SimulationMenu();
  if (!menu) return;
  ShowContextItems(true);
  // "終了(&Q)" closes this window from inside the menu's loop, which may then delete it; closing
  // has hidden the items already.
  const QPointer<SimulationForm> self(this);
  menu->exec(globalPos);
  if (self) ShowContextItems(false);
}

void SimulationForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Left) {
    host_.StepInstant(event->key() == Qt::Key_Right ? 1 : -1);
    return;
  }
  QWidget::keyPressEvent(event);
}

void SimulationForm::wheelEvent(QWheelEvent* event) {
  // A notch is 120; finer wheels and touchpads add up to whole notches.
  wheel_ += event->angleDelta().y();
  const int notches = wheel_ / 120;
  wheel_ -= notches * 120;
  if (notches != 0) host_.StepInstant(notches);
  event->accept();
}

void SimulationForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) {
    if (QAction* reset = MenuItem("mnuSimResetSize")) {
      reset->setEnabled(windowState() == Qt::WindowNoState);
    }
  }
}

void SimulationForm::closeEvent(QCloseEvent* event) {
  ProgramSettings settings;
  QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
  if (normal.isEmpty()) normal = geometry();
  settings.Write(keys::kSimulationLeft, normal.x() * kTwipsPerPixel);
  settings.Write(keys::kSimulationTop, normal.y() * kTwipsPerPixel);
  settings.Write(keys::kSimulationWidth, normal.width() * kTwipsPerPixel);
  settings.Write(keys::kSimulationHeight, normal.height() * kTwipsPerPixel);
  settings.Write(keys::kSimulationWindowState, isMaximized() && !isMinimized() ? 2 : 0);
  int azimuth = skyAzimuth_;
  if (QMenu* menu = AzimuthMenu()) {
    const QList<QAction*> items = menu->actions();
    for (int k = 0; k < items.size(); ++k) {
      if (items[k]->isChecked()) azimuth = k;
    }
  }
  settings.Write(keys::kSkyViewAzimuth, azimuth);
  settings.Sync();
  ShowContextItems(false);
  SetEndItemsVisible(false);
  host_.AuxWindowClosed(MainWindowHost::AuxWindow::Simulation);
  event->accept();
}

}  // namespace quillon
