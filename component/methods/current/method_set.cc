// Today's method set: one entry for every code 00 to E9, in order, saying
// how the code is checked today. Find a method by its code here, then follow
// the entry: to the original engine (the code's meaning has not changed),
// to a routine of today's (current_methods.h), or to nothing.
#include "methods/current/method_set.h"

#include <array>
#include <cstddef>
#include <exception>

#include "methods/current/current_methods.h"
#include "methods/runner.h"
#include "quandor/errors.h"

namespace quandor::methods {
namespace {

using Routine = int (*)(CheckContext&);

struct CurrentMethod {
  std::string_view code;      // the Bundesbank's code, "00" to "E9"
  std::string_view original;  // the original method code it equals, or ""
  Routine routine;            // today's own routine, or nullptr
};

// The original method of this code has not changed: it runs as it always has.
constexpr CurrentMethod Same(std::string_view code, std::string_view original) {
  return {code, original, nullptr};
}

// Today's method differs from the original one, or is new.
constexpr CurrentMethod Own(std::string_view code, Routine routine) {
  return {code, {}, routine};
}

// No method today ("frei" in the Bundesbank's list, or beyond E4).
constexpr CurrentMethod Unassigned(std::string_view code) { return {code, {}, nullptr}; }

using namespace current;  // NOLINT(google-build-using-namespace): the routines' names are their codes

constexpr auto kCurrentMethods = std::to_array<CurrentMethod>({
    // 00 to 49
    Same("00", "0"),
    Same("01", "1"),
    Same("02", "2"),
    Same("03", "3"),
    Same("04", "4"),
    Same("05", "5"),
    Same("06", "6"),
    Same("07", "7"),
    Own("08", Method08),
    Same("09", "9"),
    Same("10", "10"),
    Same("11", "11"),
    Unassigned("12"),  // "frei"
    Same("13", "13"),
    Same("14", "14"),
    Same("15", "15"),
    Same("16", "16"),
    Same("17", "17"),
    Same("18", "18"),
    Same("19", "19"),
    Same("20", "20"),
    Same("21", "21"),
    Same("22", "22"),
    Same("23", "23"),
    Same("24", "24"),
    Own("25", Method25),
    Own("26", Method26),
    Same("27", "27"),
    Same("28", "28"),
    Same("29", "29"),
    Same("30", "30"),
    Same("31", "7"),  // 7's 11 minus the remainder of weights 10..2 is the remainder of 1..9
    Same("32", "32"),
    Same("33", "33"),
    Same("34", "34"),
    Own("35", Method35),
    Same("36", "36"),
    Same("37", "37"),
    Same("38", "38"),
    Same("39", "39"),
    Same("40", "40"),
    Same("41", "41"),
    Same("42", "42"),
    Same("43", "43"),
    Same("44", "44"),
    Own("45", Method45),
    Same("46", "46"),
    Same("47", "47"),
    Same("48", "48"),
    Same("49", "49"),

    // 50 to 79
    Same("50", "50"),
    Same("51", "51"),
    Same("52", "52"),
    Same("53", "53"),
    Same("54", "54"),
    Same("55", "55"),
    Same("56", "56"),
    Same("57", "57"),
    Same("58", "58"),
    Same("59", "59"),
    Same("60", "60"),
    Same("61", "61"),
    Same("62", "62"),
    Same("63", "63"),
    Same("64", "64"),
    Same("65", "65"),
    Same("66", "66"),
    Same("67", "67"),
    Same("68", "68"),
    Same("69", "69"),
    Same("70", "70"),
    Same("71", "71"),
    Same("72", "72"),
    Same("73", "73"),
    Same("74", "74"),
    Same("75", "75"),
    Same("76", "76"),
    Same("77", "77"),
    Same("78", "78"),
    Same("79", "79"),

    // 80 to 99
    Same("80", "80"),
    Same("81", "81"),
    Same("82", "82"),
    Same("83", "83"),
    Same("84", "84"),
    Same("85", "85"),
    Same("86", "86"),
    Same("87", "87"),
    Same("88", "88"),
    Same("89", "89"),
    Same("90", "90"),
    Same("91", "91"),
    Same("92", "92"),
    Same("93", "93"),
    Same("94", "94"),
    Same("95", "95"),
    Same("96", "96"),
    Same("97", "97"),
    Same("98", "98"),
    Same("99", "99"),

    // A0 to B9
    Unassigned("A0"),  // not yet built
    Unassigned("A1"),  // not yet built
    Unassigned("A2"),  // not yet built
    Unassigned("A3"),  // not yet built
    Unassigned("A4"),  // not yet built
    Unassigned("A5"),  // not yet built
    Unassigned("A6"),  // not yet built
    Unassigned("A7"),  // not yet built
    Unassigned("A8"),  // not yet built
    Unassigned("A9"),  // not yet built
    Unassigned("B0"),  // not yet built
    Unassigned("B1"),  // not yet built
    Unassigned("B2"),  // not yet built
    Unassigned("B3"),  // not yet built
    Unassigned("B4"),  // not yet built
    Unassigned("B5"),  // not yet built
    Unassigned("B6"),  // not yet built
    Unassigned("B7"),  // not yet built
    Unassigned("B8"),  // not yet built
    Unassigned("B9"),  // not yet built

    // C0 to E4
    Unassigned("C0"),  // not yet built
    Unassigned("C1"),  // not yet built
    Unassigned("C2"),  // not yet built
    Unassigned("C3"),  // not yet built
    Unassigned("C4"),  // not yet built
    Unassigned("C5"),  // not yet built
    Unassigned("C6"),  // not yet built
    Unassigned("C7"),  // not yet built
    Unassigned("C8"),  // not yet built
    Unassigned("C9"),  // not yet built
    Unassigned("D0"),  // not yet built
    Unassigned("D1"),  // not yet built
    Unassigned("D2"),  // not yet built
    Unassigned("D3"),  // not yet built
    Unassigned("D4"),  // not yet built
    Unassigned("D5"),  // not yet built
    Unassigned("D6"),  // not yet built
    Unassigned("D7"),  // not yet built
    Unassigned("D8"),  // not yet built
    Unassigned("D9"),  // not yet built
    Unassigned("E0"),  // not yet built
    Unassigned("E1"),  // not yet built
    Unassigned("E2"),  // not yet built
    Unassigned("E3"),  // not yet built
    Unassigned("E4"),  // not yet built
    Unassigned("E5"),
    Unassigned("E6"),
    Unassigned("E7"),
    Unassigned("E8"),
    Unassigned("E9"),
});

static_assert(kCurrentMethods.size() == kMethodNumberCount);

// Entry n has the code of method number n.
constexpr bool CodesInOrder() {
  for (std::size_t n = 0; n < kCurrentMethods.size(); ++n) {
    const std::string_view code = kCurrentMethods[n].code;
    const std::size_t tens = n / 10;
    const char first = tens < 10 ? static_cast<char>('0' + tens) : static_cast<char>('A' + tens - 10);
    if (code.size() != 2 || code[0] != first || code[1] != static_cast<char>('0' + n % 10)) {
      return false;
    }
  }
  return true;
}
static_assert(CodesInOrder(), "entry n must hold the code of method number n");

}  // namespace

std::string_view CurrentMethodCode(int32_t method_number) {
  if (method_number < 0 || method_number >= kMethodNumberCount) return {};
  return kCurrentMethods[static_cast<std::size_t>(method_number)].code;
}

void RunCurrentMethod(CheckContext& ctx, int32_t method_number) {
  if (method_number < 0 || method_number >= kMethodNumberCount) {
    ctx.last_error = qdTestingMethodUnknown;
    return;
  }
  const CurrentMethod& method = kCurrentMethods[static_cast<std::size_t>(method_number)];
  if (!method.original.empty()) {
    RunCheckMethod(ctx, method.original);
    return;
  }
  if (method.routine == nullptr) {
    ctx.last_error = qdTestingMethodUnknown;
    return;
  }
  try {
    // The routines index tables by digit, as the original ones do.
    for (int digit : ctx.digits) {
      if (digit < 0 || digit > 9) {
        ctx.last_error = qdUnknownError;
        return;
      }
    }
    method.routine(ctx);
  } catch (...) {
    ctx.last_error = qdUnknownError;
  }
}

}  // namespace quandor::methods
