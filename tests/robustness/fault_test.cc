// The bank code file changing under a loaded index, very large files, and
// hostile input texts: every call answers with an error code, never a crash.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bankdir/bank_data.h"
#include "quandor/banking.h"
#include "quandor/creditcard.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

using testing::BankFileDir;
using testing::InFreshThread;

constexpr std::string_view kMuster = "10000000;Musterbank;Berlin;Musterbank Berlin;09";
constexpr std::string_view kNord = "20000000;Nordbank;Hamburg;Nordbank Hamburg;00";

// A file of n banks with codes 10000000, 10000001, ... and method 09.
std::string NumberedBankFile(int n) {
  std::string text;
  text.reserve(static_cast<std::size_t>(n) * 40);
  for (int i = 0; i < n; ++i) {
    std::string code = std::to_string(10000000 + i);
    text += code + ";Bank " + code + ";Stadt;Bank;09\r\n";
  }
  return text;
}

TEST(BankFileFaults, DeletedAfterTheIndexWasLoaded) {
  BankFileDir dir({kMuster, kNord});
  InFreshThread([&] {
    Banking banking;
    ASSERT_TRUE(banking.Validate("10000000", "12345"));
    dir.Remove();

    EXPECT_FALSE(banking.Validate("10000000", "12345"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
    EXPECT_EQ(banking.UsedTestingMethod(), -1);
    EXPECT_FALSE(banking.searchBank("20000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
    EXPECT_FALSE(banking.SearchBankInfo("10000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberFileMissing);
  });
}

TEST(BankFileFaults, ReplacedFileIsReadAtOnce) {
  BankFileDir dir({kMuster, kNord});
  InFreshThread([&] {
    Banking banking;
    ASSERT_TRUE(banking.searchBank("20000000"));
    EXPECT_EQ(banking.BankName(), "Nordbank");

    // Same bank code on the same line, new name: the new line is read.
    dir.Replace(testing::BankFileText({kMuster, "20000000;Nordbank Neu;Kiel;Nordbank Kiel;00"}));
    ASSERT_TRUE(banking.searchBank("20000000"));
    EXPECT_EQ(banking.BankName(), "Nordbank Neu");
    EXPECT_EQ(banking.BankCity(), "Kiel");

    // Another bank now on that line: never handed out for the old code.
    dir.Replace(testing::BankFileText({kMuster, "30000000;Südbank;München;Südbank;00"}));
    EXPECT_FALSE(banking.searchBank("20000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
  });
}

TEST(BankFileFaults, TruncatedBetweenLoadAndLookup) {
  BankFileDir dir({kMuster, kNord});
  InFreshThread([&] {
    Banking banking;
    dir.Write({kMuster});
    EXPECT_TRUE(banking.searchBank("10000000"));
    EXPECT_FALSE(banking.searchBank("20000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);

    dir.Write("");
    EXPECT_FALSE(banking.Validate("10000000", "1"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
  });
}

TEST(BankFileFaults, GrowingPast100000Lines) {
  BankFileDir dir(NumberedBankFile(1000));
  InFreshThread([&] {
    Banking banking;
    dir.Write(NumberedBankFile(120000));
    // The thread's index follows the file: banks added later are found.
    EXPECT_TRUE(banking.Validate("10000999", "1"));
    EXPECT_TRUE(banking.Validate("10110000", "1"));
  });
  InFreshThread([&] {
    Banking banking;  // a new thread loads the grown file
    EXPECT_TRUE(banking.Validate("10110000", "1"));
  });
}

TEST(BankFileFaults, MillionLinesLoadAndAnswer) {
  BankFileDir dir(NumberedBankFile(1000000));
  InFreshThread([&] {
    Banking banking;
    ASSERT_EQ(banking.LastError(), qdNoValidation);
    for (int i : {0, 1, 32767, 32768, 500000, 999999}) {
      std::string code = std::to_string(10000000 + i);
      EXPECT_TRUE(banking.searchBank(code)) << code;
      EXPECT_EQ(banking.BankName(), "Bank " + code);
    }
    EXPECT_FALSE(banking.searchBank("11000000"));
    EXPECT_TRUE(banking.SearchBankByText("Bank 10999999", qdSearchName));
    EXPECT_EQ(banking.AmountFoundBanks(), 1);
  });
}

// Mended: the index was built once per thread, so after an update every
// bank that moved or was added answered "unknown" until a restart.
TEST(BankFileFaults, IndexBuiltAgainOncePerChange) {
  BankFileDir dir({kMuster, kNord});
  InFreshThread([&] {
    Banking banking;
    const auto built_from = [] { return bankdir::CurrentBankData()->bank_file->number(); };
    const uint64_t first = built_from();
    // Young, the file is read at every lookup; the same text is no change.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(banking.searchBank("20000000"));
    EXPECT_EQ(built_from(), first);

    dir.Replace(testing::BankFileText({"05000000;Neubank;Essen;Neubank;09", kMuster, kNord}));
    for (const auto& [code, name] :
         {std::pair{"05000000", "Neubank"}, {"10000000", "Musterbank"}, {"20000000", "Nordbank"}}) {
      ASSERT_TRUE(banking.searchBank(code)) << code;
      EXPECT_EQ(banking.BankName(), name);
    }
    const uint64_t second = built_from();
    EXPECT_NE(second, first);
    EXPECT_TRUE(banking.Validate("05000000", "1"));
    EXPECT_EQ(built_from(), second);

    // A rewrite in place moves a bank to another line: found there.
    dir.Write({kNord});
    ASSERT_TRUE(banking.searchBank("20000000"));
    EXPECT_FALSE(banking.searchBank("10000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
  });
}

// Mended: a file of any size was read whole (a sparse 2 GB file took 4 GB).
TEST(BankFileFaults, FileAboveTheSizeLimitIsMissingUnread) {
  BankFileDir dir({kMuster});
  std::filesystem::resize_file(dir.file(), bankdir::kMaxBankFileSize + 1);
  InFreshThread([&] {
    const auto start = std::chrono::steady_clock::now();
    Banking banking;
    EXPECT_EQ(banking.LastError(), qdBankNumberFileMissing);
    EXPECT_FALSE(banking.SearchBankInfo("10000000"));
    EXPECT_EQ(banking.LastError(), qdBankNumberFileMissing);
    EXPECT_FALSE(banking.SearchBankByText("Muster"));
    EXPECT_EQ(banking.LastError(), qdBankNumberFileMissing);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    dir.Write({kMuster});
    EXPECT_TRUE(banking.SearchBankInfo("10000000"));
  });
}

// Mended: a FIFO put in the file's place between the look at the name and
// the open made the open wait for a writer, for ever. Here the name is
// swapped between a regular file and a FIFO while a thread looks banks up; a
// reader waiting on the FIFO is found by a writer that can open it without
// waiting, which also sets the reader free.
TEST(BankFileFaults, FifoSwappedInNeverBlocks) {
  BankFileDir dir({kMuster});
  const std::string fifo = (dir.path() / "fifo").string();
  const std::string regular = (dir.path() / "regular").string();
  const std::string swap = (dir.path() / "swap").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  ASSERT_EQ(::link(dir.file().c_str(), regular.c_str()), 0);
  std::atomic<bool> swapping{true};
  std::atomic<int> looking{2};
  std::vector<std::thread> lookups;
  for (int t = 0; t < looking; ++t) {
    lookups.emplace_back([&] {
      Banking banking;
      while (swapping) (void)banking.SearchBankInfo("10000000");
      --looking;
    });
  }
  int swaps = 0;
  for (const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
       std::chrono::steady_clock::now() < until; ++swaps) {
    // A new link changes the file's stamp, so that it is opened again.
    for (const std::string& source : {fifo, regular}) {
      ASSERT_EQ(::link(source.c_str(), swap.c_str()), 0);
      ASSERT_EQ(::rename(swap.c_str(), dir.file().c_str()), 0);
    }
  }
  swapping = false;
  int blocked = 0;
  for (auto waited = std::chrono::steady_clock::now(); looking > 0;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (std::chrono::steady_clock::now() - waited < std::chrono::seconds(1)) continue;
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) {
      ++blocked;
      ::close(fd);
    }
    waited = std::chrono::steady_clock::now();
  }
  for (std::thread& thread : lookups) thread.join();
  EXPECT_EQ(blocked, 0) << "of " << swaps << " swaps";
}

TEST(HostileInput, HugeTextsAndNulBytesAndInvalidUtf8) {
  BankFileDir dir({kMuster, kNord});
  InFreshThread([&] {
    Banking banking;
    const std::string megabyte_digits(1 << 20, '7');
    const std::string megabyte_noise(1 << 20, '\xff');
    const std::string with_nul(
        "10000000\0"
        "99",
        11);

    EXPECT_FALSE(banking.Validate(megabyte_digits, "1"));
    EXPECT_EQ(banking.LastError(), qdBankNumberWrongDigits);
    EXPECT_FALSE(banking.Validate("10000000", megabyte_digits));
    EXPECT_EQ(banking.LastError(), qdAccountNumberWrongDigits);
    EXPECT_FALSE(banking.Validate(megabyte_noise, "1"));
    EXPECT_EQ(banking.LastError(), qdBankNumberMissing);
    EXPECT_FALSE(banking.Validate("10000000", megabyte_noise));
    EXPECT_EQ(banking.LastError(), qdAccountNumberMissing);

    // A NUL is an ordinary non-digit: dropped at normal strictness.
    EXPECT_FALSE(banking.Validate(with_nul, "1"));
    EXPECT_EQ(banking.LastError(), qdBankNumberWrongDigits);
    EXPECT_TRUE(banking.Validate("10000000", std::string("12\0"
                                                         "34",
                                                         5)));
    banking.Strictness(qdStrictnessStrict);
    EXPECT_FALSE(banking.Validate("10000000", std::string("12\0"
                                                          "34",
                                                          5)));
    EXPECT_EQ(banking.LastError(), qdAccountNumberIncorrectly);
    banking.Strictness(qdStrictnessLow);
    EXPECT_TRUE(banking.Validate("10000000",
                                 "12\xc3\x28\xa0"
                                 "34"));

    EXPECT_FALSE(banking.SearchBankInfo(megabyte_noise));
    EXPECT_EQ(banking.LastError(), qdBankNumberUnknown);
    EXPECT_FALSE(banking.SearchBankByText(megabyte_noise));
    EXPECT_EQ(banking.LastError(), qdNoBankFound);
    EXPECT_TRUE(banking.SearchBankByText("\xc3", qdSearchAll) ||
                banking.LastError() == qdNoBankFound);
  });
}

TEST(HostileInput, CardNumbersOfFortyThousandCharacters) {
  Creditcard card;
  const std::string digits(40000, '4');
  EXPECT_FALSE(card.Validate(ccVisa, digits));
  EXPECT_EQ(card.LastError(), qdUnknownError);
  EXPECT_FALSE(card.Validate(ccVisa, std::string(40000, '\0')));
  EXPECT_EQ(card.LastError(), qdUnknownError);
  EXPECT_TRUE(card.Validate(ccVisa, "4111111111111111"));
}

}  // namespace
}  // namespace quandor
