// The object machinery of the C interface: class factory, reference counts,
// handle checks and the rule that no call lets an exception or a bad pointer through.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "capi_test_support.h"
#include "quandor/quandor.h"

namespace quandor::capi_test {
namespace {

bool CanUnload() {
  quandor_bool can_unload = 1;  // neither true nor false: must be overwritten
  EXPECT_EQ(quandor_can_unload_now(&can_unload), QUANDOR_OK);
  EXPECT_TRUE(can_unload == QUANDOR_TRUE || can_unload == QUANDOR_FALSE) << can_unload;
  return can_unload == QUANDOR_TRUE;
}

TEST(CapiFactory, CreatesBothClassesByNameWhateverTheCase) {
  for (const char* name :
       {"Quandor.Banking", "Quandor.Creditcard", "quandor.banking", "QUANDOR.CREDITCARD"}) {
    quandor_object* object = nullptr;
    ASSERT_EQ(quandor_create_object(name, &object), QUANDOR_OK) << name;
    EXPECT_NE(object, nullptr);
    EXPECT_EQ(quandor_release(object, nullptr), QUANDOR_OK);
  }
}

TEST(CapiFactory, TheClassOfTheNameAnswers) {
  Object banking("Quandor.Banking");
  Object card("Quandor.Creditcard");
  int32_t strictness = -5;
  EXPECT_EQ(quandor_Banking_get_Strictness(banking.get(), &strictness), QUANDOR_OK);
  EXPECT_EQ(strictness, quandor_qdStrictnessNormal);
  EXPECT_EQ(quandor_Creditcard_get_Strictness(card.get(), &strictness), QUANDOR_OK);
  EXPECT_EQ(strictness, quandor_qdStrictnessLow);
}

TEST(CapiFactory, RefusesUnknownNamesAndNullArguments) {
  for (const char* name :
       {"", "Banking", "Quandor.Bank", "Quandor.Banking ", "Other.Banking", "Quandor"}) {
    quandor_object* object = reinterpret_cast<quandor_object*>(uintptr_t{0x10});
    EXPECT_EQ(quandor_create_object(name, &object), QUANDOR_E_CLASS_NOT_AVAILABLE) << name;
    EXPECT_EQ(object, nullptr);
    EXPECT_NE(LastErrorMessage().find(name), std::string::npos);
  }
  quandor_object* object = nullptr;
  EXPECT_EQ(quandor_create_object(nullptr, &object), QUANDOR_E_INVALID_ARG);
  EXPECT_EQ(quandor_create_object("Quandor.Banking", nullptr), QUANDOR_E_INVALID_ARG);
  EXPECT_TRUE(CanUnload());
}

TEST(CapiReferences, ObjectLivesUntilItsLastRelease) {
  ASSERT_TRUE(CanUnload());
  quandor_object* card = nullptr;
  ASSERT_EQ(quandor_create_object("Quandor.Creditcard", &card), QUANDOR_OK);
  EXPECT_FALSE(CanUnload());

  uint32_t count = 0;
  EXPECT_EQ(quandor_add_ref(card, &count), QUANDOR_OK);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(quandor_add_ref(card, nullptr), QUANDOR_OK);
  EXPECT_EQ(quandor_release(card, &count), QUANDOR_OK);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(quandor_release(card, &count), QUANDOR_OK);
  EXPECT_EQ(count, 1u);

  // Still alive and holding its state.
  EXPECT_EQ(quandor_Creditcard_put_Strictness(card, 9), QUANDOR_OK);
  int32_t strictness = 0;
  EXPECT_EQ(quandor_Creditcard_get_Strictness(card, &strictness), QUANDOR_OK);
  EXPECT_EQ(strictness, 9);
  EXPECT_FALSE(CanUnload());

  EXPECT_EQ(quandor_release(card, &count), QUANDOR_OK);
  EXPECT_EQ(count, 0u);
  EXPECT_TRUE(CanUnload());

  // The handle is dead now: every use is refused, a second release too.
  EXPECT_EQ(quandor_release(card, &count), QUANDOR_E_INVALID_HANDLE);
  EXPECT_EQ(quandor_add_ref(card, &count), QUANDOR_E_INVALID_HANDLE);
  EXPECT_EQ(quandor_Creditcard_get_Strictness(card, &strictness), QUANDOR_E_INVALID_HANDLE);
  EXPECT_TRUE(CanUnload());
}

TEST(CapiReferences, CountsStayExactUnderConcurrentAddAndRelease) {
  quandor_object* banking = nullptr;
  ASSERT_EQ(quandor_create_object("Quandor.Banking", &banking), QUANDOR_OK);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([banking] {
      for (int i = 0; i < 2000; ++i) {
        quandor_add_ref(banking, nullptr);
        int32_t strictness = 0;
        quandor_Banking_get_Strictness(banking, &strictness);
        quandor_release(banking, nullptr);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  uint32_t count = 99;
  // Released on another thread than its creator, as hosts with finalizer threads do.
  std::thread([&] { EXPECT_EQ(quandor_release(banking, &count), QUANDOR_OK); }).join();
  EXPECT_EQ(count, 0u);
  EXPECT_TRUE(CanUnload());
}

TEST(CapiLibrary, NullOutPointersAreArgumentErrors) {
  EXPECT_EQ(quandor_can_unload_now(nullptr), QUANDOR_E_INVALID_ARG);
  EXPECT_EQ(quandor_get_last_error_message(nullptr), QUANDOR_E_INVALID_ARG);
  quandor_free_string(nullptr);
  quandor_free_string_list(nullptr);
}

TEST(CapiLibrary, LastErrorMessageDescribesTheLastCallOfTheThread) {
  quandor_object* object = nullptr;
  EXPECT_EQ(quandor_create_object("Nothing", &object), QUANDOR_E_CLASS_NOT_AVAILABLE);
  std::string message = LastErrorMessage();
  EXPECT_NE(message, "");
  EXPECT_EQ(LastErrorMessage(), message) << "reading the message must not clear it";

  std::thread([] { EXPECT_EQ(LastErrorMessage(), ""); }).join();

  Object card("Quandor.Creditcard");
  EXPECT_EQ(LastErrorMessage(), "") << "a successful call clears it";
}

TEST(CapiLibrary, LongMessagesAreCutAtACharacterBoundary) {
  // "ü" is two bytes; an odd prefix shifts the cut into the middle of one.
  for (std::string prefix : {"", "x"}) {
    std::string name = prefix;
    for (int i = 0; i < 400; ++i) name += "\xC3\xBC";
    quandor_object* object = nullptr;
    ASSERT_EQ(quandor_create_object(name.c_str(), &object), QUANDOR_E_CLASS_NOT_AVAILABLE);
    std::string message = LastErrorMessage();
    EXPECT_GT(message.size(), 400u);
    EXPECT_LT(message.size(), name.size());
    // A message of whole characters ends with a complete "ü".
    ASSERT_GE(message.size(), 2u);
    EXPECT_EQ(message.substr(message.size() - 2), "\xC3\xBC");
  }
}

// ---- Handles checked by every member ------------------------------------------------

// The out parameter a member writes, checked for being cleared on failure.
enum class Out { kNone, kText, kList, kLong, kInteger, kBool, kIbanResult };

struct Member {
  const char* name;
  Out out;
  std::function<quandor_status(quandor_object*)> call;
};

char* gText = nullptr;
char** gList = nullptr;
int32_t gLong = 0;
int16_t gInteger = 0;
quandor_bool gBool = 0;
size_t gCount = 0;
quandor_iban_result gIbanResult{};

// ShowInfo is left out of the calls on live objects: it would open a window.
std::vector<Member> BankingMembers(bool with_show_info) {
  std::vector<Member> members = {
      {"Reset", Out::kNone, [](quandor_object* o) { return quandor_Banking_Reset(o); }},
      {"BankName", Out::kText,
       [](quandor_object* o) { return quandor_Banking_get_BankName(o, &gText); }},
      {"BankCity", Out::kText,
       [](quandor_object* o) { return quandor_Banking_get_BankCity(o, &gText); }},
      {"AccountNumber", Out::kText,
       [](quandor_object* o) { return quandor_Banking_get_AccountNumber(o, &gText); }},
      {"BankNumber", Out::kText,
       [](quandor_object* o) { return quandor_Banking_get_BankNumber(o, &gText); }},
      {"BankComplete", Out::kText,
       [](quandor_object* o) { return quandor_Banking_get_BankComplete(o, &gText); }},
      {"LastError", Out::kLong,
       [](quandor_object* o) { return quandor_Banking_get_LastError(o, &gLong); }},
      {"Validated", Out::kBool,
       [](quandor_object* o) { return quandor_Banking_get_Validated(o, &gBool); }},
      {"UsedTestingMethod", Out::kInteger,
       [](quandor_object* o) { return quandor_Banking_get_UsedTestingMethod(o, &gInteger); }},
      {"put_Strictness", Out::kNone,
       [](quandor_object* o) { return quandor_Banking_put_Strictness(o, 2); }},
      {"get_Strictness", Out::kLong,
       [](quandor_object* o) { return quandor_Banking_get_Strictness(o, &gLong); }},
      {"Version", Out::kText,
       [](quandor_object* o) { return quandor_Banking_get_Version(o, &gText); }},
      {"CopyrightNotice", Out::kText,
       [](quandor_object* o) { return quandor_Banking_get_CopyrightNotice(o, &gText); }},
      {"LastErrorString", Out::kText,
       [](quandor_object* o) { return quandor_Banking_get_LastErrorString(o, &gText); }},
      {"Validate", Out::kBool,
       [](quandor_object* o) { return quandor_Banking_Validate(o, "1", "2", &gBool); }},
      {"SearchBankByText", Out::kBool,
       [](quandor_object* o) { return quandor_Banking_SearchBankByText(o, "x", 0, &gBool); }},
      {"IsBankFound", Out::kBool,
       [](quandor_object* o) { return quandor_Banking_get_IsBankFound(o, &gBool); }},
      {"FirstFoundBank", Out::kBool,
       [](quandor_object* o) { return quandor_Banking_FirstFoundBank(o, &gBool); }},
      {"NextFoundBank", Out::kBool,
       [](quandor_object* o) { return quandor_Banking_NextFoundBank(o, &gBool); }},
      {"AmountFoundBanks", Out::kLong,
       [](quandor_object* o) { return quandor_Banking_get_AmountFoundBanks(o, &gLong); }},
      {"searchBank", Out::kBool,
       [](quandor_object* o) { return quandor_Banking_searchBank(o, "1", &gBool); }},
      {"SearchBankInfo", Out::kList,
       [](quandor_object* o) { return quandor_Banking_SearchBankInfo(o, "1", &gList, &gCount); }},
      {"put_Rules", Out::kNone, [](quandor_object* o) { return quandor_Banking_put_Rules(o, 1); }},
      {"get_Rules", Out::kLong,
       [](quandor_object* o) { return quandor_Banking_get_Rules(o, &gLong); }},
      {"BankPostcode", Out::kText,
       [](quandor_object* o) { return quandor_Banking_get_BankPostcode(o, &gText); }},
      {"BankBIC", Out::kText,
       [](quandor_object* o) { return quandor_Banking_get_BankBIC(o, &gText); }},
      {"iban_validate", Out::kIbanResult,
       [](quandor_object* o) { return quandor_iban_validate(o, "DE", &gIbanResult); }},
  };
  if (with_show_info) {
    members.push_back(
        {"ShowInfo", Out::kNone, [](quandor_object* o) { return quandor_Banking_ShowInfo(o); }});
  }
  return members;
}

std::vector<Member> CreditcardMembers(bool with_show_info) {
  std::vector<Member> members = {
      {"Reset", Out::kNone, [](quandor_object* o) { return quandor_Creditcard_Reset(o); }},
      {"CompanyName", Out::kText,
       [](quandor_object* o) { return quandor_Creditcard_get_CompanyName(o, &gText); }},
      {"CardNumber", Out::kText,
       [](quandor_object* o) { return quandor_Creditcard_get_CardNumber(o, &gText); }},
      {"CompanyNumber", Out::kLong,
       [](quandor_object* o) { return quandor_Creditcard_get_CompanyNumber(o, &gLong); }},
      {"LastError", Out::kLong,
       [](quandor_object* o) { return quandor_Creditcard_get_LastError(o, &gLong); }},
      {"Validated", Out::kBool,
       [](quandor_object* o) { return quandor_Creditcard_get_Validated(o, &gBool); }},
      {"put_Strictness", Out::kNone,
       [](quandor_object* o) { return quandor_Creditcard_put_Strictness(o, 2); }},
      {"get_Strictness", Out::kLong,
       [](quandor_object* o) { return quandor_Creditcard_get_Strictness(o, &gLong); }},
      {"Version", Out::kText,
       [](quandor_object* o) { return quandor_Creditcard_get_Version(o, &gText); }},
      {"CopyrightNotice", Out::kText,
       [](quandor_object* o) { return quandor_Creditcard_get_CopyrightNotice(o, &gText); }},
      {"LastErrorString", Out::kText,
       [](quandor_object* o) { return quandor_Creditcard_get_LastErrorString(o, &gText); }},
      {"Validate", Out::kBool,
       [](quandor_object* o) { return quandor_Creditcard_Validate(o, 0, "4", &gBool); }},
      {"put_Rules", Out::kNone,
       [](quandor_object* o) { return quandor_Creditcard_put_Rules(o, 1); }},
      {"get_Rules", Out::kLong,
       [](quandor_object* o) { return quandor_Creditcard_get_Rules(o, &gLong); }},
  };
  if (with_show_info) {
    members.push_back(
        {"ShowInfo", Out::kNone, [](quandor_object* o) { return quandor_Creditcard_ShowInfo(o); }});
  }
  return members;
}

// Failed calls leave their out parameters at "nothing", never at stale values.
void PoisonOuts() {
  static char poison[] = "stale";
  static char* poison_list[] = {poison, nullptr};
  gText = poison;
  gList = poison_list;
  gLong = 77;
  gInteger = 77;
  gBool = 77;
  gCount = 77;
  gIbanResult = {77, 77, 77, poison, poison, poison};
}

void ExpectOutCleared(const Member& member) {
  switch (member.out) {
    case Out::kNone:
      break;
    case Out::kText:
      EXPECT_EQ(gText, nullptr) << member.name;
      break;
    case Out::kList:
      EXPECT_EQ(gList, nullptr) << member.name;
      EXPECT_EQ(gCount, 0u) << member.name;
      break;
    case Out::kLong:
      EXPECT_EQ(gLong, 0) << member.name;
      break;
    case Out::kInteger:
      EXPECT_EQ(gInteger, 0) << member.name;
      break;
    case Out::kBool:
      EXPECT_EQ(gBool, 0) << member.name;
      break;
    case Out::kIbanResult:
      EXPECT_EQ(gIbanResult.iban_error, 0) << member.name;
      EXPECT_EQ(gIbanResult.valid, 0) << member.name;
      EXPECT_EQ(gIbanResult.iban, nullptr) << member.name;
      break;
  }
}

void ExpectRefused(const std::vector<Member>& members, quandor_object* handle,
                   quandor_status expected, const char* what) {
  for (const Member& member : members) {
    PoisonOuts();
    EXPECT_EQ(member.call(handle), expected) << member.name << " with " << what;
    ExpectOutCleared(member);
    EXPECT_NE(LastErrorMessage(), "") << member.name;
  }
}

TEST(CapiHandles, NullStaleAndForeignHandlesAreRefusedByEveryMember) {
  quandor_object* released = nullptr;
  ASSERT_EQ(quandor_create_object("Quandor.Banking", &released), QUANDOR_OK);
  ASSERT_EQ(quandor_release(released, nullptr), QUANDOR_OK);
  int not_an_object = 0;
  auto* foreign = reinterpret_cast<quandor_object*>(&not_an_object);

  for (const auto& members : {BankingMembers(true), CreditcardMembers(true)}) {
    ExpectRefused(members, nullptr, QUANDOR_E_INVALID_HANDLE, "null");
    ExpectRefused(members, released, QUANDOR_E_INVALID_HANDLE, "released");
    ExpectRefused(members, foreign, QUANDOR_E_INVALID_HANDLE, "foreign");
  }
  EXPECT_EQ(not_an_object, 0);
}

// The allocator and the handle table hand out the memory and the slot of a
// released object again at once; its handle must stay dead all the same, on
// any number of threads making and checking handles at the same time.
TEST(CapiHandles, AReleasedHandleNeverReachesALaterObject) {
  std::atomic<int> reached{0};
  auto stale_call_reaches = [](quandor_object* stale) {
    int32_t strictness = 0;
    return quandor_Creditcard_put_Strictness(stale, quandor_qdStrictnessRestrictive) !=
               QUANDOR_E_INVALID_HANDLE ||
           quandor_Creditcard_get_Strictness(stale, &strictness) != QUANDOR_E_INVALID_HANDLE ||
           quandor_add_ref(stale, nullptr) != QUANDOR_E_INVALID_HANDLE;
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      quandor_object* first_released = nullptr;
      for (int i = 0; i < 500; ++i) {
        quandor_object* released = nullptr;
        quandor_object* later = nullptr;
        if (quandor_create_object("Quandor.Creditcard", &released) != QUANDOR_OK ||
            quandor_release(released, nullptr) != QUANDOR_OK ||
            quandor_create_object("Quandor.Creditcard", &later) != QUANDOR_OK) {
          ++reached;
          return;
        }
        if (first_released == nullptr) first_released = released;
        if (stale_call_reaches(released) || stale_call_reaches(first_released)) ++reached;
        int32_t strictness = -1;
        quandor_Creditcard_get_Strictness(later, &strictness);
        if (strictness != quandor_qdStrictnessLow) ++reached;
        quandor_release(later, nullptr);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(reached.load(), 0);
}

TEST(CapiHandles, AHandleOfTheOtherClassIsRefused) {
  Object banking("Quandor.Banking");
  Object card("Quandor.Creditcard");
  ExpectRefused(BankingMembers(true), card.get(), QUANDOR_E_WRONG_CLASS, "a Creditcard");
  ExpectRefused(CreditcardMembers(true), banking.get(), QUANDOR_E_WRONG_CLASS, "a Banking");
}

TEST(CapiHandles, EveryMemberAnswersOnItsOwnClass) {
  Object banking("Quandor.Banking");
  Object card("Quandor.Creditcard");
  for (const auto& [object, members] : {std::pair{banking.get(), BankingMembers(false)},
                                        std::pair{card.get(), CreditcardMembers(false)}}) {
    for (const Member& member : members) {
      gText = nullptr;
      gList = nullptr;
      gIbanResult = {};
      EXPECT_EQ(member.call(object), QUANDOR_OK) << member.name;
      quandor_free_string(gText);
      quandor_free_string_list(gList);
      quandor_free_iban_result(&gIbanResult);
    }
  }
}

TEST(CapiArguments, NullTextsAndOutPointersAreRefused) {
  Object banking("Quandor.Banking");
  Object card("Quandor.Creditcard");
  quandor_object* b = banking.get();
  quandor_bool result = 77;
  const std::vector<std::pair<const char*, std::function<quandor_status()>>> calls = {
      {"Validate sBLZ", [&] { return quandor_Banking_Validate(b, nullptr, "1", &result); }},
      {"Validate sKontoNr", [&] { return quandor_Banking_Validate(b, "1", nullptr, &result); }},
      {"Validate result", [&] { return quandor_Banking_Validate(b, "1", "1", nullptr); }},
      {"SearchBankByText sTest",
       [&] { return quandor_Banking_SearchBankByText(b, nullptr, 0, &result); }},
      {"searchBank sBLZ", [&] { return quandor_Banking_searchBank(b, nullptr, &result); }},
      {"SearchBankInfo sBLZ",
       [&] { return quandor_Banking_SearchBankInfo(b, nullptr, &gList, nullptr); }},
      {"SearchBankInfo fields",
       [&] { return quandor_Banking_SearchBankInfo(b, "12030000", nullptr, &gCount); }},
      {"BankName", [&] { return quandor_Banking_get_BankName(b, nullptr); }},
      {"LastError", [&] { return quandor_Banking_get_LastError(b, nullptr); }},
      {"UsedTestingMethod", [&] { return quandor_Banking_get_UsedTestingMethod(b, nullptr); }},
      {"Creditcard Validate sCardNr",
       [&] { return quandor_Creditcard_Validate(card.get(), 0, nullptr, &result); }},
      {"Creditcard CardNumber",
       [&] { return quandor_Creditcard_get_CardNumber(card.get(), nullptr); }},
  };
  for (const auto& [name, call] : calls) {
    EXPECT_EQ(call(), QUANDOR_E_INVALID_ARG) << name;
  }
  // Refused calls did nothing: the object was never asked to validate.
  quandor_bool validated = 77;
  EXPECT_EQ(quandor_Banking_get_Validated(b, &validated), QUANDOR_OK);
  EXPECT_EQ(validated, QUANDOR_FALSE);
}

}  // namespace
}  // namespace quandor::capi_test
