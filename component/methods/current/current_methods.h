// The routines of today's methods that differ from the original ones, named
// by the Bundesbank's code. Each answers with a CheckResult, as the special
// methods do (special_methods.h), and never throws.
#ifndef QUANDOR_METHODS_CURRENT_CURRENT_METHODS_H_
#define QUANDOR_METHODS_CURRENT_CURRENT_METHODS_H_

#include "methods/check_context.h"
#include "methods/check_result.h"

namespace quandor::methods::current {

// 00 to 49
CheckResult Method08(CheckContext& ctx);  // method 00 from account number 60 000 on
CheckResult Method25(CheckContext& ctx);  // remainder 1 needs check digit 0
CheckResult Method26(CheckContext& ctx);  // check digit in position 8, short numbers shifted
CheckResult Method35(CheckContext& ctx);  // the remainder itself is the check digit
CheckResult Method45(CheckContext& ctx);  // no check digit also for numbers beginning 48

// 50 to 79
CheckResult Method50(CheckContext& ctx);
CheckResult Method51(CheckContext& ctx);
CheckResult Method52(CheckContext& ctx);
CheckResult Method53(CheckContext& ctx);
CheckResult Method57(CheckContext& ctx);
CheckResult Method58(CheckContext& ctx);
CheckResult Method63(CheckContext& ctx);
CheckResult Method66(CheckContext& ctx);
CheckResult Method68(CheckContext& ctx);
CheckResult Method73(CheckContext& ctx);
CheckResult Method74(CheckContext& ctx);
CheckResult Method75(CheckContext& ctx);
CheckResult Method76(CheckContext& ctx);
CheckResult Method78(CheckContext& ctx);
CheckResult Method79(CheckContext& ctx);

// 80 to 99
// Customer accounts by a chain of variants, ledger accounts (a 9 in the third
// place) by a rule of their own: ledger_accounts_80_90.cc.
CheckResult Method80(CheckContext& ctx);
CheckResult Method81(CheckContext& ctx);
CheckResult Method83(CheckContext& ctx);
CheckResult Method84(CheckContext& ctx);
CheckResult Method86(CheckContext& ctx);
CheckResult Method87(CheckContext& ctx);
CheckResult Method90(CheckContext& ctx);
// What is checked depends on the length, the shape or the range of the
// number: shapes_89_99.cc.
CheckResult Method89(CheckContext& ctx);
CheckResult Method91(CheckContext& ctx);
CheckResult Method93(CheckContext& ctx);
CheckResult Method95(CheckContext& ctx);
CheckResult Method99(CheckContext& ctx);

// A0 to B9
CheckResult MethodA0(CheckContext& ctx);
CheckResult MethodA1(CheckContext& ctx);
CheckResult MethodA2(CheckContext& ctx);
CheckResult MethodA3(CheckContext& ctx);
CheckResult MethodA4(CheckContext& ctx);
CheckResult MethodA5(CheckContext& ctx);
CheckResult MethodA6(CheckContext& ctx);
CheckResult MethodA7(CheckContext& ctx);
CheckResult MethodA8(CheckContext& ctx);
CheckResult MethodA9(CheckContext& ctx);
CheckResult MethodB0(CheckContext& ctx);
CheckResult MethodB1(CheckContext& ctx);
CheckResult MethodB2(CheckContext& ctx);
CheckResult MethodB3(CheckContext& ctx);
CheckResult MethodB4(CheckContext& ctx);
CheckResult MethodB5(CheckContext& ctx);
CheckResult MethodB6(CheckContext& ctx);
CheckResult MethodB7(CheckContext& ctx);
CheckResult MethodB8(CheckContext& ctx);
CheckResult MethodB9(CheckContext& ctx);

// C0 to E4
CheckResult MethodC0(CheckContext& ctx);
CheckResult MethodC1(CheckContext& ctx);
CheckResult MethodC2(CheckContext& ctx);
CheckResult MethodC3(CheckContext& ctx);
CheckResult MethodC4(CheckContext& ctx);
CheckResult MethodC5(CheckContext& ctx);
CheckResult MethodC6(CheckContext& ctx);
CheckResult MethodC7(CheckContext& ctx);
CheckResult MethodC8(CheckContext& ctx);
CheckResult MethodC9(CheckContext& ctx);
CheckResult MethodD0(CheckContext& ctx);
CheckResult MethodD1(CheckContext& ctx);
CheckResult MethodD2(CheckContext& ctx);
CheckResult MethodD3(CheckContext& ctx);
CheckResult MethodD4(CheckContext& ctx);
CheckResult MethodD5(CheckContext& ctx);
CheckResult MethodD6(CheckContext& ctx);
CheckResult MethodD7(CheckContext& ctx);
CheckResult MethodD8(CheckContext& ctx);
CheckResult MethodD9(CheckContext& ctx);
CheckResult MethodE0(CheckContext& ctx);
CheckResult MethodE1(CheckContext& ctx);
CheckResult MethodE2(CheckContext& ctx);
CheckResult MethodE3(CheckContext& ctx);
CheckResult MethodE4(CheckContext& ctx);

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_CURRENT_METHODS_H_
