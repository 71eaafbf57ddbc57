// Damaged, hostile and foreign files: each is refused whole with the reason in the program's
// words, and no declaration comes out of it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "import/ReturnXml.h"
#include "platform/Text1251.h"
#include "tests/support/TempDir.h"

namespace talver::testing {
namespace {

const std::filesystem::path kReturn = std::filesystem::path(TALVER_SOURCE_DIR) / "tests" / "export" / "golden" /
                                      "NO_NDFL3_5001_5001_500100732259_20170214_0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E01.xml";

std::string W(const std::string& utf8) { return Utf8ToCp1251(utf8); }

// The good return with the first occurrence of `from` replaced.
std::string Changed(const std::string& from, const std::string& to) {
  std::string text = ReadFile(kReturn);
  const std::size_t at = text.find(W(from));
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, W(from).size(), W(to));
}

std::string Laughs() {
  std::string dtd = "<!DOCTYPE Файл [<!ENTITY a \"ha\">";
  std::string previous = "a";
  for (int level = 0; level < 9; ++level) {
    const std::string name = "e" + std::to_string(level);
    dtd += "<!ENTITY " + name + " \"";
    for (int i = 0; i < 10; ++i) dtd += "&" + previous + ";";
    dtd += "\">";
    previous = name;
  }
  dtd += "]>";
  return Changed("<Файл ", dtd + "<Файл Смех=\"&" + previous + ";\" ");
}

std::string Nested() {
  std::string deep;
  for (int i = 0; i < 40; ++i) deep += "<Д>";
  for (int i = 0; i < 40; ++i) deep += "</Д>";
  return Changed("<Подписант ПрПодп=\"1\"/>", "<Подписант ПрПодп=\"1\"/>" + deep);
}

TEST(ReturnXmlBadInputTest, EachFileIsRefusedWithItsReason) {
  const std::string good = ReadFile(kReturn);
  const struct {
    const char* What;
    std::string Bytes;
    const char* Message;
  } cases[] = {
      {"truncated", good.substr(0, good.size() / 2), "Файл поврежден: Текст не является правильным XML-документом"},
      {"empty", "", "Файл поврежден: Текст не является правильным XML-документом"},
      {"another КНД", Changed("КНД=\"1151020\"", "КНД=\"1151001\""),
       "Файл не является декларацией 3-НДФЛ или 4-НДФЛ в формате XML: его КНД «1151001», а декларации версии 5.11 "
       "имеют КНД 1151020"},
      {"another ВерсФорм", Changed("ВерсФорм=\"5.11\"", "ВерсФорм=\"5.04\""),
       "Файл записан в другой версии формата: ВерсФорм «5.04». Программа читает декларации 3-НДФЛ версии 5.11 и "
       "4-НДФЛ версии 5.02"},
      {"a 5.10 file", Changed("ВерсФорм=\"5.11\"", "ВерсФорм=\"5.10\""), "другой версии формата: ВерсФорм «5.10»"},
      {"another year", Changed("ОтчетГод=\"2016\"", "ОтчетГод=\"2015\""),
       "Файл содержит декларацию за другой год: ОтчетГод «2015». Программа читает декларации 3-НДФЛ за 2016 год"},
      {"a billion laughs", Laughs(),
       "Файл не является декларацией 3-НДФЛ или 4-НДФЛ в формате XML: Текст содержит объявление типа документа"},
      {"an external entity", Changed("<Файл ", "<!DOCTYPE Файл SYSTEM \"file:///etc/passwd\"><Файл "),
       "содержит объявление типа документа (<!DOCTYPE>)"},
      {"nested without end", Nested(), "элементы вложены глубже 16 уровней"},
      {"UTF-8", Cp1251ToUtf8(Changed("encoding=\"windows-1251\"", "encoding=\"UTF-8\"")),
       "Файл не является декларацией 3-НДФЛ или 4-НДФЛ в формате XML: он записан в кодировке UTF-8, а не windows-1251"},
      {"no encoding", Cp1251ToUtf8(Changed("<?xml version=\"1.0\" encoding=\"windows-1251\"?>", "<?xml version=\"1.0\"?>")),
       "в нем не указана кодировка windows-1251"},
      {"a dictionary file", W("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Справочник/>"),
       "Файл не является декларацией 3-НДФЛ или 4-НДФЛ в формате XML: его корневой элемент «Справочник», а не «Файл»"},
      {"a damaged amount", Changed(" Доход=\"", " Доход=\"12O"),
       "Файл поврежден: атрибут «Доход» элемента «ДоходИстРФ» содержит не сумму: «12O"},
      {"a damaged date", Changed("ДатаРожд=\"12.07.1980\"", "ДатаРожд=\"31.02.1980\""),
       "Файл поврежден: атрибут «ДатаРожд» элемента «СведФЛ1» содержит не дату: «31.02.1980»"},
      {"a missing attribute", Changed(" Фамилия=\"ИВАНОВ\"", ""), "Файл поврежден: атрибут «Фамилия» элемента «ФИОФЛ» отсутствует"},
      {"a missing element", Changed("<Подписант ПрПодп=\"1\"/>", ""),
       "Файл поврежден: элемент «Документ» не содержит обязательного элемента «Подписант»"},
      {"a status the form has not", Changed("Статус=\"1\"", "Статус=\"3\""),
       "Файл поврежден: атрибут «Статус» элемента «НПФЛ3» имеет недопустимое значение «3»"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    try {
      ImportReturnXml(c.Bytes);
      ADD_FAILURE() << "read";
    } catch (const EReturnXml& e) {
      EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << e.what();
    }
  }
}

TEST(ReturnXmlBadInputTest, AHugeFileOrOneThatIsNoFileIsRefusedWithoutReadingIt) {
  TempDir dir;
  const std::filesystem::path huge = dir / "huge.xml";
  WriteFile(huge, ReadFile(kReturn));
  std::filesystem::resize_file(huge, 300u * 1024u * 1024u);  // sparse: no disk is filled
  ASSERT_EQ(mkfifo((dir / "fifo.xml").c_str(), 0600), 0);
  const struct {
    std::filesystem::path Path;
    const char* Message;
  } cases[] = {
      {huge, "huge.xml: Файл слишком велик: 314572800 байт, допускается не более 33554432."},
      {dir / "fifo.xml", "fifo.xml: Это канал (FIFO), а не обычный файл."},
      {dir.path(), "Это каталог, а не файл."},
      {dir / "missing.xml", "missing.xml: Нет такого файла или каталога."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path.string());
    const auto start = std::chrono::steady_clock::now();
    try {
      ImportReturnXmlFile(c.Path);
      ADD_FAILURE() << "read";
    } catch (const EReturnXml& e) {
      EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << e.what();
    }
    // Refused on its size, not after reading 300 MB.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  }
}

}  // namespace
}  // namespace talver::testing
