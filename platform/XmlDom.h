#pragma once
// A small XML DOM over libxml2: what the export needs to build and write the return (parse the
// header text, append elements and attributes in call order, serialize, save in windows-1251),
// and what the dictionary readers need to walk a parsed file.
//
// Text conventions: element and attribute names are UTF-8 (they are literals of the source);
// attribute values and text content are windows-1251, as model text is. The adapter converts
// at the library's edge; nobody else talks to libxml2.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileAccess.h"

namespace talver {

// Any failure of the DOM: text that is not well-formed XML, an invalid name, a failed save.
// The message is Russian (UTF-8) and names the line or the path concerned.
class EXmlError : public std::runtime_error {
 public:
  // Why a file from outside was refused; Malformed covers everything else.
  // NotAFile: the path names no regular file that can be read.
  enum class Fault { Malformed, TooLarge, TooDeep, DocumentType, NotAFile };

  explicit EXmlError(const std::string& message, Fault fault = Fault::Malformed)
      : std::runtime_error(message), fault_(fault) {}
  Fault fault() const { return fault_; }

 private:
  Fault fault_;
};

// Bounds for bytes that come from outside (a file another program or person made).
struct XmlReadLimits {
  std::size_t MaxBytes = 16u * 1024u * 1024u;
  int MaxDepth = 64;
};

// A handle to one element of an XmlDocument; valid while its document lives.
class XmlElement {
 public:
  // The element's name (UTF-8).
  std::string Name() const;

  // Appends a new element named `name` as the last child, so document order is call order.
  XmlElement AppendElement(std::string_view name);
  // Adds the attribute after those already present (so attribute order is call order), its
  // value upper-cased in windows-1251. Setting a name that is already present replaces that
  // value in place: an element never carries one attribute twice. Quotes, "&" and "<" are
  // escaped when the document is written; control characters XML cannot carry become blanks.
  void AddAttribute(std::string_view name, std::string_view value1251);
  // The same with the value as it stands, not upper-cased.
  void AddAttributeAsIs(std::string_view name, std::string_view value1251);
  // Appends text content (windows-1251), written escaped and not upper-cased.
  void AppendText(std::string_view text1251);

  // The attribute's value in windows-1251, or none when the element has no such attribute.
  std::optional<std::string> Attribute(std::string_view name) const;
  // The element's text content in windows-1251: its text and CDATA, descendants included;
  // references to entities a document type declares are left out, never expanded.
  std::string Text() const;
  // The child elements in document order (text, comments and the like are skipped).
  std::vector<XmlElement> Children() const;
  // The first child element of that name, or none.
  std::optional<XmlElement> FirstChild(std::string_view name) const;

 private:
  friend class XmlDocument;
  explicit XmlElement(void* node) : node_(node) {}
  void* node_;  // xmlNode*
};

// The write call a save makes (see FileAccess.h); tests put in one that fails part-way.
using XmlWriteCall = WriteCall;

// One XML document, owned; movable, not copyable.
class XmlDocument {
 public:
  // Parses bytes as a file holds them: the encoding declared in the text decodes them (UTF-8
  // without a declaration). To build a windows-1251 document from a literal of the source,
  // pass Utf8ToCp1251(literal) when it declares windows-1251, or use ParseUtf8.
  static XmlDocument Parse(std::string_view bytes);
  // Parses UTF-8 text whatever encoding its declaration names (the declaration then only
  // describes the file the document is saved to).
  static XmlDocument ParseUtf8(std::string_view utf8);
  // A new document of one empty root element, declared and saved in windows-1251.
  static XmlDocument Create(std::string_view rootName);
  // Reads and parses a file of at most kMaxFileSize bytes; a file that cannot be read (a
  // folder, a FIFO, one that changes while it is read) is an EXmlError naming the path.
  static XmlDocument LoadFile(const std::filesystem::path& path);
  static constexpr std::size_t kMaxFileSize = std::size_t{256} << 20;
  // Parses bytes nobody vouches for. Refused, each with its Fault: more than MaxBytes (before
  // any parsing), any document type declaration (the parser stops where it meets "<!DOCTYPE",
  // so no entity is ever declared, let alone expanded), elements nested deeper than MaxDepth
  // (the parser stops there too), and text that is not well-formed. Nothing is loaded from the
  // network or the disk.
  static XmlDocument ParseUntrusted(std::string_view bytes, const XmlReadLimits& limits = {});
  // The same for a file, read with ReadWholeFile (FileAccess.h): only a regular file (a FIFO or
  // a device is refused without being opened), its size checked before a byte of it is read.
  static XmlDocument LoadUntrustedFile(const std::filesystem::path& path, const XmlReadLimits& limits = {});

  XmlDocument(XmlDocument&& other) noexcept;
  XmlDocument& operator=(XmlDocument&& other) noexcept;
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;
  ~XmlDocument();

  XmlElement DocumentElement() const;
  // The encoding the XML declaration names, as written there ("windows-1251"); empty without one.
  std::string DeclaredEncoding() const;

  // The whole document as windows-1251 bytes with its XML declaration: exactly what Save writes.
  std::string Serialize() const;
  // Writes Serialize() to `path` with WriteFileReplacing (FileAccess.h): a failed save leaves
  // the old file (or none) under that name and no temporary behind. Throws EXmlError.
  void Save(const std::filesystem::path& path, const XmlWriteCall& write = {}) const;

 private:
  explicit XmlDocument(void* doc) : doc_(doc) {}
  void* doc_;  // xmlDoc*
};

}  // namespace talver
