// What the main window keeps between runs: its place, the observer, real-time mode, the
// sidereal time shown and the columns.
#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <vector>

#include "almacor/calendar.h"
#include "almacor/dialogs/input.h"
#include "almacor/error.h"
#include "planet_form.h"
#include "program_settings.h"
#include "program_strings.h"
#include "tool_window.h"
#include "window_placement.h"

namespace quillon {

using almacor::dialogs::PixelsToTwips;
using almacor::dialogs::TwipsToPixels;

void PlanetForm::LoadSettings() {
  ProgramSettings settings;
  const int mask = settings.Read(keys::kViewColumn) & kAllColumnsMask;
  for (int k = 1; k <= 9; ++k) {
    columnItems_[k]->setChecked((mask >> (k - 1) & 1) == 0);
    columnItems_[k]->trigger();
  }
  const QPoint at(PixelsToTwips(x()), PixelsToTwips(y()));
  const QPoint saved(settings.Read(keys::kLeft, std::optional<int>(at.x())),
                     settings.Read(keys::kTop, std::optional<int>(at.y())));
  // A position that no screen holds wholly (another monitor set-up, a damaged file) is moved back
  // onto the screen it overlaps most, or onto the primary screen.
  const QRect wanted(QPoint(TwipsToPixels(saved.x()), TwipsToPixels(saved.y())), size());
  std::vector<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas.push_back(screen->availableGeometry());
  if (const QScreen* primary = QGuiApplication::primaryScreen()) {
    move(BackOnScreen(wanted, areas, primary->availableGeometry()).topLeft());
  }
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
  const std::string_view tip = StripAccelerator(kSiderealKindCaptions[siderealKind_]);
  boxes_[2]->setToolTip(QString::fromUtf8(tip.data(), static_cast<qsizetype>(tip.size())));

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
  settings.Write(keys::kLeft, PixelsToTwips(normal.x() - frameOffset.x()));
  settings.Write(keys::kTop, PixelsToTwips(normal.y() - frameOffset.y()));
  settings.Write(keys::kObsHeight, calendar_->ObsHeight());
  settings.Write(keys::kObsLatitude, calendar_->ObsLatitude());
  settings.Write(keys::kObsLongitude, calendar_->ObsLongitude());
  settings.Write(keys::kTimeZone, calendar_->TimeZone());
  settings.Write(keys::kRealTime, mode_.RealTime());
  settings.Write(keys::kSiderealTime, static_cast<int>(siderealKind_));
  settings.Write(keys::kViewColumn, ColumnMask());
  settings.Sync();
}

}  // namespace quillon
