// The one table of section pages. A new page is a class derived from TThinkingFrame with the
// constructor (QWidget* owner, TPageHost& host) and a row here that names it.
#include <array>

#include "ui/framework/CompositePages.h"
#include "ui/pages/FrameBusinessNew.h"
#include "ui/pages/FrameCB.h"
#include "ui/pages/FrameCurrency.h"
#include "ui/pages/FrameInitialData.h"
#include "ui/pages/FrameInvestTov.h"
#include "ui/pages/FrameNinePercent.h"
#include "ui/pages/FrameMultyConstructionDeduct.h"
#include "ui/pages/FramePensDeduct.h"
#include "ui/pages/FramePersonAddress.h"
#include "ui/pages/FramePersonNaim.h"
#include "ui/pages/FrameStandartDeduct.h"
#include "ui/pages/FrameThirteenPercent.h"
#include "ui/pages/FrameThirteenPercentNR.h"
#include "ui/pages/FrameThirtyFivePercent.h"
#include "ui/pages/FrameThirtyPercent.h"
#include "ui/framework/MyFrame.h"
#include "ui/framework/Pages.h"

namespace talver {
namespace {

using PageFactory = TThinkingFrame* (*)(QWidget* container, TPageHost& host);

template <class Page>
TThinkingFrame* Make(QWidget* container, TPageHost& host) {
  return new Page(container, host);
}

struct PageEntry {
  PageId Id;
  std::string_view ClassName;
  std::string_view Title;
  PageFactory Factory;
};

constexpr std::array kPages{
    PageEntry{PageId::InitialData, "TfrInitialData", "Задание условий", &Make<TfrInitialData>},
    PageEntry{PageId::PersonData, "TfrPersonData", "Сведения о декларанте", &Make<TfrPersonData>},
    PageEntry{PageId::PersonNaim, "TfrPersonNaim", "Персональные данные", &Make<TfrPersonNaim>},
    PageEntry{PageId::PersonAddress, "TfrPersonAddress", "Адрес", &Make<TfrPersonAddress>},
    PageEntry{PageId::RussianIncome, "TfrRussianIncome", "Доходы, полученные в РФ", &Make<TfrRussianIncome>},
    PageEntry{PageId::ThirteenPercent, "TfrThirteenPercent", "Доходы, облагаемые по ставке 13%", &Make<TfrThirteenPercent>},
    PageEntry{PageId::NinePercent, "TfrNinePercent", "Доходы, облагаемые по ставке 9% (НЕ дивиденды)", &Make<TfrNinePercent>},
    PageEntry{PageId::ThirtyFivePercent, "TfrThirtyFivePercent", "Доходы, облагаемые по ставке 35%",
              &Make<TfrThirtyFivePercent>},
    PageEntry{PageId::ThirteenPercentNR, "TTfrThirteenPercentNR",
              "Доходы нерезидентов, высококвалифицированных специалистов", &Make<TTfrThirteenPercentNR>},
    PageEntry{PageId::ThirtyPercent, "TfrThirtyPercent", "Дивиденды", &Make<TfrThirtyPercent>},
    PageEntry{PageId::Currency, "TfrCurrency", "Доходы за пределами РФ", &Make<TfrCurrency>},
    PageEntry{PageId::BusinessNew, "TfrBusinessNew", "Предприниматели", &Make<TfrBusinessNew>},
    PageEntry{PageId::InvestTov, "TfrInvestTov", "Инвест. товарищества", &Make<TfrInvestTov>},
    PageEntry{PageId::FrameDeductData, "TfrFrameDeductData", "Вычеты", &Make<TfrFrameDeductData>},
    PageEntry{PageId::FrameStandartDeduct, "TfrFrameStandartDeduct", "Стандартные налоговые вычеты",
              &Make<TfrFrameStandartDeduct>},
    PageEntry{PageId::MultyConstructionDeduct, "TfrMultyConstructionDeduct", "Имущественный налоговый вычет",
              &Make<TfrMultyConstructionDeduct>},
    PageEntry{PageId::FramePensDeduct, "TfrFramePensDeduct", "Социальные налоговые вычеты", &Make<TfrFramePensDeduct>},
    PageEntry{PageId::CB, "TfrCB", "Инвестиционный и убытки по ЦБ", &Make<TfrCB>},
};

const PageEntry& Entry(PageId id) {
  for (const PageEntry& entry : kPages) {
    if (entry.Id == id) return entry;
  }
  return kPages.front();
}

}  // namespace

std::string_view PageClassName(PageId id) { return Entry(id).ClassName; }
std::string_view PageTitle(PageId id) { return Entry(id).Title; }

TThinkingFrame* CreatePage(PageId id, QWidget* container, TPageHost& host) {
  return Entry(id).Factory(container, host);
}

}  // namespace talver
