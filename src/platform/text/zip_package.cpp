#include "platform/text/zip_package.h"

#include <zip.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace pennory::text {

// ---- Reading (libzip over a buffer) -----------------------------------------------------

struct ZipReader::State {
    zip_t* archive = nullptr;
    PackageBudget budget;
    std::vector<std::string> names;
    std::size_t totalRead = 0;  // inflated bytes handed out so far, over every entry

    ~State() {
        if (archive != nullptr) zip_discard(archive);
    }
    // The index of the first entry called name, or -1.
    std::int64_t indexOf(std::string_view name) const {
        auto found = std::find(names.begin(), names.end(), name);
        return found == names.end() ? -1 : found - names.begin();
    }
};

std::optional<ZipReader> ZipReader::open(std::string_view bytes, PackageProblem& problem,
                                         PackageBudget budget) {
    // libzip takes no bytes at all for an empty archive; a document is never that.
    if (bytes.empty()) {
        problem = PackageProblem::NotAZip;
        return std::nullopt;
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        problem = PackageProblem::Damaged;
        return std::nullopt;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (archive == nullptr) {
        problem = zip_error_code_zip(&error) == ZIP_ER_NOZIP ? PackageProblem::NotAZip
                                                             : PackageProblem::Damaged;
        zip_source_free(source);
        zip_error_fini(&error);
        return std::nullopt;
    }
    zip_error_fini(&error);
    auto* state = new State;
    state->archive = archive;
    state->budget = budget;
    zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > budget.maxEntries) {
        delete state;
        problem = count < 0 ? PackageProblem::Damaged : PackageProblem::TooLarge;
        return std::nullopt;
    }
    state->names.reserve(static_cast<std::size_t>(count));
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        state->names.emplace_back(name != nullptr ? name : "");
    }
    return ZipReader(state);
}

ZipReader::ZipReader(State* state) : m_state(state) {}
ZipReader::ZipReader(ZipReader&& other) noexcept : m_state(other.m_state) {
    other.m_state = nullptr;
}
ZipReader& ZipReader::operator=(ZipReader&& other) noexcept {
    if (this != &other) {
        delete m_state;
        m_state = other.m_state;
        other.m_state = nullptr;
    }
    return *this;
}
ZipReader::~ZipReader() { delete m_state; }

const std::vector<std::string>& ZipReader::names() const { return m_state->names; }

bool ZipReader::has(std::string_view name) const { return m_state->indexOf(name) >= 0; }

bool ZipReader::isStored(std::string_view name) const {
    std::int64_t index = m_state->indexOf(name);
    if (index < 0) return false;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_state->archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0)
        return false;
    return (stat.valid & ZIP_STAT_COMP_METHOD) != 0 && stat.comp_method == ZIP_CM_STORE;
}

std::optional<std::string> ZipReader::read(std::string_view name, PackageProblem& problem) {
    std::int64_t index = m_state->indexOf(name);
    if (index < 0) {
        problem = PackageProblem::MissingPart;
        return std::nullopt;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_state->archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0) {
        problem = PackageProblem::Damaged;
        return std::nullopt;
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && stat.encryption_method != ZIP_EM_NONE) {
        problem = PackageProblem::Encrypted;
        return std::nullopt;
    }
    const PackageBudget& budget = m_state->budget;
    std::size_t allowed =
        std::min(budget.maxEntryBytes,
                 budget.maxTotalBytes - std::min(budget.maxTotalBytes, m_state->totalRead));
    // The declared size is checked first so that an honest large entry costs nothing; the
    // bytes actually inflated are counted too, because the header may lie.
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > allowed) {
        problem = PackageProblem::TooLarge;
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen_index(m_state->archive, static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) {
        int code = zip_error_code_zip(zip_get_error(m_state->archive));
        problem =
            code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_ENCRNOTSUPP
                ? PackageProblem::Encrypted
                : PackageProblem::Damaged;
        return std::nullopt;
    }
    std::string bytes;
    if ((stat.valid & ZIP_STAT_SIZE) != 0) bytes.reserve(static_cast<std::size_t>(stat.size));
    char buffer[64 * 1024];
    for (;;) {
        zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
        if (got < 0) {
            zip_fclose(file);
            problem = PackageProblem::Damaged;
            return std::nullopt;
        }
        if (got == 0) break;
        if (static_cast<std::uint64_t>(got) > allowed - bytes.size()) {
            zip_fclose(file);
            problem = PackageProblem::TooLarge;
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    // zip_fclose reports a checksum that does not match.
    if (zip_fclose(file) != 0) {
        problem = PackageProblem::Damaged;
        return std::nullopt;
    }
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && bytes.size() != stat.size) {
        problem = PackageProblem::Damaged;
        return std::nullopt;
    }
    m_state->totalRead += bytes.size();
    return bytes;
}

std::shared_ptr<const std::string> SharedEntries::bytes(const std::string& name) {
    if (const auto it = m_read.find(name); it != m_read.end()) return it->second;
    std::shared_ptr<const std::string> bytes;
    PackageProblem problem{};
    if (m_zip.has(name)) {
        if (auto read = m_zip.read(name, problem))
            bytes = std::make_shared<const std::string>(std::move(*read));
    }
    m_read[name] = bytes;
    return bytes;
}

}  // namespace pennory::text
