#include "compute/TraceCaptions.h"

namespace talver {

std::string ValueCaption(const char* component, const char* element, const char* attribute) {
  std::string caption = component;
  if (*element != '\0') caption += std::string(".") + element;
  return caption + "." + attribute;
}

std::string IntermediateCaption(kTSvodSumTrace::Op kind) {
  switch (kind) {
    case kTSvodSumTrace::Op::Sum: return "Итог";
    case kTSvodSumTrace::Op::Min: return "Наименьшая из сумм";
    case kTSvodSumTrace::Op::Max: return "Наибольшая из сумм";
    case kTSvodSumTrace::Op::Tax: return "Налог";
    default: return "Расчетная сумма";
  }
}

}  // namespace talver
