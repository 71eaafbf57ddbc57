#include "platform/XmlDom.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlsave.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/Text1251.h"

namespace talver {
namespace {

xmlNode* NodeOf(void* node) { return static_cast<xmlNode*>(node); }
xmlDoc* DocOf(void* doc) { return static_cast<xmlDoc*>(doc); }
const xmlChar* Chars(const std::string& text) { return reinterpret_cast<const xmlChar*>(text.c_str()); }
std::string FromChars(const xmlChar* text) { return text ? std::string(reinterpret_cast<const char*>(text)) : std::string(); }

// libxml2 reports some faults (a byte the declared encoding cannot convert, say) on stderr
// besides the parser context; the context's error is what the caller is told, so the
// printout is dropped. The handler is per thread in libxml2, so every call sets it.
void SilentError(void*, const char*, ...) {}

void InitLibrary() {
  static const bool initialised = [] {
    xmlInitParser();
    return true;
  }();
  (void)initialised;
  xmlSetGenericErrorFunc(nullptr, SilentError);
}

std::string ValidName(std::string_view name) {
  std::string text(name);
  if (text.empty() || text.find('\0') != std::string::npos || xmlValidateName(Chars(text), 0) != 0) {
    throw EXmlError("Недопустимое имя элемента или атрибута XML: \"" + text + "\"");
  }
  return text;
}

// windows-1251 to the library's UTF-8. Control characters that XML 1.0 cannot carry, even as
// character references, would make the written file unreadable: they become blanks.
std::string LibraryText(std::string_view text1251) {
  std::string clean(text1251);
  for (char& c : clean) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') c = ' ';
  }
  return Cp1251ToUtf8(clean);
}

// Text and CDATA below a node. References to entities of a document type are not expanded:
// no dictionary uses them, and expanding them is how a small file grows without bound.
void CollectText(const xmlNode* node, std::string& out) {
  for (const xmlNode* child = node; child != nullptr; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      if (child->content) out += reinterpret_cast<const char*>(child->content);
    } else if (child->type == XML_ELEMENT_NODE) {
      CollectText(child->children, out);
    }
  }
}

xmlAttr* FindAttribute(const xmlNode* node, const std::string& name) {
  for (xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next) {
    if (attr->name && name == reinterpret_cast<const char*>(attr->name)) return attr;
  }
  return nullptr;
}

[[noreturn]] void ThrowParseError(xmlParserCtxt* ctxt, const std::string& source) {
  std::string message = source + " не является правильным XML-документом";
  const xmlError* error = ctxt ? &ctxt->lastError : nullptr;
  if (error && error->code != XML_ERR_OK) {
    if (error->line > 0) message += " (строка " + std::to_string(error->line) + ")";
    if (error->message) {
      std::string detail = error->message;
      while (!detail.empty() && (detail.back() == '\n' || detail.back() == ' ')) detail.pop_back();
      message += ": " + detail;
    }
  }
  throw EXmlError(message);
}

void* ParseWith(std::string_view bytes, const char* encoding, const std::string& source) {
  InitLibrary();
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) throw EXmlError(source + " слишком велик");
  xmlParserCtxt* ctxt = xmlNewParserCtxt();
  if (ctxt == nullptr) throw EXmlError("Недостаточно памяти для разбора XML");
  xmlDoc* doc = xmlCtxtReadMemory(ctxt, bytes.data(), static_cast<int>(bytes.size()), nullptr, encoding,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (doc == nullptr || !ctxt->wellFormed || xmlDocGetRootElement(doc) == nullptr) {
    if (doc) xmlFreeDoc(doc);
    try {
      ThrowParseError(ctxt, source);
    } catch (...) {
      xmlFreeParserCtxt(ctxt);
      throw;
    }
  }
  xmlFreeParserCtxt(ctxt);
  return doc;
}

// What the guarded parser watches while it reads bytes from outside.
struct ParseGuard {
  int Depth = 0;
  int MaxDepth = 0;
  std::optional<EXmlError::Fault> Fault;
};

ParseGuard& GuardOf(void* ctx) { return *static_cast<ParseGuard*>(static_cast<xmlParserCtxt*>(ctx)->_private); }

void Stop(void* ctx, EXmlError::Fault fault) {
  GuardOf(ctx).Fault = fault;
  xmlStopParser(static_cast<xmlParserCtxt*>(ctx));
}

void GuardedStartElement(void* ctx, const xmlChar* localname, const xmlChar* prefix, const xmlChar* uri,
                         int namespaceCount, const xmlChar** namespaces, int attributeCount, int defaultedCount,
                         const xmlChar** attributes) {
  ParseGuard& guard = GuardOf(ctx);
  if (++guard.Depth > guard.MaxDepth) return Stop(ctx, EXmlError::Fault::TooDeep);
  xmlSAX2StartElementNs(ctx, localname, prefix, uri, namespaceCount, namespaces, attributeCount, defaultedCount,
                        attributes);
}

void GuardedEndElement(void* ctx, const xmlChar* localname, const xmlChar* prefix, const xmlChar* uri) {
  --GuardOf(ctx).Depth;
  xmlSAX2EndElementNs(ctx, localname, prefix, uri);
}

// A document type is where entities are declared; none is accepted, so none can be expanded.
void RefuseDocumentType(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*) {
  Stop(ctx, EXmlError::Fault::DocumentType);
}

void* ParseGuarded(std::string_view bytes, const XmlReadLimits& limits, const std::string& source) {
  InitLibrary();
  if (bytes.size() > limits.MaxBytes || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
    throw EXmlError(source + " слишком велик: " + std::to_string(bytes.size()) + " байт, допустимо не более " +
                        std::to_string(limits.MaxBytes),
                    EXmlError::Fault::TooLarge);
  }
  xmlParserCtxt* ctxt = xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size()));
  if (ctxt == nullptr) throw EXmlError(source + " не является правильным XML-документом: он пуст");
  // No XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_HUGE: entities stay unexpanded, nothing
  // outside the bytes is read, and the library keeps its own limits on names and texts.
  xmlCtxtUseOptions(ctxt, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  ParseGuard guard;
  guard.MaxDepth = limits.MaxDepth;
  ctxt->_private = &guard;
  ctxt->sax->internalSubset = RefuseDocumentType;
  ctxt->sax->externalSubset = RefuseDocumentType;
  ctxt->sax->startElementNs = GuardedStartElement;
  ctxt->sax->endElementNs = GuardedEndElement;
  xmlParseDocument(ctxt);
  xmlDoc* doc = ctxt->myDoc;
  ctxt->myDoc = nullptr;
  const bool wellFormed = ctxt->wellFormed != 0;
  try {
    if (guard.Fault == EXmlError::Fault::DocumentType) {
      throw EXmlError(source + " содержит объявление типа документа (<!DOCTYPE>), какого в нем быть не может",
                      EXmlError::Fault::DocumentType);
    }
    if (guard.Fault == EXmlError::Fault::TooDeep) {
      throw EXmlError(source + " не является правильным документом: элементы вложены глубже " +
                          std::to_string(limits.MaxDepth) + " уровней",
                      EXmlError::Fault::TooDeep);
    }
    if (doc == nullptr || !wellFormed || xmlDocGetRootElement(doc) == nullptr) ThrowParseError(ctxt, source);
  } catch (...) {
    if (doc) xmlFreeDoc(doc);
    xmlFreeParserCtxt(ctxt);
    throw;
  }
  xmlFreeParserCtxt(ctxt);
  return doc;
}

}  // namespace

// ---- XmlElement ----

std::string XmlElement::Name() const { return FromChars(NodeOf(node_)->name); }

XmlElement XmlElement::AppendElement(std::string_view name) {
  const std::string valid = ValidName(name);
  xmlNode* parent = NodeOf(node_);
  xmlNode* child = xmlNewDocNode(parent->doc, nullptr, Chars(valid), nullptr);
  if (child == nullptr) throw EXmlError("Недостаточно памяти для элемента XML " + valid);
  xmlAddChild(parent, child);
  return XmlElement(child);
}

void XmlElement::AddAttribute(std::string_view name, std::string_view value1251) {
  AddAttributeAsIs(name, UpperCase1251(value1251));
}

void XmlElement::AddAttributeAsIs(std::string_view name, std::string_view value1251) {
  const std::string valid = ValidName(name);
  const std::string value = LibraryText(value1251);
  xmlNode* node = NodeOf(node_);
  // Both calls keep the value as plain text: the library escapes it when writing.
  const xmlAttr* attr = FindAttribute(node, valid) ? xmlSetProp(node, Chars(valid), Chars(value))
                                                   : xmlNewProp(node, Chars(valid), Chars(value));
  if (attr == nullptr) throw EXmlError("Недостаточно памяти для атрибута XML " + valid);
}

void XmlElement::AppendText(std::string_view text1251) {
  const std::string text = LibraryText(text1251);
  xmlNode* textNode = xmlNewDocTextLen(NodeOf(node_)->doc, Chars(text), static_cast<int>(text.size()));
  if (textNode == nullptr) throw EXmlError("Недостаточно памяти для текста XML");
  xmlAddChild(NodeOf(node_), textNode);
}

std::optional<std::string> XmlElement::Attribute(std::string_view name) const {
  const xmlAttr* attr = FindAttribute(NodeOf(node_), std::string(name));
  if (attr == nullptr) return std::nullopt;
  std::string value;
  for (const xmlNode* child = attr->children; child != nullptr; child = child->next) {
    if (child->type == XML_TEXT_NODE && child->content) value += reinterpret_cast<const char*>(child->content);
  }
  return Utf8ToCp1251(value);
}

std::string XmlElement::Text() const {
  std::string text;
  CollectText(NodeOf(node_)->children, text);
  return Utf8ToCp1251(text);
}

std::vector<XmlElement> XmlElement::Children() const {
  std::vector<XmlElement> children;
  for (xmlNode* child = NodeOf(node_)->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) children.push_back(XmlElement(child));
  }
  return children;
}

std::optional<XmlElement> XmlElement::FirstChild(std::string_view name) const {
  for (xmlNode* child = NodeOf(node_)->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE && child->name && name == reinterpret_cast<const char*>(child->name)) {
      return XmlElement(child);
    }
  }
  return std::nullopt;
}

// ---- XmlDocument ----

XmlDocument XmlDocument::Parse(std::string_view bytes) { return XmlDocument(ParseWith(bytes, nullptr, "Текст")); }

XmlDocument XmlDocument::ParseUtf8(std::string_view utf8) {
  return XmlDocument(ParseWith(utf8, "UTF-8", "Текст"));
}

XmlDocument XmlDocument::Create(std::string_view rootName) {
  InitLibrary();
  const std::string valid = ValidName(rootName);
  xmlDoc* doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
  if (doc == nullptr) throw EXmlError("Недостаточно памяти для документа XML");
  XmlDocument document(doc);
  doc->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>("windows-1251"));
  xmlNode* root = xmlNewDocNode(doc, nullptr, Chars(valid), nullptr);
  if (doc->encoding == nullptr || root == nullptr) throw EXmlError("Недостаточно памяти для документа XML");
  xmlDocSetRootElement(doc, root);
  return document;
}

XmlDocument XmlDocument::LoadFile(const std::filesystem::path& path) {
  std::string bytes;
  try {
    bytes = ReadWholeFile(path, kMaxFileSize);
  } catch (const FileError& e) {
    throw EXmlError(e.what());
  }
  return XmlDocument(ParseWith(bytes, nullptr, "Файл " + path.string()));
}

XmlDocument XmlDocument::ParseUntrusted(std::string_view bytes, const XmlReadLimits& limits) {
  return XmlDocument(ParseGuarded(bytes, limits, "Текст"));
}

XmlDocument XmlDocument::LoadUntrustedFile(const std::filesystem::path& path, const XmlReadLimits& limits) {
  std::string bytes;
  try {
    bytes = ReadWholeFile(path, limits.MaxBytes);
  } catch (const FileError& e) {
    throw EXmlError(e.what(), e.kind() == FileError::Kind::TooLarge ? EXmlError::Fault::TooLarge : EXmlError::Fault::NotAFile);
  }
  return XmlDocument(ParseGuarded(bytes, limits, "Файл " + path.string()));
}

XmlDocument::XmlDocument(XmlDocument&& other) noexcept : doc_(other.doc_) { other.doc_ = nullptr; }

XmlDocument& XmlDocument::operator=(XmlDocument&& other) noexcept {
  if (this != &other) {
    if (doc_) xmlFreeDoc(DocOf(doc_));
    doc_ = other.doc_;
    other.doc_ = nullptr;
  }
  return *this;
}

XmlDocument::~XmlDocument() {
  if (doc_) xmlFreeDoc(DocOf(doc_));
}

XmlElement XmlDocument::DocumentElement() const {
  xmlNode* root = doc_ ? xmlDocGetRootElement(DocOf(doc_)) : nullptr;
  if (root == nullptr) throw EXmlError("В документе XML нет корневого элемента");
  return XmlElement(root);
}

std::string XmlDocument::DeclaredEncoding() const {
  const xmlChar* encoding = doc_ ? DocOf(doc_)->encoding : nullptr;
  return FromChars(encoding);
}

std::string XmlDocument::Serialize() const {
  if (doc_ == nullptr) throw EXmlError("Документ XML не создан");
  InitLibrary();
  xmlChar* memory = nullptr;
  int size = 0;
  xmlDocDumpMemoryEnc(DocOf(doc_), &memory, &size, "windows-1251");
  if (memory == nullptr) throw EXmlError("Не удалось записать документ XML в кодировке windows-1251");
  std::string text(reinterpret_cast<const char*>(memory), static_cast<std::size_t>(size));
  xmlFree(memory);
  return text;
}

void XmlDocument::Save(const std::filesystem::path& path, const XmlWriteCall& write) const {
  try {
    WriteFileReplacing(path, Serialize(), write);
  } catch (const FileError& e) {
    throw EXmlError(e.what());
  }
}

}  // namespace talver
