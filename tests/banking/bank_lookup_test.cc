#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "quandor/banking.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

using testing::BankFileDir;
using testing::BankFileText;
using testing::InFreshThread;
using Fields = std::vector<std::string>;

const std::string_view kMusterbank = "10000000;Musterbank;Berlin;Musterbank Berlin;09";

TEST(SearchBankInfo, ReturnsAllFieldsAndLeavesLastError) {
  BankFileDir dir({kMusterbank, "20000000;Bank Zwei;Hamburg;BZ;1;20000;BICXXX", "30000000"});
  InFreshThread([] {
    Banking b;
    const auto found = b.SearchBankInfo("100 000 00");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, (Fields{"10000000", "Musterbank", "Berlin", "Musterbank Berlin", "09"}));
    EXPECT_EQ(b.LastError(), qdNoValidation);
    EXPECT_EQ(b.SearchBankInfo("20000000")->size(), 7u);
    // A line without ";" is a record of one field.
    EXPECT_EQ(*b.SearchBankInfo("30000000"), Fields{"30000000"});
  });
}

TEST(SearchBankInfo, Failures) {
  BankFileDir dir({kMusterbank});
  InFreshThread([&] {
    Banking b;
    EXPECT_FALSE(b.SearchBankInfo("1000000"));
    EXPECT_EQ(b.LastError(), qdBankNumberUnknown);
    EXPECT_FALSE(b.SearchBankInfo("   "));
    EXPECT_EQ(b.LastError(), qdBankNumberMissing);
    dir.Remove();
    EXPECT_FALSE(b.SearchBankInfo("10000000"));
    EXPECT_EQ(b.LastError(), qdBankNumberFileMissing);
    // While 9 stands, Validate refuses; Reset lifts the refusal.
    EXPECT_FALSE(b.Validate("10000000", "1"));
    EXPECT_EQ(b.LastError(), qdBankNumberFileMissing);
    b.Reset();
    EXPECT_FALSE(b.Validate("10000000", "1"));
    EXPECT_EQ(b.LastError(), qdBankNumberUnknown);
  });
}

TEST(SearchBank, LoadsTheBank) {
  BankFileDir dir({kMusterbank, "20000000;Bank Zwei;Hamburg"});
  InFreshThread([&] {
    Banking b;
    EXPECT_TRUE(b.searchBank("100-000-00"));
    EXPECT_EQ(b.LastError(), qdNoError);
    EXPECT_EQ(b.BankNumber(), "100 000 00");
    EXPECT_EQ(b.BankName(), "Musterbank");
    EXPECT_EQ(b.BankCity(), "Berlin");
    EXPECT_EQ(b.BankComplete(), "Musterbank Berlin");
    EXPECT_EQ(b.AccountNumber(), "");
    EXPECT_EQ(b.UsedTestingMethod(), -1);

    EXPECT_FALSE(b.searchBank("1000000x"));
    EXPECT_EQ(b.LastError(), qdBankNumberWrongDigits);
    EXPECT_EQ(b.BankName(), "");
    // A record without a fourth field: what is there stays, the call fails.
    EXPECT_FALSE(b.searchBank("20000000"));
    EXPECT_EQ(b.LastError(), qdUnknownError);
    EXPECT_EQ(b.BankCity(), "Hamburg");
    // The lookup's "file missing" becomes "unknown bank code" here.
    dir.Remove();
    EXPECT_FALSE(b.searchBank("10000000"));
    EXPECT_EQ(b.LastError(), qdBankNumberUnknown);
  });
}

// BIC and postcode come from fields 7 and 6 by every way a bank is shown,
// are empty where the record ends before them, and go with Reset.
TEST(SearchBank, BicAndPostcode) {
  BankFileDir dir({kMusterbank, "20000000;Bank Zwei;Hamburg;BZ;00;20000",
                   "37050198;Sparkasse;Köln;Spk;00;50667;COLSDE33XXX\r"});
  InFreshThread([] {
    Banking b;
    ASSERT_TRUE(b.Validate("37050198", "532013000"));
    EXPECT_EQ(b.BankBIC(), "COLSDE33XXX");
    EXPECT_EQ(b.BankPostcode(), "50667");
    ASSERT_TRUE(b.searchBank("20000000"));
    EXPECT_EQ(b.BankBIC(), "");
    EXPECT_EQ(b.BankPostcode(), "20000");
    ASSERT_TRUE(b.searchBank("10000000"));
    EXPECT_EQ(b.BankPostcode(), "");
    ASSERT_TRUE(b.SearchBankByText("Sparkasse", qdSearchName));
    EXPECT_EQ(b.BankBIC(), "COLSDE33XXX");
    EXPECT_EQ(b.BankPostcode(), "50667");
    ASSERT_TRUE(b.SearchBankByText("Musterbank", qdSearchName));
    EXPECT_EQ(b.BankBIC(), "");
    ASSERT_TRUE(b.Validate("37050198", "532013000"));
    b.Reset();
    EXPECT_EQ(b.BankBIC(), "");
    EXPECT_EQ(b.BankPostcode(), "");
  });
}

TEST(BankFile, EmptyLinesAndEveryLineEnd) {
  BankFileDir dir(
      "\r\n10000000;A;X;A X;0\r\n\r\n20000000;B;Y;B Y;1\r30000000;C;Z;C Z;2\n\n"
      "40000000;D;W;D W;3");
  InFreshThread([] {
    Banking b;
    for (const auto& [code, name] :
         {std::pair{"10000000", "A"}, {"20000000", "B"}, {"30000000", "C"}, {"40000000", "D"}}) {
      ASSERT_TRUE(b.searchBank(code)) << code;
      EXPECT_EQ(b.BankName(), name);
    }
    EXPECT_FALSE(b.searchBank("50000000"));
  });
}

TEST(BankFile, OneRecordFile) {
  BankFileDir dir({kMusterbank});
  InFreshThread([] {
    Banking b;
    EXPECT_TRUE(b.searchBank("10000000"));
    EXPECT_FALSE(b.searchBank("10000001"));
    EXPECT_FALSE(b.searchBank("09999999"));
  });
}

// Mended: line numbers and index positions have no 16-bit limit.
TEST(BankFile, FindsBanksBeyondLine32767) {
  std::string text;
  for (int i = 0; i < 40000; ++i) {
    text += std::to_string(10000000 + i) + ";Bank " + std::to_string(i) + ";Ort;Kurz;0\r\n";
    if (i % 1000 == 0) text += "\r\n";
  }
  BankFileDir dir(text);
  InFreshThread([] {
    Banking b;
    for (int i : {0, 32766, 32767, 32768, 39999}) {
      ASSERT_TRUE(b.searchBank(std::to_string(10000000 + i))) << i;
      EXPECT_EQ(b.BankName(), "Bank " + std::to_string(i));
    }
  });
}

TEST(BankFile, Windows1252IsReadAsUtf8) {
  BankFileDir dir("37050198;Sparkasse K\xF6lnBonn;K\xF6ln;Spk K\xF6lnBonn;00\r\n");
  InFreshThread([] {
    Banking b;
    ASSERT_TRUE(b.searchBank("37050198"));
    EXPECT_EQ(b.BankName(), "Sparkasse K\xC3\xB6lnBonn");
    EXPECT_EQ(b.BankCity(), "K\xC3\xB6ln");
  });
}

// Mended: a lookup never hands out another bank's record when the file
// changed under the index.
TEST(BankFile, ChangedFileNeverGivesAnotherBank) {
  BankFileDir dir({"10000000;A;X;A X;0", "20000000;B;Y;B Y;1", "30000000;C;Z;C Z;2"});
  InFreshThread([&] {
    Banking b;
    ASSERT_TRUE(b.searchBank("20000000"));
    dir.Write({"10000000;A;X;A X;0", "25000000;E;V;E V;4", "30000000;C;Z;C Z;2"});
    EXPECT_FALSE(b.SearchBankInfo("20000000"));
    EXPECT_EQ(b.LastError(), qdBankNumberUnknown);
    // Codes whose lines did not move are read from the new file at once.
    dir.Replace(BankFileText({"10000000;A2;X;A X;0", "20000000;B;Y;B Y;1", "30000000;C;Z;C Z;2"}));
    ASSERT_TRUE(b.searchBank("10000000"));
    EXPECT_EQ(b.BankName(), "A2");
    // The new bank is not in this thread's index: unknown.
    dir.Write({"10000000;A;X;A X;0"});
    b.Reset();
    EXPECT_FALSE(b.SearchBankInfo("30000000"));  // its line is gone
    EXPECT_EQ(b.LastError(), qdBankNumberUnknown);
  });
}

// Runs as another user than root when started as root, for whom every file
// is readable. permit(true) lets the file owner act; permit(false) returns to
// the restricted user.
void UnreadableScenario(const BankFileDir& dir, const std::function<void(bool)>& permit) {
  // Old enough that its copy is trusted for as long as its stamp holds.
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  Banking b;
  EXPECT_TRUE(b.SearchBankInfo("10000000"));
  permit(true);
  ::chmod(dir.file().c_str(), 0);
  permit(false);
  EXPECT_FALSE(b.SearchBankInfo("10000000"));
  EXPECT_EQ(b.LastError(), qdBankNumberFileMissing);
  permit(true);
  ::chmod(dir.file().c_str(), 0644);
  permit(false);
  EXPECT_TRUE(b.SearchBankInfo("10000000"));
}

TEST(BankFile, UnreadableFileIsMissing) {
  BankFileDir dir({kMusterbank});
  if (::geteuid() != 0) {
    InFreshThread([&] { UnreadableScenario(dir, [](bool) {}); });
    return;
  }
  ::chmod(dir.path().c_str(), 0755);
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // the child starts with one thread
  EXPECT_EXIT(
      {
        const uid_t nobody = 65534;
        auto permit = [&](bool owner) {
          if (::seteuid(owner ? 0 : nobody) != 0) std::_Exit(2);
        };
        permit(false);
        UnreadableScenario(dir, permit);
        std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(BankFile, DirectoryInsteadOfFileIsMissing) {
  BankFileDir dir({kMusterbank});
  dir.Remove();
  std::filesystem::create_directory(dir.file());
  InFreshThread([] {
    Banking b;
    EXPECT_EQ(b.LastError(), qdBankNumberFileMissing);
  });
}

}  // namespace
}  // namespace quandor
