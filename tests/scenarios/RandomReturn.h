#pragma once
// Seeded random declarations for the tax computation: every form, any set of sections, and
// every list and deduction filled with codes the computation knows and amounts that are never
// negative, so that each sheet and every branch of sections 2 and 1 gets exercised. The same
// seed gives the same declaration.
#include <cstdint>
#include <memory>

#include "model/DeclClasses.h"

namespace talver::testing {

std::unique_ptr<mTDeclaration> RandomReturn(std::uint32_t seed);

}  // namespace talver::testing
