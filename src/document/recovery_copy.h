#pragma once
// A copy of unsaved work that survives a crash. While the manuscript has changes that no
// file holds, a copy of it (RTF) is written to the recovery folder when the writer pauses,
// two seconds after the last change and at most every thirty seconds. Saving, New, Open and
// a normal end remove it. The copy lives only in the recovery folder, under a name of its
// own (platform/files/recovery_folder.h), so it is never written over the writer's files.
//
// Only the snapshot of the content is taken on the interface thread; the RTF is made and
// written by a worker thread, so that a long manuscript does not hold up typing. Whether a copy
// could be written is picked up on the interface thread by a short timer that follows the
// worker, and handed to the outcome handler there: a Chinese reason when it failed, an empty
// string once a copy succeeds. The writer's own saves do not depend on it, and the next pause
// tries again.

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/services.h"
#include "platform/text/styled_text.h"

namespace pennory::app {
class Form1;
}
namespace pennory::files {
class RecoverySlot;
}

namespace pennory::document {

inline constexpr std::chrono::milliseconds kPauseBeforeCopy{2000};
inline constexpr std::chrono::milliseconds kTimeBetweenCopies{30000};
// How often the interface thread looks whether the worker is done with a copy.
inline constexpr std::chrono::milliseconds kOutcomePoll{250};

class RecoveryCopy {
public:
    // snapshot gives the manuscript's content when a copy is made; outcome (may be empty) hears,
    // on the interface thread, why a copy failed, or an empty reason when one succeeded.
    RecoveryCopy(platform::TimerService& timers, std::filesystem::path folder,
                 std::function<text::StyledText()> snapshot,
                 std::function<void(const std::u16string& failure)> outcome = {});
    // Removes the copy: the program ends normally. A copy being written is waited for.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // The manuscript changed: a copy is due at the next pause.
    void changed();
    // A file now holds the manuscript, or it was replaced: the copy goes, and no copy still
    // being written can bring it back.
    void settled();
    // Hands a snapshot to the worker thread, if there are unsaved changes.
    void copyInBackground();
    // Writes the copy on this thread and waits for it; false when it could not be written.
    bool writeNow();
    // Waits until the worker has written what it was given.
    void finishWriting();

    bool unsaved() const { return m_unsaved; }

private:
    bool claimSlot();
    void work();
    // On the interface thread: reports the worker's last outcome once it is done.
    void collectOutcome();
    void report(const std::u16string& failure);

    platform::TimerService& m_timers;
    std::filesystem::path m_folder;
    std::function<text::StyledText()> m_snapshot;
    std::function<void(const std::u16string&)> m_outcome;
    std::unique_ptr<platform::Timer> m_timer;
    std::unique_ptr<platform::Timer> m_outcomeTimer;
    bool m_unsaved = false;
    std::optional<std::chrono::milliseconds> m_lastCopy;

    // Shared with the worker, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::unique_ptr<files::RecoverySlot> m_slot;
    std::optional<text::StyledText> m_pending;
    bool m_busy = false;
    std::optional<std::u16string> m_written;  // the worker's last outcome, not yet reported
    bool m_quit = false;
    std::thread m_worker;
};

// At start: when a program that did not end normally left a copy, asks whether to recover
// it. Yes loads the newest copy into the manuscript editor, titles the window "Pennory
// --恢复的文稿" and keeps it as this program's own copy; No, and every older copy, are
// renamed to a dated name in the recovery folder, so nothing is lost. Then dated copies too
// old to keep are removed (platform/files/dated_copies.h). True when recovered text is now in
// the manuscript editor.
bool offerRecovery(app::Form1& form);

}  // namespace pennory::document
