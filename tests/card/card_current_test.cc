// Today's card rules: the Luhn check digit and today's prefixes and lengths.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "quandor/creditcard.h"

namespace quandor {
namespace {

struct CurrentCase {
  int32_t company;
  std::string_view number;
  bool valid;
};

// Per company: public test numbers (Luhn right), one digit changed, the first
// and last prefix of each range with the first value outside it, each length
// bound. Every number below passes Luhn unless it is a changed one.
constexpr CurrentCase kCases[] = {
    // Visa: 4; 13, 16 or 19 digits.
    {ccVisa, "4111111111111111", true},
    {ccVisa, "4012888888881881", true},
    {ccVisa, "4222222222222", true},
    {ccVisa, "4000000000000000006", true},
    {ccVisa, "4111111111111112", false},  // one digit changed
    {ccVisa, "400000000000006", false},   // 15 digits
    {ccVisa, "5500000000000004", false},
    // Mastercard: 51-55 and 2221-2720; 16 digits.
    {ccMasterCard, "5555555555554444", true},
    {ccMasterCard, "5105105105105100", true},
    {ccMasterCard, "5105105105105101", false},
    {ccMasterCard, "5100000000000008", true},
    {ccMasterCard, "5500000000000004", true},
    {ccMasterCard, "5000000000000009", false},
    {ccMasterCard, "5600000000000003", false},
    {ccMasterCard, "2221000000000009", true},
    {ccMasterCard, "2720000000000005", true},
    {ccMasterCard, "2220000000000000", false},
    {ccMasterCard, "2721000000000004", false},
    {ccMasterCard, "550000000000004", false},    // 15 digits
    {ccMasterCard, "55000000000000004", false},  // 17 digits
    // Eurocard: as Mastercard.
    {ccEuroCard, "5555555555554444", true},
    {ccEuroCard, "2221000000000009", true},
    {ccEuroCard, "5000000000000009", false},
    // American Express: 34, 37; 15 digits.
    {ccAmericanExpress, "378282246310005", true},
    {ccAmericanExpress, "371449635398431", true},
    {ccAmericanExpress, "371449635398432", false},
    {ccAmericanExpress, "340000000000009", true},
    {ccAmericanExpress, "350000000000006", false},
    {ccAmericanExpress, "3400000000000000", false},  // 16 digits
    // Diners Club: 300-305, 3095, 36, 38, 39; 14 to 19 digits.
    {ccDinersClub, "30569309025904", true},
    {ccDinersClub, "38520000023237", true},
    {ccDinersClub, "36227206271667", true},
    {ccDinersClub, "36227206271668", false},
    {ccDinersClub, "30000000000004", true},
    {ccDinersClub, "3050000000000000002", true},
    {ccDinersClub, "30600000000001", false},
    {ccDinersClub, "30950000000000", true},
    {ccDinersClub, "30960000000009", false},
    {ccDinersClub, "3900000000000000008", true},
    {ccDinersClub, "3000000000007", false},         // 13 digits
    {ccDinersClub, "30000000000000000004", false},  // 20 digits
    // Discover: 6011, 622126-622925, 644-649, 65; 16 to 19 digits.
    {ccDiscover, "6011111111111117", true},
    {ccDiscover, "6011000990139424", true},
    {ccDiscover, "6011000990139425", false},
    {ccDiscover, "6011000000000000001", true},
    {ccDiscover, "6221260000000000", true},
    {ccDiscover, "6221250000000001", false},
    {ccDiscover, "6229250000000003", true},
    {ccDiscover, "6229260000000002", false},
    {ccDiscover, "6440000000000005", true},
    {ccDiscover, "6490000000000004", true},
    {ccDiscover, "6430000000000007", false},
    {ccDiscover, "6500000000000002", true},
    {ccDiscover, "6600000000000001", false},
    {ccDiscover, "601100000000001", false},       // 15 digits
    {ccDiscover, "60110000000000000004", false},  // 20 digits
    {ccDiscover, "", false},
};

TEST(CreditcardCurrentRules, TodaysRangesAndLuhn) {
  Creditcard card;
  card.Rules(qdRulesCurrent);
  for (const CurrentCase& c : kCases) {
    EXPECT_EQ(card.Validate(c.company, c.number), c.valid) << c.company << " " << c.number;
    EXPECT_EQ(card.LastError(), c.valid ? qdNoError : qdCardWrongCheckDigit) << c.number;
  }
}

TEST(CreditcardCurrentRules, ScanCompanyAndResetAsUnderTheOriginalRules) {
  Creditcard card;
  EXPECT_EQ(card.Rules(), qdRulesOriginal);
  EXPECT_TRUE(card.Validate(ccVisa, "4111111111111112"));  // no check digit originally
  EXPECT_FALSE(card.Validate(ccMasterCard, "2221000000000009"));
  card.Rules(qdRulesCurrent);
  card.Strictness(qdStrictnessStrict);
  EXPECT_TRUE(card.Validate(ccVisa, "4111 1111-1111/1111"));
  EXPECT_FALSE(card.Validate(ccVisa, "4111.1111.1111.1111"));
  EXPECT_EQ(card.LastError(), qdCardNumberIncorrectly);
  EXPECT_FALSE(card.Validate(6, "4111111111111111"));
  EXPECT_EQ(card.LastError(), qdCompanyNumberUnknown);
  card.Reset();
  EXPECT_EQ(card.Rules(), qdRulesCurrent);
  card.Rules(7);  // any other value: the original rules
  EXPECT_TRUE(card.Validate(ccVisa, "4111111111111112"));
}

}  // namespace
}  // namespace quandor
