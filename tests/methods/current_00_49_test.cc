// Today's methods 00 to 49: every test account number the Bundesbank gives
// for them, and numbers worked out from its text where it gives none or only
// valid ones (marked "own"), chosen to reach each exception.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "account.h"
#include "quandor/errors.h"

namespace quandor::methods::testing {
namespace {

TEST(CurrentMethods00To49, ModulusTenWeighings) {
  constexpr CurrentCase kCases[] = {
      {"00", "9290701", kValid},
      {"00", "539290858", kValid},
      {"00", "1501824", kValid},
      {"00", "1501832", kValid},
      {"00", "1501833", kWrong},     // own
      {"01", "7493598146", kValid},  // own
      {"01", "4405809747", kValid},  // own
      {"01", "7493598147", kWrong},  // own
      {"03", "1430925917", kValid},  // own
      {"03", "3638411376", kValid},  // own
      {"03", "1430925918", kWrong},  // own
      {"05", "3065693802", kValid},  // own
      {"05", "5343531383", kValid},  // own
      {"05", "3065693803", kWrong},  // own
      // own: below 60 000 nothing is checked
      {"08", "59999", kValid},
      {"08", "0", kValid},
      {"08", "60004", kValid},
      {"08", "60000", kWrong},
      {"08", "7073018470", kValid},
      {"08", "7073018471", kWrong},
      // own: base number in positions 2 to 7, or, shifted, in 4 to 9
      {"13", "6189349467", kValid},
      {"13", "7755936653", kValid},
      {"13", "6189349567", kWrong},
      {"13", "26214522", kValid},
      {"18", "6522255991", kValid},  // own
      {"18", "8509162401", kValid},  // own
      {"18", "6522255992", kWrong},  // own
      {"21", "3677264284", kValid},  // own
      {"21", "3364931898", kValid},  // own
      {"21", "3677264285", kWrong},  // own
      {"22", "6897778640", kValid},  // own
      {"22", "4199006843", kValid},  // own
      {"22", "6897778641", kWrong},  // own
      {"27", "2847169488", kValid},  // the document's example of the transformation
      {"27", "2847169489", kWrong},  // own
      {"27", "289337800", kValid},   // own: nine digits, as method 00
      {"29", "3145863029", kValid},  // the document's example
      {"29", "3145863020", kWrong},  // own
      {"30", "3887881757", kValid},  // own
      {"30", "8375505674", kValid},  // own
      {"30", "3887881758", kWrong},  // own
      {"41", "4013410024", kValid},
      {"41", "4016660195", kValid},
      {"41", "0166805317", kValid},
      {"41", "4019310079", kValid},
      {"41", "4019340829", kValid},
      {"41", "4019151002", kValid},
      {"41", "4019110008", kValid},  // the document's example
      {"43", "6135244", kValid},
      {"43", "9516893476", kValid},
      {"45", "3545343232", kValid},
      {"45", "4013410024", kValid},
      {"45", "0994681254", kValid},
      {"45", "0000012340", kValid},
      {"45", "1000199999", kValid},
      {"45", "0100114240", kValid},
      {"45", "4890001112", kValid},
      {"45", "4890001113", kValid},  // own: no check digit after 48
      {"45", "3545343233", kWrong},  // own
      {"45", "4790001112", kWrong},  // own
      {"49", "6629614125", kValid},  // own: variant 1
      {"49", "4123172495", kValid},  // own: variant 2 only
      {"49", "6629614126", kWrong},  // own
  };
  ExpectCurrentVerdicts(kCases);
}

TEST(CurrentMethods00To49, ModulusElevenWeighings) {
  constexpr CurrentCase kCases[] = {
      {"02", "9769809255", kValid},  // own
      {"02", "3703488257", kValid},  // own
      {"02", "9769809256", kWrong},  // own
      {"02", "1431352804", kWrong},  // own: remainder 1, no check digit fits
      {"04", "2511115941", kValid},  // own
      {"04", "6937077295", kValid},  // own
      {"04", "2511115942", kWrong},  // own
      {"06", "94012341", kValid},
      {"06", "5073321010", kValid},
      {"06", "4167617200", kValid},  // own: remainder 1
      {"06", "4167617201", kWrong},  // own
      {"07", "4780726212", kValid},  // own
      {"07", "2651065684", kValid},  // own
      {"07", "4780726213", kWrong},  // own
      {"10", "12345008", kValid},
      {"10", "87654008", kValid},
      {"10", "87654009", kWrong},    // own
      {"11", "4675561993", kValid},  // own
      {"11", "7418528379", kValid},  // own: remainder 1 gives 9
      {"11", "7418528370", kWrong},  // own
      {"14", "9709143637", kValid},  // own
      {"14", "3109002677", kValid},  // own
      {"14", "9709143638", kWrong},  // own
      {"15", "1097864882", kValid},  // own
      {"15", "6409500639", kValid},  // own
      {"15", "1097864883", kWrong},  // own
      // own: remainder 1 needs positions 9 and 10 alike
      {"16", "9515546836", kValid},
      {"16", "9515546837", kWrong},
      {"16", "9265250099", kValid},
      {"16", "3967230038", kWrong},
      {"19", "0240334000", kValid},
      {"19", "0200520016", kValid},
      {"19", "0200520017", kWrong},  // own
      {"20", "3268170977", kValid},  // own
      {"20", "7096842742", kValid},  // own
      {"20", "3268170978", kWrong},  // own
      // own: check digit in position 7; remainder 1 needs positions 6 and 7 alike
      {"23", "6403379166", kValid},
      {"23", "6403370166", kWrong},
      {"23", "2542488683", kValid},
      {"23", "8679249269", kWrong},
      {"25", "521382181", kValid},   // the document's example
      {"25", "990927938", kValid},   // own
      {"25", "521382182", kWrong},   // own
      {"25", "853100730", kValid},   // own: remainder 1, work digit 8, check digit 0
      {"25", "900541613", kWrong},   // own: remainder 1 with a check digit other than 0
      {"25", "579209920", kWrong},   // own: remainder 1, work digit 5
      {"25", "2154371645", kWrong},  // own: ten digits
      {"26", "0520309001", kValid},
      {"26", "1111118111", kValid},
      {"26", "0005501024", kValid},
      {"26", "1111118211", kWrong},  // own
      {"26", "0005501025", kWrong},  // own
      {"28", "19999000", kValid},
      {"28", "9130000201", kValid},
      {"28", "9130000301", kWrong},  // own
      {"31", "1000000524", kValid},
      {"31", "1000000583", kValid},
      {"31", "0263160165", kValid},  // the document's example
      {"31", "0263160166", kWrong},  // own
      {"31", "7824810782", kWrong},  // own: remainder 10
      {"32", "9141405", kValid},
      {"32", "1709107983", kValid},
      {"32", "0122116979", kValid},
      {"32", "0121114867", kValid},
      {"32", "9030101192", kValid},
      {"32", "9245500460", kValid},
      {"33", "48658", kValid},
      {"33", "84956", kValid},
      {"34", "9913000700", kValid},
      {"34", "9914001000", kValid},
      {"35", "0000108443", kValid},
      {"35", "0000107451", kValid},
      {"35", "0000102921", kValid},
      {"35", "0000102349", kValid},
      {"35", "0000101709", kValid},
      {"35", "0000101599", kValid},
      {"35", "0000108444", kWrong},  // own
      {"35", "0000101590", kWrong},  // own: remainder 10, last two digits differ
      {"36", "113178", kValid},
      {"36", "146666", kValid},
      {"37", "624315", kValid},
      {"37", "632500", kValid},
      {"38", "191919", kValid},
      {"38", "1100660", kValid},
      {"39", "200205", kValid},
      {"39", "10019400", kValid},
      {"40", "1258345", kValid},
      {"40", "3231963", kValid},
      {"42", "59498", kValid},
      {"42", "59510", kValid},
      {"44", "889006", kValid},
      {"44", "2618040504", kValid},
      {"46", "0235468612", kValid},
      {"46", "0837890901", kValid},
      {"46", "1041447600", kValid},
      {"47", "1018000", kValid},
      {"47", "1003554450", kValid},
      {"48", "5069568150", kValid},  // own
      {"48", "6632455270", kValid},  // own
      {"48", "5069568160", kWrong},  // own
  };
  ExpectCurrentVerdicts(kCases);
}

TEST(CurrentMethods00To49, WeighingsOfTheirOwn) {
  constexpr CurrentCase kCases[] = {
      {"09", "0", kValid},
      {"09", "1234567890", kValid},
      {"17", "0446786040", kValid},
      {"17", "0446786140", kWrong},  // own
      // the document's examples: from the first digit other than 0, after
      // clearing a leading 3 to 6, or a leading 9 and the two digits after it
      {"24", "138301", kValid},
      {"24", "1306118605", kValid},
      {"24", "3307118608", kValid},
      {"24", "9307118603", kValid},
      {"24", "9307118604", kWrong},  // own
      {"24", "8718411937", kValid},  // own
      {"24", "8718411938", kWrong},  // own
  };
  ExpectCurrentVerdicts(kCases);
}

}  // namespace
}  // namespace quandor::methods::testing
