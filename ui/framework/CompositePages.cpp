#include "ui/framework/CompositePages.h"

#include <QToolButton>

namespace talver {

TfrPersonData::TfrPersonData(QWidget* owner, TPageHost& host)
    : TCompositeFrame(owner, host, PageId::PersonData, PageTitle(PageId::PersonData)) {
  QToolButton* naim = AddSubButton(PageId::PersonNaim, QStringLiteral("Персональные данные"),
                                   QStringLiteral("Сведения о ФИО и документе, удостоверяющем личность"),
                                   "sbPersonNaim");
  QToolButton* address = AddSubButton(PageId::PersonAddress, QStringLiteral("Адрес"),
                                      QStringLiteral("Сведения о месте жительства"), "sbPersonAddress");
  address->setHidden(Declaration().DeclarationForm == kForm4);
  ShowFirst(naim);
}

TfrRussianIncome::TfrRussianIncome(QWidget* owner, TPageHost& host)
    : TCompositeFrame(owner, host, PageId::RussianIncome, PageTitle(PageId::RussianIncome)) {
  const std::uint8_t form = Declaration().DeclarationForm;
  if (form == kForm4) {
    ShowFirst(nullptr);
    return;
  }
  const bool resident = form == kForm3Resident;
  QToolButton* first = nullptr;
  if (resident) {
    first = AddSubButton(PageId::ThirteenPercent, QStringLiteral("13%"),
                         QStringLiteral("Доходы, облагаемые по ставке 13% (КРОМЕ ДИВИДЕНДОВ), полученные от "
                                        "налоговых агентов или иных источников выплаты, в т.ч. от физических лиц"),
                         "sbIncome1");
    AddSubButton(PageId::NinePercent, QStringLiteral("9%"),
                 QStringLiteral("Доходы, облагаемые по ставке 9% (НЕ дивиденды)"), "sbIncome2");
    AddSubButton(PageId::ThirtyFivePercent, QStringLiteral("35%"), QStringLiteral("Доходы, облагаемые по ставке 35%"),
                 "sbIncome3");
    AddSubButton(PageId::ThirtyPercent, QStringLiteral("Дивиденды"), QStringLiteral("Дивиденды"), "sbIncome7");
  } else {
    first = AddSubButton(PageId::ThirteenPercent, QStringLiteral("30%"), QStringLiteral("Доходы нерезидента"),
                         "sbIncome1");
    AddSubButton(PageId::ThirtyPercent, QStringLiteral("15%"), QStringLiteral("Дивиденды нерезидента"), "sbIncome2");
    AddSubButton(PageId::ThirteenPercentNR, QStringLiteral("13%"),
                 QStringLiteral("Доходы нерезидентов, высококвалифицированных специалистов"), "sbIncome6");
  }
  ShowFirst(first);
}

TfrFrameDeductData::TfrFrameDeductData(QWidget* owner, TPageHost& host)
    : TCompositeFrame(owner, host, PageId::FrameDeductData, PageTitle(PageId::FrameDeductData)) {
  QToolButton* standard = AddSubButton(PageId::FrameStandartDeduct, QStringLiteral("Стандартные"),
                                       QStringLiteral("Стандартные налоговые вычеты"), "sbStandartDeduct");
  AddSubButton(PageId::MultyConstructionDeduct, QStringLiteral("Имущественный"),
               QStringLiteral("Имущественный налоговый вычет на строительство"), "sbMultyConstructionDeduct");
  AddSubButton(PageId::FramePensDeduct, QStringLiteral("Социальные"), QStringLiteral("Социальные налоговые вычеты"),
               "sbFramePensDeduct");
  AddSubButton(PageId::CB, QStringLiteral("Инвестиционный и убытки по ЦБ"),
               QStringLiteral("Убытки прошлых налоговых периодов по операциям с ЦБ и инвестиционный вычет"), "sbCB");
  ShowFirst(standard);
}

}  // namespace talver
