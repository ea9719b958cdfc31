// Today's methods 80 to 99: the Bundesbank's test account numbers, and
// numbers worked out by hand where it gives none or where today's method
// parts from the original one.
#include <gtest/gtest.h>

#include <span>
#include <string_view>

#include "account.h"

namespace quandor::methods::testing {
namespace {

// Ledger accounts (a 9 in the third place) of the methods that refer to
// method 51's rule for them, with method 51's test numbers.
TEST(CurrentMethods80To99, LedgerAccountsByTheRuleOfMethod51) {
  const struct {
    std::string_view account;
    int32_t verdict;
  } ledger[] = {
      {"0199100002", kValid},  // first variant; the original's method 10 rejects it
      {"0099100010", kValid},  // first variant
      {"2599100002", kValid},  // first variant
      {"0199100004", kValid},  // second variant
      {"2599100003", kValid},  // second variant
      {"3199204090", kValid},  // second variant
      {"0099345678", kWrong},  // neither
      {"0190000005", kValid},  // a 9 in the third place alone makes a ledger account
      {"0190000007", kValid},  // ... and the second variant applies to it as well
      {"0190000004", kWrong},
  };
  for (std::string_view code : {"80", "81", "84", "86", "87"}) {
    for (const auto& c : ledger) {
      EXPECT_EQ(CurrentVerdict(code, c.account), c.verdict)
          << "method " << code << ", account " << c.account;
    }
  }
}

TEST(CurrentMethods80To99, CustomerAndLedgerAccounts) {
  const CurrentCase cases[] = {
      {"80", "340968", kValid},  // A
      {"80", "340966", kValid},  // B
      {"80", "340967", kWrong},

      {"81", "0646440", kValid},
      {"81", "1359100", kValid},
      {"81", "0646441", kWrong},

      {"83", "0001156071", kValid},  // A
      {"83", "0001156136", kValid},  // A
      {"83", "0000156078", kValid},  // B
      {"83", "0000156071", kValid},  // C
      {"83", "0099100002", kValid},  // ledger account
      {"83", "0099100003", kWrong},
      {"83", "0099000008", kValid},
      {"83", "0099000003", kWrong},  // customer variant A would accept it
      {"83", "0190000005", kWrong},  // a customer account: one 9 is not enough

      {"84", "240699", kValid},  // A
      {"84", "350982", kValid},
      {"84", "461059", kValid},
      {"84", "240692", kValid},  // B
      {"84", "350985", kValid},
      {"84", "461052", kValid},
      {"84", "240961", kValid},  // C, the products summed as they are
      {"84", "350984", kValid},
      {"84", "461054", kValid},
      {"84", "240965", kWrong},
      {"84", "350980", kWrong},
      {"84", "461053", kWrong},

      {"86", "340968", kValid},  // A
      {"86", "1001171", kValid},
      {"86", "1009588", kValid},
      {"86", "123897", kValid},  // B
      {"86", "340960", kValid},
      {"86", "340961", kWrong},

      {"87", "0000000406", kValid},  // A
      {"87", "0000051768", kValid},
      {"87", "0010701590", kValid},
      {"87", "0010720185", kValid},
      {"87", "0000100005", kValid},  // B and C
      {"87", "0000393814", kValid},
      {"87", "0000950360", kValid},
      {"87", "3199500501", kValid},
      {"87", "0001975641", kValid},  // D
      {"87", "0001988654", kValid},
      {"87", "0001924592", kWrong},
      {"87", "0001975642", kWrong},

      {"90", "0001975641", kValid},  // A
      {"90", "0001988654", kValid},
      {"90", "0001924592", kWrong},
      {"90", "0000654321", kValid},  // wrong by A, valid by C
      {"90", "0001863530", kValid},  // B
      {"90", "0001784451", kValid},
      {"90", "0000901568", kWrong},
      {"90", "0000997664", kValid},  // wrong by B, valid by C
      {"90", "0000863536", kValid},  // wrong by B, valid by D
      {"90", "0000824491", kValid},  // C
      {"90", "0000820487", kWrong},
      {"90", "0000820484", kValid},  // wrong by C, valid by D
      {"90", "0000654328", kValid},  // wrong by C, valid by E
      {"90", "0000677747", kValid},  // D
      {"90", "0000840507", kValid},
      {"90", "0000726393", kWrong},
      {"90", "0000677742", kValid},  // wrong by D, valid by E
      {"90", "0000726390", kValid},  // wrong by D, valid by G
      {"90", "0000996663", kValid},  // E
      {"90", "0000666034", kValid},
      {"90", "0000924591", kWrong},
      {"90", "0000465431", kValid},  // wrong by E, valid by G
      {"90", "0004923250", kValid},  // G
      {"90", "0003865960", kValid},
      {"90", "0003865964", kWrong},
      {"90", "0099100002", kValid},  // F, ledger accounts
      {"90", "0099100007", kWrong},
      {"90", "0090000005", kValid},  // a 9 in the third place alone makes a ledger account
      {"90", "0090000004", kWrong},
  };
  ExpectCurrentVerdicts(cases);
}

TEST(CurrentMethods80To99, ShapesAndRanges) {
  const CurrentCase cases[] = {
      {"89", "1098506", kValid},    // seven digits, cross sums
      {"89", "32028008", kValid},   // eight digits, method 10
      {"89", "218433000", kValid},  // nine digits, method 10
      {"89", "1098507", kWrong},
      {"89", "32028009", kWrong},
      {"89", "218433001", kWrong},
      {"89", "123456", kValid},      // no check digit
      {"89", "1234567890", kValid},  // no check digit

      {"91", "2974118000", kValid},  // variant 1
      {"91", "5281741000", kValid},
      {"91", "9952810000", kValid},
      {"91", "8840017000", kWrong},
      {"91", "8840023000", kWrong},
      {"91", "8840041000", kWrong},
      {"91", "2974117000", kValid},  // variant 2
      {"91", "5281770000", kValid},
      {"91", "9952812000", kValid},
      {"91", "8840014000", kWrong},
      {"91", "8840026000", kWrong},
      {"91", "8840045000", kValid},  // wrong by variant 2, valid by 3
      {"91", "8840019000", kValid},  // variant 3
      {"91", "8840050000", kValid},
      {"91", "8840087000", kValid},
      {"91", "8840011000", kWrong},
      {"91", "8840025000", kWrong},
      {"91", "8840062000", kWrong},
      {"91", "8840012000", kValid},  // variant 4
      {"91", "8840055000", kValid},
      {"91", "8840080000", kValid},
      {"91", "8840010000", kWrong},
      {"91", "8840057000", kWrong},

      {"93", "6714790000", kValid},  // modulus 11
      {"93", "0000671479", kValid},
      {"93", "1277830000", kValid},  // modulus 7
      {"93", "0000127783", kValid},
      {"93", "1277910000", kValid},
      {"93", "0000127791", kValid},
      {"93", "3067540000", kValid},  // modulus 11 and 7
      {"93", "0000306754", kValid},
      {"93", "6714790001", kValid},  // the sub-account and kind are not weighed
      {"93", "6714780000", kWrong},
      {"93", "0000671478", kWrong},
      {"93", "0000700000", kValid},  // modulus 7, no remainder: check digit 0
      {"93", "0000150000", kWrong},  // right only with the number taken from the front

      {"95", "0068007003", kValid},
      {"95", "0847321750", kValid},
      {"95", "6450060494", kValid},
      {"95", "6454000003", kValid},
      {"95", "0068007004", kWrong},
      {"95", "0009000000", kValid},  // the ranges without check digit, at their ends
      {"95", "0025999999", kValid},
      {"95", "0910000000", kValid},
      {"95", "0989999999", kValid},
      {"95", "0002000000", kWrong},  // and just outside them
      {"95", "0026000000", kWrong},
      {"95", "0500000000", kWrong},
      {"95", "1000000000", kWrong},

      {"99", "0068007003", kValid},
      {"99", "0847321750", kValid},
      {"99", "0068007004", kWrong},
      {"99", "0396000000", kValid},  // the range without check digit
      {"99", "0499999999", kValid},
      {"99", "0500000000", kWrong},
      {"99", "0001000000", kWrong},  // no range of method 95's but this one
  };
  ExpectCurrentVerdicts(cases);
}

// Methods whose meaning today is the original one's.
TEST(CurrentMethods80To99, UnchangedMethods) {
  const CurrentCase cases[] = {
      {"82", "123897", kValid},
      {"82", "3199500501", kValid},  // 99 in places 3 and 4: method 10
      {"82", "123898", kWrong},

      {"85", "0001156071", kValid},  // A
      {"85", "0001156136", kValid},
      {"85", "0000156078", kValid},  // B
      {"85", "0000156071", kValid},  // C
      {"85", "3199100002", kValid},  // 99 in places 3 and 4
      {"85", "3199100003", kWrong},

      {"88", "2525259", kValid},
      {"88", "1000500", kValid},
      {"88", "90013000", kValid},
      {"88", "92525253", kValid},  // a 9 in the third place
      {"88", "99913003", kValid},
      {"88", "2525258", kWrong},

      {"92", "1234569", kValid},
      {"92", "1234567", kWrong},

      {"94", "6782533003", kValid},
      {"94", "6782533004", kWrong},

      {"96", "0000254100", kValid},  // variant 1
      {"96", "9421000009", kValid},
      {"96", "0000000208", kValid},  // variant 2
      {"96", "0101115152", kValid},
      {"96", "0301204301", kValid},
      {"96", "0001300000", kValid},  // variant 3: the range at its ends
      {"96", "0099399999", kValid},
      {"96", "0099400000", kWrong},

      {"97", "24010019", kValid},
      {"97", "24010018", kWrong},

      {"98", "9619439213", kValid},
      {"98", "3009800016", kValid},
      {"98", "9619509976", kValid},
      {"98", "5989800173", kValid},
      {"98", "9619319999", kValid},
      {"98", "6719430018", kValid},
      {"98", "9619608118", kValid},
      {"98", "9619439214", kWrong},
  };
  ExpectCurrentVerdicts(cases);
}

// Numbers on which today's method and the original one part: the original
// set keeps its verdict, today's set follows the Bundesbank.
TEST(CurrentMethods80To99, OriginalSetKeepsItsVerdicts) {
  const struct {
    std::string_view code;
    std::string_view account;
    int32_t original;
    int32_t today;
  } cases[] = {
      {"80", "0199100002", kWrong, kValid},  // ledger rule's first variant
      {"81", "0190000005", kWrong, kValid},  // one 9 makes a ledger account
      {"83", "0099100002", kWrong, kValid},  // ledger accounts
      {"84", "240961", kWrong, kValid},      // variant C
      {"87", "0001975641", kWrong, kValid},  // variant D
      {"89", "1234567890", kWrong, kValid},  // ten digits carry no check digit
      {"90", "0004923250", kWrong, kValid},  // variant G
      {"91", "8840012000", kWrong, kValid},  // variant 4
      {"93", "0000150000", kValid, kWrong},  // the customer number's place
      {"95", "0009000000", kWrong, kValid},  // a new range without check digit
      {"99", "0068007003", qdTestingMethodUnknown, kValid},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Verdict(c.code, c.account), c.original)
        << "method " << c.code << ", account " << c.account;
    EXPECT_EQ(CurrentVerdict(c.code, c.account), c.today)
        << "method " << c.code << ", account " << c.account;
  }
}

}  // namespace
}  // namespace quandor::methods::testing
