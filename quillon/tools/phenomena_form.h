#pragma once

#include <QWidget>
#include <vector>

#include "main_window_host.h"
#include "phenomena_list.h"

class QCheckBox;
class QPushButton;
class QTableWidget;

namespace quillon {

/// "天象": the phenomena of the year the main window shows, for the current observer — Moon
/// phases, lunar perigees and apogees, conjunctions, oppositions and greatest elongations of the
/// planets, and the eclipses with how they are seen here — in columns 日時, 現象, 天体, 詳細. A
/// check box per kind shows or hides it; a double click or Enter on a row shows its instant in
/// the main window; "コピー(&C)" copies the rows shown as text. The list follows the main window's
/// year and observer (HostDisplayed).
class PhenomenaForm : public QWidget, public HostFollower {
 public:
  explicit PhenomenaForm(MainWindowHost& host);

  void HostDisplayed() override;
  /// The list as it stands, for tests: the kinds shown and the events of the rows.
  PhenomenonKinds ShownKinds() const;
  const std::vector<const Phenomenon*>& Rows() const { return rows_; }
  /// Shows the instant of row `row` in the main window.
  void ShowRow(int row);
  /// "コピー(&C)": the rows shown as tab-separated text on the clipboard.
  void Copy();

 private:
  void Fill();

  MainWindowHost& host_;
  YearPhenomena phenomena_;
  std::vector<QCheckBox*> kindBoxes_;
  QTableWidget* table_ = nullptr;
  QPushButton* copyButton_ = nullptr;
  std::vector<const Phenomenon*> rows_;
};

}  // namespace quillon
