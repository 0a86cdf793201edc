// The main window's menu bar, built from one table of entries. A new command is one line in the
// table; a new auxiliary window is one line in 表示(&V) that calls ShowWindow<ItsForm>().
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "about_form.h"
#include "access_keys.h"
#include "almacor/dialogs/input.h"
#include "help_window.h"
#include "koyomi_form.h"
#include "menu_table.h"
#include "open_address.h"
#include "phenomena_form.h"
#include "planet_form.h"
#include "program_strings.h"
#include "simulation_form.h"

namespace quillon {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void PlanetForm::BuildMenus() {
  const auto preset = [this](int k) { return [this, k] { Preset(k); }; };
  const auto zero = [this](bool toHour) { return [this, toHour] { entry_->Zero(toHour); }; };
  BuildMenuBar(
      *menuBar(),
      {{"ファイル(&F)",
        {{"年間暦の書き出し(&E)...", "mnuFileExportYear", [this] { ExportYear(); }},
         {"-"},
         {"Quillonの終了(&X)", "mnuFileEnd", [this] { close(); }}}},
       {"編集(&E)",
        {{"コピー(&C)", "mnuEditCopy", [this] { Copy(); }},
         {"-"},
         {"角度換算(A)", "mnuEditConvert", [this] { OpenConvert(); }}}},
       {"表示(&V)",
        {{"項目(&I)", "mnuViewItem", {}, [this](QMenu& m) { FillColumnMenu(m); }},
         {"-"},
         {"恒星時(&D)", "mnuViewSidereal", {}, [this](QMenu& m) { FillSiderealMenu(m); }},
         {"-"},
         {"朔望検索(&M)", "mnuViewSyzygy", {}, [this](QMenu& m) { FillSearchMenu(m, false); }},
         {"日食・月食検索(&E)",
          "mnuViewEclipse",
          {},
          [this](QMenu& m) { FillSearchMenu(m, true); }},
         {"-"},
         {"シミュレーション(&S)", "mnuSimulation", {}, [this](QMenu& m) { FillSimulationMenu(m); }},
         {"天体間の視距離(&A)", "mnuViewApparent", [this] { OpenApparent(); }},
         {"暦(&K)", "mnuViewKoyomi", [this] { ShowWindow<KoyomiForm>(); }},
         {"天象(&P)", "mnuViewPhenomena", [this] { ShowWindow<PhenomenaForm>(); }}}},
       {"設定(&S)",
        {{"観測地点(&L)...", "mnuSettingPlace", [this] { OpenLocation(); }},
         {"-"},
         {.caption = "リアルタイム(&R)",
          .name = "mnuSettingRealTime",
          .run = [this] { ToggleRealTime(); },
          .checkable = true,
          .keep = &realTimeItem_},
         {"連続推算(&S)", "mnuSettingSweep", {}, [this](QMenu& m) { FillSweepMenu(m); }},
         {"-"},
         {"現在の日時(&C)", "mnuSettingTime0", preset(0)},
         {"地方時正午(&N)", "mnuSettingTime1", preset(1)},
         {"地方時正子(&M)", "mnuSettingTime2", preset(2)},
         {"UTC00:00(U)", "mnuSettingTime3", preset(3)},
         {"UTC12:00(J)", "mnuSettingTime4", preset(4)},
         {"-"},
         {"正時(&H)", "mnuSettingZero0", zero(true)},
         {"0秒(Z)", "mnuSettingZero1", zero(false)}}},
       {"ヘルプ(&H)",
        {{.caption = "Quillonヘルプ(&H)",
          .name = "mnuHelpHelp",
          .run = [] { ShowHelp(0); },
          .shortcut = QKeySequence::HelpContents},
         {"-"},
         {"Ferrant Laboratory Webページ(&W)", "mnuHelpWebpage", [] { OpenWebPage(); }},
         {"-"},
         {"バージョン情報(&A)...", "mnuHelpAbout", [this] {
            AboutForm about(*this);
            about.exec();
          }}}}});
  // 角度換算(A), UTC00:00(U), UTC12:00(J), 0秒(Z), 北(N): the letter shown is the access key.
  EnableShownAccessKeys(*menuBar());
  for (int k = 0; k < 5; ++k) presetItems_[k] = MenuItem(QStringLiteral("mnuSettingTime%1").arg(k));
  for (int k = 0; k < 2; ++k) zeroItems_[k] = MenuItem(QStringLiteral("mnuSettingZero%1").arg(k));
  connect(siderealCaption_, &ButtonLabel::clicked, this, [this] {
    siderealMenu_->popup(siderealCaption_->mapToGlobal(QPoint(0, siderealCaption_->height())));
  });
  // Fixed height, minimum width: only the table grows, and only in width.
  setFixedHeight(menuBar()->sizeHint().height() + client_->height());
  setMinimumWidth(client_->minimumWidth());
}

void PlanetForm::FillColumnMenu(QMenu& menu) {
  itemMenu_ = &menu;
  for (int k = 1; k <= 9; ++k) {
    QAction* column =
        AddMenuItem(menu, Q(kColumnCaptions[k]), QStringLiteral("mnuViewColumn%1").arg(k));
    column->setCheckable(true);
    connect(column, &QAction::triggered, this, [this, k] { ToggleColumn(k); });
    columnItems_[k] = column;
  }
}

void PlanetForm::FillSiderealMenu(QMenu& menu) {
  siderealMenu_ = &menu;
  for (int k = 0; k < 4; ++k) {
    QAction* kind = AddMenuItem(menu, Q(kSiderealKindCaptions[k]),
                                QStringLiteral("mnuViewSiderealTime%1").arg(k));
    kind->setCheckable(true);
    connect(kind, &QAction::triggered, this, [this, k] { ChooseSiderealKind(k); });
    siderealItems_[k] = kind;
  }
}

void PlanetForm::FillSearchMenu(QMenu& menu, bool eclipse) {
  (eclipse ? eclipseMenu_ : syzygyMenu_) = &menu;
  auto& items = eclipse ? eclipseItems_ : syzygyItems_;
  for (int k = 0; k < 5; ++k) {
    if (k == 2) {
      menu.addSeparator();
      continue;
    }
    items[k] = AddMenuItem(
        menu, Q(eclipse ? kEclipseCaptions[k] : kSyzygyCaptions[k]),
        (eclipse ? QStringLiteral("mnuViewEclipseTime%1") : QStringLiteral("mnuViewSyzygyDay%1"))
            .arg(k));
    connect(items[k], &QAction::triggered, this, [this, k, eclipse] { Search(k, eclipse); });
  }
  connect(&menu, &QMenu::aboutToShow, this, [this, eclipse] { UpdateSearchMenu(eclipse); });
}

void PlanetForm::FillSimulationMenu(QMenu& menu) {
  simulationMenu_ = &menu;
  // While the simulation window is closed only its views are shown; the window shows the rest
  // while it uses this menu as its context menu.
  const auto ifOpen = [this](auto run) {
    return [this, run] {
      if (simulation_) run(*simulation_);
    };
  };
  std::vector<MenuEntry> entries = {
      {"コピー(&C)", "mnuSimCopy", [this] { CopySimulation(); }},
      {"-"},
      {"サイズ初期化(&I)", "mnuSimResetSize", ifOpen([](SimulationForm& s) { s.ResetSize(); })},
      {"-"},
      {"方角(&A)",
       "mnuSimAzimuth",
       {},
       [ifOpen](QMenu& azimuth) {
         static constexpr std::array<const char*, 4> kDirections = {"北(N)", "東(&E)", "南(&S)",
                                                                    "西(&W)"};
         for (int k = 0; k < 4; ++k) {
           QAction* direction = AddMenuItem(azimuth, QString::fromUtf8(kDirections[k]),
                                            QStringLiteral("mnuSimAzimuth%1").arg(k));
           direction->setCheckable(true);
           QObject::connect(direction, &QAction::triggered, &azimuth,
                            ifOpen([k](SimulationForm& s) { s.SetSkyAzimuth(k); }));
         }
       }},
      {"前の食(&P)", "mnuSimPrevEclipse",
       ifOpen([this](SimulationForm& s) { RunEclipseSearch(s.DrawIndex() == 8 ? 0 : 3); })},
      {"次の食(&N)", "mnuSimNextEclipse",
       ifOpen([this](SimulationForm& s) { RunEclipseSearch(s.DrawIndex() == 8 ? 1 : 4); })},
      {"-"}};
  AddMenuEntries(menu, entries);
  QList<QAction*> simulationOnly = menu.actions();
  for (int k = 0; k < 13; ++k) {
    const QString caption = SimulationViewCaption(k);
    if (caption == QStringLiteral("-")) {
      menu.addSeparator();
      continue;
    }
    QAction* view = AddMenuItem(menu, caption, QStringLiteral("mnuViewSimulation%1").arg(k));
    connect(view, &QAction::triggered, this, [this, k] { OpenSimulation(k); });
  }
  const int ownItems = static_cast<int>(menu.actions().size());
  AddMenuEntries(menu, {{"-", "mnuSimEndSeparator"},
                        {"終了(&Q)", "mnuSimEnd", ifOpen([](SimulationForm& s) { s.close(); })}});
  simulationOnly << menu.actions().mid(ownItems);
  for (QAction* action : simulationOnly) action->setVisible(false);
}

void PlanetForm::FillSweepMenu(QMenu& menu) {
  sweepMenu_ = &menu;
  static constexpr std::array<const char*, 8> kSweep = {"年(&Y)", "月(&M)", "日(&D)", "時(&H)",
                                                        "分(&N)", "秒(&S)", "-",      "停止(&Q)"};
  for (int k = 0; k < 8; ++k) {
    if (k == 6) {
      sweepItems_[k] = menu.addSeparator();
      continue;
    }
    sweepItems_[k] = AddMenuItem(menu, QString::fromUtf8(kSweep[k]),
                                 QStringLiteral("mnuSettingSweepTime%1").arg(k));
    sweepItems_[k]->setCheckable(k < 6);
    connect(sweepItems_[k], &QAction::triggered, this, [this, k] { Sweep(k); });
  }
}

}  // namespace quillon
