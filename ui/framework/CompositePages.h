#pragma once
// The composite section pages: the taxpayer, the incomes in the Russian Federation and the
// deductions, each a row of sub-buttons over its own content panel.
#include "ui/framework/MyFrame.h"

namespace talver {

class TfrPersonData : public TCompositeFrame {
  Q_OBJECT
 public:
  TfrPersonData(QWidget* owner, TPageHost& host);
};

// The sub-buttons depend on the form of the return: a resident has 13 %, 9 %, 35 % and
// dividends; a non-resident 30 % (the 13 % list), 15 % (dividends) and the highly qualified
// specialists; 4-НДФЛ shows no sub-page.
class TfrRussianIncome : public TCompositeFrame {
  Q_OBJECT
 public:
  TfrRussianIncome(QWidget* owner, TPageHost& host);
};

class TfrFrameDeductData : public TCompositeFrame {
  Q_OBJECT
 public:
  TfrFrameDeductData(QWidget* owner, TPageHost& host);
};

}  // namespace talver
