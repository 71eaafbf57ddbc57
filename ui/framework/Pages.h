#pragma once
// Every section page of the program by its identity, and the one table (PageRegistry.cpp) that
// says which class builds each. A page not yet written is shown as a titled empty page.
#include <string_view>

class QWidget;

namespace talver {

class TPageHost;
class TThinkingFrame;

enum class PageId {
  InitialData,              // TfrInitialData: conditions of the return
  PersonData,               // TfrPersonData: composite, the taxpayer
  PersonNaim,               // TfrPersonNaim: name, INN, document, citizenship
  PersonAddress,            // TfrPersonAddress: address and phone
  RussianIncome,            // TfrRussianIncome: composite, incomes in the Russian Federation
  ThirteenPercent,          // TfrThirteenPercent: Sources13
  NinePercent,              // TfrNinePercent: Sources9
  ThirtyFivePercent,        // TfrThirtyFivePercent: Sources35
  ThirteenPercentNR,        // TTfrThirteenPercentNR: Sources13NR
  ThirtyPercent,            // TfrThirtyPercent: SourcesDividends
  Currency,                 // TfrCurrency: CurrencyIncomes
  BusinessNew,              // TfrBusinessNew: Businesses
  InvestTov,                // TfrInvestTov: InvestSources
  FrameDeductData,          // TfrFrameDeductData: composite, deductions
  FrameStandartDeduct,      // TfrFrameStandartDeduct: StandardDeduct
  MultyConstructionDeduct,  // TfrMultyConstructionDeduct: PropertyDeduct
  FramePensDeduct,          // TfrFramePensDeduct: SocialDeduct
  CB,                       // TfrCB: securities losses and the investment deduction
};

// The class name (also the page's objectName) and the title a placeholder shows.
std::string_view PageClassName(PageId id);
std::string_view PageTitle(PageId id);

// Builds the page on `container` over the host's declaration.
TThinkingFrame* CreatePage(PageId id, QWidget* container, TPageHost& host);

}  // namespace talver
