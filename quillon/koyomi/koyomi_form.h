#pragma once

#include <QWidget>
#include <optional>

#include "almacor/date.h"
#include "almacor/settings.h"
#include "main_window_host.h"
#include "month_page.h"

class QAction;

namespace quillon {

/// The month page drawn to the widget's size, the main window's day outlined; a click on a day
/// reports it.
class MonthView : public QWidget {
  Q_OBJECT
 public:
  explicit MonthView(QWidget* parent = nullptr);
  /// Shows `page`, outlining `markedDay` (a day of the month, 0 for none).
  void SetPage(const MonthPage* page, int markedDay);
  QSize sizeHint() const override { return {960, 720}; }
  /// Small enough for a laptop screen beside the main window, large enough that a line of
  /// detail stays 9 pixels high in a six-week month.
  QSize minimumSizeHint() const override { return {600, 560}; }

 signals:
  /// A day of the shown month was clicked.
  void dayClicked(int dayOfMonth);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const MonthPage* page_ = nullptr;
  int markedDay_ = 0;
};

/// "暦": the month calendar. It shows the month of the main window's date and moves with it;
/// previous and next month and year leaf through the calendar, and a click on a day sets the main
/// window's date (its time of day kept). Prints the month or the year, or writes them as PDF.
/// Its place, size and hidden items are kept in the settings store.
class KoyomiForm : public QWidget, public HostFollower {
  Q_OBJECT
 public:
  explicit KoyomiForm(MainWindowHost& host, QWidget* parent = nullptr);
  ~KoyomiForm() override;

  /// Shows the month of the main window's date with that day outlined, in the zone of the
  /// library's settings.
  void FollowHost();
  /// The main window displayed a new instant: the calendar moves with it.
  void HostDisplayed() override { FollowHost(); }
  /// Leafs to `month` (the host's date stays outlined when it is in that month).
  void ShowMonth(YearMonth month);

  const MonthPage& Page() const { return *page_; }
  KoyomiItems Items() const { return items_; }
  void SetItems(const KoyomiItems& items);
  MonthView& View() { return *view_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Rebuild();
  void PrintPages(bool wholeYear);
  void ExportPdf(bool wholeYear);
  std::vector<MonthPage> PagesToPrint(bool wholeYear) const;
  void SaveSettings() const;

  MainWindowHost& host_;
  MonthView* view_ = nullptr;
  QAction* itemActions_[4] = {};
  YearMonth shown_;
  almacor::CivilDate hostDate_{};
  KoyomiItems items_;
  std::optional<MonthPage> page_;
  almacor::TimeScale pageZone_;
  YearMonth pageMonth_;
  KoyomiItems pageItems_;
};

}  // namespace quillon
