#include <gtest/gtest.h>

#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Text1251.h"
#include "platform/XmlDom.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TempDir.h"

namespace talver {
namespace {

using testing::FileCount;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// UTF-8 literals of the test as the windows-1251 bytes the adapter takes and gives.
std::string W(const char* utf8) { return Utf8ToCp1251(utf8); }

XmlDocument ExportHeader() {
  return XmlDocument::Parse(
      W("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Файл ИдФайл=\"NO_NDFL3\" ВерсПрог=\"Тальвер 2016\" ВерсФорм=\"5.04\"/>"));
}

TEST(XmlDom, BuildsInCallOrderAndWritesWindows1251) {
  XmlDocument doc = ExportHeader();
  XmlElement root = doc.DocumentElement();
  EXPECT_EQ(root.Name(), "Файл");
  XmlElement document = root.AppendElement("Документ");
  document.AddAttribute("КНД", "1151020");
  document.AddAttribute("ДатаДок", "14.02.2017");
  document.AddAttribute("Год", "2016");
  XmlElement payer = document.AppendElement("НПФЛ");
  payer.AddAttribute("Фамилия", W("Иванов"));
  document.AppendElement("СвНП");

  const std::string expected = W(
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
      "<Файл ИдФайл=\"NO_NDFL3\" ВерсПрог=\"Тальвер 2016\" ВерсФорм=\"5.04\">"
      "<Документ КНД=\"1151020\" ДатаДок=\"14.02.2017\" Год=\"2016\"><НПФЛ Фамилия=\"ИВАНОВ\"/><СвНП/></Документ>"
      "</Файл>\n");
  EXPECT_EQ(doc.Serialize(), expected);
  // windows-1251 bytes, not UTF-8: "Ф" is the single byte 0xD4.
  EXPECT_NE(doc.Serialize().find('\xD4'), std::string::npos);
  EXPECT_EQ(doc.Serialize().find("\xD0\xA4"), std::string::npos);
}

TEST(XmlDom, ValuesAreUpperCasedAndEscapedAndReadBackWhole) {
  struct Case {
    const char* value;    // UTF-8 here, windows-1251 to the adapter
    const char* written;  // as it stands in the file
    const char* readBack;
  };
  const Case cases[] = {
      {"ООО \"Ромашка\" & сыновья", "ООО &quot;РОМАШКА&quot; &amp; СЫНОВЬЯ", "ООО \"РОМАШКА\" & СЫНОВЬЯ"},
      {"a<b>c", "A&lt;B&gt;C", "A<B>C"},
      {"ёлка, її", "ЁЛКА, ЇЇ", "ЁЛКА, ЇЇ"},
      {"&amp;", "&amp;AMP;", "&AMP;"},  // a value is text, never markup
      {"a\x01" "b", "A B", "A B"},     // a control character XML cannot carry
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    XmlDocument doc = ExportHeader();
    XmlElement e = doc.DocumentElement().AppendElement("Х");
    e.AddAttribute("Знач", W(c.value));
    const std::string text = doc.Serialize();
    EXPECT_NE(text.find(W((std::string("<Х Знач=\"") + c.written + "\"/>").c_str())), std::string::npos) << Cp1251ToUtf8(text);
    XmlDocument again = XmlDocument::Parse(text);
    EXPECT_EQ(again.DocumentElement().FirstChild("Х")->Attribute("Знач"), W(c.readBack));
  }
}

TEST(XmlDom, TextContentIsEscapedAndKeptAsTyped) {
  XmlDocument doc = XmlDocument::Parse("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections/>");
  XmlElement e = doc.DocumentElement().AppendElement("Inspection");
  e.AddAttribute("Code", "0101");
  e.AppendText(W("Инспекция <№2> & Ко"));
  EXPECT_EQ(doc.Serialize(), W("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
                               "<Inspections><Inspection Code=\"0101\">Инспекция &lt;№2&gt; &amp; Ко</Inspection></Inspections>\n"));
  EXPECT_EQ(XmlDocument::Parse(doc.Serialize()).DocumentElement().Children().at(0).Text(), W("Инспекция <№2> & Ко"));
}

TEST(XmlDom, ARepeatedAttributeReplacesItsValueInPlace) {
  XmlDocument doc = XmlDocument::Parse("<a/>");
  XmlElement root = doc.DocumentElement();
  root.AddAttribute("x", "1");
  root.AddAttribute("y", "2");
  root.AddAttribute("x", "3");
  EXPECT_EQ(doc.Serialize(), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<a x=\"3\" y=\"2\"/>\n");
}

TEST(XmlDom, InvalidNamesAreRefused) {
  XmlDocument doc = XmlDocument::Parse("<a/>");
  XmlElement root = doc.DocumentElement();
  for (const char* name : {"", "1a", "a b", "a<b", "a\"b"}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(root.AppendElement(name), EXmlError);
    EXPECT_THROW(root.AddAttribute(name, "v"), EXmlError);
  }
  EXPECT_EQ(doc.Serialize(), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<a/>\n");
}

TEST(XmlDom, ReadsByTheDeclaredEncoding) {
  const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r><c Code=\"643\">РОССИЯ</c><!-- note --><d/></r>";
  const std::string cp1251 = W("<?xml version=\"1.0\" encoding=\"windows-1251\"?><r><c Code=\"643\">РОССИЯ</c><!-- note --><d/></r>");
  for (const std::string& bytes : {utf8, cp1251, std::string(utf8.substr(38))}) {
    XmlDocument doc = XmlDocument::Parse(bytes);
    const auto children = doc.DocumentElement().Children();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0].Name(), "c");
    EXPECT_EQ(children[0].Attribute("Code"), "643");
    EXPECT_EQ(children[0].Attribute("Name"), std::nullopt);
    EXPECT_EQ(children[0].Text(), W("РОССИЯ"));
    EXPECT_EQ(children[1].Name(), "d");
    EXPECT_FALSE(doc.DocumentElement().FirstChild("e").has_value());
  }
  // A literal of the source declaring windows-1251 is still read as the UTF-8 it is.
  XmlDocument fromLiteral = XmlDocument::ParseUtf8("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Файл/>");
  EXPECT_EQ(fromLiteral.DocumentElement().Name(), "Файл");
  EXPECT_EQ(fromLiteral.Serialize(), W("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<Файл/>\n"));
}

TEST(XmlDom, MalformedTextIsAnErrorWithTheLine) {
  const char* bad[] = {
      "",
      "not xml",
      "<a>",
      "<a></b>",
      "<a b='1' b='2'/>",
      "<a/><b/>",
      "<?xml version=\"1.0\" encoding=\"no-such-encoding\"?><a/>",
      "<a>\n\n<b>&undefined;</b></a>",
      "\xEF\xBB\xBF<a>\xFF\xFE</a>",
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?><a>\x98</a>",
  };
  // The fault reaches the caller in the error alone; nothing is printed on the way.
  ::testing::internal::CaptureStderr();
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    try {
      XmlDocument::Parse(text);
      ADD_FAILURE() << "parsed";
    } catch (const EXmlError& e) {
      EXPECT_NE(std::string(e.what()).find("не является правильным XML-документом"), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  try {
    XmlDocument::Parse("<a>\n\n<b></c></a>");
    ADD_FAILURE() << "parsed";
  } catch (const EXmlError& e) {
    EXPECT_NE(std::string(e.what()).find("строка 3"), std::string::npos) << e.what();
  }
}

TEST(XmlDom, EntitiesOfADocumentTypeDoNotMultiply) {
  std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">";
  char prev = 'a';
  for (char name = 'b'; name <= 'k'; ++name) {
    bomb += std::string("<!ENTITY ") + name + " \"";
    for (int i = 0; i < 10; ++i) bomb += std::string("&") + prev + ";";
    bomb += "\">";
    prev = name;
  }
  bomb += "]><r v=\"&k;\">&k;</r>";
  try {
    XmlDocument doc = XmlDocument::Parse(bomb);
    EXPECT_LT(doc.DocumentElement().Text().size(), 1000u);
    EXPECT_LT(doc.DocumentElement().Attribute("v").value_or("").size(), 1000u);
  } catch (const EXmlError&) {
    // Refusing the document is as good.
  }
}

TEST(XmlDom, ExternalEntitiesAreNotFetched) {
  TempDir dir;
  WriteFile(dir / "secret.txt", "SECRET");
  const std::string text = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file://" +
                           (dir / "secret.txt").string() + "\">]><r a=\"1\">&x;</r>";
  try {
    const XmlDocument doc = XmlDocument::Parse(text);
    EXPECT_EQ(doc.DocumentElement().Text().find("SECRET"), std::string::npos);
    EXPECT_EQ(doc.Serialize().find("SECRET"), std::string::npos);
  } catch (const EXmlError&) {
    // Refusing the document is as good.
  }
}

TEST(XmlDom, SaveWritesTheSerializedBytesAndReplacesTheFile) {
  TempDir dir;
  const auto path = dir / "InspectionNumbers.xml";
  WriteFile(path, "old");
  XmlDocument doc = ExportHeader();
  doc.Save(path);
  EXPECT_EQ(ReadFile(path), doc.Serialize());
  EXPECT_EQ(FileCount(dir.path()), 1u);
  EXPECT_EQ(XmlDocument::LoadFile(path).DocumentElement().Attribute("ВерсПрог"), W("Тальвер 2016"));
}

TEST(XmlDom, AFailedSaveLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  const auto path = dir / "InspectionNumbers.xml";
  WriteFile(path, "old contents");
  XmlDocument doc = ExportHeader();
  try {
    doc.Save(path, testing::FullDiskAfter(20));
    ADD_FAILURE() << "saved";
  } catch (const EXmlError& e) {
    EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
  }
  EXPECT_EQ(ReadFile(path), "old contents");
  EXPECT_EQ(FileCount(dir.path()), 1u);

  // A folder that does not exist: an error, and nothing is created.
  EXPECT_THROW(doc.Save(dir / "missing" / "x.xml"), EXmlError);
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  // A target that is a folder cannot be replaced; the folder stays as it was.
  std::filesystem::create_directory(dir / "sub");
  WriteFile(dir / "sub" / "keep", "k");
  EXPECT_THROW(doc.Save(dir / "sub"), EXmlError);
  EXPECT_EQ(ReadFile(dir / "sub" / "keep"), "k");
  EXPECT_EQ(FileCount(dir.path()), 2u);
}

TEST(XmlDom, LoadingAMissingFileNamesIt) {
  TempDir dir;
  try {
    XmlDocument::LoadFile(dir / "Oksm.xml");
    ADD_FAILURE() << "loaded";
  } catch (const EXmlError& e) {
    EXPECT_NE(std::string(e.what()).find("Oksm.xml"), std::string::npos);
  }
  WriteFile(dir / "Oksm.xml", "<a>");
  try {
    XmlDocument::LoadFile(dir / "Oksm.xml");
    ADD_FAILURE() << "loaded";
  } catch (const EXmlError& e) {
    EXPECT_NE(std::string(e.what()).find("Oksm.xml не является правильным XML-документом"), std::string::npos)
        << e.what();
  }
}

// Bytes from outside: each hostile or damaged text is refused for its own reason, before it can
// grow, reach out or exhaust the stack.
TEST(XmlDom, UntrustedTextIsRefusedForItsFault) {
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE l [<!ENTITY a \"ha\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]>"
      "<l v=\"&d;&d;&d;&d;\">&d;</l>";
  std::string deep;
  for (int i = 0; i < 20; ++i) deep += "<a>";
  for (int i = 0; i < 20; ++i) deep += "</a>";
  const struct {
    std::string Text;
    EXmlError::Fault Fault;
    const char* Message;
  } cases[] = {
      {laughs, EXmlError::Fault::DocumentType, "объявление типа документа"},
      {"<!DOCTYPE r SYSTEM \"file:///etc/passwd\"><r/>", EXmlError::Fault::DocumentType, "объявление типа документа"},
      {"<!DOCTYPE r [<!ENTITY x SYSTEM \"http://127.0.0.1/x\">]><r>&x;</r>", EXmlError::Fault::DocumentType,
       "объявление типа документа"},
      {deep, EXmlError::Fault::TooDeep, "глубже 16 уровней"},
      {std::string(2000, ' ') + "<r/>", EXmlError::Fault::TooLarge, "слишком велик: 2004 байт, допустимо не более 1024"},
      {"<r>&undeclared;</r>", EXmlError::Fault::Malformed, "не является правильным XML-документом"},
      {"<r><a></r>", EXmlError::Fault::Malformed, "не является правильным XML-документом"},
      {"", EXmlError::Fault::Malformed, "не является правильным XML-документом"},
  };
  XmlReadLimits limits;
  limits.MaxBytes = 1024;
  limits.MaxDepth = 16;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text.substr(0, 60));
    try {
      XmlDocument::ParseUntrusted(c.Text, limits);
      ADD_FAILURE() << "parsed";
    } catch (const EXmlError& e) {
      EXPECT_EQ(e.fault(), c.Fault) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << e.what();
    }
  }
  // Within the bounds, the same reader gives the document and its declared encoding.
  const XmlDocument doc = XmlDocument::ParseUntrusted(
      W("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Файл Имя=\"Ёж &amp; Ко\"><a><b/></a></Файл>"), limits);
  EXPECT_EQ(doc.DocumentElement().Attribute("Имя"), W("Ёж & Ко"));
  EXPECT_EQ(doc.DeclaredEncoding(), "windows-1251");
  EXPECT_EQ(XmlDocument::ParseUntrusted("<r/>", limits).DeclaredEncoding(), "");
}

TEST(XmlDom, UntrustedFilesAreMeasuredBeforeTheyAreRead) {
  TempDir dir;
  XmlReadLimits limits;
  limits.MaxBytes = 64;
  WriteFile(dir / "big.xml", "<r>" + std::string(100, 'x') + "</r>");
  WriteFile(dir / "ok.xml", "<r/>");
  ASSERT_EQ(mkfifo((dir / "fifo.xml").c_str(), 0600), 0) << std::strerror(errno);
  const struct {
    std::string Name;
    EXmlError::Fault Fault;
    const char* Message;
  } cases[] = {
      {"big.xml", EXmlError::Fault::TooLarge, "big.xml: Файл слишком велик: 107 байт"},
      // Opening a FIFO for reading would wait for a writer that never comes.
      {"fifo.xml", EXmlError::Fault::NotAFile, "fifo.xml: Это канал (FIFO), а не обычный файл."},
      {"missing.xml", EXmlError::Fault::NotAFile, "missing.xml: Нет такого файла или каталога."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      XmlDocument::LoadUntrustedFile(dir / c.Name, limits);
      ADD_FAILURE() << "loaded";
    } catch (const EXmlError& e) {
      EXPECT_EQ(e.fault(), c.Fault) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(XmlDocument::LoadUntrustedFile(dir / "ok.xml", limits).DocumentElement().Name(), "r");
}

}  // namespace
}  // namespace talver
