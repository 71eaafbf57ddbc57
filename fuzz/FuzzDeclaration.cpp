// Loads a declaration from arbitrary bytes. Any outcome but a crash, a sanitizer report or a
// hang is acceptable: a good file loads, a damaged one is refused with the container's errors
// or the conversion error. What loads must save again, to exactly its computed size.
#include <cstdint>
#include <cstdlib>

#include "model/DeclClasses.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  talver::mTDeclaration declaration;
  try {
    declaration.LoadFromBytes(reinterpret_cast<const char*>(data), size);
  } catch (const talver::mEPrivBase&) {
    return 0;
  } catch (const talver::EConvertError&) {
    return 0;
  }
  try {
    const std::string saved = declaration.SaveToBytes();
    if (saved.size() != declaration.StoredSize()) std::abort();
    talver::mTDeclaration again;
    again.LoadFromBytes(saved.data(), saved.size());
    if (again.SaveToBytes() != saved) std::abort();
  } catch (const talver::mEPrivBase&) {
    // A loaded value too long to be written again is refused by the save.
  }
  return 0;
}
