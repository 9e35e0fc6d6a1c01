// The registry file: every value form read, malformed files refused with their line, and the
// written text exact, deterministic and read back unchanged.
#include "platform/registry_store/reg_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace fw::soft {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

// A text as RegSetValueExA is usually given it: its bytes and the terminating NUL.
std::vector<std::uint8_t> WithNul(std::string_view text) {
  std::vector<std::uint8_t> bytes = Bytes(text);
  bytes.push_back(0);
  return bytes;
}

// Runs the parser and returns the RegFileError it throws; fails the test if it throws none.
RegFileError ErrorOf(std::string_view text) {
  try {
    ParseRegFile(text, "/state/registry.reg");
  } catch (const RegFileError& e) {
    return e;
  }
  ADD_FAILURE() << "no RegFileError for:\n" << text;
  return RegFileError("", 0, "");
}

const RegValue& ValueAt(const RegTree& tree, std::size_t root, std::vector<std::string> path,
                        std::string_view name) {
  const RegKeyNode* key = tree.Find(root, path);
  if (key == nullptr) throw std::runtime_error("no key");
  const RegValue* value = key->FindValue(name);
  if (value == nullptr) throw std::runtime_error("no value " + std::string(name));
  return *value;
}

TEST(RegFile, ReadsEveryValueForm) {
  const std::string text =
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
      "\r\n"
      "; written by hand\r\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR]\r\n"
      "\"Start\"=dword:00000004\r\n"
      "@=\"default \\\"quoted\\\" C:\\\\path\"\r\n"
      "\"Short\"=dword:A\r\n"
      "\"Bin\"=hex:00,ff,10,\\\r\n"
      "    7f,80\r\n"
      "\"Empty\"=hex:\r\n"
      "\"None\"=hex(0):\r\n"
      "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
      "\"Multi\"=hex(7):61,00,00,00,e9,00,00,00,00,00\r\n"
      "\"Big\"=hex(b):01,02,03,04,05,06,07,08\r\n"
      "  \"Spaced\" = \"x\"  \r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Caf\xC3\xA9]\r\n"
      "\"Euro\"=\"\xE2\x82\xAC\"\r\n";
  const RegTree tree = ParseRegFile(text, "reg");
  const std::vector<std::string> usbstor{"SYSTEM", "CurrentControlSet", "Services", "USBSTOR"};
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "Start"), (RegValue{"Start", kRegDword, {4, 0, 0, 0}}));
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "").data, WithNul("default \"quoted\" C:\\path"));
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "").type, kRegSz);
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "Short").data, (std::vector<std::uint8_t>{10, 0, 0, 0}));
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "Bin"),
            (RegValue{"Bin", kRegBinary, {0x00, 0xFF, 0x10, 0x7F, 0x80}}));
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "Empty"), (RegValue{"Empty", kRegBinary, {}}));
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "None"), (RegValue{"None", kRegNone, {}}));
  // Text types spelled as hex are UTF-16LE in the file and Windows-1252 in memory.
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "Expand"),
            (RegValue{"Expand", kRegExpandSz, Bytes(std::string_view("%A%\0", 4))}));
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "Multi").data, Bytes(std::string_view("a\0\xE9\0\0", 5)));
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "Big"),
            (RegValue{"Big", kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}}));
  EXPECT_EQ(ValueAt(tree, 2, usbstor, "Spaced").data, WithNul("x"));
  // UTF-8 in the file, Windows-1252 in memory: é is 0xE9, € is 0x80.
  EXPECT_EQ(ValueAt(tree, 1, {"Software", "Caf\xE9"}, "Euro").data, WithNul("\x80"));
}

TEST(RegFile, SectionsOfOneKeyAddUpAndKeepTheFirstSpelling) {
  const RegTree tree = ParseRegFile(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\Software\\Alpha]\n\"A\"=dword:00000001\n\"X\"=dword:00000001\n"
      "[hkey_current_user\\SOFTWARE\\alpha\\Beta]\n"
      "[HKEY_CURRENT_USER\\software\\ALPHA]\n\"B\"=dword:00000002\n\"x\"=dword:00000003\n",
      "reg");
  const RegKeyNode* alpha = tree.Find(1, std::vector<std::string>{"software", "alpha"});
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(alpha->name(), "Alpha");
  EXPECT_EQ(tree.root(1).subkeys()[0].name(), "Software");
  ASSERT_EQ(alpha->values().size(), 3u);
  EXPECT_EQ(alpha->FindValue("X")->data, (std::vector<std::uint8_t>{3, 0, 0, 0}));
  EXPECT_EQ(alpha->FindValue("x")->name, "X");
  ASSERT_EQ(alpha->subkeys().size(), 1u);
  EXPECT_EQ(alpha->subkeys()[0].name(), "Beta");
}

TEST(RegFile, AnEmptyFileIsAnEmptyRegistry) {
  EXPECT_EQ(ParseRegFile("", "reg"), RegTree());
  EXPECT_EQ(ParseRegFile("Windows Registry Editor Version 5.00\n", "reg"), RegTree());
}

struct Malformed {
  std::string text;
  std::size_t line;
  std::string problem;  // a part of the message
};

TEST(RegFile, MalformedFilesNameTheLineAndTheProblem) {
  const std::string h = "Windows Registry Editor Version 5.00\n";
  const std::string key = "[HKEY_CURRENT_USER\\K]\n";
  const std::vector<Malformed> cases = {
      {"\n\nREGEDIT4\n", 3, "expected the header line"},
      {"  \n", 1, "header line"},
      {"\xFF\xFEW\0i\0", 1, "UTF-16"},
      {h + "\"A\"=dword:00000001\n", 2, "before any [key]"},
      {h + "[HKEY_NOWHERE\\K]\n", 2, "unknown root key \"HKEY_NOWHERE\""},
      {h + "[HKEY_CURRENT_USER\\A\\\\B]\n", 2, "empty key name"},
      {h + "[HKEY_CURRENT_USER\\A\n", 2, "does not end with ]"},
      {h + "[-HKEY_CURRENT_USER\\A]\n", 2, "deleting a key"},
      {h + key + "\"A\"=-\n", 3, "deleting a value"},
      {h + key + "\"A\"=\"x\\ny\"\n", 3, "unknown escape"},
      {h + key + "\"A\"=\"open\n", 3, "no closing quote"},
      {h + key + "\"A=\"x\"\n", 3, "expected = after the value name"},
      {h + key + "\"A\"=\"x\" tail\n", 3, "after the text value's quote"},
      {h + key + "\n\n\"A\"=dword:123456789\n", 5, "1 to 8 hexadecimal digits"},
      {h + key + "\"A\"=dword:12g4\n", 3, "1 to 8 hexadecimal digits"},
      {h + key + "\"A\"=dword:\n", 3, "1 to 8 hexadecimal digits"},
      {h + key + "\"A\"=hex:01,zz\n", 3, "\"zz\""},
      {h + key + "\"A\"=hex:01,100\n", 3, "\"100\""},
      {h + key + "\"A\"=hex:01,,02\n", 3, "found \"\""},
      {h + key + "\"A\"=hex:01,02,\\\n  03,04,\\\n  0x\n", 5, "\"0x\""},
      {h + key + "\"A\"=hex:01,02,\\\n", 3, "past the end of the file"},
      {h + key + "\"A\"=hex(2:00\n", 3, "hex(type):"},
      {h + key + "\"A\"=hex(2):41,00,42\n", 3, "odd number of bytes"},
      {h + key + "\"A\"=hex(1):2d,4e,00,00\n", 3, "U+4E2D"},
      {h + key + "\"A\"=\"\xE4\xB8\xAD\"\n", 3, "Windows-1252"},
      {h + "[HKEY_CURRENT_USER\\\xE4\xB8\xAD]\n", 2, "key name"},
      {h + key + "\"A\"=str:\"x\"\n", 3, "unknown value data"},
      {h + key + "garbage\n", 3, "expected a [key] line"},
      // Names that could not be written back: reading them would leave a store no write can
      // save.
      {h + key + std::string("\"D\0e\"=dword:00000001\n", 21), 3, "value name holds a NUL"},
      {h + key + "\"A\rB\"=dword:00000001\n", 3, "value name holds a NUL or a line break"},
      {h + std::string("[HKEY_CURRENT_USER\\A\0B]\n", 24), 2, "key name with a NUL"},
  };
  for (const Malformed& c : cases) {
    const RegFileError error = ErrorOf(c.text);
    EXPECT_EQ(error.line(), c.line) << c.text;
    EXPECT_EQ(error.file(), "/state/registry.reg");
    EXPECT_NE(error.problem().find(c.problem), std::string::npos)
        << "problem: " << error.problem() << "\nexpected a mention of: " << c.problem;
    EXPECT_EQ(std::string(error.what()),
              "/state/registry.reg:" + std::to_string(c.line) + ": " + error.problem());
  }
}

TEST(RegFile, WritesTheFormatRegeditReads) {
  RegTree tree;
  RegKeyNode& usbstor = tree.root(2)
                            .AddSubkey("SYSTEM")
                            .AddSubkey("CurrentControlSet")
                            .AddSubkey("Services")
                            .AddSubkey("USBSTOR");
  usbstor.SetValue("Start", kRegDword, {0x0A, 0x01, 0, 0x80});
  usbstor.SetValue("", kRegSz, WithNul("say \"hi\" \\ caf\xE9"));
  usbstor.SetValue("NoNul", kRegSz, Bytes("ab"));
  usbstor.SetValue("Expand", kRegExpandSz, Bytes(std::string_view("%\0", 2)));
  usbstor.SetValue("Odd", kRegDword, {1, 2});
  usbstor.SetValue("Q", kRegQword, {1, 2, 3, 4, 5, 6, 7, 8});
  tree.root(1).AddSubkey("Empty");
  tree.root(1).SetValue("Top", kRegBinary, {});
  EXPECT_EQ(WriteRegFile(tree),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_CURRENT_USER]\n"
            "\"Top\"=hex:\n"
            "\n"
            "[HKEY_CURRENT_USER\\Empty]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR]\n"
            "@=\"say \\\"hi\\\" \\\\ caf\xC3\xA9\"\n"
            "\"Expand\"=hex(2):25,00,00,00\n"
            "\"NoNul\"=hex(1):61,00,62,00\n"
            "\"Odd\"=hex(4):01,02\n"
            "\"Q\"=hex(b):01,02,03,04,05,06,07,08\n"
            "\"Start\"=dword:8000010a\n"
            "\n");
}

TEST(RegFile, LongHexListsBreakBefore80Columns) {
  RegTree tree;
  std::vector<std::uint8_t> bytes(200);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  tree.root(0).AddSubkey("K").SetValue("LongName", kRegBinary, bytes);
  const std::string text = WriteRegFile(tree);
  std::size_t start = 0;
  std::size_t continued = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    EXPECT_LE(line.size(), 80u) << line;
    if (line.ends_with("\\")) {
      ++continued;
      EXPECT_TRUE(line.ends_with(",\\")) << line;
    }
    start = end + 1;
  }
  EXPECT_GE(continued, 7u);
  EXPECT_EQ(ParseRegFile(text, "reg"), tree);
}

TEST(RegFile, TheSameTreeGivesTheSameBytesWhateverTheOrderItWasBuilt) {
  RegTree forward;
  RegTree backward;
  const std::vector<std::string> names = {"zeta", "Alpha", "\xE9t\xE9", "beta", "_x", "Gamma"};
  for (const std::string& name : names) {
    forward.root(2).AddSubkey("S").AddSubkey(name).SetValue(name, kRegDword, {1, 0, 0, 0});
  }
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    backward.root(2).AddSubkey("S").AddSubkey(*it).SetValue(*it, kRegDword, {1, 0, 0, 0});
  }
  EXPECT_EQ(WriteRegFile(forward), WriteRegFile(backward));
  const std::string text = WriteRegFile(forward);
  EXPECT_LT(text.find("\\Alpha]"), text.find("\\beta]"));
  EXPECT_LT(text.find("\\beta]"), text.find("\\Gamma]"));
  EXPECT_LT(text.find("\\zeta]"), text.find("\\_x]"));  // '_' folds after the letters
}

// A random name the file can hold, drawn from characters that need care: quotes, backslashes
// (values only), brackets, spaces, ";", "=", "@" and the high half of Windows-1252.
std::string RandomName(std::mt19937& random, bool key) {
  static const std::string kAwkward = "\"[]; =@\t\x80\x81\x8D\x9F\xA0\xE9\xFF";
  std::string name;
  const int length = std::uniform_int_distribution<int>(key ? 1 : 0, 8)(random);
  for (int i = 0; i < length; ++i) {
    if (std::uniform_int_distribution<int>(0, 3)(random) == 0) {
      name += kAwkward[std::uniform_int_distribution<std::size_t>(0, kAwkward.size() - 1)(random)];
    } else if (!key && std::uniform_int_distribution<int>(0, 9)(random) == 0) {
      name += '\\';
    } else {
      name += static_cast<char>(std::uniform_int_distribution<int>('A', 'z')(random));
    }
  }
  if (key && name.find('\\') != std::string::npos) name = "k";
  return name;
}

std::vector<std::uint8_t> RandomData(std::mt19937& random) {
  std::vector<std::uint8_t> data(std::uniform_int_distribution<std::size_t>(0, 40)(random));
  for (auto& byte : data) byte = static_cast<std::uint8_t>(random());
  if (!data.empty() && std::uniform_int_distribution<int>(0, 1)(random) == 0) {
    // Mostly plain text with its NUL, the form most REG_SZ values have.
    for (auto& byte : data) byte = static_cast<std::uint8_t>(' ' + byte % 95);
    data.back() = 0;
  }
  return data;
}

void AddRandomKeys(std::mt19937& random, RegKeyNode& key, int depth) {
  static const std::vector<std::uint32_t> kTypes = {
      kRegNone, kRegSz, kRegExpandSz, kRegBinary, kRegDword, kRegMultiSz, kRegQword, 5, 0x1234};
  const int values = std::uniform_int_distribution<int>(0, 4)(random);
  for (int i = 0; i < values; ++i) {
    std::vector<std::uint8_t> data = RandomData(random);
    const std::uint32_t type =
        kTypes[std::uniform_int_distribution<std::size_t>(0, kTypes.size() - 1)(random)];
    if (type == kRegDword && std::uniform_int_distribution<int>(0, 2)(random) > 0) data.resize(4);
    key.SetValue(RandomName(random, false), type, std::move(data));
  }
  if (depth == 0) return;
  const int subkeys = std::uniform_int_distribution<int>(0, 3)(random);
  for (int i = 0; i < subkeys; ++i) {
    AddRandomKeys(random, key.AddSubkey(RandomName(random, true)), depth - 1);
  }
}

TEST(RegFile, WrittenTreesReadBackUnchanged) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 200; ++round) {
    RegTree tree;
    for (std::size_t root = 0; root < kRootCount; ++root) {
      if (std::uniform_int_distribution<int>(0, 1)(random) == 0) {
        AddRandomKeys(random, tree.root(root), 3);
      }
    }
    const std::string text = WriteRegFile(tree);
    const RegTree back = ParseRegFile(text, "round trip");
    ASSERT_EQ(back, tree) << "round " << round << ":\n" << text;
    ASSERT_EQ(WriteRegFile(back), text);
  }
}

TEST(RegFile, NamesTheFileCannotHoldAreRefused) {
  EXPECT_TRUE(IsWritableKeyName("USBSTOR"));
  EXPECT_TRUE(IsWritableKeyName("a]b [c] \"d\""));
  EXPECT_FALSE(IsWritableKeyName(""));
  EXPECT_FALSE(IsWritableKeyName("a\\b"));
  EXPECT_FALSE(IsWritableKeyName("a\nb"));
  EXPECT_FALSE(IsWritableKeyName(std::string_view("a\0b", 3)));
  EXPECT_TRUE(IsWritableValueName(""));
  EXPECT_TRUE(IsWritableValueName("a\\b"));
  EXPECT_FALSE(IsWritableValueName("a\rb"));

  RegTree tree;
  tree.root(1).AddSubkey("K").SetValue("line\nbreak", kRegDword, {0, 0, 0, 0});
  EXPECT_THROW(WriteRegFile(tree), std::invalid_argument);
  RegTree bad_key;
  bad_key.root(1).AddSubkey("a\\b");
  EXPECT_THROW(WriteRegFile(bad_key), std::invalid_argument);
}

}  // namespace
}  // namespace fw::soft
