#pragma once
// The captions of the summary's figures in the explanation, in the words of the return's
// sheets (UTF-8).
#include <string>

#include "compute/Trace.h"

namespace talver {

// A component's value by its names, as kTSvodSum::VisitComponents and VisitValues give them:
// "Сумма налога к возврату (13 %)".
std::string ValueCaption(const char* component, const char* element, const char* attribute);
// A step inside a rule that has no caption of its own.
std::string IntermediateCaption(kTSvodSumTrace::Op kind);

}  // namespace talver
