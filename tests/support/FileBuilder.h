#pragma once
// Declaration files put together byte by byte, independently of the container code, for the
// tests of reading: header fields as given, then items as given.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace talver::testing {

class FileBuilder {
 public:
  explicit FileBuilder(std::string_view storageName = "Talver2016", std::string_view major = "01",
                       std::string_view minor = "02") {
    bytes_ = "DLSG";
    bytes_ += std::string(20 - storageName.size(), ' ');
    bytes_ += storageName;
    bytes_ += major;
    bytes_ += minor;
    bytes_ += std::string(32, 'F');
  }
  FileBuilder& Item(std::string_view text) {
    char length[8];
    std::snprintf(length, sizeof length, "%04zu", text.size());
    bytes_ += length;
    bytes_ += text;
    return *this;
  }
  FileBuilder& Items(std::initializer_list<std::string_view> texts) {
    for (std::string_view t : texts) Item(t);
    return *this;
  }
  FileBuilder& Raw(std::string_view text) {
    bytes_ += text;
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Splits a file into its streams: each stream's name with the bytes it takes, marker included.
struct StreamBytes {
  std::string Name;
  std::size_t Size = 0;
  std::vector<std::string> Items;  // the item texts after the marker
};

inline std::vector<StreamBytes> SplitStreams(const std::string& file) {
  std::vector<StreamBytes> streams;
  std::size_t pos = 60;
  while (pos + 4 <= file.size()) {
    const std::size_t length = std::stoul(file.substr(pos, 4));
    const std::string text = file.substr(pos + 4, length);
    if (!text.empty() && text[0] == '@') {
      streams.push_back({text, 0, {}});
    } else if (!streams.empty()) {
      streams.back().Items.push_back(text);
    }
    if (!streams.empty()) streams.back().Size += 4 + length;
    pos += 4 + length;
  }
  return streams;
}

}  // namespace talver::testing
