#include "platform/files/dated_copies.h"

#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <vector>

namespace pennory::files {

namespace {

bool allDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view digits) {
    int n = 0;
    for (char c : digits) n = n * 10 + (c - '0');
    return n;
}

void removeOutdatedOfKind(const std::filesystem::path& folder, std::string_view prefix,
                          std::string_view extension, std::time_t now) {
    std::vector<std::pair<std::time_t, std::filesystem::path>> dated;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const auto when = dateOfDatedName(entry.path().filename().string(), prefix, extension);
        if (when && entry.is_regular_file(ec)) dated.emplace_back(*when, entry.path());
    }
    std::sort(dated.begin(), dated.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    const std::time_t oldest = now - std::chrono::seconds(kDatedCopyLifetime).count();
    for (std::size_t i = kDatedCopiesKept; i < dated.size(); ++i) {
        if (dated[i].first >= oldest) continue;
        ::unlink(dated[i].second.c_str());
        if (extension == kDatedOriginalExtension) {
            auto record = dated[i].second;
            ::unlink(record.replace_extension(".path").c_str());
        }
    }
}

}  // namespace

std::string datedName(std::string_view prefix, std::time_t when, int attempt,
                      std::string_view extension) {
    std::tm local{};
    ::localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = std::string(prefix) + stamp;
    if (attempt > 0) name += "-" + std::to_string(attempt + 1);
    return name + std::string(extension);
}

std::optional<std::time_t> dateOfDatedName(std::string_view name, std::string_view prefix,
                                           std::string_view extension) {
    if (!name.starts_with(prefix) || !name.ends_with(extension)) return std::nullopt;
    std::string_view stamp =
        name.substr(prefix.size(), name.size() - prefix.size() - extension.size());
    // "YYYYMMDD-HHMMSS", perhaps followed by "-<n>".
    if (stamp.size() < 15 || stamp[8] != '-') return std::nullopt;
    const std::string_view day = stamp.substr(0, 8), time = stamp.substr(9, 6);
    const std::string_view counter = stamp.substr(15);
    if (!allDigits(day) || !allDigits(time)) return std::nullopt;
    if (!counter.empty() && (counter[0] != '-' || !allDigits(counter.substr(1))))
        return std::nullopt;
    std::tm local{};
    local.tm_year = number(day.substr(0, 4)) - 1900;
    local.tm_mon = number(day.substr(4, 2)) - 1;
    local.tm_mday = number(day.substr(6, 2));
    local.tm_hour = number(time.substr(0, 2));
    local.tm_min = number(time.substr(2, 2));
    local.tm_sec = number(time.substr(4, 2));
    local.tm_isdst = -1;
    if (local.tm_mon > 11 || local.tm_mday < 1 || local.tm_mday > 31 || local.tm_hour > 23 ||
        local.tm_min > 59 || local.tm_sec > 60) {
        return std::nullopt;
    }
    const std::time_t when = std::mktime(&local);
    if (when == static_cast<std::time_t>(-1)) return std::nullopt;
    return when;
}

void removeOutdatedCopies(const std::filesystem::path& folder, std::time_t now) {
    if (folder.empty()) return;
    removeOutdatedOfKind(folder, kDatedRecoveryPrefix, kDatedRecoveryExtension, now);
    removeOutdatedOfKind(folder, kDatedOriginalPrefix, kDatedOriginalExtension, now);
}

}  // namespace pennory::files
