// Random call sequences on the C interface: objects of both classes made,
// referenced, released and called in any order, through live, released,
// wrong-class and made-up handles. Every call must answer by the handle's
// state as the host sees it (a released handle is invalid for good, a handle
// of the other class is the wrong class), every text handed out must be valid
// UTF-8, and when the sequence has released all it made, nothing is alive.
//
// The IBAN functions run among them: quandor_iban_validate on the handles,
// the others (no handle) in place of reading the last-error message; every
// verdict must be consistent in itself, and every IBAN built must pass the check.
//
// Input: a program of operations, one byte each (the low bits pick the
// operation, the high bits the handle), followed where an operation needs it
// by a text (a length byte, then that many bytes) or a number (four bytes).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bankdir/text_decoding.h"
#include "fuzz_support.h"
#include "quandor/quandor.h"

namespace {

enum class Kind { kBanking, kCreditcard };

// A handle as the host holds it, and the references the host owns on it.
struct Held {
  quandor_object* handle;
  Kind kind;
  uint32_t references;
};

class Input {
 public:
  explicit Input(std::string_view bytes) : bytes_(bytes) {}
  bool empty() const { return bytes_.empty(); }
  uint8_t Byte() {
    if (bytes_.empty()) return 0;
    const auto byte = static_cast<uint8_t>(bytes_.front());
    bytes_.remove_prefix(1);
    return byte;
  }
  std::string Text() {
    const std::size_t length = std::min<std::size_t>(Byte(), bytes_.size());
    std::string text(bytes_.substr(0, length));
    bytes_.remove_prefix(length);
    return text;
  }
  int32_t Number() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | Byte();
    return static_cast<int32_t>(value);
  }

 private:
  std::string_view bytes_;
};

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "capi_fuzzer: %s\n", what);
    std::abort();
  }
}

bool IsEmpty(const char* text) { return text != nullptr && *text == '\0'; }

// An IBAN verdict handed out whole, or (on failure) nothing of it.
void CheckIbanResult(quandor_status status, const quandor_iban_result& r) {
  if (status != QUANDOR_OK) {
    Require(r.iban_error == 0 && r.account_error == 0 && r.valid == 0 && r.iban == nullptr &&
                r.bank_number == nullptr && r.account_number == nullptr,
            "IBAN result set on failure");
    return;
  }
  for (const char* text : {r.iban, r.bank_number, r.account_number}) {
    Require(text != nullptr && quandor::bankdir::IsValidUtf8(text),
            "IBAN text missing or not UTF-8");
  }
  Require(r.iban_error >= quandor_qdIbanOk && r.iban_error <= quandor_qdIbanWrongCheckDigits,
          "unknown IBAN error");
  Require(quandor::fuzz::IsKnownCode(r.account_error), "unknown account error");
  const bool checked = r.account_error != quandor_qdNoValidation;
  Require(r.iban_error == quandor_qdIbanOk || (!checked && IsEmpty(r.bank_number)),
          "a wrong IBAN's bank connection was used");
  Require(IsEmpty(r.bank_number) == IsEmpty(r.account_number), "half a bank connection");
  Require(!checked || !IsEmpty(r.bank_number), "a bank connection checked that was not split out");
  const bool valid =
      r.iban_error == quandor_qdIbanOk && (!checked || r.account_error == quandor_qdNoError);
  Require(r.valid == (valid ? QUANDOR_TRUE : QUANDOR_FALSE), "valid disagrees with the errors");
}

// Checks and frees what a member handed out.
struct Outs {
  char* text = nullptr;
  char** list = nullptr;
  quandor_iban_result iban{};
  bool iban_used = false;  // iban is an out of the call
  quandor_iban_result* IbanOut() {
    iban_used = true;
    return &iban;
  }
  void Settle(quandor_status status) {
    if (status != QUANDOR_OK) Require(text == nullptr && list == nullptr, "out set on failure");
    if (text != nullptr) Require(quandor::bankdir::IsValidUtf8(text), "text not UTF-8");
    for (char** item = list; item != nullptr && *item != nullptr; ++item) {
      Require(quandor::bankdir::IsValidUtf8(*item), "list text not UTF-8");
    }
    if (iban_used) CheckIbanResult(status, iban);
    quandor_free_string(text);
    quandor_free_string_list(list);
    quandor_free_iban_result(&iban);
    text = nullptr;
    list = nullptr;
    iban = {};
    iban_used = false;
  }
};

// An IBAN to check: mostly the input's own bytes, sometimes one built from
// them, so that the bank connection check is reached.
std::string IbanText(Input& in) {
  if ((in.Byte() & 1) == 0) return in.Text();
  const std::string bank_code = in.Text();
  const std::string account = in.Text();
  char* iban = nullptr;
  int32_t error = 0;
  Require(quandor_iban_make_forced(bank_code.c_str(), account.c_str(), &iban, &error) == QUANDOR_OK,
          "make failed");
  std::string built(iban);
  quandor_free_string(iban);
  return built;
}

// The IBAN functions without a handle: with texts given they never fail.
void CallIbanFunction(Input& in) {
  Outs out;
  quandor_status status = QUANDOR_OK;
  switch (in.Byte() % 4) {
    case 0:
      status = quandor_iban_check(IbanText(in).c_str(), out.IbanOut());
      Require(status == QUANDOR_OK, "check failed");
      Require(out.iban.account_error == quandor_qdNoValidation, "check looked at the account");
      break;
    case 1: {
      const std::string bank_code = in.Text();
      const std::string account = in.Text();
      int32_t error = -1;
      status = quandor_iban_make(bank_code.c_str(), account.c_str(), &out.text, &error);
      Require(status == QUANDOR_OK, "make failed");
      // A bank without a check method gets its IBAN, with the note in error.
      const bool built = error == quandor_qdNoError || error == quandor_qdTestingMethodUnknown;
      Require(IsEmpty(out.text) != built, "make's IBAN and error disagree");
      if (built) {
        status = quandor_iban_check(out.text, out.IbanOut());
        Require(status == QUANDOR_OK && out.iban.iban_error == quandor_qdIbanOk,
                "a built IBAN fails the check");
      }
      break;
    }
    case 2:
      status = quandor_iban_format(in.Text().c_str(), &out.text);
      Require(status == QUANDOR_OK, "format failed");
      break;
    case 3: {
      const int32_t code = in.Number();
      status = quandor_iban_error_text(code, &out.text);
      Require(status == QUANDOR_OK, "error_text failed");
      const bool known = code >= quandor_qdIbanOk && code <= quandor_qdIbanWrongCheckDigits;
      Require(IsEmpty(out.text) != known, "IBAN message missing or made up");
      break;
    }
  }
  out.Settle(status);
}

using Call = std::function<quandor_status(quandor_object*, Input&, Outs&)>;

// ShowInfo is left out: it would open a window where a display is available.
const std::vector<Call>& BankingCalls() {
  static const std::vector<Call> calls = {
      [](quandor_object* o, Input&, Outs&) { return quandor_Banking_Reset(o); },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Banking_get_BankName(o, &out.text);
      },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Banking_get_BankCity(o, &out.text);
      },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Banking_get_AccountNumber(o, &out.text);
      },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Banking_get_BankNumber(o, &out.text);
      },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Banking_get_BankComplete(o, &out.text);
      },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Banking_get_BankPostcode(o, &out.text);
      },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Banking_get_BankBIC(o, &out.text);
      },
      [](quandor_object* o, Input&, Outs&) {
        int32_t code = 0;
        const quandor_status status = quandor_Banking_get_LastError(o, &code);
        if (status == QUANDOR_OK) Require(quandor::fuzz::IsKnownCode(code), "unknown LastError");
        return status;
      },
      [](quandor_object* o, Input&, Outs&) {
        quandor_bool value = 0;
        return quandor_Banking_get_Validated(o, &value);
      },
      [](quandor_object* o, Input&, Outs&) {
        int16_t method = 0;
        return quandor_Banking_get_UsedTestingMethod(o, &method);
      },
      [](quandor_object* o, Input& in, Outs&) {
        return quandor_Banking_put_Strictness(o, quandor::fuzz::StrictnessFromByte(in.Byte()));
      },
      [](quandor_object* o, Input&, Outs&) {
        int32_t value = 0;
        return quandor_Banking_get_Strictness(o, &value);
      },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Banking_get_Version(o, &out.text);
      },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Banking_get_LastErrorString(o, &out.text);
      },
      [](quandor_object* o, Input& in, Outs&) {
        const std::string bank_code = in.Text();
        const std::string account = in.Text();
        quandor_bool valid = 0;
        return quandor_Banking_Validate(o, bank_code.c_str(), account.c_str(), &valid);
      },
      [](quandor_object* o, Input& in, Outs&) {
        const int32_t option = in.Byte() % 9;
        const std::string text = in.Text();
        quandor_bool found = 0;
        return quandor_Banking_SearchBankByText(o, text.c_str(), option, &found);
      },
      [](quandor_object* o, Input&, Outs&) {
        quandor_bool found = 0;
        return quandor_Banking_get_IsBankFound(o, &found);
      },
      [](quandor_object* o, Input&, Outs&) {
        quandor_bool more = 0;
        return quandor_Banking_FirstFoundBank(o, &more);
      },
      [](quandor_object* o, Input&, Outs&) {
        quandor_bool more = 0;
        return quandor_Banking_NextFoundBank(o, &more);
      },
      [](quandor_object* o, Input&, Outs&) {
        int32_t amount = 0;
        return quandor_Banking_get_AmountFoundBanks(o, &amount);
      },
      [](quandor_object* o, Input& in, Outs&) {
        const std::string bank_code = in.Text();
        quandor_bool found = 0;
        return quandor_Banking_searchBank(o, bank_code.c_str(), &found);
      },
      [](quandor_object* o, Input& in, Outs& out) {
        const std::string bank_code = in.Text();
        return quandor_Banking_SearchBankInfo(o, bank_code.c_str(), &out.list, nullptr);
      },
      [](quandor_object* o, Input& in, Outs&) {
        return quandor_Banking_put_Rules(o, in.Byte() % 3);
      },
      [](quandor_object* o, Input&, Outs&) {
        int32_t rules = 0;
        return quandor_Banking_get_Rules(o, &rules);
      },
      [](quandor_object* o, Input& in, Outs& out) {
        return quandor_iban_validate(o, IbanText(in).c_str(), out.IbanOut());
      },
  };
  return calls;
}

const std::vector<Call>& CreditcardCalls() {
  static const std::vector<Call> calls = {
      [](quandor_object* o, Input&, Outs&) { return quandor_Creditcard_Reset(o); },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Creditcard_get_CompanyName(o, &out.text);
      },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Creditcard_get_CardNumber(o, &out.text);
      },
      [](quandor_object* o, Input&, Outs&) {
        int32_t company = 0;
        return quandor_Creditcard_get_CompanyNumber(o, &company);
      },
      [](quandor_object* o, Input&, Outs&) {
        int32_t code = 0;
        return quandor_Creditcard_get_LastError(o, &code);
      },
      [](quandor_object* o, Input& in, Outs&) {
        return quandor_Creditcard_put_Strictness(o, quandor::fuzz::StrictnessFromByte(in.Byte()));
      },
      [](quandor_object* o, Input&, Outs& out) {
        return quandor_Creditcard_get_LastErrorString(o, &out.text);
      },
      [](quandor_object* o, Input& in, Outs&) {
        const int32_t company = static_cast<int8_t>(in.Byte());
        const std::string number = in.Text();
        quandor_bool valid = 0;
        return quandor_Creditcard_Validate(o, company, number.c_str(), &valid);
      },
      [](quandor_object* o, Input& in, Outs&) {
        return quandor_Creditcard_put_Rules(o, in.Byte() % 3);
      },
      [](quandor_object* o, Input&, Outs&) {
        int32_t rules = 0;
        return quandor_Creditcard_get_Rules(o, &rules);
      },
  };
  return calls;
}

// What a call through a handle must answer, by what the host knows of it.
void CheckAnswer(quandor_status status, const Held* held, Kind callee) {
  if (held == nullptr || held->references == 0) {
    Require(status == QUANDOR_E_INVALID_HANDLE, "a dead handle answered");
  } else if (held->kind != callee) {
    Require(status == QUANDOR_E_WRONG_CLASS, "a handle of the other class answered");
  } else {
    // The text search may raise its documented failure on a malformed record.
    Require(status == QUANDOR_OK || status == QUANDOR_E_EXCEPTION, "a live handle failed");
  }
}

void WriteBankFile() {
  quandor::fuzz::UseBankFile("capi",
                             "10000000;Bank Null;Nullstadt;Bank Null;00\r\n"
                             "10000012;Bank Zw\xC3\xB6lf;M\xC3\xBCnchen;Zw\xC3\xB6lf;12\r\n"
                             "10000052;Bank Alt;Altstadt;Alt;52\r\n"
                             "70000000;Zerbrochen\r\n");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  WriteBankFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(std::string_view(reinterpret_cast<const char*>(data), size));
  std::vector<Held> held;  // every handle made, released ones included
  for (int steps = 0; !in.empty() && steps < 256; ++steps) {
    const uint8_t op = in.Byte();
    Held* target = held.empty() ? nullptr : &held[(op >> 3) % held.size()];
    switch (op & 7) {
      case 0:
      case 1: {
        if (held.size() >= 32) break;
        const Kind kind = (op & 7) == 0 ? Kind::kBanking : Kind::kCreditcard;
        quandor_object* handle = nullptr;
        Require(
            quandor_create_object(kind == Kind::kBanking ? "Quandor.Banking" : "quandor.creditcard",
                                  &handle) == QUANDOR_OK,
            "create failed");
        for (const Held& h : held) Require(h.handle != handle, "a handle was handed out twice");
        held.push_back({handle, kind, 1});
        break;
      }
      case 2: {
        uint32_t count = 0;
        const quandor_status status = quandor_add_ref(target ? target->handle : nullptr, &count);
        if (target != nullptr && target->references > 0) {
          Require(status == QUANDOR_OK && count == ++target->references, "add_ref miscounted");
        } else {
          Require(status == QUANDOR_E_INVALID_HANDLE, "add_ref on a dead handle");
        }
        break;
      }
      case 3: {
        uint32_t count = 99;
        const quandor_status status = quandor_release(target ? target->handle : nullptr, &count);
        if (target != nullptr && target->references > 0) {
          Require(status == QUANDOR_OK && count == --target->references, "release miscounted");
        } else {
          Require(status == QUANDOR_E_INVALID_HANDLE && count == 0, "release of a dead handle");
        }
        break;
      }
      case 4:
      case 5: {
        const Kind callee = (op & 7) == 4 ? Kind::kBanking : Kind::kCreditcard;
        const auto& calls = callee == Kind::kBanking ? BankingCalls() : CreditcardCalls();
        const Call& call = calls[in.Byte() % calls.size()];
        Outs outs;
        const quandor_status status = call(target ? target->handle : nullptr, in, outs);
        outs.Settle(status);
        CheckAnswer(status, target, callee);
        break;
      }
      case 6: {
        // A made-up handle: invalid unless it happens to be one the host holds.
        uintptr_t value = 0;
        for (std::size_t i = 0; i < sizeof value; ++i) value = value << 8 | in.Byte();
        auto* handle = reinterpret_cast<quandor_object*>(value);
        const Held* known = nullptr;
        for (const Held& h : held) {
          if (h.handle == handle) known = &h;
        }
        Outs outs;
        const quandor_status status =
            BankingCalls()[in.Byte() % BankingCalls().size()](handle, in, outs);
        outs.Settle(status);
        CheckAnswer(status, known, Kind::kBanking);
        break;
      }
      case 7: {
        if ((op >> 3) & 1) {
          CallIbanFunction(in);
          break;
        }
        char* message = nullptr;
        Require(quandor_get_last_error_message(&message) == QUANDOR_OK, "no message");
        Require(quandor::bankdir::IsValidUtf8(message), "message not UTF-8");
        quandor_free_string(message);
        break;
      }
    }
  }
  for (Held& h : held) {
    for (; h.references > 0; --h.references) {
      Require(quandor_release(h.handle, nullptr) == QUANDOR_OK, "final release failed");
    }
  }
  quandor_bool can_unload = 0;
  Require(quandor_can_unload_now(&can_unload) == QUANDOR_OK && can_unload == QUANDOR_TRUE,
          "an object outlived its last release");
  return 0;
}
