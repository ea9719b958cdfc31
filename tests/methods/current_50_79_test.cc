// Today's methods 50 to 79: the Bundesbank's test account numbers, and
// numbers worked out by hand from the text where it gives none. A number the
// text calls wrong for one variant but right for a later one is valid.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "account.h"

namespace quandor::methods::testing {
namespace {

// One weighing, or a row of the original set, over a fixed part of the number.
TEST(CurrentMethods50To79, FixedPlaces) {
  ExpectCurrentVerdicts({
      {"54", "4964137395", kValid}, {"54", "4900010987", kValid}, {"54", "4964137396", kWrong},
      {"54", "5064137395", kWrong},  // not beginning with 49
      {"55", "1234567895", kValid}, {"55", "9876543211", kValid}, {"55", "1234567890", kWrong},
      {"58", "1800881120", kValid}, {"58", "9200654108", kValid}, {"58", "1015222224", kValid},
      {"58", "3703169668", kValid}, {"58", "1800293377", kValid}, {"58", "1800293378", kWrong},
      {"58", "0", kWrong},  // fewer than six digits: no such number
      {"60", "1234567891", kValid}, {"60", "9912345674", kValid}, {"60", "1234567890", kWrong},
      {"62", "5029076701", kValid}, {"62", "5029076801", kWrong}, {"64", "1206473010", kValid},
      {"64", "5016511020", kValid}, {"64", "1206474010", kWrong}, {"67", "1234567400", kValid},
      {"67", "1234567499", kValid}, {"67", "1234567300", kWrong}, {"71", "7101234007", kValid},
      {"71", "7101234008", kWrong}, {"72", "1234567897", kValid}, {"72", "9994567897", kValid},
      {"72", "1234567890", kWrong}, {"77", "10338", kValid},      {"77", "13844", kValid},
      {"77", "65354", kValid},      {"77", "69258", kValid},      {"77", "47678", kValid},
      {"77", "47671", kValid},      {"77", "10339", kWrong},
  });
}

// A digit, the length or a range of the number chooses the weighing, or
// decides without one.
TEST(CurrentMethods50To79, ChosenByShape) {
  ExpectCurrentVerdicts({
      {"56", "0290545005", kValid}, {"56", "9718304037", kValid},
      {"56", "0290545006", kWrong}, {"59", "12345678", kValid},  // fewer than nine digits: no check
      {"59", "123456782", kValid},  {"59", "123456783", kWrong},
      {"61", "2063099200", kValid}, {"61", "0260760481", kValid},
      {"61", "2063099300", kWrong}, {"65", "1234567400", kValid},
      {"65", "1234567590", kValid}, {"65", "1234567490", kWrong},
      {"66", "100154508", kValid},  {"66", "101154508", kValid},
      {"66", "100154516", kValid},  {"66", "101154516", kValid},
      {"66", "100150502", kValid},  {"66", "0983393104", kValid},  // 9 in place 2: no check
      {"66", "100154509", kWrong},  {"66", "1100154508", kWrong},  // place 1 must be 0
      {"68", "8889654328", kValid}, {"68", "987654324", kValid},
      {"68", "987654328", kValid},  {"68", "412345678", kValid},  // no check digit
      {"68", "8889654329", kWrong}, {"68", "8888654328", kWrong},
      {"68", "12344", kWrong},  // fewer than six digits: no such number
      {"69", "1234567900", kValid}, {"69", "1234567006", kValid},
      {"69", "9721134869", kValid}, {"69", "9300000001", kValid},
      {"69", "9721134868", kWrong}, {"70", "1234567892", kValid},
      {"70", "1235123453", kValid}, {"70", "1236912346", kValid},
      {"70", "1236912341", kWrong}, {"75", "123455", kValid},
      {"75", "1234567", kValid},    {"75", "123455000", kValid},
      {"75", "912345500", kValid},  {"75", "123456", kWrong},
      {"75", "12344000", kWrong},   {"75", "1123455000", kWrong},
      {"75", "10123455", kWrong},  // eight digits: no such number
      {"78", "7581499", kValid},    {"78", "9999999981", kValid},
      {"78", "12345678", kValid},  // eight digits: no check digit
      {"78", "7581498", kWrong},    {"79", "3230012688", kValid},
      {"79", "4230028872", kValid}, {"79", "5440001898", kValid},
      {"79", "6330001063", kValid}, {"79", "7000149349", kValid},
      {"79", "8000003577", kValid}, {"79", "1550167850", kValid},
      {"79", "9011200140", kValid}, {"79", "230012688", kWrong},
      {"79", "3230012689", kWrong},
  });
}

// A sub-number of zeros may have been left off; the number is then read
// again further right, but never by dropping a non-zero digit.
TEST(CurrentMethods50To79, OmittedSubNumber) {
  ExpectCurrentVerdicts({
      {"50", "4000005001", kValid}, {"50", "4444442001", kValid},
      {"50", "4000005", kValid},    {"50", "4000006001", kWrong},
      {"50", "2224000005", kWrong}, {"63", "0123456600", kValid},
      {"63", "0001234566", kValid}, {"63", "0123456700", kWrong},
      {"63", "0123456001", kWrong},  // places 2 and 3 in use: no second reading
      {"63", "1123456600", kWrong}, {"76", "0006543200", kValid},
      {"76", "9012345600", kValid}, {"76", "7876543100", kValid},
      {"76", "0012345600", kValid}, {"76", "0000123456", kValid},
      {"76", "0006543300", kWrong}, {"76", "5012345600", kWrong},
      {"76", "4100123456", kWrong},  // places 1 and 2 in use: no second reading
      {"76", "0000005009", kValid},  // first reading gives 10, the second fits  // no account kind
                                     // with a check digit
  });
}

// Chains of weighings over the customer number; ledger accounts (9 in place
// 3) by a chain of their own.
TEST(CurrentMethods50To79, CustomerNumberChains) {
  ExpectCurrentVerdicts({
      {"51", "0001156071", kValid}, {"51", "0001156136", kValid},
      {"51", "0001156078", kValid}, {"51", "0000156079", kWrong},
      {"51", "0001234567", kValid}, {"51", "0001234566", kValid},
      {"51", "0012345678", kWrong}, {"51", "340968", kValid},
      {"51", "201178", kValid},     {"51", "1009588", kValid},
      {"51", "0023456783", kWrong}, {"51", "0076543211", kWrong},
      {"51", "0000156071", kValid}, {"51", "101356073", kValid},
      {"51", "0123412345", kWrong}, {"51", "67493647", kWrong},
      {"73", "0003503398", kValid}, {"73", "0001340967", kValid},
      {"73", "0003503391", kValid}, {"73", "0001340968", kValid},
      {"73", "0003503392", kValid}, {"73", "0001340966", kValid},
      {"73", "123456", kValid},     {"73", "121212", kWrong},
      {"73", "987654321", kWrong},  {"74", "1016", kValid},
      {"74", "26260", kValid},      {"74", "242243", kValid},
      {"74", "242248", kValid},     {"74", "18002113", kValid},
      {"74", "1821200043", kValid}, {"74", "1015", kValid},
      {"74", "26263", kValid},      {"74", "242241", kValid},
      {"74", "18002116", kValid},   {"74", "1821200047", kValid},
      {"74", "3456789012", kValid}, {"74", "239319", kValid},
      {"74", "239314", kValid},  // the next half decade
      {"74", "1011", kWrong},       {"74", "26265", kWrong},
      {"74", "242249", kWrong},     {"74", "18002118", kWrong},
      {"74", "6160000024", kWrong}, {"74", "123456789", kWrong},
      {"74", "0", kWrong},  // fewer than two digits: no such number
      {"51", "0199100002", kValid}, {"51", "0099100010", kValid},
      {"51", "2599100002", kValid}, {"51", "0199100004", kValid},
      {"51", "2599100003", kValid}, {"51", "3199204090", kValid},
      {"51", "0099345678", kWrong}, {"73", "0199100002", kValid},
      {"73", "0099100010", kValid}, {"73", "2599100002", kValid},
      {"73", "0199100004", kValid}, {"73", "2599100003", kValid},
      {"73", "3199204090", kValid}, {"73", "0099345678", kWrong},
  });
}

// Variants chosen by the first two digits.
TEST(CurrentMethods50To79, Method57ByPrefix) {
  ExpectCurrentVerdicts({
      {"57", "7500021766", kValid},
      {"57", "9400001734", kValid},
      {"57", "7800028282", kValid},
      {"57", "8100244186", kValid},
      {"57", "3251080371", kValid},
      {"57", "3891234567", kValid},
      {"57", "7777778800", kValid},
      {"57", "5001050352", kValid},
      {"57", "5045090090", kValid},
      {"57", "1909700805", kValid},
      {"57", "9322111030", kValid},
      {"57", "7400060823", kValid},
      {"57", "0185125434", kValid},
      {"57", "5302707782", kWrong},
      {"57", "6412121212", kWrong},
      {"57", "1813499124", kWrong},
      {"57", "2206735010", kWrong},
      {"57", "0012345678", kWrong},
  });
}

// The former system's account number, rebuilt from bank code and account.
TEST(CurrentMethods50To79, LegacyAccountNumber) {
  ExpectCurrentVerdicts({
      {"52", "43001500", kValid, "13051172"},
      {"52", "41001500", kWrong, "13051172"},
      {"52", "143001500", kWrong, "13051172"},  // a digit the rebuilt number has no room for
      {"52", "43000000", kWrong, "13051172"},   // nothing to rebuild it from
      {"52", "0", kWrong, "13051172"},
      {"53", "382432256", kValid, "16052072"},
      {"53", "383432256", kWrong, "16052072"},
      {"53", "1382432256", kWrong, "16052072"},
      {"53", "0", kWrong, "16052072"},
  });
}

// Methods 52 and 53, and B6 where it hands over to 53, take the former
// system's number of exactly eight (52) or nine (53) digits; the original set
// still accepts shorter ones.
TEST(CurrentMethods50To79, LegacyNumberOfTheStatedLengthOnly) {
  struct Case {
    std::string_view code;
    std::string_view account;
    std::string_view bank_code;
    int32_t today;
    int32_t original;  // 0: the original set has no such method
  };
  const Case cases[] = {
      {"52", "67", "13051172", kWrong, kValid},
      {"52", "372080", "13051172", kWrong, kValid},
      {"52", "43001500", "13051172", kValid, kValid},
      {"53", "710614", "16052072", kWrong, kValid},
      {"53", "28977726", "16052072", kWrong, kValid},
      {"53", "12345678", "16052072", kWrong, kValid},
      {"53", "382432256", "16052072", kValid, kValid},
      {"B6", "487310018", "80053782", kValid, 0},
      {"B6", "10000008", "80053782", kWrong, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CurrentVerdict(c.code, c.account, c.bank_code), c.today) << c.code << c.account;
    if (c.original == 0) continue;
    Account account(c.account, c.bank_code);
    EXPECT_EQ(RunCheckMethod(account.ctx(), c.code), c.original) << c.code << c.account;
  }
}

// Where the text leaves room for more than one reading, the one chosen (the
// README's method section lists them).
TEST(CurrentMethods50To79, ReadingsWhereTheTextLeavesRoom) {
  ExpectCurrentVerdicts({
      {"16", "253570", kWrong},
      {"74", "818679", kWrong},
      {"74", "242248", kValid},
      {"63", "80", kValid},
      {"C7", "80", kValid},
      {"75", "1234567890", kWrong},
  });
}

}  // namespace
}  // namespace quandor::methods::testing
