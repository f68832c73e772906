#pragma once
// The phrase file is read from and written to the working folder, so tests that touch the
// phrase library run in a fresh folder of their own.

#include <filesystem>

#include "support/form_fixture.h"

namespace pennory::testing {

// Makes a folder the working folder for the lifetime of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(m_previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path m_previous;
};

// A started window whose working folder is a fresh empty folder.
class FormInTempFolder : public FormTest {
protected:
    TempDir m_folder;
    WorkingFolder m_working{m_folder.path()};
};

}  // namespace pennory::testing
