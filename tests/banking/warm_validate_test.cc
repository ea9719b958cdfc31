// A warm Validate, one whose texts have grown and whose bank file is read,
// takes nothing from the heap: this program counts every operator new.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <new>
#include <thread>

#include "quandor/banking.h"
#include "support/bank_file_fixture.h"

namespace {

thread_local bool counting = false;
thread_local int allocations = 0;

}  // namespace

void* operator new(std::size_t size) {
  if (counting) ++allocations;
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace quandor {
namespace {

TEST(WarmValidate, TakesNothingFromTheHeap) {
  // Table rows, a switch and chain (51), the bank code's digits (52), a
  // special routine (24), a variant row reached by number (1302), and
  // today's letter methods.
  testing::BankFileDir dir({
      "10000000;Musterbank mit einem Namen weit über den Puffer hinaus;Berlin;Musterbank;00",
      "20000000;Kettenbank;Hamburg;Kettenbank Hamburg;51;20095;KETTDEHHXXX",
      "30000000;Altbank;Bremen;Altbank Bremen;52",
      "40000000;Stellenbank;Kiel;Stellenbank Kiel;24",
      "50000000;Variantenbank;Ulm;Variantenbank Ulm;1302",
      "60000000;Buchstabenbank;Köln;Buchstabenbank Köln;104",
  });
  // A young file is read again at every use, until its stamp settles.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  testing::InFreshThread([] {
    const struct {
      const char* bank_code;
      const char* account;
    } inputs[] = {{"10000000", "123456782"},    {"20000000", "99123452"},
                  {"30000000", "43001500"},     {"40000000", "138301"},
                  {"50000000", "1234567890"},   {"60000000", "1234567890"},
                  {"100 000 00", "12 3456 782"}};
    for (int32_t rules : {qdRulesOriginal, qdRulesCurrent}) {
      Banking banking;
      banking.Rules(rules);
      for (const auto& input : inputs) banking.Validate(input.bank_code, input.account);
      allocations = 0;
      counting = true;
      for (const auto& input : inputs) banking.Validate(input.bank_code, input.account);
      counting = false;
      EXPECT_EQ(allocations, 0) << "rules " << rules;
    }
  });
}

}  // namespace
}  // namespace quandor
