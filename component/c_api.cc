// The C interface (quandor/quandor.h) over the C++ classes.
//
// Every entry point is noexcept and funnels its work through Guarded(), which
// turns any C++ exception into a status and the thread's last-error message:
// an exception that crossed into a C or Python host would end the process.
// Handles are numbers that name a slot of a table of live objects and the
// slot's generation, never addresses: a host's stale or foreign handle is an
// error, not a crash, and a released handle never reaches a newer object that
// took over its memory or its slot.
#include "quandor/quandor.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "bankdir/edition.h"
#include "quandor/bank_file_pin.h"
#include "quandor/banking.h"
#include "quandor/creditcard.h"
#include "quandor/data_info.h"
#include "quandor/errors.h"
#include "quandor/iban.h"
#include "utf8_repair.h"

// The edition states repeat the C++ enum class for hosts that cannot read C++.
namespace {
constexpr bool SameValue(int32_t c_value, int32_t cpp_value) { return c_value == cpp_value; }
}  // namespace
static_assert(SameValue(quandor_qdEditionCurrent, int32_t(quandor::EditionState::kCurrent)));
static_assert(SameValue(quandor_qdEditionExpired, int32_t(quandor::EditionState::kExpired)));
static_assert(SameValue(quandor_qdEditionUnknown, int32_t(quandor::EditionState::kUnknown)));

namespace {

using quandor::Banking;
using quandor::Creditcard;
using quandor::FirstUtf8Sequence;
using quandor::kReplacementCharacter;
using quandor::RepairUtf8;
using quandor::Utf8Sequence;

// ---- Last-error message of the thread ---------------------------------------

// A fixed buffer, so that recording a failure cannot itself fail for lack of memory.
thread_local char tLastErrorMessage[512] = "";

quandor_status Fail(quandor_status status, std::string_view message) noexcept {
  // Messages may quote the caller's bytes: they are repaired like every text
  // handed out, and cut only between whole characters.
  std::size_t length = 0;
  while (!message.empty()) {
    const Utf8Sequence sequence = FirstUtf8Sequence(message);
    const std::string_view piece =
        sequence.well_formed ? message.substr(0, sequence.length) : kReplacementCharacter;
    if (length + piece.size() >= sizeof tLastErrorMessage) break;
    std::memcpy(tLastErrorMessage + length, piece.data(), piece.size());
    length += piece.size();
    message.remove_prefix(sequence.length);
  }
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

struct LiveObject {
  template <class Class>
  explicit LiveObject(std::in_place_type_t<Class> type) : impl(type) {}

  // Both guarded by the table's mutex. The handle dies with the host's last
  // reference; the object lives on until the calls running on it are done.
  uint32_t references = 1;
  uint32_t pins = 0;
  std::variant<Banking, Creditcard> impl;
};

// A handle is a slot index plus one (so that no handle is null) in its low
// half and the slot's generation in its high half. A slot's generation grows
// with every release, and a slot whose generation is used up is never handed
// out again, so no handle ever names two objects.
constexpr unsigned kIndexBits = sizeof(uintptr_t) * 4;
constexpr uintptr_t kIndexLimit = (uintptr_t{1} << kIndexBits) - 1;
constexpr uintptr_t kLastGeneration = (uintptr_t{1} << kIndexBits) - 1;

class HandleTable {
 public:
  // Throws std::bad_alloc when memory or handles run out.
  quandor_object* Add(LiveObject* object) {
    std::size_t index = 0;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      if (slots_.size() >= kIndexLimit) throw std::bad_alloc();
      // Room for every slot on the free list, so that Remove never allocates.
      free_.reserve(slots_.size() + 1);
      slots_.emplace_back();
      index = slots_.size() - 1;
    }
    slots_[index].object = object;
    const uintptr_t value = (slots_[index].generation << kIndexBits) | (index + 1);
    return reinterpret_cast<quandor_object*>(value);
  }

  // The live object the handle names, or null.
  LiveObject* Find(const quandor_object* handle) const {
    const auto value = reinterpret_cast<uintptr_t>(handle);
    const uintptr_t index_plus_one = value & kIndexLimit;
    if (index_plus_one == 0 || index_plus_one > slots_.size()) return nullptr;
    const Slot& slot = slots_[index_plus_one - 1];
    return slot.generation == value >> kIndexBits ? slot.object : nullptr;
  }

  // Ends a live handle: it never names an object again.
  void Remove(const quandor_object* handle) noexcept {
    const std::size_t index = (reinterpret_cast<uintptr_t>(handle) & kIndexLimit) - 1;
    Slot& slot = slots_[index];
    slot.object = nullptr;
    if (slot.generation == kLastGeneration) return;  // retired
    ++slot.generation;
    free_.push_back(index);
  }

 private:
  struct Slot {
    uintptr_t generation = 0;
    LiveObject* object = nullptr;
  };
  std::vector<Slot> slots_;
  std::vector<std::size_t> free_;
};

std::atomic<std::size_t> gLiveObjects{0};

// Never destroyed: hosts may release objects while the process exits.
std::mutex& TableMutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}
HandleTable& Table() {
  static auto* table = new HandleTable;
  return *table;
}

void Destroy(LiveObject* object) {
  delete object;
  gLiveObjects.fetch_sub(1);
}

// Adds a reference through a live handle. False for any handle that names none.
// Throws when the count is at its maximum.
bool AddReference(quandor_object* handle, uint32_t* new_count) {
  std::lock_guard lock(TableMutex());
  LiveObject* object = Table().Find(handle);
  if (object == nullptr) return false;
  // A wrapped count would destroy the object while references are still out.
  if (object->references == UINT32_MAX) throw std::overflow_error("too many references");
  ++object->references;
  if (new_count != nullptr) *new_count = object->references;
  return true;
}

// Drops a reference; the last one ends the handle and, once no call runs on
// it, the object.
bool DropReference(quandor_object* handle, uint32_t* new_count) {
  LiveObject* doomed = nullptr;
  uint32_t remaining = 0;
  {
    std::lock_guard lock(TableMutex());
    LiveObject* object = Table().Find(handle);
    if (object == nullptr) return false;
    remaining = --object->references;
    if (remaining == 0) {
      Table().Remove(handle);
      if (object->pins == 0) doomed = object;
    }
  }
  if (new_count != nullptr) *new_count = remaining;
  if (doomed != nullptr) Destroy(doomed);
  return true;
}

// Holds the object for the length of a call, so that a release from another
// thread cannot destroy it under the call.
class Pin {
 public:
  explicit Pin(quandor_object* handle) {
    std::lock_guard lock(TableMutex());
    object_ = Table().Find(handle);
    if (object_ != nullptr) ++object_->pins;
  }
  ~Pin() {
    if (object_ == nullptr) return;
    bool last = false;
    {
      std::lock_guard lock(TableMutex());
      last = --object_->pins == 0 && object_->references == 0;
    }
    if (last) Destroy(object_);
  }
  Pin(const Pin&) = delete;
  Pin& operator=(const Pin&) = delete;
  LiveObject* get() const { return object_; }

 private:
  LiveObject* object_ = nullptr;
};

// ---- Texts --------------------------------------------------------------------

// Every text handed out is valid UTF-8, as the header promises: inputs echoed
// at strictness Low keep whatever bytes the caller passed.
char* CopyText(std::string_view raw) {
  const std::string text = RepairUtf8(raw);
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

bool AllGiven(std::initializer_list<const void*> required) {
  for (const void* pointer : required) {
    if (pointer == nullptr) return false;
  }
  return true;
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
    if (!AllGiven(required)) return Fail(QUANDOR_E_INVALID_ARG, "null pointer argument");
    member(*self);
    return Succeed();
  });
}

// Runs work for a function without a handle, with the same checks on pointers.
template <class Work>
quandor_status CallFunction(std::initializer_list<const void*> required, Work&& work) noexcept {
  return Guarded([&]() -> quandor_status {
    if (!AllGiven(required)) return Fail(QUANDOR_E_INVALID_ARG, "null pointer argument");
    work();
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

// Hands an IBAN verdict out whole or not at all: the struct is written only
// once every text is copied.
void SetIbanResult(const quandor::IbanResult& from, quandor_iban_result* to) {
  quandor_iban_result filled{};
  filled.iban_error = from.nIbanError;
  filled.account_error = from.nAccountError;
  filled.valid = ToBool(from.ValidOrUncheckable());
  try {
    filled.iban = CopyText(from.sIban);
    filled.bank_number = CopyText(from.sBankNumber);
    filled.account_number = CopyText(from.sAccountNumber);
  } catch (...) {
    quandor_free_iban_result(&filled);
    throw;
  }
  *to = filled;
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
    LiveObject* created = nullptr;
    if (SameClassName(class_name, "Quandor.Banking")) {
      created = new LiveObject(std::in_place_type<Banking>);
    } else if (SameClassName(class_name, "Quandor.Creditcard")) {
      created = new LiveObject(std::in_place_type<Creditcard>);
    } else {
      return Fail(QUANDOR_E_CLASS_NOT_AVAILABLE, std::string("unknown class name: ") + class_name);
    }
    gLiveObjects.fetch_add(1);
    try {
      std::lock_guard lock(TableMutex());
      *object = Table().Add(created);
    } catch (...) {
      Destroy(created);
      throw;
    }
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

namespace {

// The pins made through this interface on the calling thread, ended in any
// order. The library's thread state is reached first, so that it is made
// before the list and outlives it: pins left at the thread's end end with
// the list.
std::vector<std::unique_ptr<quandor::BankFilePin>>& ThreadPins() {
  (void)quandor::BankFilePin::ThreadIsPinned();
  thread_local std::vector<std::unique_ptr<quandor::BankFilePin>> pins;
  return pins;
}

}  // namespace

quandor_status quandor_pin_bank_file() noexcept {
  return Guarded([] {
    auto& pins = ThreadPins();
    pins.reserve(pins.size() + 1);  // so that the pin, once made, is kept
    pins.push_back(std::make_unique<quandor::BankFilePin>());
    return Succeed();
  });
}

quandor_status quandor_unpin_bank_file() noexcept {
  auto& pins = ThreadPins();
  if (pins.empty()) return Fail(QUANDOR_E_INVALID_ARG, "the calling thread holds no pin");
  pins.pop_back();
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

quandor_status quandor_Banking_put_Rules(quandor_object* banking, int32_t vNewValue) noexcept {
  return RunOperation<Banking>(banking, [&](Banking& b) { b.Rules(vNewValue); });
}

quandor_status quandor_Banking_get_Rules(quandor_object* banking, int32_t* value) noexcept {
  return GetValue<Banking>(banking, value, [](Banking& b) { return b.Rules(); });
}

quandor_status quandor_Banking_get_BankPostcode(quandor_object* banking, char** value) noexcept {
  return GetText<Banking>(banking, value, [](Banking& b) { return b.BankPostcode(); });
}

quandor_status quandor_Banking_get_BankBIC(quandor_object* banking, char** value) noexcept {
  return GetText<Banking>(banking, value, [](Banking& b) { return b.BankBIC(); });
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

quandor_status quandor_Creditcard_put_Rules(quandor_object* card, int32_t vNewValue) noexcept {
  return RunOperation<Creditcard>(card, [&](Creditcard& c) { c.Rules(vNewValue); });
}

quandor_status quandor_Creditcard_get_Rules(quandor_object* card, int32_t* value) noexcept {
  return GetValue<Creditcard>(card, value, [](Creditcard& c) { return c.Rules(); });
}

// ---- IBANs ---------------------------------------------------------------------------------

void quandor_free_iban_result(quandor_iban_result* result) noexcept {
  if (result == nullptr) return;
  for (char** text : {&result->iban, &result->bank_number, &result->account_number}) {
    std::free(*text);
    *text = nullptr;
  }
}

quandor_status quandor_iban_check(const char* iban, quandor_iban_result* result) noexcept {
  ClearOut(result);
  return CallFunction({iban, result}, [&] { SetIbanResult(quandor::CheckIban(iban), result); });
}

quandor_status quandor_iban_validate(quandor_object* banking, const char* iban,
                                     quandor_iban_result* result) noexcept {
  ClearOut(result);
  return CallMember<Banking>(banking, {iban, result}, [&](Banking& b) {
    SetIbanResult(quandor::ValidateIban(iban, b), result);
  });
}

namespace {

quandor_status MakeIban(const char* blz, const char* account, char** iban, int32_t* error,
                        bool force) {
  ClearOut(iban);
  ClearOut(error);
  return CallFunction({blz, account, iban, error}, [&] {
    quandor::ValidateError reason = quandor::qdNoError;
    *iban = CopyText(quandor::MakeGermanIban(blz, account, &reason, force));
    *error = reason;
  });
}

}  // namespace

quandor_status quandor_iban_make(const char* blz, const char* account, char** iban,
                                 int32_t* error) noexcept {
  return MakeIban(blz, account, iban, error, false);
}

quandor_status quandor_iban_make_forced(const char* blz, const char* account, char** iban,
                                        int32_t* error) noexcept {
  return MakeIban(blz, account, iban, error, true);
}

quandor_status quandor_iban_format(const char* iban, char** formatted) noexcept {
  ClearOut(formatted);
  return CallFunction({iban, formatted}, [&] { *formatted = CopyText(quandor::FormatIban(iban)); });
}

quandor_status quandor_iban_error_text(int32_t code, char** text) noexcept {
  ClearOut(text);
  return CallFunction({text}, [&] { *text = CopyText(quandor::GetIbanErrorText(code)); });
}

namespace {

// The message of code by text_of in the language named lang.
quandor_status TextInLanguage(int32_t code, const char* lang, char** text,
                              std::string (*text_of)(int32_t, quandor::TextLanguage)) noexcept {
  ClearOut(text);
  return Guarded([&]() -> quandor_status {
    if (lang == nullptr || text == nullptr) {
      return Fail(QUANDOR_E_INVALID_ARG, "null pointer argument");
    }
    const auto language = quandor::TextLanguageByName(lang);
    if (!language) return Fail(QUANDOR_E_INVALID_ARG, "language must be \"de\" or \"en\"");
    *text = CopyText(text_of(code, *language));
    return Succeed();
  });
}

}  // namespace

quandor_status quandor_error_text_lang(int32_t code, const char* lang, char** text) noexcept {
  return TextInLanguage(code, lang, text, &quandor::GetErrorText);
}

quandor_status quandor_iban_error_text_lang(int32_t code, const char* lang, char** text) noexcept {
  return TextInLanguage(code, lang, text, &quandor::GetIbanErrorText);
}

// ---- The bank code file and its edition -----------------------------------------------------

void quandor_free_data_info(quandor_data_info* info) noexcept {
  if (info == nullptr) return;
  for (char** text : {&info->path, &info->valid_from, &info->valid_until, &info->next_valid_from,
                      &info->edition_text, &info->stale_text}) {
    std::free(*text);
    *text = nullptr;
  }
}

quandor_status quandor_get_data_info(quandor_data_info* info) noexcept {
  ClearOut(info);
  return CallFunction({info}, [&] {
    const quandor::DataInfo from = quandor::GetDataInfo();
    auto day = [](const std::optional<std::chrono::year_month_day>& date) {
      return CopyText(date ? quandor::bankdir::FormatDay(quandor::bankdir::Day(*date)) : "");
    };
    // Handed out whole or not at all, as an IBAN result.
    quandor_data_info filled{};
    filled.found = ToBool(from.found);
    filled.bank_count = from.bank_count;
    filled.edition_state = static_cast<int32_t>(from.state);
    try {
      filled.path = CopyText(from.path);
      filled.valid_from = day(from.valid_from);
      filled.valid_until = day(from.valid_until);
      filled.next_valid_from = day(from.next_valid_from);
      filled.edition_text = CopyText(quandor::EditionText(from));
      filled.stale_text = CopyText(quandor::StaleDataText(from));
    } catch (...) {
      quandor_free_data_info(&filled);
      throw;
    }
    *info = filled;
  });
}
