// Reads arbitrary bytes as the JSON of `talver-cli build`. Any outcome but a crash, a sanitizer
// report or a hang is acceptable so long as the reader either refuses the text with its own
// error or gives a declaration; what it gives must come back the same through its dump: the
// dump read again gives the same dump.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/ModelJson.h"
#include "model/DeclClasses.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talver;
  mTDeclaration declaration;
  try {
    ReadDeclarationJson(std::string_view(reinterpret_cast<const char*>(data), size), declaration);
  } catch (const JsonModelError&) {
    return 0;
  }
  const std::string dump = DeclarationToJson(declaration).dump();
  mTDeclaration again;
  try {
    ReadDeclarationJson(dump, again);
  } catch (const JsonModelError&) {
    std::abort();  // the reader refuses what its own dump wrote
  }
  if (DeclarationToJson(again).dump() != dump) std::abort();
  return 0;
}
