#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "quandor/creditcard.h"

namespace quandor {
namespace {

TEST(CreditcardTest, NewObjectHasNothingValidated) {
  Creditcard card;
  EXPECT_EQ(card.Strictness(), qdStrictnessLow);
  EXPECT_EQ(card.LastError(), qdNoValidation);
  EXPECT_EQ(card.LastErrorString(), "Keine Prüfung durchgeführt");
  EXPECT_FALSE(card.Validated());
  EXPECT_EQ(card.CardNumber(), "");
  EXPECT_EQ(card.CompanyName(), "");
  EXPECT_EQ(card.CompanyNumber(), ccVisa);
}

// The company rules, at the default strictness (other characters kept, not counted).
struct RuleCase {
  int32_t company;
  std::string_view number;
  ValidateError expected;
};

std::ostream& operator<<(std::ostream& os, const RuleCase& c) {
  return os << "company " << c.company << " \"" << c.number << "\"";
}

class CompanyRuleTest : public testing::TestWithParam<RuleCase> {};

TEST_P(CompanyRuleTest, GivesExpectedVerdict) {
  const RuleCase& c = GetParam();
  Creditcard card;
  EXPECT_EQ(card.Validate(c.company, c.number), c.expected == qdNoError);
  EXPECT_EQ(card.LastError(), c.expected);
  EXPECT_TRUE(card.Validated());
  EXPECT_EQ(card.CompanyNumber(), ccVisa);
  EXPECT_EQ(card.CompanyName(), "");
}

INSTANTIATE_TEST_SUITE_P(Visa, CompanyRuleTest,
                         testing::Values(
                             // No check digit: any last digit passes.
                             RuleCase{ccVisa, "4111111111111111", qdNoError},
                             RuleCase{ccVisa, "4111111111111112", qdNoError},
                             RuleCase{ccVisa, "4111111111111", qdNoError},
                             RuleCase{ccVisa, "41111111111111", qdCardWrongCheckDigit},
                             RuleCase{ccVisa, "411111111111111", qdCardWrongCheckDigit},
                             RuleCase{ccVisa, "41111111111111111", qdCardWrongCheckDigit},
                             RuleCase{ccVisa, "5111111111111111", qdCardWrongCheckDigit},
                             // Empty is a wrong number, not a missing one.
                             RuleCase{ccVisa, "", qdCardWrongCheckDigit}));

INSTANTIATE_TEST_SUITE_P(
    MasterCardAndEuroCard, CompanyRuleTest,
    testing::Values(RuleCase{ccMasterCard, "5111111111111111", qdNoError},
                    RuleCase{ccMasterCard, "5511111111111111", qdNoError},
                    RuleCase{ccMasterCard, "5611111111111111", qdCardWrongCheckDigit},
                    RuleCase{ccMasterCard, "5011111111111111", qdCardWrongCheckDigit},
                    RuleCase{ccMasterCard, "511111111111111", qdCardWrongCheckDigit},
                    RuleCase{ccEuroCard, "5611111111111111", qdNoError},
                    RuleCase{ccEuroCard, "5011111111111111", qdNoError},
                    RuleCase{ccEuroCard, "561111111111111", qdCardWrongCheckDigit},
                    RuleCase{ccEuroCard, "4611111111111111", qdCardWrongCheckDigit}));

INSTANTIATE_TEST_SUITE_P(
    AmericanExpress, CompanyRuleTest,
    testing::Values(RuleCase{ccAmericanExpress, "341111111111111", qdNoError},
                    RuleCase{ccAmericanExpress, "371111111111111", qdNoError},
                    RuleCase{ccAmericanExpress, "3411111111111111", qdCardWrongCheckDigit},
                    RuleCase{ccAmericanExpress, "3711111111111111", qdCardWrongCheckDigit},
                    RuleCase{ccAmericanExpress, "351111111111111", qdCardWrongCheckDigit},
                    RuleCase{ccAmericanExpress, "3", qdCardWrongCheckDigit}));

INSTANTIATE_TEST_SUITE_P(
    DinersClub, CompanyRuleTest,
    testing::Values(RuleCase{ccDinersClub, "30511111111111", qdNoError},
                    RuleCase{ccDinersClub, "30011111111111", qdNoError},
                    RuleCase{ccDinersClub, "30611111111111", qdCardWrongCheckDigit},
                    RuleCase{ccDinersClub, "3001111111111", qdCardWrongCheckDigit},
                    RuleCase{ccDinersClub, "300111111111111", qdCardWrongCheckDigit},
                    RuleCase{ccDinersClub, "30", qdCardWrongCheckDigit},
                    // The second alternative has no length rule ...
                    RuleCase{ccDinersClub, "36", qdNoError},
                    RuleCase{ccDinersClub, "38", qdNoError},
                    RuleCase{ccDinersClub, "3612", qdNoError},
                    RuleCase{ccDinersClub, "38111111111111111111111", qdNoError},
                    RuleCase{ccDinersClub, "37111111111111", qdCardWrongCheckDigit},
                    // ... but the second digit must exist.
                    RuleCase{ccDinersClub, "3", qdCardWrongCheckDigit},
                    RuleCase{ccDinersClub, "", qdCardWrongCheckDigit}));

INSTANTIATE_TEST_SUITE_P(
    Discover, CompanyRuleTest,
    testing::Values(RuleCase{ccDiscover, "6011111111111111", qdNoError},
                    RuleCase{ccDiscover, "6012111111111111", qdCardWrongCheckDigit},
                    RuleCase{ccDiscover, "601111111111111", qdCardWrongCheckDigit},
                    RuleCase{ccDiscover, "601", qdCardWrongCheckDigit}));

INSTANTIATE_TEST_SUITE_P(UnknownCompany, CompanyRuleTest,
                         testing::Values(RuleCase{6, "4111111111111111", qdCompanyNumberUnknown},
                                         RuleCase{-1, "4111111111111111", qdCompanyNumberUnknown},
                                         RuleCase{INT32_MIN, "", qdCompanyNumberUnknown}));

// The scan: what each strictness keeps, drops and refuses.
struct ScanCase {
  int32_t strictness;
  std::string_view typed;
  ValidateError expected;
  std::string_view card_number;
};

std::ostream& operator<<(std::ostream& os, const ScanCase& c) {
  return os << "strictness " << c.strictness << " \"" << c.typed << "\"";
}

class ScanTest : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanTest, KeepsDropsOrRefuses) {
  const ScanCase& c = GetParam();
  Creditcard card;
  card.Strictness(c.strictness);
  EXPECT_EQ(card.Validate(ccVisa, c.typed), c.expected == qdNoError);
  EXPECT_EQ(card.LastError(), c.expected);
  EXPECT_EQ(card.CardNumber(), c.card_number);
  EXPECT_EQ(card.Strictness(), c.strictness);
}

INSTANTIATE_TEST_SUITE_P(
    Separators, ScanTest,
    testing::Values(ScanCase{0, "4111 1111 1111 1111", qdNoError, "4111 1111 1111 1111"},
                    ScanCase{1, "4111 1111 1111 1111", qdNoError, "4111 1111 1111 1111"},
                    ScanCase{2, "4111/1111-1111 1111", qdNoError, "4111/1111-1111 1111"},
                    ScanCase{3, "4111 1111 1111 1111", qdNoError, "4111111111111111"},
                    ScanCase{3, "4111/1111-1111 1111", qdNoError, "4111111111111111"},
                    ScanCase{9, "4111-1111-1111-1111", qdNoError, "4111-1111-1111-1111"},
                    ScanCase{3, " - / ", qdCardWrongCheckDigit, ""}));

INSTANTIATE_TEST_SUITE_P(
    OtherCharacters, ScanTest,
    testing::Values(
        // Low keeps them in CardNumber without counting them as digits.
        ScanCase{0, "4111-1111-1111-111x", qdCardWrongCheckDigit, "4111-1111-1111-111x"},
        ScanCase{0, "4111x111111111111", qdNoError, "4111x111111111111"},
        ScanCase{0, "4111ä111111111111", qdNoError, "4111ä111111111111"},
        // Normal drops them.
        ScanCase{1, "4111-1111-1111-111x", qdCardWrongCheckDigit, "4111-1111-1111-111"},
        ScanCase{1, "x4111.1111.1111.1111ä", qdNoError, "4111111111111111"},
        // Everything else refuses, yet the scan keeps going to the end.
        ScanCase{2, "4111-1111-1111-111x", qdCardNumberIncorrectly, "4111-1111-1111-111"},
        ScanCase{2, "x4111 1111 1111 1111", qdCardNumberIncorrectly, "4111 1111 1111 1111"},
        ScanCase{3, "4111 x1111", qdCardNumberIncorrectly, "41111111"},
        ScanCase{9, "4111-111x1", qdCardNumberIncorrectly, "4111-1111"},
        ScanCase{-1, "4ä", qdCardNumberIncorrectly, "4"}));

TEST(CreditcardTest, ForbiddenCharacterWinsOverUnknownCompany) {
  Creditcard card;
  card.Strictness(qdStrictnessStrict);
  EXPECT_FALSE(card.Validate(6, "4111x"));
  EXPECT_EQ(card.LastError(), qdCardNumberIncorrectly);
}

TEST(CreditcardTest, UnknownCompanyKeepsScannedText) {
  Creditcard card;
  EXPECT_FALSE(card.Validate(6, "4111 1111 1111 1111"));
  EXPECT_EQ(card.CardNumber(), "4111 1111 1111 1111");
  EXPECT_EQ(card.LastErrorString(), "Unbekanntes Kreditkarteninstitut");
}

TEST(CreditcardTest, EachValidateDescribesOnlyItself) {
  Creditcard card;
  card.Strictness(qdStrictnessStrict);
  ASSERT_FALSE(card.Validate(ccVisa, "4x"));
  ASSERT_TRUE(card.Validate(ccDiscover, "6011 1111 1111 1111"));
  EXPECT_EQ(card.LastError(), qdNoError);
  EXPECT_EQ(card.LastErrorString(), "Kein Fehler");
  EXPECT_EQ(card.CardNumber(), "6011 1111 1111 1111");
}

TEST(CreditcardTest, ResetKeepsStrictnessOnly) {
  Creditcard card;
  card.Strictness(7);
  ASSERT_FALSE(card.Validate(ccVisa, "41"));
  card.Reset();
  EXPECT_EQ(card.Strictness(), 7);
  EXPECT_EQ(card.LastError(), qdNoValidation);
  EXPECT_FALSE(card.Validated());
  EXPECT_EQ(card.CardNumber(), "");
  EXPECT_EQ(card.CompanyNumber(), ccVisa);
}

// The scan counts positions in 16 bits: after the 32,767th character it fails
// as an unexpected failure, keeping what it had built.
TEST(CreditcardTest, OverlongNumberEndsAsUnknownErrorWithoutThrowing) {
  constexpr std::size_t kLastPosition = 32767;
  Creditcard card;
  const std::string typed(40000, '4');
  EXPECT_FALSE(card.Validate(ccDinersClub, typed));
  EXPECT_EQ(card.LastError(), qdUnknownError);
  EXPECT_EQ(card.LastErrorString(), "Unbekannter Fehler");
  EXPECT_EQ(card.CardNumber(), typed.substr(0, kLastPosition));

  EXPECT_FALSE(card.Validate(ccDinersClub, std::string(kLastPosition, '6')));
  EXPECT_EQ(card.LastError(), qdUnknownError);

  // One character less is scanned to its end; Diners Club has no length rule there.
  EXPECT_TRUE(card.Validate(ccDinersClub, "3" + std::string(kLastPosition - 2, '6')));
}

TEST(CreditcardTest, OverflowCountsCharactersNotBytes) {
  constexpr std::size_t kLastPosition = 32767;
  Creditcard card;
  std::string typed = "36";
  for (std::size_t i = 2; i < kLastPosition - 1; ++i) typed += "ä";  // two bytes each
  EXPECT_TRUE(card.Validate(ccDinersClub, typed));
  EXPECT_FALSE(card.Validate(ccDinersClub, typed + "ä"));
  EXPECT_EQ(card.LastError(), qdUnknownError);
}

TEST(CreditcardTest, VersionAndCopyrightComeFromTheBuild) {
  Creditcard card;
  EXPECT_EQ(card.Version(), QUANDOR_TEST_PROJECT_VERSION);
  EXPECT_EQ(card.CopyrightNotice(), "Copyright " QUANDOR_TEST_COPYRIGHT);
}

}  // namespace
}  // namespace quandor
