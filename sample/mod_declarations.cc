#include "mod_declarations.h"

namespace modDeclarations {

std::unique_ptr<quandor::Banking> oBanking;
std::unique_ptr<quandor::Creditcard> oCreditcard;

}  // namespace modDeclarations
