// Module data of the sample program, shared by both windows.
#ifndef QUANDOR_SAMPLE_MOD_DECLARATIONS_H_
#define QUANDOR_SAMPLE_MOD_DECLARATIONS_H_

#include <memory>

#include "quandor/banking.h"
#include "quandor/creditcard.h"

namespace modDeclarations {

// Created when the check window loads and released when it unloads; every
// action of both windows uses these two objects, so Strictness and the last
// results carry over from one click to the next.
extern std::unique_ptr<quandor::Banking> oBanking;
extern std::unique_ptr<quandor::Creditcard> oCreditcard;

}  // namespace modDeclarations

#endif  // QUANDOR_SAMPLE_MOD_DECLARATIONS_H_
