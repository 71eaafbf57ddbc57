#pragma once
// The one error of the dictionaries: a dictionary file or register that cannot be read, is not
// well-formed, or lacks what the program needs. The message is Russian (UTF-8) and names the
// file and the place; FileName() says which file it was, for a caller that treats files apart.
#include <stdexcept>
#include <string>
#include <utility>

namespace talver {

class EDictionaryError : public std::runtime_error {
 public:
  EDictionaryError(std::string fileName, const std::string& message)
      : std::runtime_error(message), fileName_(std::move(fileName)) {}
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
};

}  // namespace talver
