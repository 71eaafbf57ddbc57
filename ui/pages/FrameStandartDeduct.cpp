#include "ui/pages/FrameStandartDeduct.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dictionaries/BuiltInTables.h"
#include "platform/NumberText.h"
#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/dialogs/StdDeductCombination.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

constexpr const char* kShortMonths[12] = {"Янв.", "Фев.", "Март", "Апр.", "Май", "Июнь",
                                          "Июль", "Авг.", "Сен.", "Окт.", "Ноя.", "Дек."};

QString Numbered(const char* name, std::size_t month0) {
  return QStringLiteral("%1%2").arg(QString::fromLatin1(name)).arg(month0 + 1, 2, 10, QLatin1Char('0'));
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  auto* radio = new QRadioButton(text, parent);
  radio->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) radio->setToolTip(hint);
  return radio;
}

QString CountText(std::int32_t count) { return FromUtf8(IntToText(count)); }

}  // namespace

TfrFrameStandartDeduct::TfrFrameStandartDeduct(QWidget* owner, TPageHost& host)
    : TThinkingFrame(owner, host, PageId::FrameStandartDeduct),
      businessIncomes_((host.Declaration().Sections & (kSectionBusiness | kSectionLegacy)) != 0) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);
  gbStandartDeduct = new QGroupBox(QStringLiteral("  Стандартные налоговые вычеты (коды 104-105,114-149)"), this);
  gbStandartDeduct->setObjectName(QStringLiteral("gbStandartDeduct"));
  layout->addWidget(gbStandartDeduct);
  layout->addStretch();
  auto* group = new QVBoxLayout(gbStandartDeduct);

  cbGranted = new QCheckBox(QStringLiteral("Предоставить стандартные вычеты"), gbStandartDeduct);
  cbGranted->setObjectName(QStringLiteral("cbGranted"));
  group->addWidget(cbGranted, 0, Qt::AlignLeft);

  // The taxpayer's own code, the children's mode, and the guardian's box beside them.
  auto* modes = new QHBoxLayout;
  const QString selfHint = QStringLiteral("Вычеты на себя");
  gbPersonal = new QGroupBox(gbStandartDeduct);
  gbPersonal->setObjectName(QStringLiteral("gbPersonal"));
  gbPersonal->setToolTip(selfHint);
  auto* personal = new QVBoxLayout(gbPersonal);
  rbPersonal105 = MakeRadio(gbPersonal, "rbPersonal105", QStringLiteral("Код 105 - 3000 в месяц"), selfHint);
  rbPersonal104 = MakeRadio(gbPersonal, "rbPersonal104", QStringLiteral("Код 104 - 500 в месяц"), selfHint);
  rbPersonal103 = MakeRadio(gbPersonal, "rbPersonal103", QStringLiteral("Нет ни 104, ни 105 вычета"), selfHint);
  rbPersonal110 = MakeRadio(gbPersonal, "rbPersonal110", QStringLiteral("Код менялся"), selfHint);
  for (QRadioButton* r : {rbPersonal105, rbPersonal104, rbPersonal103, rbPersonal110}) {
    personal->addWidget(r, 0, Qt::AlignLeft);
  }
  modes->addWidget(gbPersonal);

  gbChildMode = new QGroupBox(gbStandartDeduct);
  gbChildMode->setObjectName(QStringLiteral("gbChildMode"));
  auto* childMode = new QVBoxLayout(gbChildMode);
  rbChild101 = MakeRadio(gbChildMode, "rbChild101", QStringLiteral("Вычет на ребенка (детей)"), QString());
  rbChild102 = MakeRadio(gbChildMode, "rbChild102", QStringLiteral("Вычет на ребенка (детей) единственному родителю"),
                         QStringLiteral("или при отказе второго родителя от вычета"));
  rbChild103 = MakeRadio(gbChildMode, "rbChild103", QStringLiteral("Статус менялся"), QString());
  for (QRadioButton* r : {rbChild101, rbChild102, rbChild103}) childMode->addWidget(r, 0, Qt::AlignLeft);
  childMode->addStretch();
  modes->addWidget(gbChildMode);

  pnGuardian = new QFrame(gbStandartDeduct);
  pnGuardian->setObjectName(QStringLiteral("pnGuardian"));
  pnGuardian->setFrameShape(QFrame::StyledPanel);
  auto* guardian = new QVBoxLayout(pnGuardian);
  guardian->setSpacing(0);
  cbGuardianOrFoster = new QCheckBox(QStringLiteral("Я являюсь:"), pnGuardian);
  cbGuardianOrFoster->setObjectName(QStringLiteral("cbGuardianOrFoster"));
  guardian->addWidget(cbGuardianOrFoster, 0, Qt::AlignLeft);
  for (const char* line : {"попечителем, ", "опекуном или", "приемным ", "родителем"}) {
    auto* label = new QLabel(QString::fromUtf8(line), pnGuardian);
    label->setIndent(20);
    guardian->addWidget(label);
  }
  guardian->addStretch();
  modes->addWidget(pnGuardian, 0, Qt::AlignTop);
  modes->addStretch();
  group->addLayout(modes);

  // The three counts, each for the whole year or under the month captions.
  pnChildren = new QWidget(gbStandartDeduct);
  pnChildren->setObjectName(QStringLiteral("pnChildren"));
  auto* grid = new QGridLayout(pnChildren);
  grid->setContentsMargins(0, 6, 0, 0);
  grid->setHorizontalSpacing(4);
  const std::vector<std::string>& names = MonthNames();
  for (std::size_t m = 0; m < 12; ++m) {
    auto* caption = new QLabel(FromModel(names[m]), pnChildren);
    caption->setAlignment(Qt::AlignCenter);
    grid->addWidget(caption, 0, static_cast<int>(m));
  }
  BuildCountGroup(children_, "Children", QStringLiteral("Количество детей в году не изменялось и составило"),
                  QStringLiteral("ребенка (детей)"), 2, QStringLiteral("Количество детей в этом месяце"));
  BuildCountGroup(disabled_, "Disabled", QStringLiteral("Количество детей-инвалидов в году не изменялось и составило"),
                  QString(), 99, QStringLiteral("Количество детей инвалидов I и II групп в этом месяце"));
  BuildCountGroup(third_, "Third", QStringLiteral("Количество детей, начиная с 3-го не изменялось и составило"),
                  QString(), 99, QStringLiteral("Количество детей в этом месяце, считая с 3-го"));
  int row = 1;
  for (CountGroup* g : {&children_, &disabled_, &third_}) {
    auto* line = new QHBoxLayout;
    line->addWidget(g->Const);
    line->addWidget(g->Count);
    line->addSpacing(4);
    if (g->Suffix != nullptr) line->addWidget(g->Suffix);
    line->addStretch();
    grid->addLayout(line, row++, 0, 1, 12);
    for (std::size_t m = 0; m < 12; ++m) grid->addWidget(g->Months[m], row, static_cast<int>(m), Qt::AlignCenter);
    ++row;
  }
  group->addWidget(pnChildren);

  // The entrepreneur's incomes and expenses month by month.
  gbMonthly = new QGroupBox(QStringLiteral("Доходы/расходы помесячно для предпринимателей"), gbStandartDeduct);
  gbMonthly->setObjectName(QStringLiteral("gbMonthly"));
  auto* monthly = new QGridLayout(gbMonthly);
  monthly->setHorizontalSpacing(4);
  auto* incomeLabel = new QLabel(QStringLiteral("Доходы"), gbMonthly);
  auto* expenseLabel = new QLabel(QStringLiteral("Расходы"), gbMonthly);
  monthly->addWidget(incomeLabel, 1, 0);
  monthly->addWidget(expenseLabel, 2, 0);
  for (std::size_t m = 0; m < 12; ++m) {
    cbMonth[m] = new QCheckBox(QString::fromUtf8(kShortMonths[m]), gbMonthly);
    cbMonth[m]->setObjectName(Numbered("cbMonth", m));
    edIncome[m] = MakeEdit(gbMonthly, "", EditType::edtCurrency, 12, 2);
    edIncome[m]->setObjectName(Numbered("edIncome", m));
    edExpense[m] = MakeEdit(gbMonthly, "", EditType::edtCurrency, 12, 2);
    edExpense[m]->setObjectName(Numbered("edExpense", m));
    for (TMaskedEdit* e : {edIncome[m], edExpense[m]}) e->setMinimumWidth(54);
    const int column = static_cast<int>(m) + 1;
    monthly->addWidget(cbMonth[m], 0, column, Qt::AlignCenter);
    monthly->addWidget(edIncome[m], 1, column);
    monthly->addWidget(edExpense[m], 2, column);
  }
  incomeLabel->setBuddy(edIncome[0]);
  expenseLabel->setBuddy(edExpense[0]);
  group->addWidget(gbMonthly);

  // Fill from the model.
  const mTStandartDeduct& sd = Declaration().StandardDeduct;
  cbGranted->setChecked(sd.Granted != 0);
  personalCode_ = sd.PersonalCode;
  childMode_ = sd.ChildMode;
  rbPersonal105->setChecked(sd.PersonalCode == 105);
  rbPersonal104->setChecked(sd.PersonalCode == 104);
  rbPersonal103->setChecked(sd.PersonalCode == 103);
  rbPersonal110->setChecked(sd.PersonalCode == 110);
  rbChild101->setChecked(sd.ChildMode == 101);
  rbChild102->setChecked(sd.ChildMode == 102);
  rbChild103->setChecked(sd.ChildMode == 103);
  FillCountGroup(children_, sd.ChildrenConst, sd.ChildrenCount, sd.ChildrenByMonth);
  FillCountGroup(disabled_, sd.DisabledConst, sd.DisabledCount, sd.DisabledByMonth);
  FillCountGroup(third_, sd.ThirdConst, sd.ThirdCount, sd.ThirdByMonth);
  cbGuardianOrFoster->setChecked(sd.GuardianOrFoster != 0);
  for (std::size_t m = 0; m < 12; ++m) {
    cbMonth[m]->setChecked(sd.MonthChecked[m] != 0);
    edIncome[m]->setText(AmountText(sd.MonthIncome[m]));
    edExpense[m]->setText(AmountText(sd.MonthExpense[m]));
  }
  UpdateGuardian();
  UpdateEnabling();

  connect(cbGranted, &QCheckBox::clicked, this, [this] {
    UpdateEnabling();
    NotifyChanged();
  });
  const std::pair<QRadioButton*, std::int32_t> personalCodes[] = {
      {rbPersonal105, 105}, {rbPersonal104, 104}, {rbPersonal103, 103}, {rbPersonal110, 110}};
  for (const auto& [radio, code] : personalCodes) {
    connect(radio, &QRadioButton::clicked, this, [this, code = code] { PersonalChosen(code); });
  }
  const std::pair<QRadioButton*, std::int32_t> childModes[] = {{rbChild101, 101}, {rbChild102, 102}, {rbChild103, 103}};
  for (const auto& [radio, mode] : childModes) {
    connect(radio, &QRadioButton::clicked, this, [this, mode = mode] { ChildModeChosen(mode); });
  }
  rbPersonal110->installEventFilter(this);
  rbChild103->installEventFilter(this);
  for (CountGroup* g : {&children_, &disabled_, &third_}) {
    connect(g->Const, &QCheckBox::clicked, this, [this, g] {
      ApplyCountMode(*g);
      UpdateGuardian();
      NotifyChanged();
    });
    connect(g->Count, &QSpinBox::valueChanged, this, [this, g] {
      ApplyCountMode(*g);
      UpdateGuardian();
      NotifyChanged();
    });
  }
  for (TMaskedEdit* e : disabled_.Months) connect(e, &TMaskedEdit::Change, this, [this] { UpdateGuardian(); });
  connect(cbGuardianOrFoster, &QCheckBox::clicked, this, [this] { NotifyChanged(); });
  for (std::size_t m = 0; m < 12; ++m) {
    const int month0 = static_cast<int>(m);
    connect(cbMonth[m], &QCheckBox::clicked, this, [this, month0](bool ticked) { MonthTicked(month0, ticked); });
    connect(edIncome[m], &QLineEdit::textEdited, this, [this, month0] { IncomeTyped(month0); });
  }
}

void TfrFrameStandartDeduct::BuildCountGroup(CountGroup& group, const char* name, const QString& caption,
                                             const QString& suffix, int maximum, const QString& monthHint) {
  group.Const = new QCheckBox(caption, pnChildren);
  group.Const->setObjectName(QStringLiteral("cb%1Const").arg(QString::fromLatin1(name)));
  group.Count = new QSpinBox(pnChildren);
  group.Count->setObjectName(QStringLiteral("ed%1Count").arg(QString::fromLatin1(name)));
  group.Count->setRange(0, maximum);
  // The first count has its up-down arrows; the others are typed.
  if (maximum > 9) group.Count->setButtonSymbols(QAbstractSpinBox::NoButtons);
  group.Count->setFixedWidth(maximum > 9 ? 40 : 48);
  if (!suffix.isEmpty()) group.Suffix = MakeLabel(pnChildren, suffix, group.Count);
  for (std::size_t m = 0; m < 12; ++m) {
    TMaskedEdit* month = MakeEdit(pnChildren, "", EditType::edtDigital, 2);
    month->setObjectName(Numbered(("ed" + std::string(name)).c_str(), m));
    month->setToolTip(monthHint);
    month->setFixedWidth(40);
    month->setAlignment(Qt::AlignCenter);
    group.Months[m] = month;
  }
}

void TfrFrameStandartDeduct::FillCountGroup(CountGroup& group, std::uint8_t isConst, std::int32_t count,
                                            const std::array<std::int32_t, 12>& byMonth) {
  group.Const->setChecked(isConst != 0);
  group.Count->setValue(count);
  for (std::size_t m = 0; m < 12; ++m) group.Months[m]->setText(CountText(byMonth[m]));
  ApplyCountMode(group);
}

void TfrFrameStandartDeduct::ApplyCountMode(CountGroup& group) {
  const bool isConst = group.Const->isChecked();
  group.Count->setEnabled(isConst);
  for (TMaskedEdit* month : group.Months) {
    if (isConst) month->setText(CountText(group.Count->value()));
    month->setReadOnly(isConst);
    // A month that only shows the year's count is no stop for Tab.
    month->setFocusPolicy(isConst ? Qt::NoFocus : Qt::StrongFocus);
    if (isConst) {
      ShowAsPanel(month);
    } else {
      month->setStyleSheet(QString());
    }
  }
}

void TfrFrameStandartDeduct::UpdateGuardian() {
  bool any = false;
  if (disabled_.Const->isChecked()) {
    any = disabled_.Count->value() > 0;
  } else {
    for (const TMaskedEdit* month : disabled_.Months) any = any || NumberOrZero(month->text()) > 0;
  }
  pnGuardian->setVisible(any);
}

void TfrFrameStandartDeduct::UpdateEnabling() {
  const bool granted = cbGranted->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(gbPersonal), static_cast<QWidget*>(gbChildMode),
                     static_cast<QWidget*>(pnChildren), static_cast<QWidget*>(pnGuardian)}) {
    w->setEnabled(granted);
  }
  gbMonthly->setEnabled(granted && businessIncomes_);
}

// ---------------------------------------------------------------------------------------------
// The codes that changed during the year

void TfrFrameStandartDeduct::PersonalChosen(std::int32_t code) {
  const std::int32_t previous = personalCode_;
  personalCode_ = code;
  if (code == previous) return;
  NotifyChanged();
  if (code == 110) {
    EditPersonalByMonth();
  } else {
    Declaration().StandardDeduct.PersonalByMonthGiven = 0;
  }
}

void TfrFrameStandartDeduct::ChildModeChosen(std::int32_t mode) {
  const std::int32_t previous = childMode_;
  childMode_ = mode;
  if (mode == previous) return;
  NotifyChanged();
  if (mode == 103) {
    EditChildModeByMonth();
  } else {
    Declaration().StandardDeduct.ChildModeByMonthGiven = 0;
  }
}

void TfrFrameStandartDeduct::EditPersonalByMonth() {
  mTStandartDeduct& sd = Declaration().StandardDeduct;
  TfmStdDeductCombination dialog(this, {QStringLiteral("----"), QStringLiteral("104"), QStringLiteral("105")},
                                 QString(), sd.PersonalCodeByMonth);
  if (dialog.exec() != QDialog::Accepted) return;
  sd.PersonalByMonthGiven = 1;
  sd.PersonalCodeByMonth = dialog.Choice();
  NotifyChanged();
}

void TfrFrameStandartDeduct::EditChildModeByMonth() {
  mTStandartDeduct& sd = Declaration().StandardDeduct;
  TfmStdDeductCombination dialog(this, {QStringLiteral("да"), QStringLiteral("нет")},
                                 QStringLiteral("В этом месяце был статус единственного родителя (опекуна)"),
                                 sd.ChildModeByMonth);
  if (dialog.exec() != QDialog::Accepted) return;
  sd.ChildModeByMonthGiven = 1;
  sd.ChildModeByMonth = dialog.Choice();
  NotifyChanged();
}

bool TfrFrameStandartDeduct::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == rbPersonal110 && rbPersonal110->isChecked() && rbPersonal110->isEnabled()) {
      EditPersonalByMonth();
      return true;
    }
    if (watched == rbChild103 && rbChild103->isChecked() && rbChild103->isEnabled()) {
      EditChildModeByMonth();
      return true;
    }
  }
  return TThinkingFrame::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// The entrepreneur's months

void TfrFrameStandartDeduct::MonthTicked(int month0, bool ticked) {
  const auto m = static_cast<std::size_t>(month0);
  if (!ticked) {
    edIncome[m]->clear();
    edExpense[m]->clear();
  }
  NotifyChanged();
}

void TfrFrameStandartDeduct::IncomeTyped(int month0) {
  const auto m = static_cast<std::size_t>(month0);
  if (!edIncome[m]->text().isEmpty() && !cbMonth[m]->isChecked()) {
    cbMonth[m]->setChecked(true);
    NotifyChanged();
  }
}

// ---------------------------------------------------------------------------------------------

void TfrFrameStandartDeduct::StoreData() {
  mTStandartDeduct& sd = Declaration().StandardDeduct;
  sd.Granted = cbGranted->isChecked() ? 1 : 0;
  if (sd.Granted == 0) return;
  // A code no button stands for (a file may bring one) stays as it was.
  if (rbPersonal105->isChecked()) sd.PersonalCode = 105;
  if (rbPersonal104->isChecked()) sd.PersonalCode = 104;
  if (rbPersonal103->isChecked()) sd.PersonalCode = 103;
  if (rbPersonal110->isChecked()) sd.PersonalCode = 110;
  if (rbChild101->isChecked()) sd.ChildMode = 101;
  if (rbChild102->isChecked()) sd.ChildMode = 102;
  if (rbChild103->isChecked()) sd.ChildMode = 103;

  const auto store = [](const CountGroup& g, auto setConst, auto setMonth) {
    if (g.Const->isChecked()) {
      setConst(g.Count->value());
      return;
    }
    for (std::size_t m = 0; m < 12; ++m) setMonth(static_cast<int>(m), NumberOrZero(g.Months[m]->text()));
  };
  store(
      children_, [&sd](std::int32_t c) { sd.SetChildrenConst(c); },
      [&sd](int m, std::int32_t c) { sd.SetChildrenInMonth(m, c); });
  store(
      disabled_, [&sd](std::int32_t c) { sd.SetDisabledConst(c); },
      [&sd](int m, std::int32_t c) { sd.SetDisabledInMonth(m, c); });
  store(
      third_, [&sd](std::int32_t c) { sd.SetThirdConst(c); }, [&sd](int m, std::int32_t c) { sd.SetThirdInMonth(m, c); });
  sd.GuardianOrFoster = cbGuardianOrFoster->isChecked() ? 1 : 0;

  bool anyMonth = false;
  for (std::size_t m = 0; m < 12; ++m) {
    // An emptied field is an amount of 0: a month unticked loses its figures.
    sd.SetMonthIncome(static_cast<int>(m) + 1, AmountOrZero(edIncome[m]->text()));
    sd.SetMonthExpense(static_cast<int>(m) + 1, AmountOrZero(edExpense[m]->text()));
    sd.MonthChecked[m] = cbMonth[m]->isChecked() ? 1 : 0;
    anyMonth = anyMonth || cbMonth[m]->isChecked();
  }
  sd.MonthlyIncomeGiven = anyMonth ? 1 : 0;
}

}  // namespace talver
