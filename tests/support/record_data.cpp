#include "tests/support/record_data.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <utility>

#include "tests/support/reference_data.h"

namespace moonfold::testing {
namespace {

using namespace std::chrono;

std::string ReadToolData(const char* name) {
  return ReadDataFile(("../../tools/data/" + std::string(name)).c_str());
}

// The fields of each line that is no comment, split at `at`, after the
// header line where the file has one.
std::vector<std::vector<std::string>> Rows(const char* name, char at, std::size_t fields,
                                           bool header) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(ReadToolData(name));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (std::exchange(header, false)) continue;
    std::vector<std::string> row;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, at);) row.push_back(field);
    if (line.back() == at) row.emplace_back();
    if (row.size() == fields) rows.push_back(row);
  }
  return rows;
}

sys_days Date(const std::string& iso) {
  return sys_days{year{std::stoi(iso.substr(0, 4))} / std::stoi(iso.substr(5, 2)) /
                  std::stoi(iso.substr(8, 2))};
}

template <typename T>
const std::vector<T>& Checked(const std::vector<T>& rows, std::size_t expected, const char* file) {
  if (rows.size() != expected) {
    ADD_FAILURE() << "tools/data/" << file << " holds " << rows.size() << " rows, not " << expected;
  }
  return rows;
}

}  // namespace

const std::vector<RecordMonth>& RecordMonths() {
  static const std::vector<RecordMonth> months = [] {
    std::vector<RecordMonth> out;
    for (const auto& r : Rows("record-months-1645-1911.csv", ',', 4, true)) {
      out.push_back(
          {Date(r[0]), std::stoi(r[1]), static_cast<unsigned>(std::stoi(r[2])), r[3] == "1"});
    }
    return out;
  }();
  return Checked(months, 3303, "record-months-1645-1911.csv");
}

const std::vector<RecordTerm>& RecordTerms() {
  static const std::vector<RecordTerm> terms = [] {
    std::vector<RecordTerm> out;
    for (const auto& r : Rows("record-terms-1645-1911.csv", ',', 3, true)) {
      out.push_back({std::stoi(r[0]), static_cast<unsigned>(std::stoi(r[1])), Date(r[2])});
    }
    return out;
  }();
  return Checked(terms, 24 * (1911 - 1645 + 1), "record-terms-1645-1911.csv");
}

const std::vector<IssuedMonth>& IssuedMonths() {
  static const std::vector<IssuedMonth> months = [] {
    std::vector<IssuedMonth> out;
    for (const auto& r : Rows("issued-months.tsv", '\t', 4, false))
      out.push_back({Date(r[0]), Date(r[1])});
    return out;
  }();
  return Checked(months, 3, "issued-months.tsv");
}

const std::vector<IssuedTerm>& IssuedTerms() {
  static const std::vector<IssuedTerm> terms = [] {
    std::vector<IssuedTerm> out;
    for (const auto& r : Rows("issued-terms.tsv", '\t', 4, false)) {
      const local_days day{Date(r[2].substr(0, 10)).time_since_epoch()};
      out.push_back(
          {std::stoi(r[0]), static_cast<unsigned>(std::stoi(r[1])),
           day + hours{std::stoi(r[2].substr(11, 2))} + minutes{std::stoi(r[2].substr(14, 2))}});
    }
    return out;
  }();
  return Checked(terms, 6, "issued-terms.tsv");
}

const std::vector<Era>& Eras() {
  static const std::vector<Era> eras = [] {
    std::vector<Era> out;
    // The Republic's last year is none ("—").
    for (const auto& r : Rows("eras.tsv", '\t', 4, true)) {
      out.push_back({r[0], std::stoi(r[1]),
                     std::isdigit(static_cast<unsigned char>(r[2][0])) ? std::stoi(r[2]) : 0});
    }
    return out;
  }();
  return Checked(eras, 11, "eras.tsv");
}

}  // namespace moonfold::testing
