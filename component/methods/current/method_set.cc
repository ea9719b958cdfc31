// Today's method set: one entry for every code 00 to E9, in order, saying
// how the code is checked today. Find a method by its code here, then follow
// the entry: to the original engine (the code's meaning has not changed),
// to a routine of today's (current_methods.h), or to nothing.
#include "methods/current/method_set.h"

#include <array>
#include <cstddef>

#include "methods/current/current_methods.h"
#include "methods/runner.h"
#include "quandor/errors.h"

namespace quandor::methods {
namespace {

constexpr int32_t kNoOriginal = -1;

struct MethodEntry {
  std::string_view code;  // the Bundesbank's code, "00" to "E9"
  int32_t original;       // the number of the original method it equals, or kNoOriginal
  Routine routine;        // today's own routine, or nullptr
};

// The original method of this code has not changed: it runs as it always has.
constexpr MethodEntry Same(std::string_view code, int32_t original) {
  return {code, original, nullptr};
}

// Today's method differs from the original one, or is new.
constexpr MethodEntry Own(std::string_view code, Routine routine) {
  return {code, kNoOriginal, routine};
}

// No method today ("frei" in the Bundesbank's list, or beyond E4).
constexpr MethodEntry Unassigned(std::string_view code) { return {code, kNoOriginal, nullptr}; }

// The routines are named by their codes (MethodC2): the table reads best
// without the namespace in every entry.
using namespace current;  // NOLINT(google-build-using-namespace)

constexpr auto kCurrentMethods = std::to_array<MethodEntry>({
    // 00 to 49
    Same("00", 0),
    Same("01", 1),
    Same("02", 2),
    Same("03", 3),
    Same("04", 4),
    Same("05", 5),
    Same("06", 6),
    Same("07", 7),
    Own("08", Method08),
    Same("09", 9),
    Same("10", 10),
    Same("11", 11),
    Unassigned("12"),  // "frei"
    Same("13", 13),
    Same("14", 14),
    Same("15", 15),
    Same("16", 16),
    Same("17", 17),
    Same("18", 18),
    Same("19", 19),
    Same("20", 20),
    Same("21", 21),
    Same("22", 22),
    Same("23", 23),
    Same("24", 24),
    Own("25", Method25),
    Own("26", Method26),
    Same("27", 27),
    Same("28", 28),
    Same("29", 29),
    Same("30", 30),
    Same("31", 7),  // 7's 11 minus the remainder of weights 10..2 is the remainder of 1..9
    Same("32", 32),
    Same("33", 33),
    Same("34", 34),
    Own("35", Method35),
    Same("36", 36),
    Same("37", 37),
    Same("38", 38),
    Same("39", 39),
    Same("40", 40),
    Same("41", 41),
    Same("42", 42),
    Same("43", 43),
    Same("44", 44),
    Own("45", Method45),
    Same("46", 46),
    Same("47", 47),
    Same("48", 48),
    Same("49", 49),

    // 50 to 79
    Own("50", Method50),
    Own("51", Method51),
    Own("52", Method52),
    Own("53", Method53),
    Same("54", 54),
    Same("55", 55),
    Same("56", 56),
    Own("57", Method57),
    Own("58", Method58),
    Same("59", 59),
    Same("60", 60),
    Same("61", 61),
    Same("62", 62),
    Own("63", Method63),
    Same("64", 64),
    Same("65", 65),
    Own("66", Method66),
    Same("67", 67),
    Own("68", Method68),
    Same("69", 69),
    Same("70", 70),
    Same("71", 71),
    Same("72", 72),
    Own("73", Method73),
    Own("74", Method74),
    Own("75", Method75),
    Own("76", Method76),
    Same("77", 77),
    Own("78", Method78),
    Own("79", Method79),

    // 80 to 99
    Own("80", Method80),
    Own("81", Method81),
    Same("82", 82),
    Own("83", Method83),
    Own("84", Method84),
    Same("85", 85),
    Own("86", Method86),
    Own("87", Method87),
    Same("88", 88),
    Own("89", Method89),
    Own("90", Method90),
    Own("91", Method91),
    Same("92", 92),
    Own("93", Method93),
    Same("94", 94),
    Own("95", Method95),
    Same("96", 96),
    Same("97", 97),
    Same("98", 98),
    Own("99", Method99),

    // A0 to B9
    Own("A0", MethodA0),
    Own("A1", MethodA1),
    Own("A2", MethodA2),
    Own("A3", MethodA3),
    Own("A4", MethodA4),
    Own("A5", MethodA5),
    Own("A6", MethodA6),
    Own("A7", MethodA7),
    Own("A8", MethodA8),
    Own("A9", MethodA9),
    Own("B0", MethodB0),
    Own("B1", MethodB1),
    Own("B2", MethodB2),
    Own("B3", MethodB3),
    Own("B4", MethodB4),
    Own("B5", MethodB5),
    Own("B6", MethodB6),
    Own("B7", MethodB7),
    Own("B8", MethodB8),
    Own("B9", MethodB9),

    // C0 to E4
    Own("C0", MethodC0),
    Own("C1", MethodC1),
    Own("C2", MethodC2),
    Own("C3", MethodC3),
    Own("C4", MethodC4),
    Own("C5", MethodC5),
    Own("C6", MethodC6),
    Own("C7", MethodC7),
    Own("C8", MethodC8),
    Own("C9", MethodC9),
    Own("D0", MethodD0),
    Own("D1", MethodD1),
    Own("D2", MethodD2),
    Own("D3", MethodD3),
    Own("D4", MethodD4),
    Own("D5", MethodD5),
    Own("D6", MethodD6),
    Own("D7", MethodD7),
    Own("D8", MethodD8),
    Own("D9", MethodD9),
    Own("E0", MethodE0),
    Own("E1", MethodE1),
    Own("E2", MethodE2),
    Own("E3", MethodE3),
    Own("E4", MethodE4),
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
    const char first =
        tens < 10 ? static_cast<char>('0' + tens) : static_cast<char>('A' + tens - 10);
    if (code.size() != 2 || code[0] != first || code[1] != static_cast<char>('0' + n % 10)) {
      return false;
    }
  }
  return true;
}
static_assert(CodesInOrder(), "entry n must hold the code of method number n");

// The original engine finds methods 0 to 99 by number without any text.
constexpr bool OriginalsAreMethodNumbers() {
  for (const MethodEntry& method : kCurrentMethods) {
    if (method.original != kNoOriginal && (method.original < 0 || method.original > 99)) {
      return false;
    }
  }
  return true;
}
static_assert(OriginalsAreMethodNumbers(), "an original method is a number 0 to 99");

// The entry of a method number, or nullptr outside 0..149.
const MethodEntry* Find(int32_t method_number) {
  if (method_number < 0 || method_number >= kMethodNumberCount) return nullptr;
  return &kCurrentMethods[static_cast<std::size_t>(method_number)];
}

}  // namespace

std::string_view CurrentMethodCode(int32_t method_number) {
  const MethodEntry* method = Find(method_number);
  return method != nullptr ? method->code : std::string_view();
}

int32_t RunCurrentMethod(CheckContext& ctx, int32_t method_number) {
  const MethodEntry* method = Find(method_number);
  if (method == nullptr) return qdTestingMethodUnknown;
  if (method->original != kNoOriginal) return RunCheckMethod(ctx, method->original);
  if (method->routine == nullptr) return qdTestingMethodUnknown;
  return RunCheck(ctx, method->routine);
}

CheckResult CurrentMethod(CheckContext& ctx, int32_t method_number) {
  const MethodEntry* method = Find(method_number);
  if (method == nullptr) return CheckResult::CannotCheck();
  if (method->original != kNoOriginal) return OriginalMethod(ctx, method->original);
  if (method->routine == nullptr) return CheckResult::CannotCheck();
  return method->routine(ctx);
}

}  // namespace quandor::methods
