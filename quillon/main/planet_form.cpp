#include "planet_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <cmath>

#include "almacor/calendar.h"
#include "almacor/constants.h"
#include "almacor/dialogs/input.h"
#include "almacor/error.h"
#include "almacor/math_object.h"
#include "almacor/moon.h"
#include "almacor/sun.h"
#include "apparent_form.h"
#include "convert_form.h"
#include "copy_text.h"
#include "export_dialog.h"
#include "help_window.h"
#include "main_table_view.h"
#include "moon_picture.h"
#include "program_strings.h"
#include "qx_module.h"
#include "simulation_form.h"
#include "window_placement.h"

namespace quillon {

using almacor::Date;
using almacor::dialogs::Beep;
using almacor::dialogs::LeadingNumber;

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PlanetForm::PlanetForm(std::function<qint64()> nowUtcMs, QWidget* parent)
    : QMainWindow(parent), nowUtcMs_(std::move(nowUtcMs)) {
  if (!nowUtcMs_) nowUtcMs_ = [] { return QDateTime::currentMSecsSinceEpoch(); };
  entry_ = std::make_unique<TimeEntry>(TimeEntry::Hooks{
      [this](int i, int v) { fields_[i]->setText(QString::number(v)); },
      [this](int days) { fields_[2]->setToolTip(QStringLiteral("1日～%1日").arg(days)); },
      [this](const almacor::CivilDateTime& t) {
        calendar_->SetDateTime(Date::FromCivil(t));
        Display();
      },
      [this] { return loaded_; }});
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &PlanetForm::OnTimer);
  BuildControls();
  BuildMenus();
  LoadSettings();
  loaded_ = true;
}

PlanetForm::~PlanetForm() = default;

QAction* PlanetForm::MenuItem(const QString& name) const { return findChild<QAction*>(name); }

void PlanetForm::closeEvent(QCloseEvent* event) {
  timer_->stop();
  SaveSettings();
  CloseHelpWindows();
  if (simulationFlag_ && simulation_) simulation_->close();
  if (apparentFlag_ && apparent_) apparent_->close();
  if (convertFlag_ && convert_) convert_->close();
  for (auto& [type, window] : windows_) {
    if (window) window->close();
  }
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
    table_->setEnabled(true);
    table_->show();
    return;
  }
  for (int i = 0; i < 7; ++i) {
    boxes_[i]->setText(Q(texts_.boxes[i]));
    boxes_[i]->setCursorPosition(0);
  }
  boxes_[2]->setToolTip(Q(StripAccelerator(kSiderealKindCaptions[siderealKind_])));
  deltaTBox_->setText(Q(texts_.deltaT));
  deltaTBox_->setCursorPosition(0);
  table_->SetTexts(texts_);
  ShowSky();
  if (simulationFlag_ && simulation_) simulation_->Draw();
  if (apparentFlag_ && apparent_) apparent_->Calc_Apparent();
  for (auto& [type, window] : windows_) {
    if (auto* follower = dynamic_cast<HostFollower*>(window.data())) follower->HostDisplayed();
  }
}

void PlanetForm::ShowDate(int year, int month, int day) {
  almacor::CivilDateTime shown = calendar_->DateTime().ToCivil();
  shown.year = year;
  shown.month = month;
  shown.day = day;
  SetDisplayedDateTime(Date::FromCivil(shown));
}

void PlanetForm::Raise(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

void PlanetForm::OpenApparent() {
  apparentFlag_ = true;
  if (!apparent_) {
    apparent_ = new ApparentForm(*this);
    PlaceWindow(*apparent_, this);
  }
  Raise(apparent_);
}

void PlanetForm::OpenConvert() {
  convertFlag_ = true;
  if (!convert_) {
    convert_ = new ConvertForm(*this);
    PlaceWindow(*convert_, this);
  }
  Raise(convert_);
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
  Raise(simulation_);
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
    table_->SetSky(sky_);
    QPalette picturePalette = moonPicture_->palette();
    picturePalette.setColor(QPalette::Window, sky_);
    moonPicture_->setPalette(picturePalette);
  }
  moonPicture_->setPixmap(
      QPixmap::fromImage(MoonPicture(MoonTexture(), calendar_->Moon().Elongation(), sky_)));
}

QString PlanetForm::DisplayedField(int i) const { return fields_[i]->text(); }

bool PlanetForm::SuspendTimer() {
  const bool running = timer_->isActive();
  timer_->stop();
  return running;
}

void PlanetForm::ResumeTimer(bool wasRunning) {
  if (mode_.RealTime()) SetDisplayedDateTime(Now());
  if (wasRunning) timer_->start();
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
    fields_[i]->setReadOnly(!entry);
    fields_[i]->setFocusPolicy(entry ? Qt::StrongFocus : Qt::NoFocus);
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
    unitLabels_[i]->setEnabled(i < 6 ? mode_.SweepMenuEnabled() : mode_.RealTimeMenuEnabled());
    unitLabels_[i]->SetLatched(i == mode_.ActiveModeLabel());
  }
  timer_->stop();
  if (mode_.TimerPeriod() > 0) timer_->start(mode_.TimerPeriod());
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

void PlanetForm::StepInstant(int steps) {
  const int unit = mode_.LastSweepUnit();
  QToolButton* arrow = steps > 0 ? spinUp_[unit] : spinDown_[unit];
  for (int n = std::abs(steps); n > 0 && arrow->isEnabled(); --n) arrow->click();
}

void PlanetForm::ToggleColumn(int index) {
  if (index < 1 || index > 9) return;
  table_->ShowColumn(index, columnItems_[index]->isChecked());
}

void PlanetForm::ChooseSiderealKind(int index) {
  for (int k = 0; k < 4; ++k) siderealItems_[k]->setChecked(k == index);
  siderealKind_ = static_cast<almacor::SiderealTimeConstant>(index);
  texts_.boxes[2] = calendar_->Math().FormatHourAngle(calendar_->SiderealTime(siderealKind_),
                                                      "00\\:", "00\\:", "00.000");
  boxes_[2]->setText(Q(texts_.boxes[2]));
  boxes_[2]->setToolTip(Q(StripAccelerator(kSiderealKindCaptions[index])));
}

void PlanetForm::ToggleDeltaTMode() {
  const bool estimated = calendar_->DtEstimated();
  deltaTCaption_->setText(
      Q(ProgramString(estimated ? ids::kDeltaTEntered : ids::kDeltaTEstimated)));
  if (estimated) {
    try {
      calendar_->SetDeltaT(LeadingNumber(deltaTBox_->text().toStdString()).value_or(0));
    } catch (const almacor::Error&) {
      Beep();  // the entered ΔT keeps its previous value
    }
  }
  calendar_->SetDtEstimated(!estimated);
  deltaTBox_->setReadOnly(!estimated);
  deltaTBox_->setFocusPolicy(estimated ? Qt::StrongFocus : Qt::NoFocus);
  if (estimated) deltaTBox_->setFocus();
  Display();
}

bool PlanetForm::ValidateField(QLineEdit* field) {
  if (field->isReadOnly()) return true;
  const int i =
      static_cast<int>(std::find(fields_.begin(), fields_.end(), field) - fields_.begin());
  if (entry_->Validate(i, LeadingNumber(field->text().toStdString()))) return true;
  field->setText(QString::number(entry_->Value(i)));
  Beep();
  return false;
}

bool PlanetForm::ValidateDeltaT() {
  if (calendar_->DtEstimated()) return true;
  const QString text = deltaTBox_->text();
  const std::optional<double> v = LeadingNumber(text.toStdString());
  if (!text.isEmpty() && v && *v >= -10 && *v <= 259200) {
    calendar_->SetDeltaT(*v);
    Display();
    return true;
  }
  Beep();
  return false;
}

void PlanetForm::Copy() {
  const bool wasRunning = SuspendTimer();
  const std::string text = BuildCopyText(entry_->Instant(), texts_, ColumnMask(), siderealKind_);
  QApplication::clipboard()->setText(QString::fromStdString(text));
  ResumeTimer(wasRunning);
}

QFileDialog* PlanetForm::CreateExportDialog() {
  return quillon::CreateExportDialog(this, entry_->Value(0));
}

void PlanetForm::ExportYear() {
  std::unique_ptr<QFileDialog> dialog(CreateExportDialog());
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
  const QString error = ExportYearTo(dialog->selectedFiles().front(), ChosenExportFormat(*dialog));
  if (!error.isEmpty()) {
    QMessageBox::warning(this, dialog->windowTitle(),
                         QStringLiteral("書き出せませんでした。\n%1").arg(error));
  }
}

QString PlanetForm::ExportYearTo(const QString& path, int format) {
  const bool wasRunning = SuspendTimer();
  const QString error = WriteYearFile(this, path, entry_->Value(0), format);
  ResumeTimer(wasRunning);
  return error;
}

void PlanetForm::OpenLocation() {
  bool ok = false;
  calendar_->LocationInput(ok);
  if (!ok) return;
  horizonDipCorrection_ = HorizonDipCorrection(calendar_->ObsHeight());
  Display();
}

}  // namespace quillon
