// Loads a declaration from arbitrary bytes. Any outcome but a crash, a sanitizer report or a
// hang is acceptable: a good file loads, a damaged one is refused with the container's errors
// or the conversion error. What loads must bear the checks of DeclarationUse.h.
#include <cstdint>

#include "fuzz/DeclarationUse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  talver::mTDeclaration declaration;
  if (!talver::fuzz::Loads([&] { declaration.LoadFromBytes(reinterpret_cast<const char*>(data), size); })) return 0;
  talver::fuzz::UseLoaded(declaration);
  return 0;
}
