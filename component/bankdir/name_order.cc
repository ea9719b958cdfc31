#include "bankdir/name_order.h"

#include <algorithm>

#include "bankdir/bank_file.h"
#include "bankdir/bank_record.h"

namespace quandor::bankdir {
namespace {

// Equal names get equal ranks, smaller names smaller ones, counted from 0.
// The sort compares the names' first bytes as one number, so that only names
// with the same start cost a comparison of text.
std::vector<uint32_t> RanksOf(const std::vector<std::string_view>& names) {
  struct Entry {
    uint64_t head;
    std::string_view name;
    std::size_t position;
  };
  std::vector<Entry> entries(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) entries[i] = {FieldPrefix(names[i]), names[i], i};
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (a.head != b.head) return a.head < b.head;
    return a.name < b.name;
  });
  std::vector<uint32_t> ranks(names.size());
  uint32_t rank = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0 && entries[i].name != entries[i - 1].name) ++rank;
    ranks[entries[i].position] = rank;
  }
  return ranks;
}

}  // namespace

std::vector<uint32_t> NameRanks(const BankFileLines& file) {
  std::vector<std::string_view> names(file.size());
  std::vector<bool> named(file.size());
  for (std::size_t n = 0; n < file.size(); ++n) {
    FieldReader fields(file.line(n));
    fields.Next();
    if (const auto name = fields.Next()) {
      names[n] = *name;
      named[n] = true;
    }
  }
  std::vector<uint32_t> ranks = RanksOf(names);
  for (std::size_t n = 0; n < file.size(); ++n) {
    if (!named[n]) ranks[n] = kNoName;
  }
  return ranks;
}

std::vector<std::size_t> OrderByRank(const std::vector<uint32_t>& ranks) {
  // A record goes to the end of its run of equal names while no greater name
  // has been found before it, and to the front of that run afterwards; so the
  // later ones of the second kind stand first. One number per record holds
  // its name's rank above the place in its run, which the arrival gives:
  // above the middle counting up, below it counting down; sorting the numbers
  // does the rest, and the arrival gives back the position.
  constexpr uint64_t kMiddle = uint64_t{1} << 31;
  std::vector<uint64_t> keys(ranks.size());
  uint32_t greatest = 0;
  for (std::size_t i = 0; i < ranks.size(); ++i) {
    const uint64_t arrival = i + 1;
    const bool at_end = ranks[i] >= greatest;
    if (at_end) greatest = ranks[i];
    keys[i] = uint64_t{ranks[i]} << 32 | (at_end ? kMiddle + arrival : kMiddle - arrival);
  }
  std::sort(keys.begin(), keys.end());
  std::vector<std::size_t> order(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const uint64_t place = keys[i] & 0xFFFFFFFF;
    order[i] = static_cast<std::size_t>(place > kMiddle ? place - kMiddle : kMiddle - place) - 1;
  }
  return order;
}

std::vector<std::size_t> OrderByName(const std::vector<std::string_view>& names) {
  return OrderByRank(RanksOf(names));
}

}  // namespace quandor::bankdir
