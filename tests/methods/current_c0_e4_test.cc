// Today's methods C0 to E4: the Bundesbank's test account numbers. Each
// expectation is the method's verdict as a whole: a number that one variant
// rejects and a later one accepts is valid. Numbers marked "computed" are
// not the Bundesbank's but worked out by hand from the method's text, for
// ranges its test numbers leave out.
#include <gtest/gtest.h>

#include <span>
#include <string_view>

#include "account.h"

namespace quandor::methods::testing {
namespace {

// The bank of method C0's legacy account numbers.
constexpr std::string_view kBankC0 = "13051172";

TEST(CurrentC0ToE4, VariantChosenByTheNumbersShape) {
  const CurrentCase cases[] = {
      {"C0", "43001500", kValid, kBankC0},
      {"C0", "48726458", kValid, kBankC0},
      {"C0", "82335729", kValid, kBankC0},  // wrong as legacy number, right by method 20
      {"C0", "29837521", kWrong, kBankC0},
      {"C0", "0082335729", kValid, kBankC0},
      {"C0", "0734192657", kValid, kBankC0},
      {"C0", "6932875274", kValid, kBankC0},
      {"C0", "0132572975", kWrong, kBankC0},
      {"C0", "3038752371", kWrong, kBankC0},
      {"C0", "0012300000", kWrong, kBankC0},   // computed: no legacy form, method 20 rejects
      {"C0", "43001500", kWrong, "10020050"},  // computed: the legacy form differs by bank

      {"C1", "0446786040", kValid},
      {"C1", "0478046940", kValid},
      {"C1", "0701625830", kValid},
      {"C1", "0701625840", kValid},
      {"C1", "0882095630", kValid},
      {"C1", "0446786240", kWrong},
      {"C1", "0478046340", kWrong},
      {"C1", "0701625730", kWrong},
      {"C1", "0701625440", kWrong},
      {"C1", "0882095130", kWrong},
      {"C1", "5432112349", kValid},
      {"C1", "5543223456", kValid},
      {"C1", "5654334563", kValid},
      {"C1", "5765445670", kValid},
      {"C1", "5876556788", kValid},
      {"C1", "5432112341", kWrong},
      {"C1", "5543223458", kWrong},
      {"C1", "5654334565", kWrong},
      {"C1", "5765445672", kWrong},
      {"C1", "5876556780", kWrong},

      {"C3", "9294182", kValid},
      {"C3", "4431276", kValid},
      {"C3", "19919", kValid},
      {"C3", "17002", kWrong},
      {"C3", "123451", kWrong},
      {"C3", "122448", kWrong},
      {"C3", "9000420530", kValid},
      {"C3", "9000010006", kValid},
      {"C3", "9000577650", kValid},
      {"C3", "9000734028", kWrong},
      {"C3", "9000733227", kWrong},
      {"C3", "9000731120", kWrong},

      {"C4", "0000000019", kValid},
      {"C4", "0000292932", kValid},
      {"C4", "0000094455", kValid},
      {"C4", "0000000017", kWrong},
      {"C4", "0000292933", kWrong},
      {"C4", "0000094459", kWrong},
      {"C4", "9000420530", kValid},
      {"C4", "9000010006", kValid},
      {"C4", "9000577650", kValid},
      {"C4", "9000726558", kWrong},
      {"C4", "9001733457", kWrong},
      {"C4", "9000732000", kWrong},

      {"C5", "0000301168", kValid},
      {"C5", "0000302554", kValid},
      {"C5", "0000302589", kWrong},
      {"C5", "0000507336", kWrong},
      {"C5", "0300020050", kValid},
      {"C5", "0300566000", kValid},
      {"C5", "0302555000", kWrong},
      {"C5", "0302589000", kWrong},
      {"C5", "1000061378", kValid},
      {"C5", "1000061412", kValid},
      {"C5", "4450164064", kValid},
      {"C5", "4863476104", kValid},
      {"C5", "5000000028", kValid},
      {"C5", "5000000391", kValid},
      {"C5", "6450008149", kValid},
      {"C5", "6800001016", kValid},
      {"C5", "9000100012", kValid},
      {"C5", "9000210017", kValid},
      {"C5", "1000061457", kWrong},
      {"C5", "1000061498", kWrong},
      {"C5", "4864446015", kWrong},
      {"C5", "4865038012", kWrong},
      {"C5", "5000001028", kWrong},
      {"C5", "5000001075", kWrong},
      {"C5", "6450008150", kWrong},
      {"C5", "6542812818", kWrong},
      {"C5", "9000110012", kWrong},
      {"C5", "9000300310", kWrong},
      {"C5", "3060188103", kValid},
      {"C5", "3070402023", kValid},
      {"C5", "3081000783", kWrong},
      {"C5", "3081308871", kWrong},
      {"C5", "0031234567", kValid},  // computed: no check digit in these ranges
      {"C5", "7012345678", kValid},
      {"C5", "8512345678", kValid},
      {"C5", "8612345678", kWrong},  // computed: in no range
      {"C5", "2000000000", kWrong},
      {"C5", "0012345678", kWrong},
      {"C5", "0000012345", kWrong},

      {"D0", "6100272324", kValid},
      {"D0", "6100273479", kValid},
      {"D0", "6100272885", kWrong},
      {"D0", "6100273377", kWrong},
      {"D0", "6100274012", kWrong},
      {"D0", "5712345678", kValid},  // computed: no check digit after 57
      {"D0", "5812345678", kWrong},

      {"D8", "1403414848", kValid},
      {"D8", "6800000439", kValid},
      {"D8", "6899999954", kValid},
      {"D8", "3012084101", kWrong},
      {"D8", "1062813622", kWrong},
      {"D8", "0000260986", kWrong},
      {"D8", "0012345678", kValid},  // computed: no check digit in this range
      {"D8", "0001234567", kWrong},  // computed: in no range
  };
  ExpectCurrentVerdicts(cases);
}

TEST(CurrentC0ToE4, MethodZeroSumsExtended) {
  const CurrentCase cases[] = {
      {"C6", "0000065516", kValid}, {"C6", "0203178249", kValid}, {"C6", "1031405209", kValid},
      {"C6", "1082012201", kValid}, {"C6", "2003455189", kValid}, {"C6", "2004001016", kValid},
      {"C6", "3110150986", kValid}, {"C6", "3068459207", kValid}, {"C6", "5035105948", kValid},
      {"C6", "5286102149", kValid}, {"C6", "4012660028", kValid}, {"C6", "4100235626", kValid},
      {"C6", "6028426119", kValid}, {"C6", "6861001755", kValid}, {"C6", "7008199027", kValid},
      {"C6", "7002000023", kValid}, {"C6", "8526080015", kValid}, {"C6", "8711072264", kValid},
      {"C6", "9000430223", kValid}, {"C6", "9000781153", kValid}, {"C6", "0525111212", kWrong},
      {"C6", "0091423614", kWrong}, {"C6", "1082311275", kWrong}, {"C6", "1000118821", kWrong},
      {"C6", "2004306518", kWrong}, {"C6", "2016001206", kWrong}, {"C6", "3462816371", kWrong},
      {"C6", "3622548632", kWrong}, {"C6", "4232300158", kWrong}, {"C6", "4000456126", kWrong},
      {"C6", "5002684526", kWrong}, {"C6", "5564123850", kWrong}, {"C6", "6295473774", kWrong},
      {"C6", "6640806317", kWrong}, {"C6", "7000062022", kWrong}, {"C6", "7006003027", kWrong},
      {"C6", "8348300002", kWrong}, {"C6", "8654216984", kWrong}, {"C6", "9000641509", kWrong},
      {"C6", "9000260986", kWrong},

      {"D1", "0082012203", kValid}, {"D1", "1452683581", kValid}, {"D1", "2129642505", kValid},
      {"D1", "3002000027", kValid}, {"D1", "4230001407", kValid}, {"D1", "5000065514", kValid},
      {"D1", "6001526215", kValid}, {"D1", "7126502149", kValid}, {"D1", "9000430223", kValid},
      {"D1", "0000260986", kWrong}, {"D1", "1062813622", kWrong}, {"D1", "2256412314", kWrong},
      {"D1", "3012084101", kWrong}, {"D1", "4006003027", kWrong}, {"D1", "5814500990", kWrong},
      {"D1", "6128462594", kWrong}, {"D1", "7000062035", kWrong}, {"D1", "8003306026", kWrong},
      {"D1", "9000641509", kWrong},

      {"D4", "1112048219", kValid}, {"D4", "2024601814", kValid}, {"D4", "3000005012", kValid},
      {"D4", "4143406984", kValid}, {"D4", "5926485111", kValid}, {"D4", "6286304975", kValid},
      {"D4", "7900256617", kValid}, {"D4", "8102228628", kValid}, {"D4", "9002364588", kValid},
      {"D4", "0359432843", kWrong}, {"D4", "1000062023", kWrong}, {"D4", "2204271250", kWrong},
      {"D4", "3051681017", kWrong}, {"D4", "4000123456", kWrong}, {"D4", "5212744564", kWrong},
      {"D4", "6286420010", kWrong}, {"D4", "7859103459", kWrong}, {"D4", "8003306026", kWrong},
      {"D4", "9916524534", kWrong},

      {"D7", "0500018205", kValid}, {"D7", "0230103715", kValid}, {"D7", "0301000434", kValid},
      {"D7", "0330035104", kValid}, {"D7", "0420001202", kValid}, {"D7", "0134637709", kValid},
      {"D7", "0201005939", kValid}, {"D7", "0602006999", kValid}, {"D7", "0501006102", kWrong},
      {"D7", "0231307867", kWrong}, {"D7", "0301005331", kWrong}, {"D7", "0330034104", kWrong},
      {"D7", "0420001302", kWrong}, {"D7", "0135638809", kWrong}, {"D7", "0202005939", kWrong},
      {"D7", "0601006977", kWrong},

      {"E0", "1234568013", kValid}, {"E0", "1534568010", kValid}, {"E0", "2610015", kValid},
      {"E0", "8741013011", kValid}, {"E0", "1234769013", kWrong}, {"E0", "2710014", kWrong},
      {"E0", "9741015011", kWrong},

      {"E2", "0003831745", kValid}, {"E2", "0051330335", kValid}, {"E2", "1730773457", kValid},
      {"E2", "1987654327", kValid}, {"E2", "2012345675", kValid}, {"E2", "2220467998", kValid},
      {"E2", "3190519693", kValid}, {"E2", "3011219713", kValid}, {"E2", "4131220086", kValid},
      {"E2", "4110919419", kValid}, {"E2", "5000083836", kValid}, {"E2", "5069696965", kValid},
      {"E2", "0121314151", kWrong}, {"E2", "0036958466", kWrong}, {"E2", "1000174716", kWrong},
      {"E2", "1975312468", kWrong}, {"E2", "2260519349", kWrong}, {"E2", "2004002175", kWrong},
      {"E2", "3780024149", kWrong}, {"E2", "3015024274", kWrong}, {"E2", "4968745438", kWrong},
      {"E2", "4005012150", kWrong}, {"E2", "5000137454", kWrong}, {"E2", "5221398871", kWrong},
      {"E2", "6221398879", kWrong}, {"E2", "6742185327", kWrong}, {"E2", "7793867322", kWrong},
      {"E2", "7900695413", kWrong}, {"E2", "8001256238", kWrong}, {"E2", "8303808900", kWrong},
      {"E2", "9703805111", kWrong}, {"E2", "9006126433", kWrong},
  };
  ExpectCurrentVerdicts(cases);
}

TEST(CurrentC0ToE4, VariantsTriedInTurn) {
  const CurrentCase cases[] = {
      {"C2", "2394871426", kValid},
      {"C2", "4218461950", kValid},
      {"C2", "7352569148", kValid},
      {"C2", "5127485166", kValid},
      {"C2", "8738142564", kValid},
      {"C2", "0076543216", kValid},
      {"C2", "3456789012", kValid},
      {"C2", "9024675138", kValid},
      {"C2", "0328705282", kWrong},
      {"C2", "9024675131", kWrong},
      {"C2", "7352569145", kWrong},

      {"C7", "3500022", kValid},
      {"C7", "38150900", kValid},
      {"C7", "600103660", kValid},
      {"C7", "39101181", kValid},
      {"C7", "94012341", kValid},
      {"C7", "5073321010", kValid},
      {"C7", "1234517892", kWrong},
      {"C7", "987614325", kWrong},
      // computed: right only if read without a sub-account, which nine digits leave no room to omit
      {"C7", "0373878287", kWrong},

      {"C8", "3456789019", kValid},
      {"C8", "5678901231", kValid},
      {"C8", "3456789012", kValid},
      {"C8", "0022007130", kValid},
      {"C8", "0123456789", kValid},
      {"C8", "0552071285", kValid},
      {"C8", "1234567890", kWrong},
      {"C8", "9012345678", kWrong},

      {"C9", "3456789019", kValid},
      {"C9", "5678901231", kValid},
      {"C9", "0123456789", kValid},
      {"C9", "3456789012", kWrong},
      {"C9", "1234567890", kWrong},
      {"C9", "9012345678", kWrong},

      {"D2", "189912137", kValid},
      {"D2", "235308215", kValid},
      {"D2", "4455667784", kValid},
      {"D2", "1234567897", kValid},
      {"D2", "51181008", kValid},
      {"D2", "71214205", kValid},
      {"D2", "6414241", kWrong},
      {"D2", "179751314", kWrong},
      {"D2", "0915000000", kValid},  // computed: a range without check digit today

      {"D3", "1600169591", kValid},
      {"D3", "1600189151", kValid},
      {"D3", "1800084079", kValid},
      {"D3", "1600166307", kWrong},
      {"D3", "1600176485", kValid},  // wrong by method 00, right by method 27
      {"D3", "1600201934", kValid},  // wrong by method 00, right by method 27
      {"D3", "6019937007", kValid},
      {"D3", "6021354007", kValid},
      {"D3", "6030642006", kValid},
      {"D3", "6025017009", kWrong},
      {"D3", "6028267003", kWrong},
      {"D3", "6019835001", kWrong},

      {"D5", "5999718138", kValid},
      {"D5", "1799222116", kValid},
      {"D5", "0099632004", kValid},
      {"D5", "3299632008", kWrong},
      {"D5", "1999204293", kWrong},
      {"D5", "0399242139", kWrong},
      {"D5", "0004711173", kValid},
      {"D5", "0007093330", kValid},
      {"D5", "0000127787", kValid},
      {"D5", "0004711172", kValid},  // wrong modulo 11, right modulo 7
      {"D5", "8623420004", kWrong},
      {"D5", "0001123458", kWrong},
      {"D5", "0007093335", kValid},
      {"D5", "8623410000", kValid},  // wrong modulo 7, right modulo 10
      {"D5", "0000100062", kValid},
      {"D5", "0000100088", kValid},
      {"D5", "0000100084", kWrong},
      {"D5", "0000100085", kWrong},

      {"D6", "3409", kValid},
      {"D6", "585327", kValid},
      {"D6", "1650513", kValid},
      {"D6", "33394", kWrong},
      {"D6", "595795", kWrong},
      {"D6", "16400501", kWrong},
      {"D6", "3601671056", kValid},
      {"D6", "4402001046", kValid},
      {"D6", "6100268241", kValid},
      {"D6", "3615071237", kWrong},
      {"D6", "6039267013", kWrong},
      {"D6", "6039316014", kWrong},
      {"D6", "7001000681", kValid},
      {"D6", "9000111105", kValid},
      {"D6", "9001291005", kValid},
      {"D6", "7004017653", kWrong},
      {"D6", "9002720007", kWrong},
      {"D6", "9017483524", kWrong},

      {"D9", "1234567897", kValid},
      {"D9", "0123456782", kValid},
      {"D9", "9876543210", kValid},
      {"D9", "1234567890", kValid},
      {"D9", "0123456789", kValid},
      {"D9", "6543217890", kWrong},
      {"D9", "0543216789", kWrong},
      {"D9", "1100132044", kValid},
      {"D9", "1100669030", kValid},
      {"D9", "1100789043", kWrong},
      {"D9", "1100914032", kWrong},

      {"E3", "9290701", kValid},
      {"E3", "539290858", kValid},
      {"E3", "1501824", kValid},
      {"E3", "1501832", kValid},
      {"E3", "9290708", kValid},
      {"E3", "539290854", kValid},
      {"E3", "1501823", kValid},
      {"E3", "1501831", kValid},
      {"E3", "2345678909", kValid},
      {"E3", "5678901237", kValid},
      {"E3", "0123456789", kWrong},
      {"E3", "2345678901", kWrong},
      {"E3", "5678901234", kWrong},
      {"E3", "7414398260", kWrong},

      {"E4", "1501836", kValid},
      {"E4", "9290702", kValid},
      {"E4", "539290858", kValid},
      {"E4", "1501824", kValid},
      {"E4", "1501832", kValid},
      {"E4", "9290701", kValid},
      {"E4", "12345007", kWrong},
      {"E4", "87654005", kWrong},
  };
  ExpectCurrentVerdicts(cases);
}

TEST(CurrentC0ToE4, CharacterCodesWeighed) {
  const CurrentCase cases[] = {
      {"E1", "0100041104", kValid}, {"E1", "0100054106", kValid}, {"E1", "0200025107", kValid},
      {"E1", "0134211909", kValid},  // the Bundesbank's worked example
      {"E1", "0150013107", kWrong}, {"E1", "0200035101", kWrong}, {"E1", "0081313890", kWrong},
      {"E1", "4268550840", kWrong}, {"E1", "0987402008", kWrong},
  };
  ExpectCurrentVerdicts(cases);
}

}  // namespace
}  // namespace quandor::methods::testing
