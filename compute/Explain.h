#pragma once
// A figure's derivation in words and numbers, one line a step, as the results page, the
// printable note and talver-cli explain show it:
//
//   Сумма налога к возврату (КБК …, ОКТМО 79701000) 2 548 = Возврат налога, удержанного …
//     Сумма налога, подлежащая возврату из бюджета (раздел 2, 13 %) 2 548 = наименьшее из: …
//       Сумма налога удержанная (ООО «Ромашка») 70 200 — введено на странице «…»
//
// Each line names a figure with its value and the operation that gives it; the lines one level
// deeper explain its terms, down to the values typed, which say their page.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "compute/Trace.h"

namespace talver {

class kTSvodSum;

struct ExplainLine {
  int Depth = 0;           // 0 for the figure asked about
  std::string Text;        // UTF-8, amounts grouped as the pages show them
  std::uint32_t Node = 0;  // the figure of the line: a typed one has its place in the trace
};

// The lines of one figure's tree. `shown` holds the figures explained already: such a figure
// is named again but not taken apart twice; pass the same set to explain several figures as
// one text.
std::vector<ExplainLine> ExplainFigure(const kTSvodSumTrace& trace, std::uint32_t node, std::set<std::uint32_t>& shown);
// The trees of every section 1 line of a summary computed with its trace, in line order; a
// summary without a trace gives none.
std::vector<ExplainLine> ExplainSection1(const kTSvodSum& summary);

// The figure a term stands for: a copy or a sum of one term without a caption of its own is
// its term.
std::uint32_t Shown(const kTSvodSumTrace& trace, std::uint32_t node);

}  // namespace talver
