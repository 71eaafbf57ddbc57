// Loads a declaration from a file that another program changes while it is read: the bytes
// are written to a file, and after the reader's first read (of a part of the file the input
// chooses) the file is shortened, lengthened or rewritten in place. The reader must report the
// change or give bytes that the container then takes or refuses like any others, never fault;
// what loads must bear the checks of DeclarationUse.h.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/DeclarationUse.h"
#include "storage/StgClasses.h"

namespace {

// One file for the whole run, removed when it ends.
const std::string& FilePath() {
  static const struct File {
    std::string path = "/tmp/talver-fuzz-" + std::to_string(::getpid()) + ".tv6";
    ~File() { ::unlink(path.c_str()); }
  } file;
  return file.path;
}

void Put(const std::uint8_t* data, std::size_t size) {
  const int fd = ::open(FilePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) std::abort();
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n <= 0) std::abort();
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The last two bytes choose the change and the point of the first read.
  const int change = data[size - 1] % 4;
  const std::size_t cut = std::max<std::size_t>(1, size * data[size - 2] / 256);
  Put(data, size);
  bool first = true;
  const talver::ReadCall read = [&](int fd, char* out, std::size_t wanted) -> long {
    const long n = static_cast<long>(::read(fd, out, first ? std::min(wanted, cut) : wanted));
    if (first) {
      first = false;
      if (change == 1) {
        if (::truncate(FilePath().c_str(), static_cast<off_t>(cut / 2)) != 0) std::abort();
      } else if (change >= 2) {
        const int writer = ::open(FilePath().c_str(), O_WRONLY | (change == 2 ? O_APPEND : 0));
        if (writer < 0 || ::write(writer, "0004@Nal", 8) != 8) std::abort();
        ::close(writer);
      }
    }
    return n;
  };
  talver::mTDeclaration declaration;
  const bool loaded = talver::fuzz::Loads([&] {
    talver::mTFileLoader loader(FilePath(), 0, true, read);
    declaration.LoadFromBytes(loader.Memory, loader.Size);
  });
  if (loaded) talver::fuzz::UseLoaded(declaration);
  return 0;
}
