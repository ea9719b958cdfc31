#include "test_bank_file.h"

#include <QDir>
#include <QFile>
#include <QString>

namespace sample_test {

namespace {

// Ascending by bank code, CR LF line ends, UTF-8. All banks use method 00.
// The names are chosen so that the list's order by text differs from the
// component's order: two banks named "Volksbank" come in file order (Zossen,
// then Aachen) but stand as "Volksbank (Aachen)", "Volksbank (Zossen)" in the
// list. The BIC of Hafenbank occurs only in a field that the field search
// skips, and the last record is short of fields.
constexpr const char* kRecords[] = {
    "10020030;Zentralbank;Berlin;Zentralbank Berlin;00;10115;ZENTDEB1XXX",
    "10020040;Volksbank;Zossen;Volksbank Zossen;00;15806;VOLKDEZ1XXX",
    "10020050;Musterbank;Berlin;Musterbank Berlin;00;10117;MUSTDEB1XXX",
    "20030040;Hafenbank;Hamburg;Hafenbank HH;00;20095;HAFNQQHHXXX",
    "30040050;Volksbank;Aachen;Volksbank Aachen;00;52062;VOLKDEAAXXX",
    "37040044;Kölner Bank;Köln;Kölner Bank;00;50667;KOELDEKKXXX",
    "60000000;Aktienbank;Berlin;Aktienbank Berlin;00;10178;AKTIDEB1XXX",
    "70000000;Kaputtbank;Bruchstadt",
};

}  // namespace

bool WriteTestBankFile() {
  const QString dir = qEnvironmentVariable("QUANDOR_DATA_DIR");
  if (dir.isEmpty() || !QDir().mkpath(dir)) return false;
  QFile file(QDir(dir).filePath(QStringLiteral("blz.txt")));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  for (const char* record : kRecords) {
    file.write(record);
    file.write("\r\n");
  }
  return file.flush();
}

}  // namespace sample_test
