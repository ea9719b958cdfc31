// Today's methods A0 to B9: the Bundesbank's test account numbers.
//
// Each number is listed once, with the verdict of the whole method. The
// Bundesbank lists its numbers per variant; a number it calls wrong for one
// variant is valid here when a later variant accepts it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "account.h"

namespace quandor::methods::testing {
namespace {

// A0, A1, A6, B0, B2, B3, B4, B6 and B7 pick one way of checking.
TEST(CurrentMethodsA0ToB9, SelectTheirCheckByDigitLengthOrRange) {
  ExpectCurrentVerdicts({
      {"A0", "521003287", kValid},
      {"A0", "54500", kValid},
      {"A0", "3287", kValid},
      {"A0", "18761", kValid},
      {"A0", "28290", kValid},
      {"A0", "521003288", kWrong},  // by hand: the check digit is 7
      {"A0", "1000", kWrong},       // by hand: four digits carry a check digit, 3
      {"A0", "1003", kValid},
      {"A0", "999", kValid},  // three digits carry none

      {"A1", "0010030005", kValid},
      {"A1", "0010030997", kValid},
      {"A1", "1010030054", kValid},
      {"A1", "0110030005", kWrong},
      {"A1", "0010030998", kWrong},
      {"A1", "0000030005", kWrong},

      {"A6", "800048548", kValid},
      {"A6", "0855000014", kValid},
      {"A6", "860000817", kWrong},
      {"A6", "810033652", kWrong},
      {"A6", "17", kValid},
      {"A6", "55300030", kValid},
      {"A6", "150178033", kValid},
      {"A6", "600003555", kValid},
      {"A6", "900291823", kValid},
      {"A6", "305888", kWrong},
      {"A6", "200071280", kWrong},

      {"B0", "1197423162", kValid},
      {"B0", "1000000606", kValid},
      {"B0", "8137423260", kWrong},
      {"B0", "600000606", kWrong},
      {"B0", "51234309", kWrong},
      {"B0", "1000000406", kValid},
      {"B0", "1035791538", kValid},
      {"B0", "1126939724", kValid},
      {"B0", "1197423460", kValid},
      {"B0", "1000000405", kWrong},
      {"B0", "1035791539", kWrong},
      {"B0", "8035791532", kWrong},
      {"B0", "535791830", kWrong},
      {"B0", "51234901", kWrong},

      {"B2", "0020012357", kValid},
      {"B2", "0080012345", kValid},
      {"B2", "0926801910", kValid},
      {"B2", "1002345674", kValid},
      {"B2", "0020012399", kWrong},
      {"B2", "0080012347", kWrong},
      {"B2", "0080012370", kWrong},
      {"B2", "0932100027", kWrong},
      {"B2", "3310123454", kWrong},
      {"B2", "8000990054", kValid},
      {"B2", "9000481805", kValid},
      {"B2", "8000990057", kWrong},
      {"B2", "8011000126", kWrong},
      {"B2", "9000481800", kWrong},
      {"B2", "9980480111", kWrong},

      {"B3", "1000000060", kValid},
      {"B3", "0000000140", kValid},
      {"B3", "0000000019", kValid},
      {"B3", "1002798417", kValid},
      {"B3", "8409915001", kValid},
      {"B3", "0002799899", kWrong},
      {"B3", "1000000111", kWrong},
      {"B3", "9635000101", kValid},
      {"B3", "9730200100", kValid},
      {"B3", "9635100101", kWrong},
      {"B3", "9730300100", kWrong},

      {"B4", "9941510001", kValid},
      {"B4", "9961230019", kValid},
      {"B4", "9380027210", kValid},
      {"B4", "9932290910", kValid},
      {"B4", "9941510002", kWrong},
      {"B4", "9961230020", kWrong},
      {"B4", "0000251437", kValid},
      {"B4", "0007948344", kValid},
      {"B4", "0000051640", kValid},
      {"B4", "0000251438", kWrong},
      {"B4", "0007948345", kWrong},
      {"B4", "0000159590", kWrong},  // remainder 1: no check digit, unlike method 10

      {"B6", "9110000000", kValid},
      {"B6", "0269876545", kValid},
      {"B6", "9111000000", kWrong},
      {"B6", "0269456780", kWrong},
      {"B6", "487310018", kValid, "80053782"},
      {"B6", "467310018", kWrong, "80053762"},
      {"B6", "477310018", kWrong, "80053772"},
      {"B6", "0", kWrong},  // nothing left to rebuild the former account number from
      {"B6", "487310018", qdUnknownError, "8005378"},  // no bank code to rebuild it with

      {"B7", "0700001529", kValid},
      {"B7", "0730000019", kValid},
      {"B7", "0001001008", kValid},
      {"B7", "0001057887", kValid},
      {"B7", "0001007222", kValid},
      {"B7", "0810011825", kValid},
      {"B7", "0800107653", kValid},
      {"B7", "0005922372", kValid},
      {"B7", "0001057886", kWrong},
      {"B7", "0003815570", kWrong},
      {"B7", "0005620516", kWrong},
      {"B7", "0740912243", kWrong},
      {"B7", "0893524479", kWrong},
      {"B7", "0006000000", kValid},  // by hand: just past the first checked range
      {"B7", "0900000001", kValid},  // by hand: just past the second
      {"B7", "0000999999", kValid},  // by hand: just before the first
  });
}

// A2 to A5, A7 to A9, B1, B5 and B8 try their variants in turn.
TEST(CurrentMethodsA0ToB9, TryTheirVariantsInTurn) {
  ExpectCurrentVerdicts({
      {"A2", "3456789019", kValid},
      {"A2", "5678901231", kValid},
      {"A2", "6789012348", kValid},
      {"A2", "3456789012", kValid},
      {"A2", "1234567890", kWrong},
      {"A2", "0123456789", kWrong},

      {"A3", "1234567897", kValid},
      {"A3", "0123456782", kValid},
      {"A3", "9876543210", kValid},
      {"A3", "1234567890", kValid},
      {"A3", "0123456789", kValid},
      {"A3", "6543217890", kWrong},
      {"A3", "0543216789", kWrong},

      {"A4", "0004711173", kValid},
      {"A4", "0007093330", kValid},
      {"A4", "0004711172", kValid},
      {"A4", "0007093335", kValid},
      {"A4", "1199503010", kValid},
      {"A4", "8499421235", kValid},
      {"A4", "0000862342", kValid},
      {"A4", "8997710000", kValid},
      {"A4", "0664040000", kValid},
      {"A4", "0000905844", kValid},
      {"A4", "5030101099", kValid},
      {"A4", "0001123458", kValid},
      {"A4", "1299503117", kValid},
      {"A4", "8623420004", kValid},  // wrong for variants 1 and 2, right for 4 (modulus 7)
      {"A4", "8623420000", kValid},  // the same
      {"A4", "6099702031", kWrong},
      {"A4", "0000399443", kWrong},
      {"A4", "0000553313", kWrong},

      {"A5", "9941510001", kValid},
      {"A5", "9961230019", kValid},
      {"A5", "9380027210", kValid},
      {"A5", "9932290910", kValid},
      {"A5", "9941510002", kWrong},
      {"A5", "9961230020", kWrong},
      {"A5", "0000251437", kValid},
      {"A5", "0007948344", kValid},
      {"A5", "0000159590", kValid},
      {"A5", "0000051640", kValid},
      {"A5", "0000251438", kWrong},
      {"A5", "0007948345", kWrong},

      {"A7", "19010008", kValid},
      {"A7", "19010438", kValid},
      {"A7", "19010660", kValid},
      {"A7", "19010876", kValid},
      {"A7", "209010892", kValid},
      {"A7", "209010893", kWrong},

      {"A8", "7436661", kValid},
      {"A8", "7436670", kValid},
      {"A8", "1359100", kValid},
      {"A8", "7436660", kValid},
      {"A8", "7436678", kValid},
      {"A8", "0003503398", kValid},
      {"A8", "0001340967", kValid},
      {"A8", "7436666", kWrong},
      {"A8", "7436677", kWrong},
      {"A8", "0003503391", kWrong},
      {"A8", "0001340966", kWrong},
      // Ledger accounts, a 9 at position 3: method 51's numbers.
      {"A8", "0199100002", kValid},
      {"A8", "0099100010", kValid},
      {"A8", "2599100002", kValid},
      {"A8", "0199100004", kValid},
      {"A8", "2599100003", kValid},
      {"A8", "3199204090", kValid},
      {"A8", "0099345678", kWrong},

      {"A9", "5043608", kValid},
      {"A9", "86725", kValid},
      {"A9", "504360", kValid},
      {"A9", "822035", kValid},
      {"A9", "32577083", kValid},
      {"A9", "86724", kWrong},
      {"A9", "292497", kWrong},
      {"A9", "30767208", kWrong},

      {"B1", "1434253150", kValid},
      {"B1", "2746315471", kValid},
      {"B1", "7414398260", kValid},
      {"B1", "8347251693", kValid},
      {"B1", "1501824", kValid},
      {"B1", "1501832", kValid},
      {"B1", "539290858", kValid},
      {"B1", "7414398268", kValid},
      {"B1", "8347251699", kValid},
      {"B1", "0123456789", kWrong},
      {"B1", "2345678901", kWrong},
      {"B1", "5678901234", kWrong},

      {"B5", "0159006955", kValid},
      {"B5", "2000123451", kValid},
      {"B5", "1151043216", kValid},
      {"B5", "9000939033", kValid},
      {"B5", "7414398260", kWrong},
      {"B5", "8347251693", kWrong},
      {"B5", "1151043211", kValid},  // wrong for variant 1, right for 2
      {"B5", "2345678901", kWrong},
      {"B5", "5678901234", kWrong},
      {"B5", "9000293707", kWrong},
      {"B5", "0123456782", kValid},
      {"B5", "0130098767", kValid},
      {"B5", "1045000252", kValid},
      {"B5", "0159004165", kWrong},
      {"B5", "0023456787", kWrong},
      {"B5", "0056789018", kWrong},
      {"B5", "3045000333", kWrong},

      {"B8", "0734192657", kValid},
      {"B8", "6932875274", kValid},
      {"B8", "3145863029", kValid},
      {"B8", "2938692523", kValid},
      {"B8", "0132572975", kWrong},
      {"B8", "9000412340", kWrong},
      {"B8", "9310305011", kWrong},
      {"B8", "5011654366", kValid},  // wrong for variant 1, right for 2
      // Wrong for variants 1 and 2 but in the ranges without a check digit.
      {"B8", "5432198760", kValid},
      {"B8", "9070873333", kValid},
  });
}

// B9 computes its own check digit and gives a second chance five on.
TEST(CurrentMethodsA0ToB9, B9ChecksByTheNumberOfLeadingZeros) {
  ExpectCurrentVerdicts({
      {"B9", "87920187", kValid},
      {"B9", "41203755", kValid},
      {"B9", "81069577", kValid},
      {"B9", "61287958", kValid},
      {"B9", "58467232", kValid},
      {"B9", "88034023", kWrong},
      {"B9", "43025432", kWrong},
      {"B9", "86521362", kWrong},
      {"B9", "61256523", kWrong},
      {"B9", "54352684", kWrong},
      {"B9", "7125633", kValid},
      {"B9", "1253657", kValid},
      {"B9", "4353631", kValid},
      {"B9", "2356412", kWrong},
      {"B9", "5435886", kWrong},
      {"B9", "9435414", kWrong},
      {"B9", "187920187", kWrong},  // by hand: one leading zero
      {"B9", "712563", kWrong},     // by hand: four leading zeros
  });
}

}  // namespace
}  // namespace quandor::methods::testing
