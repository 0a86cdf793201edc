#pragma once

#include <QTableView>

#include "main_table.h"

namespace quillon {

class MainTableModel;

/// The main window's table of the ten bodies: the texts of MainTableTexts on the sky's colour,
/// numbers to the right and event times centred, with columns 1–9 shown or hidden by the 項目 menu.
class MainTableView : public QTableView {
 public:
  /// `heightPx` is the design height; the rows grow with the font when it needs more.
  MainTableView(int heightPx, QWidget* parent);

  /// Shows the cells of `texts` (titles come from the string table); only changed cells are laid
  /// out again.
  void SetTexts(const MainTableTexts& texts);
  /// The background behind the cells and the headers.
  void SetSky(const QColor& sky);
  /// Shows or hides optional column k (1–9) at its design width.
  void ShowColumn(int k, bool shown);
  /// The height that holds the title row, the ten bodies and a horizontal scroll bar.
  int NeededHeight() const;

 private:
  MainTableModel* model_;
  int designHeight_;
};

}  // namespace quillon
