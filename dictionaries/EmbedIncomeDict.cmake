# Writes a C++ source holding the bytes of the built-in income code dictionary.
# Run as: cmake -DINPUT=<IncomeDict.xml> -DOUTPUT=<source.cpp> -P EmbedIncomeDict.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Twenty bytes a line (CMake's expressions have no counted repetition).
string(REPEAT "0x[0-9a-f][0-9a-f]," 20 line)
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated at build time from resources/IncomeDict.xml; edit that file instead.
#include \"dictionaries/IncomeDictionary.h\"

namespace talver {
namespace {

const unsigned char kIncomeDict[] = {
    ${bytes}
};

}  // namespace

std::string_view BuiltInIncomeDictText() {
  return std::string_view(reinterpret_cast<const char*>(kIncomeDict), sizeof kIncomeDict);
}

}  // namespace talver
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
