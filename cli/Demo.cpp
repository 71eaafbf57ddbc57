// Writes a new declaration file as the program creates it and reads it back.
#include <cstdio>
#include <filesystem>

#include "model/DeclClasses.h"

int main(int argc, char** argv) {
  const std::filesystem::path path = argc > 1 ? argv[1] : "new-declaration.tv6";
  try {
    talver::mTDeclaration declaration;
    declaration.ConditionsPending = 1;
    declaration.SetSections(talver::kSectionRussian);
    declaration.SaveToFile(path);
    talver::mTDeclaration reopened;
    reopened.LoadFromFile(path);
    std::printf("%s: %ju bytes written, read back with sections %u\n", path.c_str(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(path)), reopened.Sections);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", talver::DescribeFileError(e).c_str());
    return 2;
  }
  return 0;
}
