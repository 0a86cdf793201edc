#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "main_window_host.h"

class QAction;
class QMenu;

namespace quillon {

class SimulationPicture;

/// Captions of the main window's view list, items 0–12 ("-" for the separators 3, 7 and 10), and
/// the help context of each view item (11 to 20 in list order, 0 for a separator).
QString SimulationViewCaption(int drawIndex);
int SimulationHelpContext(int drawIndex);

/// The simulation window: a resizable, modeless window drawing the Calendar's current instant in
/// one of the views of the "シミュレーション(&S)" menu, which it also pops up as its context menu.
///
/// The host's menu is found by object names: "mnuSimCopy", "mnuSimResetSize", "mnuSimAzimuth"
/// (the "方角(&A)" submenu, whose four actions are north, east, south, west in order),
/// "mnuSimPrevEclipse", "mnuSimNextEclipse", "mnuSimEndSeparator", "mnuSimEnd". The separators
/// directly after "mnuSimCopy", "mnuSimResetSize" and "mnuSimNextEclipse" are shown and hidden
/// together with them. The window only shows, hides, enables and checks these items; the host
/// connects their commands (copy from Picture(), ResetSize(), SetSkyAzimuth(), RunEclipseSearch,
/// close()).
///
/// The window deletes itself when closed (after telling the host through AuxWindowClosed), and
/// every opening reads its settings anew.
class SimulationForm : public QWidget {
 public:
  explicit SimulationForm(MainWindowHost& host, QWidget* parent = nullptr);
  ~SimulationForm() override;

  /// The view shown, 0–12; writing a separator index (3, 7, 10) or anything outside is ignored.
  int DrawIndex() const { return drawIndex_; }
  void SetDrawIndex(int index);
  /// Centre direction of the sky view: 0 north, 1 east, 2 south, 3 west. Writing redraws.
  int SkyAzimuth() const { return skyAzimuth_; }
  void SetSkyAzimuth(int azimuth);
  /// Refreshes the caption and redraws the current view for the Calendar's instant.
  void Draw();
  /// Outer minus inner width of the drawing area, pixels.
  int Picture1BorderWidth() const { return borderWidth_; }
  /// "サイズ初期化(&I)": a drawing area of 432 × 432 pixels.
  void ResetSize();
  /// The current drawing, for the clipboard.
  QImage Picture() const;
  /// Help topic of the view shown (11–20).
  int HelpContext() const { return helpContext_; }
  /// The eclipse magnitude of the last eclipse drawing (views 8 and 9).
  float Magnitude() const { return magnitude_; }

  /// Shows the extra items of the host's menu, pops it up at `globalPos` and hides them again.
  void PopupContextMenu(const QPoint& globalPos);
  /// Shows or hides the extra context-menu items and sets their enabled states.
  void ShowContextItems(bool show);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  /// Right and Left (and the wheel up and down) step the main window's instant by the sweep unit
  /// chosen last, as its spin arrows do.
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QAction* MenuItem(const char* name) const;
  QAction* SeparatorAfter(QAction* action) const;
  QMenu* AzimuthMenu() const;
  void SetEndItemsVisible(bool visible);
  void UpdateMinimumSize();
  void UpdateCaption(const QString& suffix);

  MainWindowHost& host_;
  SimulationPicture* picture_;
  int drawIndex_ = 0;
  int skyAzimuth_ = 2;
  int borderWidth_ = 0;
  int helpContext_ = 11;
  float magnitude_ = 0;
  int wheel_ = 0;  // eighths of a degree not yet stepped
  QString viewTitle_;
};

}  // namespace quillon
