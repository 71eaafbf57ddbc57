#include "ui/app/Main.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "check/CheckClasses.h"
#include "dictionaries/IncomeDictionary.h"
#include "export/ExportDriver.h"
#include "import/ReturnXml.h"
#include "import/Statement.h"
#include "platform/FileAccess.h"
#include "platform/ProgramFolder.h"
#include "ui/app/About.h"
#include "ui/base/UiText.h"
#include "ui/dialogs/StatementImportDialog.h"
#include "ui/framework/CompositePages.h"
#include "ui/framework/HelpWindow.h"
#include "ui/pickers/InspectionPicker.h"
#include "ui/print/PrintBridge.h"

namespace talver {
namespace {

const QString kCaptionSuffix = QStringLiteral(" - Тальвер 2016");

constexpr char kDeclarationFilter[] = "Тальвер 2016 (*.tv6)";
constexpr char kOpenFilter[] =
    "Тальвер 2016 (*.tv6);;Тальвер 2015 (*.tv5);;Тальвер 2014 (*.tv4);;Тальвер 2013 (*.tv3);;"
    "Тальвер 2012 (*.tv2);;Тальвер 2011 (*.tv1);;Тальвер 2010 (*.tv0);;Тальвер 2009 (*.tv9);;"
    "Тальвер 2008 (*.tv8);;Тальвер 2007 (*.tv7);;Тальвер 200* (*.tvl)";

QSettings ProgramSettings() { return QSettings(QString::fromUtf8(kOrganizationName), QString::fromUtf8(kProductName)); }

bool ReadFlag(QSettings& settings, const char* name) { return settings.value(QLatin1String(name), 1).toInt() != 0; }

struct NavInfo {
  NavButton Button;
  const char* Name;
  const char* Text;
  const char* Hint;
  PageId Page;
};

const NavInfo kNav[] = {
    {NavButton::InitialData, "fbInitialData", "Задание условий", "Выбор режима ввода", PageId::InitialData},
    {NavButton::PrsonInfo, "fbPrsonInfo", "Сведения о декларанте", "Персональные данные налогоплательщика",
     PageId::PersonData},
    {NavButton::RussianIncome, "fbRussianIncome", "Доходы, полученные в РФ",
     "Доходы, полученные от налоговых агентов или иных источников, в т.ч. физлиц", PageId::RussianIncome},
    {NavButton::BusinessIncome, "fbBusinessIncome", "Предприниматели",
     "Доходы, полученные от предпринимательской деятельности без образования юридического лица и частной практики",
     PageId::BusinessNew},
    {NavButton::ForeignIncome, "fbForeignIncome", "Доходы за пределами РФ", "Доходы, полученные в иностранной валюте",
     PageId::Currency},
    {NavButton::InvestTov, "fbInvestTov", "Инвест. товарищества", "Данные по участию в инвестиционных товариществах",
     PageId::InvestTov},
    {NavButton::Deduction, "fbDeduction", "Вычеты", "Стандартные, социальные и имущественный налоговые вычеты",
     PageId::FrameDeductData},
};

// Keeps the main window's controls disabled while the export or the print module runs. The
// window itself stays enabled: the dialogs opened meanwhile are its children and would be
// disabled with it.
class DisabledWhile {
 public:
  explicit DisabledWhile(QMainWindow* window) : parts_{window->menuBar(), window->centralWidget()} {
    for (QToolBar* bar : window->findChildren<QToolBar*>()) parts_.push_back(bar);
    for (QWidget* part : parts_) part->setEnabled(false);
  }
  ~DisabledWhile() {
    for (QWidget* part : parts_) part->setEnabled(true);
  }
  DisabledWhile(const DisabledWhile&) = delete;
  DisabledWhile& operator=(const DisabledWhile&) = delete;

 private:
  std::vector<QWidget*> parts_;
};

// A tool bar picture: the style's own at the bar's size (the style may have it smaller only).
QIcon ToolIcon(const QStyle* style, QStyle::StandardPixmap which) {
  const QIcon icon = style->standardIcon(which);
  QSize largest;
  for (const QSize& size : icon.availableSizes()) {
    if (size.width() > largest.width()) largest = size;
  }
  const QPixmap pixmap = icon.pixmap(largest.isValid() ? largest : QSize(32, 32));
  return QIcon(pixmap.scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

// The style has no printer: a drawn one.
QIcon PrinterIcon() {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(70, 70, 70), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 2.5, 11, 7));    // the paper going in
  p.setBrush(QColor(150, 155, 165));
  p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);  // the body
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 14.5, 11, 7));   // the printed sheet
  p.setPen(QPen(QColor(120, 140, 170), 1));
  p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
  p.drawLine(QPointF(8.5, 19.5), QPointF(13.5, 19.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 170, 80));
  p.drawEllipse(QPointF(18.5, 11.5), 1.2, 1.2);
  p.end();
  return QIcon(pixmap);
}

std::filesystem::path DefaultProgramFolder() { return ExecutableFolder(); }

std::filesystem::path DefaultDataFolder() {
  return ToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

// A folder as the export and the print module take it: with its trailing separator.
std::string FolderText(const std::filesystem::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

}  // namespace

TFormMain::TFormMain(const QStringList& arguments, TUiEnvironment environment, QWidget* parent)
    : QMainWindow(parent), env_(std::move(environment)) {
  setObjectName(QStringLiteral("TFormMain"));
  presenter_ = env_.Presenter != nullptr ? env_.Presenter : &QtPresenter();
  dialogs_ = env_.Dialogs != nullptr ? env_.Dialogs : &QtFileDialogs();
  if (!env_.CreatePrintModule) env_.CreatePrintModule = &CreateInstalledPrintModule;
  if (!env_.Check) env_.Check = &CheckDeclaration;
  if (!env_.Export) {
    env_.Export = [dates = env_.ExportDates](const std::filesystem::path& folder, mTDeclaration& declaration,
                                             int mode, IPresenter& presenter) {
      return ExportDeclaration(folder, declaration, mode, presenter, dates);
    };
  }
  ProgramFolder_ = env_.ProgramFolder.empty() ? DefaultProgramFolder() : env_.ProgramFolder;
  if (env_.DataFolder.empty()) env_.DataFolder = DefaultDataFolder();

  setMinimumSize(750, 550);
  resize(1024, 768);

  BuildMenus();
  BuildToolBar();
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("MainScroll"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* body = new QWidget(scroll);
  body->setObjectName(QStringLiteral("MainBody"));
  // The scroll ranges of the window: 980 across, 650 down including the bars above.
  body->setMinimumSize(980 - 20, 650 - 90);
  auto* bodyLayout = new QHBoxLayout(body);
  bodyLayout->setContentsMargins(4, 4, 4, 4);
  auto* PnlSelectGroup = new QFrame(body);
  PnlSelectGroup->setObjectName(QStringLiteral("PnlSelectGroup"));
  PnlSelectGroup->setFrameShape(QFrame::StyledPanel);
  BuildSectionButtons(PnlSelectGroup);
  PnlFormContainer_ = new QFrame(body);
  PnlFormContainer_->setObjectName(QStringLiteral("PnlFormContainer"));
  bodyLayout->addWidget(PnlSelectGroup);
  bodyLayout->addWidget(PnlFormContainer_, 1);
  scroll->setWidget(body);
  setCentralWidget(scroll);
  switcher_ = std::make_unique<TPageSwitcher>(PnlFormContainer_, *this);

  // The view settings; a missing key means both on.
  {
    QSettings settings = ProgramSettings();
    const bool showToolbar = ReadFlag(settings, "ShowStdToolbar");
    const bool labels = ReadFlag(settings, "TextLabels");
    actToolbar_->setChecked(showToolbar);
    actLabels_->setChecked(labels);
    CoolBarButtons_->setVisible(showToolbar);
    ApplyLabels(labels);
  }

  // The command line: a path, or "-p" and a path.
  Declaration_ = std::make_unique<mTDeclaration>();
  bool loaded = false;
  if (arguments.size() == 1 || arguments.size() == 2) {
    const QString path = arguments[0].toLower() == QLatin1String("-p") ? arguments.value(1) : arguments[0];
    try {
      // Saves killed half-way leave their temporaries beside the file; none of them is a live save.
      RemoveStaleTemporaries(ToPath(path).parent_path());
      if (path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)) {
        loaded = ImportXml(path);
      } else {
        Declaration_->LoadFromFile(ToPath(path));
        FileName_ = path;
        loaded = true;
      }
    } catch (const std::exception& error) {
      ReportError(error);
    }
  }
  if (!loaded) Declaration_ = NewDeclaration();
  UpdateCaption(loaded);

  LoadDictionaries();
  if (startupFailed_) return;

  ShowConditionsPage();
  // A return read from its XML is in no declaration file yet.
  Saved_ = !(loaded && FileName_.isEmpty());
  ApplyButtonTable();
}

TFormMain::~TFormMain() {
  // A page never outlives the declaration it was built on.
  switcher_->DestroyPage();
}

// ---------------------------------------------------------------------------------------------
// Building the window

void TFormMain::BuildMenus() {
  const auto action = [this](const char* name, const QString& text, auto slot) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
  file->setObjectName(QStringLiteral("mnFile"));
  file->addAction(action("CreateDoc", QStringLiteral("Создать"), [this] { CreateDoc(); }));
  file->addAction(action("OpenDoc", QStringLiteral("Открыть"), [this] { OpenDoc(); }));
  file->addAction(action("OpenXmlDoc", QStringLiteral("Открыть файл xml…"), [this] { OpenXmlDoc(); }));
  file->addAction(action("SaveDoc", QStringLiteral("Сохранить"), [this] { SaveDoc(); }));
  file->addAction(action("SaveAsDoc", QStringLiteral("Сохранить как..."), [this] { SaveAsDoc(); }));
  file->addSeparator();
  file->addAction(action("Quit", QStringLiteral("Выход"), [this] { close(); }));

  QMenu* declaration = menuBar()->addMenu(QStringLiteral("Декларация"));
  declaration->setObjectName(QStringLiteral("mnDeclaration"));
  declaration->addAction(action("PreviewDoc", QStringLiteral("Просмотр"), [this] { PreviewDoc(); }));
  declaration->addAction(action("PrintDoc", QStringLiteral("Печать"), [this] { PrintDoc(); }));
  QAction* exportDoc = action("ExportDoc", QStringLiteral("Экспорт в xml"), [this] { ExportDoc(); });
  exportDoc->setIconText(QStringLiteral("Экспорт"));
  declaration->addAction(exportDoc);
  declaration->addAction(action("CheckDoc", QStringLiteral("Проверить"), [this] { CheckDoc(); }));
  declaration->addAction(
      action("ImportStatement", QStringLiteral("Дивиденды из отчета брокера…"), [this] { ImportStatement(); }));

  QMenu* settings = menuBar()->addMenu(QStringLiteral("Настройки"));
  settings->setObjectName(QStringLiteral("mnSettings"));
  actToolbar_ = new QAction(QStringLiteral("Стандартная панель"), this);
  actToolbar_->setObjectName(QStringLiteral("ToggleToolbar"));
  actToolbar_->setCheckable(true);
  connect(actToolbar_, &QAction::triggered, this, &TFormMain::ToggleToolbar);
  actLabels_ = new QAction(QStringLiteral("Подписи под кнопками"), this);
  actLabels_->setObjectName(QStringLiteral("ToggleLabels"));
  actLabels_->setCheckable(true);
  connect(actLabels_, &QAction::triggered, this, &TFormMain::ToggleLabels);
  settings->addAction(actToolbar_);
  settings->addAction(actLabels_);

  QMenu* help = menuBar()->addMenu(QStringLiteral("Справка"));
  help->setObjectName(QStringLiteral("mnHelp"));
  QAction* helpAction = action("Help", QStringLiteral("Справка"), [this] { Help(); });
  helpAction->setShortcut(QKeySequence(Qt::Key_F1));
  helpAction->setShortcutContext(Qt::ApplicationShortcut);
  help->addAction(helpAction);
  help->addSeparator();
  help->addAction(action("About", QStringLiteral("О программе"), [this] { About(); }));
}

void TFormMain::BuildToolBar() {
  CoolBarButtons_ = new QToolBar(this);
  CoolBarButtons_->setObjectName(QStringLiteral("CoolBarButtons"));
  CoolBarButtons_->setMovable(false);
  CoolBarButtons_->setFloatable(false);
  CoolBarButtons_->setContextMenuPolicy(Qt::PreventContextMenu);
  CoolBarButtons_->toggleViewAction()->setVisible(false);
  addToolBar(Qt::TopToolBarArea, CoolBarButtons_);
  struct Button {
    const char* Name;
    const char* Text;
    QStyle::StandardPixmap Icon;
    void (TFormMain::*Command)();
  };
  const Button buttons[] = {
      {"fbCreate", "Создать", QStyle::SP_FileIcon, &TFormMain::CreateDoc},
      {"fbOpen", "Открыть", QStyle::SP_DirOpenIcon, &TFormMain::OpenDoc},
      {"fbSave", "Сохранить", QStyle::SP_DialogSaveButton, &TFormMain::SaveDoc},
      {"fbView", "Просмотр", QStyle::SP_FileDialogContentsView, &TFormMain::PreviewDoc},
      {"fbPrint", "Печать", QStyle::SP_ComputerIcon, &TFormMain::PrintDoc},
      {"fbExsport", "Файл xml", QStyle::SP_ArrowRight, &TFormMain::ExportDoc},
      {"fbCheck", "Проверить", QStyle::SP_DialogApplyButton, &TFormMain::CheckDoc},
  };
  for (const Button& b : buttons) {
    auto* button = new QToolButton(CoolBarButtons_);
    button->setObjectName(QString::fromLatin1(b.Name));
    button->setText(QString::fromUtf8(b.Text));
    button->setToolTip(QString::fromUtf8(b.Text));
    button->setIcon(b.Command == &TFormMain::PrintDoc ? PrinterIcon() : ToolIcon(style(), b.Icon));
    button->setIconSize(QSize(24, 24));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, b.Command);
    CoolBarButtons_->addWidget(button);
    toolButtons_.push_back(button);
  }
}

void TFormMain::BuildSectionButtons(QWidget* panel) {
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* group = new QButtonGroup(panel);
  group->setExclusive(true);
  for (const NavInfo& nav : kNav) {
    auto* button = new QPushButton(QString::fromUtf8(nav.Text), panel);
    button->setObjectName(QString::fromLatin1(nav.Name));
    button->setToolTip(QString::fromUtf8(nav.Hint));
    button->setCheckable(true);
    button->setMinimumHeight(44);
    button->setMinimumWidth(190);
    group->addButton(button);
    layout->addWidget(button);
    navButtons_[static_cast<std::size_t>(nav.Button)] = button;
    const NavButton which = nav.Button;
    const PageId page = nav.Page;
    connect(button, &QPushButton::clicked, this, [this, page, which] { ShowPage(page, which); });
  }
  layout->addStretch();
}

void TFormMain::ApplyLabels(bool labels) {
  for (QToolButton* button : toolButtons_) {
    button->setToolButtonStyle(labels ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    button->setFixedSize(labels ? QSize(80, 47) : QSize(35, 35));
  }
  CoolBarButtons_->setMinimumHeight(labels ? 50 : 38);
}

// ---------------------------------------------------------------------------------------------
// Dictionaries

void TFormMain::LoadDictionaries() {
  std::string error;
  if (const std::optional<std::vector<InspectionChoice>> list =
          LoadInspectionDirectory(env_.DataFolder, ProgramFolder_, error)) {
    inspections_ = *list;
    InspectionsAvailable_ = true;
  } else if (!error.empty()) {
    presenter_->ShowMessage(std::string("Поменяйте язык и региональные стандарты ОС на русские. Или обратитесь на "
                                        "горячую линию программы: ") +
                                kSupportEmail,
                            kProductName, MessageIcon::Error);
    startupFailed_ = true;
    return;
  }
  // The other dictionaries are optional: one that cannot be read is reported and the window
  // goes on without it, as without the file.
  const TDictionaryFolders folders{ProgramFolder_, env_.DataFolder};
  const auto load = [this, &folders](auto& target, auto loader) {
    try {
      target = loader(folders);
    } catch (const std::exception& e) {
      target.reset();
      presenter_->ShowMessage(e.what(), kProductName, MessageIcon::Error);
    }
  };
  load(CountryPicker_, [](const TDictionaryFolders& f) { return TCountryDirectory::Load(f); });
  load(OkvedDictionary_, [](const TDictionaryFolders& f) { return TOkvedDictionary::Load(f); });
  load(CurrencyRates_, [](const TDictionaryFolders& f) { return TCurrencyRates::Load(f); });
}

std::optional<InspectionChoice> TFormMain::PickInspection(QWidget* parent, const std::string& currentCode) {
  if (!InspectionsAvailable_) return std::nullopt;
  if (!InspectionPicker_) {
    InspectionPicker_ = new TfmInspections(this, inspections_,
                                           TImportSettings{env_.DataFolder, ProgramFolder_, presenter_, dialogs_, {}});
  }
  (void)parent;
  return InspectionPicker_->Execute(currentCode);
}

std::optional<InspectionChoice> TFormMain::FindInspection(const std::string& code) const {
  return FindInspectionIn(inspections_, code);
}

// ---------------------------------------------------------------------------------------------
// The document lifecycle

std::unique_ptr<mTDeclaration> TFormMain::NewDeclaration() const {
  auto declaration = std::make_unique<mTDeclaration>();
  declaration->InspectionCode.clear();
  declaration->SignDate = Today();
  declaration->SignerKind = 0;
  declaration->SetSections(kSectionRussian);
  declaration->ConditionsPending = 1;
  return declaration;
}

void TFormMain::ResetToNewDocument() {
  switcher_->DestroyPage();
  Declaration_ = NewDeclaration();
  FileName_.clear();
}

void TFormMain::ShowConditionsPage() {
  switcher_->DestroyPage();
  switcher_->ShowDirect(PageId::InitialData, Button(NavButton::InitialData));
}

void TFormMain::ApplyButtonTable() {
  const mTDeclaration& d = *Declaration_;
  SetNavigationEnabled(NavButton::InitialData, true);
  SetNavigationEnabled(NavButton::PrsonInfo, true);
  SetNavigationEnabled(NavButton::RussianIncome, d.HasSection(kSectionRussian));
  SetNavigationEnabled(NavButton::BusinessIncome, d.HasSection(kSectionBusiness));
  SetNavigationEnabled(NavButton::ForeignIncome, d.HasSection(kSectionForeign));
  SetNavigationEnabled(NavButton::InvestTov, d.HasSection(kSectionInvestTov));
  SetNavigationEnabled(NavButton::Deduction, d.Sections != 0 && d.DeclarationForm == kForm3Resident);
}

void TFormMain::SetNavigationEnabled(NavButton button, bool enabled) { Button(button)->setEnabled(enabled); }

void TFormMain::UpdateCaption(bool leadingBlank) {
  if (FileName_.isEmpty()) {
    setWindowTitle(QStringLiteral("Без имени") + kCaptionSuffix);
    return;
  }
  setWindowTitle((leadingBlank ? QStringLiteral(" ") : QString()) + QFileInfo(FileName_).fileName() + kCaptionSuffix);
}

void TFormMain::ChangeNotice() {
  if (!SwitchingPage_) Saved_ = false;
}

void TFormMain::ReportError(const std::exception& error) {
  presenter_->ShowMessage(DescribeFileError(error), kProductName, MessageIcon::Error);
}

bool TFormMain::AskToSave() {
  if (Saved_) return true;
  switch (presenter_->AskYesNoCancel("Вы хотите сохранить декларацию?", kProductName)) {
    case QuestionAnswer::Cancel:
      return false;
    case QuestionAnswer::No:
      return true;
    case QuestionAnswer::Yes:
      break;
  }
  try {
    SaveUnderCurrentName();
  } catch (const std::exception& error) {
    // Nothing was saved: the command stops rather than lose the changes.
    ReportError(error);
    return false;
  }
  return true;
}

bool TFormMain::SaveUnderCurrentName() {
  if (FileName_.isEmpty()) {
    FileName_ = dialogs_->GetSaveFileName(this, QString::fromUtf8(kDeclarationFilter), QStringLiteral("tv6"));
    if (FileName_.isEmpty()) return false;
  }
  // A file of an earlier year is saved as this year's file beside it.
  if (!FileName_.endsWith(QLatin1Char('6'))) FileName_[FileName_.size() - 1] = QLatin1Char('6');
  if (TThinkingFrame* page = CurrentPage()) page->StoreData();
  Declaration_->SaveToFile(ToPath(FileName_));
  UpdateCaption();
  return true;
}

void TFormMain::CreateDoc() {
  if (!AskToSave()) return;
  ResetToNewDocument();
  ShowConditionsPage();
  Saved_ = true;
  UpdateCaption();
  ApplyButtonTable();
}

void TFormMain::OpenDoc() {
  if (!AskToSave()) return;
  // The page goes before the declaration it was built on.
  ResetToNewDocument();
  Declaration_ = std::make_unique<mTDeclaration>();
  const QString chosen = dialogs_->GetOpenFileName(this, QString(), QString::fromUtf8(kOpenFilter), QStringLiteral("tv6"));
  if (!chosen.isEmpty()) {
    FileName_ = chosen;
    try {
      Declaration_->LoadFromFile(ToPath(chosen));
    } catch (const std::exception& error) {
      // A partly loaded declaration is never kept.
      ReportError(error);
      Declaration_ = NewDeclaration();
      FileName_.clear();
    }
  } else {
    Declaration_ = NewDeclaration();
  }
  UpdateCaption();
  ShowConditionsPage();
  Saved_ = true;
  ApplyButtonTable();
}

bool TFormMain::ImportXml(const QString& path) {
  TReturnXmlImport imported;
  try {
    const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
    imported = ImportReturnXmlFile(ToPath(path), &dictionary);
  } catch (const std::exception& error) {
    // A refused file changes nothing.
    presenter_->ShowMessage(error.what(), kProductName, MessageIcon::Error);
    return false;
  }
  switcher_->DestroyPage();
  Declaration_ = std::move(imported.Declaration);
  FileName_.clear();
  const std::string losses = imported.LossMessage();
  if (!losses.empty()) presenter_->ShowMessage(losses, kProductName, MessageIcon::Information);
  return true;
}

void TFormMain::OpenXmlDoc() {
  if (!AskToSave()) return;
  const QString chosen = dialogs_->GetOpenFileName(this, QString(), QStringLiteral("Декларация в формате xml (*.xml)"),
                                                   QStringLiteral("xml"));
  if (chosen.isEmpty() || !ImportXml(chosen)) return;
  UpdateCaption();
  ShowConditionsPage();
  // Nothing of it is in a declaration file yet: saving asks for the name.
  Saved_ = false;
  ApplyButtonTable();
}

// A broker's dividends added to the foreign incomes after the preview; a statement that cannot
// be read, or the preview cancelled, changes nothing.
void TFormMain::ImportStatement() {
  const QString chosen = dialogs_->GetOpenFileName(
      this, QString(), QStringLiteral("Отчеты брокера (*.csv *.xml);;Все файлы (*)"), QStringLiteral("csv"));
  if (chosen.isEmpty()) return;
  std::vector<TStatement> statements;
  try {
    statements.push_back(ReadStatementFile(ToPath(chosen)));
  } catch (const std::exception& error) {
    presenter_->ShowMessage(error.what(), kProductName, MessageIcon::Error);
    return;
  }
  if (TThinkingFrame* page = CurrentPage()) page->StoreData();
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  TStatementContext context;
  context.Rates = CurrencyRates_ ? &*CurrencyRates_ : nullptr;
  context.Countries = CountryPicker_ ? &*CountryPicker_ : nullptr;
  context.Dictionary = &dictionary;
  TfmStatementImport preview(std::move(statements), *Declaration_, std::move(context), this);
  if (preview.exec() != QDialog::Accepted) return;
  if (ApplyStatementImport(preview.Import(), *Declaration_, &preview.Chosen()) == 0) return;
  // The page is built again over the incomes added, and the conditions page shows the section.
  switcher_->DestroyPage();
  Saved_ = false;
  ApplyButtonTable();
  ShowPage(PageId::Currency, NavButton::ForeignIncome);
}

void TFormMain::SaveDoc() {
  try {
    if (SaveUnderCurrentName()) Saved_ = true;
  } catch (const std::exception& error) {
    ReportError(error);
  }
}

void TFormMain::SaveAsDoc() {
  const QString chosen = dialogs_->GetSaveFileName(this, QString::fromUtf8(kDeclarationFilter), QStringLiteral("tv6"));
  if (chosen.isEmpty()) return;
  FileName_ = chosen;
  try {
    if (TThinkingFrame* page = CurrentPage()) page->StoreData();
    Declaration_->SaveToFile(ToPath(FileName_));
    UpdateCaption();
    Saved_ = true;
  } catch (const std::exception& error) {
    ReportError(error);
  }
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (!AskToSave()) {
    event->ignore();
    return;
  }
  switcher_->DestroyPage();
  if (InspectionPicker_) delete InspectionPicker_.data();
  CloseHelp();
  QSettings settings = ProgramSettings();
  const QRect bounds = isMaximized() ? normalGeometry() : geometry();
  settings.setValue(QStringLiteral("FullScreen"), isMaximized() ? 1 : 0);
  settings.setValue(QStringLiteral("wLeft"), bounds.x());
  settings.setValue(QStringLiteral("wTop"), bounds.y());
  settings.setValue(QStringLiteral("wWidth"), bounds.width());
  settings.setValue(QStringLiteral("wHeight"), bounds.height());
  event->accept();
}

// ---------------------------------------------------------------------------------------------
// Pages and the check

void TFormMain::ShowPage(PageId target, NavButton button) { switcher_->ShowPage(target, Button(button)); }

int TFormMain::CheckAndNavigate() {
  if (TThinkingFrame* page = CurrentPage()) page->StoreData();
  const CheckResult result = env_.Check(*Declaration_, *presenter_);
  // Read by outcome, not by the packed word alone: a fix whose item is 0 packs to a zero high
  // word and would read as passed.
  switch (result.Result) {
    case CheckResult::Outcome::Passed:
      return 0;
    case CheckResult::Outcome::Cancelled:
      return 2;
    case CheckResult::Outcome::Fix:
      break;
  }
  const std::uint32_t packed = result.Packed();
  Navigate(static_cast<int>(packed & 0xFFFFu), static_cast<int>(packed >> 16));
  return 1;
}

void TFormMain::Navigate(int page, int item) {
  struct Target {
    PageId Page;
    NavButton Button;
    std::optional<PageId> Sub;
  };
  std::optional<Target> target;
  switch (page) {
    case 1: target = Target{PageId::InitialData, NavButton::InitialData, std::nullopt}; break;
    case 2: target = Target{PageId::PersonData, NavButton::PrsonInfo, PageId::PersonNaim}; break;
    case 3: target = Target{PageId::PersonData, NavButton::PrsonInfo, PageId::PersonAddress}; break;
    case 4: target = Target{PageId::RussianIncome, NavButton::RussianIncome, PageId::ThirteenPercent}; break;
    case 5: target = Target{PageId::RussianIncome, NavButton::RussianIncome, PageId::ThirtyPercent}; break;
    case 6: target = Target{PageId::RussianIncome, NavButton::RussianIncome, PageId::ThirtyFivePercent}; break;
    case 7: target = Target{PageId::Currency, NavButton::ForeignIncome, std::nullopt}; break;
    case 8: target = Target{PageId::BusinessNew, NavButton::BusinessIncome, std::nullopt}; break;
    case 9: target = Target{PageId::FrameDeductData, NavButton::Deduction, PageId::FrameStandartDeduct}; break;
    case 10: target = Target{PageId::FrameDeductData, NavButton::Deduction, PageId::FramePensDeduct}; break;
    case 11: target = Target{PageId::FrameDeductData, NavButton::Deduction, PageId::MultyConstructionDeduct}; break;
    case 12: target = Target{PageId::InvestTov, NavButton::InvestTov, std::nullopt}; break;
    default: return;
  }
  TThinkingFrame* shown = switcher_->ShowDirect(target->Page, Button(target->Button));
  if (target->Sub) {
    if (auto* composite = qobject_cast<TCompositeFrame*>(shown)) shown = composite->ShowSubPageDirect(*target->Sub);
  }
  if (shown != nullptr) shown->ShowError(static_cast<std::uint16_t>(item));
}

void TFormMain::CheckDoc() {
  if (CheckAndNavigate() == 0) {
    presenter_->ShowMessage("Проверка декларации завершена успешно", kProductName, MessageIcon::Information);
  }
}

// ---------------------------------------------------------------------------------------------
// Export, preview and print

void TFormMain::ExportDoc() {
  if (CheckAndNavigate() != 0) return;
  DisabledWhile disabled(this);
  const QString chosen = dialogs_->GetExistingDirectory(this, QString::fromUtf8(kProductName));
  if (chosen.isEmpty()) return;
  const std::string folder = FolderText(ToPath(chosen));
  const std::string result =
      env_.Export(std::filesystem::path(folder), *Declaration_, kExportToFile, *presenter_);
  std::string message;
  if (result == "ERROR") {
    message = "Файл не сформирован, свяжитесь с разработчиками.";
  } else if (std::error_code ec; std::filesystem::exists(std::filesystem::path(folder) / result, ec)) {
    message = "Сформирован файл " + folder + " " + result;
  } else {
    message =
        "Не удалось сохранить файл в указанный каталог. Выберите другой каталог или запускайте программу с "
        "правами администратора.";
  }
  presenter_->ShowMessage(message, kProductName, MessageIcon::Information);
}

void TFormMain::PreviewDoc() {
  if (CheckAndNavigate() != 0) return;
  DisabledWhile disabled(this);
  PrintDeclaration(2);
}

void TFormMain::PrintDoc() {
  if (CheckAndNavigate() != 0) return;
  DisabledWhile disabled(this);
  PrintDeclaration(3);
}

void TFormMain::PrintDeclaration(int kind) {
  if (CheckAndNavigate() != 0) return;
  std::unique_ptr<IPrintModule> module;
  try {
    module = env_.CreatePrintModule();
  } catch (const std::exception&) {
    module.reset();
  }
  if (!module) {
    presenter_->ShowMessage(
        "Не найден модуль печати. Войдите в рабочий каталог программы \"Тальвер 2016\" и запустите файл "
        "\"Печать QUIRTA(3.2.4).msi\"",
        kProductName, MessageIcon::Error);
    return;
  }
  try {
    module->SetPrintTiffParam(kRecipientParam, Declaration_->InspectionName);
    std::string folder = FolderText(ProgramFolder_);
    module->SetPrintTiffFolder(folder);
    std::string xml = env_.Export(ProgramFolder_, *Declaration_, kExportToText, *presenter_);
    if (xml == "ERROR") return;
    if (kind == 2) {
      module->PreviewData(xml, static_cast<std::int32_t>(winId()));
      return;
    }
    QString printer;
    int copies = 0;
    if (!dialogs_->ChoosePrinter(this, printer, copies)) return;
    std::string printerName = printer.toStdString();
    for (int i = 0; i < copies; ++i) module->PrintData(xml, "", printerName, 0);
  } catch (const std::exception& error) {
    presenter_->ShowMessage(error.what(), kProductName, MessageIcon::Error);
  }
}

// ---------------------------------------------------------------------------------------------
// Settings, help, about

void TFormMain::ToggleToolbar(bool show) {
  ProgramSettings().setValue(QStringLiteral("ShowStdToolbar"), show ? 1 : 0);
  actToolbar_->setChecked(show);
  CoolBarButtons_->setVisible(show);
}

void TFormMain::ToggleLabels(bool labels) {
  ProgramSettings().setValue(QStringLiteral("TextLabels"), labels ? 1 : 0);
  actLabels_->setChecked(labels);
  ApplyLabels(labels);
}

void TFormMain::Help() { ShowHelpTopic(ProgramFolder_, "runprogramm.htm", *presenter_); }

void TFormMain::About() {
  TfmAbout about(this, *dialogs_, *presenter_);
  about.exec();
}

}  // namespace talver
