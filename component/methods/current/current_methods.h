// The routines of today's methods that differ from the original ones, named
// by the Bundesbank's code. Each reports only through ctx.last_error, as the
// special methods do (special_methods.h): left alone to accept,
// qdWrongCheckDigit to reject, qdUnknownError on a failure; the returned
// value is the computed check digit, or -1 when the routine rejected.
#ifndef QUANDOR_METHODS_CURRENT_CURRENT_METHODS_H_
#define QUANDOR_METHODS_CURRENT_CURRENT_METHODS_H_

#include "methods/check_context.h"

namespace quandor::methods::current {

// 00 to 49
int Method08(CheckContext& ctx);  // method 00 from account number 60 000 on
int Method25(CheckContext& ctx);  // remainder 1 needs check digit 0
int Method26(CheckContext& ctx);  // check digit in position 8, short numbers shifted
int Method35(CheckContext& ctx);  // the remainder itself is the check digit
int Method45(CheckContext& ctx);  // no check digit also for numbers beginning 48

// 50 to 79
int Method50(CheckContext& ctx);
int Method51(CheckContext& ctx);
int Method52(CheckContext& ctx);
int Method53(CheckContext& ctx);
int Method57(CheckContext& ctx);
int Method58(CheckContext& ctx);
int Method63(CheckContext& ctx);
int Method66(CheckContext& ctx);
int Method68(CheckContext& ctx);
int Method73(CheckContext& ctx);
int Method74(CheckContext& ctx);
int Method75(CheckContext& ctx);
int Method76(CheckContext& ctx);
int Method78(CheckContext& ctx);
int Method79(CheckContext& ctx);

// 80 to 99
// Customer accounts by a chain of variants, ledger accounts (a 9 in the third
// place) by a rule of their own: ledger_accounts_80_90.cc.
int Method80(CheckContext& ctx);
int Method81(CheckContext& ctx);
int Method83(CheckContext& ctx);
int Method84(CheckContext& ctx);
int Method86(CheckContext& ctx);
int Method87(CheckContext& ctx);
int Method90(CheckContext& ctx);
// What is checked depends on the length, the shape or the range of the
// number: shapes_89_99.cc.
int Method89(CheckContext& ctx);
int Method91(CheckContext& ctx);
int Method93(CheckContext& ctx);
int Method95(CheckContext& ctx);
int Method99(CheckContext& ctx);

// A0 to B9
int MethodA0(CheckContext& ctx);
int MethodA1(CheckContext& ctx);
int MethodA2(CheckContext& ctx);
int MethodA3(CheckContext& ctx);
int MethodA4(CheckContext& ctx);
int MethodA5(CheckContext& ctx);
int MethodA6(CheckContext& ctx);
int MethodA7(CheckContext& ctx);
int MethodA8(CheckContext& ctx);
int MethodA9(CheckContext& ctx);
int MethodB0(CheckContext& ctx);
int MethodB1(CheckContext& ctx);
int MethodB2(CheckContext& ctx);
int MethodB3(CheckContext& ctx);
int MethodB4(CheckContext& ctx);
int MethodB5(CheckContext& ctx);
int MethodB6(CheckContext& ctx);
int MethodB7(CheckContext& ctx);
int MethodB8(CheckContext& ctx);
int MethodB9(CheckContext& ctx);

// C0 to E4
int MethodC0(CheckContext& ctx);
int MethodC1(CheckContext& ctx);
int MethodC2(CheckContext& ctx);
int MethodC3(CheckContext& ctx);
int MethodC4(CheckContext& ctx);
int MethodC5(CheckContext& ctx);
int MethodC6(CheckContext& ctx);
int MethodC7(CheckContext& ctx);
int MethodC8(CheckContext& ctx);
int MethodC9(CheckContext& ctx);
int MethodD0(CheckContext& ctx);
int MethodD1(CheckContext& ctx);
int MethodD2(CheckContext& ctx);
int MethodD3(CheckContext& ctx);
int MethodD4(CheckContext& ctx);
int MethodD5(CheckContext& ctx);
int MethodD6(CheckContext& ctx);
int MethodD7(CheckContext& ctx);
int MethodD8(CheckContext& ctx);
int MethodD9(CheckContext& ctx);
int MethodE0(CheckContext& ctx);
int MethodE1(CheckContext& ctx);
int MethodE2(CheckContext& ctx);
int MethodE3(CheckContext& ctx);
int MethodE4(CheckContext& ctx);

}  // namespace quandor::methods::current

#endif  // QUANDOR_METHODS_CURRENT_CURRENT_METHODS_H_
