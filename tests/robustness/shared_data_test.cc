// The bank data is read once per change for the whole process, and a
// change made before a call is seen by that call, whatever came before.
#include "bankdir/bank_data.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "quandor/banking.h"
#include "support/bank_file_fixture.h"

namespace quandor {
namespace {

using testing::ScopedEnv;
using testing::TempDir;

// Runs each task on the same thread of its own, one after another, so that
// whatever that thread keeps lasts from one task to the next.
class OneThread {
 public:
  OneThread() : thread_([this] { Serve(); }) {}
  ~OneThread() {
    Run(nullptr);
    thread_.join();
  }
  void Run(std::function<void()> task) {
    std::unique_lock lock(mutex_);
    task_ = std::move(task);
    pending_ = true;
    done_.notify_all();
    done_.wait(lock, [this] { return !pending_; });
  }

 private:
  void Serve() {
    for (bool more = true; more;) {
      std::unique_lock lock(mutex_);
      done_.wait(lock, [this] { return pending_; });
      more = task_ != nullptr;
      if (more) task_();
      pending_ = false;
      done_.notify_all();
    }
  }
  std::mutex mutex_;
  std::condition_variable done_;
  std::function<void()> task_;
  bool pending_ = false;
  std::thread thread_;
};

// Two banks of the files written here.
constexpr std::string_view kFirst = "10000000;Erste Bank;Berlin;Erste Bank;09";
constexpr std::string_view kSecond = "20000000;Zweite Bank;Kiel;Zweite Bank;09";

// Mended: a thread's copy of the files stayed in use after the change watch
// had stopped watching them, or after the environment had named no
// settings file for a while.
TEST(BankData, ChangesThatTheWatchMissedAreSeen) {
  struct Case {
    const char* name;
    std::function<void(const TempDir& dir)> run;
  };
  const std::string library_dir =
      std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/";
  const Case cases[] = {
      {"bank code file created after four other directories were used",
       [](const TempDir& dir) {
         const std::string data = dir.path().string();
         ScopedEnv env("QUANDOR_DATA_DIR", data);
         OneThread first;
         first.Run([] { EXPECT_EQ(Banking().LastError(), qdBankNumberFileMissing); });
         for (const char* sub : {"/s1", "/s2", "/s3", "/s4"}) {
           ScopedEnv elsewhere("QUANDOR_DATA_DIR", data + sub);
           testing::InFreshThread([] { Banking banking; });
         }
         dir.WriteFile("blz.txt", testing::BankFileText({kFirst}));
         first.Run([] {
           Banking banking;
           EXPECT_EQ(banking.LastError(), qdNoValidation);
           EXPECT_TRUE(banking.searchBank("10000000"));
         });
       }},
      {"settings file created after four data directories were used",
       [&](const TempDir& dir) {
         ScopedEnv xdg("XDG_CONFIG_HOME", dir.path().string());
         EXPECT_EQ(GetDataPath(), library_dir);
         for (const char* sub : {"/s1", "/s2", "/s3", "/s4"}) {
           ScopedEnv data("QUANDOR_DATA_DIR", dir.path().string() + sub);
           Banking banking;
         }
         dir.WriteFile("Quandor/Quandor.ini",
                       "[path]\nfilepath=/srv/banks\n[check]\nrules=current\n");
         EXPECT_EQ(GetDataPath(), "/srv/banks/");
         EXPECT_EQ(GetDefaultRules(), qdRulesCurrent);
       }},
      {"settings file placed again by HOME",
       [&](const TempDir& dir) {
         dir.WriteFile(".config/Quandor/Quandor.ini",
                       "[path]\nfilepath=/srv/banks\n[check]\nrules=current\n");
         ScopedEnv home("HOME", dir.path().string());
         EXPECT_EQ(GetDataPath(), "/srv/banks/");
         {
           ScopedEnv no_home("HOME", std::nullopt);
           EXPECT_EQ(GetDataPath(), library_dir);
           EXPECT_EQ(GetDefaultRules(), qdRulesOriginal);
         }
         EXPECT_EQ(GetDataPath(), "/srv/banks/");
         EXPECT_EQ(GetDefaultRules(), qdRulesCurrent);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TempDir dir;
    const ScopedEnv data("QUANDOR_DATA_DIR", std::nullopt);
    const ScopedEnv rules("QUANDOR_RULES", std::nullopt);
    const ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
    const ScopedEnv home("HOME", "/nonexistent");
    c.run(dir);
  }
}

// Threads that start after a change read the file once between them, and
// answer from the same reading.
TEST(BankData, ThreadsShareOneReadingPerChange) {
  testing::BankFileDir dir({kFirst});
  testing::InFreshThread([] { Banking banking; });
  const uint64_t before = bankdir::CurrentBankData()->bank_file->number();
  dir.Replace(testing::BankFileText({kFirst, kSecond}));

  constexpr int kThreads = 8;
  std::atomic<int> ready{0};
  std::mutex mutex;
  std::set<const bankdir::BankReading*> readings;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (++ready; ready < kThreads;) std::this_thread::yield();
      Banking banking;
      EXPECT_TRUE(banking.searchBank("20000000"));
      const std::lock_guard lock(mutex);
      readings.insert(bankdir::CurrentBankData()->bank_file.get());
    });
  }
  for (std::thread& thread : threads) thread.join();
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ((*readings.begin())->number(), before + 1);
}

}  // namespace
}  // namespace quandor
