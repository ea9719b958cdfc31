// Form and check digits of IBANs of every known country, without a bank code file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quandor/iban.h"

namespace quandor {
namespace {

// Public specimen IBANs in paper form: one of each country of the SEPA area,
// then the registry's own examples of countries beyond it.
const std::vector<std::string> kSpecimens = {
    "AD12 0001 2030 2003 5910 0100",
    "AL47 2121 1009 0000 0002 3569 8741",
    "AT61 1904 3002 3457 3201",
    "BE68 5390 0754 7034",
    "BG80 BNBG 9661 1020 3456 78",
    "CH93 0076 2011 6238 5295 7",
    "CY17 0020 0128 0000 0012 0052 7600",
    "CZ65 0800 0000 1920 0014 5399",
    "DE89 3704 0044 0532 0130 00",
    "DK50 0040 0440 1162 43",
    "EE38 2200 2210 2014 5685",
    "ES91 2100 0418 4502 0005 1332",
    "FI21 1234 5600 0007 85",
    "FR14 2004 1010 0505 0001 3M02 606",
    "GB82 WEST 1234 5698 7654 32",
    "GI75 NWBK 0000 0000 7099 453",
    "GR16 0110 1250 0000 0001 2300 695",
    "HR12 1001 0051 8630 0016 0",
    "HU42 1177 3016 1111 1018 0000 0000",
    "IE29 AIBK 9311 5212 3456 78",
    "IS14 0159 2600 7654 5510 7303 39",
    "IT60 X054 2811 1010 0000 0123 456",
    "LI21 0881 0000 2324 013A A",
    "LT12 1000 0111 0100 1000",
    "LU28 0019 4006 4475 0000",
    "LV80 BANK 0000 4351 9500 1",
    "MC58 1122 2000 0101 2345 6789 030",
    "MD24 AG00 0225 1000 1310 4168",
    "ME25 5050 0001 2345 6789 51",
    "MK07 2501 2000 0058 984",
    "MT84 MALT 0110 0001 2345 MTLC AST0 01S",
    "NL91 ABNA 0417 1643 00",
    "NO93 8601 1117 947",
    "PL61 1090 1014 0000 0712 1981 2874",
    "PT50 0002 0123 1234 5678 9015 4",
    "RO49 AAAA 1B31 0075 9384 0000",
    "SE45 5000 0000 0583 9825 7466",
    "SI56 2633 0001 2039 086",
    "SK31 1200 0000 1987 4263 7541",
    "SM86 U032 2509 8000 0000 0270 100",
    "VA59 0011 2300 0012 3456 78",
    "AE07 0331 2345 6789 0123 456",
    "BR18 0036 0305 0000 1000 9795 493C 1",
    "FO62 6460 0001 6316 34",
    "GL89 6471 0001 0002 06",
    "IL62 0108 0000 0009 9999 999",
    "SA03 8000 0000 6080 1016 7519",
    "TR33 0006 1005 1978 6457 8413 26",
};

std::string WithoutBlanks(std::string_view text) {
  std::string out;
  for (char ch : text) {
    if (ch != ' ') out.push_back(ch);
  }
  return out;
}

std::string Lower(std::string text) {
  for (char& ch : text) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  }
  return text;
}

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

TEST(IbanForm, SpecimensPassInPaperElectronicAndLowerCaseForm) {
  for (const std::string& paper : kSpecimens) {
    const std::string electronic = WithoutBlanks(paper);
    for (const std::string& input : {paper, electronic, Lower(paper), "  " + paper + "\t"}) {
      const IbanResult result = CheckIban(input);
      EXPECT_EQ(result.nIbanError, qdIbanOk) << input;
      EXPECT_EQ(result.sIban, electronic) << input;
      EXPECT_TRUE(result.Valid()) << input;
      EXPECT_EQ(result.nAccountError, qdNoValidation) << input;
    }
    EXPECT_EQ(FormatIban(electronic), paper);
    EXPECT_EQ(IbanLength(electronic.substr(0, 2)), static_cast<int>(electronic.size()));
  }
}

// Mod 97 catches every substitution of one character by another of its kind
// and every swap of two neighbouring different digits.
TEST(IbanForm, EveryOneCharacterChangeOfASpecimenIsDetected) {
  const std::string_view digits = "0123456789";
  const std::string_view letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  int changes = 0;
  for (const std::string& paper : kSpecimens) {
    const std::string iban = WithoutBlanks(paper);
    for (std::size_t i = 0; i < iban.size(); ++i) {
      for (char replacement : IsDigit(iban[i]) ? digits : letters) {
        if (replacement == iban[i]) continue;
        std::string changed = iban;
        changed[i] = replacement;
        EXPECT_FALSE(CheckIban(changed).IbanOk()) << changed << " from " << iban;
        ++changes;
      }
      if (i + 1 < iban.size() && IsDigit(iban[i]) && IsDigit(iban[i + 1]) &&
          iban[i] != iban[i + 1]) {
        std::string swapped = iban;
        std::swap(swapped[i], swapped[i + 1]);
        EXPECT_FALSE(CheckIban(swapped).IbanOk()) << swapped << " from " << iban;
      }
    }
  }
  EXPECT_GT(changes, 5000);
}

struct BadIban {
  std::string input;
  IbanError expected;
};

TEST(IbanForm, MalformedInputNamesItsFault) {
  const std::vector<BadIban> cases = {
      {"", qdIbanMissing},
      {"   \t ", qdIbanMissing},
      {"DE89-3704-0044-0532-0130-00", qdIbanIncorrectly},
      {"DE89.3704.0044.0532.0130.00", qdIbanIncorrectly},
      {"DE89 3704 0044 0532 0130 0\xC3\x9C", qdIbanIncorrectly},  // a non-ASCII letter
      {std::string("DE89370400440532013000\0", 23), qdIbanIncorrectly},
      {"D", qdIbanIncorrectly},
      {"1E89370400440532013000", qdIbanIncorrectly},
      {"DEA9370400440532013000", qdIbanIncorrectly},
      {"DE8937040044053201300A", qdIbanIncorrectly},  // German account digits only
      {"XX89370400440532013000", qdIbanCountryUnknown},
      {"US89370400440532013000", qdIbanCountryUnknown},
      {"DE", qdIbanWrongLength},
      {"DE8937040044053201300", qdIbanWrongLength},
      {"DE893704004405320130000", qdIbanWrongLength},
      {"DE89370400440532013000" + std::string(100, '0'), qdIbanWrongLength},
      {"GB82WEST123456987654", qdIbanWrongLength},
      {"DE88370400440532013000", qdIbanWrongCheckDigits},
      {"DE98370400440532013000", qdIbanWrongCheckDigits},
  };
  for (const BadIban& c : cases) {
    const IbanResult result = CheckIban(c.input);
    EXPECT_EQ(result.nIbanError, c.expected) << c.input;
    EXPECT_FALSE(result.Valid()) << c.input;
    EXPECT_TRUE(result.sBankNumber.empty()) << c.input;
    EXPECT_TRUE(result.sAccountNumber.empty()) << c.input;
  }
}

// Check digits 00, 01 and 99 leave the same remainder as 97, 98 and 02, yet
// are never issued: an IBAN carrying them has been altered.
TEST(IbanForm, CheckDigitsThatAreNeverIssuedAreRejected) {
  const std::vector<std::pair<std::string, std::string>> aliases = {
      {"97", "00"}, {"98", "01"}, {"02", "99"}};
  for (const auto& [issued, alias] : aliases) {
    std::string iban;
    for (int account = 1; iban.empty() && account < 100000; ++account) {
      std::string candidate = MakeGermanIban("10000000", std::to_string(account), nullptr, true);
      if (candidate.substr(2, 2) == issued) iban = candidate;
    }
    ASSERT_FALSE(iban.empty()) << "no account gives check digits " << issued;
    EXPECT_TRUE(CheckIban(iban).IbanOk()) << iban;
    iban.replace(2, 2, alias);
    EXPECT_EQ(CheckIban(iban).nIbanError, qdIbanWrongCheckDigits) << iban;
  }
}

TEST(IbanForm, RegistryLengthsByCountryCode) {
  EXPECT_EQ(IbanLength("DE"), 22);
  EXPECT_EQ(IbanLength("NO"), 15);
  EXPECT_EQ(IbanLength("MT"), 31);
  for (std::string_view unknown : {"", "D", "de", "DEU", "XX", "US", "AA", "ZZ"}) {
    EXPECT_EQ(IbanLength(unknown), 0) << unknown;
  }
}

TEST(IbanForm, EveryVerdictHasItsOwnGermanMessage) {
  EXPECT_EQ(GetIbanErrorText(qdIbanOk), "Kein Fehler");
  EXPECT_EQ(GetIbanErrorText(qdIbanWrongCheckDigits), "IBAN-Prüfziffer ist falsch");
  std::vector<std::string> seen;
  for (int code = qdIbanOk; code <= qdIbanWrongCheckDigits; ++code) {
    const std::string text = GetIbanErrorText(code);
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), text), 0) << text;
    seen.push_back(text);
  }
  EXPECT_EQ(GetIbanErrorText(-1), "");
  EXPECT_EQ(GetIbanErrorText(qdIbanWrongCheckDigits + 1), "");
}

TEST(IbanForm, PaperFormGroupsByFour) {
  EXPECT_EQ(FormatIban("de89370400440532013000"), "DE89 3704 0044 0532 0130 00");
  EXPECT_EQ(FormatIban(" DE89 37040044 0532013000 "), "DE89 3704 0044 0532 0130 00");
  EXPECT_EQ(FormatIban("BE68539007547034"), "BE68 5390 0754 7034");
  EXPECT_EQ(FormatIban(""), "");
  EXPECT_EQ(FormatIban("DE89-3704"), "DE89-3704");
}

}  // namespace
}  // namespace quandor
