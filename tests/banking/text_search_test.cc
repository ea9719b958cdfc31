#include "bankdir/text_search.h"

#include <gtest/gtest.h>

#include <random>

#include "quandor/banking.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

using testing::BankFileDir;
using testing::InFreshThread;

const std::initializer_list<std::string_view> kBanks = {
    "10000000;Bank B;Berlin;Bank B Berlin;09",
    "10020000;Bank A;BERLIN;Bank A Berlin;13",
    "20000000;Sparkasse;Hamburg;Spk Hamburg;00",
    "",
    "70000000;Stadtsparkasse M\xC3\x9C"
    "NCHEN;M\xC3\x9C"
    "NCHEN;SSK M\xC3\xBC"
    "nchen;77",
    "80000000;bank klein;Halle;bk;00",
    "80000001;\xC3\x84rztebank;D\xC3\xBCsseldorf;\xC3\x84rzte;00",
};

// The codes of the found banks, in list order, walked with the cursor.
std::vector<std::string> FoundCodes(Banking& b) {
  std::vector<std::string> codes;
  for (bool more = b.FirstFoundBank(); more; more = b.NextFoundBank())
    codes.push_back(b.BankNumber());
  return codes;
}

using Codes = std::vector<std::string>;

TEST(SearchBankByText, FieldsAndOptions) {
  BankFileDir dir(kBanks);
  InFreshThread([] {
    Banking b;
    const struct {
      std::string_view text;
      int32_t option;
      Codes codes;
    } cases[] = {
        {"BERLIN", qdSearchCity, {"10020000", "10000000"}},
        {"berlin", qdSearchAll, {"10020000", "10000000"}},
        {"BERLIN", qdSearchBLZ, {}},
        {"1000", qdSearchBLZ, {"10000000"}},
        {"hamburg", qdSearchName | qdSearchCity, {"20000000"}},
        {"sparkasse", qdSearchName | qdSearchCity, {"20000000", "70000000"}},
        {"77", qdSearchAll, {"70000000"}},  // only in the method field
        {"münchen", qdSearchCity, {"70000000"}},
        {"ÄRZTE", qdSearchName, {"80000001"}},
        {"DÜSSELDORF", qdSearchAll, {"80000001"}},
        {"bank", qdSearchName | 8, {"10020000", "10000000", "80000000", "80000001"}},
        {"Bank", 8, {}},
        {"",
         qdSearchCity,
         {"10020000", "10000000", "20000000", "70000000", "80000000", "80000001"}},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.text) + " option " + std::to_string(c.option));
      const bool found = b.SearchBankByText(c.text, c.option);
      EXPECT_EQ(found, !c.codes.empty());
      EXPECT_EQ(b.LastError(), found ? qdNoError : qdNoBankFound);
      EXPECT_EQ(b.AmountFoundBanks(), found ? static_cast<int32_t>(c.codes.size()) : -1);
      EXPECT_EQ(FoundCodes(b), c.codes);
    }
  });
}

TEST(SearchBankByText, CursorWalksTheNameOrder) {
  BankFileDir dir(kBanks);
  InFreshThread([] {
    Banking b;
    b.Strictness(qdStrictnessNormal);
    ASSERT_TRUE(b.SearchBankByText("Bank B"));
    ASSERT_TRUE(b.SearchBankByText("Berlin", qdSearchCity));
    EXPECT_EQ(b.BankName(), "Bank A");
    EXPECT_EQ(b.BankNumber(), "10020000");  // as in the file, not regrouped
    EXPECT_EQ(b.BankComplete(), "Bank A Berlin");
    EXPECT_EQ(b.LastError(), qdNoError);
    EXPECT_TRUE(b.NextFoundBank());
    EXPECT_EQ(b.BankName(), "Bank B");
    EXPECT_EQ(b.LastError(), qdNoValidation);
    EXPECT_FALSE(b.NextFoundBank());
    EXPECT_EQ(b.BankName(), "");
    // Validate and searchBank leave the cursor where it was.
    b.Validate("10000000", "1");
    b.searchBank("10000000");
    EXPECT_FALSE(b.NextFoundBank());
    EXPECT_TRUE(b.FirstFoundBank());
    EXPECT_EQ(b.BankName(), "Bank A");

    EXPECT_FALSE(b.SearchBankByText("nirgends"));
    EXPECT_FALSE(b.IsBankFound());
    EXPECT_EQ(b.AmountFoundBanks(), -1);
    EXPECT_FALSE(b.FirstFoundBank());
    EXPECT_FALSE(b.NextFoundBank());
  });
}

TEST(SearchBankByText, FileMissing) {
  BankFileDir dir(kBanks);
  InFreshThread([&] {
    Banking b;
    dir.Remove();
    EXPECT_FALSE(b.SearchBankByText("Bank"));
    EXPECT_EQ(b.LastError(), qdBankNumberFileMissing);
    EXPECT_FALSE(b.Validate("10000000", "1"));  // refused while 9 stands
    EXPECT_EQ(b.LastError(), qdBankNumberFileMissing);
  });
}

// Mended: an empty line is no record in field mode either; a record that
// lacks a searched field still fails the search.
TEST(SearchBankByText, EmptyLinesSkippedShortRecordsFail) {
  BankFileDir dir({"10000000;Bank B;Berlin;BB;0", "", "20000000;Bank C"});
  InFreshThread([&] {
    Banking b;
    EXPECT_TRUE(b.SearchBankByText("Bank", qdSearchName));
    EXPECT_EQ(b.AmountFoundBanks(), 2);
    EXPECT_FALSE(b.SearchBankByText("Berlin", qdSearchCity));
    EXPECT_EQ(b.LastError(), qdUnknownError);
    EXPECT_FALSE(b.IsBankFound());
    // The first match ends the tests of a record: field 3 is not needed.
    EXPECT_TRUE(b.SearchBankByText("0000", qdSearchBLZ | qdSearchCity));
    EXPECT_EQ(b.AmountFoundBanks(), 2);
  });
}

TEST(SearchBankByText, ShortFoundRecordIsRaised) {
  BankFileDir dir({"10000000;Bank A;Berlin;BA;0", "20000000;Bank B;Hamburg"});
  InFreshThread([&] {
    Banking b;
    // A name but no fourth field: raised when the cursor reaches it.
    ASSERT_TRUE(b.SearchBankByText("Bank", qdSearchName));
    EXPECT_EQ(b.BankName(), "Bank A");
    EXPECT_THROW(b.NextFoundBank(), MalformedRecordError);
    EXPECT_TRUE(b.FirstFoundBank());
    // Found without a name: the search itself fails.
    dir.Write({"10000000;Bank A;Berlin;BA;0", "30000000"});
    EXPECT_THROW(b.SearchBankByText("3000", qdSearchBLZ), MalformedRecordError);
  });
}

// The whole-line search runs over the whole file at once: a hit counts for
// the line it lies in, never across a line end, and once per line.
TEST(SearchBankByText, WholeLineHitsStayInTheirLine) {
  BankFileDir dir(std::string("10000000;Bank B;Berlin;BB;09\r\n\n") +
                  "20000000;Bank Bank;Hamburg;BH;09\n30000000;Spk;Halle;SH;00");
  InFreshThread([&] {
    Banking b;
    const struct {
      std::string_view text;
      Codes codes;
    } cases[] = {
        {"09\r\n", {}},
        {"09\n2", {}},
        {"\n", {}},
        {"bank", {"10000000", "20000000"}},
        {"1000", {"10000000"}},
        {"sh;00", {"30000000"}},
        {"", {"10000000", "20000000", "30000000"}},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.text);
      EXPECT_EQ(b.SearchBankByText(c.text), !c.codes.empty());
      EXPECT_EQ(FoundCodes(b), c.codes);
    }
  });
}

// The banks found are those of the file as it was searched, whatever becomes
// of it; a search of the changed file orders by its own names.
TEST(SearchBankByText, FoundBanksOutliveTheFileSearched) {
  BankFileDir dir({"10000000;Bank A;Berlin;BA;0", "20000000;Bank B;Hamburg;BB;0"});
  InFreshThread([&] {
    Banking b;
    ASSERT_TRUE(b.SearchBankByText("Bank"));
    dir.Replace(
        testing::BankFileText({"10000000;Bank Z;Berlin;BZ;0", "20000000;Bank Y;Hamburg;BY"}));
    EXPECT_TRUE(b.searchBank("10000000"));  // the thread reads the new file
    EXPECT_EQ(b.BankName(), "Bank Z");
    EXPECT_EQ(FoundCodes(b), (Codes{"10000000", "20000000"}));
    ASSERT_TRUE(b.SearchBankByText("Bank", qdSearchName));
    EXPECT_EQ(FoundCodes(b), (Codes{"20000000", "10000000"}));
  });
}

// The insertion that the found list has always been built by.
std::vector<std::size_t> InsertOneByOne(const std::vector<std::string_view>& names) {
  std::vector<std::size_t> list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (list.empty() || names[i] >= names[list.back()]) {
      list.push_back(i);
      continue;
    }
    std::size_t pos = 0;
    while (names[i] > names[list[pos]]) ++pos;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), i);
  }
  return list;
}

TEST(OrderByName, SameAsInsertingOneByOne) {
  std::mt19937 random(7);
  const std::vector<std::string> pool = {"Bank A", "Bank B",       "Bank C",
                                         "bank a", "\xC3\x84rzte", "Z"};
  for (int round = 0; round < 500; ++round) {
    std::vector<std::string_view> names(random() % 12);
    for (auto& name : names) name = pool[random() % pool.size()];
    ASSERT_EQ(bankdir::OrderByName(names), InsertOneByOne(names)) << "round " << round;
  }
}

TEST(OrderByName, ByCharacterCode) {
  const std::vector<std::string_view> names = {"\xC3\x84rzte", "bank", "Zeta", "Alpha"};
  EXPECT_EQ(bankdir::OrderByName(names), (std::vector<std::size_t>{3, 2, 1, 0}));
}

}  // namespace
}  // namespace quandor
