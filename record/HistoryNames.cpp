#include "record/HistoryNames.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "core/TextFormat.h"

namespace {

constexpr char kPrefix[] = "game-";
constexpr char kSuffix[] = ".kvrec";
constexpr std::size_t kPrefixLength = sizeof kPrefix - 1;
constexpr std::size_t kSuffixLength = sizeof kSuffix - 1;
// "20250330T011500Z-000": the stamp, a dash and the number in its second.
constexpr char kNamePattern[] = "ddddddddTddddddZ-ddd";
constexpr std::size_t kStampLength = 16;
// An older version's "2024-10-27-021500".
constexpr char kOldStampPattern[] = "dddd-dd-dd-dddddd";
constexpr std::size_t kOldStampLength = sizeof kOldStampPattern - 1;
constexpr int kLastInSecond = 999;
// 9999-12-31T23:59:59Z: beyond it the year would take a fifth digit.
constexpr std::time_t kLastStamp = 253402300799;

// Where a name stands in the order of finishing.
struct Age {
  int kind = 0;       // 0: an older version's name; 1: today's kind
  std::string stamp;  // the date and time as written
  long number = 0;    // the number in its second
};

bool IsDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Matches(const std::string& text, const char* pattern) {
  std::size_t i = 0;
  for (; pattern[i] && i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (pattern[i] == 'd' ? !digit : text[i] != pattern[i]) return false;
  }
  return !pattern[i] && i == text.size();
}

// The part between "game-" and ".kvrec"; false for any other name.
bool Middle(const std::string& name, std::string& middle) {
  if (name.size() <= kPrefixLength + kSuffixLength || name.compare(0, kPrefixLength, kPrefix) != 0 ||
      name.compare(name.size() - kSuffixLength, kSuffixLength, kSuffix) != 0) {
    return false;
  }
  middle = name.substr(kPrefixLength, name.size() - kPrefixLength - kSuffixLength);
  return true;
}

// False for a name this game never gave.
bool AgeOf(const std::string& name, Age& age) {
  std::string middle;
  if (!Middle(name, middle)) return false;
  if (Matches(middle, kNamePattern)) {
    age = {1, middle.substr(0, kStampLength), std::strtol(middle.c_str() + kStampLength + 1, nullptr, 10)};
    return true;
  }
  // An older version's name, maybe with "-2" for the second game in that second.
  const std::string stamp = middle.substr(0, kOldStampLength);
  if (!Matches(stamp, kOldStampPattern)) return false;
  if (middle.size() == stamp.size()) {
    age = {0, stamp, 1};
    return true;
  }
  const std::string number = middle.substr(stamp.size() + 1);
  if (middle[stamp.size()] != '-' || !IsDigits(number) || number.size() > 9) return false;
  age = {0, stamp, std::strtol(number.c_str(), nullptr, 10)};
  return true;
}

std::string Stamp(std::time_t when) {
  std::tm date{};
  when = std::clamp<std::time_t>(when, 0, kLastStamp);
  gmtime_r(&when, &date);
  char text[32];
  return FormatText(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", date.tm_year + 1900, date.tm_mon + 1, date.tm_mday,
                    date.tm_hour, date.tm_min, date.tm_sec);
}

std::time_t TimeOf(const std::string& stamp) {
  std::tm date{};
  date.tm_year = std::atoi(stamp.substr(0, 4).c_str()) - 1900;
  date.tm_mon = std::atoi(stamp.substr(4, 2).c_str()) - 1;
  date.tm_mday = std::atoi(stamp.substr(6, 2).c_str());
  date.tm_hour = std::atoi(stamp.substr(9, 2).c_str());
  date.tm_min = std::atoi(stamp.substr(11, 2).c_str());
  date.tm_sec = std::atoi(stamp.substr(13, 2).c_str());
  return timegm(&date);
}

std::string Name(const std::string& stamp, long number) {
  char text[64];
  return FormatText(text, sizeof text, "%s%s-%03ld%s", kPrefix, stamp.c_str(), number, kSuffix);
}

}  // namespace

std::string NextHistoryName(const std::vector<std::string>& names, std::time_t when) {
  Age next{1, Stamp(when), 0};
  for (const std::string& name : names) {
    Age age;
    if (!AgeOf(name, age) || age.kind != 1) continue;
    if (std::tie(age.stamp, age.number) >= std::tie(next.stamp, next.number)) next = {1, age.stamp, age.number + 1};
  }
  // A thousand games in one second only happen when the clock stands still.
  if (next.number > kLastInSecond) next = {1, Stamp(TimeOf(next.stamp) + 1), 0};
  return Name(next.stamp, next.number);
}

std::vector<std::string> HistoryToPrune(const std::vector<std::string>& names, std::size_t kept) {
  std::vector<std::pair<Age, std::string>> games;
  for (const std::string& name : names) {
    Age age;
    if (AgeOf(name, age)) games.emplace_back(age, name);
  }
  std::vector<std::string> pruned;
  if (games.size() <= kept) return pruned;
  std::sort(games.begin(), games.end(), [](const auto& a, const auto& b) {
    return std::tie(a.first.kind, a.first.stamp, a.first.number, a.second) <
           std::tie(b.first.kind, b.first.stamp, b.first.number, b.second);
  });
  for (std::size_t i = 0; i + kept < games.size(); ++i) pruned.push_back(games[i].second);
  return pruned;
}
