// The C interface (quandor/quandor.h) over the C++ classes.
//
// Every entry point is noexcept and funnels its work through Guarded(), which
// turns any C++ exception into a status and the thread's last-error message:
// an exception that crossed into a C or Python host would end the process.
// Handles are checked against a registry of live objects before they are
// touched, so a host's stale or foreign pointer is an error, not a crash.
#include "quandor/quandor.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <initializer_list>
#include <mutex>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_set>
#include <variant>
#include <vector>

#include "quandor/banking.h"
#include "quandor/creditcard.h"
#include "quandor/errors.h"

// The C enumerations repeat the C++ ones for hosts that cannot read C++.
namespace {
constexpr bool SameValue(int32_t c_value, int32_t cpp_value) { return c_value == cpp_value; }
}  // namespace
static_assert(SameValue(quandor_qdNoValidation, quandor::qdNoValidation));
static_assert(SameValue(quandor_qdNoError, quandor::qdNoError));
static_assert(SameValue(quandor_qdWrongCheckDigit, quandor::qdWrongCheckDigit));
static_assert(SameValue(quandor_qdBankNumberMissing, quandor::qdBankNumberMissing));
static_assert(SameValue(quandor_qdAccountNumberMissing, quandor::qdAccountNumberMissing));
static_assert(SameValue(quandor_qdBankNumberWrongDigits, quandor::qdBankNumberWrongDigits));
static_assert(SameValue(quandor_qdAccountNumberWrongDigits, quandor::qdAccountNumberWrongDigits));
static_assert(SameValue(quandor_qdBankNumberUnknown, quandor::qdBankNumberUnknown));
static_assert(SameValue(quandor_qdTestingMethodUnknown, quandor::qdTestingMethodUnknown));
static_assert(SameValue(quandor_qdBankNumberFileMissing, quandor::qdBankNumberFileMissing));
static_assert(SameValue(quandor_qdAccountNumberIncorrectly, quandor::qdAccountNumberIncorrectly));
static_assert(SameValue(quandor_qdBankNumberIncorrectly, quandor::qdBankNumberIncorrectly));
static_assert(SameValue(quandor_qdCardWrongCheckDigit, quandor::qdCardWrongCheckDigit));
static_assert(SameValue(quandor_qdCardCompanyMissing, quandor::qdCardCompanyMissing));
static_assert(SameValue(quandor_qdCardNumberMissing, quandor::qdCardNumberMissing));
static_assert(SameValue(quandor_qdCompanyNumberUnknown, quandor::qdCompanyNumberUnknown));
static_assert(SameValue(quandor_qdCardNumberIncorrectly, quandor::qdCardNumberIncorrectly));
static_assert(SameValue(quandor_qdNoBankFound, quandor::qdNoBankFound));
static_assert(SameValue(quandor_qdUnknownError, quandor::qdUnknownError));
static_assert(SameValue(quandor_qdStrictnessLow, quandor::qdStrictnessLow));
static_assert(SameValue(quandor_qdStrictnessNormal, quandor::qdStrictnessNormal));
static_assert(SameValue(quandor_qdStrictnessStrict, quandor::qdStrictnessStrict));
static_assert(SameValue(quandor_qdStrictnessRestrictive, quandor::qdStrictnessRestrictive));
static_assert(SameValue(quandor_qdSearchAll, quandor::qdSearchAll));
static_assert(SameValue(quandor_qdSearchBLZ, quandor::qdSearchBLZ));
static_assert(SameValue(quandor_qdSearchName, quandor::qdSearchName));
static_assert(SameValue(quandor_qdSearchCity, quandor::qdSearchCity));
static_assert(SameValue(quandor_ccVisa, quandor::ccVisa));
static_assert(SameValue(quandor_ccMasterCard, quandor::ccMasterCard));
static_assert(SameValue(quandor_ccEuroCard, quandor::ccEuroCard));
static_assert(SameValue(quandor_ccAmericanExpress, quandor::ccAmericanExpress));
static_assert(SameValue(quandor_ccDinersClub, quandor::ccDinersClub));
static_assert(SameValue(quandor_ccDiscover, quandor::ccDiscover));

struct quandor_object {
  template <class Class>
  explicit quandor_object(std::in_place_type_t<Class> type) : impl(type) {}

  uint32_t references = 1;  // guarded by the registry's mutex
  std::variant<quandor::Banking, quandor::Creditcard> impl;
};

namespace {

using quandor::Banking;
using quandor::Creditcard;

// ---- Last-error message of the thread ---------------------------------------

// A fixed buffer, so that recording a failure cannot itself fail for lack of memory.
thread_local char tLastErrorMessage[512] = "";

quandor_status Fail(quandor_status status, std::string_view message) noexcept {
  std::size_t length = std::min(message.size(), sizeof tLastErrorMessage - 1);
  // Never cut a UTF-8 sequence in two: back off over continuation bytes.
  if (length < message.size()) {
    while (length > 0 && (static_cast<unsigned char>(message[length]) & 0xC0) == 0x80) --length;
  }
  std::memcpy(tLastErrorMessage, message.data(), length);
  tLastErrorMessage[length] = '\0';
  return status;
}

quandor_status Succeed() noexcept {
  tLastErrorMessage[0] = '\0';
  return QUANDOR_OK;
}

// Runs work and turns whatever it throws into a status with a message.
template <class Work>
quandor_status Guarded(Work&& work) noexcept {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return Fail(QUANDOR_E_OUT_OF_MEMORY, "out of memory");
  } catch (const std::exception& e) {
    // MalformedRecordError and anything else the members raise.
    return Fail(QUANDOR_E_EXCEPTION, e.what());
  } catch (...) {
    return Fail(QUANDOR_E_EXCEPTION, "unknown exception");
  }
}

// ---- Live objects -------------------------------------------------------------

std::atomic<std::size_t> gLiveObjects{0};

// Never destroyed: hosts may release objects while the process exits.
std::mutex& RegistryMutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}
std::unordered_set<const quandor_object*>& Registry() {
  static auto* registry = new std::unordered_set<const quandor_object*>;
  return *registry;
}

// Adds a reference to a live object. False for any handle that names none.
// Throws when the count is at its maximum.
bool AddReference(quandor_object* object, uint32_t* new_count) {
  std::lock_guard lock(RegistryMutex());
  if (object == nullptr || !Registry().contains(object)) return false;
  // A wrapped count would destroy the object while references are still out.
  if (object->references == UINT32_MAX) throw std::overflow_error("too many references");
  ++object->references;
  if (new_count != nullptr) *new_count = object->references;
  return true;
}

// Drops a reference and destroys the object with the last one.
bool DropReference(quandor_object* object, uint32_t* new_count) {
  uint32_t remaining = 0;
  {
    std::lock_guard lock(RegistryMutex());
    if (object == nullptr || !Registry().contains(object)) return false;
    remaining = --object->references;
    if (remaining == 0) Registry().erase(object);
  }
  if (new_count != nullptr) *new_count = remaining;
  if (remaining == 0) {
    delete object;
    gLiveObjects.fetch_sub(1);
  }
  return true;
}

// Holds a reference for the length of a call, so that a release from another
// thread cannot destroy the object under it.
class Pin {
 public:
  explicit Pin(quandor_object* object)
      : object_(AddReference(object, nullptr) ? object : nullptr) {}
  ~Pin() {
    if (object_ != nullptr) DropReference(object_, nullptr);
  }
  Pin(const Pin&) = delete;
  Pin& operator=(const Pin&) = delete;
  quandor_object* get() const { return object_; }

 private:
  quandor_object* object_;
};

// ---- Texts --------------------------------------------------------------------

char* CopyText(std::string_view text) {
  auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy == nullptr) throw std::bad_alloc();
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}

char** CopyTextList(const std::vector<std::string>& texts) {
  auto** list = static_cast<char**>(std::calloc(texts.size() + 1, sizeof(char*)));
  if (list == nullptr) throw std::bad_alloc();
  try {
    for (std::size_t i = 0; i < texts.size(); ++i) list[i] = CopyText(texts[i]);
  } catch (...) {
    quandor_free_string_list(list);
    throw;
  }
  return list;
}

quandor_bool ToBool(bool value) { return value ? QUANDOR_TRUE : QUANDOR_FALSE; }

// ---- Calls on members -----------------------------------------------------------

// Out parameters read as "nothing" whenever a call fails.
template <class T>
void ClearOut(T* out) {
  if (out != nullptr) *out = T{};
}

// Runs member(self) on the object of Class behind handle, with the checks
// every member shares. Nulls among required pointers are argument errors.
template <class Class, class Member>
quandor_status CallMember(quandor_object* handle, std::initializer_list<const void*> required,
                          Member&& member) noexcept {
  return Guarded([&]() -> quandor_status {
    Pin pin(handle);
    if (pin.get() == nullptr) return Fail(QUANDOR_E_INVALID_HANDLE, "invalid object handle");
    auto* self = std::get_if<Class>(&pin.get()->impl);
    if (self == nullptr) {
      return Fail(QUANDOR_E_WRONG_CLASS, std::is_same_v<Class, Banking>
                                             ? "object is not a Quandor.Banking"
                                             : "object is not a Quandor.Creditcard");
    }
    for (const void* pointer : required) {
      if (pointer == nullptr) return Fail(QUANDOR_E_INVALID_ARG, "null pointer argument");
    }
    member(*self);
    return Succeed();
  });
}

template <class Class, class Getter>
quandor_status GetText(quandor_object* handle, char** value, Getter getter) noexcept {
  ClearOut(value);
  return CallMember<Class>(handle, {value}, [&](Class& self) { *value = CopyText(getter(self)); });
}

template <class Class, class T, class Getter>
quandor_status GetValue(quandor_object* handle, T* value, Getter getter) noexcept {
  ClearOut(value);
  return CallMember<Class>(handle, {value}, [&](Class& self) { *value = getter(self); });
}

template <class Class, class Operation>
quandor_status RunOperation(quandor_object* handle, Operation operation) noexcept {
  return CallMember<Class>(handle, {}, [&](Class& self) { operation(self); });
}

bool SameClassName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

// ---- Class factory, reference counting, library -------------------------------------

quandor_status quandor_create_object(const char* class_name, quandor_object** object) noexcept {
  ClearOut(object);
  return Guarded([&]() -> quandor_status {
    if (class_name == nullptr || object == nullptr) {
      return Fail(QUANDOR_E_INVALID_ARG, "null pointer argument");
    }
    quandor_object* created = nullptr;
    if (SameClassName(class_name, "Quandor.Banking")) {
      created = new quandor_object(std::in_place_type<Banking>);
    } else if (SameClassName(class_name, "Quandor.Creditcard")) {
      created = new quandor_object(std::in_place_type<Creditcard>);
    } else {
      return Fail(QUANDOR_E_CLASS_NOT_AVAILABLE, std::string("unknown class name: ") + class_name);
    }
    gLiveObjects.fetch_add(1);
    try {
      std::lock_guard lock(RegistryMutex());
      Registry().insert(created);
    } catch (...) {
      delete created;
      gLiveObjects.fetch_sub(1);
      throw;
    }
    *object = created;
    return Succeed();
  });
}

quandor_status quandor_add_ref(quandor_object* object, uint32_t* new_count) noexcept {
  ClearOut(new_count);
  return Guarded([&] {
    return AddReference(object, new_count)
               ? Succeed()
               : Fail(QUANDOR_E_INVALID_HANDLE, "invalid object handle");
  });
}

quandor_status quandor_release(quandor_object* object, uint32_t* new_count) noexcept {
  ClearOut(new_count);
  return Guarded([&] {
    return DropReference(object, new_count)
               ? Succeed()
               : Fail(QUANDOR_E_INVALID_HANDLE, "invalid object handle");
  });
}

quandor_status quandor_can_unload_now(quandor_bool* can_unload) noexcept {
  ClearOut(can_unload);
  if (can_unload == nullptr) return Fail(QUANDOR_E_INVALID_ARG, "null pointer argument");
  *can_unload = ToBool(gLiveObjects.load() == 0);
  return Succeed();
}

quandor_status quandor_get_last_error_message(char** message) noexcept {
  ClearOut(message);
  if (message == nullptr) return QUANDOR_E_INVALID_ARG;
  // Not through Guarded: reading the message must leave it in place.
  try {
    *message = CopyText(tLastErrorMessage);
  } catch (...) {
    return QUANDOR_E_OUT_OF_MEMORY;
  }
  return QUANDOR_OK;
}

void quandor_free_string(char* text) noexcept { std::free(text); }

void quandor_free_string_list(char** list) noexcept {
  if (list == nullptr) return;
  for (char** text = list; *text != nullptr; ++text) std::free(*text);
  std::free(list);
}

// ---- Banking ----------------------------------------------------------------------------

quandor_status quandor_Banking_Reset(quandor_object* banking) noexcept {
  return RunOperation<Banking>(banking, [](Banking& b) { b.Reset(); });
}

quandor_status quandor_Banking_ShowInfo(quandor_object* banking) noexcept {
  return RunOperation<Banking>(banking, [](Banking& b) { b.ShowInfo(); });
}

quandor_status quandor_Banking_get_BankName(quandor_object* banking, char** value) noexcept {
  return GetText<Banking>(banking, value, [](Banking& b) { return b.BankName(); });
}

quandor_status quandor_Banking_get_BankCity(quandor_object* banking, char** value) noexcept {
  return GetText<Banking>(banking, value, [](Banking& b) { return b.BankCity(); });
}

quandor_status quandor_Banking_get_AccountNumber(quandor_object* banking, char** value) noexcept {
  return GetText<Banking>(banking, value, [](Banking& b) { return b.AccountNumber(); });
}

quandor_status quandor_Banking_get_BankNumber(quandor_object* banking, char** value) noexcept {
  return GetText<Banking>(banking, value, [](Banking& b) { return b.BankNumber(); });
}

quandor_status quandor_Banking_get_BankComplete(quandor_object* banking, char** value) noexcept {
  return GetText<Banking>(banking, value, [](Banking& b) { return b.BankComplete(); });
}

quandor_status quandor_Banking_get_LastError(quandor_object* banking, int32_t* value) noexcept {
  return GetValue<Banking>(banking, value,
                           [](Banking& b) { return static_cast<int32_t>(b.LastError()); });
}

quandor_status quandor_Banking_get_Validated(quandor_object* banking,
                                             quandor_bool* value) noexcept {
  return GetValue<Banking>(banking, value, [](Banking& b) { return ToBool(b.Validated()); });
}

quandor_status quandor_Banking_get_UsedTestingMethod(quandor_object* banking,
                                                     int16_t* value) noexcept {
  return GetValue<Banking>(banking, value, [](Banking& b) { return b.UsedTestingMethod(); });
}

quandor_status quandor_Banking_put_Strictness(quandor_object* banking, int32_t vNewValue) noexcept {
  return RunOperation<Banking>(banking, [&](Banking& b) { b.Strictness(vNewValue); });
}

quandor_status quandor_Banking_get_Strictness(quandor_object* banking, int32_t* value) noexcept {
  return GetValue<Banking>(banking, value, [](Banking& b) { return b.Strictness(); });
}

quandor_status quandor_Banking_get_Version(quandor_object* banking, char** value) noexcept {
  return GetText<Banking>(banking, value, [](Banking& b) { return b.Version(); });
}

quandor_status quandor_Banking_get_CopyrightNotice(quandor_object* banking, char** value) noexcept {
  return GetText<Banking>(banking, value, [](Banking& b) { return b.CopyrightNotice(); });
}

quandor_status quandor_Banking_get_LastErrorString(quandor_object* banking, char** value) noexcept {
  return GetText<Banking>(banking, value, [](Banking& b) { return b.LastErrorString(); });
}

quandor_status quandor_Banking_Validate(quandor_object* banking, const char* sBLZ,
                                        const char* sKontoNr, quandor_bool* result) noexcept {
  ClearOut(result);
  return CallMember<Banking>(banking, {sBLZ, sKontoNr, result},
                             [&](Banking& b) { *result = ToBool(b.Validate(sBLZ, sKontoNr)); });
}

quandor_status quandor_Banking_SearchBankByText(quandor_object* banking, const char* sTest,
                                                int32_t SearchOption,
                                                quandor_bool* result) noexcept {
  ClearOut(result);
  return CallMember<Banking>(banking, {sTest, result}, [&](Banking& b) {
    *result = ToBool(b.SearchBankByText(sTest, SearchOption));
  });
}

quandor_status quandor_Banking_get_IsBankFound(quandor_object* banking,
                                               quandor_bool* value) noexcept {
  return GetValue<Banking>(banking, value, [](Banking& b) { return ToBool(b.IsBankFound()); });
}

quandor_status quandor_Banking_FirstFoundBank(quandor_object* banking,
                                              quandor_bool* result) noexcept {
  return GetValue<Banking>(banking, result, [](Banking& b) { return ToBool(b.FirstFoundBank()); });
}

quandor_status quandor_Banking_NextFoundBank(quandor_object* banking,
                                             quandor_bool* result) noexcept {
  return GetValue<Banking>(banking, result, [](Banking& b) { return ToBool(b.NextFoundBank()); });
}

quandor_status quandor_Banking_get_AmountFoundBanks(quandor_object* banking,
                                                    int32_t* value) noexcept {
  return GetValue<Banking>(banking, value, [](Banking& b) { return b.AmountFoundBanks(); });
}

quandor_status quandor_Banking_searchBank(quandor_object* banking, const char* sBLZ,
                                          quandor_bool* result) noexcept {
  ClearOut(result);
  return CallMember<Banking>(banking, {sBLZ, result},
                             [&](Banking& b) { *result = ToBool(b.searchBank(sBLZ)); });
}

quandor_status quandor_Banking_SearchBankInfo(quandor_object* banking, const char* sBLZ,
                                              char*** fields, size_t* count) noexcept {
  ClearOut(fields);
  ClearOut(count);
  return CallMember<Banking>(banking, {sBLZ, fields}, [&](Banking& b) {
    std::optional<std::vector<std::string>> record = b.SearchBankInfo(sBLZ);
    if (!record) return;
    *fields = CopyTextList(*record);
    if (count != nullptr) *count = record->size();
  });
}

// ---- Creditcard ----------------------------------------------------------------------------

quandor_status quandor_Creditcard_Reset(quandor_object* card) noexcept {
  return RunOperation<Creditcard>(card, [](Creditcard& c) { c.Reset(); });
}

quandor_status quandor_Creditcard_ShowInfo(quandor_object* card) noexcept {
  return RunOperation<Creditcard>(card, [](Creditcard& c) { c.ShowInfo(); });
}

quandor_status quandor_Creditcard_get_CompanyName(quandor_object* card, char** value) noexcept {
  return GetText<Creditcard>(card, value, [](Creditcard& c) { return c.CompanyName(); });
}

quandor_status quandor_Creditcard_get_CardNumber(quandor_object* card, char** value) noexcept {
  return GetText<Creditcard>(card, value, [](Creditcard& c) { return c.CardNumber(); });
}

quandor_status quandor_Creditcard_get_CompanyNumber(quandor_object* card, int32_t* value) noexcept {
  return GetValue<Creditcard>(
      card, value, [](Creditcard& c) { return static_cast<int32_t>(c.CompanyNumber()); });
}

quandor_status quandor_Creditcard_get_LastError(quandor_object* card, int32_t* value) noexcept {
  return GetValue<Creditcard>(card, value,
                              [](Creditcard& c) { return static_cast<int32_t>(c.LastError()); });
}

quandor_status quandor_Creditcard_get_Validated(quandor_object* card,
                                                quandor_bool* value) noexcept {
  return GetValue<Creditcard>(card, value, [](Creditcard& c) { return ToBool(c.Validated()); });
}

quandor_status quandor_Creditcard_put_Strictness(quandor_object* card, int32_t vNewValue) noexcept {
  return RunOperation<Creditcard>(card, [&](Creditcard& c) { c.Strictness(vNewValue); });
}

quandor_status quandor_Creditcard_get_Strictness(quandor_object* card, int32_t* value) noexcept {
  return GetValue<Creditcard>(card, value, [](Creditcard& c) { return c.Strictness(); });
}

quandor_status quandor_Creditcard_get_Version(quandor_object* card, char** value) noexcept {
  return GetText<Creditcard>(card, value, [](Creditcard& c) { return c.Version(); });
}

quandor_status quandor_Creditcard_get_CopyrightNotice(quandor_object* card, char** value) noexcept {
  return GetText<Creditcard>(card, value, [](Creditcard& c) { return c.CopyrightNotice(); });
}

quandor_status quandor_Creditcard_get_LastErrorString(quandor_object* card, char** value) noexcept {
  return GetText<Creditcard>(card, value, [](Creditcard& c) { return c.LastErrorString(); });
}

quandor_status quandor_Creditcard_Validate(quandor_object* card, int32_t nCompany,
                                           const char* sCardNr, quandor_bool* result) noexcept {
  ClearOut(result);
  return CallMember<Creditcard>(card, {sCardNr, result}, [&](Creditcard& c) {
    *result = ToBool(c.Validate(nCompany, sCardNr));
  });
}
